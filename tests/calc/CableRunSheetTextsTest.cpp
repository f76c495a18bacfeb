// A cable run's working as the calculation sheet shows it, against figures
// worked by hand.
#include "calc/CableRunSheetTexts.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <utility>
#include <vector>

using namespace brellic;

namespace {

CableRun AlarmCable(std::string name, double lengthM, std::vector<RunLine> lines) {
    CableRun run;
    run.Name = std::move(name);
    run.Cable = 0; // 7/0.2, 0.085 ohm/m per core
    run.OhmsPerMetrePerCore = kCableTable[0].OhmsPerMetre;
    run.LengthM = lengthM;
    run.Lines = std::move(lines);
    return run;
}

std::vector<SheetRun> Sheet(const InstallationSupply& supply, char separator = '.') {
    return MakeSheetRuns(supply, CalculateRuns(supply), separator);
}

TEST(RunSheet, TheSoundersRunThatFailsWorkedByHand) {
    // Four detectors on one run, a sounder drawing 0.545 A in alarm at the
    // far end of 20 m of single 7/0.2 on another.
    InstallationSupply supply;
    supply.Site.Devices = {{4, 3, "PIR Detector", 0.08, 0.08},
                           {1, 3, "External Sounder", 0.018, 0.545}};
    supply.Runs = {AlarmCable("Detectors", 30, {{0, {}}}), AlarmCable("Sounder", 20, {{1, {}}})};
    const std::vector<SheetRun> runs = Sheet(supply);
    ASSERT_EQ(runs.size(), 2u);
    const SheetRun& run = runs[1];

    EXPECT_EQ(run.Name, "Sounder");
    EXPECT_EQ(run.Cable, "7/0.2 alarm cable, 0.22 mm\xC2\xB2");
    EXPECT_EQ(run.OhmsPerMetre, "0.085 \xCE\xA9/m");
    EXPECT_EQ(run.CoresPositive, "1");
    EXPECT_EQ(run.Length, "20.0 m");
    EXPECT_EQ(run.MinVolts, "9.50 V");
    ASSERT_EQ(run.Lines.size(), 1u);
    EXPECT_EQ(run.Lines[0],
              (SheetRunLine{"2", "External Sounder", "far end", "0.018 A", "0.545 A"}));

    // 20 m x 0.085 x 2 = 3.4 ohm; 0.018 A drops 0.0612 V, 0.545 A 1.853 V.
    EXPECT_EQ(run.LoopResistance.Line(),
              "Loop resistance = 20.0 m \xC3\x97 0.085 \xCE\xA9/m \xC3\x97 (1/1 + 1/1) = "
              "3.400 \xCE\xA9");
    EXPECT_EQ(run.QuiescentCurrent.Line(), "Current in standby = 0.018 A");
    ASSERT_EQ(run.QuiescentDrops.size(), 1u);
    EXPECT_EQ(run.QuiescentDrops[0].Result, "0.06 V");
    EXPECT_EQ(run.LowestQuiescent.Line(),
              "Lowest voltage in standby = 10.50 V \xE2\x88\x92 0.06 V = 10.44 V at line 2");
    ASSERT_EQ(run.AlarmDrops.size(), 1u);
    EXPECT_EQ(run.AlarmDrops[0].Line(),
              "Drop in alarm, stretch 1 = 0.545 A \xC3\x97 20.0 m \xC3\x97 0.085 \xCE\xA9/m "
              "\xC3\x97 (1/1 + 1/1) = 1.85 V");
    EXPECT_EQ(run.AlarmDrops[0].Note, "line 2");
    EXPECT_EQ(run.LowestAlarm.Line(),
              "Lowest voltage in alarm = 10.50 V \xE2\x88\x92 1.85 V = 8.65 V at line 2");

    EXPECT_EQ(run.State, Outcome::Fails);
    EXPECT_EQ(run.Check.Comparison,
              "10.44 V \xE2\x89\xA5 9.50 V in standby, 8.65 V < 9.50 V in alarm");
    EXPECT_EQ(run.Check.Result, Outcome::Fails);

    // 1 V / 1.853 V = 0.540 of 20 m is 10.79 m, rounded down; 0.5 mm² drops
    // 0.85 V and two cores a leg 0.93 V, both leaving more than 9.5 V.
    EXPECT_EQ(run.Longest.Line(),
              "Longest run that meets = (10.50 V \xE2\x88\x92 9.50 V) \xC3\xB7 1.85 V \xC3\x97 "
              "20.0 m = 0.540 \xC3\x97 20.0 m = 10.7 m");
    EXPECT_EQ(run.Thinnest.Result, "0.5 mm\xC2\xB2");
    EXPECT_EQ(run.CoresToMeet.Result, "2");

    // The detectors' run meets: 0.08 A x 30 m x 0.17 = 0.41 V.
    EXPECT_EQ(runs[0].State, Outcome::Meets);
    EXPECT_EQ(runs[0].Check.Comparison,
              "10.09 V \xE2\x89\xA5 9.50 V in standby, 10.09 V \xE2\x89\xA5 9.50 V in alarm");
    EXPECT_EQ(runs[0].Check.Result, Outcome::Meets);
}

TEST(RunSheet, StretchByStretchOutToTheLowestLine) {
    // Listed out of order: a detector at the far end of 40 m, two at 12 m
    // and one at the supply, which ends no stretch. The first 12 m carry
    // 0.166 A (0.34 V), the last 28 m 0.046 A (0.22 V).
    InstallationSupply supply;
    supply.Site.Devices = {{1, 3, "Far", 0.046, 0.046},
                           {1, 3, "Near", 0.1, 0.1},
                           {1, 3, "Also near", 0.01, 0.02},
                           {1, 3, "At the supply", 0.5, 0.5}};
    supply.Runs = {AlarmCable("Corridor", 40, {{0, {}}, {1, 12.0}, {2, 12.0}, {3, 0.0}})};
    const SheetRun run = Sheet(supply, ',').at(0);

    ASSERT_EQ(run.AlarmDrops.size(), 2u);
    EXPECT_EQ(run.AlarmDrops[0].Working, "0,166 A \xC3\x97 12,0 m \xC3\x97 0,085 \xCE\xA9/m "
                                         "\xC3\x97 (1/1 + 1/1)");
    EXPECT_EQ(run.AlarmDrops[0].Result, "0,34 V");
    EXPECT_EQ(run.AlarmDrops[0].Note, "lines 2, 3, 1");
    EXPECT_EQ(run.AlarmDrops[1].Working, "0,046 A \xC3\x97 28,0 m \xC3\x97 0,085 \xCE\xA9/m "
                                         "\xC3\x97 (1/1 + 1/1)");
    EXPECT_EQ(run.AlarmDrops[1].Note, "line 1");
    EXPECT_EQ(run.LowestAlarm.Line(), "Lowest voltage in alarm = 10,50 V \xE2\x88\x92 0,34 V "
                                      "\xE2\x88\x92 0,22 V = 9,94 V at line 1");
    // Every line's current, the one at the supply too.
    EXPECT_EQ(run.AlarmCurrent.Line(),
              "Current in alarm = 0,046 A + 0,100 A + 0,020 A + 0,500 A = 0,666 A");
    EXPECT_EQ(run.Lines[1].Distance, "12,0 m");
    EXPECT_EQ(run.Lines[3].Distance, "0,0 m");
}

TEST(RunSheet, WithoutDropOrLinesNothingToWorkOut) {
    InstallationSupply supply;
    supply.Site.Devices = {{1, 3, "Keypad", 0.02, 0}};
    supply.Runs = {AlarmCable("Keypad", 50, {{0, 0.0}}), AlarmCable("Spare", 50, {})};
    const std::vector<SheetRun> runs = Sheet(supply);

    EXPECT_EQ(runs[0].Longest.Line(), "Longest run that meets = any length");
    EXPECT_EQ(runs[0].Longest.Note, "no drop along the run");

    const SheetRun& spare = runs[1];
    EXPECT_TRUE(spare.Lines.empty());
    EXPECT_TRUE(spare.AlarmDrops.empty());
    EXPECT_EQ(spare.LowestAlarm.Line(), "Lowest voltage in alarm = 10.50 V");
    EXPECT_EQ(spare.LowestAlarm.Note, "no device lines");
    EXPECT_EQ(spare.State, Outcome::Meets);
}

TEST(RunSheet, FiguresThatCannotBeComputedReadUndefined) {
    const double huge = std::numeric_limits<double>::max();
    InstallationSupply supply;
    supply.Site.Devices = {{1, 3, "A", huge, huge}, {1, 3, "B", huge, huge}};
    supply.Runs = {AlarmCable("Huge", 10, {{0, {}}, {1, {}}})};
    const SheetRun run = Sheet(supply).at(0);
    EXPECT_EQ(run.State, Outcome::Undefined);
    EXPECT_FALSE(run.LowestAlarm.Defined);
    EXPECT_EQ(run.LowestAlarm.Result, "Undefined");
    EXPECT_TRUE(run.Check.Comparison.empty());
    EXPECT_EQ(run.Check.Result, Outcome::Fails);
    EXPECT_FALSE(run.Thinnest.Defined);
    EXPECT_FALSE(run.Longest.Defined);
}

} // namespace
