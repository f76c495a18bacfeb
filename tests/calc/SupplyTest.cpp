#include "calc/Supply.h"

#include <gtest/gtest.h>

using namespace brellic;

namespace {

struct Site {
    SiteState state;
    DisplayTexts texts;
    bool acFail = false;

    Site(int grade, int panel, Extended capacity, int standard = 1) {
        state.SystemStandard = standard;
        state.SystemGrade = grade;
        state.PanelIndex = panel;
        state.BatteryCapacity = capacity;
        UpdateSupply(state, acFail, texts, '.');
    }
};

} // namespace

TEST(ParseBatteryCapacity, TableTextsAndOddOnes) {
    EXPECT_EQ(ParseBatteryCapacity("2.1 Ah"), 2.1L);
    EXPECT_EQ(ParseBatteryCapacity("7.2 Ah"), 7.2L);
    EXPECT_EQ(ParseBatteryCapacity("17.0 Ah"), 17.0L);
    EXPECT_EQ(ParseBatteryCapacity("18.0 Ah"), 18.0L);
    // Only the text before the first "Ah" counts.
    EXPECT_EQ(ParseBatteryCapacity("14.4 Ah (2 x 7.2)"), 14.4L);
    EXPECT_EQ(ParseBatteryCapacity("no capacity"), 0.0L);
    EXPECT_EQ(ParseBatteryCapacity("Ah"), 0.0L);
    EXPECT_EQ(ParseBatteryCapacity("x Ah"), 0.0L);
    EXPECT_EQ(ParseBatteryCapacity("abc Ah"), 0.0L);
    EXPECT_EQ(ParseBatteryCapacity("7.2 ah"), 0.0L); // case-sensitive
    EXPECT_EQ(ParseBatteryCapacity("1.2.3 Ah"), 0.0L);
}

TEST(UpdateSupply, RequiredStandbyByStandardGradeAndAcFail) {
    struct Case {
        int standard, grade;
        bool acFail;
        int hours;
    } cases[] = {{0, 1, false, 12}, {0, 1, true, 12}, {0, 2, true, 12},  {1, 2, false, 12},
                 {0, 3, false, 60}, {0, 3, true, 30}, {1, 3, false, 24}, {1, 3, true, 12},
                 {2, 3, false, 24}, {5, 3, true, 12}};
    for (const Case& c : cases) {
        SiteState state;
        state.SystemStandard = c.standard;
        state.SystemGrade = c.grade;
        state.PanelIndex = -1;
        DisplayTexts texts;
        UpdateSupply(state, c.acFail, texts, '.');
        EXPECT_EQ(state.StandbyHours, c.hours) << c.standard << "/" << c.grade << "/" << c.acFail;
        EXPECT_EQ(texts.lbPeriod, std::to_string(c.hours) + " Hours");
        EXPECT_EQ(texts.lbReqStandby, std::to_string(c.hours) + " Hours Standby");
    }
}

TEST(UpdateSupply, GradeOutsideRangeKeepsStandbyHours) {
    SiteState state;
    state.StandbyHours = 24;
    state.SystemGrade = -1;
    state.PanelIndex = -1;
    DisplayTexts texts;
    UpdateSupply(state, false, texts, '.');
    EXPECT_EQ(state.StandbyHours, 24);
}

TEST(UpdateSupply, NoPanelShowsUnknown) {
    Site site(2, -1, 0);
    EXPECT_EQ(site.texts.lbPSU, "Unknown");
    EXPECT_EQ(site.texts.lbBattCurrent, "Unknown");
    EXPECT_EQ(site.texts.lbPeakCurrent, "Unknown");
    EXPECT_EQ(site.texts.lbRatedOP, "Please Select Battery");
    EXPECT_EQ(site.texts.lbPeriod, "12 Hours");
    EXPECT_EQ(site.texts.lbReqPeakCur, "---");
    EXPECT_EQ(site.texts.Caption, "Brellic");
}

TEST(UpdateSupply, PanelWithoutBattery) {
    Site site(1, 10, 0);
    EXPECT_EQ(site.texts.lbPSU, "2.00 Amps");
    EXPECT_EQ(site.texts.lbBattCurrent, "0.75 Amps");
    EXPECT_EQ(site.texts.lbPeakCurrent, "Unknown");
    EXPECT_EQ(site.texts.lbRatedOP, "Please Select Battery");
    EXPECT_EQ(site.state.PeakCurrent, 1.25);
    // The requirement names the chosen panel's own figure straight away.
    EXPECT_EQ(site.texts.lbReqPeakCur, "Max Alarm Current: 1.25 Amps");
}

TEST(UpdateSupply, RatedOutputExamples) {
    struct Case {
        int grade, standard, panel;
        const char* battery;
        const char* rated;
        const char* peak;
    } cases[] = {
        {1, 1, 10, "17.0 Ah", "1.25 Amps", "1.25 Amps"}, // 1.4167 capped at the peak current
        {1, 1, 15, "17.0 Ah", "1.42 Amps", "1.75 Amps"},
        {1, 1, 0, "2.1 Ah", "0.17 Amps", "0.88 Amps"}, // extended division: just below 0.175
        {3, 0, 13, "7.2 Ah", "0.12 Amps", "1.25 Amps"},
        {3, 1, 21, "14.4 Ah (2 x 7.2)", "0.60 Amps", "1.75 Amps"},
    };
    for (const Case& c : cases) {
        Site site(c.grade, c.panel, ParseBatteryCapacity(c.battery), c.standard);
        EXPECT_EQ(site.texts.lbRatedOP, c.rated) << c.panel << " " << c.battery;
        EXPECT_EQ(site.texts.lbPeakCurrent, c.peak);
        EXPECT_EQ(site.texts.lbReqPeakCur, std::string("Max Alarm Current: ") + c.peak);
    }
}

TEST(UpdateSupply, NoPanelKeepsLastPeakCurrent) {
    Site site(3, 15, 0);
    site.state.PanelIndex = -1;
    UpdateSupply(site.state, false, site.texts, '.');
    EXPECT_EQ(site.state.PeakCurrent, 1.75);
}

TEST(UpdateSupply, CaptionAndSeparator) {
    SiteState state;
    state.SystemGrade = 1;
    state.PanelIndex = 9;
    state.BatteryCapacity = 7.2L;
    state.SiteFileName = "/home/me/sites/Mill Lane.KVR";
    DisplayTexts texts;
    UpdateSupply(state, false, texts, ',');
    EXPECT_EQ(texts.Caption, "Brellic - /home/me/sites/Mill Lane.KVR");
    EXPECT_EQ(texts.lbPSU, "1,50 Amps");
    EXPECT_EQ(texts.lbRatedOP, "0,60 Amps");
}
