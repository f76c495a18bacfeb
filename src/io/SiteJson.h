#pragma once

#include "io/SiteConversions.h"
#include "io/SiteFile.h"

#include <optional>
#include <string>
#include <string_view>

namespace brellic {

// A site in JSON:
//   {"siteReference": str, "grade": int, "panel": int, "battery": int,
//    "acFailSignalled": bool, "devices": [{"qty": int, "description": str,
//    "grade": int, "quiescent": number, "alarm": number}]}
// "panel" is the PanelTable row, "battery" the position in that panel's
// battery list, the currents are line totals. Every double is written so that
// it reads back as the same double.
std::string SiteToJson(const SiteFileData& site);

struct SiteJsonResult {
    SiteFileData Data;
    std::string Error; // empty when Data holds the site

    explicit operator bool() const { return Error.empty(); }
};

// Reads a site from JSON text (UTF-8) and checks it with CheckSiteData. It
// also refuses control characters in the texts and negative currents, which
// no one can type in the window.
SiteJsonResult SiteFromJson(std::string_view text);

// Why the site is not one the window could have saved, or empty when it is:
// the grade, the panel row, the battery position in the panel's list, the
// number of devices, negative quantities, texts over 50 characters or
// outside Windows-1252, currents that are not finite.
std::string CheckSiteData(const SiteFileData& site);

// What import refuses on top of CheckSiteData, or empty: control characters
// in the texts, and negative currents.
std::string CheckImportedSite(const SiteFileData& site);

} // namespace brellic
