#pragma once

// The sheet of the window's own example, for the tests of the document and
// of the dialog: grade 3 under EN50131-1 on panel row 10 with 17.0 Ah and 15
// minutes' alarm, one 0.2 A / 1 A line, and as many 0 A lines as asked for.

#include "calc/SiteSheetTexts.h"
#include "calc/Supply.h"
#include "calc/Totals.h"

#include <string>
#include <utility>

namespace brellic::test {

inline SiteSheetTexts ExampleFigures(int extraDevices = 0, std::string siteRef = "Mill Lane") {
    SiteState site;
    site.SystemStandard = 0;
    site.AlarmPeriod = 15;
    site.SystemGrade = 3;
    site.PanelIndex = 10;
    site.BatteryCapacity = ParseBatteryCapacity("17.0 Ah");
    DeviceList devices;
    devices.Append(TDeviceData{1, 3, "Sounder", 0.200, 1.000}, '.');
    for (int i = 0; i < extraDevices; ++i)
        devices.Append(TDeviceData{1, 3, "Detector " + std::to_string(i + 1), 0.0, 0.0}, '.');
    DisplayTexts texts;
    UpdateSupply(site, false, texts, '.');
    UpdateTotals(site, devices, true, true, texts, '.');
    return ComputeSheet(site, devices, SheetSite{std::move(siteRef), "17.0 Ah", false}, '.');
}

} // namespace brellic::test
