#pragma once

#include "calc/Result.h"
#include "calc/SiteSheetTexts.h"

#include <optional>
#include <string>
#include <vector>

namespace brellic {

// The calculation sheet of an installation: a first page with an overview of
// its supplies and the whole system's verdict, then each supply's own sheet.
// Texts are UTF-8 display texts, as in SiteSheetTexts.

// A device line on a cable run, as the run's table of lines shows it.
struct SheetRunLine {
    std::string Line; // counted from 1
    std::string Description;
    std::string Distance;  // "12.0 m", or "far end"
    std::string Quiescent; // "0.018 A"
    std::string Alarm;     // "0.545 A"

    friend bool operator==(const SheetRunLine&, const SheetRunLine&) = default;
};

// A cable run's settings and its working: each figure with the run's values
// put in, in volts to 2 decimals, ohms to 3, metres to 1 and amps to 3.
struct SheetRun {
    std::string Name;
    std::string Cable;         // the table's name, or "custom"
    std::string OhmsPerMetre;  // per core: "0.085 Ω/m"
    std::string CoresPositive; // doubled up on +12 V: "1"
    std::string CoresNegative; // and on 0 V
    std::string Length;        // "20.0 m"
    std::string MinVolts;      // the devices' lowest operating voltage: "9.50 V"
    std::vector<SheetRunLine> Lines;

    SheetFigure LoopResistance;
    SheetFigure QuiescentCurrent;
    SheetFigure AlarmCurrent;
    // Stretch by stretch from the supply: I × l × r × (1/n+ + 1/n−).
    std::vector<SheetFigure> QuiescentDrops;
    std::vector<SheetFigure> AlarmDrops;
    SheetFigure LowestQuiescent; // "10.47 V at line 2"
    SheetFigure LowestAlarm;
    SheetCheck Check; // the lowest voltages in standby and in alarm against MinVolts
    Outcome State = Outcome::Undefined;
    SheetFigure Longest;     // k × length, rounded down; "any length" when nothing drops
    SheetFigure Thinnest;    // the thinnest table cable that meets, or "none"
    SheetFigure CoresToMeet; // "2", or "none"

    friend bool operator==(const SheetRun&, const SheetRun&) = default;
};

// One supply's row of the overview and, when it is judged, its sheet.
struct SheetSupply {
    std::string Name;
    std::string Panel;   // the panel or PSU; empty while none is chosen
    std::string Battery; // as the battery list shows it; empty while none is chosen
    std::string Grade;   // "2"
    // The figures of a judged supply: "60 Hours", "60.98 Hours" (or
    // "Undefined"), "1.070 Amps" (or "Undefined") and "1.25 Amps".
    std::string RequiredStandby;
    std::string ActualStandby;
    std::string AlarmCurrent;
    std::string PeakCurrent;
    Outcome Standby = Outcome::NotJudged;
    Outcome AlarmVerdict = Outcome::NotJudged;
    // The supply's own sheet, as the same site opened on its own gives it;
    // none while the supply has no panel or no battery, which never meets.
    std::optional<SiteSheetTexts> Sheet;
    // "none", "meet" or "1 of 2 meet", as the overview says it; NotJudged
    // without runs.
    std::string CableRuns;
    std::string CableRunsMeeting; // "1 of 2" as the runs' own verdicts count; empty without runs
    Outcome CableRunsVerdict = Outcome::NotJudged;
    // The cable runs, shown whether or not the supply is judged: they do not
    // depend on its panel or battery.
    std::string LowestOutputVolts; // "10.50 V"
    std::vector<SheetRun> Runs;

    bool Judged() const { return Sheet.has_value(); }
};

// The installation's own row: one verdict and one grade for the system.
struct SheetSystem {
    std::string Meeting; // "2 of 3"
    std::string Grade;   // the lowest of the supplies' grades
    bool GradesDiffer = false;
    // Meets only when every supply meets both requirements and its runs.
    Outcome State = Outcome::Fails;
};

struct InstallationSheetTexts {
    std::string Name;
    std::string Address;
    std::string Standard;    // "EN50131-1" or "PD6662"
    std::string AlarmPeriod; // "15 minutes"
    std::vector<SheetSupply> Supplies;
    SheetSystem System;
};

} // namespace brellic
