// Which store the settings go to when the machine's own refuses to open for
// writing, as it does for a user who is not an administrator.
#include "editor/SettingsFallback.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace brellic {
namespace {

const std::string kStandard(kSystemStandardValue);
const std::string kPeriod(kAlarmPeriodValue);

// The machine's store is one set of values seen through two doors: `machine`
// (opened for writing) and `reader` (opened for reading); a test fills them
// alike. The combined store owns all three; the pointers stay valid with it.
class MachineOrUser : public testing::Test {
protected:
    MachineOrUser() {
        auto machineStore = std::make_unique<MemorySettingsStore>();
        auto readerStore = std::make_unique<MemorySettingsStore>();
        auto userStore = std::make_unique<MemorySettingsStore>();
        machine = machineStore.get();
        reader = readerStore.get();
        user = userStore.get();
        store = std::make_unique<MachineOrUserSettingsStore>(
            std::move(machineStore), std::move(readerStore), std::move(userStore));
        site.SystemStandard = 7;
        site.AlarmPeriod = 99;
    }

    void SetMachine(const std::string& name, MemorySettingsStore::Value value) {
        machine->values[name] = value;
        reader->values[name] = value;
    }
    void RefuseMachineWrites() { machine->failOpen = true; }

    MemorySettingsStore* machine;
    MemorySettingsStore* reader;
    MemorySettingsStore* user;
    std::unique_ptr<MachineOrUserSettingsStore> store;
    SiteState site;
};

TEST_F(MachineOrUser, WritableMachineStoreIsUsedAloneAndTheUserStoreIsNeverOpened) {
    SetMachine(kStandard, 0);
    user->values[kStandard] = 1;
    user->values[kPeriod] = 45;

    LoadSettings(*store, site);
    EXPECT_EQ(site.SystemStandard, 0);
    EXPECT_EQ(site.AlarmPeriod, 15); // missing on the machine: the default, not the user's

    site.AlarmPeriod = 30;
    SaveSettings(*store, site);
    EXPECT_EQ(machine->writeCount, 2);
    EXPECT_EQ(std::get<std::int32_t>(machine->values[kPeriod]), 30);
    EXPECT_FALSE(user->created);
    EXPECT_EQ(user->writeCount, 0);
}

TEST_F(MachineOrUser, UnwritableMachineReadsEachValueFromTheUserFirstThenTheMachine) {
    RefuseMachineWrites();
    SetMachine(kStandard, 0);
    SetMachine(kPeriod, 20);
    user->values[kPeriod] = 45;

    LoadSettings(*store, site);
    EXPECT_EQ(site.SystemStandard, 0); // the machine's, the user has none
    EXPECT_EQ(site.AlarmPeriod, 45);   // the user's own

    SiteState empty;
    user->values.clear();
    reader->values.clear();
    LoadSettings(*store, empty);
    EXPECT_EQ(empty.SystemStandard, 1); // neither has one: the defaults
    EXPECT_EQ(empty.AlarmPeriod, 15);
}

TEST_F(MachineOrUser, UnwritableMachineSavesBothValuesToTheUserAndLeavesTheMachineAlone) {
    RefuseMachineWrites();
    SetMachine(kStandard, 1);
    site.SystemStandard = 0;
    site.AlarmPeriod = 30;

    SaveSettings(*store, site);
    EXPECT_EQ(user->writeCount, 2);
    EXPECT_EQ(std::get<std::int32_t>(user->values[kStandard]), 0);
    EXPECT_EQ(std::get<std::int32_t>(user->values[kPeriod]), 30);
    EXPECT_EQ(reader->writeCount, 0);
    EXPECT_EQ(std::get<std::int32_t>(reader->values[kStandard]), 1);

    // The next run reads back what this one saved.
    SiteState next;
    LoadSettings(*store, next);
    EXPECT_EQ(next.SystemStandard, 0);
    EXPECT_EQ(next.AlarmPeriod, 30);
}

TEST_F(MachineOrUser, UnreadableUserValueStopsTheLoadRatherThanFallingBack) {
    RefuseMachineWrites();
    SetMachine(kStandard, 0);
    SetMachine(kPeriod, 20);
    user->values[kStandard] = std::string("PD6662");

    LoadSettings(*store, site);
    EXPECT_EQ(site.SystemStandard, 7);
    EXPECT_EQ(site.AlarmPeriod, 99);
}

TEST_F(MachineOrUser, EitherHalfAloneStillServes) {
    RefuseMachineWrites();
    SetMachine(kPeriod, 20);

    // No place of the user's own: the machine's values load, a save is lost.
    user->failOpen = true;
    LoadSettings(*store, site);
    EXPECT_EQ(site.SystemStandard, 1);
    EXPECT_EQ(site.AlarmPeriod, 20);
    SaveSettings(*store, site);
    EXPECT_EQ(user->writeCount + reader->writeCount + machine->writeCount, 0);

    // The machine's cannot be read: the user's values and the defaults.
    user->failOpen = false;
    reader->failOpen = true;
    user->values[kStandard] = 0;
    SiteState other;
    LoadSettings(*store, other);
    EXPECT_EQ(other.SystemStandard, 0);
    EXPECT_EQ(other.AlarmPeriod, 15);
}

TEST_F(MachineOrUser, NothingOpensAndTheSettingsStayWithTheUsersReason) {
    RefuseMachineWrites();
    reader->failOpen = true;
    user->failOpen = true;
    user->failureMessage = "not a file";

    LoadSettings(*store, site);
    EXPECT_EQ(site.SystemStandard, 7);
    EXPECT_EQ(site.AlarmPeriod, 99);
    EXPECT_EQ(store->FailureMessage(), "not a file");
}

} // namespace
} // namespace brellic
