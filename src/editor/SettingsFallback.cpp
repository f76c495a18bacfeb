#include "editor/SettingsFallback.h"

#include <utility>

namespace brellic {

MachineOrUserSettingsStore::MachineOrUserSettingsStore(std::unique_ptr<SettingsStore> machine,
                                                       std::unique_ptr<SettingsStore> machineReader,
                                                       std::unique_ptr<SettingsStore> user)
    : machine_(std::move(machine)), machineReader_(std::move(machineReader)),
      user_(std::move(user)) {}

bool MachineOrUserSettingsStore::Open() {
    Close();
    openFailed_ = false;
    if (machine_->Open()) {
        mode_ = Mode::Machine;
        return true;
    }
    // Both are tried: the machine's values still count where the user's own
    // place cannot be opened, and the user's where the machine's cannot be read.
    userOpen_ = user_->Open();
    machineReaderOpen_ = machineReader_->Open();
    openFailed_ = !userOpen_ && !machineReaderOpen_;
    if (openFailed_)
        return false;
    mode_ = Mode::UserOverMachine;
    return true;
}

SettingsStore::ReadResult MachineOrUserSettingsStore::Read(std::string_view name,
                                                           std::int32_t& value) {
    switch (mode_) {
    case Mode::Closed:
        return ReadResult::Error;
    case Mode::Machine:
        return machine_->Read(name, value);
    case Mode::UserOverMachine:
        break;
    }
    // A value of the user's that cannot be read stops the load as a bad
    // machine value would; it is not hidden by the machine's.
    if (userOpen_) {
        const ReadResult own = user_->Read(name, value);
        if (own != ReadResult::Missing)
            return own;
    }
    return machineReaderOpen_ ? machineReader_->Read(name, value) : ReadResult::Missing;
}

bool MachineOrUserSettingsStore::Write(std::string_view name, std::int32_t value) {
    switch (mode_) {
    case Mode::Closed:
        return false;
    case Mode::Machine:
        return machine_->Write(name, value);
    case Mode::UserOverMachine:
        break;
    }
    return userOpen_ && user_->Write(name, value);
}

void MachineOrUserSettingsStore::Close() {
    if (mode_ == Mode::Machine)
        machine_->Close();
    if (userOpen_)
        user_->Close();
    if (machineReaderOpen_)
        machineReader_->Close();
    mode_ = Mode::Closed;
    userOpen_ = false;
    machineReaderOpen_ = false;
}

std::string MachineOrUserSettingsStore::FailureMessage() const {
    if (!openFailed_)
        return {};
    if (std::string message = user_->FailureMessage(); !message.empty())
        return message;
    return machineReader_->FailureMessage();
}

} // namespace brellic
