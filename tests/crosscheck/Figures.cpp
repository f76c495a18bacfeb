// Prints the calculation's display texts for a wide sweep of sites, the
// reports and calculation sheets of part of them, and the number formats for
// awkward values. The Windows build's output is compared with the Linux
// build's: both must show the same digits, which holds only while both
// evaluate in the 80-bit format and round the same way.
#include "calc/SiteSheetTexts.h"
#include "calc/Supply.h"
#include "calc/Totals.h"
#include "io/Report.h"
#include "model/Format.h"
#include "model/Globals.h"

#include <charconv>
#include <cstdio>
#include <string>
#include <vector>

using namespace brellic;

namespace {

// Exact texts of binary values, independent of the C library's printf.
std::string Hex(Extended value) {
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::hex);
    return std::string(text, result.ptr);
}

std::string Shortest(double value) {
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

void PrintFormats() {
    const double values[] = {0.0,   0.005,          0.015,     0.125,     0.1749999999999999,
                             0.175, 0.335,          1.005,     1.0049999, 2.675,
                             41.5,  60.98,          1e-7,      -0.0004,   -2.5e-3,
                             1e15,  123456789.0125, 1.0 / 3.0, 2.0 / 3,   0.075 * 3};
    for (const double value : values)
        std::printf("format %s %s %s\n", FormatFixed(value, 2, '.').c_str(),
                    FormatFixed(value, 3, ',').c_str(), FormatFixed(value, 0, '.').c_str());
    for (const std::string_view battery : BatteryTable)
        std::printf("battery %s\n", Hex(ParseBatteryCapacity(battery)).c_str());
}

struct DeviceSet {
    const char* name;
    std::vector<TDeviceData> lines;
};

std::vector<DeviceSet> DeviceSets(int panel, int grade) {
    std::vector<DeviceSet> sets;
    sets.push_back({"none", {}});

    DeviceSet catalogue{"catalogue", {}};
    int qty = 1;
    for (const int row : CatalogueForPanel(panel, grade)) {
        const CatalogueDevice& device = DeviceCatalogue[static_cast<std::size_t>(row)];
        catalogue.lines.push_back({qty, device.Grade, std::string(device.Name),
                                   device.Quiescent * qty, device.Alarm * qty});
        qty = qty % 4 + 1;
    }
    sets.push_back(catalogue);

    sets.push_back(
        {"custom",
         {{3, 3, "thirds", 1.0 / 3.0 * 0.1, 0.0125 * 3}, {7, 3, "sevenths", 0.007, 0.0335}}});
    sets.push_back({"heavy", {{10, 3, "sounders", 0.25, 2.5}}});
    return sets;
}

// The report's lines, CR LF taken off so that the Windows program's text-mode
// output compares equal; a report not ending in CR LF is flagged.
void PrintReport(const SiteState& site, bool acFail, int battery, const DeviceList& devices,
                 const DisplayTexts& texts, char separator) {
    ReportSite details;
    details.SiteRef = "Lagerhalle S\u00fcd \u2013 Tor 3";
    details.SystemStandard = site.SystemStandard;
    details.SystemGrade = site.SystemGrade;
    details.PanelName = std::string(PanelTable[static_cast<std::size_t>(site.PanelIndex)].Name);
    if (battery >= 0)
        details.BatteryText = std::string(BatteryTable[static_cast<std::size_t>(battery)]);
    details.AcFailSignalled = acFail;
    std::vector<TDeviceData> lines;
    for (const DeviceList::Entry& entry : devices)
        lines.push_back(entry.Data);

    const std::string report = BuildReport(details, lines, texts, separator);
    std::size_t start = 0;
    while (start < report.size()) {
        const std::size_t end = report.find("\r\n", start);
        if (end == std::string::npos) {
            std::printf("  | %s <no CR LF>\n", report.substr(start).c_str());
            break;
        }
        std::printf("  | %s\n", report.substr(start, end - start).c_str());
        start = end + 2;
    }
}

// The calculation sheet's working, verdicts and battery choice.
void PrintSheet(const SiteState& site, bool acFail, int battery, const DeviceList& devices,
                char separator) {
    SheetSite details;
    if (battery >= 0)
        details.BatteryText = std::string(BatteryTable[static_cast<std::size_t>(battery)]);
    details.AcFailSignalled = acFail;
    const SiteSheetTexts sheet = ComputeSheet(site, devices, details, separator);
    for (const SheetFigure* figure :
         {&sheet.RequiredStandby, &sheet.PeakCurrent, &sheet.RatedOutput, &sheet.QuiescentTotal,
          &sheet.AlarmTotal, &sheet.RemainingCapacity, &sheet.ActualStandby, &sheet.CapacityNeeded,
          &sheet.CapacityWithAllowance, &sheet.SpareQuiescent, &sheet.SpareAlarm, &sheet.Recharge})
        std::printf("  = %s\n", figure->Line().c_str());
    for (const SheetCheck* check : {&sheet.StandbyCheck, &sheet.AlarmCheck, &sheet.RechargeCheck})
        std::printf("  ? %s %d %s\n", check->Comparison.c_str(), static_cast<int>(check->Result),
                    check->Comment.c_str());
    for (const SheetBattery& candidate : sheet.Batteries)
        std::printf("  + %s %s %d\n", candidate.Text.c_str(), candidate.ActualStandby.c_str(),
                    static_cast<int>(candidate.Standby));
    std::printf("  ! %s\n", sheet.BatteryConclusion.c_str());
}

void PrintSite(const SiteState& start, bool acFail, int battery, const DeviceSet& set,
               char separator) {
    SiteState site = start;
    DeviceList devices;
    for (const TDeviceData& line : set.lines)
        devices.Append(line, separator);
    DisplayTexts texts;
    UpdateSupply(site, acFail, texts, separator);
    const TotalsResult totals = UpdateTotals(site, devices, site.PanelIndex >= 0,
                                             site.BatteryCapacity > 0, texts, separator);

    std::printf("site g%d p%d b%s s%d a%d ac%d %s|", site.SystemGrade, site.PanelIndex,
                Hex(site.BatteryCapacity).c_str(), site.SystemStandard, site.AlarmPeriod,
                acFail ? 1 : 0, set.name);
    for (const std::string* text :
         {&texts.lbPeriod, &texts.lbReqStandby, &texts.lbPSU, &texts.lbBattCurrent,
          &texts.lbPeakCurrent, &texts.lbRatedOP, &texts.lbReqPeakCur, &texts.lbCPNomI,
          &texts.lbCPAlarmI, &texts.TotNomI, &texts.TotAlarmI, &texts.lbActStandby,
          &texts.lbSbNotes, &texts.lbActPeak, &texts.lbPeakNotes, &texts.Caption})
        std::printf("%s|", text->c_str());
    std::printf("%d,%d,%d %d,%d,%d|%d %d|%s %s %s\n", texts.lbActStandbyColor.Red,
                texts.lbActStandbyColor.Green, texts.lbActStandbyColor.Blue,
                texts.lbActPeakColor.Red, texts.lbActPeakColor.Green, texts.lbActPeakColor.Blue,
                static_cast<int>(totals.Standby.State), static_cast<int>(totals.AlarmCurrent.State),
                Shortest(totals.QuiescentTotal).c_str(), Shortest(totals.AlarmTotal).c_str(),
                Shortest(site.PeakCurrent).c_str());
    for (const DeviceList::Entry& entry : devices)
        std::printf("  %s\n", entry.Text.c_str());
    if (site.SystemStandard == 1 && site.AlarmPeriod == 15)
        PrintReport(site, acFail, battery, devices, texts, separator);
    if (site.SystemStandard == 0 && site.AlarmPeriod == 30)
        PrintSheet(site, acFail, battery, devices, separator);
}

void PrintSites() {
    int count = 0;
    for (int grade = 1; grade <= 3; ++grade) {
        for (const int panel : PanelsForGrade(grade)) {
            std::vector<int> batteries = BatteriesForPanel(panel);
            batteries.push_back(-1);
            for (const int battery : batteries) {
                for (const DeviceSet& set : DeviceSets(panel, grade)) {
                    for (int standard = 0; standard <= 1; ++standard) {
                        for (const int period : {15, 30}) {
                            for (const bool acFail : {false, true}) {
                                if (acFail && grade != 3)
                                    continue;
                                SiteState site;
                                site.SystemGrade = grade;
                                site.PanelIndex = panel;
                                site.SystemStandard = standard;
                                site.AlarmPeriod = period;
                                site.BatteryCapacity =
                                    battery < 0
                                        ? 0
                                        : ParseBatteryCapacity(
                                              BatteryTable[static_cast<std::size_t>(battery)]);
                                PrintSite(site, acFail, battery, set, count++ % 2 ? ',' : '.');
                            }
                        }
                    }
                }
            }
        }
    }
    std::printf("sites %d\n", count);
}

} // namespace

int main() {
    PrintFormats();
    PrintSites();
    return 0;
}
