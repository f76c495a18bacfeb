#include "cli/CliInstallation.h"

#include "cli/Cli.h"
#include "editor/Settings.h"
#include "io/Cp1252.h"
#include "io/InstallationFile.h"
#include "io/SiteFile.h"
#include "io/SiteJson.h"
#include "model/Format.h"

#include <algorithm>
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

bool HasControlCharacter(std::string_view text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
}

// The site of a site file as combine takes it: what export and then import
// would take, so that split gives the same file back.
std::optional<SiteFileData> ReadSiteToCombine(const std::string& path, std::ostream& err) {
    const SiteFileResult read = ReadSiteFile(path);
    if (read.Status == SiteFileStatus::TooShort) {
        PrintError(err, "Cannot open \"" + path + "\": the file is shorter than one site record (" +
                            FormatInt(kSiteFileSize) + " bytes).");
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
        PrintError(err, "Cannot combine \"" + path + "\": " + fault + ".");
        return std::nullopt;
    }
    return read.Data;
}

// The site reference, or else the file's name without its extension, cut
// to what a supply name holds; empty, with a message printed, when the file's
// name cannot be one.
std::string SupplyName(const std::string& path, const SiteFileData& site, std::ostream& err) {
    if (!site.SiteRef.empty())
        return site.SiteRef; // at most 50 characters, as the site file holds it
    const std::string stem = Utf8(FsPath(path).stem());
    if (stem.empty() || HasControlCharacter(stem) || !IsCp1252Text(stem)) {
        PrintError(err, "Cannot combine \"" + path +
                            "\": the site has no reference, and the file's name cannot name "
                            "its supply (only Windows-1252 characters fit); give the site a "
                            "reference.");
        return {};
    }
    return std::string(Utf8Prefix(stem, kSupplyNameCapacity));
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
            PrintError(err, "Cannot combine \"" + path + "\": its supply would be named \"" + name +
                                "\", as the supply of \"" + other +
                                "\" is; supply names must be unique.");
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
        PrintError(err, "Cannot split \"" + path + "\": supply " +
                            FormatInt(static_cast<long long>(i + 1)) + ", \"" + supplies[i].Name +
                            "\", has no " + (site.Panel ? "battery" : "panel") +
                            " yet, so it cannot be saved as a site file.");
        return kCliError;
    }

    const std::string& folder = *options.Output;
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(FsPath(folder), error);
    if (!std::filesystem::exists(status)) {
        PrintError(err, "Cannot write into \"" + folder + "\": there is no such folder.");
        return kCliError;
    }
    if (!std::filesystem::is_directory(status)) {
        PrintError(err, "Cannot write into \"" + folder + "\": it is not a folder.");
        return kCliError;
    }
    for (std::size_t i = 0; i < supplies.size(); ++i) {
        const std::string number =
            (i + 1 < 10 ? "0" : "") + FormatInt(static_cast<long long>(i + 1));
        const std::string file = Utf8(FsPath(folder) / FsPath("supply-" + number + ".KVR"));
        if (IoResult written = WriteSiteFile(file, *SiteFileOf(supplies[i].Site)); !written) {
            PrintError(err, std::move(written.Message));
            return kCliError;
        }
    }
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
