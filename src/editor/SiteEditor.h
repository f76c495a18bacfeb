#pragma once

#include "calc/Result.h"
#include "calc/SiteSheetTexts.h"
#include "editor/DeviceDialog.h"
#include "editor/Prompter.h"
#include "editor/Settings.h"
#include "model/DisplayTexts.h"
#include "model/Installation.h"
#include "model/SiteState.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <string>
#include <utility>
#include <vector>

namespace brellic {

// Whether an operation runs because the user acted on a control, or because
// the editor runs it itself.
enum class Origin { User, Program };

// The controls whose enabled state depends on the site; every other command
// is always enabled.
struct Enabling {
    bool lbDevices = false;
    bool btnAdd = false;
    bool btnEdit = false;
    bool btnDelete = false;
    bool mnuSave = false;
    bool mnuSaveAs = false;
    bool mnuGenReport = false;
};

// What the window's controls hold: the editor is the only one that changes it;
// the window shows it.
struct Controls {
    int GradeIndex = 1; // cbGrade: "Grade 1" to "Grade 3"; "Grade 2" at start
    std::vector<std::string> PanelItems;
    int PanelSelected = -1;
    std::vector<std::string> BatteryItems;
    int BatterySelected = -1;
    bool AcFailChecked = false;
    bool AcFailEnabled = false;
    std::string SiteRef;
    int DeviceSelected = -1;
    Enabling Enabled;
};

enum class SaveOutcome { Saved, Cancelled, Failed };

// The standard and alarm period a site is judged under.
struct JudgingRules {
    std::int32_t Standard = 0;    // 0 = EN50131-1, any other value = PD6662
    std::int32_t AlarmPeriod = 0; // minutes
};

inline constexpr const char* kSaveQuestion = "Do you want to save the site data?";
inline constexpr const char* kDeleteQuestion = "Are you sure you want to delete this device?";
inline constexpr const char* kRemoveBelowGradeQuestion =
    "The device list contains components that do not meet the \r\nselected grade. Do you want to "
    "remove these devices?";
// The report goes to the current working directory under this name.
inline constexpr const char* kReportFileName = "Report.Txt";

// Writes a report (Windows-1252 bytes) to Report.Txt in the working folder
// and hands it to the opener; the user is told of a failure, and of a report
// no program could open.
void WriteReport(const std::string& text, Prompter& prompter, ReportOpener& opener);

// The site editor: the site, its device list and every rule of the main
// window and its commands. The window, the command-line tool and the tests
// all drive this one class.
class SiteEditor {
public:
    // Runs the start-up reset: the settings are loaded and the grade shown is
    // applied. With rules of its own (an installation's) the site is judged
    // under them from the start, as JudgeUnder leaves it.
    SiteEditor(SettingsStore& settings, Prompter& prompter, char decimalSeparator = '.',
               std::optional<JudgingRules> own = std::nullopt);

    const SiteState& Site() const { return site_; }
    const DeviceList& Devices() const { return devices_; }
    // The calculation's result as it last ran, and the texts made from it.
    const SiteResult& Result() const { return result_; }
    const DisplayTexts& Texts() const { return texts_; }
    const Controls& View() const { return controls_; }
    char DecimalSeparator() const { return separator_; }

    // Operations of the main window.
    void Reset();
    void GradeChanged(int gradeIndex, Origin origin);
    void FillPanelList(int grade, int keep);
    void PanelChanged(int panelPosition, Origin origin);
    void BatteryChanged(int batteryPosition, Origin origin);
    void AcFailClicked(bool checked);
    // False (and nothing changed) for a character a site file cannot hold;
    // a text over 50 characters is cut.
    bool SiteRefChanged(const std::string& text);
    void UpdateEnabling();
    void RemoveDevicesBelowGrade();
    void New();
    // True when the window may close.
    bool CloseQuery();
    void SelectDevice(int position);

    // Device list commands.
    void btnAddClick(const DeviceDialog::ShowModal& show);
    void btnEditClick(const DeviceDialog::ShowModal& show);
    void btnDeleteClick();

    // Options: execute shows the dialog with the two values and returns true
    // with the new ones on OK.
    using ExecuteOptions = std::function<bool(std::int32_t& standard, std::int32_t& period)>;
    void Options1Click(const ExecuteOptions& execute);

    // File commands.
    void Open();
    // Opens a named file through the same sequence as Open; false when the
    // file could not be read (the user has been told why).
    bool OpenFile(const std::string& path);
    // Loads a site held in memory (an installation's supply) through the
    // sequence OpenFile runs on a file it has read. A site without a panel,
    // or without a battery, loads with none selected. fileName becomes the
    // name Save writes to; empty leaves the site untitled.
    void LoadSite(const SupplySite& site, const std::string& fileName = {});
    // The site as it stands, as Save would write it; a panel or battery not
    // selected is missing.
    SupplySite CurrentSite() const;
    // Judges the site under a standard and alarm period of its own (an
    // installation's) instead of the Options', recalculating as Options does;
    // the stored settings are not touched, and Options still edits and
    // stores its own values. JudgeUnderOptions goes back to the Options'.
    void JudgeUnder(std::int32_t standard, std::int32_t alarmPeriod);
    void JudgeUnderOptions();
    // The Options' values, whatever the site is judged under.
    std::int32_t OptionsStandard() const;
    std::int32_t OptionsAlarmPeriod() const;
    void SetModified(bool modified) { site_.Modified = modified; }
    SaveOutcome Save(bool saveAs);
    // Save to a name chosen elsewhere (Save As offering both file types).
    SaveOutcome SaveTo(const std::string& path);
    void GenerateReport(ReportOpener& opener);
    // The report as it would be written now (Windows-1252 bytes).
    std::string ReportText() const;
    // The calculation sheet's texts for the site as it stands.
    SiteSheetTexts SheetTexts() const;

    // Recalculations, for the commands above and for callers that change the
    // settings themselves.
    void UpdateSupply();
    void UpdateTotals();

    // Asks whether to save an edited site before it is closed or replaced.
    // True when the command may go on.
    bool OfferToSave();
    // Empties the site as New does, without the save question: a site about
    // to be replaced by one loaded from memory starts from nothing, so no
    // question about the one before it comes up.
    void Clear();

    // Told of each device line the editor takes out of the list (Delete, or
    // a line below the grade), by its position before it goes; the lines
    // after it move up one. Loading or emptying the site tells nothing: the
    // list is replaced, not edited. An installation keeps its cable runs'
    // line numbers right through this.
    using DeviceRemoved = std::function<void(std::size_t position)>;
    void OnDeviceRemoved(DeviceRemoved handler) { deviceRemoved_ = std::move(handler); }

private:
    // Position of a panel's name in the panel list; -1 when it is not offered.
    int PanelPosition(std::string_view name) const;
    bool Ready() const;
    // Puts the rules in force into the site: its own while it has them, else
    // the Options'.
    void ApplyRules();
    void SaveOptions();

    SiteState site_;
    DeviceList devices_;
    SiteResult result_;
    DisplayTexts texts_;
    Controls controls_;
    SettingsStore& settings_;
    Prompter& prompter_;
    char separator_;
    std::vector<std::string> told_; // settings notices already shown this run
    DeviceRemoved deviceRemoved_;
    // The Options' standard and period, as the store and the Options dialog
    // hold them, and an installation's own, which take precedence while set.
    JudgingRules options_;
    std::optional<JudgingRules> own_;
};

} // namespace brellic
