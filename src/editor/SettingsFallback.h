#pragma once

#include "editor/Settings.h"

#include <memory>
#include <string>
#include <string_view>

namespace brellic {

// Settings kept for the whole machine, with a place of the user's own for a
// user who may not change the machine's. When the machine's store opens for
// writing it is used alone. When it does not, each value is read from the
// user's store first and from the machine's (opened only for reading) where
// the user has none, and every value is written to the user's store: the
// machine's settings serve as the user's defaults, and the user's changes
// persist without touching the machine's.
class MachineOrUserSettingsStore final : public SettingsStore {
public:
    // machine: Open creates the key and needs write access, as the window's
    // store does. machineReader: the same settings opened only for reading,
    // creating nothing. user: the user's own store; read only where the
    // settings must not be changed.
    MachineOrUserSettingsStore(std::unique_ptr<SettingsStore> machine,
                               std::unique_ptr<SettingsStore> machineReader,
                               std::unique_ptr<SettingsStore> user);

    // Fails only when neither the machine's store nor the user's opens at all.
    bool Open() override;
    ReadResult Read(std::string_view name, std::int32_t& value) override;
    bool Write(std::string_view name, std::int32_t value) override;
    void Close() override;
    // The user's store's reason, or the machine's, when the last Open failed.
    std::string FailureMessage() const override;

private:
    enum class Mode { Closed, Machine, UserOverMachine };

    std::unique_ptr<SettingsStore> machine_;
    std::unique_ptr<SettingsStore> machineReader_;
    std::unique_ptr<SettingsStore> user_;
    Mode mode_ = Mode::Closed;
    bool userOpen_ = false;
    bool machineReaderOpen_ = false;
    bool openFailed_ = false;
};

} // namespace brellic
