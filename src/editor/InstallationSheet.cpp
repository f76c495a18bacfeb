#include "editor/InstallationSheet.h"

#include "calc/ResultTexts.h"
#include "editor/InstallationEditor.h"
#include "editor/Settings.h"
#include "editor/SiteEditor.h"
#include "model/Format.h"

#include <utility>

namespace brellic {

namespace {

// Answers every question No and shows nothing: the supply is opened as a
// freshly started window would open it.
class AnswerNo final : public Prompter {
public:
    bool Confirm(const std::string&) override { return false; }
    bool ErrorQuestion(const std::string&) override { return false; }
    void ShowError(const std::string&) override {}
    std::optional<std::string> OpenFileName() override { return std::nullopt; }
    std::optional<std::string> SaveFileName() override { return std::nullopt; }
};

std::string Count(std::size_t n) {
    return FormatInt(static_cast<long long>(n));
}

// The overview's figures of a judged supply, in the window's formats.
void SetFigures(SheetSupply& supply, const SiteResult& result, char separator) {
    supply.RequiredStandby = FormatInt(result.Supply.StandbyHours) + " Hours";
    AssignActualStandby(supply.ActualStandby, result.Totals, separator);
    AssignActualPeak(supply.AlarmCurrent, result.Totals, separator);
    AssignFixed(supply.PeakCurrent, {}, result.Supply.PeakCurrent, 2, separator, " Amps");
    supply.Standby = result.Totals.Standby.State;
    supply.AlarmVerdict = result.Totals.AlarmCurrent.State;
}

} // namespace

InstallationSheetFigures MakeInstallationSheet(const Installation& installation, char separator) {
    InstallationSheetFigures sheet;
    sheet.Name = installation.Name;
    sheet.Address = installation.Address;
    sheet.Standard = installation.Standard == 0 ? "EN50131-1" : "PD6662";
    sheet.AlarmPeriod = FormatInt(installation.AlarmPeriodMinutes) + " minutes";

    const Overview overview = MakeOverview(installation);
    MemorySettingsStore store;
    AnswerNo prompter;
    for (std::size_t i = 0; i < overview.Supplies.size(); ++i) {
        const SupplyRow& row = overview.Supplies[i];
        SheetSupply supply;
        supply.Name = row.Name;
        supply.Panel = row.Panel;
        supply.Battery = row.Battery;
        supply.Grade = FormatInt(row.Grade);
        if (row.Judged) {
            SiteEditor site(store, prompter, separator);
            site.JudgeUnder(installation.Standard, installation.AlarmPeriodMinutes);
            site.LoadSite(installation.Supplies[i].Site);
            SetFigures(supply, row.Result, separator);
            supply.Sheet = site.CalculationSheet();
        }
        sheet.Supplies.push_back(std::move(supply));
    }

    const InstallationRow& total = overview.Installation;
    sheet.System.Meets = total.Meets;
    sheet.System.Meeting = Count(total.Meeting) + " of " + Count(total.Supplies);
    sheet.System.Grade = FormatInt(total.Grade);
    sheet.System.GradesDiffer = total.GradesDiffer;
    return sheet;
}

} // namespace brellic
