#pragma once

#include "calc/Result.h"
#include "io/SiteFile.h"

#include <cstdint>
#include <string>

namespace brellic {

// A site file judged without a window: read, validated exactly as opening it
// in a freshly started window would leave it (every question answered No, so
// devices below the grade stay), and calculated. Only the figures are made;
// no display text, device-line text or list is built.
struct CheckedSite {
    // Why the file cannot be used, naming it; empty when it can. A usable
    // site has its panel and its battery selected once opened.
    std::string Error;
    SiteFileData File; // as read; texts only when asked for
    SiteResult Result; // meaningful only when Error is empty
};

// A site file as opening it in a window reads it: the editor's Open and
// check both come through here.
struct OpenedSiteFile {
    SiteFileResult Read; // the file as read; Message names the file
    // Why a freshly started window that opened the file would be left with
    // no panel or no battery selected, naming the file; empty when it would
    // not, or when the file could not be read.
    std::string Unselected;
};
OpenedSiteFile OpenSiteFile(const std::string& path, SiteTexts texts = SiteTexts::Convert);

// standard and alarmPeriod are the settings the window would load.
CheckedSite CheckSiteFile(const std::string& path, std::int32_t standard, std::int32_t alarmPeriod,
                          SiteTexts texts);

// The messages for a file that opens but leaves no panel, or no battery,
// selected, and for a file shorter than one record.
std::string PanelNotAllowedMessage(const std::string& path, std::int32_t panelRow,
                                   std::int32_t grade);
std::string BatteryNotListedMessage(const std::string& path, std::int32_t panelRow);
std::string TooShortMessage(const std::string& path);

} // namespace brellic
