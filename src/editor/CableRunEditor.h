#pragma once

#include "calc/CableRuns.h"
#include "model/DisplayTexts.h"
#include "model/Installation.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace brellic {

// The highest resistance a custom cable may have, in ohms per metre per core.
inline constexpr double kMaxOhmsPerMetre = 1000;

// One run as the edit dialog holds it: the texts as typed, the choices as
// made. Lines has one entry per device line of the supply.
struct RunEntry {
    std::string Name;
    std::size_t Cable = 0; // kCableTable position; kCableTable.size() for a custom figure
    std::string OhmsPerMetre;
    std::int32_t CoresPositive = 1;
    std::int32_t CoresNegative = 1;
    std::string LengthM;
    std::string MinVolts;
    struct Line {
        bool On = false;
        std::string DistanceM; // empty: at the far end
    };
    std::vector<Line> Lines;
};

// The Cable Runs dialog's rules, without widgets: a working copy of one
// supply's lowest output voltage and cable runs, edited run by run, with
// every entry checked before it is taken and a message saying why when it is
// not. The installation editor takes the copy back when the dialog closes
// with OK; Cancel loses only what the dialog changed.
class CableRunEditor {
public:
    // The figures are shown and read with separator, as the window's are.
    explicit CableRunEditor(const InstallationSupply& supply, char separator = '.');

    const InstallationSupply& Supply() const { return supply_; }
    char Separator() const { return separator_; }
    const std::vector<RunResult>& Results() const { return results_; }
    // Whether the voltage or the runs differ from the supply given.
    bool Changed() const;

    // The table of runs: a row per run, each cell's text, and the colour of
    // the cells that carry a verdict, as the window colours the battery
    // verdicts: each lowest voltage by its own comparison with the minimum,
    // the verdict by the run's. Nothing for a cell shown uncoloured.
    static const std::vector<std::string>& Columns();
    std::vector<std::string> Row(std::size_t run) const;
    std::optional<Rgb> CellColour(std::size_t run, std::size_t column) const;
    // What would make a run meet, shown under the table for the chosen run:
    // "Hall - Longest that Meets: 14.7 m; Thinnest Cable that Meets: ...".
    std::string Remedies(std::size_t run) const;

    // The supply's lowest output voltage as the field shows it, and as typed:
    // 5 to 30 V, and above every run's lowest operating voltage. The message
    // says why it was refused, or is empty.
    std::string LowestOutputVoltsText() const;
    std::string SetLowestOutputVolts(const std::string& text);

    // A table cable's figure as the edit dialog's resistance field shows it.
    std::string TableOhmsText(std::size_t cable) const;

    // The edit dialog's start: a new run (the next free name, 7/0.2 alarm
    // cable, single cores, 9.5 V, no length yet, no lines), or a run as it is.
    RunEntry NewEntry() const;
    RunEntry EntryOf(std::size_t run) const;
    // The device lines the edit dialog offers, one per line of the supply:
    // "3  Sounder" and, for a line on another run than the one edited, that
    // run's name, which keeps it from being chosen.
    struct LineChoice {
        std::string Text;
        std::string OtherRun; // empty when the line may be chosen
    };
    std::vector<LineChoice> LineChoices(std::optional<std::size_t> editing) const;

    // Takes an entry as a new run, or in place of a run; the message says
    // why it was refused, and then nothing changed.
    std::string Add(const RunEntry& entry);
    std::string Replace(std::size_t run, const RunEntry& entry);
    // The entry's field the last refusal of Add or Replace was about, for
    // the dialog to take the user there; Line says which device line.
    enum class RunField { Name, Ohms, Cores, Length, MinVolts, Line };
    struct RunFault {
        RunField Field = RunField::Name;
        std::size_t Line = 0;
    };
    const RunFault& LastFault() const { return fault_; }
    void Remove(std::size_t run);
    // Whether another run can be added, and the message when not.
    std::string AddFault() const;

private:
    std::string Read(const RunEntry& entry, std::optional<std::size_t> index, CableRun& run,
                     RunFault& at) const;
    void Recalculate();

    InstallationSupply original_;
    InstallationSupply supply_;
    std::vector<RunResult> results_;
    char separator_;
    RunFault fault_;
};

} // namespace brellic
