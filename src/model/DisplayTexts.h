#pragma once

#include <cstdint>
#include <string>

namespace brellic {

struct Rgb {
    std::uint8_t Red = 0, Green = 0, Blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kVerdictNone{0, 0, 0};
inline constexpr Rgb kVerdictMeets{0, 128, 0};
inline constexpr Rgb kVerdictFails{255, 0, 0};

// The calculation's results as the window's labels show them; the report
// prints them as they stand. Each field is named after its label and starts
// with the label's initial text.
struct DisplayTexts {
    std::string lbPeriod = "Unknown";
    std::string lbReqStandby = "---";
    std::string lbPSU = "Unknown";
    std::string lbBattCurrent = "Unknown";
    std::string lbPeakCurrent = "Unknown";
    std::string lbRatedOP = "Please Select Battery";
    std::string lbReqPeakCur = "---";
    std::string lbCPNomI = "0.000 Amps";
    std::string lbCPAlarmI = "0.000 Amps";
    std::string TotNomI = "0.000 Amps";
    std::string TotAlarmI = "0.000 Amps";
    std::string lbActStandby = "----";
    std::string lbSbNotes = "None";
    std::string lbActPeak = "----";
    std::string lbPeakNotes = "None";
    Rgb lbActStandbyColor = kVerdictNone;
    Rgb lbActPeakColor = kVerdictNone;
    std::string Caption = "Brellic";
};

} // namespace brellic
