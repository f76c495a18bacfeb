#include "io/SiteConversions.h"

#include "io/Cp1252.h"
#include "model/Globals.h"

#include <filesystem>

#include <vector>

namespace brellic {

std::optional<SiteFileData> SiteFileOf(const SupplySite& site) {
    if (!site.Complete())
        return std::nullopt;
    return SiteFileData{site.SiteRef,  site.Grade,  *site.Panel,
                        *site.Battery, site.AcFail, site.Devices};
}

SupplySite SupplySiteOf(const SiteFileData& site) {
    return SupplySite{site.SiteRef, site.Grade,  site.Panel,
                      site.Battery, site.AcFail, site.Devices};
}

std::string BatteryTextOf(const SupplySite& site) {
    if (!site.Complete())
        return {};
    const std::vector<int> rows = BatteriesForPanel(*site.Panel);
    if (*site.Battery < 0 || static_cast<std::size_t>(*site.Battery) >= rows.size())
        return {};
    return std::string(
        BatteryTable[static_cast<std::size_t>(rows[static_cast<std::size_t>(*site.Battery)])]);
}

ReportSite ReportSiteOf(const SupplySite& site, std::int32_t standard) {
    ReportSite report;
    report.SiteRef = site.SiteRef;
    report.SystemStandard = standard;
    report.SystemGrade = site.Grade;
    if (site.Panel && *site.Panel >= 0 && *site.Panel < kPanelCount)
        report.PanelName = PanelTable[static_cast<std::size_t>(*site.Panel)].Name;
    report.BatteryText = BatteryTextOf(site);
    report.AcFailSignalled = site.AcFail;
    return report;
}

std::string SupplyNameOf(const std::string& path, const SupplySite& site, SupplyNaming naming) {
    if (naming == SupplyNaming::SiteReference && !site.SiteRef.empty())
        return site.SiteRef; // at most 50 characters, as a site file holds it
    const std::u8string stem =
        std::filesystem::path(std::u8string(path.begin(), path.end())).stem().u8string();
    std::string name(stem.begin(), stem.end());
    if (!IsOneLineCp1252(name))
        return {};
    if (naming == SupplyNaming::SiteReference)
        return std::string(Utf8Prefix(name, kSupplyNameCapacity));
    return Utf8Length(name) <= kSupplyNameCapacity ? name : std::string();
}

} // namespace brellic
