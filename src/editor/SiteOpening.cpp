#include "editor/SiteOpening.h"

#include "calc/SystemVerdict.h"
#include "io/Cp1252.h"
#include "model/Format.h"
#include "model/Globals.h"

namespace brellic {

namespace {

std::string PanelName(std::int32_t row) {
    return row >= 0 && row < kPanelCount
               ? "\"" + std::string(PanelTable[static_cast<std::size_t>(row)].Name) + "\""
               : "row " + FormatInt(row);
}

} // namespace

std::string PanelNotAllowedMessage(const std::string& path, std::int32_t panelRow,
                                   std::int32_t grade) {
    return "Cannot use " + QuotedPath(path) + ": its panel, " + PanelName(panelRow) +
           ", cannot be used at grade " + FormatInt(grade) + ", so no panel is selected.";
}

std::string BatteryNotListedMessage(const std::string& path, std::int32_t panelRow) {
    return "Cannot use " + QuotedPath(path) +
           ": its battery position is not in the battery list of " + PanelName(panelRow) +
           ", so no battery is selected.";
}

std::string TooShortMessage(const std::string& path) {
    return "Cannot open " + QuotedPath(path) + ": the file is shorter than one site record (" +
           FormatInt(kSiteFileSize) + " bytes).";
}

OpenedSiteFile OpenSiteFile(const std::string& path, SiteTexts texts) {
    OpenedSiteFile opened{ReadSiteFile(path, texts), {}};
    if (!opened.Read)
        return opened;
    // Opening selects the file's panel only where its grade offers it, and
    // its battery only where the position is in that panel's list. The
    // decoder has already refused a grade or panel row out of range.
    const SiteFileData& file = opened.Read.Data;
    switch (FaultOf(file.Grade, file.Panel, file.Battery)) {
    case SiteFault::Panel:
        opened.Unselected = PanelNotAllowedMessage(path, file.Panel, file.Grade);
        break;
    case SiteFault::Battery:
        opened.Unselected = BatteryNotListedMessage(path, file.Panel);
        break;
    case SiteFault::None:
        break;
    }
    return opened;
}

CheckedSite CheckSiteFile(const std::string& path, std::int32_t standard, std::int32_t alarmPeriod,
                          SiteTexts texts) {
    CheckedSite checked;
    OpenedSiteFile opened = OpenSiteFile(path, texts);
    if (opened.Read.Status == SiteFileStatus::TooShort) {
        checked.Error = TooShortMessage(path);
        return checked;
    }
    if (!opened.Read) {
        checked.Error = std::move(opened.Read.Message);
        return checked;
    }
    checked.File = std::move(opened.Read.Data);
    if (!opened.Unselected.empty()) {
        checked.Error = std::move(opened.Unselected);
        return checked;
    }
    const SiteFileData& file = checked.File;
    checked.Result = CalculateSite(file.Grade, file.Panel, file.Battery, file.AcFail, file.Devices,
                                   standard, alarmPeriod);
    return checked;
}

} // namespace brellic
