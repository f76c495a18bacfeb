#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace brellic {

// One control panel or stand-alone power-supply unit.
struct PanelRecord {
    std::uint8_t FamilyId;    // device-compatibility family
    std::string_view Name;    // at most 17 characters
    std::int32_t MaxGrade;    // highest system grade the panel may be used at
    std::uint8_t BatteryMask; // bit n set: BatteryTable row n fits
    double PsuOutput;         // amperes
    double ChargeCurrent;     // amperes reserved for charging the battery
    double PanelCurrent;      // amperes, the panel's own draw (quiescent = alarm)
};

// One device of the built-in catalogue; currents are per unit.
struct CatalogueDevice {
    std::string_view Name;  // at most 32 characters
    std::int32_t Grade;     // 2, 3 or 4
    std::uint32_t Families; // bit f set: works with panels of family f
    double Quiescent;       // amperes
    double Alarm;           // amperes
};

inline constexpr int kPanelCount = 22;
inline constexpr int kBatteryCount = 5;
inline constexpr int kCatalogueCount = 80;

extern const std::array<PanelRecord, kPanelCount> PanelTable;
extern const std::array<std::string_view, kBatteryCount> BatteryTable;
extern const std::array<CatalogueDevice, kCatalogueCount> DeviceCatalogue;

// Selections; each keeps table order and returns row numbers.
std::vector<int> PanelsForGrade(int grade);
std::vector<int> BatteriesForPanel(int panelRow);
std::vector<int> CatalogueForFamily(unsigned family, int grade);
std::vector<int> CatalogueForPanel(int panelRow, int grade);

// Exact, case-sensitive look-ups by name; -1 when no row matches. The last
// matching row wins, which with unique names is the only one.
int FindPanelByName(std::string_view name);
int FindCatalogueByName(std::string_view name);

} // namespace brellic
