// check and check --json: the verdict states pinned on sites worked out by
// hand, and the fast path compared with opening each site in the window.
#include "CliTestSupport.h"

#include "cli/CliArgs.h"

#include "calc/Totals.h"
#include "editor/SilentPrompter.h"
#include "editor/SiteEditor.h"
#include "model/Format.h"
#include "model/Globals.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <fstream>

namespace brellic::test {
namespace {

using Json = nlohmann::ordered_json;

const std::vector<std::string> kEn15 = {"--standard", "EN50131-1", "--alarm-period", "15"};

std::vector<std::string> Args(std::vector<std::string> head,
                              const std::vector<std::string>& files) {
    head.insert(head.end(), kEn15.begin(), kEn15.end());
    head.insert(head.end(), files.begin(), files.end());
    return head;
}

// The pinned sites, all on the QX-320 Panel (own current 0.07 A, peak current
// 2.0 - 0.75 = 1.25 A) with "17.0 Ah" at grade 3 and an alarm period of 15
// minutes (the alarm load counts for 0.5 hours).
struct PinnedSites {
    TempFolder folder;
    std::string meets = folder.File("meets.KVR");
    std::string standbyFails = folder.File("standby.KVR");
    std::string alarmFails = folder.File("alarm.KVR");
    std::string undefined = folder.File("undefined.KVR");
    std::string noBattery = folder.File("nobattery.KVR");
    std::string damaged = folder.File("damaged.KVR");
    std::string negative = folder.File("negative.KVR");

    PinnedSites() {
        WriteSite(meets, MeetingSite());

        SiteFileData standby = MeetingSite();
        standby.AcFail = false; // EN50131-1 grade 3 without AC fail signalled: 60 hours
        standby.Devices.push_back(Device(1, "Heater", 3, 0.2, 0.0));
        WriteSite(standbyFails, standby);

        SiteFileData alarm = MeetingSite();
        alarm.Devices.push_back(Device(1, "Siren", 3, 0.0, 1.0));
        WriteSite(alarmFails, alarm);

        SiteFileData huge = MeetingSite();
        huge.Devices.push_back(Device(1, "Huge", 3, 1e308, 0.0));
        huge.Devices.push_back(Device(1, "Huge", 3, 1e308, 0.0));
        WriteSite(undefined, huge);

        SiteFileData none = MeetingSite();
        none.Battery = 7; // the panel lists three batteries
        WriteSite(noBattery, none);

        WriteAll(damaged, Patched(MeetingSite(), 52, 0)); // grade 0

        // The credit line cancels the strobes of the failing site, which then
        // added up to the meeting site's figures and passed.
        SiteFileData credit = FailingSite();
        credit.Devices.push_back(Device(1, "Credit", 3, -1.0, -2.0));
        WriteSite(negative, credit);
    }

    std::vector<std::string> All() const {
        return {meets, standbyFails, alarmFails, undefined, noBattery, damaged, negative};
    }
};

void ExpectFigure(const Json& value, double byHand, const char* name) {
    ASSERT_TRUE(value.is_number()) << name << ": " << value.dump();
    const double figure = value.get<double>();
    EXPECT_NEAR(figure, byHand, std::fabs(byHand) * 1e-13) << name;
}

std::vector<std::string> Keys(const Json& object) {
    std::vector<std::string> keys;
    for (const auto& [key, value] : object.items())
        keys.push_back(key);
    return keys;
}

TEST(CliCheckJson, MembersVerdictsAndFiguresOfThePinnedSites) {
    const PinnedSites sites;
    const CliRun run = RunTool(Args({"check", "--json"}, sites.All()));
    EXPECT_EQ(run.Status, kCliError) << "two files cannot be used";
    // The errors still go to standard error, one line each.
    EXPECT_EQ(LineCount(run.Err), 2u) << run.Err;
    EXPECT_NE(run.Err.find("brellic-cli: Cannot use \"" + sites.noBattery + "\""),
              std::string::npos);

    const Json doc = Json::parse(run.Out);
    EXPECT_EQ(Keys(doc), (std::vector<std::string>{"format", "version", "standard",
                                                   "alarmPeriodMinutes", "sites", "summary"}));
    EXPECT_EQ(doc["format"], "brellic-check");
    EXPECT_EQ(doc["version"], 1);
    EXPECT_EQ(doc["standard"], "EN50131-1");
    EXPECT_EQ(doc["alarmPeriodMinutes"], 15);
    EXPECT_EQ(doc["summary"], Json::parse(R"({"sites": 7, "meet": 1, "fail": 4, "unusable": 2})"));
    EXPECT_EQ(Keys(doc["summary"]),
              (std::vector<std::string>{"sites", "meet", "fail", "unusable"}));

    const Json& list = doc["sites"];
    ASSERT_EQ(list.size(), 7u);
    const std::vector<std::string> members = {"file",
                                              "error",
                                              "siteReference",
                                              "grade",
                                              "panelName",
                                              "batteryName",
                                              "batteryAh",
                                              "deviceLines",
                                              "requiredStandbyHours",
                                              "quiescentTotalAmps",
                                              "alarmTotalAmps",
                                              "actualStandbyHours",
                                              "standby",
                                              "peakCurrentAmps",
                                              "alarmCurrent",
                                              "notes",
                                              "runs"};
    for (std::size_t i = 0; i < list.size(); ++i) {
        EXPECT_EQ(Keys(list[i]), members) << i;
        EXPECT_EQ(list[i]["file"], sites.All()[i]);
    }

    // Meets: quiescent 2 x 0.013 + 0.02 + 0.07 = 0.116 A, alarm 0.026 + 0.4
    // + 0.07 = 0.496 A; 17 - 0.5 x 0.496 = 16.752 Ah last 16.752 / 0.116 h
    // against 30 hours (EN50131-1, grade 3, AC fail signalled).
    const Json& meets = list[0];
    EXPECT_EQ(meets["error"], nullptr);
    EXPECT_EQ(meets["siteReference"], "Caf\xC3\xA9 \xE2\x82\xAC 7");
    EXPECT_EQ(meets["grade"], 3);
    EXPECT_EQ(meets["panelName"], "QX-320 Panel");
    EXPECT_EQ(meets["batteryName"], "17.0 Ah");
    EXPECT_EQ(meets["batteryAh"], 17.0);
    EXPECT_EQ(meets["deviceLines"], 2);
    EXPECT_EQ(meets["requiredStandbyHours"], 30);
    ExpectFigure(meets["quiescentTotalAmps"], 0.116, "quiescent");
    ExpectFigure(meets["alarmTotalAmps"], 0.496, "alarm");
    ExpectFigure(meets["actualStandbyHours"], 144.41379310344828, "standby");
    EXPECT_EQ(meets["peakCurrentAmps"], 1.25);
    EXPECT_EQ(meets["standby"], "meets");
    EXPECT_EQ(meets["alarmCurrent"], "meets");
    EXPECT_EQ(meets["notes"], Json::parse(R"(["System standby time meets the requirement.",
                                              "Alarm current meets the requirement."])"));

    // Standby fails: 0.316 A quiescent, 16.752 / 0.316 h against 60 hours.
    const Json& standby = list[1];
    EXPECT_EQ(standby["requiredStandbyHours"], 60);
    ExpectFigure(standby["quiescentTotalAmps"], 0.316, "quiescent");
    ExpectFigure(standby["actualStandbyHours"], 53.012658227848101, "standby");
    EXPECT_EQ(standby["standby"], "fails");
    EXPECT_EQ(standby["alarmCurrent"], "meets");
    EXPECT_EQ(standby["notes"][0], "Standby time does not meet the requirement.");

    // Alarm current fails: 1.496 A against 1.25 A; 17 - 0.748 = 16.252 Ah.
    const Json& alarm = list[2];
    ExpectFigure(alarm["alarmTotalAmps"], 1.496, "alarm");
    ExpectFigure(alarm["actualStandbyHours"], 140.10344827586206, "standby");
    EXPECT_EQ(alarm["standby"], "meets");
    EXPECT_EQ(alarm["alarmCurrent"], "fails");
    EXPECT_EQ(alarm["notes"][1], "Alarm current exceeds maximum available from control panel!");

    // Twice 1e308 A is beyond the range of doubles: no figure, undefined.
    const Json& undefined = list[3];
    EXPECT_EQ(undefined["quiescentTotalAmps"], nullptr);
    EXPECT_EQ(undefined["actualStandbyHours"], nullptr);
    ExpectFigure(undefined["alarmTotalAmps"], 0.496, "alarm");
    EXPECT_EQ(undefined["standby"], "undefined");
    EXPECT_EQ(undefined["alarmCurrent"], "meets");
    EXPECT_EQ(undefined["notes"][0], kStandbyTooLarge);

    // Every number of every usable site against the figures above; NaN
    // stands for null.
    struct Figures {
        std::size_t Site;
        int Lines, Required;
        double Quiescent, Alarm, Actual;
    };
    const double none = std::nan("");
    const Figures byHand[] = {
        {0, 2, 30, 0.116, 0.496, 144.41379310344828}, {1, 3, 60, 0.316, 0.496, 53.0126582278481},
        {2, 3, 30, 0.116, 1.496, 140.10344827586206}, {3, 4, 30, none, 0.496, none},
        {6, 4, 30, 0.116, 0.496, 144.41379310344828},
    };
    for (const Figures& f : byHand) {
        SCOPED_TRACE(f.Site);
        const Json& site = list[f.Site];
        EXPECT_EQ(site["grade"], 3);
        EXPECT_EQ(site["batteryAh"], 17.0);
        EXPECT_EQ(site["peakCurrentAmps"], 1.25);
        EXPECT_EQ(site["deviceLines"], f.Lines);
        EXPECT_EQ(site["requiredStandbyHours"], f.Required);
        const std::pair<const char*, double> figures[] = {{"quiescentTotalAmps", f.Quiescent},
                                                          {"alarmTotalAmps", f.Alarm},
                                                          {"actualStandbyHours", f.Actual}};
        for (const auto& [name, value] : figures) {
            if (std::isnan(value))
                EXPECT_EQ(site[name], nullptr) << name;
            else
                ExpectFigure(site[name], value, name);
        }
    }

    // Unusable files: the message, and nothing else.
    for (const std::size_t i : {std::size_t{4}, std::size_t{5}}) {
        ASSERT_TRUE(list[i]["error"].is_string()) << i;
        for (const std::string& member : members) {
            if (member != "file" && member != "error" && member != "runs") {
                EXPECT_EQ(list[i][member], nullptr) << i << " " << member;
            }
        }
    }
    // A site file has no cable runs.
    for (const Json& site : list)
        EXPECT_EQ(site["runs"], Json::array());
    EXPECT_EQ(list[4]["error"], "Cannot use \"" + sites.noBattery +
                                    "\": its battery position is not in the battery list of "
                                    "\"QX-320 Panel\", so no battery is selected.");
    EXPECT_EQ(list[5]["error"],
              "Cannot open \"" + sites.damaged + "\": The grade 0 is not 1, 2 or 3.");

    // A negative line fails both, and the figures stay as computed.
    const Json& negative = list[6];
    EXPECT_EQ(negative["deviceLines"], 4);
    ExpectFigure(negative["quiescentTotalAmps"], 0.116, "quiescent");
    ExpectFigure(negative["actualStandbyHours"], 144.41379310344828, "standby");
    EXPECT_EQ(negative["standby"], "fails");
    EXPECT_EQ(negative["alarmCurrent"], "fails");
    EXPECT_EQ(negative["notes"], Json::array({"Device line 4 has a negative current.",
                                              "Device line 4 has a negative current."}));
}

TEST(CliCheckJson, ExitStatusIsTheTextForms) {
    const PinnedSites sites;
    const std::vector<std::vector<std::string>> sets = {
        {sites.meets},    {sites.meets, sites.standbyFails}, {sites.undefined},
        {sites.negative}, {sites.meets, sites.damaged},
    };
    const int expected[] = {kCliOk, kCliFails, kCliFails, kCliFails, kCliError};
    for (std::size_t i = 0; i < sets.size(); ++i) {
        const CliRun text = RunTool(Args({"check"}, sets[i]));
        const CliRun json = RunTool(Args({"check", "--json"}, sets[i]));
        EXPECT_EQ(text.Status, expected[i]) << i;
        EXPECT_EQ(json.Status, expected[i]) << i;
        EXPECT_EQ(json.Err, text.Err) << i;
        EXPECT_TRUE(Json::accept(json.Out)) << json.Out;
    }
    // With no usable file the list is empty and the document still whole.
    const Json empty = Json::parse(RunTool(Args({"check", "--json"}, {sites.damaged})).Out);
    EXPECT_EQ(empty["sites"].size(), 1u);
    EXPECT_EQ(empty["summary"]["unusable"], 1);
}

// Names are escaped, and a name that is not UTF-8 cannot break the document.
TEST(CliCheckJson, FileNamesAndReferencesAreEscaped) {
    TempFolder folder;
    SiteFileData site = MeetingSite();
    site.SiteRef = "Say \"hi\" \\ tab\t";
#ifdef _WIN32
    const std::string quoted = folder.File("Caf\xC3\xA9 (1).KVR"); // no quote fits a Windows name
#else
    const std::string quoted = folder.File("a \"quoted\" \\ name.KVR");
#endif
    WriteSite(quoted, site);
    std::vector<std::string> files = {quoted};
#ifndef _WIN32
    // Only a Unix file name can be bytes that are not UTF-8.
    files.push_back(folder.Path().string() + "/bad\xFF.KVR");
#endif
    const Json doc = Json::parse(RunTool(Args({"check", "--json"}, files)).Out);
    EXPECT_EQ(doc["sites"][0]["file"], quoted);
    EXPECT_EQ(doc["sites"][0]["siteReference"], site.SiteRef);
#ifndef _WIN32
    EXPECT_TRUE(doc["sites"][1]["error"].is_string());
    EXPECT_NE(doc["sites"][1]["file"].get<std::string>().find("\xEF\xBF\xBD"), std::string::npos);
#endif
}

// The example in --help is what check prints for that site.
TEST(CliCheckJson, TheHelpExampleIsTheOutput) {
    const std::string usage = CliUsage();
    const std::size_t start = usage.find("\n  {\n");
    const std::size_t end = usage.find("\n  }\n", start);
    ASSERT_NE(end, std::string::npos);
    Json example = Json::parse(usage.substr(start, end + 4 - start));

    TempFolder folder;
    SiteFileData site;
    site.SiteRef = "Unit 4";
    site.Grade = 3;
    site.Panel = 10;
    site.Battery = 0;
    site.AcFail = true;
    site.Devices = {Device(4, "PIR detector", 3, 0.052, 0.052),
                    Device(1, "Sounder", 3, 0.02, 0.42)};
    const std::string path = folder.File("a.KVR");
    WriteSite(path, site);
    const CliRun run = RunTool(Args({"check", "--json"}, {path}));
    EXPECT_EQ(run.Status, kCliOk) << run.Err;
    example["sites"][0]["file"] = path;
    EXPECT_EQ(Json::parse(run.Out), example);
}

// Before, the credit line took the site from exit status 1 to 0.
TEST(CliCheck, ANegativeDeviceCurrentFailsBothVerdicts) {
    const PinnedSites sites;
    const CliRun check = RunTool(Args({"check"}, {sites.negative}));
    EXPECT_EQ(check.Status, kCliFails);
    EXPECT_EQ(check.Out, sites.negative +
                             ": standby fails (144.41 Hours), alarm current fails (0.496 Amps)\n");

    const CliRun report = RunTool(Args({"report"}, {sites.negative}));
    ASSERT_EQ(report.Status, kCliOk) << report.Err;
    EXPECT_NE(report.Out.find("30 Hours Standby\t\t144.41 Hours\tDevice line 4 has a negative "
                              "current.\r\n"),
              std::string::npos)
        << report.Out;
    EXPECT_NE(report.Out.find("Max Alarm Current: 1.25 Amps\t0.496 Amps\tDevice line 4 has a "
                              "negative current.\r\n"),
              std::string::npos)
        << report.Out;
}

// ---------------------------------------------------------------------------
// The fast path against the window: every panel at every grade, every
// battery position and one past the list, AC fail either way, and loads that
// meet, fail, overflow, cancel to zero or hold a negative line.

std::vector<std::vector<TDeviceData>> Loads(int panel, int grade) {
    std::vector<std::vector<TDeviceData>> loads;
    loads.push_back({});
    std::vector<TDeviceData> catalogue;
    int qty = 1;
    for (const int row : CatalogueForPanel(panel, 1)) {
        const CatalogueDevice& device = DeviceCatalogue[static_cast<std::size_t>(row)];
        catalogue.push_back(Device(qty, std::string(device.Name), device.Grade,
                                   device.Quiescent * qty, device.Alarm * qty));
        qty = qty % 5 + 1;
        if (catalogue.size() == 12)
            break;
    }
    catalogue.push_back(Device(2, "Below grade", grade - 1, 0.0125, 0.335));
    loads.push_back(catalogue);
    loads.push_back({Device(1, "Huge", 3, 1e308, 1e308), Device(1, "Huge", 3, 1e308, 1e308)});
    const double own = PanelTable[static_cast<std::size_t>(panel)].PanelCurrent;
    loads.push_back({Device(1, "Sounder", 3, 0.01, 0.9), Device(1, "Cancel", 3, -own - 0.01, 0)});
    std::vector<TDeviceData> many;
    for (int i = 0; i < 100; ++i)
        many.push_back(Device(1, "Line", 3, 0.0005 * i, i == 50 ? -0.0 : 0.002 * i));
    loads.push_back(many);
    return loads;
}

// The first line where two outputs part, rather than both outputs whole.
void ExpectSameLines(const std::string& actual, const std::string& expected) {
    std::size_t at = 0;
    while (at < actual.size() && at < expected.size() && actual[at] == expected[at])
        ++at;
    if (at == actual.size() && at == expected.size())
        return;
    const std::size_t start = expected.rfind('\n', at == 0 ? 0 : at - 1);
    const std::size_t from = start == std::string::npos ? 0 : start + 1;
    ADD_FAILURE() << "outputs part at\n  actual:   "
                  << actual.substr(from, actual.find('\n', at) - from)
                  << "\n  expected: " << expected.substr(from, expected.find('\n', at) - from);
}

struct Expected {
    std::string Out;
    std::string Err;
};

// What check printed before it had a path of its own: each site opened in a
// window, its verdicts read from the colours of the two result labels, and
// an unusable site's message as report gives it.
void AddWindowLine(const std::string& path, std::int32_t standard, std::int32_t period,
                   char separator, Expected& expected) {
    MemorySettingsStore settings;
    settings.values[std::string(kSystemStandardValue)] = standard;
    settings.values[std::string(kAlarmPeriodValue)] = period;
    SilentPrompter prompter;
    SiteEditor editor(settings, prompter, separator);
    if (!editor.OpenFile(path) || !editor.View().Enabled.mnuGenReport) {
        CliEnvironment environment;
        environment.DecimalSeparator = separator;
        const CliRun report = RunTool({"report", "--standard", FormatInt(standard),
                                       "--alarm-period", FormatInt(period), path},
                                      environment);
        EXPECT_EQ(report.Status, kCliError) << path;
        expected.Err += report.Err;
        return;
    }
    const DisplayTexts& texts = editor.Texts();
    const auto word = [](const Rgb& colour) { return colour == kVerdictMeets ? "meets" : "fails"; };
    expected.Out += path + ": standby " + word(texts.lbActStandbyColor) + " (" +
                    texts.lbActStandby + "), alarm current " + word(texts.lbActPeakColor) + " (" +
                    texts.lbActPeak + ")\n";
}

TEST(CliCheckDifferential, EveryGeneratedSiteReadsAsTheWindowShowsIt) {
    TempFolder folder;
    std::vector<std::string> files;
    for (int grade = 1; grade <= 3; ++grade) {
        for (int panel = 0; panel < kPanelCount; ++panel) {
            const int batteries = static_cast<int>(BatteriesForPanel(panel).size());
            const auto loads = Loads(panel, grade);
            for (const int battery : {0, batteries - 1, batteries}) {
                for (const bool acFail : {false, true}) {
                    for (std::size_t load = 0; load < loads.size(); ++load) {
                        SiteFileData site;
                        site.SiteRef = "Site";
                        site.Grade = grade;
                        site.Panel = panel;
                        site.Battery = battery;
                        site.AcFail = acFail;
                        site.Devices = loads[load];
                        const std::string path =
                            folder.File("s" + std::to_string(files.size()) + ".KVR");
                        const std::vector<unsigned char> bytes = EncodeSiteFile(site);
                        std::ofstream(FsPath(path), std::ios::binary)
                            .write(reinterpret_cast<const char*>(bytes.data()),
                                   static_cast<std::streamsize>(bytes.size()));
                        files.push_back(path);
                    }
                }
            }
        }
    }

    struct Settings {
        std::int32_t Standard, Period;
        char Separator;
    };
    for (const Settings& s : {Settings{0, 15, '.'}, Settings{1, 120, ','}, Settings{0, 1, '.'}}) {
        SCOPED_TRACE(std::to_string(s.Standard) + " " + std::to_string(s.Period));
        Expected expected;
        for (const std::string& path : files)
            AddWindowLine(path, s.Standard, s.Period, s.Separator, expected);

        CliEnvironment environment;
        environment.DecimalSeparator = s.Separator;
        std::vector<std::string> args = {"check", "--standard", FormatInt(s.Standard),
                                         "--alarm-period", FormatInt(s.Period)};
        args.insert(args.end(), files.begin(), files.end());
        const CliRun check = RunTool(args, environment);
        ExpectSameLines(check.Out, expected.Out);
        ExpectSameLines(check.Err, expected.Err);
        EXPECT_EQ(check.Status, kCliError);

        // The JSON form agrees on which sites can be used and which meet.
        args.insert(args.begin() + 1, "--json");
        const Json doc = Json::parse(RunTool(args, environment).Out);
        ASSERT_EQ(doc["sites"].size(), files.size());
        std::size_t usable = 0;
        std::size_t meet = 0;
        for (const Json& site : doc["sites"]) {
            if (!site["error"].is_null())
                continue;
            const std::string line = site["file"].get<std::string>() + ": standby " +
                                     (site["standby"] == "meets" ? "meets" : "fails");
            EXPECT_NE(expected.Out.find(line + " ("), std::string::npos) << line;
            ++usable;
            meet += site["standby"] == "meets" && site["alarmCurrent"] == "meets";
        }
        EXPECT_EQ(usable, LineCount(expected.Out));
        EXPECT_EQ(doc["summary"]["meet"], meet);
        EXPECT_GT(meet, 0u);
        EXPECT_GT(doc["summary"]["fail"].get<std::size_t>(), 0u);
    }
}

} // namespace
} // namespace brellic::test
