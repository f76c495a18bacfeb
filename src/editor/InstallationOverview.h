#pragma once

#include "calc/CableRuns.h"
#include "calc/OutcomeWords.h"
#include "calc/SystemVerdict.h"
#include "model/DisplayTexts.h"
#include "model/Installation.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace brellic {

// One row of the installation's overview: a supply, what it is made of, and
// its verdict as the system's judgement gives it.
struct SupplyRow : SupplyVerdict {
    std::string Name;
    std::string Panel;   // the panel or PSU; empty while none is chosen
    std::string Battery; // as the battery list shows it; empty while none is chosen
    std::int32_t Grade = 0;
};

// The installation's own row: the whole system's verdict and grade.
using InstallationRow = SystemVerdict;

struct Overview {
    std::vector<SupplyRow> Supplies;
    InstallationRow Installation;
};

// The overview's figures for an installation, each supply judged as the
// same site checked on its own under the installation's standard and period.
Overview MakeOverview(const Installation& installation);

// "2 of 3", as the overview, the report and the sheet count what meets.
std::string CountOf(std::size_t part, std::size_t whole);

// The verdict a supply's tab is marked with: not judged, meets or fails.
inline Outcome MarkOf(const SupplyRow& row) {
    return row.State;
}

// One row of the overview as the window shows it: the supplies' rows, then
// the installation's, whose verdict is the whole system's and whose Panel
// says how many supplies meet ("2 of 3 supplies meet").
struct OverviewLine {
    std::string Name;
    std::string Panel;
    std::string Battery;
    std::string Grade;
    std::string RequiredStandby;
    std::string ActualStandby;
    std::string AlarmCurrent;
    std::string PeakAvailable;
    std::string CableRuns; // "none", "meet" or "1 of 2 meet"
    std::string Verdict;
    Rgb StandbyColour = kVerdictNone;
    Rgb AlarmColour = kVerdictNone;
    Rgb CableRunsColour = kVerdictNone;
    Rgb VerdictColour = kVerdictNone;
};

struct OverviewTexts {
    std::vector<OverviewLine> Lines; // one per supply, then the installation's
    std::string Summary;             // the system's verdict and grade, in a sentence
    Rgb SummaryColour = kVerdictNone;
};

OverviewTexts MakeOverviewTexts(const Overview& overview, char separator);

// The line under a supply's own verdicts that says how its cable runs fare:
// "Cable runs: 1 of 2 meet" in the verdict's colour, or "Cable runs: none".
struct RunsLine {
    std::string Text;
    Rgb Colour = kVerdictNone;
};
RunsLine MakeRunsLine(const std::vector<RunResult>& runs);

} // namespace brellic
