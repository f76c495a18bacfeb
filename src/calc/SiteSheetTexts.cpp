#include "SiteSheetTexts.h"

#include "calc/BatterySizing.h"
#include "calc/SheetWorking.h"
#include "calc/Supply.h"
#include "model/Extended.h"
#include "model/Format.h"
#include "model/Globals.h"

#include <cmath>
#include <cstdint>

namespace brellic {

namespace {

using namespace sheet_working;

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

// Judged as the digits show it: a spare current a hair below zero shows as
// 0.000 and is not called over, just as its battery meets the requirement.
bool ShowsNegative(const SheetFigure& figure, double value) {
    return figure.Defined && ShowsMinus(value, 3);
}

// AlarmLoadHours as the working shows it: "(2 × 15 ÷ 60) h".
std::string AlarmHoursText(std::int32_t alarmPeriod) {
    return "(2" + Op(kTimes) + FormatInt(alarmPeriod) + Op(kDivide) + "60) h";
}

// Words the sheet section by section from the battery sizing's numbers.
class SheetBuilder {
public:
    SheetBuilder(const SiteState& site, const DeviceList& devices, const TotalsResult& result,
                 const SheetSite& details, char separator)
        : site_(site), devices_(devices), result_(result), details_(details), separator_(separator),
          n_(separator), z_(SizeBatteries(site, devices, details.BatteryText, result.NegativeLine)),
          havePanel_(z_.HavePanel), panel_(havePanel_ ? &PanelTable[site.PanelIndex] : nullptr),
          capacity_(z_.Capacity), haveBattery_(z_.HaveBattery), hours_(z_.StandbyHours),
          hoursText_(FormatInt(hours_) + " h"), loads_(z_.Loads), chosen_(z_.Chosen),
          remainingDefined_(z_.RemainingDefined) {}

    SiteSheetTexts Build() {
        Site();
        Working();
        Checks();
        CapacityNeeded();
        Batteries();
        Spare();
        Recharge();
        return std::move(s_);
    }

private:
    double Remaining() const { return chosen_.RemainingCapacity; }
    double PanelCurrent() const { return havePanel_ ? panel_->PanelCurrent : 0.0; }

    // The header and the device table with the panel's own line and the totals.
    void Site() {
        s_.SiteRef = details_.SiteRef;
        s_.Standard = StandardName(site_.SystemStandard);
        s_.Grade = FormatInt(site_.SystemGrade);
        s_.AcFailSignalled = details_.AcFailSignalled ? "Yes" : "No";
        s_.PanelName = havePanel_ ? std::string(panel_->Name) : std::string();
        s_.BatteryText = details_.BatteryText;
        s_.AlarmPeriod = FormatInt(site_.AlarmPeriod) + " minutes";
        for (const DeviceList::Entry& entry : devices_) {
            const TDeviceData& device = entry.Data;
            s_.Devices.push_back({FormatInt(device.Qty), device.Description,
                                  FormatInt(device.Grade), n_.LoadAmps(device.Quiescent),
                                  n_.LoadAmps(device.Alarm)});
        }
        s_.PanelLine = {"1", havePanel_ ? s_.PanelName + " (control panel)" : "No control panel",
                        s_.Grade, n_.LoadAmps(PanelCurrent()), n_.LoadAmps(PanelCurrent())};
        s_.Totals = {"", "Totals", "",
                     std::isfinite(loads_.Quiescent) ? n_.LoadAmps(loads_.Quiescent)
                                                     : std::string(kUndefinedFigure),
                     std::isfinite(loads_.Alarm) ? n_.LoadAmps(loads_.Alarm)
                                                 : std::string(kUndefinedFigure)};
    }

    // The window's figures in the order it computes them.
    void Working() {
        s_.RequiredStandby = Figure("Required standby", "by standard, grade and AC fail");
        s_.RequiredStandby.Working = s_.Standard + ", grade " + s_.Grade;
        if (site_.SystemGrade == 3)
            s_.RequiredStandby.Working +=
                details_.AcFailSignalled ? ", AC fail signalled" : ", AC fail not signalled";
        SetResult(s_.RequiredStandby, hours_ > 0, FormatInt(hours_) + " Hours");

        s_.PeakCurrent = Figure("Peak available current",
                                "PSU output " + std::string(kMinus) + " charging current");
        if (havePanel_) {
            s_.PeakCurrent.Working =
                n_.SupplyA(panel_->PsuOutput) + Op(kMinus) + n_.SupplyA(panel_->ChargeCurrent);
            SetResult(s_.PeakCurrent, true, n_.SupplyAmps(site_.PeakCurrent));
        }

        s_.RatedOutput = Figure("Continuous rated output", "capacity " + std::string(kDivide) +
                                                               " standby, capped at the peak");
        if (z_.Rated) {
            const RatedOutputFigures& rated = *z_.Rated;
            s_.RatedOutput.Working = n_.Capacity(capacity_) + Op(kDivide) + hoursText_;
            if (rated.Value != rated.BeforeCap)
                s_.RatedOutput.Working +=
                    " = " + n_.SupplyAmps(rated.BeforeCap) + ", capped at the peak current";
            SetResult(s_.RatedOutput, std::isfinite(rated.Value), n_.SupplyAmps(rated.Value));
        }

        s_.QuiescentTotal = Figure("Quiescent total", "device lines + the panel's own current");
        s_.AlarmTotal = Figure("Alarm total", "device lines + the panel's own current");
        if (std::isfinite(loads_.LinesQuiescent) && std::isfinite(loads_.LinesAlarm)) {
            const std::string panel =
                n_.LoadA(PanelCurrent()) + (havePanel_ ? " (panel)" : " (no panel)");
            s_.QuiescentTotal.Working = n_.LoadA(loads_.LinesQuiescent) + " (devices) + " + panel;
            s_.AlarmTotal.Working = n_.LoadA(loads_.LinesAlarm) + " (devices) + " + panel;
        }
        SetResult(s_.QuiescentTotal, std::isfinite(loads_.Quiescent),
                  n_.LoadAmps(loads_.Quiescent));
        SetResult(s_.AlarmTotal, std::isfinite(loads_.Alarm), n_.LoadAmps(loads_.Alarm));

        s_.RemainingCapacity =
            Figure("Remaining capacity",
                   "capacity " + std::string(kMinus) + " alarm hours " + kTimes + " alarm total");
        if (haveBattery_ && std::isfinite(loads_.Alarm)) {
            s_.RemainingCapacity.Working = n_.Capacity(capacity_) + Op(kMinus) +
                                           AlarmHoursText(site_.AlarmPeriod) + Op(kTimes) +
                                           n_.LoadA(loads_.Alarm);
            SetResult(s_.RemainingCapacity, remainingDefined_, n_.Ah(Remaining()));
        }
        s_.ActualStandby = Figure("Actual standby", "remaining capacity " + std::string(kDivide) +
                                                        " quiescent total");
        if (remainingDefined_ && std::isfinite(loads_.Quiescent)) {
            s_.ActualStandby.Working =
                n_.Ah(Remaining()) + Op(kDivide) + n_.LoadA(loads_.Quiescent);
            SetResult(s_.ActualStandby, chosen_.Defined, n_.Hours(chosen_.ActualStandby));
        }
    }

    // Both comparisons, with the result's verdicts and the window's comments.
    // A negative device line fails both with no comparison, as the window does.
    void Checks() {
        SheetCheck& standby = s_.StandbyCheck;
        standby.Requirement = FormatInt(hours_) + " Hours Standby";
        standby.Actual = s_.ActualStandby.Result;
        const RequirementVerdict& standbyVerdict = result_.Standby;
        if (!haveBattery_ || standbyVerdict.State == Outcome::NotJudged) {
            standby.Comment = "No battery is chosen.";
        } else if (standbyVerdict.State == Outcome::Undefined || result_.NegativeLine > 0) {
            standby.Comment = standbyVerdict.Note;
        } else {
            const bool meets = standbyVerdict.Meets();
            standby.Result = meets ? Outcome::Meets : Outcome::Fails;
            standby.Comparison =
                standby.Actual + Op(meets ? kAtLeast : "<") + FormatInt(hours_) + " Hours";
            standby.Comment = standbyVerdict.Note;
        }

        SheetCheck& alarm = s_.AlarmCheck;
        alarm.Actual = s_.AlarmTotal.Result;
        if (!havePanel_) {
            alarm.Requirement = "---";
            alarm.Comment = "No control panel is chosen.";
            return;
        }
        AssignFixed(alarm.Requirement, "Max Alarm Current: ", site_.PeakCurrent, 2, separator_,
                    " Amps");
        const RequirementVerdict& alarmVerdict = result_.AlarmCurrent;
        if (result_.NegativeLine > 0) {
            alarm.Comment = alarmVerdict.Note;
            return;
        }
        if (!std::isfinite(loads_.Alarm)) {
            alarm.Comment = "Alarm current cannot be calculated.";
            return;
        }
        if (alarmVerdict.State == Outcome::NotJudged) {
            alarm.Comment = "No control panel is chosen.";
            return;
        }
        const bool meets = alarmVerdict.Meets();
        alarm.Result = meets ? Outcome::Meets : Outcome::Fails;
        alarm.Comparison =
            alarm.Actual + Op(meets ? kAtMost : ">") + n_.SupplyAmps(site_.PeakCurrent);
        alarm.Comment = alarmVerdict.Note;
    }

    // The capacity the load needs, with and without the ageing allowance.
    void CapacityNeeded() {
        s_.CapacityNeeded = Figure("Capacity needed", "standby load + alarm load, in Ah");
        s_.CapacityWithAllowance =
            Figure("With 25 % ageing allowance", "as many manufacturers recommend");
        if (!z_.Needed)
            return;
        const double needed = *z_.Needed;
        s_.CapacityNeeded.Working = hoursText_ + Op(kTimes) + n_.LoadA(loads_.Quiescent) + " + " +
                                    AlarmHoursText(site_.AlarmPeriod) + Op(kTimes) +
                                    n_.LoadA(loads_.Alarm);
        SetResult(s_.CapacityNeeded, z_.NeededDefined, n_.Ah(needed));
        if (!s_.CapacityNeeded.Defined)
            return;
        s_.CapacityWithAllowance.Working = n_.Ah(needed) + Op(kTimes) + "1" + separator_ + "25";
        SetResult(s_.CapacityWithAllowance, std::isfinite(z_.Aged), n_.Ah(z_.Aged));
    }

    // The battery that fits: the smallest capacity that meets the requirement.
    void Batteries() {
        for (const SizedBattery& sized : z_.Batteries) {
            SheetBattery battery;
            battery.Text = std::string(sized.Text);
            battery.ActualStandby = sized.Standby.Defined ? n_.Hours(sized.Standby.ActualStandby)
                                                          : std::string(kUndefinedFigure);
            battery.Standby = sized.Result;
            battery.Chosen = sized.Chosen;
            s_.Batteries.push_back(std::move(battery));
        }
        s_.FittingBattery = z_.Fitting;

        if (s_.Batteries.empty()) {
            s_.BatteryConclusion = "No control panel is chosen, so no battery can be weighed up.";
        } else if (result_.NegativeLine > 0) {
            s_.BatteryConclusion =
                "No battery can be weighed up: " + NegativeLineNote(result_.NegativeLine);
        } else if (s_.FittingBattery >= 0) {
            const SheetBattery& fit = s_.Batteries[static_cast<std::size_t>(s_.FittingBattery)];
            s_.BatteryConclusion =
                fit.Chosen ? "The battery chosen, " + fit.Text +
                                 ", is the smallest that meets the requirement."
                           : "The smallest battery that meets the requirement is " + fit.Text + ".";
        } else {
            const std::string shortBy =
                z_.ShortBy ? n_.Ah(*z_.ShortBy) : std::string(kUndefinedFigure);
            const SheetBattery& largest = s_.Batteries.back();
            s_.BatteryConclusion =
                "None of this panel's batteries meets the requirement. The largest, " +
                largest.Text + ", gives " + largest.ActualStandby + "; capacity short: " + shortBy +
                ".";
        }
    }

    // What the chosen battery and the panel can still carry, signed.
    void Spare() {
        s_.SpareQuiescent =
            Figure("Spare quiescent current",
                   "remaining " + std::string(kDivide) + " standby " + kMinus + " quiescent total");
        if (z_.SpareQuiescent) {
            const double spare = *z_.SpareQuiescent;
            s_.SpareQuiescent.Working = n_.Ah(Remaining()) + Op(kDivide) + hoursText_ + Op(kMinus) +
                                        n_.LoadA(loads_.Quiescent);
            SetResult(s_.SpareQuiescent, std::isfinite(spare), n_.LoadAmps(spare));
            if (ShowsNegative(s_.SpareQuiescent, spare))
                s_.SpareQuiescent.Note = "over: more than the battery carries";
        }

        s_.SpareAlarm = Figure("Spare alarm current",
                               "peak available current " + std::string(kMinus) + " alarm total");
        if (z_.SpareAlarm) {
            const double spare = *z_.SpareAlarm;
            s_.SpareAlarm.Working =
                n_.SupplyA(site_.PeakCurrent) + Op(kMinus) + n_.LoadA(loads_.Alarm);
            SetResult(s_.SpareAlarm, std::isfinite(spare), n_.LoadAmps(spare));
            if (ShowsNegative(s_.SpareAlarm, spare))
                s_.SpareAlarm.Note = "over: more than the panel delivers";
        }
    }

    // Recharge to 80 % at the panel's charging current, against the limit of the grade.
    void Recharge() {
        const int limit = z_.RechargeLimit;
        s_.Recharge = Figure("Recharge to 80 %", "0.8 " + std::string(kTimes) + " capacity " +
                                                     kDivide + " charging current");
        SheetCheck& check = s_.RechargeCheck;
        check.Requirement = "At most " + FormatInt(limit) + " Hours";
        check.Actual = kUndefinedFigure;
        check.Comment = "The recharge time cannot be estimated.";
        if (!z_.RechargeHours)
            return;
        const double recharge = *z_.RechargeHours;
        s_.Recharge.Working = "0" + std::string(1, separator_) + "8" + Op(kTimes) +
                              n_.Capacity(capacity_) + Op(kDivide) +
                              n_.SupplyA(panel_->ChargeCurrent);
        SetResult(s_.Recharge, std::isfinite(recharge), n_.Hours(recharge));
        if (!s_.Recharge.Defined)
            return;
        const bool within = recharge <= limit;
        check.Actual = s_.Recharge.Result;
        check.Result = within ? Outcome::Meets : Outcome::Fails;
        check.Comparison =
            s_.Recharge.Result + Op(within ? kAtMost : ">") + FormatInt(limit) + " Hours";
        check.Comment = within ? "Within the recharge time commonly required."
                               : "Longer than the recharge time commonly required.";
    }

    const SiteState& site_;
    const DeviceList& devices_;
    const TotalsResult& result_;
    const SheetSite& details_;
    const char separator_;
    const Numbers n_;
    const BatterySizing z_;
    const bool havePanel_;
    const PanelRecord* const panel_;
    const Extended capacity_;
    const bool haveBattery_;
    const int hours_;
    const std::string hoursText_;
    const LoadTotals& loads_;
    const StandbyJudgement& chosen_; // the chosen battery, judged exactly as the window judges it
    const bool remainingDefined_;
    SiteSheetTexts s_;
};

} // namespace

std::string SheetFigure::Line() const {
    std::string line = Label + " = ";
    if (!Working.empty())
        line += Working + " = ";
    return line + Result;
}

SiteSheetTexts ComputeSheet(const SiteState& site, const DeviceList& devices,
                            const TotalsResult& result, const SheetSite& details, char separator) {
    const ExtendedPrecisionScope precision;
    return SheetBuilder(site, devices, result, details, separator).Build();
}

SiteSheetTexts ComputeSheet(const SiteState& site, const DeviceList& devices,
                            const SheetSite& details, char separator) {
    const bool havePanel = site.PanelIndex >= 0 && site.PanelIndex < kPanelCount;
    const TotalsResult result = CalculateTotals(site, SumLoads(site, devices), havePanel,
                                                havePanel && site.BatteryCapacity > 0);
    return ComputeSheet(site, devices, result, details, separator);
}

} // namespace brellic
