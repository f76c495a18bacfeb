#include "EditorFixture.h"

using namespace brellic;
using brellic::test::EditorTest;

namespace {

SupplySite SiteWithPanel(int row, std::optional<int> battery) {
    SupplySite site;
    site.SiteRef = "Plant room";
    site.Grade = 2;
    site.Panel = row;
    site.Battery = battery;
    site.Devices.push_back({2, 2, "Detector", 0.03, 0.04});
    return site;
}

int PanelAtGrade2() {
    return PanelsForGrade(2).front();
}

TEST_F(EditorTest, LoadSiteGivesBackTheSameSiteAndLeavesItUnmodified) {
    const SupplySite site = SiteWithPanel(PanelAtGrade2(), 0);
    editor->LoadSite(site);
    EXPECT_EQ(editor->CurrentSite(), site);
    EXPECT_FALSE(this->site().Modified);
    EXPECT_TRUE(view().Enabled.mnuGenReport);
    EXPECT_TRUE(this->site().SiteFileName.empty());
}

TEST_F(EditorTest, LoadSiteWithoutPanelOrBatteryLoadsNoneSelected) {
    editor->LoadSite(SiteWithPanel(PanelAtGrade2(), 0));
    SupplySite noPanel = SiteWithPanel(PanelAtGrade2(), std::nullopt);
    noPanel.Panel.reset();
    editor->LoadSite(noPanel);
    EXPECT_EQ(view().PanelSelected, -1);
    EXPECT_EQ(site().PanelIndex, -1);
    EXPECT_TRUE(view().BatteryItems.empty());
    EXPECT_EQ(editor->CurrentSite(), noPanel);
    EXPECT_FALSE(view().Enabled.mnuSaveAs);

    const SupplySite noBattery = SiteWithPanel(PanelAtGrade2(), std::nullopt);
    editor->LoadSite(noBattery);
    EXPECT_GE(view().PanelSelected, 0);
    EXPECT_EQ(view().BatterySelected, -1);
    EXPECT_EQ(editor->CurrentSite(), noBattery);
    EXPECT_EQ(editor->Result().Totals.Standby.State, Outcome::NotJudged);
}

TEST_F(EditorTest, OwnStandardRecalculatesWithoutTouchingTheStoredOptions) {
    editor->LoadSite(SiteWithPanel(PanelAtGrade2(), 0));
    const std::int32_t standard = editor->OptionsStandard();
    const std::int32_t period = editor->OptionsAlarmPeriod();
    editor->JudgeUnder(standard == 0 ? 1 : 0, 120);
    EXPECT_EQ(site().AlarmPeriod, 120);
    EXPECT_EQ(editor->OptionsAlarmPeriod(), period);
    const double remaining = editor->Result().Totals.RemainingCapacity;

    // Options edits its own values; the site stays under its own.
    editor->Options1Click([](std::int32_t& s, std::int32_t& p) {
        s = 0;
        p = 30;
        return true;
    });
    EXPECT_EQ(std::get<std::int32_t>(store.values.at("Alarm Period")), 30);
    EXPECT_EQ(site().AlarmPeriod, 120);
    EXPECT_EQ(editor->Result().Totals.RemainingCapacity, remaining);
    EXPECT_TRUE(editor->CloseQuery());
    EXPECT_EQ(std::get<std::int32_t>(store.values.at("Alarm Period")), 30);
    // New reloads the Options' values from the store; the site's own stay in force.
    editor->New();
    EXPECT_EQ(site().AlarmPeriod, 120);
    EXPECT_EQ(editor->OptionsAlarmPeriod(), 30);

    editor->JudgeUnderOptions();
    EXPECT_EQ(site().AlarmPeriod, 30);
    EXPECT_EQ(site().SystemStandard, 0);
}

} // namespace
