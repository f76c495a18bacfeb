#pragma once

#include "calc/Result.h"
#include "calc/SheetFigures.h"

#include <optional>
#include <string>
#include <vector>

namespace brellic {

// The calculation sheet of an installation: a first page with an overview of
// its supplies and the whole system's verdict, then each supply's own sheet.
// Texts are UTF-8 display texts, as in SheetFigures.

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
    std::optional<SheetFigures> Sheet;

    bool Judged() const { return Sheet.has_value(); }
};

// The installation's own row: one verdict and one grade for the system.
struct SheetSystem {
    bool Meets = false;  // only when every supply meets both requirements
    std::string Meeting; // "2 of 3"
    std::string Grade;   // the lowest of the supplies' grades
    bool GradesDiffer = false;
};

struct InstallationSheetFigures {
    std::string Name;
    std::string Address;
    std::string Standard;    // "EN50131-1" or "PD6662"
    std::string AlarmPeriod; // "15 minutes"
    std::vector<SheetSupply> Supplies;
    SheetSystem System;
};

} // namespace brellic
