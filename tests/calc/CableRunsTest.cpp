// The voltages along a cable run, its verdict and its remedies, against
// figures worked by hand.
#include "calc/CableRuns.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <random>
#include <vector>

using namespace brellic;

namespace {

constexpr std::size_t kAlarmCable = 0; // 7/0.2, 0.085 ohm/m per core
constexpr std::size_t kHalfMm = 1;     // 0.5 mm², 0.039 ohm/m per core

TDeviceData Line(double quiescent, double alarm) {
    return {1, 2, "Sounder", quiescent, alarm};
}

CableRun AlarmCable(double lengthM, std::vector<RunLine> lines) {
    CableRun run;
    run.Name = "Run";
    run.Cable = kAlarmCable;
    run.OhmsPerMetrePerCore = kCableTable[kAlarmCable].OhmsPerMetre;
    run.LengthM = lengthM;
    run.Lines = std::move(lines);
    return run;
}

TEST(CableRun, DropsAgainstTheAlarmCableTable) {
    // 100 mA over 100 m of single cores: 0.1 A x 100 m x 0.085 x 2 = 1.70 V.
    const std::vector<TDeviceData> devices = {Line(0.05, 0.1)};
    const RunResult far = CalculateRun(AlarmCable(100, {{0, {}}}), 10.5, devices);
    EXPECT_EQ(RunVoltsText(far.LowestVoltsAlarm, '.'), "8.80 V");
    EXPECT_EQ(RunVoltsText(far.LowestVoltsQuiescent, '.'), "9.65 V");
    EXPECT_NEAR(far.LowestVoltsAlarm, 8.8, 1e-12);
    EXPECT_EQ(RunOhmsText(far.LoopOhms, '.', "ohm"), "17.000 ohm");
    EXPECT_EQ(far.LowestLineAlarm, 0u);
    EXPECT_EQ(far.State, Outcome::Fails);

    // 70 mA at the far end of 32 m from 10.5 V: 10.12 V, and 1 V to spare
    // covers 1 / (0.07 x 0.17) = 84.03 m.
    const std::vector<TDeviceData> sounder = {Line(0.01, 0.07)};
    const CableRun run = AlarmCable(32, {{0, {}}});
    const RunResult near = CalculateRun(run, 10.5, sounder);
    EXPECT_EQ(near.State, Outcome::Meets);
    EXPECT_EQ(RunCheckText(run, near, '.'),
              "10.12 V at its lowest in alarm (needs 9.50 V), meets; longest 84.0 m");
    EXPECT_EQ(RunCheckText(run, near, ','),
              "10,12 V at its lowest in alarm (needs 9,50 V), meets; longest 84,0 m");
}

TEST(CableRun, DoubledCoresShareTheCurrent) {
    const std::vector<TDeviceData> devices = {Line(0, 0.1)};
    CableRun run = AlarmCable(100, {{0, {}}});
    run.CoresPositive = 2; // 1/2 + 1/1 of the single drop's two legs: 1.275 V
    EXPECT_NEAR(CalculateRun(run, 10.5, devices).LowestVoltsAlarm, 10.5 - 1.275, 1e-12);
    run.CoresNegative = 4; // 1/2 + 1/4: 0.6375 V
    const RunResult doubled = CalculateRun(run, 10.5, devices);
    EXPECT_NEAR(doubled.LowestVoltsAlarm, 10.5 - 0.6375, 1e-12);
    EXPECT_NEAR(doubled.LoopOhms, 100 * 0.085 * 0.75, 1e-12);
    EXPECT_EQ(doubled.State, Outcome::Meets);
}

TEST(CableRun, LinesSpreadAlongTheRunDropLessThanAllAtTheFarEnd) {
    // Listed out of order: the far-end line first. Stretches of 20, 30 and
    // 50 m carry 0.3, 0.2 and 0.1 A: 0.17 x (6 + 6 + 5) = 2.89 V.
    const std::vector<TDeviceData> devices = {Line(0.1, 0.1), Line(0.1, 0.1), Line(0.1, 0.1)};
    const RunResult spread =
        CalculateRun(AlarmCable(100, {{0, {}}, {1, 50.0}, {2, 20.0}}), 10.5, devices);
    EXPECT_NEAR(spread.LowestVoltsAlarm, 10.5 - 2.89, 1e-12);
    EXPECT_EQ(spread.LowestLineAlarm, 0u);
    EXPECT_NEAR(spread.AlarmAmps, 0.3, 1e-15);
    // Lumped at the far end: 0.3 A x 100 m x 0.17 = 5.10 V.
    const RunResult lumped =
        CalculateRun(AlarmCable(100, {{0, {}}, {1, {}}, {2, {}}}), 10.5, devices);
    EXPECT_NEAR(lumped.LowestVoltsAlarm, 10.5 - 5.1, 1e-12);
    EXPECT_EQ(lumped.LowestLineAlarm, 0u); // the first of equals at the far end

    // The longest stretches each as laid out: 1 V / 2.89 V x 100 m, and
    // 1 V / 5.1 V x 100 m.
    EXPECT_EQ(LongestText(spread, '.'), "34.6 m");
    EXPECT_EQ(LongestText(lumped, '.'), "19.6 m");
}

TEST(CableRun, ItMeetsExactlyWhenItsLongestReachesItsLength) {
    // 0.5 A x 8 m x 0.125 x 2 = exactly 1 V in binary: 10.5 V falls to 9.5 V.
    CableRun run;
    run.OhmsPerMetrePerCore = 0.125;
    run.LengthM = 8;
    run.Lines = {{0, {}}};
    const std::vector<TDeviceData> edgeLine = {Line(0, 0.5)};
    run.MinVolts = 9.5;
    const RunResult edge = CalculateRun(run, 10.5, edgeLine);
    EXPECT_EQ(edge.LowestVoltsAlarm, 9.5);
    EXPECT_EQ(edge.State, Outcome::Meets);
    EXPECT_EQ(edge.LongestM, 8.0);
    EXPECT_EQ(LongestText(edge, '.'), "8.0 m");
    run.MinVolts = std::nextafter(9.5, 10.0);
    const RunResult hair = CalculateRun(run, 10.5, edgeLine);
    EXPECT_EQ(hair.State, Outcome::Fails);
    EXPECT_EQ(LongestText(hair, '.'), "7.9 m");

    // Generated runs, lines spread along them or at the far end.
    std::mt19937 random(20261210);
    const auto pick = [&](std::uint32_t count) { return random() % count; };
    for (int i = 0; i < 2000; ++i) {
        CableRun generated = AlarmCable((1 + pick(5000)) / 10.0, {});
        generated.OhmsPerMetrePerCore = kCableTable[pick(kCableTable.size())].OhmsPerMetre;
        generated.CoresPositive = static_cast<std::int32_t>(1 + pick(4));
        generated.MinVolts = (800 + pick(250)) / 100.0;
        std::vector<TDeviceData> devices;
        for (std::size_t line = 0, lines = pick(4); line < lines; ++line) {
            devices.push_back(Line(pick(300) / 1000.0, pick(800) / 1000.0));
            const double at = pick(static_cast<std::uint32_t>(generated.LengthM * 10)) / 10.0;
            generated.Lines.push_back({line, pick(3) == 0 ? std::optional<double>() : at});
        }
        const RunResult result = CalculateRun(generated, 10.5, devices);
        EXPECT_EQ(result.Meets(), !result.LongestM || *result.LongestM >= generated.LengthM) << i;
    }
}

TEST(CableRun, TheLongestLengthIsRoundedDown) {
    // 1 V / (0.0595 A x 0.17) = 98.86 m: shown as 98.8, never 98.9.
    const std::vector<TDeviceData> devices = {Line(0, 0.0595)};
    const RunResult result = CalculateRun(AlarmCable(10, {{0, {}}}), 10.5, devices);
    ASSERT_TRUE(result.LongestM);
    EXPECT_NEAR(*result.LongestM, 98.863, 1e-3);
    EXPECT_EQ(LongestText(result, '.'), "98.8 m");
}

TEST(CableRun, TheStandbyCurrentMustMeetToo) {
    // 20 mA in standby at 1500 m of 2000 m drops 5.1 V: 1 V of it covers
    // 2000 m / 5.1 = 392.1 m stretched alike.
    const std::vector<TDeviceData> devices = {Line(0.02, 0)};
    const CableRun run = AlarmCable(2000, {{0, 1500.0}});
    const RunResult result = CalculateRun(run, 10.5, devices);
    EXPECT_EQ(result.State, Outcome::Fails);
    EXPECT_EQ(RunCheckText(run, result, '.'),
              "5.40 V at its lowest in standby (needs 9.50 V), fails; longest 392.1 m");

    // The remedies judge standby too: 0.1 A at 100 m as in alarm below.
    const std::vector<TDeviceData> standby = {Line(0.1, 0)};
    const RunResult remedied = CalculateRun(AlarmCable(100, {{0, {}}}), 10.5, standby);
    EXPECT_EQ(remedied.ThinnestCable, kHalfMm);
    EXPECT_EQ(remedied.CoresToMeet, 2);
}

TEST(CableRun, AnyLengthOnlyWhenNothingDrops) {
    // Nothing drawn, lines at the supply, or no lines: any length meets.
    const std::vector<TDeviceData> devices = {Line(0, 0), Line(0.2, 0.545)};
    for (const CableRun& run :
         {AlarmCable(2000, {{0, {}}}), AlarmCable(20, {{1, 0.0}}), AlarmCable(100, {})}) {
        const RunResult result = CalculateRun(run, 10.5, devices);
        EXPECT_EQ(result.State, Outcome::Meets);
        EXPECT_FALSE(result.LongestM);
        EXPECT_EQ(RunCheckText(run, result, '.'),
                  "10.50 V at its lowest in alarm (needs 9.50 V), meets; any length");
    }

    // A supply below the minimum meets at no length, drawn or not.
    for (const std::size_t line : {0u, 1u}) {
        CableRun below = AlarmCable(20, {{line, {}}});
        below.MinVolts = 11;
        const RunResult result = CalculateRun(below, 10.5, devices);
        EXPECT_EQ(result.State, Outcome::Fails);
        EXPECT_EQ(LongestText(result, '.'), "0.0 m");
    }
}

TEST(CableRun, RemediesAsTheRunIsLaidOut) {
    // 100 mA at 100 m fails on single 7/0.2 (8.80 V); doubled it drops
    // 0.85 V, and single 0.5 mm² drops 0.78 V.
    const std::vector<TDeviceData> devices = {Line(0, 0.1)};
    const RunResult fails = CalculateRun(AlarmCable(100, {{0, {}}}), 10.5, devices);
    EXPECT_EQ(fails.ThinnestCable, kHalfMm);
    EXPECT_EQ(ThinnestCableText(fails), "0.5 mm\xC2\xB2");
    EXPECT_EQ(fails.CoresToMeet, 2);

    // A line near the supply, as laid out, needs less.
    const RunResult near = CalculateRun(AlarmCable(100, {{0, 50.0}}), 10.5, devices);
    EXPECT_EQ(near.ThinnestCable, kAlarmCable);
    EXPECT_EQ(near.CoresToMeet, 1);

    // 3 A at 100 m: 4 doubled 7/0.2 cores drop 12.75 V, single 2.5 mm² 4.79 V.
    const std::vector<TDeviceData> heavy = {Line(0, 3)};
    const RunResult none = CalculateRun(AlarmCable(100, {{0, {}}}), 10.5, heavy);
    EXPECT_FALSE(none.CoresToMeet);
    EXPECT_FALSE(none.ThinnestCable);
    EXPECT_EQ(CoresToMeetText(none), "none");
    EXPECT_EQ(ThinnestCableText(none), "none");
}

TEST(CableRun, FiguresBeyondTheRangeOfDoublesAreUndefinedAndNeverMeet) {
    const double huge = std::numeric_limits<double>::max();
    const std::vector<TDeviceData> devices = {Line(huge, huge), Line(huge, huge)};
    const CableRun run = AlarmCable(10, {{0, {}}, {1, {}}});
    const RunResult result = CalculateRun(run, 10.5, devices);
    EXPECT_EQ(result.State, Outcome::Undefined);
    EXPECT_FALSE(result.CoresToMeet);
    EXPECT_FALSE(result.ThinnestCable);
    EXPECT_EQ(RunCheckText(run, result, '.'),
              "Undefined at its lowest in alarm (needs 9.50 V), fails; longest Undefined");
}

} // namespace
