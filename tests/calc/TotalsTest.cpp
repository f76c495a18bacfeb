#include "calc/Supply.h"
#include "calc/ResultTexts.h"
#include "calc/Totals.h"

#include <gtest/gtest.h>

#include <limits>

using namespace brellic;

namespace {

struct Site {
    SiteState state;
    DeviceList devices;
    DisplayTexts texts;
    bool acFail = false;
    TotalsResult result;

    Site(int grade, int panel, const char* battery, int standard = 1, int alarmPeriod = 15) {
        state.SystemStandard = standard;
        state.AlarmPeriod = alarmPeriod;
        state.SystemGrade = grade;
        state.PanelIndex = panel;
        state.BatteryCapacity = battery ? ParseBatteryCapacity(battery) : 0;
    }
    void Add(double quiescent, double alarm) {
        devices.Append(TDeviceData{1, 3, "line", quiescent, alarm}, '.');
    }
    void Run(char separator = '.') {
        UpdateSupply(state, acFail, texts, separator);
        result = UpdateTotals(state, devices, state.PanelIndex >= 0, state.BatteryCapacity > 0,
                              texts, separator);
    }
};

} // namespace

TEST(UpdateTotals, StartUpState) {
    Site site(2, -1, nullptr);
    site.Run();
    for (const std::string* text :
         {&site.texts.lbCPNomI, &site.texts.lbCPAlarmI, &site.texts.TotNomI, &site.texts.TotAlarmI})
        EXPECT_EQ(*text, "0.000 Amps");
    EXPECT_EQ(site.texts.lbActStandby, "---");
    EXPECT_EQ(site.texts.lbSbNotes, "None");
    EXPECT_EQ(site.texts.lbActPeak, "---");
    EXPECT_EQ(site.texts.lbPeakNotes, "None");
    EXPECT_EQ(site.texts.lbReqPeakCur, "---");
    EXPECT_EQ(site.texts.lbActStandbyColor, kVerdictNone);
    EXPECT_EQ(site.texts.lbActPeakColor, kVerdictNone);
}

TEST(UpdateTotals, PanelOnlyThenBattery) {
    Site site(1, 0, nullptr);
    site.Run();
    for (const std::string* text :
         {&site.texts.lbCPNomI, &site.texts.lbCPAlarmI, &site.texts.TotNomI, &site.texts.TotAlarmI})
        EXPECT_EQ(*text, "0.050 Amps");
    EXPECT_EQ(site.texts.lbActStandby, "---");
    EXPECT_EQ(site.texts.lbActPeak, "0.050 Amps");
    EXPECT_EQ(site.texts.lbActPeakColor, kVerdictMeets);
    EXPECT_EQ(site.texts.lbPeakNotes, "Alarm current meets the requirement.");

    // 2.1 - 0.5 x 0.05 = 2.075 Ah over 0.05 A.
    site.state.BatteryCapacity = ParseBatteryCapacity("2.1 Ah");
    site.Run();
    EXPECT_EQ(site.texts.lbActStandby, "41.50 Hours");
    EXPECT_EQ(site.texts.lbActStandbyColor, kVerdictMeets);
    EXPECT_EQ(site.texts.lbSbNotes, "System standby time meets the requirement.");
}

TEST(UpdateTotals, GradeThreeExampleAndLongerAlarmPeriod) {
    Site site(3, 10, "17.0 Ah", 0, 15);
    site.Add(0.200, 1.000);
    site.Run();
    EXPECT_EQ(site.texts.lbCPNomI, "0.070 Amps");
    EXPECT_EQ(site.texts.TotNomI, "0.270 Amps");
    EXPECT_EQ(site.texts.TotAlarmI, "1.070 Amps");
    EXPECT_EQ(site.texts.lbReqStandby, "60 Hours Standby");
    EXPECT_EQ(site.texts.lbActStandby, "60.98 Hours");
    EXPECT_EQ(site.result.Standby.State, Outcome::Meets);
    EXPECT_EQ(site.texts.lbActPeak, "1.070 Amps");
    EXPECT_EQ(site.texts.lbActPeakColor, kVerdictMeets);

    site.state.AlarmPeriod = 120;
    site.Run();
    EXPECT_EQ(site.texts.lbActStandby, "47.11 Hours");
    EXPECT_EQ(site.texts.lbActStandbyColor, kVerdictFails);
    EXPECT_EQ(site.texts.lbSbNotes, "Standby time does not meet the requirement.");
}

TEST(UpdateTotals, ExactEqualityMeetsAndAnythingBeyondFails) {
    // 1.18 + 0.07 rounds to exactly 1.25, the peak current of panel row 10.
    Site alarm(1, 10, "7.2 Ah");
    alarm.Add(0.01, 1.18);
    alarm.Run();
    EXPECT_EQ(alarm.result.AlarmTotal, 1.25);
    EXPECT_EQ(alarm.result.AlarmCurrent.State, Outcome::Meets);
    alarm.devices.Update(0, TDeviceData{1, 3, "line", 0.01, 1.181}, '.');
    alarm.Run();
    EXPECT_EQ(alarm.result.AlarmCurrent.State, Outcome::Fails);
    EXPECT_EQ(alarm.texts.lbPeakNotes,
              "Alarm current exceeds maximum available from control panel!");

    // 6 Ah over 0.45 + 0.05 = 0.5 A with no alarm load gives exactly 12 hours.
    Site standby(1, 0, nullptr, 1, 0);
    standby.state.BatteryCapacity = 6;
    standby.Add(0.45, 0.0);
    standby.Run();
    EXPECT_EQ(standby.texts.lbActStandby, "12.00 Hours");
    EXPECT_EQ(standby.result.Standby.State, Outcome::Meets);
    standby.state.BatteryCapacity = 5.9999L;
    standby.Run();
    EXPECT_EQ(standby.result.Standby.State, Outcome::Fails);
}

TEST(UpdateTotals, DevicesWithoutPanel) {
    Site site(3, -1, nullptr);
    site.Add(0.1, 0.2);
    site.Add(0.05, 0.3);
    site.Run();
    EXPECT_EQ(site.texts.lbCPNomI, "0.000 Amps");
    EXPECT_EQ(site.texts.lbCPAlarmI, "0.000 Amps");
    EXPECT_EQ(site.texts.TotNomI, "0.150 Amps");
    EXPECT_EQ(site.texts.TotAlarmI, "0.500 Amps");
    EXPECT_EQ(site.texts.lbActStandby, "---");
    EXPECT_EQ(site.texts.lbActPeak, "---");
    EXPECT_EQ(site.texts.lbPeakNotes, "None");
}

TEST(UpdateTotals, NegativeRemainingCapacityShowsSignAndFails) {
    Site site(1, 15, "7.2 Ah", 1, 120);
    site.Add(0.5, 2.0); // 4 h x 2.095 A is more than the battery holds
    site.Run();
    EXPECT_EQ(site.texts.lbActStandby.substr(0, 1), "-");
    EXPECT_EQ(site.result.Standby.State, Outcome::Fails);
}

TEST(UpdateTotals, ZeroQuiescentTotalIsUndefinedNotInfinite) {
    Site site(1, 0, "2.1 Ah");
    site.Add(-0.05, 0.1); // cancels the panel's own 0.05 A
    site.Run();
    EXPECT_EQ(site.texts.lbActStandby, "Undefined");
    EXPECT_EQ(site.texts.lbActStandbyColor, kVerdictFails);
    EXPECT_FALSE(site.result.ActualStandbyDefined);
    // Only a negative line can cancel the panel's draw, and that line is
    // what the verdict names.
    EXPECT_EQ(site.result.Standby.State, Outcome::Fails);
    EXPECT_EQ(site.texts.lbSbNotes, "Device line 1 has a negative current.");
}

// Custom currents from a file can be finite but so large that a sum, the
// remaining capacity or the standby time leaves the range of doubles; NaN
// would then pass every comparison.
TEST(UpdateTotals, FiguresBeyondTheRangeOfNumbersAreUndefinedAndFail) {
    struct Case {
        const char* Name;
        double Quiescent, Alarm;
        int Lines, AlarmPeriod;
        bool TotalsUndefined;
    };
    const Case cases[] = {
        {"both totals overflow", 1e308, 1e308, 2, 15, true},
        {"remaining capacity overflows", 0.0, 1e308, 1, 120, false},
        {"standby time overflows", 0.0, 1e308, 1, 15, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Site site(1, 0, "2.1 Ah", 1, c.AlarmPeriod);
        for (int i = 0; i < c.Lines; ++i)
            site.Add(c.Quiescent, c.Alarm);
        site.Run();
        EXPECT_EQ(site.texts.lbActStandby, "Undefined");
        EXPECT_EQ(site.texts.lbActStandbyColor, kVerdictFails);
        EXPECT_EQ(site.result.Standby.State, Outcome::Undefined);
        EXPECT_EQ(site.texts.lbSbNotes, kStandbyTooLarge);
        if (c.TotalsUndefined) {
            EXPECT_EQ(site.texts.TotNomI, "Undefined");
            EXPECT_EQ(site.texts.TotAlarmI, "Undefined");
            EXPECT_EQ(site.texts.lbActPeak, "Undefined");
            EXPECT_EQ(site.texts.lbActPeakColor, kVerdictFails);
            EXPECT_EQ(site.result.AlarmCurrent.State, Outcome::Undefined);
            EXPECT_EQ(site.texts.lbPeakNotes, kAlarmTooLarge);
        } else {
            EXPECT_EQ(site.texts.lbActPeak, site.texts.TotAlarmI);
            EXPECT_EQ(site.result.AlarmCurrent.State, Outcome::Fails);
        }
    }

    // The alarm verdict needs no battery, and an overflowing alarm total
    // alone fails it.
    Site alarm(1, 0, nullptr);
    alarm.Add(0.01, 1e308);
    alarm.Add(0.01, 1e308);
    alarm.Run();
    EXPECT_EQ(alarm.texts.TotNomI, "0.070 Amps");
    EXPECT_EQ(alarm.texts.TotAlarmI, "Undefined");
    EXPECT_EQ(alarm.texts.lbActPeak, "Undefined");
    EXPECT_EQ(alarm.texts.lbActPeakColor, kVerdictFails);
    EXPECT_EQ(alarm.texts.lbPeakNotes, kAlarmTooLarge);
    EXPECT_EQ(alarm.texts.lbActStandby, "---");
}

TEST(UpdateTotals, ExtremeAlarmPeriodsDoNotOverflow) {
    for (int period : {std::numeric_limits<int>::max(), std::numeric_limits<int>::min()}) {
        Site site(1, 0, "2.1 Ah", 1, period);
        site.Run();
        EXPECT_EQ(site.result.Standby.State, period > 0 ? Outcome::Fails : Outcome::Meets)
            << period;
        EXPECT_EQ(site.texts.lbActStandby.find("INF"), std::string::npos);
    }
}

TEST(UpdateTotals, CommaSeparator) {
    Site site(1, 0, "2.1 Ah");
    site.Run(',');
    EXPECT_EQ(site.texts.TotNomI, "0,050 Amps");
    EXPECT_EQ(site.texts.lbActStandby, "41,50 Hours");
}

// Windows starts every thread but the main one with the x87 unit at double
// precision, and a library may lower it: the figures must not change a digit,
// and the caller's precision is given back.
TEST(UpdateTotals, DigitsDoNotDependOnTheCallersX87Precision) {
    const int before = X87PrecisionControl();
    SetX87PrecisionControl(2);
    Site small(1, 0, "2.1 Ah");
    small.Run();
    Site large(3, 10, "17.0 Ah", 0, 120);
    large.Add(0.2, 1.0);
    large.Run();
    const int after = X87PrecisionControl();
    SetX87PrecisionControl(before);

    EXPECT_EQ(small.texts.lbRatedOP, "0.17 Amps");
    EXPECT_EQ(small.texts.lbActStandby, "41.50 Hours");
    EXPECT_EQ(large.texts.lbActStandby, "47.11 Hours");
    EXPECT_EQ(after, 2);
    EXPECT_EQ(before, 3);
}

// Each state of both verdicts, with the colour the formatter gives it.
TEST(CalculateTotals, EveryVerdictStateAndItsColour) {
    struct Case {
        const char* Name;
        const char* Battery;
        int Panel;
        double Quiescent, Alarm;
        Outcome Standby, AlarmCurrent;
    };
    const Case cases[] = {
        {"nothing chosen", nullptr, -1, 0.1, 0.1, Outcome::NotJudged, Outcome::NotJudged},
        {"panel only", nullptr, 10, 0.1, 0.1, Outcome::NotJudged, Outcome::Meets},
        {"meets", "17.0 Ah", 10, 0.1, 0.5, Outcome::Meets, Outcome::Meets},
        {"fails", "2.1 Ah", 10, 0.2, 1.5, Outcome::Fails, Outcome::Fails},
        {"beyond doubles", "17.0 Ah", 10, 1e308, 1e308, Outcome::Undefined, Outcome::Undefined},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Site site(3, c.Panel, c.Battery, 0);
        site.Add(c.Quiescent, c.Alarm);
        site.Add(c.Quiescent, c.Alarm);
        site.Run();
        EXPECT_EQ(site.result.Standby.State, c.Standby);
        EXPECT_EQ(site.result.AlarmCurrent.State, c.AlarmCurrent);
        EXPECT_EQ(site.texts.lbSbNotes, site.result.Standby.Note);
        EXPECT_EQ(site.texts.lbPeakNotes, site.result.AlarmCurrent.Note);
        EXPECT_EQ(site.texts.lbActStandbyColor, VerdictColour(c.Standby));
        EXPECT_EQ(site.texts.lbActPeakColor, VerdictColour(c.AlarmCurrent));
    }
}

// A negative line used to lower the totals until a failing site passed.
TEST(CalculateTotals, ANegativeLineFailsEveryJudgedVerdict) {
    Site site(3, 10, "17.0 Ah", 0);
    site.Add(0.2, 1.0);
    site.Add(0.3, 3.0);  // the alarm total alone would fail
    site.Add(0.1, -2.0); // first negative line: the third
    site.Add(-0.1, 0.5);
    site.Run();
    // 0.5 + 0.07 = 0.570 A and 2.5 + 0.07 = 2.570 A, shown as they are.
    EXPECT_EQ(site.result.NegativeLine, 3);
    EXPECT_EQ(site.texts.TotNomI, "0.570 Amps");
    EXPECT_EQ(site.texts.lbActPeak, "2.570 Amps");
    // (17 - 0.5 x 2.57) / 0.57 = 27.57 hours.
    EXPECT_EQ(site.texts.lbActStandby, "27.57 Hours");
    for (const RequirementVerdict* verdict : {&site.result.Standby, &site.result.AlarmCurrent}) {
        EXPECT_EQ(verdict->State, Outcome::Fails);
        EXPECT_EQ(verdict->Note, "Device line 3 has a negative current.");
    }
    EXPECT_EQ(site.texts.lbActStandbyColor, kVerdictFails);
    EXPECT_EQ(site.texts.lbActPeakColor, kVerdictFails);

    // Unjudged stays unjudged: without a battery the standby row is blank.
    Site noBattery(3, 10, nullptr, 0);
    noBattery.Add(0.01, 0.01);
    noBattery.Add(-0.0, -0.01); // -0.0 is not negative; -0.01 is
    noBattery.Run();
    EXPECT_EQ(noBattery.texts.lbActStandby, "---");
    EXPECT_EQ(noBattery.texts.lbSbNotes, "None");
    EXPECT_EQ(noBattery.texts.lbActStandbyColor, kVerdictNone);
    EXPECT_EQ(noBattery.result.AlarmCurrent.State, Outcome::Fails);
    EXPECT_EQ(noBattery.texts.lbPeakNotes, "Device line 2 has a negative current.");

    Site zero(3, 10, "17.0 Ah", 0);
    zero.Add(-0.0, 0.0);
    zero.Run();
    EXPECT_EQ(zero.result.NegativeLine, 0);
    EXPECT_EQ(zero.result.Standby.State, Outcome::Meets);
}
