#include "editor/Commands.h"

#include "editor/InstallationEditor.h"
#include "editor/SiteEditor.h"

namespace brellic {

CommandStates MakeCommandStates(const SiteEditor& site, const InstallationEditor& installation) {
    const Enabling& form = site.View().Enabled;
    CommandStates states;
    states.DeviceList = form.lbDevices;
    states.AddDevice = form.btnAdd;
    states.EditDevice = form.btnEdit;
    states.DeleteDevice = form.btnDelete;
    if (!installation.IsOpen()) {
        states.Save = form.mnuSave;
        states.SaveAs = form.mnuSaveAs;
        states.Report = states.CalculationSheet = form.mnuGenReport;
        states.CableRunsTip = kCableRunsNeedAnInstallation;
        return states;
    }
    states.Save = states.SaveAs = states.Report = states.CalculationSheet = true;
    states.AddSupply = states.AddSupplyFromSiteFile = states.Details = true;
    const std::size_t count = installation.SupplyCount();
    const std::optional<std::size_t> target = installation.Target();
    if (!target || *target >= count)
        return states;
    states.DuplicateSupply = states.RenameSupply = true;
    states.SaveSupplyAsSiteFile = states.CableRuns = true;
    states.MoveSupplyLeft = *target > 0;
    states.MoveSupplyRight = *target + 1 < count;
    states.RemoveSupply = count > 1;
    return states;
}

} // namespace brellic
