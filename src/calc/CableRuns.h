#pragma once

#include "calc/Result.h"
#include "model/CableRun.h"
#include "model/Installation.h"
#include "model/SiteState.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace brellic {

// The voltages along a cable run in standby and in alarm, at the end of the
// standby time.
//
// The current in each stretch of cable is the sum of the currents of the
// lines at or beyond it; a stretch of length l carrying I drops
// I * l * r * (1/n+ + 1/n-) volts out and back, r being the resistance of
// one core per metre and n+, n- the cores doubled up on each leg. A line's
// voltage is the supply's lowest output voltage less the drops of every
// stretch between it and the supply. Sums and products are taken in
// extended precision and stored as doubles; the verdict compares the stored
// doubles, unrounded, as the battery verdicts do.
struct RunResult {
    // Meets when the lowest voltages in standby and in alarm are both at or
    // above the run's minimum; Undefined when a figure is not finite, which
    // never meets.
    Outcome State = Outcome::Undefined;
    // Each lowest voltage against the minimum on its own, for showing which
    // of the two fails; State is the run's verdict.
    Outcome StandbyState = Outcome::Undefined;
    Outcome AlarmState = Outcome::Undefined;
    double QuiescentAmps = 0;
    double AlarmAmps = 0;
    double LoopOhms = 0; // the whole length, out and back
    double LowestVoltsQuiescent = 0;
    double LowestVoltsAlarm = 0;
    // The device line (from 0) where each lowest voltage is found, the
    // farthest of equals; nothing on a run without lines, which stays at
    // the supply's voltage.
    std::optional<std::size_t> LowestLineQuiescent;
    std::optional<std::size_t> LowestLineAlarm;
    // The larger of the drops out to the lowest voltage in standby and in
    // alarm, volts.
    double LargestDrop = 0;
    // The run as laid out, stretched: every distance and the length times
    // one factor k. Every drop grows with k, so the run meets up to
    // k = (supply volts - minimum) / LargestDrop, and the longest that meets
    // is k times its length, unrounded. A run meets exactly when its longest
    // reaches its length. Nothing when nothing drops (any length meets); 0
    // when the supply itself is below the minimum; not finite for a run that
    // cannot be judged.
    std::optional<double> Stretch;
    std::optional<double> LongestM;
    // Remedies as the run is laid out (its length, cores and distances):
    // the thinnest table cable that meets, and the fewest cores, the same on
    // both legs, that meet with its own cable. Nothing when none does.
    std::optional<std::size_t> ThinnestCable;
    std::optional<std::int32_t> CoresToMeet;

    bool Meets() const { return State == Outcome::Meets; }
};

// The run's figures from the supply's device lines; a line number beyond the
// list feeds nothing.
RunResult CalculateRun(const CableRun& run, double supplyVolts,
                       std::span<const TDeviceData> devices);

// One stretch of a run's cable, from the supply or the nearer lines out to
// the next distance where lines sit, with the current it carries to every
// line at or beyond its far end and the drop that makes, out and back. The
// same figures the run's voltages are worked from.
struct RunStretch {
    double FromM = 0;
    double ToM = 0;
    double LengthM = 0;
    std::vector<std::size_t> Lines; // the device lines (from 0) at its far end
    double QuiescentAmps = 0;
    double AlarmAmps = 0;
    double QuiescentDrop = 0; // volts
    double AlarmDrop = 0;
};

// The run's stretches from the supply outwards; a line at the supply ends
// none, and a line number beyond the list feeds nothing.
std::vector<RunStretch> RunStretches(const CableRun& run, std::span<const TDeviceData> devices);

// Every run of a supply, in order.
std::vector<RunResult> CalculateRuns(const InstallationSupply& supply);

// How many of the runs meet.
std::size_t RunsMeeting(std::span<const RunResult> runs);
// True when every run meets (and so for a supply without runs).
bool RunsMeet(std::span<const RunResult> runs);
// A device line's number as every text shows it, counted from 1.
std::string RunLineNumber(std::size_t line);

// The ohm's sign for the window and the sheet; Report.Txt, whose code page
// lacks it, writes "ohm".
inline constexpr const char* kOhmSign = "\xCE\xA9";

// Texts of the figures, in the window's formats: volts to 2 decimals, ohms
// to 3, metres to 1, "Undefined" for a figure that cannot be computed.
std::string RunVoltsText(double volts, char separator);                      // "10.12 V"
std::string RunAmpsText(double amps, char separator);                        // "0.070 A"
std::string RunMetresText(double metres, char separator);                    // "32.0 m"
std::string RunOhmsText(double ohms, char separator, std::string_view unit); // "5.440 ohm"
// Rounded down, never up: "84.0 m"; "any length" when nothing drops.
std::string LongestText(const RunResult& result, char separator);
std::string ThinnestCableText(const RunResult& result); // the table's name, or "none"
std::string CoresToMeetText(const RunResult& result);   // "2", or "none"
// The table's name, or "custom".
std::string RunCableName(const CableRun& run);
// The resistance of one core to its last digit: "0.039 ohm/m".
std::string OhmsPerMetreText(const CableRun& run, char separator, std::string_view ohmUnit);
// The table's name, or "custom"; then the figure: "0.5 mm², 0.039 ohm/m per core".
std::string RunCableText(const CableRun& run, char separator, std::string_view ohmUnit);
// The lines fed, counted from 1: "2 at the far end, 4 at 12.0 m"; "none".
// Given the supply's devices, each number is followed by its description:
// "2 (Sounder) at the far end".
std::string RunLinesText(const CableRun& run, char separator,
                         std::span<const TDeviceData> devices = {});

// The command line's sentence for a run, giving the lowest voltage in
// alarm, or in standby when that is lower:
// "10.12 V at its lowest in alarm (needs 9.50 V), meets; longest 84.0 m".
std::string RunCheckText(const CableRun& run, const RunResult& result, char separator);

// The cable-runs block of a supply's report, as UTF-8 lines without line
// ends, "ohm" for the unit; nothing for a supply without runs.
std::vector<std::string> RunReportLines(const InstallationSupply& supply,
                                        std::span<const RunResult> results, char separator);

} // namespace brellic
