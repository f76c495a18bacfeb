#include "editor/InstallationOverview.h"

#include "calc/ResultTexts.h"
#include "model/Format.h"
#include "model/Globals.h"

#include <utility>

namespace brellic {

Overview MakeOverview(const Installation& installation) {
    InstallationVerdict verdict = JudgeInstallation(installation);
    Overview overview;
    overview.Installation = verdict.System;
    for (std::size_t i = 0; i < installation.Supplies.size(); ++i) {
        const InstallationSupply& supply = installation.Supplies[i];
        SupplyRow row;
        static_cast<SupplyVerdict&>(row) = std::move(verdict.Supplies[i]);
        row.Name = supply.Name;
        row.Grade = supply.Site.Grade;
        if (supply.Site.Panel && *supply.Site.Panel >= 0 && *supply.Site.Panel < kPanelCount) {
            row.Panel = PanelTable[static_cast<std::size_t>(*supply.Site.Panel)].Name;
            const std::vector<int> batteries = BatteriesForPanel(*supply.Site.Panel);
            if (supply.Site.Battery && *supply.Site.Battery >= 0 &&
                static_cast<std::size_t>(*supply.Site.Battery) < batteries.size())
                row.Battery = BatteryTable[static_cast<std::size_t>(
                    batteries[static_cast<std::size_t>(*supply.Site.Battery)])];
        }
        overview.Supplies.push_back(std::move(row));
    }
    return overview;
}

std::string CountOf(std::size_t part, std::size_t whole) {
    return FormatInt(static_cast<long long>(part)) + " of " +
           FormatInt(static_cast<long long>(whole));
}

namespace {

// "meet" when every run meets, else "1 of 2 meet"; "none" without runs.
std::string RunsCount(const std::vector<RunResult>& runs) {
    if (runs.empty())
        return "none";
    if (RunsOutcome(runs) == Outcome::Meets)
        return std::string(RunsWord(Outcome::Meets));
    return CountOf(RunsMeeting(runs), runs.size()) + " " + std::string(RunsWord(Outcome::Meets));
}

} // namespace

OverviewTexts MakeOverviewTexts(const Overview& overview, char separator) {
    OverviewTexts texts;
    for (const SupplyRow& row : overview.Supplies) {
        OverviewLine line;
        line.Name = row.Name;
        line.Panel = row.Panel;
        line.Battery = row.Battery;
        line.Grade = FormatInt(row.Grade);
        line.Verdict = OverviewWord(row.State);
        if (!row.Judged) {
            line.RequiredStandby = line.ActualStandby = line.AlarmCurrent = line.PeakAvailable =
                "---";
        } else {
            const SiteResult& result = row.Result;
            line.RequiredStandby = FormatInt(result.Supply.StandbyHours) + " Hours";
            AssignActualStandby(line.ActualStandby, result.Totals, separator);
            AssignActualPeak(line.AlarmCurrent, result.Totals, separator);
            AssignFixed(line.PeakAvailable, {}, result.Supply.PeakCurrent, 2, separator, " Amps");
            line.StandbyColour = VerdictColour(result.Totals.Standby.State);
            line.AlarmColour = VerdictColour(result.Totals.AlarmCurrent.State);
            line.VerdictColour = VerdictColour(row.State);
        }
        line.CableRuns = RunsCount(row.Runs);
        line.CableRunsColour = VerdictColour(RunsOutcome(row.Runs));
        texts.Lines.push_back(std::move(line));
    }

    const InstallationRow& total = overview.Installation;
    OverviewLine line;
    line.Name = "Installation";
    line.Grade = FormatInt(total.Grade);
    const std::string count = CountOf(total.Meeting, total.Supplies);
    line.Panel = count + " supplies meet";
    line.Verdict = OverviewWord(total.State);
    line.VerdictColour = VerdictColour(total.State);
    texts.Lines.push_back(std::move(line));

    texts.Summary =
        "The installation " + std::string(OverviewWord(total.State)) + ": " + count +
        " supplies meet every requirement. System grade " + FormatInt(total.Grade) +
        (total.GradesDiffer ? ", the lowest of its supplies' grades, which differ." : ".");
    texts.SummaryColour = VerdictColour(total.State);
    return texts;
}

RunsLine MakeRunsLine(const std::vector<RunResult>& runs) {
    if (runs.empty())
        return {"Cable runs: none", kVerdictNone};
    return {"Cable runs: " + CountOf(RunsMeeting(runs), runs.size()) + " meet",
            VerdictColour(RunsOutcome(runs))};
}

} // namespace brellic
