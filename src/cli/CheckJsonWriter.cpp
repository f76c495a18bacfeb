#include "calc/OutcomeWords.h"
#include "cli/CheckWriter.h"
#include "cli/JsonValues.h"
#include "model/Globals.h"

#include <algorithm>
#include <limits>
#include <ostream>
#include <sstream>

namespace brellic {

namespace {

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
    std::span<const RunResult> Results;
};

std::ostream& operator<<(std::ostream& out, Runs runs) {
    out << ", \"runs\": [";
    const std::size_t count = runs.Supply ? runs.Supply->Runs.size() : 0;
    for (std::size_t i = 0; i < count; ++i) {
        const CableRun& run = runs.Supply->Runs[i];
        const RunResult& result = runs.Results[i];
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

void WriteJsonSite(std::ostream& out, const std::string& path, const JudgedSite* site,
                   const std::string& error, const std::string* supplyName = nullptr,
                   Runs runs = {}) {
    out << "    {\"file\": " << String{path};
    if (supplyName)
        out << ", \"supply\": " << String{*supplyName};
    out << ", \"error\": ";
    if (!site) {
        out << String{OneLine(error)};
        for (const char* name :
             {"siteReference", "grade", "panelName", "batteryName", "batteryAh", "deviceLines",
              "requiredStandbyHours", "quiescentTotalAmps", "alarmTotalAmps", "actualStandbyHours",
              "standby", "peakCurrentAmps", "alarmCurrent", "notes"})
            out << ", \"" << name << "\": null";
        out << runs << '}';
        return;
    }
    const SupplyResult& supply = site->Result->Supply;
    const TotalsResult& totals = site->Result->Totals;
    const std::vector<int> batteries = BatteriesForPanel(site->Panel);
    const std::string_view battery =
        BatteryTable[static_cast<std::size_t>(batteries[static_cast<std::size_t>(site->Battery)])];
    const double none = std::numeric_limits<double>::quiet_NaN();
    out << "null, \"siteReference\": " << String{site->SiteRef} << ", \"grade\": " << site->Grade
        << ", \"panelName\": " << String{PanelTable[static_cast<std::size_t>(site->Panel)].Name}
        << ", \"batteryName\": " << String{battery}
        << ", \"batteryAh\": " << Number{static_cast<double>(supply.BatteryCapacity)}
        << ", \"deviceLines\": " << site->DeviceLines
        << ", \"requiredStandbyHours\": " << supply.StandbyHours
        << ", \"quiescentTotalAmps\": " << Number{totals.QuiescentTotal}
        << ", \"alarmTotalAmps\": " << Number{totals.AlarmTotal} << ", \"actualStandbyHours\": "
        << Number{totals.ActualStandbyDefined ? totals.ActualStandby : none} << ", \"standby\": \""
        << JsonWord(totals.Standby.State)
        << "\", \"peakCurrentAmps\": " << Number{supply.PeakCurrent} << ", \"alarmCurrent\": \""
        << JsonWord(totals.AlarmCurrent.State) << "\", \"notes\": [" << String{totals.Standby.Note}
        << ", " << String{totals.AlarmCurrent.Note} << "]" << runs << '}';
}

class JsonWriter : public CheckWriter {
public:
    JsonWriter(std::ostream& out, std::int32_t standard, std::int32_t alarmPeriod) : out_(out) {
        out_ << "{\n  \"format\": \"brellic-check\",\n  \"version\": 1,\n  \"standard\": \""
             << StandardName(standard) << "\",\n  \"alarmPeriodMinutes\": " << alarmPeriod
             << ",\n  \"sites\": [";
    }

    void Unusable(const std::string& path, const std::string& error) override {
        Next();
        WriteJsonSite(out_, path, nullptr, error);
        out_.flush();
    }

    void Site(const std::string& path, const JudgedSite& site) override {
        Next();
        WriteJsonSite(out_, path, &site, {});
        out_.flush();
    }

    void Supply(const std::string& label, const InstallationSupply& supply, const JudgedSite* site,
                std::span<const RunResult> runs) override {
        Next();
        WriteJsonSite(out_, label, site, "not judged (no panel or battery chosen)", &supply.Name,
                      {&supply, runs});
    }

    // The installations follow the sites, in the order they came.
    void System(const std::string& path, const Installation& installation,
                const SystemVerdict& verdict) override {
        installations_ << (installations_.tellp() > 0 ? ",\n" : "\n")
                       << "    {\"file\": " << String{path}
                       << ", \"name\": " << String{installation.Name} << ", \"standard\": \""
                       << StandardName(installation.Standard)
                       << "\", \"alarmPeriodMinutes\": " << installation.AlarmPeriodMinutes
                       << ", \"supplies\": " << verdict.Supplies
                       << ", \"meet\": " << verdict.Meeting << ", \"verdict\": \""
                       << JsonWord(verdict.State) << "\", \"grade\": " << verdict.Grade << '}';
        out_.flush();
    }

    void Finish(const VerdictCounts& counts) override {
        out_ << (first_ ? "],\n" : "\n  ],\n")
             << (installations_.tellp() > 0
                     ? "  \"installations\": [" + installations_.str() + "\n  ],\n"
                     : std::string())
             << "  \"summary\": {\"sites\": " << counts.Entries << ", \"meet\": " << counts.Meet
             << ", \"fail\": " << counts.Fail << ", \"unusable\": " << counts.Unusable << "}\n}\n";
    }

private:
    void Next() {
        out_ << (first_ ? "\n" : ",\n");
        first_ = false;
    }

    std::ostream& out_;
    bool first_ = true;
    std::ostringstream installations_;
};

} // namespace

std::unique_ptr<CheckWriter> MakeJsonCheckWriter(std::ostream& out, std::int32_t standard,
                                                 std::int32_t alarmPeriod) {
    return std::make_unique<JsonWriter>(out, standard, alarmPeriod);
}

} // namespace brellic
