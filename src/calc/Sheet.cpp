#include "Sheet.h"

#include "calc/Supply.h"
#include "model/Extended.h"
#include "model/Format.h"
#include "model/Globals.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <initializer_list>

namespace brellic {

namespace {

// The sheet's operators, as UTF-8.
constexpr const char* kTimes = "\xC3\x97";       // ×
constexpr const char* kDivide = "\xC3\xB7";      // ÷
constexpr const char* kMinus = "\xE2\x88\x92";   // −
constexpr const char* kAtLeast = "\xE2\x89\xA5"; // ≥
constexpr const char* kAtMost = "\xE2\x89\xA4";  // ≤

// Recharge limits commonly applied under EN 50131-6: 80 % of the capacity
// within 72 hours at grades 1 and 2, within 24 hours at grade 3.
constexpr int kRechargeHoursGrade2 = 72;
constexpr int kRechargeHoursGrade3 = 24;

bool Finite(std::initializer_list<double> values) {
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

// Formats with the window's digits: two decimals for supply figures, battery
// capacities and hours, three for load currents. Capacities worked out here
// have three decimals, so that each line can be checked with a calculator to
// the digits it shows.
class Numbers {
public:
    explicit Numbers(char separator) : separator_(separator) {}
    std::string Fixed(double value, int decimals, const char* unit) const {
        return FormatFixed(value, decimals, separator_) + unit;
    }
    std::string Capacity(Extended value) const {
        return Fixed(static_cast<double>(value), 2, " Ah");
    }
    std::string Ah(double value) const { return Fixed(value, 3, " Ah"); }
    std::string Hours(double value) const { return Fixed(value, 2, " Hours"); }
    std::string SupplyAmps(double value) const { return Fixed(value, 2, " Amps"); }
    std::string SupplyA(double value) const { return Fixed(value, 2, " A"); }
    std::string LoadAmps(double value) const { return Fixed(value, 3, " Amps"); }
    std::string LoadA(double value) const { return Fixed(value, 3, " A"); }

private:
    char separator_;
};

std::string Op(const char* op) {
    return std::string(" ") + op + " ";
}

SheetFigure Figure(std::string label, std::string formula) {
    SheetFigure figure;
    figure.Label = std::move(label);
    figure.Formula = std::move(formula);
    figure.Result = kUndefined;
    return figure;
}

void SetResult(SheetFigure& figure, bool defined, const std::string& result) {
    figure.Defined = defined;
    figure.Result = defined ? result : std::string(kUndefined);
}

// Judged on the digits shown: a spare current a hair below zero shows as
// 0.000 and is not called over, just as its battery meets the requirement.
bool ShowsNegative(const SheetFigure& figure) {
    return figure.Defined && figure.Result.starts_with('-');
}

double Stored(Extended value) {
    return static_cast<double>(value);
}

// The alarm hours, "(2 × 15 ÷ 60) h": the alarm load is drawn for twice the
// alarm period.
std::string AlarmHours(std::int32_t alarmPeriod) {
    return "(2" + Op(kTimes) + FormatInt(alarmPeriod) + Op(kDivide) + "60) h";
}

std::string RequirementWording(const SiteState& site, bool acFailSignalled) {
    std::string text = site.SystemStandard == 0 ? "EN50131-1" : "PD6662";
    text += ", grade " + FormatInt(site.SystemGrade);
    if (site.SystemGrade == 3)
        text += acFailSignalled ? ", AC fail signalled" : ", AC fail not signalled";
    return text;
}

SheetRow DeviceRow(const TDeviceData& device, const Numbers& n) {
    return {FormatInt(device.Qty), device.Description, FormatInt(device.Grade),
            n.LoadAmps(device.Quiescent), n.LoadAmps(device.Alarm)};
}

// The standby time of one battery through the window's own judgement; a
// judgement whose inputs or results are not finite is undefined and fails.
struct Standby {
    StandbyJudgement Judgement;
    bool Defined = false;
    bool Meets() const { return Defined && Judgement.Standby == Verdict::Meets; }
};

Standby JudgeBattery(Extended capacity, const SiteState& site, const LoadTotals& loads) {
    Standby standby;
    standby.Judgement =
        JudgeStandby(capacity, site.AlarmPeriod, site.StandbyHours, loads.Quiescent, loads.Alarm);
    standby.Defined = standby.Judgement.Defined && std::isfinite(capacity) &&
                      Finite({loads.Quiescent, loads.Alarm, standby.Judgement.RemainingCapacity,
                              standby.Judgement.ActualStandby});
    return standby;
}

} // namespace

std::string SheetFigure::Line() const {
    std::string line = Label + " = ";
    if (!Working.empty())
        line += Working + " = ";
    return line + Result;
}

SheetFigures ComputeSheet(const SiteState& site, const DeviceList& devices,
                          const SheetSite& details, char separator) {
    const Numbers n(separator);
    const bool havePanel = site.PanelIndex >= 0 && site.PanelIndex < kPanelCount;
    const PanelRecord* panel = havePanel ? &PanelTable[site.PanelIndex] : nullptr;
    const Extended capacity = site.BatteryCapacity;
    const bool haveBattery = havePanel && capacity > 0 && std::isfinite(capacity);
    const int hours = site.StandbyHours;
    const std::string hoursText = FormatInt(hours) + " h";
    const LoadTotals loads = SumLoads(site, devices);
    const bool loadsFinite = Finite({loads.Quiescent, loads.Alarm});

    SheetFigures s;
    s.SiteRef = details.SiteRef;
    s.Standard = site.SystemStandard == 0 ? "EN50131-1" : "PD6662";
    s.Grade = FormatInt(site.SystemGrade);
    s.AcFailSignalled = details.AcFailSignalled ? "Yes" : "No";
    s.PanelName = havePanel ? std::string(panel->Name) : std::string();
    s.BatteryText = details.BatteryText;
    s.AlarmPeriod = FormatInt(site.AlarmPeriod) + " minutes";

    // The device table, the panel's own line and the totals.
    for (const DeviceList::Entry& entry : devices)
        s.Devices.push_back(DeviceRow(entry.Data, n));
    const double panelCurrent = havePanel ? panel->PanelCurrent : 0.0;
    s.PanelLine = {"1", havePanel ? s.PanelName + " (control panel)" : "No control panel", s.Grade,
                   n.LoadAmps(panelCurrent), n.LoadAmps(panelCurrent)};
    s.Totals = {"", "Totals", "",
                std::isfinite(loads.Quiescent) ? n.LoadAmps(loads.Quiescent) : kUndefined,
                std::isfinite(loads.Alarm) ? n.LoadAmps(loads.Alarm) : kUndefined};

    // The working, in the order the window computes it.
    s.RequiredStandby = Figure("Required standby", "by standard, grade and AC fail");
    s.RequiredStandby.Working = RequirementWording(site, details.AcFailSignalled);
    SetResult(s.RequiredStandby, hours > 0, FormatInt(hours) + " Hours");

    s.PeakCurrent =
        Figure("Peak available current", "PSU output " + std::string(kMinus) + " charging current");
    if (havePanel) {
        s.PeakCurrent.Working =
            n.SupplyA(panel->PsuOutput) + Op(kMinus) + n.SupplyA(panel->ChargeCurrent);
        SetResult(s.PeakCurrent, true, n.SupplyAmps(site.PeakCurrent));
    }

    s.RatedOutput = Figure("Continuous rated output",
                           "capacity " + std::string(kDivide) + " standby, capped at the peak");
    if (haveBattery && hours > 0) {
        const RatedOutputFigures rated = RatedOutput(capacity, hours, site.PeakCurrent);
        s.RatedOutput.Working = n.Capacity(capacity) + Op(kDivide) + hoursText;
        if (rated.Value != rated.BeforeCap)
            s.RatedOutput.Working +=
                " = " + n.SupplyAmps(rated.BeforeCap) + ", capped at the peak current";
        SetResult(s.RatedOutput, std::isfinite(rated.Value), n.SupplyAmps(rated.Value));
    }

    const std::string panelPart = havePanel ? " (panel)" : " (no panel)";
    s.QuiescentTotal = Figure("Quiescent total", "device lines + the panel's own current");
    s.AlarmTotal = Figure("Alarm total", "device lines + the panel's own current");
    if (Finite({loads.LinesQuiescent, loads.LinesAlarm})) {
        s.QuiescentTotal.Working =
            n.LoadA(loads.LinesQuiescent) + " (devices) + " + n.LoadA(panelCurrent) + panelPart;
        s.AlarmTotal.Working =
            n.LoadA(loads.LinesAlarm) + " (devices) + " + n.LoadA(panelCurrent) + panelPart;
    }
    SetResult(s.QuiescentTotal, std::isfinite(loads.Quiescent), n.LoadAmps(loads.Quiescent));
    SetResult(s.AlarmTotal, std::isfinite(loads.Alarm), n.LoadAmps(loads.Alarm));

    // The chosen battery, judged exactly as the window judges it.
    const Standby chosen = haveBattery ? JudgeBattery(capacity, site, loads) : Standby{};
    const double remaining = chosen.Judgement.RemainingCapacity;
    const bool remainingDefined =
        haveBattery && std::isfinite(loads.Alarm) && std::isfinite(remaining);
    s.RemainingCapacity =
        Figure("Remaining capacity",
               "capacity " + std::string(kMinus) + " alarm hours " + kTimes + " alarm total");
    s.ActualStandby =
        Figure("Actual standby", "remaining capacity " + std::string(kDivide) + " quiescent total");
    if (haveBattery && std::isfinite(loads.Alarm)) {
        s.RemainingCapacity.Working = n.Capacity(capacity) + Op(kMinus) +
                                      AlarmHours(site.AlarmPeriod) + Op(kTimes) +
                                      n.LoadA(loads.Alarm);
        SetResult(s.RemainingCapacity, remainingDefined, n.Ah(remaining));
    }
    if (remainingDefined && std::isfinite(loads.Quiescent)) {
        s.ActualStandby.Working = n.Ah(remaining) + Op(kDivide) + n.LoadA(loads.Quiescent);
        SetResult(s.ActualStandby, chosen.Defined, n.Hours(chosen.Judgement.ActualStandby));
    }

    // Both comparisons, with the window's comments.
    s.StandbyCheck.Requirement = FormatInt(hours) + " Hours Standby";
    s.StandbyCheck.Actual = s.ActualStandby.Result;
    if (!haveBattery) {
        s.StandbyCheck.Comment = "No battery is chosen.";
    } else if (chosen.Defined) {
        const bool meets = chosen.Meets();
        s.StandbyCheck.Result = meets ? Verdict::Meets : Verdict::Fails;
        s.StandbyCheck.Comparison =
            s.StandbyCheck.Actual + Op(meets ? kAtLeast : "<") + FormatInt(hours) + " Hours";
        s.StandbyCheck.Comment = meets ? kStandbyMeets : kStandbyFails;
    } else {
        s.StandbyCheck.Comment = chosen.Judgement.Defined || !loadsFinite
                                     ? "Standby time cannot be calculated."
                                     : kStandbyUndefined;
    }

    if (havePanel) {
        AssignFixed(s.AlarmCheck.Requirement, "Max Alarm Current: ", site.PeakCurrent, 2, separator,
                    " Amps");
    } else {
        s.AlarmCheck.Requirement = "---";
    }
    s.AlarmCheck.Actual = s.AlarmTotal.Result;
    if (!havePanel) {
        s.AlarmCheck.Comment = "No control panel is chosen.";
    } else if (!std::isfinite(loads.Alarm)) {
        s.AlarmCheck.Comment = "Alarm current cannot be calculated.";
    } else {
        s.AlarmCheck.Result = JudgeAlarmCurrent(loads.Alarm, site.PeakCurrent);
        const bool meets = s.AlarmCheck.Result == Verdict::Meets;
        s.AlarmCheck.Comparison =
            s.AlarmCheck.Actual + Op(meets ? kAtMost : ">") + n.SupplyAmps(site.PeakCurrent);
        s.AlarmCheck.Comment = meets ? kAlarmMeets : kAlarmFails;
    }

    // The capacity the load needs, with and without the ageing allowance. A
    // quiescent total that is not positive has no meaningful capacity.
    s.CapacityNeeded = Figure("Capacity needed", "standby load + alarm load, in Ah");
    s.CapacityWithAllowance =
        Figure("With 25 % ageing allowance", "as many manufacturers recommend");
    double needed = 0;
    if (hours > 0 && loadsFinite) {
        const Extended alarmHours =
            static_cast<Extended>(2 * static_cast<std::int64_t>(site.AlarmPeriod)) / 60;
        needed = Stored(static_cast<Extended>(hours) * static_cast<Extended>(loads.Quiescent) +
                        alarmHours * static_cast<Extended>(loads.Alarm));
        s.CapacityNeeded.Working = hoursText + Op(kTimes) + n.LoadA(loads.Quiescent) + " + " +
                                   AlarmHours(site.AlarmPeriod) + Op(kTimes) + n.LoadA(loads.Alarm);
        SetResult(s.CapacityNeeded, loads.Quiescent > 0 && std::isfinite(needed), n.Ah(needed));
    }
    if (s.CapacityNeeded.Defined) {
        const double aged = Stored(static_cast<Extended>(needed) * 1.25L);
        s.CapacityWithAllowance.Working = n.Ah(needed) + Op(kTimes) + "1" + separator + "25";
        SetResult(s.CapacityWithAllowance, std::isfinite(aged), n.Ah(aged));
    }

    // The battery that fits: the smallest capacity that meets the requirement.
    struct Candidate {
        Extended Capacity;
        SheetBattery Battery;
    };
    std::vector<Candidate> candidates;
    for (int row : BatteriesForPanel(site.PanelIndex)) {
        const std::string_view text = BatteryTable[static_cast<std::size_t>(row)];
        const Extended candidateCapacity = ParseBatteryCapacity(text);
        const Standby standby = JudgeBattery(candidateCapacity, site, loads);
        SheetBattery battery;
        battery.Text = std::string(text);
        battery.ActualStandby =
            standby.Defined ? n.Hours(standby.Judgement.ActualStandby) : kUndefined;
        battery.Standby = standby.Meets() ? Verdict::Meets : Verdict::Fails;
        battery.Chosen = haveBattery && battery.Text == details.BatteryText;
        candidates.push_back({candidateCapacity, std::move(battery)});
    }
    std::stable_sort(
        candidates.begin(), candidates.end(),
        [](const Candidate& a, const Candidate& b) { return a.Capacity < b.Capacity; });
    for (Candidate& candidate : candidates) {
        if (s.FittingBattery < 0 && candidate.Battery.Standby == Verdict::Meets)
            s.FittingBattery = static_cast<int>(s.Batteries.size());
        s.Batteries.push_back(std::move(candidate.Battery));
    }
    if (candidates.empty()) {
        s.BatteryConclusion = "No control panel is chosen, so no battery can be weighed up.";
    } else if (s.FittingBattery >= 0) {
        const SheetBattery& fit = s.Batteries[static_cast<std::size_t>(s.FittingBattery)];
        s.BatteryConclusion =
            fit.Chosen ? "The battery chosen, " + fit.Text +
                             ", is the smallest that meets the requirement."
                       : "The smallest battery that meets the requirement is " + fit.Text + ".";
    } else {
        const SheetBattery& largest = s.Batteries.back();
        std::string shortBy = kUndefined;
        if (s.CapacityNeeded.Defined) {
            const double missing =
                Stored(static_cast<Extended>(needed) - candidates.back().Capacity);
            if (std::isfinite(missing))
                shortBy = n.Ah(missing);
        }
        s.BatteryConclusion =
            "None of this panel's batteries meets the requirement. The largest, " + largest.Text +
            ", gives " + largest.ActualStandby + "; capacity short: " + shortBy + ".";
    }

    // What the chosen battery and the panel can still carry, signed.
    s.SpareQuiescent =
        Figure("Spare quiescent current",
               "remaining " + std::string(kDivide) + " standby " + kMinus + " quiescent total");
    if (remainingDefined && hours > 0 && std::isfinite(loads.Quiescent)) {
        const double spare = Stored(static_cast<Extended>(remaining) / hours -
                                    static_cast<Extended>(loads.Quiescent));
        s.SpareQuiescent.Working =
            n.Ah(remaining) + Op(kDivide) + hoursText + Op(kMinus) + n.LoadA(loads.Quiescent);
        SetResult(s.SpareQuiescent, std::isfinite(spare), n.LoadAmps(spare));
        if (ShowsNegative(s.SpareQuiescent))
            s.SpareQuiescent.Note = "over: more than the battery carries";
    }
    s.SpareAlarm = Figure("Spare alarm current",
                          "peak available current " + std::string(kMinus) + " alarm total");
    if (havePanel && std::isfinite(loads.Alarm)) {
        const double spare =
            Stored(static_cast<Extended>(site.PeakCurrent) - static_cast<Extended>(loads.Alarm));
        s.SpareAlarm.Working = n.SupplyA(site.PeakCurrent) + Op(kMinus) + n.LoadA(loads.Alarm);
        SetResult(s.SpareAlarm, std::isfinite(spare), n.LoadAmps(spare));
        if (ShowsNegative(s.SpareAlarm))
            s.SpareAlarm.Note = "over: more than the panel delivers";
    }

    // Recharge to 80 % at the panel's charging current.
    const int limit = site.SystemGrade == 3 ? kRechargeHoursGrade3 : kRechargeHoursGrade2;
    s.Recharge = Figure("Recharge to 80 %", "0.8 " + std::string(kTimes) + " capacity " + kDivide +
                                                " charging current");
    s.RechargeCheck.Requirement = "At most " + FormatInt(limit) + " Hours";
    s.RechargeCheck.Actual = kUndefined;
    if (haveBattery && panel->ChargeCurrent > 0) {
        const double recharge =
            Stored(capacity * 8 / 10 / static_cast<Extended>(panel->ChargeCurrent));
        s.Recharge.Working = "0" + std::string(1, separator) + "8" + Op(kTimes) +
                             n.Capacity(capacity) + Op(kDivide) + n.SupplyA(panel->ChargeCurrent);
        SetResult(s.Recharge, std::isfinite(recharge), n.Hours(recharge));
        if (s.Recharge.Defined) {
            const bool within = recharge <= limit;
            s.RechargeCheck.Actual = s.Recharge.Result;
            s.RechargeCheck.Result = within ? Verdict::Meets : Verdict::Fails;
            s.RechargeCheck.Comparison =
                s.Recharge.Result + Op(within ? kAtMost : ">") + FormatInt(limit) + " Hours";
            s.RechargeCheck.Comment = within ? "Within the recharge time commonly required."
                                             : "Longer than the recharge time commonly required.";
        }
    }
    if (s.RechargeCheck.Comment.empty())
        s.RechargeCheck.Comment = "The recharge time cannot be estimated.";
    return s;
}

} // namespace brellic
