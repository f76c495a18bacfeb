#include "io/InstallationFile.h"

#include "io/AtomicFile.h"
#include "io/Cp1252.h"
#include "io/InstallationChecks.h"
#include "io/SiteJsonValue.h"
#include "model/Format.h"

#include <algorithm>
#include <charconv>
#include <utility>
#include <optional>
#include <vector>

namespace brellic {

namespace {

using site_json::Json;
using site_json::MemberReader;
using site_json::OrderedJson;
using namespace installation_checks;

constexpr std::string_view kEn50131 = "EN50131-1";
constexpr std::string_view kPd6662 = "PD6662";

} // namespace

std::string InstallationToJson(const Installation& installation) {
    OrderedJson supplies = OrderedJson::array();
    for (const InstallationSupply& supply : installation.Supplies) {
        OrderedJson runs = OrderedJson::array();
        for (const CableRun& run : supply.Runs) {
            OrderedJson lines = OrderedJson::array();
            for (const RunLine& fed : run.Lines)
                lines.push_back({{"line", fed.Line + 1},
                                 {"distanceM", fed.DistanceM ? OrderedJson(*fed.DistanceM)
                                                             : OrderedJson(nullptr)}});
            runs.push_back({{"name", run.Name},
                            {"cable", run.Cable ? OrderedJson(kCableTable[*run.Cable].Name)
                                                : OrderedJson(nullptr)},
                            {"ohmsPerMetrePerCore", run.OhmsPerMetrePerCore},
                            {"coresPositive", run.CoresPositive},
                            {"coresNegative", run.CoresNegative},
                            {"lengthM", run.LengthM},
                            {"minVolts", run.MinVolts},
                            {"lines", std::move(lines)}});
        }
        supplies.push_back({{"name", supply.Name},
                            {"site", site_json::ToValue(supply.Site)},
                            {"lowestOutputVolts", supply.LowestOutputVolts},
                            {"runs", std::move(runs)}});
    }
    const OrderedJson json = {
        {"format", kInstallationFormat},
        {"version", kInstallationVersion},
        {"name", installation.Name},
        {"address", installation.Address},
        {"standard", installation.Standard == 0 ? kEn50131 : kPd6662},
        {"alarmPeriodMinutes", installation.AlarmPeriodMinutes},
        {"supplies", std::move(supplies)},
    };
    return json.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

namespace {

// What the reader says of a fault it met while reading something of the
// supply: lead names it, plain says what is wrong in the user's words.
void Explain(std::string& error, const std::string& lead, std::string_view plain) {
    error = Message({lead + ": " + std::string(plain), std::move(error)});
}

constexpr std::string_view kUnreadable = "the file's data for it cannot be used";

// Reads the supply's "runs"; the ranges are checked with the rest of the
// installation once it is all read.
bool ReadRuns(const Json* runs, std::size_t supplyPosition, InstallationSupply& supply,
              std::string& error) {
    if (runs == nullptr) {
        Explain(error, SupplyLead(supplyPosition, &supply.Name), kUnreadable);
        return false;
    }
    for (std::size_t i = 0; i < runs->size(); ++i) {
        const Json& entry = (*runs)[i];
        const std::string path = RunPath(supplyPosition, i);
        const auto fail = [&](const std::string* runName, std::string_view plain) {
            Explain(error, RunLead(supplyPosition, &supply.Name, i, runName), plain);
            return false;
        };
        if (!entry.is_object()) {
            error = "member " + Quoted(path) + " must be an object";
            return fail(nullptr, kUnreadable);
        }
        MemberReader fields(entry, path + ".", error);
        const auto name = fields.Text("name");
        const Json* cable = fields.Member("cable");
        const auto ohms = fields.Number("ohmsPerMetrePerCore");
        const auto positive = fields.WholeNumber("coresPositive");
        const auto negative = fields.WholeNumber("coresNegative");
        const auto length = fields.Number("lengthM");
        const auto minVolts = fields.Number("minVolts");
        const Json* lines = fields.Array("lines");
        if (!error.empty())
            return fail(name ? &*name : nullptr, kUnreadable);
        CableRun& run = supply.Runs.emplace_back();
        run.Name = *name;
        if (cable->is_string()) {
            run.Cable = FindCable(cable->get<std::string>());
            if (!run.Cable) {
                fields.Fault("cable", "is " + Quoted(cable->get<std::string>()) +
                                          ", not a cable of the table");
                return fail(&run.Name, "its cable " + Quoted(cable->get<std::string>()) +
                                           " is not one of the cable table");
            }
        } else if (!cable->is_null()) {
            fields.Fault("cable", "must be a cable of the table by its name, or null");
            return fail(&run.Name, kUnreadable);
        }
        run.OhmsPerMetrePerCore = *ohms;
        run.CoresPositive = *positive;
        run.CoresNegative = *negative;
        run.LengthM = *length;
        run.MinVolts = *minVolts;
        for (std::size_t j = 0; j < lines->size(); ++j) {
            const Json& fed = (*lines)[j];
            const std::string where = path + ".lines[" + Count(j) + "]";
            if (!fed.is_object()) {
                error = "member " + Quoted(where) + " must be an object";
                return fail(&run.Name, kUnreadable);
            }
            MemberReader members(fed, where + ".", error);
            const auto line = members.WholeNumber("line");
            const Json* distance = members.Member("distanceM");
            if (!error.empty())
                return fail(&run.Name, kUnreadable);
            if (*line < 1) {
                members.Fault("line", "is " + FormatInt(*line) + "; device lines count from 1");
                return fail(&run.Name, "its line " + FormatInt(*line) +
                                           " is not one of the supply's " +
                                           Count(supply.Site.Devices.size()) + " device lines");
            }
            RunLine& read = run.Lines.emplace_back();
            read.Line = static_cast<std::size_t>(*line) - 1;
            if (distance->is_number()) {
                read.DistanceM = distance->get<double>();
            } else if (!distance->is_null()) {
                members.Fault("distanceM", "must be a number, or null for the far end");
                return fail(&run.Name, kUnreadable);
            }
        }
    }
    return true;
}

// Reads into result, which may hold part of the installation when it stops
// at a fault.
void ReadInto(std::string_view text, InstallationResult& result) {
    std::string& error = result.Error;
    const std::optional<Json> json = site_json::Parse(text, error);
    if (!json) {
        error = Message({"The file is not a Brellic installation, or it is damaged: it is not "
                         "JSON text",
                         std::move(error)});
        return;
    }
    if (!json->is_object()) {
        error = "not a JSON object";
        return;
    }

    // The format and version come first: a later version may have changed
    // anything else, and a message about its members would mislead.
    const auto format = json->find("format");
    if (format == json->end() || !format->is_string() || *format != kInstallationFormat) {
        error = "not an installation file: member \"format\" must be \"" +
                std::string(kInstallationFormat) + "\"";
        return;
    }
    MemberReader members(*json, "", error);
    const std::optional<std::int32_t> version = members.WholeNumber("version");
    if (!version)
        return;
    if (*version > kInstallationVersion) {
        error = "the file was made by a newer version of Brellic (file version " +
                FormatInt(*version) + "; this version reads version " +
                FormatInt(kInstallationVersion) + ")";
        return;
    }
    if (*version < 1) {
        error = "member \"version\" is " + FormatInt(*version) + "; versions start at 1";
        return;
    }

    Installation& installation = result.Data;
    const auto name = members.Text("name");
    const auto address = members.Text("address");
    const auto standard = members.Text("standard");
    const auto alarmPeriod = members.WholeNumber("alarmPeriodMinutes");
    const Json* supplies = members.Array("supplies");
    if (!error.empty())
        return;
    if (*standard == kEn50131) {
        installation.Standard = 0;
    } else if (*standard == kPd6662) {
        installation.Standard = 1;
    } else {
        error = "member \"standard\" must be \"" + std::string(kEn50131) + "\" or \"" +
                std::string(kPd6662) + "\"";
        return;
    }
    installation.Name = *name;
    installation.Address = *address;
    installation.AlarmPeriodMinutes = *alarmPeriod;
    if (std::string fault = CheckSupplyCount(supplies->size()); !fault.empty()) {
        error = std::move(fault);
        return;
    }

    for (std::size_t i = 0; i < supplies->size(); ++i) {
        const Json& entry = (*supplies)[i];
        const std::string path = SupplyPath(i);
        if (!entry.is_object()) {
            error = "member " + Quoted(path) + " must be an object";
            Explain(error, SupplyLead(i, nullptr), kUnreadable);
            return;
        }
        MemberReader fields(entry, path + ".", error);
        const auto supplyName = fields.Text("name");
        const Json* site = fields.Member("site");
        if (!error.empty()) {
            Explain(error, SupplyLead(i, supplyName ? &*supplyName : nullptr), kUnreadable);
            return;
        }
        std::optional<SupplySite> read = site_json::FromValue(*site, path + ".site.", true, error);
        if (!read) {
            Explain(error, SupplyLead(i, &*supplyName), "its site data cannot be used");
            return;
        }
        InstallationSupply& supply = installation.Supplies.emplace_back();
        supply.Name = *supplyName;
        supply.Site = std::move(*read);
        // A file made before cable runs has neither member.
        if (fields.Has("lowestOutputVolts")) {
            const auto volts = fields.Number("lowestOutputVolts");
            if (!volts) {
                Explain(error, SupplyLead(i, &supply.Name), kUnreadable);
                return;
            }
            supply.LowestOutputVolts = *volts;
        }
        if (fields.Has("runs") && !ReadRuns(fields.Array("runs"), i, supply, error))
            return;
    }
    // Each site was checked as it was read; the first fault is the same one
    // CheckInstallation would find.
    error = Message(CheckMembers(installation, false));
}

} // namespace

InstallationResult InstallationFromJson(std::string_view text) {
    InstallationResult result;
    ReadInto(text, result);
    if (!result)
        result.Data = Installation{}; // all or nothing
    return result;
}

bool IsInstallationFileName(std::string_view path) {
    if (path.size() <= kInstallationExtension.size())
        return false;
    return std::equal(kInstallationExtension.begin(), kInstallationExtension.end(),
                      path.end() - static_cast<std::ptrdiff_t>(kInstallationExtension.size()),
                      [](char a, char b) {
                          const auto lower = [](char c) {
                              return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
                          };
                          return lower(a) == lower(b);
                      });
}

InstallationResult ReadInstallationFile(const std::string& path) {
    InstallationResult result;
    std::vector<unsigned char> bytes;
    if (IoResult read = ReadFileHead(path, kMaxInstallationFileBytes + 1, bytes); !read) {
        result.Error = std::move(read.Message);
        return result;
    }
    if (bytes.size() > kMaxInstallationFileBytes) {
        result.Error = "Cannot open " + QuotedPath(path) + ": the file is larger than " +
                       FormatInt(static_cast<long long>(kMaxInstallationFileBytes >> 20)) +
                       " MiB, too large for an installation.";
        return result;
    }
    result = InstallationFromJson(
        std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    if (!result)
        result.Error = "Cannot open " + QuotedPath(path) + ": " + result.Error + ".";
    return result;
}

IoResult WriteInstallationFile(const std::string& path, const Installation& installation) {
    if (const std::string fault = CheckInstallation(installation); !fault.empty())
        return IoResult::Failure("Cannot write " + QuotedPath(path) + ": " + fault + ".");
    return WriteFileAtomically(path, InstallationToJson(installation));
}

} // namespace brellic
