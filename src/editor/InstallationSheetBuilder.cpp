#include "editor/InstallationSheetBuilder.h"

#include "calc/CableRunSheetTexts.h"
#include "editor/InstallationEditor.h"
#include "editor/Settings.h"
#include "editor/SilentPrompter.h"
#include "editor/SiteEditor.h"
#include "model/Format.h"

#include <utility>

namespace brellic {

InstallationSheetTexts MakeInstallationSheetTexts(const Installation& installation,
                                                  char separator) {
    InstallationSheetTexts sheet;
    sheet.Name = installation.Name;
    sheet.Address = installation.Address;
    sheet.Standard = StandardName(installation.Standard);
    sheet.AlarmPeriod = FormatInt(installation.AlarmPeriodMinutes) + " minutes";

    const Overview overview = MakeOverview(installation);
    const OverviewTexts texts = MakeOverviewTexts(overview, separator);
    MemorySettingsStore store;
    SilentPrompter prompter;
    for (std::size_t i = 0; i < overview.Supplies.size(); ++i) {
        const SupplyRow& row = overview.Supplies[i];
        SheetSupply supply;
        supply.Name = row.Name;
        supply.Panel = row.Panel;
        supply.Battery = row.Battery;
        supply.Grade = FormatInt(row.Grade);
        if (row.Judged) {
            // The verdicts are the overview's; a site editor is kept only to
            // lay out the supply's own calculation sheet as the window does.
            SiteEditor site(store, prompter, separator,
                            JudgingRules{installation.Standard, installation.AlarmPeriodMinutes});
            site.LoadSite(installation.Supplies[i].Site);
            const OverviewLine& line = texts.Lines[i];
            supply.RequiredStandby = line.RequiredStandby;
            supply.ActualStandby = line.ActualStandby;
            supply.AlarmCurrent = line.AlarmCurrent;
            supply.PeakCurrent = line.PeakAvailable;
            supply.Standby = row.Result.Totals.Standby.State;
            supply.AlarmVerdict = row.Result.Totals.AlarmCurrent.State;
            supply.Sheet = site.SheetTexts();
        }
        supply.CableRuns = texts.Lines[i].CableRuns;
        supply.CableRunsVerdict = RunsOutcome(row.Runs);
        if (!row.Runs.empty())
            supply.CableRunsMeeting = CountOf(RunsMeeting(row.Runs), row.Runs.size());
        supply.LowestOutputVolts =
            RunVoltsText(installation.Supplies[i].LowestOutputVolts, separator);
        supply.Runs = MakeSheetRuns(installation.Supplies[i], row.Runs, separator);
        sheet.Supplies.push_back(std::move(supply));
    }

    const InstallationRow& total = overview.Installation;
    sheet.System.State = total.State;
    sheet.System.Meeting = CountOf(total.Meeting, total.Supplies);
    sheet.System.Grade = FormatInt(total.Grade);
    sheet.System.GradesDiffer = total.GradesDiffer;
    return sheet;
}

} // namespace brellic
