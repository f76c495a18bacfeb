#pragma once

#include "model/CableRun.h"
#include "model/SiteState.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace brellic {

// An installation: several power supplies (a control panel and its remote
// PSUs, say) kept together in one file and judged under one standard and
// alarm period, which the installation carries itself so that every machine
// gives it the same verdicts whatever its own settings say.

inline constexpr std::size_t kMaxSupplies = 32;
inline constexpr std::size_t kInstallationTextCapacity = 100;    // name and address, in characters
inline constexpr std::size_t kSupplyNameCapacity = 50;           // characters
inline constexpr std::int32_t kInstallationMinAlarmPeriod = 1;   // minutes
inline constexpr std::int32_t kInstallationMaxAlarmPeriod = 120; // minutes

// The site of one supply: what a site file holds, except that a supply still
// being designed may have no panel, or no battery, chosen yet. The site
// editor works on one such site at a time; a missing panel is its "no panel
// selected" state.
struct SupplySite {
    std::string SiteRef;
    std::int32_t Grade = 1;
    std::optional<std::int32_t> Panel;   // PanelTable row
    std::optional<std::int32_t> Battery; // position in the panel's battery list
    bool AcFail = false;
    std::vector<TDeviceData> Devices;

    // Only a supply with a panel and a battery can be judged or saved as a
    // site file; any other never meets.
    bool Complete() const { return Panel.has_value() && Battery.has_value(); }

    friend bool operator==(const SupplySite&, const SupplySite&) = default;
};

struct InstallationSupply {
    std::string Name; // unique within the installation
    SupplySite Site;
    // The voltage the supply gives at the end of its standby time, which the
    // cable runs start from: a battery's end of discharge, or a PSU's own
    // low-voltage cut-off.
    double LowestOutputVolts = kDefaultLowestOutputVolts;
    std::vector<CableRun> Runs{}; // 0 to 32; a device line on none is at the supply

    friend bool operator==(const InstallationSupply&, const InstallationSupply&) = default;
};

struct Installation {
    std::string Name;
    std::string Address;
    std::int32_t Standard = 0;                // 0 = EN50131-1, any other value = PD6662
    std::int32_t AlarmPeriodMinutes = 15;     // 1 to 120
    std::vector<InstallationSupply> Supplies; // 1 to 32 in a file

    friend bool operator==(const Installation&, const Installation&) = default;
};

} // namespace brellic
