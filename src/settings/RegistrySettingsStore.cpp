#include "settings/RegistrySettingsStore.h"

#include <utility>

namespace brellic {

namespace {

// Value and key names are plain ASCII, but UTF-8 is widened properly so that a
// caller's own key path cannot be mangled.
std::wstring Widen(std::string_view text) {
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), length);
    return wide;
}

} // namespace

RegistrySettingsStore::RegistrySettingsStore()
    : RegistrySettingsStore(HKEY_LOCAL_MACHINE, Widen(kSettingsKey)) {}

RegistrySettingsStore::RegistrySettingsStore(HKEY root, std::wstring keyPath)
    : root_(root), keyPath_(std::move(keyPath)) {}

RegistrySettingsStore::~RegistrySettingsStore() {
    Close();
}

bool RegistrySettingsStore::Open() {
    Close();
    HKEY key = nullptr;
    const LSTATUS status =
        RegCreateKeyExW(root_, keyPath_.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &key, nullptr);
    if (status != ERROR_SUCCESS)
        return false;
    key_ = key;
    return true;
}

SettingsStore::ReadResult RegistrySettingsStore::Read(std::string_view name, std::int32_t& value) {
    if (key_ == nullptr)
        return ReadResult::Error;
    const std::wstring valueName = Widen(name);
    DWORD type = REG_NONE;
    DWORD data = 0;
    DWORD size = sizeof(data);
    // A longer value fails with ERROR_MORE_DATA; a shorter one or another type
    // succeeds, so type and size are both checked.
    const LSTATUS status = RegQueryValueExW(key_, valueName.c_str(), nullptr, &type,
                                            reinterpret_cast<LPBYTE>(&data), &size);
    if (status == ERROR_FILE_NOT_FOUND)
        return ReadResult::Missing;
    if (status != ERROR_SUCCESS || type != REG_DWORD || size != sizeof(data))
        return ReadResult::Error;
    value = static_cast<std::int32_t>(data);
    return ReadResult::Ok;
}

bool RegistrySettingsStore::Write(std::string_view name, std::int32_t value) {
    if (key_ == nullptr)
        return false;
    const std::wstring valueName = Widen(name);
    const DWORD data = static_cast<DWORD>(value);
    return RegSetValueExW(key_, valueName.c_str(), 0, REG_DWORD,
                          reinterpret_cast<const BYTE*>(&data), sizeof(data)) == ERROR_SUCCESS;
}

void RegistrySettingsStore::Close() {
    if (key_ == nullptr)
        return;
    RegCloseKey(key_);
    key_ = nullptr;
}

} // namespace brellic
