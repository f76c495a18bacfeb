#include "cli/ReadOnlySettings.h"

#ifdef _WIN32
#include "settings/RegistrySettingsStore.h"
#else
#include "settings/IniSettingsStore.h"
#endif

namespace brellic {

ReadOnlySettingsStore::ReadOnlySettingsStore(std::unique_ptr<SettingsStore> store)
    : store_(std::move(store)) {}

bool ReadOnlySettingsStore::Open() {
    return store_->Open();
}

SettingsStore::ReadResult ReadOnlySettingsStore::Read(std::string_view name, std::int32_t& value) {
    return store_->Read(name, value);
}

bool ReadOnlySettingsStore::Write(std::string_view, std::int32_t) {
    return false;
}

void ReadOnlySettingsStore::Close() {
    store_->Close();
}

std::string ReadOnlySettingsStore::FailureMessage() const {
    return store_->FailureMessage();
}

std::unique_ptr<SettingsStore> CreateStoredSettingsReader() {
#ifdef _WIN32
    // The keys are read as the window would read them, but never created; the
    // adapter still keeps any value from being written.
    return std::make_unique<ReadOnlySettingsStore>(CreateRegistrySettingsReader());
#else
    return std::make_unique<ReadOnlySettingsStore>(std::make_unique<IniSettingsStore>(
        IniSettingsStore::DefaultFileName(), IniSettingsStore::Access::ReadOnly));
#endif
}

} // namespace brellic
