#pragma once

#include "model/DisplayTexts.h"
#include "model/SiteState.h"

#include <cstdint>
#include <span>
#include <string>

namespace brellic {

// The site details the report names. Texts are UTF-8.
struct ReportSite {
    std::string SiteRef;
    std::int32_t SystemStandard = 0; // 0 = EN50131-1, any other value = PD6662
    std::int32_t SystemGrade = 0;
    std::string PanelName;
    std::string BatteryText; // as the battery list shows it, e.g. "7.2 Ah"
    bool AcFailSignalled = false;
};

// The report as Windows-1252 bytes: 28 lines plus one per device, each
// ending in CR LF. Figures come from the display texts as they stand; only
// the device lines' currents are formatted here, with the given separator.
std::string BuildReport(const ReportSite& site, std::span<const TDeviceData> devices,
                        const DisplayTexts& texts, char separator);

} // namespace brellic
