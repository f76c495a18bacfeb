#include "calc/SystemVerdict.h"

#include "calc/Supply.h"
#include "calc/Totals.h"
#include "model/Globals.h"

namespace brellic {

SiteFault FaultOf(std::int32_t grade, std::optional<std::int32_t> panel,
                  std::optional<std::int32_t> battery) {
    if (!panel || *panel < 0 || *panel >= kPanelCount ||
        PanelTable[static_cast<std::size_t>(*panel)].MaxGrade < grade)
        return SiteFault::Panel;
    if (!battery || *battery < 0 ||
        static_cast<std::size_t>(*battery) >= BatteriesForPanel(*panel).size())
        return SiteFault::Battery;
    return SiteFault::None;
}

SiteResult CalculateSite(std::int32_t grade, std::int32_t panel, std::int32_t battery, bool acFail,
                         std::span<const TDeviceData> devices, std::int32_t standard,
                         std::int32_t alarmPeriod) {
    SiteState site;
    site.SystemStandard = standard;
    site.AlarmPeriod = alarmPeriod;
    site.SystemGrade = grade;
    site.PanelIndex = panel;
    const std::vector<int> batteries = BatteriesForPanel(panel);
    site.BatteryCapacity = ParseBatteryCapacity(
        BatteryTable[static_cast<std::size_t>(batteries[static_cast<std::size_t>(battery)])]);
    SiteResult result;
    result.Supply = CalculateSupply(site, acFail);
    result.Totals = CalculateTotals(site, SumLoads(site, devices), true, true);
    return result;
}

std::optional<SiteResult> JudgeSite(const SupplySite& site, std::int32_t standard,
                                    std::int32_t alarmPeriod) {
    if (FaultOf(site.Grade, site.Panel, site.Battery) != SiteFault::None)
        return std::nullopt;
    return CalculateSite(site.Grade, *site.Panel, *site.Battery, site.AcFail, site.Devices,
                         standard, alarmPeriod);
}

Outcome SiteOutcome(const TotalsResult& totals) {
    return totals.Standby.Meets() && totals.AlarmCurrent.Meets() ? Outcome::Meets : Outcome::Fails;
}

Outcome RunsOutcome(std::span<const RunResult> runs) {
    if (runs.empty())
        return Outcome::NotJudged;
    return RunsMeet(runs) ? Outcome::Meets : Outcome::Fails;
}

SupplyVerdict JudgeSupply(const InstallationSupply& supply, std::int32_t standard,
                          std::int32_t alarmPeriod) {
    SupplyVerdict verdict;
    if (std::optional<SiteResult> result = JudgeSite(supply.Site, standard, alarmPeriod)) {
        verdict.Judged = true;
        verdict.Result = std::move(*result);
    }
    verdict.Runs = CalculateRuns(supply);
    if (verdict.Judged)
        verdict.State = SiteOutcome(verdict.Result.Totals) == Outcome::Meets &&
                                RunsOutcome(verdict.Runs) != Outcome::Fails
                            ? Outcome::Meets
                            : Outcome::Fails;
    return verdict;
}

void SystemTally::Add(std::int32_t grade, const SupplyVerdict& supply) {
    ++verdict_.Supplies;
    verdict_.Meeting += supply.Meets();
    if (verdict_.Grade == 0 || grade < verdict_.Grade) {
        verdict_.GradesDiffer = verdict_.GradesDiffer || verdict_.Grade != 0;
        verdict_.Grade = grade;
    } else if (grade != verdict_.Grade) {
        verdict_.GradesDiffer = true;
    }
}

SystemVerdict SystemTally::Close() const {
    SystemVerdict verdict = verdict_;
    verdict.State = verdict.Supplies > 0 && verdict.Meeting == verdict.Supplies ? Outcome::Meets
                                                                                : Outcome::Fails;
    return verdict;
}

InstallationVerdict JudgeInstallation(const Installation& installation) {
    InstallationVerdict verdict;
    SystemTally tally;
    for (const InstallationSupply& supply : installation.Supplies) {
        verdict.Supplies.push_back(
            JudgeSupply(supply, installation.Standard, installation.AlarmPeriodMinutes));
        tally.Add(supply.Site.Grade, verdict.Supplies.back());
    }
    verdict.System = tally.Close();
    return verdict;
}

void VerdictCounts::Add(Outcome outcome) {
    ++Entries;
    if (outcome == Outcome::Meets)
        ++Meet;
    else
        ++Fail;
}

void VerdictCounts::AddUnusable() {
    ++Entries;
    ++Unusable;
}

} // namespace brellic
