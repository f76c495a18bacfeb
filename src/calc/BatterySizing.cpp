#include "calc/BatterySizing.h"

#include "model/Globals.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace brellic {

namespace {

bool Finite(std::initializer_list<double> values) {
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

double Stored(Extended value) {
    return static_cast<double>(value);
}

} // namespace

BatterySizing SizeBatteries(const SiteState& site, const DeviceList& devices,
                            std::string_view chosenBattery, int negativeLine) {
    const ExtendedPrecisionScope precision;
    BatterySizing z;
    z.HavePanel = site.PanelIndex >= 0 && site.PanelIndex < kPanelCount;
    const PanelRecord* panel = z.HavePanel ? &PanelTable[site.PanelIndex] : nullptr;
    z.Capacity = site.BatteryCapacity;
    z.HaveBattery = z.HavePanel && z.Capacity > 0 && std::isfinite(z.Capacity);
    z.StandbyHours = site.StandbyHours;
    const int hours = z.StandbyHours;
    z.Loads = SumLoads(site, devices);
    const LoadTotals& loads = z.Loads;
    // Every battery's standby time through the window's own judgement.
    const auto judge = [&](Extended capacity) {
        return JudgeStandby(capacity, site.AlarmPeriod, hours, loads.Quiescent, loads.Alarm);
    };
    if (z.HaveBattery)
        z.Chosen = judge(z.Capacity);
    z.RemainingDefined = z.HaveBattery && std::isfinite(z.Chosen.RemainingCapacity);
    if (z.HaveBattery && hours > 0)
        z.Rated = RatedOutput(z.Capacity, hours, site.PeakCurrent);

    // The capacity the load needs, with and without the ageing allowance. A
    // quiescent total that is not positive has no meaningful capacity.
    if (hours > 0 && Finite({loads.Quiescent, loads.Alarm})) {
        const double needed =
            Stored(static_cast<Extended>(hours) * static_cast<Extended>(loads.Quiescent) +
                   AlarmLoadHours(site.AlarmPeriod) * static_cast<Extended>(loads.Alarm));
        z.Needed = needed;
        z.NeededDefined = loads.Quiescent > 0 && std::isfinite(needed);
        if (z.NeededDefined)
            z.Aged = Stored(static_cast<Extended>(needed) * 1.25L);
    }

    // The battery that fits: the smallest capacity that meets the requirement.
    for (int row : BatteriesForPanel(site.PanelIndex)) {
        SizedBattery battery;
        battery.Text = BatteryTable[static_cast<std::size_t>(row)];
        battery.Capacity = ParseBatteryCapacity(battery.Text);
        battery.Standby = judge(battery.Capacity);
        // A negative line would let a battery pass that does not.
        battery.Result = negativeLine > 0 ? Outcome::Fails : battery.Standby.Standby;
        battery.Chosen = z.HaveBattery && battery.Text == chosenBattery;
        z.Batteries.push_back(battery);
    }
    std::stable_sort(
        z.Batteries.begin(), z.Batteries.end(),
        [](const SizedBattery& a, const SizedBattery& b) { return a.Capacity < b.Capacity; });
    for (std::size_t i = 0; i < z.Batteries.size() && z.Fitting < 0; ++i) {
        if (z.Batteries[i].Result == Outcome::Meets)
            z.Fitting = static_cast<int>(i);
    }
    if (z.Fitting < 0 && !z.Batteries.empty()) {
        const double missing =
            Stored(static_cast<Extended>(z.Needed.value_or(0)) - z.Batteries.back().Capacity);
        if (z.NeededDefined && std::isfinite(missing))
            z.ShortBy = missing;
    }

    // What the chosen battery and the panel can still carry, signed.
    if (z.RemainingDefined && hours > 0 && std::isfinite(loads.Quiescent))
        z.SpareQuiescent = Stored(static_cast<Extended>(z.Chosen.RemainingCapacity) / hours -
                                  static_cast<Extended>(loads.Quiescent));
    if (z.HavePanel && std::isfinite(loads.Alarm))
        z.SpareAlarm =
            Stored(static_cast<Extended>(site.PeakCurrent) - static_cast<Extended>(loads.Alarm));

    // Recharge to 80 % at the panel's charging current.
    z.RechargeLimit = site.SystemGrade == 3 ? kRechargeHoursGrade3 : kRechargeHoursGrade2;
    if (z.HaveBattery && panel->ChargeCurrent > 0)
        z.RechargeHours = Stored(z.Capacity * 8 / 10 / static_cast<Extended>(panel->ChargeCurrent));
    return z;
}

} // namespace brellic
