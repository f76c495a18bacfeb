#include "cli/CliArgs.h"

#include "editor/Settings.h"
#include "io/Cp1252.h"
#include "io/InstallationFile.h"
#include "model/Installation.h"
#include "BrellicVersion.h"

#include <algorithm>
#include <charconv>

namespace brellic {

namespace {

struct CommandInfo {
    std::string_view Name;
    CliCommand Command;
    bool TakesSettings; // --standard and --alarm-period
    bool TakesOutput;   // -o
    bool NeedsOutput;
    bool ManyFiles;
};

constexpr CommandInfo kCommands[] = {
    {"report", CliCommand::Report, true, true, false, false},
    {"check", CliCommand::Check, true, false, false, true},
    {"export", CliCommand::Export, false, false, false, false},
    {"import", CliCommand::Import, false, true, true, false},
    {"sheet", CliCommand::Sheet, true, true, true, false},
    {"combine", CliCommand::Combine, true, true, true, true},
    {"split", CliCommand::Split, false, true, true, false},
};

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) {
            return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

CliParseResult Fail(std::string message) {
    CliParseResult result;
    result.Error = std::move(message);
    return result;
}

// Options whose value may be the next argument: "-o FILE".
bool TakesNextArgument(std::string_view arg) {
    return arg == "-o" || arg == "--output" || arg == "--standard" || arg == "--alarm-period" ||
           arg == "--name";
}

// An installation's name goes into its file and reports as one line.
bool IsInstallationName(std::string_view text) {
    return IsOneLineCp1252(text) && Utf8Length(text) <= kInstallationTextCapacity;
}

// What -o names when a command needs it.
std::string_view OutputNeeded(CliCommand command) {
    switch (command) {
    case CliCommand::Sheet:
        return "-o SHEET.pdf or -o SHEET.html";
    case CliCommand::Combine:
        return "-o FILE.brellic";
    case CliCommand::Split:
        return "-o DIR";
    default:
        return "-o OUT.KVR";
    }
}

} // namespace

bool ReadsStoredSettings(const CliOptions& options) {
    for (const CommandInfo& info : kCommands) {
        if (info.Command != options.Command)
            continue;
        if (!info.TakesSettings || (options.Standard && options.AlarmPeriod))
            return false;
        // An installation carries its own standard and alarm period, so
        // installations alone are judged without the settings; combine makes
        // a new installation from the settings whatever its files.
        if (options.Command == CliCommand::Combine || options.Files.empty())
            return true;
        return !std::all_of(options.Files.begin(), options.Files.end(),
                            [](const std::string& path) { return IsInstallationFileName(path); });
    }
    return false;
}

std::optional<std::int32_t> ParseWholeNumber(std::string_view text) {
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::optional<SheetFormat> SheetFormatFor(std::string_view path) {
    const auto endsWith = [path](std::string_view extension) {
        return path.size() > extension.size() &&
               EqualsIgnoringCase(path.substr(path.size() - extension.size()), extension);
    };
    if (endsWith(".pdf"))
        return SheetFormat::Pdf;
    if (endsWith(".html") || endsWith(".htm"))
        return SheetFormat::Html;
    return std::nullopt;
}

std::optional<std::int32_t> ParseStandard(std::string_view text) {
    if (EqualsIgnoringCase(text, "EN50131-1"))
        return 0;
    if (EqualsIgnoringCase(text, "PD6662"))
        return 1;
    return ParseWholeNumber(text);
}

CliParseResult ParseCliArguments(const std::vector<std::string>& args) {
    // Help, then the version, wins wherever an option may stand, even after a
    // mistake, but not as an option's value ("-o -h") nor after "--", where
    // it is a name.
    bool version = false;
    for (std::size_t i = 0; i < args.size() && args[i] != "--"; ++i) {
        if (args[i] == "--help" || args[i] == "-h")
            return {};
        version = version || args[i] == "--version";
        if (TakesNextArgument(args[i]))
            ++i;
    }
    if (version) {
        CliParseResult result;
        result.Options.Command = CliCommand::Version;
        return result;
    }
    if (args.empty())
        return Fail("no command given");

    const CommandInfo* info = nullptr;
    for (const CommandInfo& candidate : kCommands) {
        if (args.front() == candidate.Name)
            info = &candidate;
    }
    if (info == nullptr)
        return Fail("unknown command '" + MessageText(args.front()) + "'");

    CliParseResult result;
    CliOptions& options = result.Options;
    options.Command = info->Command;
    bool optionsEnded = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg.front() != '-') {
            options.Files.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }

        // "--name value", "--name=value" and "-o value".
        std::string name = arg;
        std::optional<std::string> value;
        if (const std::size_t equals = arg.find('='); arg.starts_with("--") && equals != arg.npos) {
            name = arg.substr(0, equals);
            value = arg.substr(equals + 1);
        }
        const bool isStandard = name == "--standard";
        const bool isPeriod = name == "--alarm-period";
        const bool isOutput = name == "-o" || name == "--output";
        const bool isName = name == "--name";
        const bool isJson = name == "--json";
        const bool isForce = name == "--force";
        const bool known = ((isStandard || isPeriod) && info->TakesSettings) ||
                           (isOutput && info->TakesOutput) ||
                           (isName && info->Command == CliCommand::Combine) ||
                           (isJson && info->Command == CliCommand::Check) ||
                           (isForce && info->Command == CliCommand::Split);
        if (!known)
            return Fail("unknown option '" + MessageText(name) + "' for " +
                        std::string(info->Name));
        if (isJson || isForce) {
            bool& flag = isJson ? options.Json : options.Force;
            if (value)
                return Fail("option '" + name + "' takes no value");
            if (flag)
                return Fail("option '" + name + "' given twice");
            flag = true;
            continue;
        }
        if (!value) {
            if (i + 1 >= args.size())
                return Fail("option '" + name + "' needs a value");
            value = args[++i];
        }

        if (isOutput) {
            if (options.Output)
                return Fail("option '" + name + "' given twice");
            if (value->empty())
                return Fail("option '" + name + "' needs a file name");
            options.Output = *value;
        } else if (isName) {
            if (options.Name)
                return Fail("option '--name' given twice");
            if (!IsInstallationName(*value))
                return Fail("--name takes one line of at most " +
                            std::to_string(kInstallationTextCapacity) +
                            " Windows-1252 characters, not '" + MessageText(*value) + "'");
            options.Name = *value;
        } else if (isStandard) {
            if (options.Standard)
                return Fail("option '--standard' given twice");
            options.Standard = ParseStandard(*value);
            if (!options.Standard)
                return Fail("--standard takes EN50131-1, PD6662 or a whole number, not '" +
                            MessageText(*value) + "'");
        } else {
            if (options.AlarmPeriod)
                return Fail("option '--alarm-period' given twice");
            options.AlarmPeriod = ParseWholeNumber(*value);
            if (!options.AlarmPeriod)
                return Fail("--alarm-period takes a whole number of minutes, not '" +
                            MessageText(*value) + "'");
            // The Options dialog's range: outside it the alarm load is no
            // longer a load at all (a negative period charges the battery).
            if (*options.AlarmPeriod < kMinAlarmPeriod || *options.AlarmPeriod > kMaxAlarmPeriod)
                return Fail("--alarm-period takes " + std::to_string(kMinAlarmPeriod) + " to " +
                            std::to_string(kMaxAlarmPeriod) + " minutes, not '" +
                            MessageText(*value) + "'");
        }
    }

    const std::string command(info->Name);
    if (options.Files.empty())
        return Fail(command + " needs a file");
    if (!info->ManyFiles && options.Files.size() > 1)
        return Fail(command + " takes one file, not " + std::to_string(options.Files.size()));
    const bool sheet = info->Command == CliCommand::Sheet;
    if (info->NeedsOutput && !options.Output)
        return Fail(command + " needs " + std::string(OutputNeeded(info->Command)));
    // An installation's name tells it from a site file; written under
    // another name it would stand where a site file is looked for.
    if (info->Command == CliCommand::Combine && !IsInstallationFileName(*options.Output))
        return Fail("combine writes a .brellic file, not '" + PathText(*options.Output) + "'");
    if (sheet && !SheetFormatFor(*options.Output))
        return Fail("sheet writes a .pdf or an .html file, not '" + PathText(*options.Output) +
                    "'");
    return result;
}

std::string CliUsage() {
    return "Usage:\n"
           "  brellic-cli report [--standard STD] [--alarm-period MINUTES] [-o FILE] SITE.KVR\n"
           "      Writes the site's report, byte for byte as Generate Report writes\n"
           "      Report.Txt, to standard output or to FILE. Given an installation\n"
           "      (FILE.brellic), writes its Report.Txt: a header with every supply's\n"
           "      verdicts and the system's, then each supply's own site report, each\n"
           "      followed by the supply's cable runs.\n"
           "  brellic-cli check [--standard STD] [--alarm-period MINUTES] [--json] SITE.KVR...\n"
           "      Prints one line per site with its standby and alarm-current verdicts.\n"
           "      Exit status 0 when every site meets both requirements, 1 when any\n"
           "      requirement fails, 2 when any file cannot be used.\n"
           "      With --json, prints one JSON document instead (see below).\n"
           "      Installation files (FILE.brellic) may be mixed with site files: one\n"
           "      line per supply, FILE.brellic#N \"NAME\": ..., N counted from 1 (a\n"
           "      supply with no panel or battery yet is \"not judged\" and does not\n"
           "      meet), each followed by one line per cable run, FILE.brellic#N\n"
           "      \"NAME\" run \"RUN\": 10.12 V at its lowest in alarm (needs 9.50 V),\n"
           "      meets; longest 84.0 m, then FILE.brellic: installation meets (or\n"
           "      fails) (M of N supplies meet). A run meets only when its lowest\n"
           "      voltages in standby and in alarm both reach what it needs; its line\n"
           "      gives the lower of the two. The longest is the run as laid out, every\n"
           "      distance and its length stretched alike, at the edge of meeting,\n"
           "      rounded down. A supply meets only when its cable runs meet too.\n"
           "      The exit status counts every supply. An installation is always\n"
           "      judged under its own standard and alarm period: --standard and\n"
           "      --alarm-period apply to site files only.\n"
           "  brellic-cli export SITE.KVR\n"
           "      Prints the site as JSON. Given an installation (FILE.brellic), prints\n"
           "      it as its file holds it, normalised.\n"
           "  brellic-cli import SITE.json -o OUT.KVR\n"
           "      Writes the site data file for a site given as JSON.\n"
           "  brellic-cli sheet [--standard STD] [--alarm-period MINUTES] SITE.KVR -o SHEET.pdf\n"
           "      Writes the site's calculation sheet as an A4 PDF, or as HTML when the\n"
           "      name ends in .html. Needs no display. Dated today, or on the day of\n"
           "      SOURCE_DATE_EPOCH (seconds since 1970, UTC) when that is set.\n"
           "      Given an installation (FILE.brellic), writes its sheet: an overview\n"
           "      of the supplies with the system's verdict, then each supply's sheet,\n"
           "      judged under the installation's own standard and alarm period.\n"
           "  brellic-cli combine [--name TEXT] [--standard STD] [--alarm-period MINUTES]\n"
           "                      -o FILE.brellic SITE.KVR...\n"
           "      Writes an installation with one supply per site file, in the order\n"
           "      given, named after the site reference (or the file's name when that\n"
           "      is empty). It keeps the standard and alarm period it is made with.\n"
           "      FILE's name must end in .brellic.\n"
           "  brellic-cli split [--force] FILE.brellic -o DIR\n"
           "      Writes each supply of the installation as DIR/supply-01.KVR,\n"
           "      DIR/supply-02.KVR, ... into the existing folder DIR, every file or\n"
           "      none. A supply with no panel or battery yet cannot be written. It\n"
           "      refuses a folder that already holds a supply-NN.KVR, unless --force\n"
           "      is given, and says on standard error what the site files cannot\n"
           "      hold: cable runs, lowest output voltages, the supplies' names and the\n"
           "      installation's name, address, standard and alarm period.\n"
           "  brellic-cli --version\n"
           "      Prints the version.\n"
           "  brellic-cli --help\n"
           "      Prints this text.\n"
           "\n"
           "Options:\n"
           "  --standard STD          EN50131-1, PD6662, or a stored value (0 is EN50131-1,\n"
           "                          any other PD6662)\n"
           "  --alarm-period MINUTES  the alarm period (bell duration) in whole minutes,\n"
           "                          1 to 120\n"
           "  -o, --output FILE       the file to write; it is replaced whole or not at all\n"
           "  --name TEXT             the installation's name, one line of at most 100\n"
           "                          characters\n"
           "  --force                 split: replace the supply-NN.KVR files in DIR and\n"
           "                          remove those the installation has no supply for\n"
           "\n"
           "A setting left out is the one the window would load; the tool never changes\n"
           "the stored settings. A site is opened as the window opens it, every question\n"
           "answered No. Numbers use the decimal separator of the locale (LC_ALL,\n"
           "LC_NUMERIC, LANG).\n"
           "\n"
           "JSON form:\n"
           "  {\"siteReference\": str, \"grade\": 1-3, \"panel\": 0-21, \"battery\": int,\n"
           "   \"acFailSignalled\": bool, \"devices\": [{\"qty\": int, \"description\": str,\n"
           "   \"grade\": int, \"quiescent\": number, \"alarm\": number}]}\n"
           "  panel is the row of the panel table, battery the position in that panel's\n"
           "  battery list, quiescent and alarm the line totals in amperes.\n"
           "\n"
           "check --json prints one document, for example (brellic-cli check --json\n"
           "--standard EN50131-1 --alarm-period 15 a.KVR):\n"
           "  {\n"
           "    \"format\": \"brellic-check\",\n"
           "    \"version\": 1,\n"
           "    \"standard\": \"EN50131-1\",\n"
           "    \"alarmPeriodMinutes\": 15,\n"
           "    \"sites\": [\n"
           "      {\"file\": \"a.KVR\", \"error\": null, \"siteReference\": \"Unit 4\", \"grade\": "
           "3,\n"
           "       \"panelName\": \"QX-320 Panel\", \"batteryName\": \"7.2 Ah\", \"batteryAh\": "
           "7.2,\n"
           "       \"deviceLines\": 2, \"requiredStandbyHours\": 30,\n"
           "       \"quiescentTotalAmps\": 0.14200000000000002, \"alarmTotalAmps\": 0.542,\n"
           "       \"actualStandbyHours\": 48.79577464788732, \"standby\": \"meets\",\n"
           "       \"peakCurrentAmps\": 1.25, \"alarmCurrent\": \"meets\",\n"
           "       \"notes\": [\"System standby time meets the requirement.\",\n"
           "                 \"Alarm current meets the requirement.\"],\n"
           "       \"runs\": []}\n"
           "    ],\n"
           "    \"summary\": {\"sites\": 1, \"meet\": 1, \"fail\": 0, \"unusable\": 0}\n"
           "  }\n"
           "  standby and alarmCurrent are \"meets\", \"fails\" or \"undefined\" (a figure\n"
           "  cannot be computed; that counts as failing); notes are the window's comments\n"
           "  on them. Figures are the calculation's own, unrounded, in amperes, hours\n"
           "  and ampere-hours; one that is not finite is null. A file that cannot be\n"
           "  used has its \"error\", null for every later member and no \"runs\" (a\n"
           "  supply not judged yet still has its runs). The exit status is the text\n"
           "  form's. Each supply of an installation is a member of \"sites\",\n"
           "  with \"file\" set to FILE.brellic#N and \"supply\" holding its name, and\n"
           "  \"installations\" follows \"sites\": [{\"file\", \"name\", \"standard\",\n"
           "  \"alarmPeriodMinutes\", \"supplies\", \"meet\", \"verdict\", \"grade\"}],\n"
           "  grade being the lowest of the supplies'. The top-level \"standard\" and\n"
           "  \"alarmPeriodMinutes\" are those of the site files. \"runs\" holds a\n"
           "  supply's cable runs, none for a site file: [{\"name\", \"lengthM\",\n"
           "  \"ohmsPerMetrePerCore\", \"coresPositive\", \"coresNegative\",\n"
           "  \"quiescentAmps\", \"alarmAmps\", \"loopOhms\", \"lowestVoltsQuiescent\",\n"
           "  \"lowestVoltsAlarm\", \"minVolts\", \"verdict\", \"longestM\" (null for\n"
           "  any length, as when nothing drops, and for a figure that is not\n"
           "  finite), \"thinnestCable\" (null when no cable of the table meets),\n"
           "  \"coresToMeet\" (null when 4 do not)}], figures in amperes, ohms, volts\n"
           "  and metres.\n"
           "  Members are only ever added in later versions.\n";
}

std::string CliVersion() {
    return std::string("brellic-cli ") + kVersion + "\n";
}

} // namespace brellic
