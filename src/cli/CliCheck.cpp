#include "cli/CliCheck.h"

#include "calc/CableRuns.h"
#include "calc/ResultTexts.h"
#include "cli/Cli.h"
#include "editor/SiteCheck.h"
#include "io/InstallationFile.h"
#include "io/SiteJson.h"
#include "model/Globals.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>

namespace brellic {

namespace {

// A figure as JSON: the shortest text that reads back to the same double,
// or null for one that is not finite.
struct Number {
    double Value;
};

std::ostream& operator<<(std::ostream& out, Number number) {
    if (!std::isfinite(number.Value))
        return out << "null";
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, number.Value);
    return out.write(text, result.ptr - text);
}

// A text as a JSON string. File names need not be UTF-8; what is not comes
// out as U+FFFD rather than as a broken document.
struct String {
    std::string_view Text;
};

std::ostream& operator<<(std::ostream& out, String string) {
    // Most texts are plain ASCII with nothing to escape, the table's names
    // and the notes always: they go out as they are.
    const bool plain = std::all_of(string.Text.begin(), string.Text.end(), [](char c) {
        return c >= 0x20 && c < 0x7F && c != '"' && c != '\\';
    });
    if (plain)
        return out << '"' << string.Text << '"';
    std::string text = nlohmann::json(std::string(string.Text))
                           .dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    // The library escapes the C0 controls only; a terminal may act on a C1
    // control too, which a site file's text can hold (the five bytes
    // Windows-1252 leaves undefined read as such).
    for (std::size_t at = text.find('\xC2'); at != std::string::npos; at = text.find('\xC2', at)) {
        const auto next = static_cast<unsigned char>(at + 1 < text.size() ? text[at + 1] : 0);
        if (next < 0x80 || next > 0x9F) {
            ++at;
            continue;
        }
        constexpr char kHex[] = "0123456789abcdef";
        text.replace(at, 2, std::string("\\u00") + kHex[next >> 4] + kHex[next & 0xF]);
    }
    return out << text;
}

const char* JsonWord(Outcome outcome) {
    switch (outcome) {
    case Outcome::Meets:
        return "meets";
    case Outcome::Fails:
        return "fails";
    case Outcome::Undefined:
    case Outcome::NotJudged:
        break;
    }
    return "undefined";
}

// The text form has two words: what does not meet a requirement fails it.
const char* TextWord(Outcome outcome) {
    return outcome == Outcome::Meets ? "meets" : "fails";
}

// Why a file is unusable, on one line, as standard error shows it.
std::string OneLine(std::string message) {
    std::replace_if(
        message.begin(), message.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return message;
}

// The "runs" member that ends every site object, on the object's one line:
// a supply's cable runs, none for a site file.
struct Runs {
    const InstallationSupply* Supply = nullptr;
    const std::vector<RunResult>* Results = nullptr;
};

std::ostream& operator<<(std::ostream& out, Runs runs) {
    out << ", \"runs\": [";
    const std::size_t count = runs.Supply ? runs.Supply->Runs.size() : 0;
    for (std::size_t i = 0; i < count; ++i) {
        const CableRun& run = runs.Supply->Runs[i];
        const RunResult& result = (*runs.Results)[i];
        const double none = std::numeric_limits<double>::quiet_NaN();
        out << (i == 0 ? "{\"name\": " : ", {\"name\": ") << String{run.Name}
            << ", \"lengthM\": " << Number{run.LengthM}
            << ", \"ohmsPerMetrePerCore\": " << Number{run.OhmsPerMetrePerCore}
            << ", \"coresPositive\": " << run.CoresPositive
            << ", \"coresNegative\": " << run.CoresNegative
            << ", \"quiescentAmps\": " << Number{result.QuiescentAmps}
            << ", \"alarmAmps\": " << Number{result.AlarmAmps}
            << ", \"loopOhms\": " << Number{result.LoopOhms}
            << ", \"lowestVoltsQuiescent\": " << Number{result.LowestVoltsQuiescent}
            << ", \"lowestVoltsAlarm\": " << Number{result.LowestVoltsAlarm}
            << ", \"minVolts\": " << Number{run.MinVolts} << ", \"verdict\": \""
            << JsonWord(result.State)
            << "\", \"longestM\": " << Number{result.LongestM.value_or(none)}
            << ", \"thinnestCable\": ";
        if (result.ThinnestCable)
            out << String{kCableTable[*result.ThinnestCable].Name};
        else
            out << "null";
        out << ", \"coresToMeet\": ";
        if (result.CoresToMeet)
            out << *result.CoresToMeet;
        else
            out << "null";
        out << '}';
    }
    return out << ']';
}

void WriteJsonSite(std::ostream& out, const std::string& path, const CheckedSite& site,
                   const std::string& error, const std::string* supplyName = nullptr,
                   Runs runs = {}) {
    out << "    {\"file\": " << String{path};
    if (supplyName)
        out << ", \"supply\": " << String{*supplyName};
    out << ", \"error\": ";
    if (!error.empty()) {
        out << String{OneLine(error)};
        for (const char* name :
             {"siteReference", "grade", "panelName", "batteryName", "batteryAh", "deviceLines",
              "requiredStandbyHours", "quiescentTotalAmps", "alarmTotalAmps", "actualStandbyHours",
              "standby", "peakCurrentAmps", "alarmCurrent", "notes"})
            out << ", \"" << name << "\": null";
        out << runs << '}';
        return;
    }
    const SiteFileData& file = site.File;
    const SupplyResult& supply = site.Result.Supply;
    const TotalsResult& totals = site.Result.Totals;
    const std::vector<int> batteries = BatteriesForPanel(file.Panel);
    const std::string_view battery =
        BatteryTable[static_cast<std::size_t>(batteries[static_cast<std::size_t>(file.Battery)])];
    const double none = std::numeric_limits<double>::quiet_NaN();
    out << "null, \"siteReference\": " << String{file.SiteRef} << ", \"grade\": " << file.Grade
        << ", \"panelName\": " << String{PanelTable[static_cast<std::size_t>(file.Panel)].Name}
        << ", \"batteryName\": " << String{battery}
        << ", \"batteryAh\": " << Number{static_cast<double>(supply.BatteryCapacity)}
        << ", \"deviceLines\": " << file.Devices.size()
        << ", \"requiredStandbyHours\": " << supply.StandbyHours
        << ", \"quiescentTotalAmps\": " << Number{totals.QuiescentTotal}
        << ", \"alarmTotalAmps\": " << Number{totals.AlarmTotal} << ", \"actualStandbyHours\": "
        << Number{totals.ActualStandbyDefined ? totals.ActualStandby : none} << ", \"standby\": \""
        << JsonWord(totals.Standby.State)
        << "\", \"peakCurrentAmps\": " << Number{supply.PeakCurrent} << ", \"alarmCurrent\": \""
        << JsonWord(totals.AlarmCurrent.State) << "\", \"notes\": [" << String{totals.Standby.Note}
        << ", " << String{totals.AlarmCurrent.Note} << "]" << runs << '}';
}

// One line per cable run, after its supply's line.
void WriteRunLines(std::ostream& out, const std::string& label, const InstallationSupply& supply,
                   const std::vector<RunResult>& results, char separator) {
    for (std::size_t i = 0; i < supply.Runs.size(); ++i)
        out << label << ' ' << String{supply.Name} << " run " << String{supply.Runs[i].Name} << ": "
            << RunCheckText(supply.Runs[i], results[i], separator) << '\n';
}

} // namespace

int CheckSites(const std::vector<std::string>& files, const CheckRun& run, std::ostream& out) {
    // The JSON form names the site; neither form prints a device's description.
    const SiteTexts texts = run.Json ? SiteTexts::SiteRefOnly : SiteTexts::Skip;
    int status = kCliOk;
    std::size_t meet = 0;
    std::size_t fail = 0;
    std::size_t unusable = 0;
    std::string standbyFigure;
    std::string peakFigure;

    if (run.Json)
        out << "{\n  \"format\": \"brellic-check\",\n  \"version\": 1,\n  \"standard\": \""
            << StandardName(run.SystemStandard)
            << "\",\n  \"alarmPeriodMinutes\": " << run.AlarmPeriod << ",\n  \"sites\": [";
    bool first = true;
    std::size_t entries = 0;
    std::ostringstream installations; // the JSON "installations" members, in order
    for (const std::string& path : files) {
        if (IsInstallationFileName(path)) {
            // Always judged under its own standard and alarm period.
            const InstallationResult read = ReadInstallationFile(path);
            if (!read) {
                run.PrintError(read.Error);
                status = kCliError;
                ++unusable;
                ++entries;
                if (run.Json) {
                    out << (first ? "\n" : ",\n");
                    first = false;
                    WriteJsonSite(out, path, CheckedSite{}, read.Error);
                }
                continue;
            }
            const Installation& installation = read.Data;
            std::size_t supplyMeet = 0;
            std::int32_t grade = 0;
            for (std::size_t i = 0; i < installation.Supplies.size(); ++i) {
                const InstallationSupply& supply = installation.Supplies[i];
                const std::string label = path + "#" + std::to_string(i + 1);
                grade = grade == 0 ? supply.Site.Grade : std::min(grade, supply.Site.Grade);
                CheckedSite site;
                std::optional<SiteResult> result;
                if (std::optional<SiteFileData> file = SiteFileOf(supply.Site)) {
                    site.File = std::move(*file);
                    result = JudgeSite(site.File, installation.Standard,
                                       installation.AlarmPeriodMinutes);
                }
                ++entries;
                // The runs are judged whether or not the supply can be.
                const std::vector<RunResult> runs = CalculateRuns(supply);
                if (!result) {
                    ++fail;
                    if (status == kCliOk)
                        status = kCliFails;
                    if (run.Json) {
                        out << (first ? "\n" : ",\n");
                        first = false;
                        WriteJsonSite(out, label, site, "not judged (no panel or battery chosen)",
                                      &supply.Name, {&supply, &runs});
                    } else {
                        out << label << ' ' << String{supply.Name}
                            << ": not judged (no panel or battery chosen)\n";
                        WriteRunLines(out, label, supply, runs, run.DecimalSeparator);
                    }
                    continue;
                }
                site.Result = std::move(*result);
                const TotalsResult& totals = site.Result.Totals;
                if (totals.Standby.Meets() && totals.AlarmCurrent.Meets() && RunsMeet(runs)) {
                    ++meet;
                    ++supplyMeet;
                } else {
                    ++fail;
                    if (status == kCliOk)
                        status = kCliFails;
                }
                if (run.Json) {
                    out << (first ? "\n" : ",\n");
                    first = false;
                    WriteJsonSite(out, label, site, {}, &supply.Name, {&supply, &runs});
                } else {
                    AssignActualStandby(standbyFigure, totals, run.DecimalSeparator);
                    AssignActualPeak(peakFigure, totals, run.DecimalSeparator);
                    out << label << ' ' << String{supply.Name} << ": standby "
                        << TextWord(totals.Standby.State) << " (" << standbyFigure
                        << "), alarm current " << TextWord(totals.AlarmCurrent.State) << " ("
                        << peakFigure << ")\n";
                    WriteRunLines(out, label, supply, runs, run.DecimalSeparator);
                }
            }
            const std::size_t count = installation.Supplies.size();
            const bool meets = supplyMeet == count;
            if (run.Json) {
                installations << (installations.tellp() > 0 ? ",\n" : "\n")
                              << "    {\"file\": " << String{path}
                              << ", \"name\": " << String{installation.Name} << ", \"standard\": \""
                              << StandardName(installation.Standard)
                              << "\", \"alarmPeriodMinutes\": " << installation.AlarmPeriodMinutes
                              << ", \"supplies\": " << count << ", \"meet\": " << supplyMeet
                              << ", \"verdict\": \"" << (meets ? "meets" : "fails")
                              << "\", \"grade\": " << grade << '}';
            } else {
                out << path << ": installation " << (meets ? "meets" : "fails") << " ("
                    << supplyMeet << " of " << count << " supplies meet)\n";
            }
            out.flush();
            continue;
        }
        ++entries;
        // One site at a time: nothing of a site outlives its line.
        const CheckedSite site = CheckSiteFile(path, run.SystemStandard, run.AlarmPeriod, texts);
        const TotalsResult& totals = site.Result.Totals;
        if (!site.Error.empty()) {
            run.PrintError(site.Error);
            status = kCliError;
            ++unusable;
        } else if (totals.Standby.Meets() && totals.AlarmCurrent.Meets()) {
            ++meet;
        } else {
            ++fail;
            if (status == kCliOk)
                status = kCliFails;
        }

        // Each verdict is out before the next file is looked at.
        if (run.Json) {
            out << (first ? "\n" : ",\n");
            first = false;
            WriteJsonSite(out, path, site, site.Error);
            out.flush();
        } else if (site.Error.empty()) {
            AssignActualStandby(standbyFigure, totals, run.DecimalSeparator);
            AssignActualPeak(peakFigure, totals, run.DecimalSeparator);
            out << path << ": standby " << TextWord(totals.Standby.State) << " (" << standbyFigure
                << "), alarm current " << TextWord(totals.AlarmCurrent.State) << " (" << peakFigure
                << ")\n"
                << std::flush;
        }
    }
    if (run.Json)
        out << (first ? "],\n" : "\n  ],\n")
            << (installations.tellp() > 0
                    ? "  \"installations\": [" + installations.str() + "\n  ],\n"
                    : std::string())
            << "  \"summary\": {\"sites\": " << entries << ", \"meet\": " << meet
            << ", \"fail\": " << fail << ", \"unusable\": " << unusable << "}\n}\n";
    return status;
}

} // namespace brellic
