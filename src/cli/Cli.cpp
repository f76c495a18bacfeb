#include "cli/Cli.h"

#include "cli/CliArgs.h"
#include "cli/CliSheet.h"
#include "cli/SiteJson.h"
#include "editor/SiteEditor.h"
#include "io/AtomicFile.h"
#include "io/SiteFile.h"
#include "model/Format.h"
#include "model/Globals.h"

#include <algorithm>
#include <ostream>

namespace brellic {

namespace {

// A JSON site is a few kilobytes; anything far larger is not one.
constexpr std::size_t kMaxJsonBytes = 1u << 20;

// Answers every question No, so that opening a site removes no device, and
// keeps the last error the editor reported.
class AnswerNo final : public Prompter {
public:
    bool Confirm(const std::string&) override { return false; }
    bool ErrorQuestion(const std::string&) override { return false; }
    void ShowError(const std::string& text) override { error = text; }
    std::optional<std::string> OpenFileName() override { return std::nullopt; }
    std::optional<std::string> SaveFileName() override { return std::nullopt; }

    std::string error;
};

void PrintError(std::ostream& err, std::string message) {
    std::replace_if(
        message.begin(), message.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    err << "brellic-cli: " << message << '\n';
}

std::string TooShortMessage(const std::string& path) {
    return "Cannot open \"" + path + "\": the file is shorter than one site record (" +
           FormatInt(kSiteFileSize) + " bytes).";
}

// The Options dialog cannot set such a period, so the user is told; the
// period is still used, as the window uses whatever value is stored.
void WarnAboutOptions(const CliOptions& options, std::ostream& err) {
    if (options.AlarmPeriod &&
        (*options.AlarmPeriod < kMinAlarmPeriod || *options.AlarmPeriod > kMaxAlarmPeriod))
        err << "brellic-cli: warning: --alarm-period " << *options.AlarmPeriod
            << " is outside the usual range of " << kMinAlarmPeriod << " to " << kMaxAlarmPeriod
            << " minutes; it is used as given.\n";
}

// Why the output may not be written, or empty: it must not be one of the
// inputs, which replacing it would destroy before or while it is read.
std::string CheckOutput(const CliOptions& options) {
    if (!options.Output)
        return {};
    for (const std::string& input : options.Files) {
        if (IsSameFile(*options.Output, input))
            return "Cannot write \"" + *options.Output + "\": it is the same file as the input \"" +
                   input + "\"";
    }
    return {};
}

// Sets each setting the options leave out to what a freshly started window
// would load. Fails, naming the file, where that window would have to say that
// its stored settings are not a file.
std::string FillInStoredSettings(CliOptions& options, const CliEnvironment& environment) {
    if (options.Standard && options.AlarmPeriod)
        return {};
    MemorySettingsStore defaults;
    std::unique_ptr<SettingsStore> stored;
    if (environment.StoredSettings)
        stored = environment.StoredSettings();
    AnswerNo prompter;
    const SiteEditor window(stored ? *stored : defaults, prompter, environment.DecimalSeparator);
    if (!prompter.error.empty())
        return prompter.error;
    if (!options.Standard)
        options.Standard = window.Site().SystemStandard;
    if (!options.AlarmPeriod)
        options.AlarmPeriod = window.Site().AlarmPeriod;
    return {};
}

// The two settings a site is opened with: the options, completed as above
// (RunCli has done that already, so the store is not read twice).
MemorySettingsStore ResolveSettings(const CliOptions& options, const CliEnvironment& environment) {
    CliOptions complete = options;
    FillInStoredSettings(complete, environment);
    MemorySettingsStore store;
    store.values[std::string(kSystemStandardValue)] =
        complete.Standard.value_or(kDefaultSystemStandard);
    store.values[std::string(kAlarmPeriodValue)] =
        complete.AlarmPeriod.value_or(kDefaultAlarmPeriod);
    return store;
}

// A site opened into a freshly started window (grade 2, no panel), every
// question answered No.
class OpenedSite {
public:
    OpenedSite(SettingsStore& settings, char separator) : editor_(settings, prompter_, separator) {}

    // Empty when the site is open with a panel and a battery selected;
    // otherwise why not, naming the file.
    std::string Open(const std::string& path) {
        if (!editor_.OpenFile(path))
            return prompter_.error.empty() ? TooShortMessage(path) : prompter_.error;
        if (editor_.View().Enabled.mnuGenReport)
            return {};
        const int row = editor_.Site().PanelIndex;
        const std::string panel =
            row >= 0 && row < kPanelCount
                ? "\"" + std::string(PanelTable[static_cast<std::size_t>(row)].Name) + "\""
                : "row " + FormatInt(row);
        if (editor_.View().PanelSelected < 0)
            return "Cannot use \"" + path + "\": its panel, " + panel +
                   ", cannot be used at grade " + FormatInt(editor_.Site().SystemGrade) +
                   ", so no panel is selected.";
        return "Cannot use \"" + path + "\": its battery position is not in the battery list of " +
               panel + ", so no battery is selected.";
    }

    const SiteEditor& Editor() const { return editor_; }

private:
    AnswerNo prompter_;
    SiteEditor editor_;
};

int Report(const CliOptions& options, std::ostream& out, std::ostream& err,
           const CliEnvironment& environment) {
    MemorySettingsStore settings = ResolveSettings(options, environment);
    OpenedSite site(settings, environment.DecimalSeparator);
    if (std::string error = site.Open(options.Files.front()); !error.empty()) {
        PrintError(err, std::move(error));
        return kCliError;
    }
    const std::string report = site.Editor().ReportText();
    if (options.Output) {
        if (IoResult written = WriteFileAtomically(*options.Output, report); !written) {
            PrintError(err, std::move(written.Message));
            return kCliError;
        }
        return kCliOk;
    }
    out.write(report.data(), static_cast<std::streamsize>(report.size()));
    return kCliOk;
}

const char* VerdictWord(const Rgb& colour) {
    return colour == kVerdictMeets ? "meets" : "fails";
}

int Check(const CliOptions& options, std::ostream& out, std::ostream& err,
          const CliEnvironment& environment) {
    MemorySettingsStore settings = ResolveSettings(options, environment);
    int status = kCliOk;
    for (const std::string& path : options.Files) {
        OpenedSite site(settings, environment.DecimalSeparator);
        if (std::string error = site.Open(path); !error.empty()) {
            PrintError(err, std::move(error));
            status = kCliError;
            continue;
        }
        const DisplayTexts& texts = site.Editor().Texts();
        out << path << ": standby " << VerdictWord(texts.lbActStandbyColor) << " ("
            << texts.lbActStandby << "), alarm current " << VerdictWord(texts.lbActPeakColor)
            << " (" << texts.lbActPeak << ")\n"
            << std::flush; // each verdict is out before the next file is looked at
        const bool meets =
            texts.lbActStandbyColor == kVerdictMeets && texts.lbActPeakColor == kVerdictMeets;
        if (!meets && status == kCliOk)
            status = kCliFails;
    }
    return status;
}

int Export(const CliOptions& options, std::ostream& out, std::ostream& err) {
    const std::string& path = options.Files.front();
    const SiteFileResult read = ReadSiteFile(path);
    if (read.Status == SiteFileStatus::TooShort) {
        PrintError(err, TooShortMessage(path));
        return kCliError;
    }
    if (!read) {
        PrintError(err, read.Message);
        return kCliError;
    }
    if (const std::string fault = CheckSiteData(read.Data); !fault.empty()) {
        PrintError(err, "Cannot export \"" + path + "\": " + fault + ".");
        return kCliError;
    }
    out << SiteToJson(read.Data);
    return kCliOk;
}

int Import(const CliOptions& options, std::ostream& err) {
    const std::string& path = options.Files.front();
    std::vector<unsigned char> bytes;
    if (IoResult read = ReadFileHead(path, kMaxJsonBytes + 1, bytes); !read) {
        PrintError(err, std::move(read.Message));
        return kCliError;
    }
    if (bytes.size() > kMaxJsonBytes) {
        PrintError(err, "Cannot import \"" + path + "\": the file is larger than " +
                            FormatInt(kMaxJsonBytes >> 20) + " MiB, too large for a site.");
        return kCliError;
    }
    const SiteJsonResult site =
        SiteFromJson(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    if (!site) {
        PrintError(err, "Cannot import \"" + path + "\": " + site.Error + ".");
        return kCliError;
    }
    if (IoResult written = WriteSiteFile(*options.Output, site.Data); !written) {
        PrintError(err, std::move(written.Message));
        return kCliError;
    }
    return kCliOk;
}

int Sheet(const CliOptions& options, std::ostream& err, const CliEnvironment& environment) {
    MemorySettingsStore settings = ResolveSettings(options, environment);
    OpenedSite site(settings, environment.DecimalSeparator);
    if (std::string error = site.Open(options.Files.front()); !error.empty()) {
        PrintError(err, std::move(error));
        return kCliError;
    }
    const std::string& path = *options.Output;
    const std::string sheet =
        RenderSheet(site.Editor().CalculationSheet(),
                    SheetFormatFor(path).value_or(SheetFormat::Pdf), environment.SheetDate);
    if (sheet.empty()) {
        PrintError(err, "Cannot write \"" + path + "\": the calculation sheet could not be made.");
        return kCliError;
    }
    if (IoResult written = WriteFileAtomically(path, sheet); !written) {
        PrintError(err, std::move(written.Message));
        return kCliError;
    }
    return kCliOk;
}

} // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           const CliEnvironment& environment) {
    const CliParseResult parsed = ParseCliArguments(args);
    if (!parsed) {
        PrintError(err, parsed.Error);
        err << '\n' << CliUsage();
        return kCliError;
    }
    CliOptions options = parsed.Options;
    WarnAboutOptions(options, err);
    if (std::string problem = CheckOutput(options); !problem.empty()) {
        PrintError(err, std::move(problem));
        return kCliError;
    }
    if (ReadsStoredSettings(options)) {
        if (std::string failure = FillInStoredSettings(options, environment); !failure.empty()) {
            PrintError(err, std::move(failure));
            return kCliError;
        }
    }
    int status = kCliOk;
    switch (options.Command) {
    case CliCommand::Help:
        out << CliUsage();
        break;
    case CliCommand::Version:
        out << CliVersion();
        break;
    case CliCommand::Report:
        status = Report(options, out, err, environment);
        break;
    case CliCommand::Check:
        status = Check(options, out, err, environment);
        break;
    case CliCommand::Export:
        status = Export(options, out, err);
        break;
    case CliCommand::Import:
        status = Import(options, err);
        break;
    case CliCommand::Sheet:
        status = Sheet(options, err, environment);
        break;
    }
    if (!out.flush()) {
        PrintError(err, "Cannot write to standard output.");
        return kCliError;
    }
    return status;
}

} // namespace brellic
