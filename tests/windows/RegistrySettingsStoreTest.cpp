// The registry store against a real registry (Wine's, in the cross build's
// own prefix): every test works on a key of its own below
// HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER, so that ctest may run them in
// parallel. Wine runs as an administrator, so the user's key is reached
// through a machine key made to refuse writing.
#include "settings/RegistrySettingsStore.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <windows.h>

namespace brellic {
namespace {

const std::wstring kStandard = L"System Standard";
const std::wstring kPeriod = L"Alarm Period";

std::wstring TestKey() {
    const auto* info = testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "." + info->name();
    for (char& c : name)
        if (c == '/')
            c = '_';
    return L"Software\\Quorvex\\BrellicTests\\" + std::wstring(name.begin(), name.end());
}

bool KeyExists(HKEY root, const std::wstring& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

struct RawValue {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};

RawValue ReadRaw(const std::wstring& path, const std::wstring& name,
                 HKEY root = HKEY_LOCAL_MACHINE) {
    RawValue value;
    DWORD size = 0;
    if (RegGetValueW(root, path.c_str(), name.c_str(), RRF_RT_ANY, &value.type, nullptr, &size) !=
        ERROR_SUCCESS)
        return {};
    value.data.resize(size);
    RegGetValueW(root, path.c_str(), name.c_str(), RRF_RT_ANY, &value.type, value.data.data(),
                 &size);
    return value;
}

void WriteRaw(const std::wstring& path, const std::wstring& name, DWORD type, const void* data,
              DWORD size, HKEY root = HKEY_LOCAL_MACHINE) {
    HKEY key = nullptr;
    ASSERT_EQ(
        RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
        ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExW(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

void WriteDword(const std::wstring& path, const std::wstring& name, DWORD value,
                HKEY root = HKEY_LOCAL_MACHINE) {
    WriteRaw(path, name, REG_DWORD, &value, sizeof value, root);
}

// A REG_DWORD as stored, or nothing for a missing or other value.
std::optional<DWORD> StoredDword(HKEY root, const std::wstring& path, const std::wstring& name) {
    const RawValue raw = ReadRaw(path, name, root);
    if (raw.type != REG_DWORD || raw.data.size() != sizeof(DWORD))
        return std::nullopt;
    DWORD stored = 0;
    std::memcpy(&stored, raw.data.data(), sizeof stored);
    return stored;
}

class RegistryStore : public testing::Test {
protected:
    void SetUp() override {
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, path.c_str());
        RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str());
        site.SystemStandard = 7;
        site.AlarmPeriod = 99;
    }
    void TearDown() override {
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, path.c_str());
        RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str());
    }
    RegistrySettingsPlace Place(bool machineWriteFails) const {
        RegistrySettingsPlace place;
        place.KeyPath = path;
        place.MachineWriteFails = machineWriteFails;
        return place;
    }

    std::wstring path = TestKey();
    SiteState site;
};

TEST_F(RegistryStore, DefaultKeyIsCreatedBelowLocalMachineAndMissingValuesTakeDefaults) {
    // The program's own key; no other test touches it.
    const std::wstring key(kSettingsKey.begin(), kSettingsKey.end());
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, key.c_str());
    ASSERT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, key));

    RegistrySettingsStore store;
    LoadSettings(store, site);

    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, key));
    EXPECT_EQ(site.SystemStandard, 1);
    EXPECT_EQ(site.AlarmPeriod, 15);
    // Loading writes nothing: the values appear only on a save.
    EXPECT_EQ(ReadRaw(key, kStandard).type, static_cast<DWORD>(REG_NONE));
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, key.c_str());
}

TEST_F(RegistryStore, SaveWritesBothAsDwordsAndLoadReadsThemBack) {
    RegistrySettingsStore store(HKEY_LOCAL_MACHINE, path);
    site.SystemStandard = 0;
    site.AlarmPeriod = 20;
    SaveSettings(store, site);

    for (const auto& [name, expected] : {std::pair{kStandard, 0u}, std::pair{kPeriod, 20u}}) {
        const RawValue raw = ReadRaw(path, name);
        EXPECT_EQ(raw.type, static_cast<DWORD>(REG_DWORD));
        ASSERT_EQ(raw.data.size(), sizeof(DWORD));
        DWORD stored = 0;
        std::memcpy(&stored, raw.data.data(), sizeof stored);
        EXPECT_EQ(stored, expected);
    }

    SiteState loaded;
    LoadSettings(store, loaded);
    EXPECT_EQ(loaded.SystemStandard, 0);
    EXPECT_EQ(loaded.AlarmPeriod, 20);
}

TEST_F(RegistryStore, NegativeAndLargeValuesSurviveTheDword) {
    RegistrySettingsStore store(HKEY_LOCAL_MACHINE, path);
    site.SystemStandard = -1;
    site.AlarmPeriod = 2147483647;
    SaveSettings(store, site);

    ASSERT_TRUE(store.Open());
    std::int32_t value = 0;
    EXPECT_EQ(store.Read(kAlarmPeriodValue, value), SettingsStore::ReadResult::Ok);
    EXPECT_EQ(value, 2147483647);
    store.Close();

    // The stored period is kept as it is, but never used outside 1 to 120.
    SiteState loaded;
    EXPECT_FALSE(LoadSettings(store, loaded).AlarmPeriod.empty());
    EXPECT_EQ(loaded.SystemStandard, -1);
    EXPECT_EQ(loaded.AlarmPeriod, 15);
}

TEST_F(RegistryStore, OneMissingValueTakesItsDefaultTheOtherIsRead) {
    WriteDword(path, kPeriod, 30);
    RegistrySettingsStore store(HKEY_LOCAL_MACHINE, path);
    LoadSettings(store, site);
    EXPECT_EQ(site.SystemStandard, 1);
    EXPECT_EQ(site.AlarmPeriod, 30);
}

// A value of another type, or a DWORD of the wrong size, stops the load: that
// setting and the one after it keep what they had.
struct BadValue {
    const char* name;
    DWORD type;
    std::vector<BYTE> data;
};

class RegistryBadValue : public RegistryStore, public testing::WithParamInterface<BadValue> {};

TEST_P(RegistryBadValue, InStandardStopsTheLoadBeforeBoth) {
    const BadValue& bad = GetParam();
    WriteRaw(path, kStandard, bad.type, bad.data.data(), static_cast<DWORD>(bad.data.size()));
    WriteDword(path, kPeriod, 30);
    RegistrySettingsStore store(HKEY_LOCAL_MACHINE, path);
    LoadSettings(store, site);
    EXPECT_EQ(site.SystemStandard, 7);
    EXPECT_EQ(site.AlarmPeriod, 99);
}

TEST_P(RegistryBadValue, InPeriodKeepsThePeriodOnly) {
    const BadValue& bad = GetParam();
    WriteDword(path, kStandard, 0);
    WriteRaw(path, kPeriod, bad.type, bad.data.data(), static_cast<DWORD>(bad.data.size()));
    RegistrySettingsStore store(HKEY_LOCAL_MACHINE, path);
    LoadSettings(store, site);
    EXPECT_EQ(site.SystemStandard, 0);
    EXPECT_EQ(site.AlarmPeriod, 99);
}

// "15" as UTF-16 text with its terminator.
const std::vector<BYTE> kText{'1', 0, '5', 0, 0, 0};

INSTANTIATE_TEST_SUITE_P(
    Types, RegistryBadValue,
    testing::Values(BadValue{"Text", REG_SZ, kText}, BadValue{"ExpandText", REG_EXPAND_SZ, kText},
                    BadValue{"Qword", REG_QWORD, {15, 0, 0, 0, 0, 0, 0, 0}},
                    BadValue{"Binary", REG_BINARY, {15, 0, 0, 0}},
                    BadValue{"ShortDword", REG_DWORD, {15, 0}},
                    BadValue{"BigEndianDword", REG_DWORD_BIG_ENDIAN, {0, 0, 0, 15}}),
    [](const testing::TestParamInfo<BadValue>& param) { return std::string(param.param.name); });

// A key that can be neither opened nor created leaves the program on the
// values it already has, and a save then writes nothing.
TEST_F(RegistryStore, KeyThatCannotBeCreatedLeavesValuesAlone) {
    // A lasting key cannot be created below a volatile one.
    HKEY parent = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, REG_OPTION_VOLATILE,
                              KEY_ALL_ACCESS, nullptr, &parent, nullptr),
              ERROR_SUCCESS);

    RegistrySettingsStore store(parent, L"Brellic");
    LoadSettings(store, site);
    SaveSettings(store, site);
    RegCloseKey(parent);

    EXPECT_EQ(site.SystemStandard, 7);
    EXPECT_EQ(site.AlarmPeriod, 99);
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, path + L"\\Brellic"));
}

TEST_F(RegistryStore, InvalidRootLeavesValuesAlone) {
    // A handle value no key was ever given.
    const HKEY invalid = reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x7ff0));
    RegistrySettingsStore store(invalid, L"Software\\Quorvex\\Brellic");
    LoadSettings(store, site);
    SaveSettings(store, site);
    EXPECT_EQ(site.SystemStandard, 7);
    EXPECT_EQ(site.AlarmPeriod, 99);
}

// The program's own stores, as the window and brellic-cli build them.

TEST_F(RegistryStore, WritableMachineKeyIsUsedAloneAndNoUserKeyIsMade) {
    WriteDword(path, kStandard, 0);
    WriteDword(path, kStandard, 1, HKEY_CURRENT_USER);
    WriteDword(path, kPeriod, 45, HKEY_CURRENT_USER);

    const auto store = CreateRegistrySettings(Place(false));
    LoadSettings(*store, site);
    EXPECT_EQ(site.SystemStandard, 0);
    EXPECT_EQ(site.AlarmPeriod, 15);
    site.AlarmPeriod = 30;
    SaveSettings(*store, site);
    EXPECT_EQ(StoredDword(HKEY_LOCAL_MACHINE, path, kPeriod), 30u);
    EXPECT_EQ(StoredDword(HKEY_CURRENT_USER, path, kPeriod), 45u);

    // brellic-cli reads the same, from the machine's key alone.
    SiteState read;
    LoadSettings(*CreateRegistrySettingsReader(Place(false)), read);
    EXPECT_EQ(read.SystemStandard, 0);
    EXPECT_EQ(read.AlarmPeriod, 30);
}

TEST_F(RegistryStore, UnwritableMachineKeyFallsBackToTheUsersKeyValueByValue) {
    WriteDword(path, kStandard, 0);
    WriteDword(path, kPeriod, 20);
    WriteDword(path, kPeriod, 45, HKEY_CURRENT_USER);

    const auto store = CreateRegistrySettings(Place(true));
    LoadSettings(*store, site);
    EXPECT_EQ(site.SystemStandard, 0);
    EXPECT_EQ(site.AlarmPeriod, 45);

    site.SystemStandard = 1;
    site.AlarmPeriod = 60;
    SaveSettings(*store, site);
    EXPECT_EQ(StoredDword(HKEY_CURRENT_USER, path, kStandard), 1u);
    EXPECT_EQ(StoredDword(HKEY_CURRENT_USER, path, kPeriod), 60u);
    EXPECT_EQ(StoredDword(HKEY_LOCAL_MACHINE, path, kStandard), 0u);
    EXPECT_EQ(StoredDword(HKEY_LOCAL_MACHINE, path, kPeriod), 20u);

    SiteState read;
    LoadSettings(*CreateRegistrySettingsReader(Place(true)), read);
    EXPECT_EQ(read.SystemStandard, 1);
    EXPECT_EQ(read.AlarmPeriod, 60);
}

TEST_F(RegistryStore, UnwritableMachineKeyThatIsMissingIsNeitherCreatedNorNeeded) {
    const auto store = CreateRegistrySettings(Place(true));
    LoadSettings(*store, site);
    EXPECT_EQ(site.SystemStandard, 1);
    EXPECT_EQ(site.AlarmPeriod, 15);
    site.AlarmPeriod = 25;
    SaveSettings(*store, site);

    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, path));
    EXPECT_EQ(StoredDword(HKEY_CURRENT_USER, path, kPeriod), 25u);
}

TEST_F(RegistryStore, ReaderCreatesNoKeyAndWritesNothing) {
    for (const bool machineWriteFails : {false, true}) {
        SCOPED_TRACE(machineWriteFails);
        const auto reader = CreateRegistrySettingsReader(Place(machineWriteFails));
        LoadSettings(*reader, site);
        EXPECT_EQ(site.SystemStandard, 1);
        EXPECT_EQ(site.AlarmPeriod, 15);
        SaveSettings(*reader, site);
        EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, path));
        EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, path));
    }
}

// The reader asks whether the window could open the machine's key for
// writing without creating it: a key that could be created counts.
TEST_F(RegistryStore, ReaderTakesAMissingButCreatableMachineKeyAsTheWindowWould) {
    WriteDword(path, kPeriod, 45, HKEY_CURRENT_USER);
    SiteState read;
    LoadSettings(*CreateRegistrySettingsReader(Place(false)), read);
    EXPECT_EQ(read.AlarmPeriod, 15); // the window would create the machine's key and use it alone

    SiteState window;
    LoadSettings(*CreateRegistrySettings(Place(false)), window);
    EXPECT_EQ(window.AlarmPeriod, 15);
}

} // namespace
} // namespace brellic
