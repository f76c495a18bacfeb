#include "editor/InstallationReport.h"

#include "calc/OutcomeWords.h"
#include "editor/InstallationOverview.h"
#include "editor/Settings.h"
#include "editor/SilentPrompter.h"
#include "editor/SiteEditor.h"
#include "io/Cp1252.h"
#include "model/Format.h"

namespace brellic {

std::string InstallationReport(const Installation& installation, char separator) {
    const Overview overview = MakeOverview(installation);
    std::string utf8;
    const auto line = [&utf8](const std::string& text) { utf8 += text + "\r\n"; };
    line("Installation Report");
    line("");
    line("Installation: " + installation.Name);
    line("Address: " + installation.Address);
    line("Standard: " + std::string(StandardName(installation.Standard)));
    line("Alarm period: " + FormatInt(installation.AlarmPeriodMinutes) + " minutes");
    line("");
    for (std::size_t i = 0; i < overview.Supplies.size(); ++i) {
        const SupplyRow& row = overview.Supplies[i];
        std::string text = FormatInt(static_cast<long long>(i + 1)) + ". " + row.Name + ": ";
        if (!row.Judged)
            text += "not judged (no panel or battery chosen)";
        else
            text += "standby " + std::string(OutcomeWord(row.Result.Totals.Standby.State)) +
                    ", alarm current " +
                    std::string(OutcomeWord(row.Result.Totals.AlarmCurrent.State));
        if (!row.Runs.empty()) {
            text += ", cable runs " + std::string(RunsWord(RunsOutcome(row.Runs))) + " (" +
                    CountOf(RunsMeeting(row.Runs), row.Runs.size()) + " meet)";
        }
        line(text);
    }
    line("");
    const InstallationRow& total = overview.Installation;
    line("System: " + std::string(OverviewWord(total.State)) + " (" +
         CountOf(total.Meeting, total.Supplies) + " supplies meet)");
    line("System grade: " + FormatInt(total.Grade) +
         (total.GradesDiffer ? " (the lowest of its supplies' grades, which differ)" : ""));
    std::string report = Utf8ToCp1252Lossy(utf8);

    // Each supply's verdicts are the overview's; a site editor is kept only
    // to write the site report's text exactly as the window's own.
    MemorySettingsStore store;
    SilentPrompter silent;
    for (std::size_t i = 0; i < installation.Supplies.size(); ++i) {
        const InstallationSupply& supply = installation.Supplies[i];
        report += Utf8ToCp1252Lossy("\r\n=== Supply " + FormatInt(static_cast<long long>(i + 1)) +
                                    ": " + supply.Name + " ===\r\n\r\n");
        if (!overview.Supplies[i].Judged) {
            report += "Not judged: no panel or battery chosen.\r\n";
        } else {
            SiteEditor site(store, silent, separator,
                            JudgingRules{installation.Standard, installation.AlarmPeriodMinutes});
            site.LoadSite(supply.Site);
            report += site.ReportText();
        }
        const std::vector<std::string> runs =
            RunReportLines(supply, overview.Supplies[i].Runs, separator);
        if (!runs.empty())
            report += "\r\n";
        for (const std::string& text : runs)
            report += Utf8ToCp1252Lossy(text + "\r\n");
    }
    return report;
}

} // namespace brellic
