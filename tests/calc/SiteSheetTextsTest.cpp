// The calculation sheet's figures against hand calculations, and its battery
// verdicts against the window's standby verdict for every panel and grade.
#include "calc/SiteSheetTexts.h"
#include "calc/Supply.h"
#include "model/Globals.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

using namespace brellic;

namespace {

// A site as the window leaves it after the supply and totals calculations.
struct Site {
    SiteState state;
    DeviceList devices;
    DisplayTexts texts;
    SheetSite details;

    Site(int grade, int panel, const char* battery, int standard = 1, int alarmPeriod = 15) {
        state.SystemStandard = standard;
        state.AlarmPeriod = alarmPeriod;
        state.SystemGrade = grade;
        state.PanelIndex = panel;
        Choose(battery);
    }
    void Choose(const char* battery) {
        details.BatteryText = battery != nullptr ? battery : "";
        state.BatteryCapacity = battery != nullptr ? ParseBatteryCapacity(battery) : 0;
    }
    void Add(double quiescent, double alarm) {
        devices.Append(TDeviceData{1, 3, "line", quiescent, alarm}, '.');
    }
    SiteSheetTexts Sheet(char separator = '.') {
        UpdateSupply(state, details.AcFailSignalled, texts, separator);
        UpdateTotals(state, devices, state.PanelIndex >= 0, state.BatteryCapacity > 0, texts,
                     separator);
        return ComputeSheet(state, devices, details, separator);
    }
};

std::vector<std::string> BatteryTexts(const SiteSheetTexts& sheet) {
    std::vector<std::string> texts;
    for (const SheetBattery& battery : sheet.Batteries)
        texts.push_back(battery.Text);
    return texts;
}

std::string Fitting(const SiteSheetTexts& sheet) {
    return sheet.FittingBattery < 0
               ? "none"
               : sheet.Batteries[static_cast<std::size_t>(sheet.FittingBattery)].Text;
}

} // namespace

TEST(CalculationSheet, WorkingOfTheGradeThreeExample) {
    Site site(3, 10, "17.0 Ah", 0, 15);
    site.Add(0.200, 1.000);
    const SiteSheetTexts s = site.Sheet();

    EXPECT_EQ(s.RequiredStandby.Line(),
              "Required standby = EN50131-1, grade 3, AC fail not signalled = 60 Hours");
    EXPECT_EQ(s.PeakCurrent.Line(), "Peak available current = 2.00 A − 0.75 A = 1.25 Amps");
    EXPECT_EQ(s.RatedOutput.Line(), "Continuous rated output = 17.00 Ah ÷ 60 h = 0.28 Amps");
    EXPECT_EQ(s.QuiescentTotal.Line(),
              "Quiescent total = 0.200 A (devices) + 0.070 A (panel) = 0.270 Amps");
    EXPECT_EQ(s.AlarmTotal.Line(),
              "Alarm total = 1.000 A (devices) + 0.070 A (panel) = 1.070 Amps");
    // 17 − 0.5 × 1.07 = 16.465; 16.465 ÷ 0.27 = 60.98.
    EXPECT_EQ(s.RemainingCapacity.Line(),
              "Remaining capacity = 17.00 Ah − (2 × 15 ÷ 60) h × 1.070 A = 16.465 Ah");
    EXPECT_EQ(s.ActualStandby.Line(), "Actual standby = 16.465 Ah ÷ 0.270 A = 60.98 Hours");
    EXPECT_EQ(s.StandbyCheck.Comparison, "60.98 Hours ≥ 60 Hours");
    EXPECT_EQ(s.StandbyCheck.Result, Outcome::Meets);
    EXPECT_EQ(s.AlarmCheck.Comparison, "1.070 Amps ≤ 1.25 Amps");
    EXPECT_EQ(s.AlarmCheck.Result, Outcome::Meets);

    // 60 × 0.27 + 0.5 × 1.07 = 16.735, and 16.735 × 1.25 = 20.91875.
    EXPECT_EQ(s.CapacityNeeded.Line(),
              "Capacity needed = 60 h × 0.270 A + (2 × 15 ÷ 60) h × 1.070 A = 16.735 Ah");
    EXPECT_EQ(s.CapacityWithAllowance.Line(),
              "With 25 % ageing allowance = 16.735 Ah × 1.25 = 20.919 Ah");
    // 16.465 ÷ 60 − 0.27 = 0.00442; 1.25 − 1.07 = 0.18.
    EXPECT_EQ(s.SpareQuiescent.Line(),
              "Spare quiescent current = 16.465 Ah ÷ 60 h − 0.270 A = 0.004 Amps");
    EXPECT_EQ(s.SpareAlarm.Line(), "Spare alarm current = 1.25 A − 1.070 A = 0.180 Amps");
    // 0.8 × 17 ÷ 0.75 = 18.13, within the 24 hours of grade 3.
    EXPECT_EQ(s.Recharge.Line(), "Recharge to 80 % = 0.8 × 17.00 Ah ÷ 0.75 A = 18.13 Hours");
    EXPECT_EQ(s.RechargeCheck.Comparison, "18.13 Hours ≤ 24 Hours");
    EXPECT_EQ(s.RechargeCheck.Result, Outcome::Meets);

    // (7.2 − 0.535) ÷ 0.27 = 24.69 falls short; 17.0 is the chosen and the smallest that meets.
    EXPECT_EQ(BatteryTexts(s), (std::vector<std::string>{"7.2 Ah", "17.0 Ah", "18.0 Ah"}));
    EXPECT_EQ(s.Batteries[0].ActualStandby, "24.69 Hours");
    EXPECT_EQ(s.Batteries[0].Standby, Outcome::Fails);
    EXPECT_TRUE(s.Batteries[1].Chosen);
    EXPECT_EQ(Fitting(s), "17.0 Ah");
    EXPECT_EQ(s.BatteryConclusion,
              "The battery chosen, 17.0 Ah, is the smallest that meets the requirement.");

    // The sheet shows what the window shows.
    EXPECT_EQ(s.StandbyCheck.Requirement, site.texts.lbReqStandby);
    EXPECT_EQ(s.StandbyCheck.Actual, site.texts.lbActStandby);
    EXPECT_EQ(s.StandbyCheck.Comment, site.texts.lbSbNotes);
    EXPECT_EQ(s.AlarmCheck.Requirement, site.texts.lbReqPeakCur);
    EXPECT_EQ(s.AlarmCheck.Actual, site.texts.lbActPeak);
    EXPECT_EQ(s.Totals.Quiescent, site.texts.TotNomI);
    EXPECT_EQ(s.PanelLine.Alarm, site.texts.lbCPAlarmI);
}

TEST(CalculationSheet, HeaderAndDeviceTable) {
    Site site(2, 0, "2.1 Ah");
    site.details.SiteRef = "Mill Lane";
    site.devices.Append(TDeviceData{3, 2, "Door contact", 0.039, 0.039}, '.');
    const SiteSheetTexts s = site.Sheet();
    EXPECT_EQ(s.SiteRef, "Mill Lane");
    EXPECT_EQ(s.Standard, "PD6662");
    EXPECT_EQ(s.Grade, "2");
    EXPECT_EQ(s.AcFailSignalled, "No");
    EXPECT_EQ(s.PanelName, "QX-110 Panel");
    EXPECT_EQ(s.BatteryText, "2.1 Ah");
    EXPECT_EQ(s.AlarmPeriod, "15 minutes");
    ASSERT_EQ(s.Devices.size(), 1u);
    EXPECT_EQ(s.Devices[0].Qty, "3");
    EXPECT_EQ(s.Devices[0].Quiescent, "0.039 Amps");
    EXPECT_EQ(s.PanelLine.Description, "QX-110 Panel (control panel)");
    EXPECT_EQ(s.PanelLine.Quiescent, "0.050 Amps");
    EXPECT_EQ(s.Totals.Alarm, "0.089 Amps");
    // Grades 1 and 2 need neither the AC fail signalling nor more than 72 hours' recharge.
    EXPECT_EQ(s.RequiredStandby.Working, "PD6662, grade 2");
    EXPECT_EQ(s.RechargeCheck.Requirement, "At most 72 Hours");
}

TEST(CalculationSheet, RatedOutputCappedAtThePeakCurrent) {
    Site site(1, 10, "17.0 Ah");
    const SiteSheetTexts s = site.Sheet();
    EXPECT_EQ(s.RatedOutput.Line(), "Continuous rated output = 17.00 Ah ÷ 12 h = 1.42 Amps, "
                                    "capped at the peak current = 1.25 Amps");
    EXPECT_EQ(s.RatedOutput.Result, site.texts.lbRatedOP);
}

TEST(CalculationSheet, BatteryThatExactlyMeetsWithNoSpareCurrent) {
    // 1.29 + 0.07 = 1.36 A both ways: (17 − 0.5 × 1.36) ÷ 1.36 = 16.32 ÷ 1.36 = 12 hours exactly.
    Site site(1, 10, "18.0 Ah");
    site.Add(1.29, 1.29);
    SiteSheetTexts s = site.Sheet();
    EXPECT_EQ(Fitting(s), "17.0 Ah");
    EXPECT_EQ(s.Batteries[1].ActualStandby, "12.00 Hours");
    EXPECT_EQ(s.BatteryConclusion, "The smallest battery that meets the requirement is 17.0 Ah.");

    site.Choose("17.0 Ah");
    s = site.Sheet();
    EXPECT_EQ(s.ActualStandby.Line(), "Actual standby = 16.320 Ah ÷ 1.360 A = 12.00 Hours");
    EXPECT_EQ(s.StandbyCheck.Comparison, "12.00 Hours ≥ 12 Hours");
    EXPECT_EQ(s.StandbyCheck.Result, Outcome::Meets);
    EXPECT_EQ(site.texts.lbActStandbyColor, kVerdictMeets);
    // 16.32 ÷ 12 − 1.36 = 0: shown without a sign.
    EXPECT_EQ(s.SpareQuiescent.Line(),
              "Spare quiescent current = 16.320 Ah ÷ 12 h − 1.360 A = 0.000 Amps");
    EXPECT_EQ(s.SpareQuiescent.Note, "");

    // A milliampere more and the 17.0 Ah falls short; 18.0 Ah takes its place.
    site.devices.Update(0, TDeviceData{1, 3, "line", 1.291, 1.29}, '.');
    s = site.Sheet();
    EXPECT_EQ(s.StandbyCheck.Result, Outcome::Fails);
    EXPECT_EQ(s.StandbyCheck.Comparison, "11.99 Hours < 12 Hours");
    EXPECT_EQ(s.SpareQuiescent.Result, "-0.001 Amps");
    EXPECT_NE(s.SpareQuiescent.Note, "");
    EXPECT_EQ(Fitting(s), "18.0 Ah");
}

TEST(CalculationSheet, SpareAlarmCurrentAtZeroAndBeyond) {
    // 1.18 + 0.07 rounds to exactly 1.25, the peak current of panel row 10.
    Site site(1, 10, "7.2 Ah");
    site.Add(0.01, 1.18);
    SiteSheetTexts s = site.Sheet();
    EXPECT_EQ(s.SpareAlarm.Line(), "Spare alarm current = 1.25 A − 1.250 A = 0.000 Amps");
    EXPECT_EQ(s.AlarmCheck.Comparison, "1.250 Amps ≤ 1.25 Amps");
    EXPECT_EQ(s.AlarmCheck.Result, Outcome::Meets);

    site.devices.Update(0, TDeviceData{1, 3, "line", 0.01, 1.5}, '.');
    s = site.Sheet();
    EXPECT_EQ(s.SpareAlarm.Result, "-0.320 Amps");
    EXPECT_EQ(s.AlarmCheck.Comparison, "1.570 Amps > 1.25 Amps");
    EXPECT_EQ(s.AlarmCheck.Result, Outcome::Fails);
    EXPECT_EQ(s.AlarmCheck.Comment, site.texts.lbPeakNotes);
}

TEST(CalculationSheet, NoBatteryIsEnough) {
    // 60 hours at 0.505 + 0.095 A: even 18 Ah gives (18 − 0.5 × 0.6) ÷ 0.6 = 29.5 hours.
    Site site(3, 15, "18.0 Ah", 0, 15);
    site.Add(0.505, 0.505);
    const SiteSheetTexts s = site.Sheet();
    EXPECT_EQ(s.FittingBattery, -1);
    for (const SheetBattery& battery : s.Batteries)
        EXPECT_EQ(battery.Standby, Outcome::Fails) << battery.Text;
    // Needed: 60 × 0.6 + 0.5 × 0.6 = 36.3 Ah, 18.3 Ah more than the largest holds.
    EXPECT_EQ(s.CapacityNeeded.Result, "36.300 Ah");
    EXPECT_EQ(s.BatteryConclusion,
              "None of this panel's batteries meets the requirement. The "
              "largest, 18.0 Ah, gives 29.50 Hours; capacity short: 18.300 Ah.");
}

TEST(CalculationSheet, TwinBatteryRanksByCapacity) {
    // The power-supply unit takes 7.2, 17.0, 18.0 and "14.4 Ah (2 x 7.2)", in that table order.
    Site site(2, 20, "7.2 Ah");
    site.Add(0.5, 0.5);
    const SiteSheetTexts s = site.Sheet();
    EXPECT_EQ(BatteryTexts(s),
              (std::vector<std::string>{"7.2 Ah", "14.4 Ah (2 x 7.2)", "17.0 Ah", "18.0 Ah"}));
    // 0.5 + 0.025 A: 7.2 Ah gives (7.2 − 0.5 × 0.525) ÷ 0.525 = 13.21 hours, enough for 12.
    EXPECT_EQ(s.Batteries[0].ActualStandby, "13.21 Hours");
    EXPECT_EQ(Fitting(s), "7.2 Ah");

    site.devices.Update(0, TDeviceData{1, 3, "line", 0.7, 0.7}, '.');
    const SiteSheetTexts heavier = site.Sheet();
    // 0.725 A: 7.2 Ah gives 9.43 hours; 14.4 Ah gives 19.36 hours and is the smallest that meets.
    EXPECT_EQ(heavier.Batteries[0].Standby, Outcome::Fails);
    EXPECT_EQ(Fitting(heavier), "14.4 Ah (2 x 7.2)");
}

TEST(CalculationSheet, ZeroQuiescentTotalIsUndefinedAndNeverPasses) {
    Site site(1, 0, "2.1 Ah");
    site.Add(-0.05, 0.1); // cancels the panel's own 0.05 A
    const SiteSheetTexts s = site.Sheet();
    EXPECT_EQ(s.QuiescentTotal.Result, "0.000 Amps");
    EXPECT_EQ(s.ActualStandby.Line(), "Actual standby = 2.025 Ah ÷ 0.000 A = Undefined");
    EXPECT_FALSE(s.ActualStandby.Defined);
    EXPECT_EQ(s.StandbyCheck.Actual, "Undefined");
    EXPECT_EQ(s.StandbyCheck.Result, Outcome::Fails);
    EXPECT_EQ(s.StandbyCheck.Comment, site.texts.lbSbNotes);
    EXPECT_EQ(s.CapacityNeeded.Result, "Undefined");
    EXPECT_EQ(s.FittingBattery, -1);
    EXPECT_EQ(s.Batteries[0].ActualStandby, "Undefined");
    // Only a negative line can cancel the panel's draw; it is named instead.
    EXPECT_EQ(s.BatteryConclusion,
              "No battery can be weighed up: Device line 1 has a negative current.");
}

TEST(CalculationSheet, NonFiniteTotalsAreUndefinedAndNeverPass) {
    const double huge = std::numeric_limits<double>::max();
    for (const auto& [quiescent, alarm] :
         {std::pair{huge, 0.1}, std::pair{0.1, huge}, std::pair{std::nan(""), 0.1}}) {
        Site site(1, 10, "17.0 Ah");
        site.Add(quiescent, alarm);
        site.Add(quiescent, alarm); // twice the largest double is infinite
        const SiteSheetTexts s = site.Sheet();
        EXPECT_EQ(s.StandbyCheck.Actual, "Undefined") << quiescent << " " << alarm;
        EXPECT_EQ(s.StandbyCheck.Result, Outcome::Fails);
        EXPECT_EQ(s.FittingBattery, -1);
        EXPECT_EQ(s.CapacityNeeded.Result, "Undefined");
        EXPECT_EQ(s.SpareQuiescent.Result, "Undefined");
        const bool alarmFinite = alarm == 0.1;
        EXPECT_EQ(s.AlarmCheck.Result, alarmFinite ? Outcome::Meets : Outcome::Fails);
        EXPECT_EQ(s.Totals.Alarm == "Undefined", !alarmFinite);
    }
}

TEST(CalculationSheet, WithoutBatteryOrPanel) {
    Site noBattery(1, 10, nullptr);
    SiteSheetTexts s = noBattery.Sheet();
    EXPECT_EQ(s.RatedOutput.Line(), "Continuous rated output = Undefined");
    EXPECT_EQ(s.RemainingCapacity.Result, "Undefined");
    EXPECT_EQ(s.StandbyCheck.Result, Outcome::Fails);
    EXPECT_EQ(s.Recharge.Result, "Undefined");
    EXPECT_EQ(s.RechargeCheck.Result, Outcome::Fails);
    EXPECT_EQ(s.Batteries.size(), 3u); // the panel's batteries are still weighed up
    EXPECT_EQ(s.AlarmCheck.Result, Outcome::Meets);

    Site noPanel(1, -1, nullptr);
    s = noPanel.Sheet();
    EXPECT_EQ(s.PeakCurrent.Result, "Undefined");
    EXPECT_EQ(s.AlarmCheck.Requirement, "---");
    EXPECT_EQ(s.AlarmCheck.Result, Outcome::Fails);
    EXPECT_EQ(s.SpareAlarm.Result, "Undefined");
    EXPECT_TRUE(s.Batteries.empty());
    EXPECT_EQ(s.PanelLine.Description, "No control panel");
}

TEST(CalculationSheet, RegionalSeparator) {
    Site site(3, 10, "17.0 Ah", 0, 15);
    site.Add(0.200, 1.000);
    const SiteSheetTexts s = site.Sheet(',');
    EXPECT_EQ(s.ActualStandby.Line(), "Actual standby = 16,465 Ah ÷ 0,270 A = 60,98 Hours");
    EXPECT_EQ(s.CapacityWithAllowance.Working, "16,735 Ah × 1,25");
    EXPECT_EQ(s.Recharge.Working, "0,8 × 17,00 Ah ÷ 0,75 A");
    EXPECT_EQ(s.StandbyCheck.Actual, site.texts.lbActStandby);
}

// Every battery each panel takes, at every grade, under both standards, with
// and without AC fail signalling, for a spread of loads and alarm periods:
// the sheet's verdict on each battery is the window's verdict with that
// battery chosen, and the battery that fits is the smallest the window passes.
TEST(CalculationSheet, BatteryVerdictsAgreeWithTheWindowForEveryPanelAndGrade) {
    const double quiescents[] = {0.0, 0.013, 0.1, 0.2, 0.5, 0.8, 1.29, 1.6};
    const double alarms[] = {0.0, 0.3, 1.29, 2.5};
    int sites = 0;
    int fitted = 0;
    for (int panel = 0; panel < kPanelCount; ++panel) {
        for (int grade = 1; grade <= 3; ++grade) {
            for (int standard : {0, 1}) {
                for (bool acFail : {false, true}) {
                    for (int period : {0, 15, 30, 120}) {
                        for (double quiescent : quiescents) {
                            for (double alarm : alarms) {
                                Site site(grade, panel, nullptr, standard, period);
                                site.details.AcFailSignalled = acFail;
                                site.Add(quiescent, alarm);
                                const SiteSheetTexts sheet = site.Sheet();

                                std::vector<std::pair<Extended, std::string>> passed;
                                for (int row : BatteriesForPanel(panel)) {
                                    const std::string text(BatteryTable[row]);
                                    site.Choose(text.c_str());
                                    site.Sheet();
                                    const auto it = std::find_if(
                                        sheet.Batteries.begin(), sheet.Batteries.end(),
                                        [&](const SheetBattery& b) { return b.Text == text; });
                                    ASSERT_NE(it, sheet.Batteries.end()) << text;
                                    const bool windowMeets =
                                        site.texts.lbActStandbyColor == kVerdictMeets;
                                    ASSERT_EQ(it->Standby == Outcome::Meets, windowMeets)
                                        << "panel " << panel << " grade " << grade << " standard "
                                        << standard << " AC fail " << acFail << " period " << period
                                        << " load " << quiescent << "/" << alarm << " battery "
                                        << text;
                                    ASSERT_EQ(it->ActualStandby, site.texts.lbActStandby);
                                    if (windowMeets)
                                        passed.emplace_back(ParseBatteryCapacity(text), text);
                                }
                                const auto smallest =
                                    std::min_element(passed.begin(), passed.end());
                                ASSERT_EQ(Fitting(sheet),
                                          smallest == passed.end() ? "none" : smallest->second);
                                fitted += sheet.FittingBattery >= 0;
                                ++sites;
                            }
                        }
                    }
                }
            }
        }
    }
    // The spread reaches both outcomes often.
    EXPECT_GT(fitted, sites / 4);
    EXPECT_LT(fitted, sites * 3 / 4);
}

TEST(CalculationSheet, ANegativeLineFailsBothChecksAndEveryBattery) {
    Site site(3, 10, "17.0 Ah", 0);
    site.Add(0.2, 1.0);
    site.Add(0.1, -0.5);
    const SiteSheetTexts s = site.Sheet();
    for (const SheetCheck* check : {&s.StandbyCheck, &s.AlarmCheck}) {
        EXPECT_EQ(check->Result, Outcome::Fails);
        EXPECT_EQ(check->Comment, "Device line 2 has a negative current.");
        EXPECT_EQ(check->Comparison, "");
    }
    EXPECT_EQ(s.StandbyCheck.Comment, site.texts.lbSbNotes);
    EXPECT_EQ(s.AlarmCheck.Comment, site.texts.lbPeakNotes);
    EXPECT_EQ(s.FittingBattery, -1);
    for (const SheetBattery& battery : s.Batteries)
        EXPECT_EQ(battery.Standby, Outcome::Fails) << battery.Text;
    EXPECT_EQ(s.BatteryConclusion,
              "No battery can be weighed up: Device line 2 has a negative current.");
}
