#pragma once

#include "calc/CableRuns.h"
#include "calc/Result.h"
#include "editor/Prompter.h"
#include "editor/SiteEditor.h"
#include "model/DisplayTexts.h"
#include "model/Installation.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace brellic {

inline constexpr const char* kInstallationSaveQuestion = "Do you want to save the installation?";

// One row of the installation's overview: a supply and how it is judged.
struct SupplyRow {
    std::string Name;
    std::string Panel;   // the panel or PSU; empty while none is chosen
    std::string Battery; // as the battery list shows it; empty while none is chosen
    std::int32_t Grade = 0;
    // False while the supply has no panel or no battery (or opening it would
    // leave none selected): it is not judged, and never meets.
    bool Judged = false;
    SiteResult Result;           // meaningful only when Judged
    std::vector<RunResult> Runs; // one per cable run, judged whether or not the supply is
    bool Meets() const {
        return Judged && Result.Totals.Standby.Meets() && Result.Totals.AlarmCurrent.Meets() &&
               RunsMeet(Runs);
    }
};

// The installation's own row: the whole system's verdict and grade.
struct InstallationRow {
    std::size_t Supplies = 0;
    std::size_t Meeting = 0;
    bool Meets = false;     // only when every supply meets both requirements and its runs
    std::int32_t Grade = 0; // the lowest of the supplies' grades
    bool GradesDiffer = false;
};

struct Overview {
    std::vector<SupplyRow> Supplies;
    InstallationRow Installation;
};

// "2 of 3", as the overview, the report and the sheet count what meets.
std::string CountOf(std::size_t part, std::size_t whole);

// The mark a supply's tab carries.
enum class SupplyMark { NotJudged, Meets, Fails };
SupplyMark MarkOf(const SupplyRow& row);

// One row of the overview as the window shows it: the supplies' rows, then
// the installation's, whose verdict is the whole system's and whose Panel
// says how many supplies meet ("2 of 3 supplies meet").
struct OverviewLine {
    std::string Name;
    std::string Panel;
    std::string Battery;
    std::string Grade;
    std::string RequiredStandby;
    std::string ActualStandby;
    std::string AlarmCurrent;
    std::string PeakAvailable;
    std::string CableRuns; // "none", "meet" or "1 of 2 meet"
    std::string Verdict;
    Rgb StandbyColour = kVerdictNone;
    Rgb AlarmColour = kVerdictNone;
    Rgb CableRunsColour = kVerdictNone;
    Rgb VerdictColour = kVerdictNone;
};

struct OverviewTexts {
    std::vector<OverviewLine> Lines; // one per supply, then the installation's
    std::string Summary;             // the system's verdict and grade, in a sentence
    Rgb SummaryColour = kVerdictNone;
};

OverviewTexts MakeOverviewTexts(const Overview& overview, char separator);

// The overview's figures for an installation, each supply judged as the
// same site checked on its own under the installation's standard and period.
Overview MakeOverview(const Installation& installation);

// Report.Txt for a whole installation: a short header, then each supply's
// own site report under the installation's standard and alarm period.
std::string InstallationReport(const Installation& installation, char separator);

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
    std::size_t SupplyCount() const { return open_ ? installation_.Supplies.size() : 0; }
    const std::string& FileName() const { return fileName_; }
    bool Modified() const;
    Overview Rows() const { return MakeOverview(Current()); }

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

    // The chosen supply with its site as the site editor has it, for the
    // Cable Runs dialog; and that dialog's lowest output voltage and runs
    // taken back for it. False when nothing changed (or none is open).
    InstallationSupply ChosenSupply() const;
    char DecimalSeparator() const { return editor_.DecimalSeparator(); }
    bool SetCableRuns(double lowestOutputVolts, std::vector<CableRun> runs);

private:
    void Take();
    void Show(std::size_t index);
    void Start(Installation installation, std::string fileName);
    void MoveSupply(int step);
    // Closes the installation without asking; the site editor goes back to
    // the Options.
    void Shut();
    std::string FreeName() const;
    // Why name cannot name the supply at index, or empty.
    std::string NameFault(const std::string& name, std::size_t index) const;

    SiteEditor& editor_;
    Prompter& prompter_;
    bool open_ = false;
    Installation installation_;
    std::size_t chosen_ = 0;
    bool modified_ = false;
    std::string fileName_;
};

} // namespace brellic
