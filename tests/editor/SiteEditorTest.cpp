#include "EditorFixture.h"

using namespace brellic;
using brellic::test::EditorTest;
using Asked = brellic::test::ScriptedPrompter::Asked;

namespace {

bool AnyEnabled(const Enabling& e) {
    return e.lbDevices || e.btnAdd || e.btnEdit || e.btnDelete || e.mnuSave || e.mnuSaveAs ||
           e.mnuGenReport;
}

} // namespace

TEST_F(EditorTest, StartUpState) {
    EXPECT_EQ(view().GradeIndex, 1);
    EXPECT_EQ(site().SystemGrade, 2);
    EXPECT_EQ(view().PanelItems.size(), 19u);
    EXPECT_EQ(view().PanelSelected, -1);
    EXPECT_TRUE(view().BatteryItems.empty());
    EXPECT_FALSE(view().AcFailEnabled);
    EXPECT_FALSE(view().AcFailChecked);
    EXPECT_EQ(texts().lbPSU, "Unknown");
    EXPECT_EQ(texts().lbRatedOP, "Please Select Battery");
    EXPECT_EQ(texts().lbPeriod, "12 Hours");
    EXPECT_EQ(texts().lbReqStandby, "12 Hours Standby");
    EXPECT_EQ(texts().TotNomI, "0.000 Amps");
    EXPECT_EQ(texts().lbActStandby, "---");
    EXPECT_EQ(texts().lbActPeak, "---");
    EXPECT_EQ(texts().Caption, "Brellic");
    EXPECT_FALSE(AnyEnabled(view().Enabled));
    EXPECT_FALSE(site().Modified);
    // Nothing stored yet: the defaults, and the load wrote nothing.
    EXPECT_EQ(site().SystemStandard, 1);
    EXPECT_EQ(site().AlarmPeriod, 15);
    EXPECT_EQ(store.writeCount, 0);
    EXPECT_TRUE(prompter.asked.empty());
}

TEST_F(EditorTest, ChoosingTheSameGradeDoesNothing) {
    Ready(2, 5, "7.2 Ah");
    editor->GradeChanged(1, Origin::User);
    EXPECT_EQ(view().PanelSelected, 2); // rows 3 to 21 are offered at grade 2
    EXPECT_EQ(view().BatterySelected, 0);
}

TEST_F(EditorTest, GradeQuestionYesEmptiesPanelAndBattery) {
    Ready(2, 5, "7.2 Ah");
    prompter.answers = {true};
    ChooseGrade(3);
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0].kind, Asked::Confirm);
    EXPECT_EQ(prompter.asked[0].text,
              std::string("The ") + std::string(PanelTable[5].Name) +
                  " cannot be used for grade 3 Systems. Do you \r\nwant to refresh panel list?");
    EXPECT_EQ(site().SystemGrade, 3);
    EXPECT_EQ(site().PanelIndex, -1);
    EXPECT_EQ(view().PanelSelected, -1);
    EXPECT_TRUE(view().BatteryItems.empty());
    EXPECT_EQ(view().PanelItems.size(), 12u);
    EXPECT_TRUE(view().AcFailEnabled);
    EXPECT_FALSE(AnyEnabled(view().Enabled));
    EXPECT_EQ(texts().lbReqStandby, "24 Hours Standby");
}

TEST_F(EditorTest, GradeQuestionNoPutsTheGradeBack) {
    Ready(2, 5, "7.2 Ah");
    const DisplayTexts before = texts();
    editor->SelectDevice(-1);
    prompter.answers = {false};
    ChooseGrade(3);
    EXPECT_EQ(view().GradeIndex, 1);
    EXPECT_EQ(site().SystemGrade, 2);
    EXPECT_EQ(site().PanelIndex, 5);
    EXPECT_EQ(view().BatterySelected, 0);
    EXPECT_EQ(texts().lbActStandby, before.lbActStandby);
    EXPECT_TRUE(view().Enabled.btnAdd);
}

TEST_F(EditorTest, GradeThreeToTwoKeepsPanelAndBatteryAndClearsAcFail) {
    Ready(3, 10, "17.0 Ah");
    editor->AcFailClicked(true);
    EXPECT_EQ(texts().lbPeriod, "12 Hours"); // PD6662 with AC fail signalled
    ChooseGrade(2);
    EXPECT_TRUE(prompter.asked.empty());
    EXPECT_EQ(site().PanelIndex, 10);
    EXPECT_EQ(view().PanelItems[static_cast<std::size_t>(view().PanelSelected)],
              PanelTable[10].Name);
    EXPECT_EQ(view().BatterySelected, 1);
    EXPECT_FALSE(view().AcFailChecked);
    EXPECT_FALSE(view().AcFailEnabled);
    EXPECT_TRUE(site().Modified);
    EXPECT_EQ(texts().lbRatedOP, "1.25 Amps");
}

TEST_F(EditorTest, PanelChangeEmptiesBatteryAndDisablesCommands) {
    Ready(2, 10, "17.0 Ah");
    AddCatalogue(DeviceCatalogue[13].Name);
    EXPECT_TRUE(view().Enabled.btnEdit);
    ChoosePanel(15);
    EXPECT_EQ(view().BatterySelected, -1);
    EXPECT_EQ(view().BatteryItems.size(), 3u);
    EXPECT_EQ(site().BatteryCapacity, 0);
    EXPECT_FALSE(AnyEnabled(view().Enabled));
    EXPECT_EQ(editor->Devices().Count(), 1u);
    EXPECT_EQ(texts().lbActStandby, "---");
    EXPECT_EQ(texts().lbReqPeakCur, "Max Alarm Current: 1.75 Amps");
}

TEST_F(EditorTest, RemovingDevicesBelowTheNewGrade) {
    for (bool answer : {true, false}) {
        Start();
        Ready(2, 10, "17.0 Ah");
        AddCatalogue(DeviceCatalogue[13].Name); // grade 2
        AddCatalogue(DeviceCatalogue[21].Name); // grade 3
        AddCatalogue(DeviceCatalogue[53].Name); // grade 4
        prompter.asked.clear();
        prompter.answers = {answer};
        ChooseGrade(3);
        ASSERT_EQ(prompter.asked.size(), 1u);
        EXPECT_EQ(prompter.asked[0].kind, Asked::ErrorQuestion);
        EXPECT_EQ(prompter.asked[0].text, kRemoveBelowGradeQuestion);
        if (answer) {
            ASSERT_EQ(editor->Devices().Count(), 2u);
            EXPECT_EQ(editor->Devices().At(0).Data.Description, DeviceCatalogue[21].Name);
            EXPECT_EQ(editor->Devices().At(1).Data.Description, DeviceCatalogue[53].Name);
        } else {
            EXPECT_EQ(editor->Devices().Count(), 3u);
        }
    }
}

TEST_F(EditorTest, GradeChangeWithNothingBelowAsksNothing) {
    Ready(2, 10, "17.0 Ah");
    AddCatalogue(DeviceCatalogue[21].Name);
    ChooseGrade(3);
    ChooseGrade(1);
    EXPECT_TRUE(prompter.asked.empty());
}

TEST_F(EditorTest, OptionsRecalculateWithoutTouchingModified) {
    Ready(3, 10, "17.0 Ah");
    EXPECT_EQ(texts().lbPeriod, "24 Hours");
    const bool modified = site().Modified;
    editor->Options1Click([](std::int32_t& standard, std::int32_t& period) {
        EXPECT_EQ(standard, 1);
        EXPECT_EQ(period, 15);
        standard = 0;
        period = 30;
        return true;
    });
    EXPECT_EQ(site().SystemStandard, 0);
    EXPECT_EQ(site().AlarmPeriod, 30);
    EXPECT_EQ(texts().lbPeriod, "60 Hours");
    EXPECT_EQ(site().Modified, modified);

    editor->Options1Click([](std::int32_t& standard, std::int32_t&) {
        standard = 1;
        return false; // cancelled
    });
    EXPECT_EQ(site().SystemStandard, 0);
}

TEST_F(EditorTest, NewKeepsTheConfirmedOptionsAndEmptiesTheSite) {
    Ready(3, 10, "17.0 Ah");
    editor->SiteRefChanged("Mill Lane");
    AddCatalogue(DeviceCatalogue[21].Name);
    editor->Options1Click([](std::int32_t& standard, std::int32_t& period) {
        standard = 0;
        period = 45;
        return true;
    });
    prompter.answers = {false}; // do not save the edited site
    editor->New();
    EXPECT_EQ(site().SystemStandard, 0);
    EXPECT_EQ(site().AlarmPeriod, 45);
    EXPECT_TRUE(editor->Devices().Empty());
    EXPECT_EQ(view().SiteRef, "");
    EXPECT_EQ(view().GradeIndex, 2); // the new site starts at the grade last shown
    EXPECT_EQ(site().PanelIndex, -1);
    EXPECT_FALSE(site().Modified);
    EXPECT_EQ(texts().Caption, "Brellic");
}

TEST_F(EditorTest, FirstCloseStoresBothSettings) {
    EXPECT_TRUE(editor->CloseQuery());
    EXPECT_EQ(std::get<std::int32_t>(store.values.at("System Standard")), 1);
    EXPECT_EQ(std::get<std::int32_t>(store.values.at("Alarm Period")), 15);
}

TEST_F(EditorTest, StoredValuesAreUsedAsTheyAre) {
    store.values["System Standard"] = 5;
    store.values["Alarm Period"] = 120;
    Start();
    Ready(3, 10, "17.0 Ah");
    EXPECT_EQ(site().AlarmPeriod, 120);
    EXPECT_EQ(prompter.asked.size(), 0u);
    EXPECT_EQ(texts().lbPeriod, "24 Hours"); // 5 counts as PD6662
}

TEST_F(EditorTest, UnreadableOrMissingStoreGivesTheDefaults) {
    store.failOpen = true;
    Start();
    EXPECT_EQ(site().SystemStandard, 1);
    EXPECT_EQ(site().AlarmPeriod, 15);

    store.failOpen = false;
    store.values["System Standard"] = std::string("zero");
    store.values["Alarm Period"] = 60;
    Start();
    EXPECT_EQ(site().SystemStandard, 1);
    EXPECT_EQ(site().AlarmPeriod, 15); // the load stopped before the period
    EXPECT_EQ(prompter.asked.size(), 0u) << "these failures stay silent";
}

// What the user must know of the stored settings is said once a run, not
// again before every new site.
TEST_F(EditorTest, SettingsNoticesAreShownOncePerRun) {
    store.failOpen = true;
    store.failureMessage =
        "The settings file /x/Brellic.ini is not a regular file; the default settings are used.";
    Start();
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0].kind, Asked::Error);
    EXPECT_EQ(prompter.asked[0].text, store.failureMessage);
    EXPECT_EQ(site().AlarmPeriod, 15);
    editor->New();
    EXPECT_EQ(prompter.Count(Asked::Error), 1u);

    store.failOpen = false;
    store.values["System Standard"] = 0;
    store.values["Alarm Period"] = -2147483647 - 1;
    prompter.asked.clear();
    Start();
    EXPECT_EQ(site().AlarmPeriod, 15);
    EXPECT_EQ(site().SystemStandard, 0);
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0].text, "The stored alarm period (-2147483648 minutes) is outside 1 "
                                      "to 120; 15 minutes is used.");
    editor->New();
    EXPECT_EQ(prompter.asked.size(), 1u);
}

// Options are stored when OK is pressed: New reloads the stored settings, so
// otherwise the next site would be judged under the old standard again.
TEST_F(EditorTest, OptionsAreStoredOnOkOnly) {
    store.values["System Standard"] = 1;
    store.values["Alarm Period"] = 15;
    Start();
    editor->Options1Click([](std::int32_t&, std::int32_t& period) {
        period = 45;
        return false; // Cancel
    });
    EXPECT_EQ(std::get<std::int32_t>(store.values["Alarm Period"]), 15);
    editor->Options1Click([](std::int32_t& standard, std::int32_t& period) {
        standard = 0;
        period = 30;
        return true;
    });
    EXPECT_EQ(std::get<std::int32_t>(store.values["System Standard"]), 0);
    EXPECT_EQ(std::get<std::int32_t>(store.values["Alarm Period"]), 30);
}

TEST_F(EditorTest, AddToAFullListSaysWhy) {
    Ready(2, 10, "17.0 Ah");
    for (int i = 0; i < 100; ++i)
        AddCustom("Line", 1, 0.001, 0.001);
    ASSERT_EQ(editor->Devices().Count(), 100u);
    bool shown = false;
    editor->btnAddClick([&](DeviceDialog&) { return shown = true; });
    EXPECT_FALSE(shown);
    EXPECT_EQ(editor->Devices().Count(), 100u);
    ASSERT_EQ(prompter.Count(Asked::Error), 1u);
    EXPECT_EQ(prompter.asked.back().text, "A site holds at most 100 device lines.");
}

TEST_F(EditorTest, SiteReferenceIsCheckedAndCut) {
    EXPECT_TRUE(editor->SiteRefChanged("Caf\xC3\xA9 \xE2\x82\xAC")); // "Café €"
    EXPECT_TRUE(site().Modified);
    EXPECT_FALSE(editor->SiteRefChanged("\xCE\xA9")); // Greek omega has no single byte
    EXPECT_EQ(view().SiteRef, "Caf\xC3\xA9 \xE2\x82\xAC");
    EXPECT_TRUE(editor->SiteRefChanged(std::string(60, 'x')));
    EXPECT_EQ(view().SiteRef, std::string(50, 'x'));
}
