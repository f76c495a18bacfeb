#pragma once

#include <string>

namespace brellic {

class InstallationEditor;
class SiteEditor;

// The tip of Cable Runs while a site file is open on its own: cable runs are
// kept in installations only.
inline constexpr const char* kCableRunsNeedAnInstallation =
    "Cable runs are kept in an installation: save the site as an installation (File, Save As) "
    "to give it cable runs.";

// Which of the window's commands are offered, decided here and only copied
// by the window. A command not listed (New, Open, Exit, New Installation,
// Options, About) is always offered.
struct CommandStates {
    // The device list and its buttons: only with a panel and a battery.
    bool DeviceList = false;
    bool AddDevice = false;
    bool EditDevice = false;
    bool DeleteDevice = false;

    // File. An installation is saved whole and its report and sheet cover
    // every supply, judged or not; a site needs a panel and a battery, and a
    // name for Save.
    bool Save = false;
    bool SaveAs = false;
    bool Report = false;
    bool CalculationSheet = false;

    // Installation. The per-supply commands act on the target supply and are
    // offered only while there is one; a full installation still offers Add,
    // whose refusal says why.
    bool AddSupply = false;
    bool AddSupplyFromSiteFile = false;
    bool Details = false;
    bool DuplicateSupply = false;
    bool MoveSupplyLeft = false;
    bool MoveSupplyRight = false;
    bool RenameSupply = false;
    bool RemoveSupply = false;
    bool SaveSupplyAsSiteFile = false;
    bool CableRuns = false;
    // Why Cable Runs is not offered; empty while it may be.
    std::string CableRunsTip;
};

CommandStates MakeCommandStates(const SiteEditor& site, const InstallationEditor& installation);

} // namespace brellic
