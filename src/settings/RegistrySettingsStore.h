#pragma once

// Windows only, and free of Qt: the settings live below a registry key as
// REG_DWORD values.

#include "editor/Settings.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include <windows.h>

namespace brellic {

class RegistrySettingsStore final : public SettingsStore {
public:
    enum class Access {
        // Open creates the key when it is missing and needs full access to it.
        ReadWrite,
        // Open only reads an existing key and creates nothing; a missing key
        // opens with no values in it. Write fails.
        ReadOnly,
        // As ReadOnly, but Open fails wherever ReadWrite's would: when the key
        // can be neither opened with full access nor created. It asks without
        // creating or changing anything.
        ReadIfWritable,
    };

    // HKEY_LOCAL_MACHINE\Software\Quorvex\Brellic.
    RegistrySettingsStore();
    // Another hive or key, so that tests can work below HKEY_CURRENT_USER or a
    // throw-away key.
    RegistrySettingsStore(HKEY root, std::wstring keyPath, Access access = Access::ReadWrite);
    ~RegistrySettingsStore() override;

    RegistrySettingsStore(const RegistrySettingsStore&) = delete;
    RegistrySettingsStore& operator=(const RegistrySettingsStore&) = delete;

    bool Open() override;
    ReadResult Read(std::string_view name, std::int32_t& value) override;
    bool Write(std::string_view name, std::int32_t value) override;
    void Close() override;

    const std::wstring& KeyPath() const { return keyPath_; }

private:
    bool OpenForWriting();
    bool OpenForReading();
    bool CouldOpenForWriting() const;

    HKEY root_;
    std::wstring keyPath_;
    Access access_;
    bool open_ = false;
    HKEY key_ = nullptr; // null while open on a key that does not exist
};

// Where the program keeps its settings. The defaults are the program's own;
// tests name a throw-away key, and can make the machine's key refuse to open
// for writing as it does for a user who is not an administrator.
struct RegistrySettingsPlace {
    HKEY MachineRoot = HKEY_LOCAL_MACHINE;
    HKEY UserRoot = HKEY_CURRENT_USER;
    std::wstring KeyPath; // kSettingsKey when empty
    bool MachineWriteFails = false;
};

// The window's store: the key below HKEY_LOCAL_MACHINE when it opens for
// writing; otherwise the same key below HKEY_CURRENT_USER over it (see
// MachineOrUserSettingsStore).
std::unique_ptr<SettingsStore> CreateRegistrySettings(const RegistrySettingsPlace& place = {});

// The same settings, read as the window would load them at that moment, but
// never creating a key or writing a value.
std::unique_ptr<SettingsStore>
CreateRegistrySettingsReader(const RegistrySettingsPlace& place = {});

} // namespace brellic
