#pragma once

#include "calc/Totals.h"
#include "model/Format.h" // kUndefinedFigure, the result of a figure not worked out
#include "model/SiteState.h"

#include <string>
#include <vector>

namespace brellic {

// What the calculation sheet names besides the site state: the texts the
// window's controls hold. Texts are UTF-8.
struct SheetSite {
    std::string SiteRef;
    std::string BatteryText; // the chosen battery as its list shows it; empty when none
    bool AcFailSignalled = false;
};

// One result of the working, read as "Label = Working = Result", with the
// formula in words beside it.
struct SheetFigure {
    std::string Label;
    std::string Formula;
    std::string Working; // the formula with the site's values put in; empty when they are missing
    std::string Result;  // the value with its unit, or "Undefined"
    std::string Note;    // what a signed result means; may be empty
    bool Defined = false;

    std::string Line() const;

    friend bool operator==(const SheetFigure&, const SheetFigure&) = default;
};

// A requirement, what the site achieves, and the verdict between them.
struct SheetCheck {
    std::string Requirement; // "60 Hours Standby"
    std::string Actual;      // "60.98 Hours", or "Undefined"
    std::string Comparison;  // "60.98 Hours ≥ 60 Hours"; empty when Actual is undefined
    std::string Comment;
    Outcome Result = Outcome::Fails; // an undefined figure never passes

    friend bool operator==(const SheetCheck&, const SheetCheck&) = default;
};

// One of the batteries the panel takes, judged as the window judges the one chosen.
struct SheetBattery {
    std::string Text;          // "14.4 Ah (2 x 7.2)"
    std::string ActualStandby; // "60.98 Hours", or "Undefined"
    Outcome Standby = Outcome::Fails;
    bool Chosen = false;

    friend bool operator==(const SheetBattery&, const SheetBattery&) = default;
};

// A row of the device table; the currents carry their unit.
struct SheetRow {
    std::string Qty;
    std::string Description;
    std::string Grade;
    std::string Quiescent;
    std::string Alarm;

    friend bool operator==(const SheetRow&, const SheetRow&) = default;
};

// Everything the calculation sheet shows, as display texts.
struct SiteSheetTexts {
    std::string SiteRef;
    std::string Standard; // "EN50131-1" or "PD6662"
    std::string Grade;
    std::string AcFailSignalled; // "Yes" or "No"
    std::string PanelName;
    std::string BatteryText;
    std::string AlarmPeriod; // "15 minutes"

    std::vector<SheetRow> Devices;
    SheetRow PanelLine; // the panel's own current
    SheetRow Totals;

    SheetCheck StandbyCheck;
    SheetCheck AlarmCheck;

    SheetFigure RequiredStandby;
    SheetFigure PeakCurrent;
    SheetFigure RatedOutput;
    SheetFigure QuiescentTotal;
    SheetFigure AlarmTotal;
    SheetFigure RemainingCapacity;
    SheetFigure ActualStandby;

    SheetFigure CapacityNeeded;
    SheetFigure CapacityWithAllowance; // with 25 % for battery ageing

    std::vector<SheetBattery> Batteries; // the panel's batteries, smallest capacity first
    int FittingBattery = -1;             // the smallest that meets; -1 when none does
    std::string BatteryConclusion;

    SheetFigure SpareQuiescent;
    SheetFigure SpareAlarm;

    SheetFigure Recharge;
    SheetCheck RechargeCheck;

    friend bool operator==(const SiteSheetTexts&, const SiteSheetTexts&) = default;
};

// The sheet's figures for the site as it stands: StandbyHours and
// PeakCurrent as the supply calculation last left them, the device list, the
// chosen battery's capacity, and the site's result as the calculation last
// left it, whose verdicts and comments the sheet states. Every candidate
// battery is judged through JudgeStandby, the window's own computation. A
// figure that cannot be computed (no panel or battery, a zero quiescent
// total, anything not finite) reads "Undefined" and never passes.
SiteSheetTexts ComputeSheet(const SiteState& site, const DeviceList& devices,
                            const TotalsResult& result, const SheetSite& details, char separator);

// The same with the result calculated here, for a panel and, when its
// capacity is above zero, a battery taken as chosen.
SiteSheetTexts ComputeSheet(const SiteState& site, const DeviceList& devices,
                            const SheetSite& details, char separator);

} // namespace brellic
