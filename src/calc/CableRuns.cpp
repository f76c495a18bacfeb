#include "calc/CableRuns.h"

#include "calc/OutcomeWords.h"
#include "calc/ResultTexts.h"
#include "model/Extended.h"
#include "model/Format.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace brellic {

namespace {

// A line where it sits on the run, with its currents.
struct Stop {
    Extended DistanceM = 0;
    Extended Quiescent = 0;
    Extended Alarm = 0;
    std::size_t Line = 0;
};

// The lines of the run ordered from the supply outwards, the lower line
// first at one distance.
std::vector<Stop> Stops(const CableRun& run, std::span<const TDeviceData> devices) {
    std::vector<Stop> stops;
    stops.reserve(run.Lines.size());
    for (const RunLine& fed : run.Lines) {
        if (fed.Line >= devices.size())
            continue;
        const TDeviceData& device = devices[fed.Line];
        stops.push_back({static_cast<Extended>(fed.DistanceM.value_or(run.LengthM)),
                         static_cast<Extended>(device.Quiescent),
                         static_cast<Extended>(device.Alarm), fed.Line});
    }
    std::sort(stops.begin(), stops.end(), [](const Stop& a, const Stop& b) {
        return a.DistanceM != b.DistanceM ? a.DistanceM < b.DistanceM : a.Line < b.Line;
    });
    return stops;
}

// Resistance per metre of run, out and back.
Extended PerMetre(double ohmsPerCore, std::int32_t positive, std::int32_t negative) {
    return static_cast<Extended>(ohmsPerCore) *
           (1 / static_cast<Extended>(positive) + 1 / static_cast<Extended>(negative));
}

struct Lowest {
    double Volts = 0;
    std::optional<std::size_t> Line;
    Extended Drop = 0; // from the supply out to the lowest voltage
};

// The current in the stretch before each stop: everything at or beyond it.
std::vector<Extended> CurrentsBeyond(const std::vector<Stop>& stops, Extended Stop::*current) {
    std::vector<Extended> beyond(stops.size() + 1, 0);
    for (std::size_t i = stops.size(); i-- > 0;)
        beyond[i] = beyond[i + 1] + stops[i].*current;
    return beyond;
}

// The drop, out and back, of the stretch from one distance to the next.
Extended StretchDrop(Extended current, Extended from, Extended to, Extended perMetre) {
    return current * (to - from) * perMetre;
}

// The lowest voltage along the run for one set of currents. The voltages
// fall outwards, so the farthest of equal voltages is the one named.
Lowest LowestVolts(const std::vector<Stop>& stops, double supplyVolts, Extended perMetre,
                   Extended Stop::*current) {
    const std::vector<Extended> beyond = CurrentsBeyond(stops, current);
    Extended volts = supplyVolts;
    Extended at = 0;
    Lowest lowest{supplyVolts, std::nullopt};
    Extended lowestVolts = volts;
    Extended lowestAt = 0;
    for (std::size_t i = 0; i < stops.size(); ++i) {
        volts -= StretchDrop(beyond[i], at, stops[i].DistanceM, perMetre);
        at = stops[i].DistanceM;
        if (!std::isfinite(volts)) {
            // Nothing beyond a figure that cannot be computed can be either.
            return {static_cast<double>(volts), stops[i].Line};
        }
        // Farther wins a tie; at one distance the lower line, met first, stays.
        if (!lowest.Line || volts < lowestVolts || (volts == lowestVolts && at > lowestAt)) {
            lowestVolts = volts;
            lowestAt = at;
            lowest.Line = stops[i].Line;
        }
    }
    lowest.Volts = static_cast<double>(lowestVolts);
    lowest.Drop = static_cast<Extended>(supplyVolts) - lowestVolts;
    return lowest;
}

bool Reaches(double volts, double minVolts) {
    return std::isfinite(volts) && volts >= minVolts;
}

bool MeetsAsLaidOut(const std::vector<Stop>& stops, double supplyVolts, Extended perMetre,
                    double minVolts) {
    return Reaches(LowestVolts(stops, supplyVolts, perMetre, &Stop::Quiescent).Volts, minVolts) &&
           Reaches(LowestVolts(stops, supplyVolts, perMetre, &Stop::Alarm).Volts, minVolts);
}

// The run stretched by k drops k times each of its drops, so its lowest
// voltage is the supply's less k times the largest drop.
void SetLongest(RunResult& result, const CableRun& run, double supplyVolts, Extended drop) {
    result.LargestDrop = static_cast<double>(drop);
    if (supplyVolts < run.MinVolts) {
        // Not even a device at the supply works: a negative k is no length.
        result.Stretch = 0;
        result.LongestM = 0;
        return;
    }
    if (!(drop > 0))
        return;
    const Extended k =
        (static_cast<Extended>(supplyVolts) - static_cast<Extended>(run.MinVolts)) / drop;
    const double longest = static_cast<double>(k * static_cast<Extended>(run.LengthM));
    // A drop too small for the length to fit a double: any length.
    if (longest != std::numeric_limits<double>::infinity()) {
        result.Stretch = static_cast<double>(k);
        result.LongestM = longest;
    }
}

std::string Fixed(double value, int decimals, char separator, std::string_view unit) {
    std::string text = FormatFixed(value, decimals, separator);
    if (std::isfinite(value)) {
        text += ' ';
        text += unit;
    }
    return text;
}

} // namespace

RunResult CalculateRun(const CableRun& run, double supplyVolts,
                       std::span<const TDeviceData> devices) {
    const ExtendedPrecisionScope precision;
    RunResult result;
    const std::vector<Stop> stops = Stops(run, devices);
    Extended quiescent = 0;
    Extended alarm = 0;
    for (const Stop& stop : stops) {
        quiescent += stop.Quiescent;
        alarm += stop.Alarm;
    }
    result.QuiescentAmps = static_cast<double>(quiescent);
    result.AlarmAmps = static_cast<double>(alarm);

    const Extended perMetre =
        PerMetre(run.OhmsPerMetrePerCore, run.CoresPositive, run.CoresNegative);
    result.LoopOhms = static_cast<double>(static_cast<Extended>(run.LengthM) * perMetre);
    const Lowest standby = LowestVolts(stops, supplyVolts, perMetre, &Stop::Quiescent);
    const Lowest inAlarm = LowestVolts(stops, supplyVolts, perMetre, &Stop::Alarm);
    result.LowestVoltsQuiescent = standby.Volts;
    result.LowestLineQuiescent = standby.Line;
    result.LowestVoltsAlarm = inAlarm.Volts;
    result.LowestLineAlarm = inAlarm.Line;

    SetLongest(result, run, supplyVolts, std::max(standby.Drop, inAlarm.Drop));

    const double figures[] = {result.QuiescentAmps, result.AlarmAmps, result.LoopOhms,
                              result.LowestVoltsQuiescent, result.LowestVoltsAlarm};
    if (!std::all_of(std::begin(figures), std::end(figures),
                     [](double figure) { return std::isfinite(figure); })) {
        result.State = Outcome::Undefined;
        result.Stretch = result.LongestM = std::numeric_limits<double>::quiet_NaN();
        return result;
    }
    const auto state = [&run](double volts) {
        return Reaches(volts, run.MinVolts) ? Outcome::Meets : Outcome::Fails;
    };
    result.StandbyState = state(result.LowestVoltsQuiescent);
    result.AlarmState = state(result.LowestVoltsAlarm);
    result.State = result.StandbyState == Outcome::Meets && result.AlarmState == Outcome::Meets
                       ? Outcome::Meets
                       : Outcome::Fails;
    // The quotient and the verdict's comparisons can round a hair apart at
    // the edge; the verdict stands, and the longest follows it.
    if (result.Meets() && result.LongestM && *result.LongestM < run.LengthM)
        result.LongestM = run.LengthM;
    else if (!result.Meets() && (!result.LongestM || *result.LongestM >= run.LengthM))
        result.LongestM = std::nextafter(std::max(run.LengthM, 0.0), 0.0);

    for (std::size_t i = 0; i < kCableTable.size(); ++i) {
        if (MeetsAsLaidOut(
                stops, supplyVolts,
                PerMetre(kCableTable[i].OhmsPerMetre, run.CoresPositive, run.CoresNegative),
                run.MinVolts)) {
            result.ThinnestCable = i;
            break;
        }
    }
    for (std::int32_t cores = 1; cores <= kMaxCoresDoubled; ++cores) {
        if (MeetsAsLaidOut(stops, supplyVolts, PerMetre(run.OhmsPerMetrePerCore, cores, cores),
                           run.MinVolts)) {
            result.CoresToMeet = cores;
            break;
        }
    }
    return result;
}

std::vector<RunStretch> RunStretches(const CableRun& run, std::span<const TDeviceData> devices) {
    const ExtendedPrecisionScope precision;
    const std::vector<Stop> stops = Stops(run, devices);
    const Extended perMetre =
        PerMetre(run.OhmsPerMetrePerCore, run.CoresPositive, run.CoresNegative);
    const std::vector<Extended> quiescent = CurrentsBeyond(stops, &Stop::Quiescent);
    const std::vector<Extended> alarm = CurrentsBeyond(stops, &Stop::Alarm);
    std::vector<RunStretch> stretches;
    Extended at = 0;
    for (std::size_t i = 0; i < stops.size(); ++i) {
        const Stop& stop = stops[i];
        // Lines at one distance end one stretch; a line at the supply ends none.
        if (stop.DistanceM == at) {
            if (!stretches.empty())
                stretches.back().Lines.push_back(stop.Line);
            continue;
        }
        RunStretch stretch;
        stretch.FromM = static_cast<double>(at);
        stretch.ToM = static_cast<double>(stop.DistanceM);
        stretch.LengthM = static_cast<double>(stop.DistanceM - at);
        stretch.Lines.push_back(stop.Line);
        stretch.QuiescentAmps = static_cast<double>(quiescent[i]);
        stretch.AlarmAmps = static_cast<double>(alarm[i]);
        stretch.QuiescentDrop =
            static_cast<double>(StretchDrop(quiescent[i], at, stop.DistanceM, perMetre));
        stretch.AlarmDrop =
            static_cast<double>(StretchDrop(alarm[i], at, stop.DistanceM, perMetre));
        stretches.push_back(std::move(stretch));
        at = stop.DistanceM;
    }
    return stretches;
}

std::vector<RunResult> CalculateRuns(const InstallationSupply& supply) {
    std::vector<RunResult> results;
    results.reserve(supply.Runs.size());
    for (const CableRun& run : supply.Runs)
        results.push_back(CalculateRun(run, supply.LowestOutputVolts, supply.Site.Devices));
    return results;
}

std::size_t RunsMeeting(std::span<const RunResult> runs) {
    return static_cast<std::size_t>(
        std::count_if(runs.begin(), runs.end(), [](const RunResult& run) { return run.Meets(); }));
}

bool RunsMeet(std::span<const RunResult> runs) {
    return RunsMeeting(runs) == runs.size();
}

std::string RunLineNumber(std::size_t line) {
    return FormatInt(static_cast<long long>(line + 1));
}

std::string RunVoltsText(double volts, char separator) {
    return Fixed(volts, 2, separator, "V");
}

std::string RunAmpsText(double amps, char separator) {
    return Fixed(amps, 3, separator, "A");
}

std::string RunMetresText(double metres, char separator) {
    return Fixed(metres, 1, separator, "m");
}

std::string RunOhmsText(double ohms, char separator, std::string_view unit) {
    return Fixed(ohms, 3, separator, unit);
}

std::string LongestText(const RunResult& result, char separator) {
    if (!result.LongestM)
        return "any length";
    if (!std::isfinite(*result.LongestM))
        return std::string(kUndefinedFigure);
    return FormatFixedDown(*result.LongestM, 1, separator) + " m";
}

std::string ThinnestCableText(const RunResult& result) {
    return result.ThinnestCable ? std::string(kCableTable[*result.ThinnestCable].Name) : "none";
}

std::string CoresToMeetText(const RunResult& result) {
    return result.CoresToMeet ? FormatInt(*result.CoresToMeet) : "none";
}

std::string RunCableName(const CableRun& run) {
    return run.Cable && *run.Cable < kCableTable.size() ? std::string(kCableTable[*run.Cable].Name)
                                                        : std::string("custom");
}

std::string OhmsPerMetreText(const CableRun& run, char separator, std::string_view ohmUnit) {
    // The figure to its own last digit: a table figure has at most 5
    // decimals (0.00798), a custom one shows 6.
    return FormatFixedTrimmed(run.OhmsPerMetrePerCore, run.Cable ? 5 : 6, separator) + " " +
           std::string(ohmUnit) + "/m";
}

std::string RunCableText(const CableRun& run, char separator, std::string_view ohmUnit) {
    return RunCableName(run) + ", " + OhmsPerMetreText(run, separator, ohmUnit) + " per core";
}

std::string RunLinesText(const CableRun& run, char separator,
                         std::span<const TDeviceData> devices) {
    if (run.Lines.empty())
        return "none";
    std::string text;
    for (const RunLine& fed : run.Lines) {
        if (!text.empty())
            text += ", ";
        text += RunLineNumber(fed.Line);
        if (fed.Line < devices.size() && !devices[fed.Line].Description.empty())
            text += " (" + devices[fed.Line].Description + ")";
        text += fed.DistanceM ? " at " + RunMetresText(*fed.DistanceM, separator)
                              : std::string(" at the far end");
    }
    return text;
}

std::string RunCheckText(const CableRun& run, const RunResult& result, char separator) {
    const bool standby = std::isfinite(result.LowestVoltsAlarm) &&
                         result.LowestVoltsQuiescent < result.LowestVoltsAlarm;
    std::string text =
        RunVoltsText(standby ? result.LowestVoltsQuiescent : result.LowestVoltsAlarm, separator) +
        (standby ? " at its lowest in standby (needs " : " at its lowest in alarm (needs ") +
        RunVoltsText(run.MinVolts, separator) + "), " + std::string(TextWord(result.State));
    if (result.LongestM)
        text += "; longest " + LongestText(result, separator);
    else
        text += "; any length";
    return text;
}

std::vector<std::string> RunReportLines(const InstallationSupply& supply,
                                        std::span<const RunResult> results, char separator) {
    std::vector<std::string> lines;
    if (supply.Runs.empty())
        return lines;
    lines.push_back("Cable Runs");
    lines.push_back("");
    lines.push_back("Lowest Output Voltage: " + RunVoltsText(supply.LowestOutputVolts, separator));
    const auto where = [](const std::optional<std::size_t>& line) {
        return line ? " at line " + RunLineNumber(*line) : std::string(" (no device lines)");
    };
    for (std::size_t i = 0; i < supply.Runs.size() && i < results.size(); ++i) {
        const CableRun& run = supply.Runs[i];
        const RunResult& result = results[i];
        lines.push_back("");
        lines.push_back("Run " + FormatInt(static_cast<long long>(i + 1)) + ": " + run.Name);
        lines.push_back("Cable: " + RunCableText(run, separator, "ohm"));
        lines.push_back("Cores Doubled Up: " + FormatInt(run.CoresPositive) + " on +12 V, " +
                        FormatInt(run.CoresNegative) + " on 0 V");
        lines.push_back("Length: " + RunMetresText(run.LengthM, separator));
        lines.push_back("Device Lines: " + RunLinesText(run, separator, supply.Site.Devices));
        lines.push_back("Loop Resistance: " + RunOhmsText(result.LoopOhms, separator, "ohm"));
        lines.push_back("Current: " + RunAmpsText(result.QuiescentAmps, separator) +
                        " in standby, " + RunAmpsText(result.AlarmAmps, separator) + " in alarm");
        lines.push_back(
            "Lowest Voltage in Standby: " + RunVoltsText(result.LowestVoltsQuiescent, separator) +
            where(result.LowestLineQuiescent));
        lines.push_back(
            "Lowest Voltage in Alarm: " + RunVoltsText(result.LowestVoltsAlarm, separator) +
            where(result.LowestLineAlarm));
        lines.push_back("Lowest Operating Voltage: " + RunVoltsText(run.MinVolts, separator));
        lines.push_back("Verdict: " + RunVerdictText(result.State));
        lines.push_back("Longest Run that Meets: " + LongestText(result, separator));
        lines.push_back("Thinnest Cable that Meets: " + ThinnestCableText(result));
        lines.push_back("Cores Doubled Up to Meet: " + CoresToMeetText(result));
    }
    return lines;
}

} // namespace brellic
