#pragma once

#include "model/DisplayTexts.h"
#include "model/SiteState.h"

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

// Load totals of the device lines and the panel, the actual standby time and
// both verdicts with their texts and colours. It reads StandbyHours and
// PeakCurrent as UpdateSupply last left them, so UpdateSupply runs first
// whenever both run for one change. The caller runs the enabling rules after.
TotalsResult UpdateTotals(const SiteState& site, const DeviceList& devices, bool panelChosen,
                          bool batteryChosen, DisplayTexts& texts, char separator);

} // namespace brellic
