#include "io/InstallationFile.h"

#include "io/AtomicFile.h"
#include "io/Cp1252.h"
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

constexpr std::string_view kEn50131 = "EN50131-1";
constexpr std::string_view kPd6662 = "PD6662";

std::string SupplyPath(std::size_t position) {
    return "supplies[" + FormatInt(static_cast<long long>(position)) + "]";
}

std::string Count(std::size_t count) {
    return FormatInt(static_cast<long long>(count));
}

// A fault of an installation: Detail names the member by its path, as the
// writer's and the reader's messages always have; Plain, when set, is the
// same in the user's words, naming the supply and the run where it is.
struct Fault {
    std::string Plain;
    std::string Detail;

    explicit operator bool() const { return !Detail.empty(); }
};

// "Supply 2 "Yard"", or "Supply 2" while its name is not known.
std::string SupplyLead(std::size_t position, const std::string* name) {
    std::string lead = "Supply " + Count(position + 1);
    if (name != nullptr)
        lead += " " + Quoted(*name);
    return lead;
}

// "Supply 2 "Yard", run "Hall"", or "..., run 3" while its name is not known.
std::string RunLead(std::size_t supply, const std::string* supplyName, std::size_t run,
                    const std::string* runName) {
    return SupplyLead(supply, supplyName) + ", run " +
           (runName != nullptr ? Quoted(*runName) : Count(run + 1));
}

// A text that goes into a site file or Report.Txt as one line: no control
// character, only Windows-1252 characters, at most capacity of them.
std::string CheckLine(const std::string& path, const std::string& text, std::size_t capacity) {
    if (std::string fault = site_json::ControlCharacterFault(path, text); !fault.empty())
        return fault;
    if (!IsCp1252Text(text))
        return "member " + Quoted(path) +
               " holds a character that a site file and Report.Txt cannot hold (only "
               "Windows-1252 characters fit)";
    if (const std::size_t length = Utf8Length(text); length > capacity)
        return "member " + Quoted(path) + " has " + Count(length) + " characters; at most " +
               Count(capacity) + " fit";
    return {};
}

std::string CheckAlarmPeriod(std::int32_t minutes) {
    if (minutes >= kInstallationMinAlarmPeriod && minutes <= kInstallationMaxAlarmPeriod)
        return {};
    return "member \"alarmPeriodMinutes\" is " + FormatInt(minutes) + "; it must be " +
           FormatInt(kInstallationMinAlarmPeriod) + " to " + FormatInt(kInstallationMaxAlarmPeriod);
}

std::string CheckSupplyCount(std::size_t count) {
    if (count == 0)
        return "member \"supplies\" is empty; an installation holds 1 to " + Count(kMaxSupplies) +
               " supplies";
    if (count > kMaxSupplies)
        return "member \"supplies\" holds " + Count(count) + " supplies; at most " +
               Count(kMaxSupplies) + " fit";
    return {};
}

// The supply's name on its own, and against the names before it.
Fault CheckSupplyName(const std::vector<InstallationSupply>& supplies, std::size_t position) {
    const std::string path = SupplyPath(position) + ".name";
    const std::string& name = supplies[position].Name;
    if (name.empty())
        return {SupplyLead(position, nullptr) + " has no name",
                "member " + Quoted(path) + " is empty; every supply needs a name"};
    if (std::string fault = CheckLine(path, name, kSupplyNameCapacity); !fault.empty())
        return {SupplyLead(position, &name) + ": its name must be one line of at most " +
                    Count(kSupplyNameCapacity) + " characters a site file can hold",
                std::move(fault)};
    for (std::size_t earlier = 0; earlier < position; ++earlier) {
        if (supplies[earlier].Name == name)
            return {SupplyLead(position, &name) + " has the name of supply " + Count(earlier + 1) +
                        " too; each supply needs a name of its own",
                    "member " + Quoted(path) + " is " + Quoted(name) + ", the name of " +
                        SupplyPath(earlier) + " too; supply names must be unique"};
    }
    return {};
}

// A figure in a message, in the fewest digits that read back as it.
std::string Figure(double value) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

std::string RunPath(std::size_t supply, std::size_t run) {
    return SupplyPath(supply) + ".runs[" + Count(run) + "]";
}

// fedBy: for each device line of the supply, the run before this one that
// feeds it, if any.
Fault CheckRun(const InstallationSupply& supply, std::size_t supplyPosition, std::size_t position,
               std::vector<std::optional<std::size_t>>& fedBy) {
    const CableRun& run = supply.Runs[position];
    const std::string path = RunPath(supplyPosition, position);
    const auto member = [&path](std::string_view name) {
        return "member " + Quoted(path + "." + std::string(name));
    };
    const std::string lead =
        RunLead(supplyPosition, &supply.Name, position, run.Name.empty() ? nullptr : &run.Name) +
        ": ";
    if (run.Name.empty())
        return {lead + "the run has no name",
                member("name") + " is empty; every cable run needs a name"};
    if (std::string fault = CheckLine(path + ".name", run.Name, kCableRunNameCapacity);
        !fault.empty())
        return {lead + "its name must be one line of at most " + Count(kCableRunNameCapacity) +
                    " characters a site file can hold",
                std::move(fault)};
    for (std::size_t earlier = 0; earlier < position; ++earlier) {
        if (supply.Runs[earlier].Name == run.Name)
            return {SupplyLead(supplyPosition, &supply.Name) + ": runs " + Count(earlier + 1) +
                        " and " + Count(position + 1) + " are both named " + Quoted(run.Name) +
                        "; each cable run needs a name of its own",
                    member("name") + " is " + Quoted(run.Name) + ", the name of " +
                        RunPath(supplyPosition, earlier) +
                        " too; a supply's cable runs must have distinct names"};
    }
    if (run.Cable) {
        if (*run.Cable >= kCableTable.size())
            return {lead + "its cable is not one of the cable table",
                    member("cable") + " is not a cable of the table"};
        const CableType& cable = kCableTable[*run.Cable];
        if (run.OhmsPerMetrePerCore != cable.OhmsPerMetre)
            return {lead + "its resistance per metre is not the cable table's figure for " +
                        Quoted(cable.Name),
                    member("ohmsPerMetrePerCore") + " is " + Figure(run.OhmsPerMetrePerCore) +
                        "; the table gives " + Figure(cable.OhmsPerMetre) + " for " +
                        Quoted(cable.Name)};
    } else if (!OhmsPerMetreInRange(run.OhmsPerMetrePerCore)) {
        return {lead + "its resistance per metre must be greater than 0",
                member("ohmsPerMetrePerCore") + " is " + Figure(run.OhmsPerMetrePerCore) +
                    "; a resistance per metre must be greater than 0"};
    }
    for (const auto& [name, cores] : {std::pair{"coresPositive", run.CoresPositive},
                                      std::pair{"coresNegative", run.CoresNegative}}) {
        if (!CoresInRange(cores))
            return {lead + "its cores doubled up must be 1 to " + FormatInt(kMaxCoresDoubled) +
                        " on each leg",
                    member(name) + " is " + FormatInt(cores) + "; it must be 1 to " +
                        FormatInt(kMaxCoresDoubled)};
    }
    if (!RunLengthInRange(run.LengthM))
        return {lead + "its length must be greater than 0 m and at most " + Figure(kMaxRunLengthM) +
                    " m",
                member("lengthM") + " is " + Figure(run.LengthM) +
                    "; a run must be longer than 0 m and at most " + Figure(kMaxRunLengthM) + " m"};
    if (!RunMinVoltsInRange(run.MinVolts, supply.LowestOutputVolts))
        return {lead +
                    "its devices' lowest operating voltage must be greater than 0 V and below "
                    "the supply's lowest output voltage, " +
                    Figure(supply.LowestOutputVolts) + " V",
                member("minVolts") + " is " + Figure(run.MinVolts) +
                    "; it must be greater than 0 V and below the supply's lowest output "
                    "voltage, " +
                    Figure(supply.LowestOutputVolts) + " V"};
    const std::size_t devices = supply.Site.Devices.size();
    for (std::size_t i = 0; i < run.Lines.size(); ++i) {
        const RunLine& fed = run.Lines[i];
        const std::string line = path + ".lines[" + Count(i) + "]";
        const std::string number = Count(fed.Line + 1);
        if (fed.Line >= devices)
            return {lead + "its line " + number + " is not one of the supply's " + Count(devices) +
                        " device lines",
                    "member " + Quoted(line + ".line") + " is " + number + "; the supply has " +
                        Count(devices) + " device lines"};
        if (const std::optional<std::size_t> other = fedBy[fed.Line]) {
            const CableRun& first = supply.Runs[*other];
            return {lead + "its line " + number + " is on the run " + Quoted(first.Name) +
                        " too; a device line is on at most one run",
                    "member " + Quoted(line + ".line") + " is " + number + ", a line " +
                        RunPath(supplyPosition, *other) +
                        " feeds too; a device line is on at most one run"};
        }
        fedBy[fed.Line] = position;
        if (fed.DistanceM && !(*fed.DistanceM >= 0 && *fed.DistanceM <= run.LengthM))
            return {lead + "the distance of its line " + number +
                        " must be from 0 m to the run's length, " + Figure(run.LengthM) + " m",
                    "member " + Quoted(line + ".distanceM") + " is " + Figure(*fed.DistanceM) +
                        "; it must be 0 to the run's length, " + Figure(run.LengthM) + " m"};
    }
    return {};
}

Fault CheckRuns(const InstallationSupply& supply, std::size_t position) {
    const std::string lead = SupplyLead(position, &supply.Name) + ": ";
    if (!SupplyVoltsInRange(supply.LowestOutputVolts))
        return {lead + "its lowest output voltage must be " + Figure(kMinSupplyVolts) + " to " +
                    Figure(kMaxSupplyVolts) + " V",
                "member " + Quoted(SupplyPath(position) + ".lowestOutputVolts") + " is " +
                    Figure(supply.LowestOutputVolts) + "; it must be " + Figure(kMinSupplyVolts) +
                    " to " + Figure(kMaxSupplyVolts) + " V"};
    if (supply.Runs.size() > kMaxCableRuns)
        return {lead + "it has " + Count(supply.Runs.size()) + " cable runs; at most " +
                    Count(kMaxCableRuns) + " fit",
                "member " + Quoted(SupplyPath(position) + ".runs") + " holds " +
                    Count(supply.Runs.size()) + " runs; at most " + Count(kMaxCableRuns) + " fit"};
    std::vector<std::optional<std::size_t>> fedBy(supply.Site.Devices.size());
    for (std::size_t i = 0; i < supply.Runs.size(); ++i) {
        if (Fault fault = CheckRun(supply, position, i, fedBy))
            return fault;
    }
    return {};
}

// The installation's own members, then each supply's name, its site when
// checkSites is set, and its cable runs.
Fault CheckMembers(const Installation& installation, bool checkSites) {
    if (std::string fault = CheckLine("name", installation.Name, kInstallationTextCapacity);
        !fault.empty())
        return {{}, std::move(fault)};
    if (std::string fault = CheckLine("address", installation.Address, kInstallationTextCapacity);
        !fault.empty())
        return {{}, std::move(fault)};
    if (std::string fault = CheckAlarmPeriod(installation.AlarmPeriodMinutes); !fault.empty())
        return {{}, std::move(fault)};
    if (std::string fault = CheckSupplyCount(installation.Supplies.size()); !fault.empty())
        return {{}, std::move(fault)};
    for (std::size_t i = 0; i < installation.Supplies.size(); ++i) {
        if (Fault fault = CheckSupplyName(installation.Supplies, i))
            return fault;
        if (checkSites) {
            if (std::string fault =
                    site_json::Check(installation.Supplies[i].Site, SupplyPath(i) + ".site.");
                !fault.empty())
                return {{}, std::move(fault)};
        }
        if (Fault fault = CheckRuns(installation.Supplies[i], i))
            return fault;
    }
    return {};
}

// The reader's message: the fault in the user's words, when there are
// some, and then the member it is in.
std::string Message(const Fault& fault) {
    if (fault.Plain.empty())
        return fault.Detail;
    return fault.Plain + ". Detail: " + fault.Detail;
}

} // namespace

std::string CheckInstallation(const Installation& installation) {
    return CheckMembers(installation, true).Detail;
}

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
