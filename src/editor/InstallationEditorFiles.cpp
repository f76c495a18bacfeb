#include "editor/InstallationEditor.h"

#include "io/Cp1252.h"
#include "io/InstallationFile.h"
#include "io/SiteFile.h"
#include "io/SiteJson.h"

#include <filesystem>
#include <utility>

namespace brellic {

// The installation's file commands: opening, saving and its report.

void InstallationEditor::Open() {
    if (open_ ? !OfferToSave() : !editor_.OfferToSave())
        return;
    const std::optional<std::string> path = prompter_.OpenInstallationName();
    if (!path || path->empty())
        return;
    OpenFile(*path);
}

void InstallationEditor::OpenAny() {
    if (open_ ? !OfferToSave() : !editor_.OfferToSave())
        return;
    const std::optional<std::string> path = prompter_.OpenSiteOrInstallationName();
    if (!path || path->empty())
        return;
    OpenAnyFile(*path);
}

bool InstallationEditor::OpenAnyFile(const std::string& path) {
    if (IsInstallationFileName(path))
        return OpenFile(path);
    if (!open_)
        return editor_.OpenFile(path);
    // Read before the installation is closed, so a file that cannot be used
    // leaves it open.
    const SiteFileResult read = ReadSiteFile(path);
    if (!read) {
        prompter_.ShowError(read.Message);
        return false;
    }
    CloseWithoutAsking();
    editor_.Clear();
    editor_.LoadSite(SupplySiteOf(read.Data), path);
    return true;
}

void InstallationEditor::NewSite() {
    if (open_ && !Close())
        return;
    editor_.New();
}

bool InstallationEditor::CloseQuery() {
    if (open_) {
        if (!OfferToSave())
            return false;
        // The installation has been saved or its edits given up: the supply
        // in the site editor has nothing left to ask about.
        editor_.SetModified(false);
    }
    return editor_.CloseQuery();
}

void InstallationEditor::GenerateReport(ReportOpener& opener) {
    if (!open_) {
        editor_.GenerateReport(opener);
        return;
    }
    WriteReport(ReportText(), prompter_, opener);
}

std::string InstallationEditor::Caption() const {
    if (!open_)
        return editor_.Texts().Caption;
    return fileName_.empty() ? std::string("Brellic") : "Brellic - " + fileName_;
}

bool InstallationEditor::OpenFile(const std::string& path) {
    InstallationResult read = ReadInstallationFile(path);
    if (!read) {
        prompter_.ShowError(read.Error);
        return false;
    }
    BeginEditing(std::move(read.Data), path);
    return true;
}

SaveOutcome InstallationEditor::Save(bool saveAs) {
    if (!open_)
        return SaveOutcome::Cancelled;
    KeepChosenEdits();
    std::string name = saveAs ? std::string() : fileName_;
    if (name.empty()) {
        const std::optional<std::string> chosen = prompter_.SaveInstallationName();
        if (!chosen || chosen->empty())
            return SaveOutcome::Cancelled;
        name = *chosen;
    }
    if (const IoResult written = WriteInstallationFile(name, installation_); !written) {
        prompter_.ShowError(written.Message);
        return SaveOutcome::Failed;
    }
    fileName_ = name;
    modified_ = false;
    return SaveOutcome::Saved;
}

SaveOutcome InstallationEditor::SaveSiteAs() {
    if (open_)
        return Save(true);
    if (!editor_.View().Enabled.mnuSaveAs)
        return SaveOutcome::Cancelled;
    const std::optional<std::string> chosen = prompter_.SaveSiteOrInstallationName();
    if (!chosen || chosen->empty())
        return SaveOutcome::Cancelled;
    if (!IsInstallationFileName(*chosen))
        return editor_.SaveTo(*chosen);
    Installation installation;
    const std::u8string stem = std::filesystem::path(*chosen).stem().u8string();
    installation.Name =
        std::string(Utf8Prefix(std::string(stem.begin(), stem.end()), kInstallationTextCapacity));
    if (!IsOneLineCp1252(installation.Name))
        installation.Name.clear();
    installation.Standard = editor_.OptionsStandard();
    installation.AlarmPeriodMinutes = editor_.OptionsAlarmPeriod();
    installation.Supplies.push_back({"Supply 1", editor_.CurrentSite()});
    if (const IoResult written = WriteInstallationFile(*chosen, installation); !written) {
        prompter_.ShowError(written.Message);
        return SaveOutcome::Failed;
    }
    BeginEditing(std::move(installation), *chosen);
    return SaveOutcome::Saved;
}

std::string InstallationEditor::ReportText() const {
    return InstallationReport(Current(), editor_.DecimalSeparator());
}

} // namespace brellic
