#include "editor/CableRunEditor.h"

#include "calc/ResultTexts.h"
#include "editor/DecimalEntry.h"
#include "editor/Limits.h"
#include "io/Cp1252.h"
#include "model/Format.h"

#include <algorithm>
#include <utility>

namespace brellic {

namespace {

constexpr int kOhmsDecimals = 6;
constexpr int kMetresDecimals = 1;
constexpr int kVoltsDecimals = 2;
// No cable comes near it; it only keeps a slip of the keyboard out.

// A typed figure: the value as read, or, when the text is still what the
// field showed, the exact value behind it, so that a figure shown rounded
// is never replaced by its rounding. Nothing when refused, and then Refusal
// says why: the usual reason, or why text that could be read two ways is not
// taken.
struct Figure {
    std::optional<double> Value;
    std::string Ambiguity;

    std::string Refusal(std::string usual) const {
        return Ambiguity.empty() ? std::move(usual) : Ambiguity;
    }
};

Figure ReadFigure(const std::string& text, const std::string& shown, double exact, int decimals,
                  double maximum, char separator) {
    if (!shown.empty() && text == shown)
        return {exact, {}};
    DecimalEntry read = ReadDecimalEntry(text, separator, decimals, maximum);
    if (read.State != EntryState::Acceptable)
        return {std::nullopt, std::move(read.Message)};
    return {read.Value, {}};
}

std::string Capitalised(std::string text) {
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z')
        text[0] = static_cast<char>(text[0] - 'a' + 'A');
    return text;
}

} // namespace

CableRunEditor::CableRunEditor(const InstallationSupply& supply, char separator)
    : original_(supply), supply_(supply), separator_(separator) {
    Recalculate();
}

bool CableRunEditor::Changed() const {
    return supply_.LowestOutputVolts != original_.LowestOutputVolts ||
           supply_.Runs != original_.Runs;
}

void CableRunEditor::Recalculate() {
    results_ = CalculateRuns(supply_);
}

const std::vector<std::string>& CableRunEditor::Columns() {
    static const std::vector<std::string> columns = {
        "Run",   "Cable", "Cores + / -",       "Length",          "Lines", "Standby",
        "Alarm", "Loop",  "Lowest in Standby", "Lowest in Alarm", "Needs", "Verdict"};
    return columns;
}

std::vector<std::string> CableRunEditor::Row(std::size_t index) const {
    const CableRun& run = supply_.Runs.at(index);
    const RunResult& result = results_.at(index);
    const auto where = [](const std::optional<std::size_t>& line) {
        return line ? " at line " + RunLineNumber(*line) : std::string();
    };
    // A table cable by its name alone; the table gives its figure.
    const std::string cable =
        run.Cable && *run.Cable < kCableTable.size()
            ? std::string(kCableTable[*run.Cable].Name)
            : "Custom, " + FormatFixedTrimmed(run.OhmsPerMetrePerCore, kOhmsDecimals, separator_) +
                  " " + kOhmSign + "/m";
    return {run.Name,
            cable,
            FormatInt(run.CoresPositive) + " / " + FormatInt(run.CoresNegative),
            RunMetresText(run.LengthM, separator_),
            RunLinesText(run, separator_),
            RunAmpsText(result.QuiescentAmps, separator_),
            RunAmpsText(result.AlarmAmps, separator_),
            RunOhmsText(result.LoopOhms, separator_, kOhmSign),
            RunVoltsText(result.LowestVoltsQuiescent, separator_) +
                where(result.LowestLineQuiescent),
            RunVoltsText(result.LowestVoltsAlarm, separator_) + where(result.LowestLineAlarm),
            RunVoltsText(run.MinVolts, separator_),
            Capitalised(RunVerdictText(result.State))};
}

std::string CableRunEditor::Remedies(std::size_t index) const {
    const RunResult& result = results_.at(index);
    return supply_.Runs.at(index).Name +
           " - Longest that Meets: " + LongestText(result, separator_) +
           "; Thinnest Cable that Meets: " + ThinnestCableText(result) +
           "; Cores to Meet: " + CoresToMeetText(result);
}

std::optional<Rgb> CableRunEditor::CellColour(std::size_t run, std::size_t column) const {
    const RunResult& result = results_.at(run);
    // A run that cannot be judged shows its whole verdict in each cell.
    const auto side = [&result](Outcome state) {
        return VerdictColour(result.State == Outcome::Undefined ? result.State : state);
    };
    switch (column) {
    case 8:
        return side(result.StandbyState);
    case 9:
        return side(result.AlarmState);
    case 11:
        return VerdictColour(result.State);
    default:
        return std::nullopt;
    }
}

std::string CableRunEditor::LowestOutputVoltsText() const {
    return FormatFixedTrimmed(supply_.LowestOutputVolts, kVoltsDecimals, separator_);
}

std::string CableRunEditor::SetLowestOutputVolts(const std::string& text) {
    const Figure read = ReadFigure(text, LowestOutputVoltsText(), supply_.LowestOutputVolts,
                                   kVoltsDecimals, kMaxSupplyVolts, separator_);
    const std::optional<double>& volts = read.Value;
    if (!volts || !SupplyVoltsInRange(*volts))
        return read.Refusal("The lowest output voltage must be " +
                            FormatInt(static_cast<long long>(kMinSupplyVolts)) + " to " +
                            FormatInt(static_cast<long long>(kMaxSupplyVolts)) +
                            " V, with at most 2 decimals.");
    for (const CableRun& run : supply_.Runs) {
        if (!RunMinVoltsInRange(run.MinVolts, *volts))
            return "The lowest output voltage must stay above the lowest operating voltage of "
                   "every run: \"" +
                   run.Name + "\" needs " + RunVoltsText(run.MinVolts, separator_) + ".";
    }
    supply_.LowestOutputVolts = *volts;
    Recalculate();
    return {};
}

std::string CableRunEditor::TableOhmsText(std::size_t cable) const {
    return FormatFixedTrimmed(kCableTable.at(cable).OhmsPerMetre, kOhmsDecimals, separator_);
}

RunEntry CableRunEditor::NewEntry() const {
    RunEntry entry;
    for (std::size_t n = supply_.Runs.size() + 1;; ++n) {
        entry.Name = "Run " + FormatInt(static_cast<long long>(n));
        if (std::none_of(supply_.Runs.begin(), supply_.Runs.end(),
                         [&entry](const CableRun& run) { return run.Name == entry.Name; }))
            break;
    }
    entry.OhmsPerMetre = FormatFixedTrimmed(kCableTable[0].OhmsPerMetre, kOhmsDecimals, separator_);
    entry.MinVolts = FormatFixedTrimmed(kDefaultRunMinVolts, kVoltsDecimals, separator_);
    // The lowest operating voltage must stay below the supply's.
    if (!RunMinVoltsInRange(kDefaultRunMinVolts, supply_.LowestOutputVolts))
        entry.MinVolts.clear();
    entry.Lines.resize(supply_.Site.Devices.size());
    return entry;
}

RunEntry CableRunEditor::EntryOf(std::size_t index) const {
    const CableRun& run = supply_.Runs.at(index);
    RunEntry entry;
    entry.Name = run.Name;
    entry.Cable = run.Cable.value_or(kCableTable.size());
    entry.OhmsPerMetre = FormatFixedTrimmed(run.OhmsPerMetrePerCore, kOhmsDecimals, separator_);
    entry.CoresPositive = run.CoresPositive;
    entry.CoresNegative = run.CoresNegative;
    entry.LengthM = FormatFixedTrimmed(run.LengthM, kMetresDecimals, separator_);
    entry.MinVolts = FormatFixedTrimmed(run.MinVolts, kVoltsDecimals, separator_);
    entry.Lines.resize(supply_.Site.Devices.size());
    for (const RunLine& fed : run.Lines) {
        if (fed.Line >= entry.Lines.size())
            continue;
        entry.Lines[fed.Line].On = true;
        if (fed.DistanceM)
            entry.Lines[fed.Line].DistanceM =
                FormatFixedTrimmed(*fed.DistanceM, kMetresDecimals, separator_);
    }
    return entry;
}

std::vector<CableRunEditor::LineChoice>
CableRunEditor::LineChoices(std::optional<std::size_t> editing) const {
    std::vector<LineChoice> choices;
    for (std::size_t i = 0; i < supply_.Site.Devices.size(); ++i)
        choices.push_back({RunLineNumber(i) + "  " + supply_.Site.Devices[i].Description, {}});
    for (std::size_t r = 0; r < supply_.Runs.size(); ++r) {
        if (editing && *editing == r)
            continue;
        for (const RunLine& fed : supply_.Runs[r].Lines) {
            if (fed.Line < choices.size())
                choices[fed.Line].OtherRun = supply_.Runs[r].Name;
        }
    }
    return choices;
}

std::string CableRunEditor::Read(const RunEntry& entry, std::optional<std::size_t> index,
                                 CableRun& run, RunFault& at) const {
    // What the fields showed for the run being edited: a text left as it was
    // keeps its exact figure.
    const RunEntry shown = index ? EntryOf(*index) : RunEntry{};
    const CableRun before = index ? supply_.Runs[*index] : CableRun{};

    at = {RunField::Name, 0};
    if (entry.Name.empty())
        return "A cable run needs a name.";
    if (!IsOneLineCp1252(entry.Name) || Utf8Length(entry.Name) > kCableRunNameCapacity)
        return "A cable run's name must be one line of at most " +
               LimitText(kCableRunNameCapacity) + " characters a site file can hold.";
    // The installation file tells a supply's runs apart by name.
    for (std::size_t r = 0; r < supply_.Runs.size(); ++r) {
        if (r != index && supply_.Runs[r].Name == entry.Name)
            return "Another cable run of this supply is already named " + Quoted(entry.Name) + ".";
    }
    run.Name = entry.Name;

    if (entry.Cable < kCableTable.size()) {
        run.Cable = entry.Cable;
        run.OhmsPerMetrePerCore = kCableTable[entry.Cable].OhmsPerMetre;
    } else {
        at = {RunField::Ohms, 0};
        const Figure ohms =
            ReadFigure(entry.OhmsPerMetre, before.Cable ? std::string() : shown.OhmsPerMetre,
                       before.OhmsPerMetrePerCore, kOhmsDecimals, kMaxOhmsPerMetre, separator_);
        if (!ohms.Value || !OhmsPerMetreInRange(*ohms.Value))
            return ohms.Refusal("The resistance must be a number of ohms per metre per core "
                                "greater than 0, with at most 6 decimals.");
        run.Cable.reset();
        run.OhmsPerMetrePerCore = *ohms.Value;
    }

    at = {RunField::Cores, 0};
    if (!CoresInRange(entry.CoresPositive) || !CoresInRange(entry.CoresNegative))
        return "The cores doubled up must be 1 to " + FormatInt(kMaxCoresDoubled) + " on each leg.";
    run.CoresPositive = entry.CoresPositive;
    run.CoresNegative = entry.CoresNegative;

    at = {RunField::Length, 0};
    const Figure length = ReadFigure(entry.LengthM, shown.LengthM, before.LengthM, kMetresDecimals,
                                     kMaxRunLengthM, separator_);
    if (!length.Value || !RunLengthInRange(*length.Value))
        return length.Refusal("The run's length must be greater than 0 m and at most " +
                              FormatInt(static_cast<long long>(kMaxRunLengthM)) +
                              " m, with at most 1 decimal.");
    run.LengthM = *length.Value;

    at = {RunField::MinVolts, 0};
    const Figure minVolts = ReadFigure(entry.MinVolts, shown.MinVolts, before.MinVolts,
                                       kVoltsDecimals, kMaxSupplyVolts, separator_);
    if (!minVolts.Value || !RunMinVoltsInRange(*minVolts.Value, supply_.LowestOutputVolts))
        return minVolts.Refusal(
            "The lowest operating voltage must be greater than 0 V and below the supply's "
            "lowest output voltage, " +
            RunVoltsText(supply_.LowestOutputVolts, separator_) + ", with at most 2 decimals.");
    run.MinVolts = *minVolts.Value;

    const std::vector<LineChoice> choices = LineChoices(index);
    run.Lines.clear();
    for (std::size_t i = 0; i < entry.Lines.size() && i < choices.size(); ++i) {
        const RunEntry::Line& line = entry.Lines[i];
        if (!line.On)
            continue;
        at = {RunField::Line, i};
        if (!choices[i].OtherRun.empty())
            return "Device line " + RunLineNumber(i) + " is on the run \"" + choices[i].OtherRun +
                   "\" already; a device line is on at most one run.";
        RunLine fed{i, std::nullopt};
        if (!line.DistanceM.empty()) {
            const auto old = std::find_if(before.Lines.begin(), before.Lines.end(),
                                          [i](const RunLine& was) { return was.Line == i; });
            const bool had = old != before.Lines.end() && old->DistanceM;
            const Figure distance =
                ReadFigure(line.DistanceM,
                           had && i < shown.Lines.size() ? shown.Lines[i].DistanceM : std::string(),
                           had ? *old->DistanceM : 0, kMetresDecimals, kMaxRunLengthM, separator_);
            if (!distance.Value || *distance.Value < 0 || *distance.Value > run.LengthM)
                return distance.Refusal(
                    "The distance of device line " + RunLineNumber(i) +
                    " must be from 0 m to the run's length, " +
                    RunMetresText(run.LengthM, separator_) +
                    ", with at most 1 decimal; left empty, the line is at the far end.");
            fed.DistanceM = *distance.Value;
        }
        run.Lines.push_back(fed);
    }
    return {};
}

std::string CableRunEditor::AddFault() const {
    if (supply_.Runs.size() >= kMaxCableRuns)
        return "A supply holds at most " + LimitText(kMaxCableRuns) + " cable runs.";
    return {};
}

std::string CableRunEditor::Add(const RunEntry& entry) {
    if (std::string fault = AddFault(); !fault.empty())
        return fault;
    CableRun run;
    if (std::string fault = Read(entry, std::nullopt, run, fault_); !fault.empty())
        return fault;
    supply_.Runs.push_back(std::move(run));
    Recalculate();
    return {};
}

std::string CableRunEditor::Replace(std::size_t index, const RunEntry& entry) {
    if (index >= supply_.Runs.size())
        return {};
    CableRun run;
    if (std::string fault = Read(entry, index, run, fault_); !fault.empty())
        return fault;
    supply_.Runs[index] = std::move(run);
    Recalculate();
    return {};
}

void CableRunEditor::Remove(std::size_t index) {
    if (index >= supply_.Runs.size())
        return;
    supply_.Runs.erase(supply_.Runs.begin() + static_cast<std::ptrdiff_t>(index));
    Recalculate();
}

} // namespace brellic
