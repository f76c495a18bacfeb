#pragma once

// Windows only, and free of Qt: the settings live below a registry key as
// REG_DWORD values.

#include "editor/Settings.h"

#include <cstdint>
#include <string>
#include <string_view>

#include <windows.h>

namespace brellic {

class RegistrySettingsStore final : public SettingsStore {
public:
    // HKEY_LOCAL_MACHINE\Software\Quorvex\Brellic.
    RegistrySettingsStore();
    // Another hive or key, so that tests can work below HKEY_CURRENT_USER or a
    // throw-away key.
    RegistrySettingsStore(HKEY root, std::wstring keyPath);
    ~RegistrySettingsStore() override;

    RegistrySettingsStore(const RegistrySettingsStore&) = delete;
    RegistrySettingsStore& operator=(const RegistrySettingsStore&) = delete;

    bool Open() override;
    ReadResult Read(std::string_view name, std::int32_t& value) override;
    bool Write(std::string_view name, std::int32_t value) override;
    void Close() override;

    const std::wstring& KeyPath() const { return keyPath_; }

private:
    HKEY root_;
    std::wstring keyPath_;
    HKEY key_ = nullptr;
};

} // namespace brellic
