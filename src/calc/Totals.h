#pragma once

#include "model/DisplayTexts.h"
#include "model/Extended.h"
#include "model/SiteState.h"

#include <cstdint>

namespace brellic {

enum class Verdict { None, Meets, Fails };

struct TotalsResult {
    double QuiescentTotal = 0;
    double AlarmTotal = 0;
    Verdict Standby = Verdict::None;
    Verdict AlarmCurrent = Verdict::None;
};

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
};

LoadTotals SumLoads(const SiteState& site, const DeviceList& devices);

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
    Verdict Standby = Verdict::Fails;
};

// The one standby computation: the window's verdict and every battery the
// calculation sheet weighs up go through it, so they cannot disagree.
StandbyJudgement JudgeStandby(Extended batteryCapacity, std::int32_t alarmPeriod,
                              std::int32_t standbyHours, double quiescentTotal, double alarmTotal);

// Meets while the alarm total is within the peak current, equality included;
// an alarm total that is not a finite number fails.
Verdict JudgeAlarmCurrent(double alarmTotal, double peakCurrent);

// Load totals of the device lines and the panel, the actual standby time and
// both verdicts with their texts and colours. It reads StandbyHours and
// PeakCurrent as UpdateSupply last left them, so UpdateSupply runs first
// whenever both run for one change. The caller runs the enabling rules after.
TotalsResult UpdateTotals(const SiteState& site, const DeviceList& devices, bool panelChosen,
                          bool batteryChosen, DisplayTexts& texts, char separator);

} // namespace brellic
