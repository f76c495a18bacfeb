#include "editor/InstallationEditor.h"

#include "calc/ResultTexts.h"
#include "editor/Limits.h"
#include "editor/SiteCheck.h"
#include "editor/SilentPrompter.h"
#include "io/Cp1252.h"
#include "io/InstallationFile.h"
#include "io/SiteFile.h"
#include "io/SiteJson.h"
#include "model/Format.h"
#include "model/Globals.h"

#include <algorithm>
#include <filesystem>
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

Overview MakeOverview(const Installation& installation) {
    Overview overview;
    InstallationRow& total = overview.Installation;
    total.Supplies = installation.Supplies.size();
    for (const InstallationSupply& supply : installation.Supplies) {
        SupplyRow row;
        row.Name = supply.Name;
        row.Grade = supply.Site.Grade;
        if (supply.Site.Panel && *supply.Site.Panel >= 0 && *supply.Site.Panel < kPanelCount) {
            row.Panel = PanelTable[static_cast<std::size_t>(*supply.Site.Panel)].Name;
            const std::vector<int> batteries = BatteriesForPanel(*supply.Site.Panel);
            if (supply.Site.Battery && *supply.Site.Battery >= 0 &&
                static_cast<std::size_t>(*supply.Site.Battery) < batteries.size())
                row.Battery = BatteryTable[static_cast<std::size_t>(
                    batteries[static_cast<std::size_t>(*supply.Site.Battery)])];
        }
        if (const std::optional<SiteFileData> file = SiteFileOf(supply.Site)) {
            if (std::optional<SiteResult> result =
                    JudgeSite(*file, installation.Standard, installation.AlarmPeriodMinutes)) {
                row.Judged = true;
                row.Result = std::move(*result);
            }
        }
        row.Runs = CalculateRuns(supply);
        total.Meeting += row.Meets();
        if (total.Grade == 0 || row.Grade < total.Grade) {
            total.GradesDiffer = total.GradesDiffer || total.Grade != 0;
            total.Grade = row.Grade;
        } else if (row.Grade != total.Grade) {
            total.GradesDiffer = true;
        }
        overview.Supplies.push_back(std::move(row));
    }
    total.Meets = total.Supplies > 0 && total.Meeting == total.Supplies;
    return overview;
}

std::string CountOf(std::size_t part, std::size_t whole) {
    return FormatInt(static_cast<long long>(part)) + " of " +
           FormatInt(static_cast<long long>(whole));
}

SupplyMark MarkOf(const SupplyRow& row) {
    if (!row.Judged)
        return SupplyMark::NotJudged;
    return row.Meets() ? SupplyMark::Meets : SupplyMark::Fails;
}

OverviewTexts MakeOverviewTexts(const Overview& overview, char separator) {
    OverviewTexts texts;
    for (const SupplyRow& row : overview.Supplies) {
        OverviewLine line;
        line.Name = row.Name;
        line.Panel = row.Panel;
        line.Battery = row.Battery;
        line.Grade = FormatInt(row.Grade);
        if (!row.Judged) {
            line.RequiredStandby = line.ActualStandby = line.AlarmCurrent = line.PeakAvailable =
                "---";
            line.Verdict = "not judged";
        } else {
            const SiteResult& result = row.Result;
            line.RequiredStandby = FormatInt(result.Supply.StandbyHours) + " Hours";
            AssignActualStandby(line.ActualStandby, result.Totals, separator);
            AssignActualPeak(line.AlarmCurrent, result.Totals, separator);
            AssignFixed(line.PeakAvailable, {}, result.Supply.PeakCurrent, 2, separator, " Amps");
            line.StandbyColour = VerdictColour(result.Totals.Standby.State);
            line.AlarmColour = VerdictColour(result.Totals.AlarmCurrent.State);
            line.Verdict = row.Meets() ? "meets" : "fails";
            line.VerdictColour = row.Meets() ? kVerdictMeets : kVerdictFails;
        }
        if (row.Runs.empty()) {
            line.CableRuns = "none";
        } else {
            const std::size_t meeting = RunsMeeting(row.Runs);
            const bool all = meeting == row.Runs.size();
            line.CableRuns =
                all ? std::string("meet") : CountOf(meeting, row.Runs.size()) + " meet";
            line.CableRunsColour = all ? kVerdictMeets : kVerdictFails;
        }
        texts.Lines.push_back(std::move(line));
    }

    const InstallationRow& total = overview.Installation;
    OverviewLine line;
    line.Name = "Installation";
    line.Grade = FormatInt(total.Grade);
    const std::string count = CountOf(total.Meeting, total.Supplies);
    line.Panel = count + " supplies meet";
    line.Verdict = total.Meets ? "meets" : "fails";
    line.VerdictColour = total.Meets ? kVerdictMeets : kVerdictFails;
    texts.Lines.push_back(std::move(line));

    texts.Summary =
        std::string("The installation ") + (total.Meets ? "meets" : "fails") + ": " + count +
        " supplies meet every requirement. System grade " + FormatInt(total.Grade) +
        (total.GradesDiffer ? ", the lowest of its supplies' grades, which differ." : ".");
    texts.SummaryColour = total.Meets ? kVerdictMeets : kVerdictFails;
    return texts;
}

RunsLine MakeRunsLine(const std::vector<RunResult>& runs) {
    if (runs.empty())
        return {"Cable runs: none", kVerdictNone};
    const std::size_t meeting = RunsMeeting(runs);
    return {"Cable runs: " + CountOf(meeting, runs.size()) + " meet",
            meeting == runs.size() ? kVerdictMeets : kVerdictFails};
}

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
void InstallationEditor::Take() {
    SupplySite site = editor_.CurrentSite();
    if (editor_.Site().Modified || !(site == installation_.Supplies[chosen_].Site))
        modified_ = true;
    installation_.Supplies[chosen_].Site = std::move(site);
    editor_.SetModified(false);
}

std::optional<std::size_t> InstallationEditor::TakeTarget() {
    if (!open_ || !target_ || *target_ >= installation_.Supplies.size())
        return std::nullopt;
    Take();
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

void InstallationEditor::Show(std::size_t index) {
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

void InstallationEditor::Start(Installation installation, std::string fileName) {
    installation_ = std::move(installation);
    fileName_ = std::move(fileName);
    open_ = true;
    modified_ = false;
    editor_.JudgeUnder(installation_.Standard, installation_.AlarmPeriodMinutes);
    Show(0);
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
    Shut();
    return true;
}

void InstallationEditor::Shut() {
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
    Start(std::move(installation), {});
    return true;
}

void InstallationEditor::ChooseSupply(std::size_t index) {
    if (!open_ || index >= installation_.Supplies.size())
        return;
    target_ = index;
    if (index == chosen_)
        return;
    Take();
    Show(index);
}

void InstallationEditor::AddSupply() {
    if (!open_)
        return;
    if (installation_.Supplies.size() >= kMaxSupplies) {
        prompter_.ShowError(InstallationFullMessage());
        return;
    }
    Take();
    installation_.Supplies.push_back({FreeName(), NewSupplySite()});
    modified_ = true;
    Show(installation_.Supplies.size() - 1);
}

void InstallationEditor::DuplicateSupply() {
    if (!open_ || !target_)
        return;
    if (installation_.Supplies.size() >= kMaxSupplies) {
        prompter_.ShowError(InstallationFullMessage());
        return;
    }
    const std::optional<std::size_t> from = TakeTarget();
    if (!from)
        return;
    // Everything the supply holds, its cable runs too, under a name of its own.
    InstallationSupply copy = installation_.Supplies[*from];
    copy.Name = DuplicateName(copy.Name, installation_.Supplies);
    installation_.Supplies.insert(
        installation_.Supplies.begin() + static_cast<std::ptrdiff_t>(*from + 1), std::move(copy));
    modified_ = true;
    Show(*from + 1);
}

void InstallationEditor::MoveSupply(int step) {
    const std::optional<std::size_t> from = TakeTarget();
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
    Take();
    // Named after the file where that makes a good name.
    const std::u8string stem = std::filesystem::path(*path).stem().u8string();
    std::string name(stem.begin(), stem.end());
    if (!NameFault(name, installation_.Supplies.size()).empty())
        name = FreeName();
    installation_.Supplies.push_back({name, SupplySiteOf(read.Data)});
    modified_ = true;
    Show(installation_.Supplies.size() - 1);
}

void InstallationEditor::RenameSupply() {
    const std::optional<std::size_t> index = TakeTarget();
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
    const std::optional<std::size_t> index = TakeTarget();
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
        Show(next);
    } else {
        // The site editor still holds the chosen supply, now one place on
        // when the removed one stood before it.
        if (*index < chosen_)
            --chosen_;
        target_ = next;
    }
}

void InstallationEditor::SaveSupplyAsSiteFile() {
    const std::optional<std::size_t> index = TakeTarget();
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
    Shut();
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
    Start(std::move(read.Data), path);
    return true;
}

SaveOutcome InstallationEditor::Save(bool saveAs) {
    if (!open_)
        return SaveOutcome::Cancelled;
    Take();
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
    Start(std::move(installation), *chosen);
    return SaveOutcome::Saved;
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

std::string InstallationEditor::ReportText() const {
    return InstallationReport(Current(), editor_.DecimalSeparator());
}

std::string InstallationReport(const Installation& installation, char separator) {
    const Overview overview = MakeOverview(installation);
    std::string utf8;
    const auto line = [&utf8](const std::string& text) { utf8 += text + "\r\n"; };
    line("Installation Report");
    line("");
    line("Installation: " + installation.Name);
    line("Address: " + installation.Address);
    line("Standard: " + std::string(StandardName(installation.Standard)));
    line("Alarm period: " + FormatInt(installation.AlarmPeriodMinutes) + " minutes");
    line("");
    for (std::size_t i = 0; i < overview.Supplies.size(); ++i) {
        const SupplyRow& row = overview.Supplies[i];
        std::string text = FormatInt(static_cast<long long>(i + 1)) + ". " + row.Name + ": ";
        if (!row.Judged)
            text += "not judged (no panel or battery chosen)";
        else
            text += "standby " + std::string(OutcomeWord(row.Result.Totals.Standby.State)) +
                    ", alarm current " +
                    std::string(OutcomeWord(row.Result.Totals.AlarmCurrent.State));
        if (!row.Runs.empty()) {
            text += std::string(", cable runs ") + (RunsMeet(row.Runs) ? "meet" : "fail") + " (" +
                    CountOf(RunsMeeting(row.Runs), row.Runs.size()) + " meet)";
        }
        line(text);
    }
    line("");
    const InstallationRow& total = overview.Installation;
    line(std::string("System: ") + (total.Meets ? "meets" : "fails") + " (" +
         CountOf(total.Meeting, total.Supplies) + " supplies meet)");
    line("System grade: " + FormatInt(total.Grade) +
         (total.GradesDiffer ? " (the lowest of its supplies' grades, which differ)" : ""));
    std::string report = Utf8ToCp1252Lossy(utf8);

    MemorySettingsStore store;
    SilentPrompter silent;
    for (std::size_t i = 0; i < installation.Supplies.size(); ++i) {
        const InstallationSupply& supply = installation.Supplies[i];
        report += Utf8ToCp1252Lossy("\r\n=== Supply " + FormatInt(static_cast<long long>(i + 1)) +
                                    ": " + supply.Name + " ===\r\n\r\n");
        if (!overview.Supplies[i].Judged) {
            report += "Not judged: no panel or battery chosen.\r\n";
        } else {
            // The report this supply gives as a site opened on its own.
            SiteEditor site(store, silent, separator);
            site.JudgeUnder(installation.Standard, installation.AlarmPeriodMinutes);
            site.LoadSite(supply.Site);
            report += site.ReportText();
        }
        const std::vector<std::string> runs =
            RunReportLines(supply, overview.Supplies[i].Runs, separator);
        if (!runs.empty())
            report += "\r\n";
        for (const std::string& text : runs)
            report += Utf8ToCp1252Lossy(text + "\r\n");
    }
    return report;
}

} // namespace brellic
