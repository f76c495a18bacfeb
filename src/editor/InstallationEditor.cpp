#include "editor/InstallationEditor.h"

#include "editor/Limits.h"
#include "io/Cp1252.h"
#include "io/InstallationFile.h"
#include "io/SiteFile.h"
#include "io/SiteJson.h"
#include "model/Format.h"
#include "model/Globals.h"

#include <algorithm>
#include <utility>

namespace brellic {

namespace {

// A new supply starts as the window does: grade 2, nothing chosen.
SupplySite NewSupplySite() {
    SupplySite site;
    site.Grade = 2;
    return site;
}

} // namespace

std::string DuplicateName(const std::string& name,
                          const std::vector<InstallationSupply>& supplies) {
    for (std::size_t n = 2;; ++n) {
        const std::string suffix = " (" + FormatInt(static_cast<long long>(n)) + ")";
        std::string candidate =
            std::string(Utf8Prefix(name, kSupplyNameCapacity - Utf8Length(suffix))) + suffix;
        if (std::none_of(supplies.begin(), supplies.end(),
                         [&](const InstallationSupply& s) { return s.Name == candidate; }))
            return candidate;
    }
}

InstallationEditor::InstallationEditor(SiteEditor& editor, Prompter& prompter)
    : editor_(editor), prompter_(prompter) {
    // A line the site editor removes leaves its run, and the runs' later
    // line numbers follow the list. While a supply loads, the one removed
    // from is already the chosen one.
    editor_.OnDeviceRemoved([this](std::size_t position) {
        if (open_ && chosen_ < installation_.Supplies.size()) {
            RemoveRunLine(installation_.Supplies[chosen_].Runs, position);
            modified_ = true;
        }
    });
}

InstallationEditor::~InstallationEditor() {
    editor_.OnDeviceRemoved({});
}

Installation InstallationEditor::Current() const {
    Installation current = installation_;
    if (open_ && chosen_ < current.Supplies.size())
        current.Supplies[chosen_].Site = editor_.CurrentSite();
    return current;
}

bool InstallationEditor::Modified() const {
    if (!open_)
        return false;
    return modified_ || editor_.Site().Modified ||
           !(editor_.CurrentSite() == installation_.Supplies[chosen_].Site);
}

// Takes the chosen supply back from the site editor; its edits become the
// installation's.
void InstallationEditor::KeepChosenEdits() {
    SupplySite site = editor_.CurrentSite();
    if (editor_.Site().Modified || !(site == installation_.Supplies[chosen_].Site))
        modified_ = true;
    installation_.Supplies[chosen_].Site = std::move(site);
    editor_.SetModified(false);
}

std::optional<std::size_t> InstallationEditor::KeepEditsForTarget() {
    if (!open_ || !target_ || *target_ >= installation_.Supplies.size())
        return std::nullopt;
    KeepChosenEdits();
    return target_;
}

void InstallationEditor::SetTarget(std::optional<std::size_t> index) {
    target_ = index && *index < SupplyCount() ? index : std::nullopt;
}

RunsLine InstallationEditor::ChosenRunsLine() const {
    if (!open_)
        return {};
    InstallationSupply supply = installation_.Supplies[chosen_];
    supply.Site = editor_.CurrentSite();
    return MakeRunsLine(CalculateRuns(supply));
}

void InstallationEditor::LoadSupply(std::size_t index) {
    chosen_ = index;
    target_ = index;
    // From an empty site, as a freshly opened window: the supply shown before
    // must not bring up a question about its panel or devices.
    editor_.Clear();
    editor_.LoadSite(installation_.Supplies[index].Site);
    // Loading may have answered a question that changed the site (devices
    // below the grade removed): that is an edit.
    if (!(editor_.CurrentSite() == installation_.Supplies[index].Site))
        modified_ = true;
}

void InstallationEditor::BeginEditing(Installation installation, std::string fileName) {
    installation_ = std::move(installation);
    fileName_ = std::move(fileName);
    open_ = true;
    modified_ = false;
    editor_.JudgeUnder(installation_.Standard, installation_.AlarmPeriodMinutes);
    LoadSupply(0);
}

bool InstallationEditor::OfferToSave() {
    if (!Modified())
        return true;
    switch (prompter_.AskToSave(kInstallationSaveQuestion)) {
    case Prompter::SaveAnswer::No:
        editor_.SetModified(false);
        return true;
    case Prompter::SaveAnswer::Cancel:
        return false;
    case Prompter::SaveAnswer::Yes:
        break;
    }
    return Save(fileName_.empty()) == SaveOutcome::Saved;
}

bool InstallationEditor::Close() {
    if (!open_)
        return true;
    if (!OfferToSave())
        return false;
    CloseWithoutAsking();
    return true;
}

void InstallationEditor::CloseWithoutAsking() {
    open_ = false;
    installation_ = {};
    fileName_.clear();
    modified_ = false;
    chosen_ = 0;
    target_.reset();
    editor_.JudgeUnderOptions();
    editor_.SetModified(false);
}

std::string InstallationEditor::FreeName() const {
    for (std::size_t n = 1;; ++n) {
        std::string name = "Supply " + FormatInt(static_cast<long long>(n));
        if (NameFault(name, installation_.Supplies.size()).empty())
            return name;
    }
}

std::string InstallationEditor::NameFault(const std::string& name, std::size_t index) const {
    if (name.empty())
        return "A supply needs a name.";
    if (!IsOneLineCp1252(name))
        return "A supply's name must be one line of characters a site file can hold.";
    if (Utf8Length(name) > kSupplyNameCapacity)
        return "A supply's name holds at most " + LimitText(kSupplyNameCapacity) + " characters.";
    for (std::size_t i = 0; i < installation_.Supplies.size(); ++i) {
        if (i != index && installation_.Supplies[i].Name == name)
            return "Another supply is already named \"" + name + "\".";
    }
    return {};
}

bool InstallationEditor::NewInstallation() {
    if (open_ ? !Close() : !editor_.OfferToSave())
        return false;
    Installation installation;
    installation.Standard = editor_.OptionsStandard();
    installation.AlarmPeriodMinutes = editor_.OptionsAlarmPeriod();
    installation.Supplies.push_back({"Supply 1", NewSupplySite()});
    BeginEditing(std::move(installation), {});
    return true;
}

void InstallationEditor::ChooseSupply(std::size_t index) {
    if (!open_ || index >= installation_.Supplies.size())
        return;
    target_ = index;
    if (index == chosen_)
        return;
    KeepChosenEdits();
    LoadSupply(index);
}

void InstallationEditor::AddSupply() {
    if (!open_)
        return;
    if (installation_.Supplies.size() >= kMaxSupplies) {
        prompter_.ShowError(InstallationFullMessage());
        return;
    }
    KeepChosenEdits();
    installation_.Supplies.push_back({FreeName(), NewSupplySite()});
    modified_ = true;
    LoadSupply(installation_.Supplies.size() - 1);
}

void InstallationEditor::DuplicateSupply() {
    if (!open_ || !target_)
        return;
    if (installation_.Supplies.size() >= kMaxSupplies) {
        prompter_.ShowError(InstallationFullMessage());
        return;
    }
    const std::optional<std::size_t> from = KeepEditsForTarget();
    if (!from)
        return;
    // Everything the supply holds, its cable runs too, under a name of its own.
    InstallationSupply copy = installation_.Supplies[*from];
    copy.Name = DuplicateName(copy.Name, installation_.Supplies);
    installation_.Supplies.insert(
        installation_.Supplies.begin() + static_cast<std::ptrdiff_t>(*from + 1), std::move(copy));
    modified_ = true;
    LoadSupply(*from + 1);
}

void InstallationEditor::MoveSupply(int step) {
    const std::optional<std::size_t> from = KeepEditsForTarget();
    if (!from)
        return;
    const std::ptrdiff_t to = static_cast<std::ptrdiff_t>(*from) + step;
    if (to < 0 || to >= static_cast<std::ptrdiff_t>(installation_.Supplies.size()))
        return;
    const auto place = static_cast<std::size_t>(to);
    std::swap(installation_.Supplies[*from], installation_.Supplies[place]);
    // The site editor keeps the chosen supply wherever it now stands.
    if (chosen_ == *from)
        chosen_ = place;
    else if (chosen_ == place)
        chosen_ = *from;
    target_ = place;
    modified_ = true;
}

void InstallationEditor::AddSupplyFromSiteFile() {
    if (!open_)
        return;
    if (installation_.Supplies.size() >= kMaxSupplies) {
        prompter_.ShowError(InstallationFullMessage());
        return;
    }
    const std::optional<std::string> path = prompter_.OpenFileName();
    if (!path || path->empty())
        return;
    const SiteFileResult read = ReadSiteFile(*path);
    if (!read) {
        prompter_.ShowError(read.Message);
        return;
    }
    KeepChosenEdits();
    // Named after the file where that makes a good name.
    std::string name = SupplyNameOf(*path, SupplySiteOf(read.Data), SupplyNaming::FileName);
    if (!NameFault(name, installation_.Supplies.size()).empty())
        name = FreeName();
    installation_.Supplies.push_back({name, SupplySiteOf(read.Data)});
    modified_ = true;
    LoadSupply(installation_.Supplies.size() - 1);
}

void InstallationEditor::RenameSupply() {
    const std::optional<std::size_t> index = KeepEditsForTarget();
    if (!index)
        return;
    const std::string old = installation_.Supplies[*index].Name;
    const std::optional<std::string> name =
        prompter_.AskText("Rename Supply", "New name for \"" + old + "\":", old,
                          [this, &old, at = *index](const std::string& text) {
                              return text == old ? std::string() : NameFault(text, at);
                          });
    if (!name || *name == old)
        return;
    if (const std::string fault = NameFault(*name, *index); !fault.empty()) {
        prompter_.ShowError(fault);
        return;
    }
    installation_.Supplies[*index].Name = *name;
    modified_ = true;
}

void InstallationEditor::RemoveSupply() {
    const std::optional<std::size_t> index = KeepEditsForTarget();
    if (!index)
        return;
    if (installation_.Supplies.size() <= 1) {
        prompter_.ShowError("An installation holds at least one supply.");
        return;
    }
    if (!prompter_.Confirm("Are you sure you want to remove the supply \"" +
                           installation_.Supplies[*index].Name + "\"?"))
        return;
    installation_.Supplies.erase(installation_.Supplies.begin() +
                                 static_cast<std::ptrdiff_t>(*index));
    modified_ = true;
    const std::size_t next = std::min(*index, installation_.Supplies.size() - 1);
    if (*index == chosen_) {
        LoadSupply(next);
    } else {
        // The site editor still holds the chosen supply, now one place on
        // when the removed one stood before it.
        if (*index < chosen_)
            --chosen_;
        target_ = next;
    }
}

void InstallationEditor::SaveSupplyAsSiteFile() {
    const std::optional<std::size_t> index = KeepEditsForTarget();
    if (!index)
        return;
    const InstallationSupply& supply = installation_.Supplies[*index];
    const std::optional<SiteFileData> file = SiteFileOf(supply.Site);
    if (!file) {
        prompter_.ShowError("The supply \"" + supply.Name +
                            "\" cannot be saved as a site file until its panel and battery are "
                            "chosen.");
        return;
    }
    const std::optional<std::string> path = prompter_.SaveFileName();
    if (!path || path->empty())
        return;
    if (const IoResult written = WriteSiteFile(*path, *file); !written)
        prompter_.ShowError(written.Message);
}

void InstallationEditor::Details() {
    if (!open_)
        return;
    std::string name = installation_.Name;
    std::string address = installation_.Address;
    std::int32_t standard = installation_.Standard;
    std::int32_t period = installation_.AlarmPeriodMinutes;
    if (!prompter_.EditDetails(name, address, standard, period))
        return;
    for (const std::string* text : {&name, &address}) {
        if (!IsOneLineCp1252(*text) || Utf8Length(*text) > kInstallationTextCapacity) {
            prompter_.ShowError("The installation's name and address must each be one line of at "
                                "most " +
                                LimitText(kInstallationTextCapacity) +
                                " characters a site file can hold.");
            return;
        }
    }
    if (period < kInstallationMinAlarmPeriod || period > kInstallationMaxAlarmPeriod) {
        prompter_.ShowError("The alarm period must be " + FormatInt(kInstallationMinAlarmPeriod) +
                            " to " + FormatInt(kInstallationMaxAlarmPeriod) + " minutes.");
        return;
    }
    standard = standard == 0 ? 0 : 1;
    if (name == installation_.Name && address == installation_.Address &&
        standard == installation_.Standard && period == installation_.AlarmPeriodMinutes)
        return;
    installation_.Name = name;
    installation_.Address = address;
    installation_.Standard = standard;
    installation_.AlarmPeriodMinutes = period;
    modified_ = true;
    editor_.JudgeUnder(standard, period);
}

void InstallationEditor::Options(const ShowOptions& show) {
    if (!open_) {
        editor_.Options1Click([&show](std::int32_t& standard, std::int32_t& period) {
            return show(standard, period, false);
        });
        return;
    }
    // The installation carries its own values, which only Installation
    // Details changes; the stored Options are for site files.
    std::int32_t standard = installation_.Standard;
    std::int32_t period = installation_.AlarmPeriodMinutes;
    show(standard, period, true);
}

InstallationSupply InstallationEditor::ChosenSupply() const {
    if (!open_ || !target_ || *target_ >= installation_.Supplies.size())
        return {};
    InstallationSupply supply = installation_.Supplies[*target_];
    if (*target_ == chosen_)
        supply.Site = editor_.CurrentSite();
    return supply;
}

bool InstallationEditor::SetCableRuns(double lowestOutputVolts, std::vector<CableRun> runs) {
    if (!open_ || !target_ || *target_ >= installation_.Supplies.size())
        return false;
    InstallationSupply& supply = installation_.Supplies[*target_];
    if (supply.LowestOutputVolts == lowestOutputVolts && supply.Runs == runs)
        return false;
    supply.LowestOutputVolts = lowestOutputVolts;
    supply.Runs = std::move(runs);
    modified_ = true;
    return true;
}

} // namespace brellic
