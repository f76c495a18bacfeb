#include "editor/SiteCheck.h"

#include "calc/Supply.h"
#include "calc/Totals.h"
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

static SiteResult CalculateSite(const SiteFileData& file, const std::vector<int>& batteries,
                                std::int32_t standard, std::int32_t alarmPeriod) {
    // The state the window's open sequence ends in: the file's grade, panel
    // and battery, the loaded settings, and the AC-fail box as stored.
    SiteState site;
    site.SystemStandard = standard;
    site.AlarmPeriod = alarmPeriod;
    site.SystemGrade = file.Grade;
    site.PanelIndex = file.Panel;
    site.BatteryCapacity = ParseBatteryCapacity(
        BatteryTable[static_cast<std::size_t>(batteries[static_cast<std::size_t>(file.Battery)])]);
    SiteResult result;
    result.Supply = CalculateSupply(site, file.AcFail);
    result.Totals = CalculateTotals(site, SumLoads(site, file.Devices), true, true);
    return result;
}

std::optional<SiteResult> JudgeSite(const SiteFileData& file, std::int32_t standard,
                                    std::int32_t alarmPeriod) {
    if (file.Panel < 0 || file.Panel >= kPanelCount ||
        PanelTable[static_cast<std::size_t>(file.Panel)].MaxGrade < file.Grade)
        return std::nullopt;
    const std::vector<int> batteries = BatteriesForPanel(file.Panel);
    if (file.Battery < 0 || static_cast<std::size_t>(file.Battery) >= batteries.size())
        return std::nullopt;
    return CalculateSite(file, batteries, standard, alarmPeriod);
}

OpenedSiteFile OpenSiteFile(const std::string& path, SiteTexts texts) {
    OpenedSiteFile opened{ReadSiteFile(path, texts), {}};
    if (!opened.Read)
        return opened;
    // Opening selects the file's panel only where its grade offers it, and
    // its battery only where the position is in that panel's list. The
    // decoder has already refused a grade or panel row out of range.
    const SiteFileData& file = opened.Read.Data;
    if (PanelTable[static_cast<std::size_t>(file.Panel)].MaxGrade < file.Grade)
        opened.Unselected = PanelNotAllowedMessage(path, file.Panel, file.Grade);
    else if (file.Battery < 0 ||
             static_cast<std::size_t>(file.Battery) >= BatteriesForPanel(file.Panel).size())
        opened.Unselected = BatteryNotListedMessage(path, file.Panel);
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
    checked.Result =
        CalculateSite(checked.File, BatteriesForPanel(checked.File.Panel), standard, alarmPeriod);
    return checked;
}

} // namespace brellic
