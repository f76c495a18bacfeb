#include "settings/RegistrySettingsStore.h"

#include "editor/SettingsFallback.h"

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

// A store that never opens: the machine's key as a user sees it who may not
// write there.
std::unique_ptr<SettingsStore> Unwritable() {
    auto store = std::make_unique<MemorySettingsStore>();
    store->failOpen = true;
    return store;
}

using Access = RegistrySettingsStore::Access;

// The machine's key, opened as `machine` says, under the user's key, opened as
// `user` says; the machine's key is always read without being created.
std::unique_ptr<SettingsStore> ComposeRegistrySettings(const RegistrySettingsPlace& place,
                                                       Access machine, Access user) {
    const std::wstring path = place.KeyPath.empty() ? Widen(kSettingsKey) : place.KeyPath;
    std::unique_ptr<SettingsStore> machineStore;
    if (place.MachineWriteFails)
        machineStore = Unwritable();
    else
        machineStore = std::make_unique<RegistrySettingsStore>(place.MachineRoot, path, machine);
    return std::make_unique<MachineOrUserSettingsStore>(
        std::move(machineStore),
        std::make_unique<RegistrySettingsStore>(place.MachineRoot, path, Access::ReadOnly),
        std::make_unique<RegistrySettingsStore>(place.UserRoot, path, user));
}

} // namespace

RegistrySettingsStore::RegistrySettingsStore()
    : RegistrySettingsStore(HKEY_LOCAL_MACHINE, Widen(kSettingsKey)) {}

RegistrySettingsStore::RegistrySettingsStore(HKEY root, std::wstring keyPath, Access access)
    : root_(root), keyPath_(std::move(keyPath)), access_(access) {}

RegistrySettingsStore::~RegistrySettingsStore() {
    Close();
}

bool RegistrySettingsStore::Open() {
    Close();
    switch (access_) {
    case Access::ReadWrite:
        open_ = OpenForWriting();
        break;
    case Access::ReadOnly:
        open_ = OpenForReading();
        break;
    case Access::ReadIfWritable:
        open_ = CouldOpenForWriting() && OpenForReading();
        break;
    }
    return open_;
}

bool RegistrySettingsStore::OpenForWriting() {
    HKEY key = nullptr;
    if (RegCreateKeyExW(root_, keyPath_.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    key_ = key;
    return true;
}

bool RegistrySettingsStore::OpenForReading() {
    HKEY key = nullptr;
    const LSTATUS status = RegOpenKeyExW(root_, keyPath_.c_str(), 0, KEY_READ, &key);
    if (status == ERROR_FILE_NOT_FOUND)
        return true; // nothing stored yet: every value is missing
    if (status != ERROR_SUCCESS)
        return false;
    key_ = key;
    return true;
}

// RegCreateKeyEx with full access succeeds where the key opens with full
// access, or where it is missing and its nearest existing ancestor lets a
// subkey be created (the creator owns what it creates).
bool RegistrySettingsStore::CouldOpenForWriting() const {
    std::wstring path = keyPath_;
    REGSAM access = KEY_ALL_ACCESS;
    for (;;) {
        HKEY key = nullptr;
        const LSTATUS status = RegOpenKeyExW(root_, path.c_str(), 0, access, &key);
        if (status == ERROR_SUCCESS) {
            RegCloseKey(key);
            return true;
        }
        if (status != ERROR_FILE_NOT_FOUND || path.empty())
            return false;
        const std::size_t slash = path.find_last_of(L'\\');
        path.resize(slash == std::wstring::npos ? 0 : slash);
        access = KEY_CREATE_SUB_KEY;
    }
}

SettingsStore::ReadResult RegistrySettingsStore::Read(std::string_view name, std::int32_t& value) {
    if (!open_)
        return ReadResult::Error;
    if (key_ == nullptr)
        return ReadResult::Missing;
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
    if (key_ == nullptr || access_ != Access::ReadWrite)
        return false;
    const std::wstring valueName = Widen(name);
    const DWORD data = static_cast<DWORD>(value);
    return RegSetValueExW(key_, valueName.c_str(), 0, REG_DWORD,
                          reinterpret_cast<const BYTE*>(&data), sizeof(data)) == ERROR_SUCCESS;
}

void RegistrySettingsStore::Close() {
    if (key_ != nullptr)
        RegCloseKey(key_);
    key_ = nullptr;
    open_ = false;
}

std::unique_ptr<SettingsStore> CreateRegistrySettings(const RegistrySettingsPlace& place) {
    return ComposeRegistrySettings(place, Access::ReadWrite, Access::ReadWrite);
}

std::unique_ptr<SettingsStore> CreateRegistrySettingsReader(const RegistrySettingsPlace& place) {
    return ComposeRegistrySettings(place, Access::ReadIfWritable, Access::ReadOnly);
}

} // namespace brellic
