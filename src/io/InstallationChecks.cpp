#include "io/InstallationChecks.h"

#include "io/Cp1252.h"
#include "io/InstallationFile.h"
#include "io/SiteJsonValue.h"
#include "model/Format.h"

#include <charconv>
#include <utility>
#include <vector>

namespace brellic {

namespace installation_checks {

std::string SupplyPath(std::size_t position) {
    return "supplies[" + FormatInt(static_cast<long long>(position)) + "]";
}

std::string Count(std::size_t count) {
    return FormatInt(static_cast<long long>(count));
}

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
static std::string CheckLine(const std::string& path, const std::string& text,
                             std::size_t capacity) {
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

static std::string CheckAlarmPeriod(std::int32_t minutes) {
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
static Fault CheckSupplyName(const std::vector<InstallationSupply>& supplies,
                             std::size_t position) {
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
static std::string Figure(double value) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

std::string RunPath(std::size_t supply, std::size_t run) {
    return SupplyPath(supply) + ".runs[" + Count(run) + "]";
}

// fedBy: for each device line of the supply, the run before this one that
// feeds it, if any.
static Fault CheckRun(const InstallationSupply& supply, std::size_t supplyPosition,
                      std::size_t position, std::vector<std::optional<std::size_t>>& fedBy) {
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

static Fault CheckRuns(const InstallationSupply& supply, std::size_t position) {
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

} // namespace installation_checks

std::string CheckInstallation(const Installation& installation) {
    return installation_checks::CheckMembers(installation, true).Detail;
}

} // namespace brellic
