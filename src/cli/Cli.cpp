#include "cli/Cli.h"

#include "calc/SystemVerdict.h"
#include "cli/CliArgs.h"
#include "cli/CheckCommand.h"
#include "cli/CliInstallation.h"
#include "cli/SourceDate.h"
#include "editor/InstallationEditor.h"
#include "editor/InstallationSheetBuilder.h"
#include "editor/SiteOpening.h"
#include "io/SiteJson.h"
#include "editor/SiteEditor.h"
#include "editor/SilentPrompter.h"
#include "io/AtomicFile.h"
#include "io/Cp1252.h"
#include "io/InstallationFile.h"
#include "io/SiteFile.h"
#include "model/Format.h"
#include "model/Globals.h"

#include <algorithm>
#include <ostream>

namespace brellic {

namespace {

// A JSON site is a few kilobytes; anything far larger is not one.
constexpr std::size_t kMaxJsonBytes = 1u << 20;

// One line per message, whatever a file name in it holds.
void PrintLine(std::ostream& err, std::string_view prefix, std::string message) {
    std::replace_if(
        message.begin(), message.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    err << prefix << message << '\n';
}

void PrintError(std::ostream& err, std::string message) {
    PrintLine(err, "brellic-cli: ", std::move(message));
}

void PrintWarning(std::ostream& err, std::string message) {
    PrintLine(err, "brellic-cli: warning: ", std::move(message));
}

// Why the output may not be written, or empty: it must not be one of the
// inputs, which replacing it would destroy before or while it is read.
std::string CheckOutput(const CliOptions& options) {
    if (!options.Output)
        return {};
    for (const std::string& input : options.Files) {
        if (IsSameFile(*options.Output, input))
            return "Cannot write " + QuotedPath(*options.Output) +
                   ": it is the same file as the input " + QuotedPath(input);
    }
    return {};
}

// Sets each setting the options leave out to what a freshly started window
// would load, and passes on what that window would tell the user: the
// command still runs, with the defaults in place of what cannot be used.
void FillInStoredSettings(CliOptions& options, const CliEnvironment& environment,
                          std::ostream& err) {
    SiteState loaded;
    loaded.SystemStandard = kDefaultSystemStandard;
    loaded.AlarmPeriod = kDefaultAlarmPeriod;
    if (environment.StoredSettings) {
        if (const std::unique_ptr<SettingsStore> stored = environment.StoredSettings()) {
            const SettingsNotices notices = LoadSettings(*stored, loaded);
            if (!notices.StoreFailure.empty())
                PrintWarning(err, notices.StoreFailure);
            if (!notices.AlarmPeriod.empty() && !options.AlarmPeriod)
                PrintWarning(err, notices.AlarmPeriod);
        }
    }
    if (!options.Standard)
        options.Standard = loaded.SystemStandard;
    if (!options.AlarmPeriod)
        options.AlarmPeriod = loaded.AlarmPeriod;
}

// The two settings a site is opened with: the options, which RunCli has
// completed from the stored settings.
MemorySettingsStore ResolveSettings(const CliOptions& options) {
    MemorySettingsStore store;
    store.values[std::string(kSystemStandardValue)] =
        options.Standard.value_or(kDefaultSystemStandard);
    store.values[std::string(kAlarmPeriodValue)] =
        options.AlarmPeriod.value_or(kDefaultAlarmPeriod);
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
        if (!editor_.OpenFile(path)) {
            // The tool has always named a short file in its own words.
            if (ReadSiteFile(path).Status == SiteFileStatus::TooShort)
                return TooShortMessage(path);
            return prompter_.LastError();
        }
        // Usable when the judgement can judge the site as it was opened.
        const SupplySite site = editor_.CurrentSite();
        const int row = editor_.Site().PanelIndex;
        switch (FaultOf(site.Grade, site.Panel, site.Battery)) {
        case SiteFault::None:
            break;
        case SiteFault::Panel:
            return PanelNotAllowedMessage(path, row, editor_.Site().SystemGrade);
        case SiteFault::Battery:
            return BatteryNotListedMessage(path, row);
        }
        return {};
    }

    const SiteEditor& Editor() const { return editor_; }

private:
    SilentPrompter prompter_; // opening a site removes no device
    SiteEditor editor_;
};

int Report(const CliOptions& options, std::ostream& out, std::ostream& err,
           const CliEnvironment& environment) {
    const std::string& path = options.Files.front();
    std::string report;
    if (IsInstallationFileName(path)) {
        // Under the installation's own standard and alarm period.
        InstallationResult read = ReadInstallationFile(path);
        if (!read) {
            PrintError(err, std::move(read.Error));
            return kCliError;
        }
        report = InstallationReport(read.Data, environment.DecimalSeparator);
    } else {
        MemorySettingsStore settings = ResolveSettings(options);
        OpenedSite site(settings, environment.DecimalSeparator);
        if (std::string error = site.Open(path); !error.empty()) {
            PrintError(err, std::move(error));
            return kCliError;
        }
        report = site.Editor().ReportText();
    }
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

// check reads the files itself, without a window: it makes only the figures
// it prints.
int Check(const CliOptions& options, std::ostream& out, std::ostream& err,
          const CliEnvironment& environment) {
    MemorySettingsStore settings = ResolveSettings(options);
    SiteState loaded;
    loaded.SystemStandard = kDefaultSystemStandard;
    loaded.AlarmPeriod = kDefaultAlarmPeriod;
    LoadSettings(settings, loaded);
    CheckRun run;
    run.SystemStandard = loaded.SystemStandard;
    run.AlarmPeriod = loaded.AlarmPeriod;
    run.DecimalSeparator = environment.DecimalSeparator;
    run.Json = options.Json;
    run.PrintError = [&err](std::string message) { PrintError(err, std::move(message)); };
    return CheckSites(options.Files, run, out);
}

int Export(const CliOptions& options, std::ostream& out, std::ostream& err) {
    const std::string& path = options.Files.front();
    if (IsInstallationFileName(path))
        return ExportInstallation(path, out, err);
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
        PrintError(err, "Cannot export " + QuotedPath(path) + ": " + fault + ".");
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
        PrintError(err, "Cannot import " + QuotedPath(path) + ": the file is larger than " +
                            FormatInt(kMaxJsonBytes >> 20) + " MiB, too large for a site.");
        return kCliError;
    }
    const SiteJsonResult site =
        SiteFromJson(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    if (!site) {
        PrintError(err, "Cannot import " + QuotedPath(path) + ": " + site.Error + ".");
        return kCliError;
    }
    if (IoResult written = WriteSiteFile(*options.Output, site.Data); !written) {
        PrintError(err, std::move(written.Message));
        return kCliError;
    }
    return kCliOk;
}

// The sheet of a site file as the window opens it, or of an installation file
// under the installation's own standard and alarm period.
int Sheet(const CliOptions& options, std::ostream& err, const CliEnvironment& environment) {
    const std::string& input = options.Files.front();
    std::optional<InstallationSheetTexts> installation;
    std::optional<SiteSheetTexts> site;
    if (IsInstallationFileName(input)) {
        InstallationResult read = ReadInstallationFile(input);
        if (!read) {
            PrintError(err, std::move(read.Error));
            return kCliError;
        }
        installation = MakeInstallationSheetTexts(read.Data, environment.DecimalSeparator);
    } else {
        MemorySettingsStore settings = ResolveSettings(options);
        OpenedSite opened(settings, environment.DecimalSeparator);
        if (std::string error = opened.Open(input); !error.empty()) {
            PrintError(err, std::move(error));
            return kCliError;
        }
        site = opened.Editor().SheetTexts();
    }
    const std::string& path = *options.Output;
    std::optional<std::chrono::year_month_day> date = environment.SheetDate;
    if (!date && environment.SourceDateEpoch) {
        std::string warning;
        date = ParseSourceDateEpoch(*environment.SourceDateEpoch, warning);
        if (!warning.empty())
            PrintWarning(err, warning);
    }
    std::string problem;
    const SheetContent content = installation ? SheetContent(&*installation) : SheetContent(&*site);
    const std::string sheet =
        environment.RenderSheet
            ? environment.RenderSheet(content, SheetFormatFor(path).value_or(SheetFormat::Pdf),
                                      date, problem)
            : std::string();
    if (sheet.empty()) {
        PrintError(err, "Cannot write " + QuotedPath(path) +
                            ": the calculation sheet could not be made" +
                            (problem.empty() ? "." : ": " + problem + "."));
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
    if (std::string problem = CheckOutput(options); !problem.empty()) {
        PrintError(err, std::move(problem));
        return kCliError;
    }
    if (ReadsStoredSettings(options))
        FillInStoredSettings(options, environment, err);
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
    case CliCommand::Combine:
        status = CombineSites(options, err);
        break;
    case CliCommand::Split:
        status = SplitInstallation(options, err);
        break;
    }
    if (!out.flush()) {
        PrintError(err, "Cannot write to standard output.");
        return kCliError;
    }
    return status;
}

} // namespace brellic
