#include "cli/CliInstallation.h"

#include "cli/Cli.h"
#include "editor/Settings.h"
#include "editor/SiteOpening.h"
#include "io/AtomicFile.h"
#include "io/Cp1252.h"
#include "io/InstallationFile.h"
#include "io/SiteFile.h"
#include "io/SiteJson.h"
#include "model/Format.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <optional>
#include <ostream>
#include <system_error>
#include <vector>

namespace brellic {

// An installation takes the alarm periods the Options dialog offers.
static_assert(kInstallationMinAlarmPeriod == kMinAlarmPeriod &&
              kInstallationMaxAlarmPeriod == kMaxAlarmPeriod);

namespace {

void PrintError(std::ostream& err, std::string message) {
    std::replace_if(
        message.begin(), message.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    err << "brellic-cli: " << message << '\n';
}

std::filesystem::path FsPath(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Utf8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

// The site of a site file as combine takes it: what export and then import
// would take, so that split gives the same file back.
std::optional<SiteFileData> ReadSiteToCombine(const std::string& path, std::ostream& err) {
    const SiteFileResult read = ReadSiteFile(path);
    if (read.Status == SiteFileStatus::TooShort) {
        PrintError(err, TooShortMessage(path));
        return std::nullopt;
    }
    if (!read) {
        PrintError(err, read.Message);
        return std::nullopt;
    }
    std::string fault = CheckSiteData(read.Data);
    if (fault.empty())
        fault = CheckImportedSite(read.Data);
    if (!fault.empty()) {
        PrintError(err, "Cannot combine " + QuotedPath(path) + ": " + fault + ".");
        return std::nullopt;
    }
    return read.Data;
}

// The supply's name, or empty with a message printed when the site has no
// reference and the file's name cannot name it.
std::string SupplyName(const std::string& path, const SiteFileData& site, std::ostream& err) {
    std::string name = SupplyNameOf(path, SupplySiteOf(site), SupplyNaming::SiteReference);
    if (name.empty())
        PrintError(err, "Cannot combine " + QuotedPath(path) +
                            ": the site has no reference, and the file's name cannot name "
                            "its supply (only Windows-1252 characters fit); give the site a "
                            "reference.");
    return name;
}

} // namespace

int CombineSites(const CliOptions& options, std::ostream& err) {
    if (options.Files.size() > kMaxSupplies) {
        PrintError(err, "Cannot combine " +
                            FormatInt(static_cast<long long>(options.Files.size())) +
                            " site files: an installation holds at most " +
                            FormatInt(static_cast<long long>(kMaxSupplies)) + " supplies.");
        return kCliError;
    }
    Installation installation;
    installation.Name = options.Name.value_or("");
    // RunCli has filled both in from the stored settings where left out.
    installation.Standard = options.Standard.value_or(kDefaultSystemStandard) == 0 ? 0 : 1;
    installation.AlarmPeriodMinutes = options.AlarmPeriod.value_or(kDefaultAlarmPeriod);

    // Every file is looked at, so that one run names every unusable one.
    bool usable = true;
    std::vector<const std::string*> sources; // the file of each supply
    for (const std::string& path : options.Files) {
        const std::optional<SiteFileData> site = ReadSiteToCombine(path, err);
        if (!site) {
            usable = false;
            continue;
        }
        std::string name = SupplyName(path, *site, err);
        if (name.empty()) {
            usable = false;
            continue;
        }
        const auto same =
            std::find_if(installation.Supplies.begin(), installation.Supplies.end(),
                         [&name](const InstallationSupply& supply) { return supply.Name == name; });
        if (same != installation.Supplies.end()) {
            const std::string& other =
                *sources[static_cast<std::size_t>(same - installation.Supplies.begin())];
            PrintError(err, "Cannot combine " + QuotedPath(path) + ": its supply would be named " +
                                Quoted(name) + ", as the supply of " + QuotedPath(other) +
                                " is; supply names must be unique.");
            usable = false;
            continue;
        }
        installation.Supplies.push_back({std::move(name), SupplySiteOf(*site)});
        sources.push_back(&path);
    }
    if (!usable)
        return kCliError;
    if (IoResult written = WriteInstallationFile(*options.Output, installation); !written) {
        PrintError(err, std::move(written.Message));
        return kCliError;
    }
    return kCliOk;
}

namespace {

void PrintWarning(std::ostream& err, std::string message) {
    PrintError(err, "warning: " + std::move(message));
}

// "supply-07.KVR", the name split gives supply 7; any case, as a folder on
// Windows matches it.
bool IsSupplyFileName(std::string_view name) {
    constexpr std::string_view kStart = "supply-";
    constexpr std::string_view kEnd = ".kvr";
    if (name.size() != kStart.size() + 2 + kEnd.size())
        return false;
    const auto lower = [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    };
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char c = lower(name[i]);
        if (i < kStart.size()       ? c != kStart[i]
            : i < kStart.size() + 2 ? c < '0' || c > '9'
                                    : c != kEnd[i - kStart.size() - 2])
            return false;
    }
    return true;
}

std::string SupplyFileName(std::size_t position) {
    return "supply-" + FormatIntMin(static_cast<long long>(position + 1), 2) + ".KVR";
}

// "a", "a and b", "a, b and c".
std::string Listed(const std::vector<std::string>& items) {
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i)
        text += (i == 0 ? "" : i + 1 == items.size() ? " and " : ", ") + items[i];
    return text;
}

// A figure of volts as the installation file gives it.
std::string Volts(double volts) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, volts);
    return std::string(text, result.ptr) + " V";
}

// What the site files of a split leave behind: a line for the installation,
// then one for each supply that has more than its site.
void WarnWhatIsNotKept(const Installation& installation, std::ostream& err) {
    std::vector<std::string> own;
    if (!installation.Name.empty())
        own.push_back("name");
    if (!installation.Address.empty())
        own.push_back("address");
    own.push_back("standard (" + std::string(StandardName(installation.Standard)) + ")");
    own.push_back("alarm period (" + FormatInt(installation.AlarmPeriodMinutes) + " minutes)");
    PrintWarning(err, "installation" +
                          (installation.Name.empty() ? "" : " " + Quoted(installation.Name)) +
                          ": its " + Listed(own) + " are not kept in a site file");
    for (std::size_t i = 0; i < installation.Supplies.size(); ++i) {
        const InstallationSupply& supply = installation.Supplies[i];
        std::vector<std::string> lost;
        // The site reference is what a site file names its site by.
        if (supply.Name != supply.Site.SiteRef)
            lost.push_back("its name");
        if (supply.Runs.size() == 1)
            lost.push_back("its cable run");
        else if (!supply.Runs.empty())
            lost.push_back("its " + FormatInt(static_cast<long long>(supply.Runs.size())) +
                           " cable runs");
        if (supply.LowestOutputVolts != kDefaultLowestOutputVolts)
            lost.push_back("its lowest output voltage, " + Volts(supply.LowestOutputVolts));
        if (lost.empty())
            continue;
        const bool plural = lost.size() > 1 || supply.Runs.size() > 1;
        PrintWarning(err, "supply " + FormatInt(static_cast<long long>(i + 1)) + " " +
                              Quoted(supply.Name) + ": " + Listed(lost) +
                              (plural ? " are" : " is") + " not kept in a site file");
    }
}

// Why split may not write or remove the supply file at path, or empty: it
// must be a plain file, never a link that would carry the write elsewhere,
// and never the installation being split.
std::string CheckSupplyFile(const std::filesystem::path& path, const std::string& input) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::symlink_status(path, error);
    const std::string name = QuotedPath(Utf8(path));
    if (std::filesystem::is_symlink(status))
        return "Cannot write " + name + ": it is a symbolic link, not a file";
    if (std::filesystem::is_directory(status))
        return "Cannot write " + name + ": it is a folder, not a file";
    if (!std::filesystem::is_regular_file(status))
        return "Cannot write " + name + ": it is not a file";
    if (std::filesystem::equivalent(path, FsPath(input), error))
        return "Cannot write " + name + ": it is the installation being split";
    return {};
}

} // namespace

int SplitInstallation(const CliOptions& options, std::ostream& err) {
    const std::string& path = options.Files.front();
    const InstallationResult read = ReadInstallationFile(path);
    if (!read) {
        PrintError(err, read.Error);
        return kCliError;
    }
    // Nothing is written unless every supply can be.
    const std::vector<InstallationSupply>& supplies = read.Data.Supplies;
    for (std::size_t i = 0; i < supplies.size(); ++i) {
        const SupplySite& site = supplies[i].Site;
        if (site.Complete())
            continue;
        PrintError(err, "Cannot split " + QuotedPath(path) + ": supply " +
                            FormatInt(static_cast<long long>(i + 1)) + ", " +
                            Quoted(supplies[i].Name) + ", has no " +
                            (site.Panel ? "battery" : "panel") +
                            " yet, so it cannot be saved as a site file.");
        return kCliError;
    }

    const std::string& folder = *options.Output;
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(FsPath(folder), error);
    if (!std::filesystem::exists(status)) {
        PrintError(err, "Cannot write into " + QuotedPath(folder) + ": there is no such folder.");
        return kCliError;
    }
    if (!std::filesystem::is_directory(status)) {
        PrintError(err, "Cannot write into " + QuotedPath(folder) + ": it is not a folder.");
        return kCliError;
    }

    // The supply files already there: from an earlier split, perhaps of a
    // larger installation, and so replaced and removed only when asked.
    std::vector<std::filesystem::path> existing;
    for (std::filesystem::directory_iterator it(FsPath(folder), error), end; !error && it != end;
         it.increment(error)) {
        if (IsSupplyFileName(Utf8(it->path().filename())))
            existing.push_back(it->path());
    }
    if (error) {
        PrintError(err,
                   "Cannot read the folder " + QuotedPath(folder) + ": " + error.message() + ".");
        return kCliError;
    }
    std::sort(existing.begin(), existing.end());
    if (!existing.empty() && !options.Force) {
        std::vector<std::string> names;
        for (const std::filesystem::path& file : existing)
            names.push_back(PathText(Utf8(file.filename())));
        PrintError(err, "Cannot split " + QuotedPath(path) + ": " + QuotedPath(folder) +
                            " already holds " + Listed(names) +
                            "; --force replaces them and removes those the installation has no "
                            "supply for.");
        return kCliError;
    }
    for (const std::filesystem::path& file : existing) {
        if (std::string fault = CheckSupplyFile(file, path); !fault.empty()) {
            PrintError(err, fault + ".");
            return kCliError;
        }
    }

    std::vector<FileToWrite> files;
    for (std::size_t i = 0; i < supplies.size(); ++i)
        files.push_back({Utf8(FsPath(folder) / FsPath(SupplyFileName(i))),
                         EncodeSiteFile(*SiteFileOf(supplies[i].Site))});
    if (IoResult written = WriteFilesTogether(files); !written) {
        PrintError(err, std::move(written.Message));
        return kCliError;
    }
    // What an earlier, larger split left, now that its replacements are in.
    for (const std::filesystem::path& file : existing) {
        // By the file, not its name: a folder on Windows takes supply-01.kvr
        // for supply-01.KVR.
        const auto same = [&file](const FileToWrite& written) {
            std::error_code ignored;
            return std::filesystem::equivalent(file, FsPath(written.Path), ignored);
        };
        if (std::any_of(files.begin(), files.end(), same))
            continue;
        if (!std::filesystem::remove(file, error)) {
            PrintError(err,
                       "Cannot remove " + QuotedPath(Utf8(file)) + ": " + error.message() + ".");
            return kCliError;
        }
    }
    WarnWhatIsNotKept(read.Data, err);
    return kCliOk;
}

int ExportInstallation(const std::string& path, std::ostream& out, std::ostream& err) {
    const InstallationResult read = ReadInstallationFile(path);
    if (!read) {
        PrintError(err, read.Error);
        return kCliError;
    }
    out << InstallationToJson(read.Data);
    return kCliOk;
}

} // namespace brellic
