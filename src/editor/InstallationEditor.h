#pragma once

#include "calc/CableRuns.h"
#include "calc/Result.h"
#include "editor/Commands.h"
#include "editor/InstallationOverview.h"
#include "editor/InstallationReport.h"
#include "editor/Prompter.h"
#include "editor/SiteEditor.h"
#include "model/DisplayTexts.h"
#include "model/Installation.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace brellic {

inline constexpr const char* kInstallationSaveQuestion = "Do you want to save the installation?";

// The name a duplicate of the supply named name takes: "NAME (2)", or the
// first of (3), (4)… not in use, the name cut so that the whole fits.
std::string DuplicateName(const std::string& name, const std::vector<InstallationSupply>& supplies);

// The installation editor: the installation, the supply being edited and
// every command of the Installation menu. The site editor keeps editing one
// site; this hands it the chosen supply and takes it back.
class InstallationEditor {
public:
    InstallationEditor(SiteEditor& editor, Prompter& prompter);
    ~InstallationEditor();
    InstallationEditor(const InstallationEditor&) = delete;
    InstallationEditor& operator=(const InstallationEditor&) = delete;

    bool IsOpen() const { return open_; }
    // The installation as it stands, the chosen supply as the site editor has it.
    Installation Current() const;
    std::size_t Chosen() const { return chosen_; }
    // The supply that Duplicate, Move, Rename, Remove, Save Supply as Site
    // File and Cable Runs act on: the chosen supply's tab, or the row picked
    // in the overview; none while the overview has no supply's row picked.
    // Duplicate and Move take it along to the copy or the new place; Remove
    // leaves none.
    std::optional<std::size_t> Target() const { return target_; }
    void SetTarget(std::optional<std::size_t> index);
    // Which commands the window offers, for the site and the installation.
    CommandStates Commands() const { return MakeCommandStates(editor_, *this); }
    // The chosen supply's cable runs for the form; empty without an installation.
    RunsLine ChosenRunsLine() const;
    std::size_t SupplyCount() const { return open_ ? installation_.Supplies.size() : 0; }
    const std::string& FileName() const { return fileName_; }
    bool Modified() const;
    Overview CurrentOverview() const { return MakeOverview(Current()); }

    // From the current Options, with one empty supply. False when the
    // save question was answered Yes and the save did not happen.
    bool NewInstallation();
    void ChooseSupply(std::size_t index);
    void AddSupply();
    void DuplicateSupply();
    void MoveSupplyLeft() { MoveSupply(-1); }
    void MoveSupplyRight() { MoveSupply(1); }
    void AddSupplyFromSiteFile();
    void RenameSupply();
    void RemoveSupply();
    void SaveSupplyAsSiteFile();
    void Details();
    // Options: with an installation open the dialog only shows the
    // installation's own standard and period (own is true) and nothing is
    // stored or changed; a site on its own edits the stored Options.
    using ShowOptions = std::function<bool(std::int32_t& standard, std::int32_t& period, bool own)>;
    void Options(const ShowOptions& show);

    void Open();
    bool OpenFile(const std::string& path);
    // File, Open: a site file or an installation file, whichever is chosen,
    // after the save question for what is open. A file that cannot be read
    // leaves what is open as it is.
    void OpenAny();
    // Opens a site file or an installation file by its name (at start).
    bool OpenAnyFile(const std::string& path);
    // File, New: closes the installation, asking first, and starts a new site.
    void NewSite();
    // The window is closing: true when it may. The Options are stored.
    bool CloseQuery();
    // Writes Report.Txt for the installation, or for the site when none is
    // open, and hands it to the opener.
    void GenerateReport(ReportOpener& opener);
    // "Brellic - <installation file>", or the site's caption.
    std::string Caption() const;
    SaveOutcome Save(bool saveAs);
    // Save As with a site open: as a site file, or as a one-supply
    // installation under the current Options, which then stays open.
    SaveOutcome SaveSiteAs();
    // Closes the installation after the save question; the site editor goes
    // back to the Options. False when the window must stay.
    bool Close();
    // The save question, asked once for the whole installation; true when
    // the command may go on.
    bool OfferToSave();

    // Report.Txt for the whole installation (Windows-1252, CR LF).
    std::string ReportText() const;

    // The target supply (its site as the site editor has it when it is the
    // chosen one), for the Cable Runs dialog; and that dialog's lowest output
    // voltage and runs taken back for it. False when nothing changed (or
    // there is no target).
    InstallationSupply ChosenSupply() const;
    char DecimalSeparator() const { return editor_.DecimalSeparator(); }
    bool SetCableRuns(double lowestOutputVolts, std::vector<CableRun> runs);

private:
    // Takes the chosen supply back from the site editor: its edits become
    // the installation's.
    void KeepChosenEdits();
    // The target as an index, after keeping the chosen supply's edits; none
    // without an installation or a target.
    std::optional<std::size_t> KeepEditsForTarget();
    // Hands the supply at index to the site editor as the chosen one.
    void LoadSupply(std::size_t index);
    // Starts editing installation, read from fileName (empty for a new one).
    void BeginEditing(Installation installation, std::string fileName);
    void MoveSupply(int step);
    // Closes the installation without asking; the site editor goes back to
    // the Options.
    void CloseWithoutAsking();
    std::string FreeName() const;
    // Why name cannot name the supply at index, or empty.
    std::string NameFault(const std::string& name, std::size_t index) const;

    SiteEditor& editor_;
    Prompter& prompter_;
    bool open_ = false;
    Installation installation_;
    std::size_t chosen_ = 0;
    std::optional<std::size_t> target_;
    bool modified_ = false;
    std::string fileName_;
};

} // namespace brellic
