#include "calc/CableRunSheetTexts.h"

#include "calc/SheetWorking.h"

#include "model/Format.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <utility>

namespace brellic {

namespace {

using namespace sheet_working;

const std::string kTimesOp = Op(kTimes);
const std::string kDivideOp = Op(kDivide);
const std::string kMinusOp = Op(kMinus);
const std::string kAtLeastOp = Op(kAtLeast);

constexpr const char* kPerMetreFactor = "(1/n+ + 1/n\xE2\x88\x92)";

// "lines 1, 2" or "line 2".
std::string LinesText(const std::vector<std::size_t>& lines) {
    std::string text = lines.size() == 1 ? "line " : "lines ";
    for (std::size_t i = 0; i < lines.size(); ++i)
        text += (i > 0 ? ", " : "") + RunLineNumber(lines[i]);
    return text;
}

// Builds one run's figures from its result, its stretches and its lines.
class RunSheetBuilder {
public:
    RunSheetBuilder(const CableRun& run, const RunResult& result, double supplyVolts,
                    std::span<const TDeviceData> devices, char separator)
        : run_(run), result_(result), supplyVolts_(supplyVolts), devices_(devices),
          separator_(separator), stretches_(RunStretches(run, devices)),
          ohms_(OhmsPerMetreText(run, separator, kOhmSign)),
          factor_("(1/" + FormatInt(run.CoresPositive) + " + 1/" + FormatInt(run.CoresNegative) +
                  ")") {}

    SheetRun Build() {
        s_.Name = run_.Name;
        s_.Cable = RunCableName(run_);
        s_.OhmsPerMetre = ohms_;
        s_.CoresPositive = FormatInt(run_.CoresPositive);
        s_.CoresNegative = FormatInt(run_.CoresNegative);
        s_.Length = Metres(run_.LengthM);
        s_.MinVolts = Volts(run_.MinVolts);
        s_.State = result_.State;
        Lines();
        Resistance();
        s_.QuiescentCurrent = Current("Current in standby", "the lines' quiescent currents",
                                      &TDeviceData::Quiescent, result_.QuiescentAmps);
        s_.AlarmCurrent = Current("Current in alarm", "the lines' alarm currents",
                                  &TDeviceData::Alarm, result_.AlarmAmps);
        s_.QuiescentDrops =
            Drops("in standby", &RunStretch::QuiescentAmps, &RunStretch::QuiescentDrop);
        s_.AlarmDrops = Drops("in alarm", &RunStretch::AlarmAmps, &RunStretch::AlarmDrop);
        s_.LowestQuiescent =
            LowestFigure("Lowest voltage in standby", s_.QuiescentDrops,
                         result_.LowestVoltsQuiescent, result_.LowestLineQuiescent);
        s_.LowestAlarm = LowestFigure("Lowest voltage in alarm", s_.AlarmDrops,
                                      result_.LowestVoltsAlarm, result_.LowestLineAlarm);
        Check();
        Remedies();
        return std::move(s_);
    }

private:
    std::string Volts(double volts) const { return RunVoltsText(volts, separator_); }
    std::string Amps(double amps) const { return RunAmpsText(amps, separator_); }
    std::string Metres(double metres) const { return RunMetresText(metres, separator_); }
    bool Fed(const RunLine& fed) const { return fed.Line < devices_.size(); }

    // The lines in the run's own order; a line beyond the list feeds nothing.
    void Lines() {
        for (const RunLine& fed : run_.Lines) {
            if (!Fed(fed))
                continue;
            const TDeviceData& device = devices_[fed.Line];
            s_.Lines.push_back({RunLineNumber(fed.Line), device.Description,
                                fed.DistanceM ? Metres(*fed.DistanceM) : std::string("far end"),
                                Amps(device.Quiescent), Amps(device.Alarm)});
        }
    }

    void Resistance() {
        s_.LoopResistance = Figure("Loop resistance",
                                   std::string("l") + kTimesOp + "r" + kTimesOp + kPerMetreFactor);
        s_.LoopResistance.Working = Metres(run_.LengthM) + kTimesOp + ohms_ + kTimesOp + factor_;
        SetResult(s_.LoopResistance, std::isfinite(result_.LoopOhms),
                  RunOhmsText(result_.LoopOhms, separator_, kOhmSign));
    }

    // The run's current, the sum of its lines' currents, each shown when
    // there are more than one.
    SheetFigure Current(const char* label, const char* formula, double TDeviceData::*current,
                        double amps) const {
        SheetFigure figure = Figure(label, formula);
        std::string working;
        std::size_t count = 0;
        for (const RunLine& fed : run_.Lines) {
            if (!Fed(fed))
                continue;
            working += (count++ > 0 ? " + " : "") + Amps(devices_[fed.Line].*current);
        }
        if (count > 1)
            figure.Working = std::move(working);
        SetResult(figure, std::isfinite(amps), Amps(amps));
        return figure;
    }

    std::vector<SheetFigure> Drops(const char* when, double RunStretch::*current,
                                   double RunStretch::*drop) const {
        std::vector<SheetFigure> drops;
        for (std::size_t i = 0; i < stretches_.size(); ++i) {
            const RunStretch& stretch = stretches_[i];
            SheetFigure figure = Figure(
                std::string("Drop ") + when + ", stretch " + RunLineNumber(i),
                std::string("I") + kTimesOp + "l" + kTimesOp + "r" + kTimesOp + kPerMetreFactor);
            figure.Working = Amps(stretch.*current) + kTimesOp + Metres(stretch.LengthM) +
                             kTimesOp + ohms_ + kTimesOp + factor_;
            // What the stretch carries: every line at or beyond its far end.
            std::vector<std::size_t> beyond;
            for (std::size_t j = i; j < stretches_.size(); ++j)
                beyond.insert(beyond.end(), stretches_[j].Lines.begin(), stretches_[j].Lines.end());
            figure.Note = LinesText(beyond);
            SetResult(figure, std::isfinite(stretch.*drop), Volts(stretch.*drop));
            drops.push_back(std::move(figure));
        }
        return drops;
    }

    // The supply's voltage less the drops of every stretch out to the line
    // where the voltage is lowest.
    SheetFigure LowestFigure(const char* label, const std::vector<SheetFigure>& drops, double volts,
                             const std::optional<std::size_t>& line) const {
        SheetFigure figure = Figure(label, std::string("lowest output") + kMinusOp + "the drops");
        if (!line) {
            figure.Note = "no device lines";
            SetResult(figure, std::isfinite(volts), Volts(volts));
            return figure;
        }
        std::string working = Volts(supplyVolts_);
        for (std::size_t i = 0; i < stretches_.size() && i < drops.size(); ++i) {
            working += kMinusOp + drops[i].Result;
            const std::vector<std::size_t>& ending = stretches_[i].Lines;
            if (std::find(ending.begin(), ending.end(), *line) != ending.end())
                break;
        }
        figure.Working = std::move(working);
        SetResult(figure, std::isfinite(volts), Volts(volts) + " at line " + RunLineNumber(*line));
        return figure;
    }

    // Judged on the unrounded voltages, as the battery verdicts are: both
    // must reach the minimum.
    void Check() {
        SheetCheck& check = s_.Check;
        check.Requirement = s_.MinVolts;
        const double standby = result_.LowestVoltsQuiescent;
        const double alarm = result_.LowestVoltsAlarm;
        // The voltage that decides: the lower, or the one that cannot be computed.
        check.Actual = Volts(std::isfinite(alarm) && standby < alarm ? standby : alarm);
        check.Result = result_.Meets() ? Outcome::Meets : Outcome::Fails;
        if (result_.State == Outcome::Undefined)
            return;
        const auto against = [&](double volts) {
            return Volts(volts) + (volts >= run_.MinVolts ? kAtLeastOp : " < ") + s_.MinVolts;
        };
        check.Comparison = against(standby) + " in standby, " + against(alarm) + " in alarm";
    }

    void Remedies() {
        const bool defined = result_.State != Outcome::Undefined;
        s_.Longest = Figure("Longest run that meets",
                            std::string("k") + kTimesOp + "l, the run stretched by k = (V out" +
                                kMinusOp + "V min)" + kDivideOp + "largest drop");
        if (defined && supplyVolts_ < run_.MinVolts) {
            s_.Longest.Note = "the supply is below the lowest operating voltage";
        } else if (defined && result_.Stretch) {
            // The drop that decides: in standby only when it is the larger.
            const bool standby = result_.LowestVoltsQuiescent < result_.LowestVoltsAlarm;
            s_.Longest.Note =
                std::string("the drop ") + (standby ? "in standby" : "in alarm") + "; rounded down";
            s_.Longest.Working = "(" + Volts(supplyVolts_) + kMinusOp + s_.MinVolts + ")" +
                                 kDivideOp + Volts(result_.LargestDrop) + kTimesOp + s_.Length +
                                 " = " + FormatFixed(*result_.Stretch, 3, separator_) + kTimesOp +
                                 s_.Length;
        } else if (defined) {
            s_.Longest.Note = "no drop along the run";
        }
        SetResult(s_.Longest, defined, LongestText(result_, separator_));

        s_.Thinnest = Figure("Thinnest cable that meets", "from the table, as laid out");
        SetResult(s_.Thinnest, defined, ThinnestCableText(result_));
        s_.CoresToMeet = Figure("Cores doubled up to meet", "both legs alike, 1 to 4, as laid out");
        SetResult(s_.CoresToMeet, defined, CoresToMeetText(result_));
    }

    const CableRun& run_;
    const RunResult& result_;
    double supplyVolts_;
    std::span<const TDeviceData> devices_;
    char separator_;
    std::vector<RunStretch> stretches_;
    std::string ohms_;
    std::string factor_;
    SheetRun s_;
};

} // namespace

std::vector<SheetRun> MakeSheetRuns(const InstallationSupply& supply,
                                    std::span<const RunResult> results, char separator) {
    std::vector<SheetRun> runs;
    for (std::size_t i = 0; i < supply.Runs.size() && i < results.size(); ++i)
        runs.push_back(RunSheetBuilder(supply.Runs[i], results[i], supply.LowestOutputVolts,
                                       supply.Site.Devices, separator)
                           .Build());
    return runs;
}

} // namespace brellic
