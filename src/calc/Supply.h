#pragma once

#include "calc/Result.h"
#include "model/DisplayTexts.h"
#include "model/Extended.h"
#include "model/SiteState.h"

#include <string_view>

namespace brellic {

// Capacity in ampere-hours of a battery entry's text: the number before the
// space that precedes the first "Ah", read with "." whatever the locale.
// A text without "Ah", or whose number cannot be read, gives 0.
Extended ParseBatteryCapacity(std::string_view text);

// Required standby time, the panel's supply figures and the battery's rated
// output; sets StandbyHours and PeakCurrent. acFailSignalled is read only at
// grade 3.
SupplyResult CalculateSupply(SiteState& site, bool acFailSignalled);

// CalculateSupply with the texts lbPeriod, lbReqStandby, lbPSU,
// lbBattCurrent, lbPeakCurrent, lbRatedOP, lbReqPeakCur and the caption.
SupplyResult UpdateSupply(SiteState& site, bool acFailSignalled, DisplayTexts& texts,
                          char separator);

// The required standby hours for a standard and grade; 0 for a grade outside 1 to 3.
int RequiredStandbyHours(int standard, int grade, bool acFailSignalled);

// The continuous current a battery sustains over the required standby time:
// capacity over hours, then capped at the peak current.
struct RatedOutputFigures {
    double BeforeCap = 0;
    double Value = 0;
};
RatedOutputFigures RatedOutput(Extended batteryCapacity, int standbyHours, double peakCurrent);

} // namespace brellic
