#pragma once

#include "calc/Result.h"
#include "model/DisplayTexts.h"
#include "model/Extended.h"
#include "model/SiteState.h"

#include <cstdint>
#include <span>
#include <string>

namespace brellic {

inline constexpr const char* kStandbyMeets = "System standby time meets the requirement.";
inline constexpr const char* kStandbyFails = "Standby time does not meet the requirement.";
inline constexpr const char* kStandbyUndefined =
    "Standby time cannot be calculated: the total quiescent current is zero.";
inline constexpr const char* kStandbyTooLarge =
    "Standby time cannot be calculated: the currents are too large.";
inline constexpr const char* kAlarmMeets = "Alarm current meets the requirement.";
inline constexpr const char* kAlarmFails =
    "Alarm current exceeds maximum available from control panel!";
inline constexpr const char* kAlarmTooLarge =
    "Alarm current cannot be calculated: the currents are too large.";

// The load the panel supplies: the device lines' currents and, with a panel,
// the panel's own current once in each total.
struct LoadTotals {
    double LinesQuiescent = 0; // the device lines alone
    double LinesAlarm = 0;
    double Quiescent = 0;
    double Alarm = 0;
    int NegativeLine = 0; // 1-based position of the first negative line; 0 when none
};

LoadTotals SumLoads(const SiteState& site, const DeviceList& devices);
LoadTotals SumLoads(const SiteState& site, std::span<const TDeviceData> devices);

// "Device line N has a negative current."
std::string NegativeLineNote(int line);

// The hours the alarm load is drawn for: twice the alarm period, in hours
// (15 minutes count as 0.5 hours).
Extended AlarmLoadHours(std::int32_t alarmPeriod);

// The standby time a battery gives once the alarm load has been supplied,
// judged against the required standby time.
struct StandbyJudgement {
    double RemainingCapacity = 0; // ampere-hours; not finite when the alarm load is not
    double ActualStandby = 0;     // hours; meaningful only when Defined
    // False when the standby time cannot be computed: a zero quiescent total,
    // or a figure beyond the range of doubles. Undefined then says which.
    bool Defined = false;
    const char* Undefined = nullptr;
    Outcome Standby = Outcome::Fails;
};

// The one standby computation: the window's verdict and every battery the
// calculation sheet weighs up go through it, so they cannot disagree.
StandbyJudgement JudgeStandby(Extended batteryCapacity, std::int32_t alarmPeriod,
                              std::int32_t standbyHours, double quiescentTotal, double alarmTotal);

// Meets while the alarm total is within the peak current, equality included;
// an alarm total that is not a finite number fails.
Outcome JudgeAlarmCurrent(double alarmTotal, double peakCurrent);

// The totals, the actual standby time and both verdicts for the loads. It
// reads StandbyHours and PeakCurrent as the supply calculation last left
// them, so that runs first whenever both run for one change.
TotalsResult CalculateTotals(const SiteState& site, const LoadTotals& loads, bool panelChosen,
                             bool batteryChosen);

// CalculateTotals over the device list, with the texts and colours the
// window shows for the result. The caller runs the enabling rules after.
TotalsResult UpdateTotals(const SiteState& site, const DeviceList& devices, bool panelChosen,
                          bool batteryChosen, DisplayTexts& texts, char separator);

} // namespace brellic
