#pragma once

#include "model/Extended.h"

#include <cstdint>
#include <string>

namespace brellic {

// How a site came out against one requirement. NotJudged while the choice it
// needs (a battery for standby, a panel for the alarm current) is missing;
// Undefined when a figure it rests on cannot be computed, which never passes.
enum class Outcome { NotJudged, Meets, Fails, Undefined };

struct RequirementVerdict {
    Outcome State = Outcome::NotJudged;
    // The comment shown beside the figure: why, in the window's own words.
    std::string Note = "None";

    bool Meets() const { return State == Outcome::Meets; }
};

// What the site's power supply must and can do before any device is counted.
struct SupplyResult {
    std::int32_t StandbyHours = 0; // required standby time
    bool HavePanel = false;
    bool HaveBattery = false; // a battery capacity above zero
    double PsuOutput = 0;     // amperes; with a panel
    double ChargeCurrent = 0; // amperes; with a panel
    double PeakCurrent = 0;   // amperes the panel delivers to the load
    double RatedOutput = 0;   // amperes the battery sustains; with a panel and a battery
    Extended BatteryCapacity = 0;
};

// The load, the standby time the battery gives, and both verdicts.
struct TotalsResult {
    bool PanelChosen = false;
    double PanelCurrent = 0; // the panel's own draw; 0 without a panel
    double QuiescentTotal = 0;
    double AlarmTotal = 0;
    // With a battery chosen: what is left after the alarm load, and the hours
    // it gives at the quiescent load. ActualStandbyDefined is false when the
    // hours cannot be computed (a zero quiescent total, or a figure beyond the
    // range of doubles); the figures are then not to be shown.
    double RemainingCapacity = 0;
    double ActualStandby = 0;
    bool ActualStandbyDefined = false;
    // 1-based position of the first device line with a negative quiescent or
    // alarm current; 0 when there is none. Such a line makes every verdict
    // that is judged fail.
    int NegativeLine = 0;
    RequirementVerdict Standby;
    RequirementVerdict AlarmCurrent;
};

// The calculation's whole result for a site.
struct SiteResult {
    SupplyResult Supply;
    TotalsResult Totals;
};

} // namespace brellic
