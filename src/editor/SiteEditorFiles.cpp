// The File commands of the site editor: open, save, save as and the report.
#include "SiteEditor.h"

#include "editor/SiteOpening.h"
#include "io/AtomicFile.h"
#include "io/Report.h"
#include "io/SiteConversions.h"
#include "io/SiteFile.h"
#include "model/Globals.h"

#include <filesystem>
#include <system_error>

namespace brellic {

namespace {

// Without a program to show it, the user must be told where the report is:
// the working folder is nowhere on screen.
std::string ReportNotOpenedMessage(const std::string& name) {
    std::error_code error;
    const std::filesystem::path full = std::filesystem::absolute(name, error);
    const std::u8string text = (error ? std::filesystem::path(name) : full).u8string();
    return "The report was written, but no program could be found to open it:\n" +
           std::string(text.begin(), text.end());
}

} // namespace

void SiteEditor::Open() {
    if (!OfferToSave())
        return;
    const std::optional<std::string> path = prompter_.OpenFileName();
    if (!path || path->empty())
        return;
    OpenFile(*path);
}

bool SiteEditor::OpenFile(const std::string& path) {
    // Nothing changes for a file that cannot be used, and the user is told:
    // a window that silently kept the old site would let the next Save write
    // it over the file the user believes is open.
    // A panel or battery the file's grade does not allow is left unselected
    // by the grade and panel rules LoadSite runs, which also ask about a
    // panel chosen before; nothing more is said.
    const OpenedSiteFile opened = OpenSiteFile(path);
    if (!opened.Read) {
        prompter_.ShowError(opened.Read.Message);
        return false;
    }
    LoadSite(SupplySiteOf(opened.Read.Data), path);
    return true;
}

void SiteEditor::LoadSite(const SupplySite& file, const std::string& fileName) {
    devices_.ClearDevices();
    controls_.DeviceSelected = -1;
    for (const TDeviceData& device : file.Devices)
        devices_.Append(device, separator_);
    site_.SiteFileName = fileName;
    controls_.SiteRef = file.SiteRef;

    // The grade runs first and still sees the panel chosen before the open,
    // so a panel the file's grade forbids brings up the grade question.
    site_.SystemGrade = file.Grade;
    GradeChanged(file.Grade - 1, Origin::Program);

    if (file.Panel) {
        site_.PanelIndex = *file.Panel;
        PanelChanged(PanelPosition(PanelTable[static_cast<std::size_t>(*file.Panel)].Name),
                     Origin::Program);
        BatteryChanged(file.Battery.value_or(-1), Origin::Program);
    } else {
        // A supply still being designed: the "no panel selected" state.
        FillPanelList(site_.SystemGrade, -1);
        site_.Modified = false;
        UpdateEnabling();
        UpdateTotals();
    }

    if (controls_.AcFailChecked != file.AcFail)
        AcFailClicked(file.AcFail);
}

SupplySite SiteEditor::CurrentSite() const {
    SupplySite site;
    site.SiteRef = controls_.SiteRef;
    site.Grade = site_.SystemGrade;
    if (site_.PanelIndex >= 0)
        site.Panel = site_.PanelIndex;
    if (site_.PanelIndex >= 0 && controls_.BatterySelected >= 0)
        site.Battery = controls_.BatterySelected;
    site.AcFail = controls_.AcFailChecked;
    site.Devices.reserve(devices_.Count());
    for (const DeviceList::Entry& entry : devices_)
        site.Devices.push_back(entry.Data);
    return site;
}

SaveOutcome SiteEditor::Save(bool saveAs) {
    if (site_.PanelIndex < 0) // Save and Save As are offered only with a panel
        return SaveOutcome::Cancelled;

    std::string name;
    if (!saveAs) {
        name = site_.SiteFileName;
    } else if (const std::optional<std::string> chosen = prompter_.SaveFileName()) {
        name = *chosen;
    }
    return SaveTo(name);
}

SaveOutcome SiteEditor::SaveTo(const std::string& name) {
    if (site_.PanelIndex < 0 || name.empty())
        return SaveOutcome::Cancelled;
    // A panel without a battery is never offered for saving: the file could
    // not be opened again.
    const std::optional<SiteFileData> file = SiteFileOf(CurrentSite());
    if (!file)
        return SaveOutcome::Cancelled;

    site_.SiteFileName = name;
    const IoResult written = WriteSiteFile(name, *file);
    UpdateSupply();
    UpdateEnabling();
    if (!written) {
        prompter_.ShowError(written.Message);
        return SaveOutcome::Failed;
    }
    return SaveOutcome::Saved;
}

std::string SiteEditor::ReportText() const {
    const SupplySite site = CurrentSite();
    return BuildReport(ReportSiteOf(site, site_.SystemStandard), site.Devices, texts_, separator_);
}

SiteSheetTexts SiteEditor::SheetTexts() const {
    const SupplySite site = CurrentSite();
    const SheetSite details{site.SiteRef, BatteryTextOf(site), site.AcFail};
    return ComputeSheet(site_, devices_, result_.Totals, details, separator_);
}

void WriteReport(const std::string& text, Prompter& prompter, ReportOpener& opener) {
    const std::string path(kReportFileName);
    const IoResult written = WriteFileReplacing(path, text);
    if (!written) {
        prompter.ShowError(written.Message);
        return;
    }
    opener.Open(path, [&prompter, message = ReportNotOpenedMessage(path)] {
        prompter.ShowInformation(message);
    });
}

void SiteEditor::GenerateReport(ReportOpener& opener) {
    if (!Ready()) // the command is offered only with a panel and a battery
        return;
    WriteReport(ReportText(), prompter_, opener);
}

} // namespace brellic
