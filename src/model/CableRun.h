#pragma once

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brellic {

// Cable runs: the cables from a supply out to its devices. Sounders drawing
// their alarm current at the end of the standby time, from a battery near
// its end-of-discharge voltage, can leave the devices at the far end of a
// long thin run below their operating voltage although the battery sums
// pass; a run's figures show it.

// One entry of the cable table: the maximum resistance of one copper core
// per metre at 20 degrees C. Real cable in a warm loft runs above that, so
// the figures are the conservative end of what makers publish.
struct CableType {
    std::string_view Name; // UTF-8
    double OhmsPerMetre;
};

// From the thinnest to the thickest.
inline constexpr std::array<CableType, 6> kCableTable = {{
    {"7/0.2 alarm cable, 0.22 mm\xC2\xB2", 0.085},
    {"0.5 mm\xC2\xB2", 0.0390},
    {"0.75 mm\xC2\xB2", 0.0260},
    {"1.0 mm\xC2\xB2", 0.0195},
    {"1.5 mm\xC2\xB2", 0.0133},
    {"2.5 mm\xC2\xB2", 0.00798},
}};

// Position of a cable in the table by its exact name, or nothing.
std::optional<std::size_t> FindCable(std::string_view name);

inline constexpr std::size_t kMaxCableRuns = 32; // per supply
inline constexpr std::size_t kCableRunNameCapacity = 50;
inline constexpr std::int32_t kMaxCoresDoubled = 4; // per leg
inline constexpr double kMaxRunLengthM = 2000;
inline constexpr double kMinSupplyVolts = 5;
inline constexpr double kMaxSupplyVolts = 30;
// The end-of-discharge voltage of a 12 V lead-acid battery: the voltage a
// supply gives when the alarm sounds at the end of its standby time.
inline constexpr double kDefaultLowestOutputVolts = 10.5;
// What detectors generally still work at.
inline constexpr double kDefaultRunMinVolts = 9.5;

// A device line fed by a run. Line counts the supply's device lines from 0;
// without a distance the line is at the far end, the worst case.
struct RunLine {
    std::size_t Line = 0;
    std::optional<double> DistanceM;

    friend bool operator==(const RunLine&, const RunLine&) = default;
};

struct CableRun {
    std::string Name;
    std::optional<std::size_t> Cable; // kCableTable position; none for a custom figure
    double OhmsPerMetrePerCore = kCableTable[0].OhmsPerMetre; // the table's figure for a cable
    std::int32_t CoresPositive = 1;                           // cores doubled up on +12 V
    std::int32_t CoresNegative = 1;                           // and on 0 V
    double LengthM = 0;
    double MinVolts = kDefaultRunMinVolts; // the lowest operating voltage of its devices
    std::vector<RunLine> Lines;            // each device line on at most one run

    friend bool operator==(const CableRun&, const CableRun&) = default;
};

// The ranges a run's figures are held to, on entry and on reading.
inline bool RunLengthInRange(double metres) {
    return metres > 0 && metres <= kMaxRunLengthM;
}
inline bool SupplyVoltsInRange(double volts) {
    return volts >= kMinSupplyVolts && volts <= kMaxSupplyVolts;
}
inline bool RunMinVoltsInRange(double volts, double supplyVolts) {
    return volts > 0 && volts < supplyVolts;
}
inline bool CoresInRange(std::int32_t cores) {
    return cores >= 1 && cores <= kMaxCoresDoubled;
}
// A custom figure: any positive resistance (copper-clad aluminium, say).
inline bool OhmsPerMetreInRange(double ohms) {
    return ohms > 0 && std::isfinite(ohms);
}

// Takes a removed device line off the run it was on, and moves the lines
// after it up one, as the device list does.
void RemoveRunLine(std::vector<CableRun>& runs, std::size_t line);

} // namespace brellic
