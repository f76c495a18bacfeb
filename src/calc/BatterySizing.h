#pragma once

#include "calc/Supply.h"
#include "calc/Totals.h"
#include "model/Extended.h"
#include "model/SiteState.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace brellic {

// One of the batteries the panel takes, judged as the window judges the one chosen.
struct SizedBattery {
    std::string_view Text; // as the battery list shows it: "14.4 Ah (2 x 7.2)"
    Extended Capacity = 0; // ampere-hours
    StandbyJudgement Standby;
    Outcome Result = Outcome::Fails; // a negative device line fails every battery
    bool Chosen = false;
};

// Recharge limits commonly applied under EN 50131-6: 80 % of the capacity
// within 72 hours at grades 1 and 2, within 24 hours at grade 3.
inline constexpr int kRechargeHoursGrade2 = 72;
inline constexpr int kRechargeHoursGrade3 = 24;

// The battery sizing of a site as numbers and outcomes, without a word of
// text: what the load needs, how each of the panel's batteries stands up to
// it, and what the chosen battery and the panel can still carry. The
// calculation sheet words them; a figure that cannot be worked out is empty.
struct BatterySizing {
    bool HavePanel = false;
    // A panel and a chosen battery whose capacity is finite and above zero.
    bool HaveBattery = false;
    Extended Capacity = 0; // the chosen battery's
    std::int32_t StandbyHours = 0;
    LoadTotals Loads;
    StandbyJudgement Chosen; // the chosen battery, exactly as the window judges it
    bool RemainingDefined = false;
    std::optional<RatedOutputFigures> Rated; // with a battery and a standby time

    // The capacity the load needs, in Ah: worked out while the standby time
    // is above zero and the loads are finite, and defined only for a
    // positive quiescent total and a finite result.
    std::optional<double> Needed;
    bool NeededDefined = false;
    double Aged = 0; // Needed with 25 % for ageing; meaningful when NeededDefined

    std::vector<SizedBattery> Batteries; // the panel's, smallest capacity first
    int Fitting = -1;                    // the smallest that meets; -1 when none does
    std::optional<double> ShortBy;       // none fitting: what the largest lacks, in Ah

    std::optional<double> SpareQuiescent; // amperes, signed; with the remaining capacity
    std::optional<double> SpareAlarm;     // amperes, signed; with a panel

    int RechargeLimit = kRechargeHoursGrade2;
    std::optional<double> RechargeHours; // to 80 %, with a battery and a charging current
};

// The sizing for the site as it stands: StandbyHours and PeakCurrent as the
// supply calculation last left them, the chosen battery's capacity and list
// text, and the first negative device line as the totals found it (0 for none).
BatterySizing SizeBatteries(const SiteState& site, const DeviceList& devices,
                            std::string_view chosenBattery, int negativeLine);

} // namespace brellic
