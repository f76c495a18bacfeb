#include "SiteEditor.h"

#include "calc/Supply.h"
#include "calc/Totals.h"
#include "io/Cp1252.h"
#include "editor/Limits.h"
#include "io/SiteFile.h"
#include "model/Format.h"
#include "model/Globals.h"

#include <algorithm>
#include <utility>

namespace brellic {

namespace {

std::string GradeQuestion(std::string_view panelName, int grade) {
    std::string text = "The ";
    text += panelName;
    text += " cannot be used for grade ";
    text += FormatInt(grade);
    text += " Systems. Do you \r\nwant to refresh panel list?";
    return text;
}

} // namespace

SiteEditor::SiteEditor(SettingsStore& settings, Prompter& prompter, char decimalSeparator,
                       std::optional<JudgingRules> own)
    : settings_(settings), prompter_(prompter), separator_(decimalSeparator),
      // Until a stored value says otherwise the settings are the defaults, so
      // a store that cannot be opened or read never leaves the calculation
      // running with no standard and a zero alarm period.
      options_{kDefaultSystemStandard, kDefaultAlarmPeriod}, own_(own) {
    Reset();
}

void SiteEditor::ApplyRules() {
    const JudgingRules& rules = own_ ? *own_ : options_;
    site_.SystemStandard = rules.Standard;
    site_.AlarmPeriod = rules.AlarmPeriod;
}

void SiteEditor::SaveOptions() {
    SiteState stored;
    stored.SystemStandard = options_.Standard;
    stored.AlarmPeriod = options_.AlarmPeriod;
    SaveSettings(settings_, stored);
}

bool SiteEditor::Ready() const {
    return controls_.PanelSelected >= 0 && controls_.BatterySelected >= 0;
}

void SiteEditor::UpdateSupply() {
    result_.Supply = brellic::UpdateSupply(site_, controls_.AcFailChecked, texts_, separator_);
}

void SiteEditor::UpdateTotals() {
    result_.Totals = brellic::UpdateTotals(site_, devices_, controls_.PanelSelected >= 0,
                                           controls_.BatterySelected >= 0, texts_, separator_);
    UpdateEnabling();
}

void SiteEditor::Reset() {
    site_.PanelIndex = -1;
    site_.SystemGrade = -1;
    site_.SiteFileName.clear();
    // The store holds the Options' values; a value it cannot give keeps the
    // one before.
    SiteState loaded;
    loaded.SystemStandard = options_.Standard;
    loaded.AlarmPeriod = options_.AlarmPeriod;
    SettingsNotices notices = LoadSettings(settings_, loaded);
    options_ = {loaded.SystemStandard, loaded.AlarmPeriod};
    ApplyRules();
    // Said once a run: New loads the settings again, and the same complaint
    // before every new site would only be in the way.
    for (std::string* notice : {&notices.StoreFailure, &notices.AlarmPeriod}) {
        if (notice->empty() || std::find(told_.begin(), told_.end(), *notice) != told_.end())
            continue;
        prompter_.ShowError(*notice);
        told_.push_back(std::move(*notice));
    }
    site_.Modified = false;
    GradeChanged(controls_.GradeIndex, Origin::Program);
}

void SiteEditor::GradeChanged(int gradeIndex, Origin origin) {
    controls_.GradeIndex = gradeIndex;
    const int grade = gradeIndex + 1;
    if (grade == site_.SystemGrade && origin == Origin::User)
        return;

    if (site_.PanelIndex == -1) {
        site_.SystemGrade = grade;
        FillPanelList(grade, -1);
    } else if (grade <= PanelTable[static_cast<std::size_t>(site_.PanelIndex)].MaxGrade) {
        site_.SystemGrade = grade;
        FillPanelList(grade, site_.PanelIndex);
    } else if (prompter_.Confirm(GradeQuestion(
                   PanelTable[static_cast<std::size_t>(site_.PanelIndex)].Name, grade))) {
        site_.SystemGrade = grade;
        FillPanelList(grade, -1);
    } else {
        controls_.GradeIndex = site_.SystemGrade - 1;
        return;
    }

    site_.Modified = origin == Origin::User;
    RemoveDevicesBelowGrade();
    UpdateEnabling();
    UpdateTotals();
}

void SiteEditor::FillPanelList(int grade, int keep) {
    if (keep == -1) {
        controls_.BatteryItems.clear();
        controls_.BatterySelected = -1;
    }
    controls_.PanelItems.clear();
    for (int row : PanelsForGrade(grade))
        controls_.PanelItems.emplace_back(PanelTable[static_cast<std::size_t>(row)].Name);
    controls_.PanelSelected = -1;
    if (keep == -1) {
        site_.PanelIndex = -1;
    } else {
        controls_.PanelSelected = PanelPosition(PanelTable[static_cast<std::size_t>(keep)].Name);
        site_.PanelIndex = keep;
    }
    controls_.AcFailEnabled = grade == 3;
    controls_.AcFailChecked = false;
    UpdateSupply();
}

int SiteEditor::PanelPosition(std::string_view name) const {
    int position = -1;
    for (std::size_t i = 0; i < controls_.PanelItems.size(); ++i) {
        if (controls_.PanelItems[i] == name)
            position = static_cast<int>(i);
    }
    return position;
}

void SiteEditor::PanelChanged(int panelPosition, Origin origin) {
    const int count = static_cast<int>(controls_.PanelItems.size());
    controls_.PanelSelected = panelPosition >= 0 && panelPosition < count ? panelPosition : -1;
    site_.Modified = origin == Origin::User;
    if (controls_.PanelSelected >= 0) {
        const int row = FindPanelByName(
            controls_.PanelItems[static_cast<std::size_t>(controls_.PanelSelected)]);
        if (row >= 0)
            site_.PanelIndex = row;
    }
    controls_.BatteryItems.clear();
    controls_.BatterySelected = -1;
    site_.BatteryCapacity = 0;
    for (int row : BatteriesForPanel(site_.PanelIndex))
        controls_.BatteryItems.emplace_back(BatteryTable[static_cast<std::size_t>(row)]);
    UpdateSupply();
    UpdateEnabling();
    UpdateTotals();
}

void SiteEditor::BatteryChanged(int batteryPosition, Origin origin) {
    const int count = static_cast<int>(controls_.BatteryItems.size());
    controls_.BatterySelected =
        batteryPosition >= 0 && batteryPosition < count ? batteryPosition : -1;
    site_.Modified = origin == Origin::User;
    if (site_.PanelIndex < 0)
        return;
    if (controls_.BatterySelected >= 0)
        site_.BatteryCapacity = ParseBatteryCapacity(
            controls_.BatteryItems[static_cast<std::size_t>(controls_.BatterySelected)]);
    UpdateSupply();
    UpdateEnabling();
    UpdateTotals();
}

void SiteEditor::AcFailClicked(bool checked) {
    controls_.AcFailChecked = checked;
    UpdateSupply();
    UpdateTotals();
}

bool SiteEditor::SiteRefChanged(const std::string& text) {
    if (!IsCp1252Text(text))
        return false;
    controls_.SiteRef = std::string(Utf8Prefix(text, kSiteTextCapacity));
    site_.Modified = true;
    return true;
}

void SiteEditor::UpdateEnabling() {
    const bool ready = Ready();
    Enabling& e = controls_.Enabled;
    e.lbDevices = e.btnAdd = e.mnuSaveAs = e.mnuGenReport = ready;
    e.btnEdit = e.btnDelete = ready && !devices_.Empty();
    e.mnuSave = ready && !site_.SiteFileName.empty();
}

void SiteEditor::RemoveDevicesBelowGrade() {
    if (devices_.Empty())
        return;
    std::vector<bool> below(DeviceList::kCapacity, false);
    bool any = false;
    for (std::size_t i = 0; i < devices_.Count(); ++i) {
        if (devices_.At(i).Data.Grade < site_.SystemGrade)
            below[i] = any = true;
    }
    if (!any || !prompter_.ErrorQuestion(kRemoveBelowGradeQuestion))
        return;
    // From the highest position down, so the lower positions stay valid.
    for (std::size_t i = DeviceList::kCapacity; i-- > 0;) {
        if (below[i]) {
            devices_.Remove(i);
            if (deviceRemoved_)
                deviceRemoved_(i);
        }
    }
    controls_.DeviceSelected = -1;
}

void SiteEditor::New() {
    if (!OfferToSave())
        return;
    Clear();
}

void SiteEditor::Clear() {
    devices_.ClearDevices();
    controls_.DeviceSelected = -1;
    controls_.SiteRef.clear();
    Reset();
}

std::int32_t SiteEditor::OptionsStandard() const {
    return options_.Standard;
}

std::int32_t SiteEditor::OptionsAlarmPeriod() const {
    return options_.AlarmPeriod;
}

void SiteEditor::JudgeUnder(std::int32_t standard, std::int32_t alarmPeriod) {
    own_ = JudgingRules{standard, alarmPeriod};
    ApplyRules();
    UpdateSupply();
    UpdateTotals();
}

void SiteEditor::JudgeUnderOptions() {
    if (!own_)
        return;
    own_.reset();
    ApplyRules();
    UpdateSupply();
    UpdateTotals();
}

bool SiteEditor::CloseQuery() {
    // Nothing is written when the user turns back from closing.
    if (!OfferToSave())
        return false;
    SaveOptions();
    return true;
}

// Asks whether to save an edited site before it is closed or replaced. True
// when the command may go on; false when the user cancelled, or chose to
// save and the save was cancelled or failed, so nothing unsaved is lost.
bool SiteEditor::OfferToSave() {
    if (!site_.Modified || site_.PanelIndex < 0 || controls_.BatterySelected < 0)
        return true;
    switch (prompter_.AskToSave(kSaveQuestion)) {
    case Prompter::SaveAnswer::No:
        return true;
    case Prompter::SaveAnswer::Cancel:
        return false;
    case Prompter::SaveAnswer::Yes:
        break;
    }
    return Save(site_.SiteFileName.empty()) == SaveOutcome::Saved;
}

void SiteEditor::SelectDevice(int position) {
    controls_.DeviceSelected =
        position >= 0 && position < static_cast<int>(devices_.Count()) ? position : -1;
}

void SiteEditor::btnAddClick(const DeviceDialog::ShowModal& show) {
    if (site_.PanelIndex < 0)
        return;
    if (devices_.Full()) {
        prompter_.ShowError(DeviceListFullMessage());
        return;
    }
    DeviceDialog dialog;
    TDeviceData entry;
    const unsigned family = PanelTable[static_cast<std::size_t>(site_.PanelIndex)].FamilyId;
    if (!dialog.ExecuteAdd(family, site_.SystemGrade, entry, show, separator_))
        return;
    devices_.Append(entry, separator_);
    site_.Modified = true;
    UpdateTotals();
}

void SiteEditor::btnEditClick(const DeviceDialog::ShowModal& show) {
    const int position = controls_.DeviceSelected;
    if (position < 0 || position >= static_cast<int>(devices_.Count()) || site_.PanelIndex < 0)
        return;
    TDeviceData working = devices_.At(static_cast<std::size_t>(position)).Data;
    DeviceDialog dialog;
    const unsigned family = PanelTable[static_cast<std::size_t>(site_.PanelIndex)].FamilyId;
    if (!dialog.ExecuteEdit(family, site_.SystemGrade, working, show, separator_))
        return;
    devices_.Update(static_cast<std::size_t>(position), working, separator_);
    site_.Modified = true;
    UpdateTotals();
}

void SiteEditor::btnDeleteClick() {
    const int position = controls_.DeviceSelected;
    if (devices_.Empty() || position < 0 || position >= static_cast<int>(devices_.Count()))
        return;
    if (!prompter_.Confirm(kDeleteQuestion))
        return;
    devices_.Remove(static_cast<std::size_t>(position));
    if (deviceRemoved_)
        deviceRemoved_(static_cast<std::size_t>(position));
    controls_.DeviceSelected = -1;
    site_.Modified = true;
    UpdateTotals();
}

void SiteEditor::Options1Click(const ExecuteOptions& execute) {
    JudgingRules chosen = options_;
    if (!execute(chosen.Standard, chosen.AlarmPeriod))
        return;
    // An installation's own standard and period stay in force.
    options_ = chosen;
    ApplyRules();
    // Stored at once, not only when the window closes: New reloads the stored
    // settings, and a crash or a logoff would lose them.
    SaveOptions();
    UpdateSupply();
    UpdateTotals();
}

} // namespace brellic
