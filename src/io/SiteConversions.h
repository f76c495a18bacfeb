#pragma once

#include "io/Report.h"
#include "io/SiteFile.h"
#include "model/Installation.h"

#include <cstdint>
#include <optional>
#include <string>

namespace brellic {

// One site in the shapes its outputs need. SupplySite is the site as the
// editor and an installation hold it; SiteFileData is what a site file (and
// its JSON form) holds; ReportSite is what the report names. Every
// conversion between them is here.

// The site as a site file holds it; nothing while its panel or battery is
// not chosen yet.
std::optional<SiteFileData> SiteFileOf(const SupplySite& site);
SupplySite SupplySiteOf(const SiteFileData& site);

// The chosen battery as the panel's battery list shows it ("7.2 Ah"); empty
// while no panel or no battery is chosen.
std::string BatteryTextOf(const SupplySite& site);

// The report's details of the site, judged under standard.
ReportSite ReportSiteOf(const SupplySite& site, std::int32_t standard);

// Which name a supply made from a site file takes.
enum class SupplyNaming {
    // The file's name without its extension, whole: the window's Add Supply
    // from Site File, which gives a free "Supply N" where that cannot be a
    // supply's name.
    FileName,
    // The site's reference, or else the file's name without its extension
    // cut to what a supply name holds: combine, which keeps the name a site
    // carries, so that split gives the same file back.
    SiteReference,
};

// The name the supply takes (path is UTF-8); empty when the file's name it
// comes from cannot be a supply's: no characters, more than one line or a
// character outside Windows-1252, or (FileName) more than 50 characters.
std::string SupplyNameOf(const std::string& path, const SupplySite& site, SupplyNaming naming);

} // namespace brellic
