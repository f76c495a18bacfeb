// The installation file: its layout, round trips, and every way a file can
// be refused.
#include "TempFolder.h"

#include "io/InstallationFile.h"
#include "io/SiteJson.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace brellic::test {
namespace {

using Json = nlohmann::json;

const std::filesystem::path kInstallations = BRELLIC_IO_INSTALLATIONS_DIR;

Installation Minimal() {
    Installation installation;
    installation.Standard = 0;
    installation.AlarmPeriodMinutes = 1;
    SupplySite site;
    site.Grade = 1;
    site.Panel = 0;
    site.Battery = 0;
    installation.Supplies.push_back({"Shop", site});
    return installation;
}

TEST(InstallationFile, WritesTheMembersInOrderTwoSpacesDeep) {
    Installation installation = Minimal();
    installation.Supplies[0].Site.Devices.push_back({2, 1, "PIR", 0.026, 0.5});
    installation.Supplies[0].Site.Devices.push_back({1, 1, "Sounder", 0.01, 0.2});
    installation.Supplies[0].Site.Battery.reset();
    installation.Supplies[0].LowestOutputVolts = 11;
    CableRun run;
    run.Name = "Hall";
    run.Cable = 1;
    run.OhmsPerMetrePerCore = 0.039;
    run.CoresPositive = 2;
    run.LengthM = 25.5;
    run.Lines = {{1, {}}, {0, 12.5}};
    installation.Supplies[0].Runs.push_back(run);
    EXPECT_EQ(InstallationToJson(installation), R"({
  "format": "brellic-installation",
  "version": 1,
  "name": "",
  "address": "",
  "standard": "EN50131-1",
  "alarmPeriodMinutes": 1,
  "supplies": [
    {
      "name": "Shop",
      "site": {
        "siteReference": "",
        "grade": 1,
        "panel": 0,
        "battery": null,
        "acFailSignalled": false,
        "devices": [
          {
            "qty": 2,
            "description": "PIR",
            "grade": 1,
            "quiescent": 0.026,
            "alarm": 0.5
          },
          {
            "qty": 1,
            "description": "Sounder",
            "grade": 1,
            "quiescent": 0.01,
            "alarm": 0.2
          }
        ]
      },
      "lowestOutputVolts": 11.0,
      "runs": [
        {
          "name": "Hall",
          "cable": "0.5 mm)"
                                                "\xC2\xB2"
                                                R"(",
          "ohmsPerMetrePerCore": 0.039,
          "coresPositive": 2,
          "coresNegative": 1,
          "lengthM": 25.5,
          "minVolts": 9.5,
          "lines": [
            {
              "line": 2,
              "distanceM": null
            },
            {
              "line": 1,
              "distanceM": 12.5
            }
          ]
        }
      ]
    }
  ]
}
)");
}

TEST(InstallationFile, AnyStandardButZeroIsWrittenAsPd6662) {
    Installation installation = Minimal();
    installation.Standard = 7;
    const InstallationResult read = InstallationFromJson(InstallationToJson(installation));
    ASSERT_TRUE(read) << read.Error;
    EXPECT_EQ(read.Data.Standard, 1);
    EXPECT_NE(InstallationToJson(installation).find("\"standard\": \"PD6662\""), std::string::npos);
}

// The seeds of the fuzz target and the sample in docs/: each reads, and the
// writer gives its bytes back, so a file saved unchanged shows no diff.
TEST(InstallationFile, SavedFilesReopenAndWriteBackByteForByte) {
    std::vector<std::filesystem::path> files = {
        kInstallations.parent_path().parent_path().parent_path() /
        "docs/sample-installation.brellic"};
    for (const auto& entry : std::filesystem::directory_iterator(kInstallations))
        files.push_back(entry.path());
    ASSERT_GE(files.size(), 5u);
    TempFolder folder;
    for (const std::filesystem::path& file : files) {
        SCOPED_TRACE(file.string());
        const std::u8string name = file.u8string();
        const InstallationResult read = ReadInstallationFile(std::string(name.begin(), name.end()));
        ASSERT_TRUE(read) << read.Error;
        ASSERT_TRUE(WriteInstallationFile(folder.File("again.brellic"), read.Data));
        EXPECT_EQ(ReadAll(folder.File("again.brellic")),
                  ReadAll(std::string(name.begin(), name.end())));
        const InstallationResult again = ReadInstallationFile(folder.File("again.brellic"));
        ASSERT_TRUE(again) << again.Error;
        EXPECT_EQ(again.Data, read.Data);
    }
}

// A file made before cable runs: no runs, from the default 10.5 V.
TEST(InstallationFile, AFileWithoutCableRunsReadsAsNone) {
    Json json = Json::parse(ReadAll((kInstallations / "sample.brellic").string()));
    for (Json& supply : json["supplies"]) {
        supply.erase("lowestOutputVolts");
        supply.erase("runs");
    }
    const InstallationResult read = InstallationFromJson(json.dump());
    ASSERT_TRUE(read) << read.Error;
    for (const InstallationSupply& supply : read.Data.Supplies) {
        EXPECT_EQ(supply.LowestOutputVolts, 10.5);
        EXPECT_TRUE(supply.Runs.empty());
    }
}

TEST(InstallationFile, ASupplyWithoutPanelOrBatteryIsNoSiteFile) {
    const InstallationResult read =
        ReadInstallationFile((kInstallations / "incomplete.brellic").string());
    ASSERT_TRUE(read) << read.Error;
    ASSERT_EQ(read.Data.Supplies.size(), 3u);
    EXPECT_FALSE(read.Data.Supplies[0].Site.Panel);
    EXPECT_FALSE(SiteFileOf(read.Data.Supplies[0].Site));
    EXPECT_EQ(read.Data.Supplies[1].Site.Panel, 12);
    EXPECT_FALSE(SiteFileOf(read.Data.Supplies[1].Site));
    ASSERT_TRUE(SiteFileOf(read.Data.Supplies[2].Site));
    EXPECT_EQ(SiteFileOf(read.Data.Supplies[2].Site)->Battery, 2);

    // Only an installation's supply may lack them: a site never does.
    Json site = Json::parse(SiteToJson(*SiteFileOf(read.Data.Supplies[2].Site)));
    site["panel"] = nullptr;
    EXPECT_EQ(SiteFromJson(site.dump()).Error,
              "member \"panel\" must be a whole number from -2147483648 to 2147483647");
}

Json SampleJson() {
    return Json::parse(ReadAll((kInstallations / "sample.brellic").string()));
}

std::string SampleWith(const std::string& pointer, const Json& value) {
    Json json = SampleJson();
    json[Json::json_pointer(pointer)] = value;
    return json.dump();
}

std::string SampleWithout(const std::string& pointer) {
    Json json = SampleJson();
    const Json::json_pointer member(pointer);
    json[member.parent_pointer()].erase(member.back());
    return json.dump();
}

// text with the first occurrence of what replaced.
std::string Replaced(std::string text, const std::string& what, const std::string& by) {
    const std::size_t at = text.find(what);
    EXPECT_NE(at, std::string::npos) << what;
    return at == std::string::npos ? text : text.replace(at, what.size(), by);
}

struct Refusal {
    const char* Name;
    std::string Text;
    std::string Message; // the whole message, or its start when it ends in "..."
};

std::vector<Refusal> Refusals() {
    Json manySupplies = SampleJson();
    while (manySupplies["supplies"].size() < 33) {
        Json supply = manySupplies["supplies"][0];
        supply["name"] = "PSU " + std::to_string(manySupplies["supplies"].size());
        manySupplies["supplies"].push_back(supply);
    }
    Json manyLines = SampleJson();
    while (manyLines["supplies"][1]["site"]["devices"].size() < 101)
        manyLines["supplies"][1]["site"]["devices"].push_back(
            manyLines["supplies"][1]["site"]["devices"][0]);
    const std::string sample = SampleJson().dump(2);
    Json manyRuns = SampleJson();
    while (manyRuns["supplies"][0]["runs"].size() < 33) {
        Json run = manyRuns["supplies"][0]["runs"][0];
        run["lines"] = Json::array();
        manyRuns["supplies"][0]["runs"].push_back(run);
    }
    // Supply 1 of the sample has two device lines, and two runs of 7/0.2:
    // its detectors over 30 m, its sounder over 20 m.
    const std::string run = "/supplies/1/runs/1/";
    Json customZero = SampleJson();
    customZero[Json::json_pointer(run + "cable")] = nullptr;
    customZero[Json::json_pointer(run + "ohmsPerMetrePerCore")] = 0;
    return {
        {"syntax error", sample.substr(0, 200), "not JSON: parse error at line 9, column 10..."},
        {"NUL byte", sample + std::string(1, '\0'), "not JSON: a NUL byte at offset ..."},
        {"an array", "[1]", "not a JSON object"},
        {"a site file's JSON", R"({"siteReference": ""})",
         "not an installation file: member \"format\" must be \"brellic-installation\""},
        {"another format", SampleWith("/format", "brellic-site"), "not an installation file..."},
        {"newer version", SampleWith("/version", 2),
         "the file was made by a newer version of Brellic (file version 2; this version reads "
         "version 1)"},
        // A later version may change anything else: the version is looked at first.
        {"newer version, other layout", R"({"format": "brellic-installation", "version": 3})",
         "the file was made by a newer version of Brellic..."},
        {"version 0", SampleWith("/version", 0), "member \"version\" is 0; versions start at 1"},
        {"version as text", SampleWith("/version", "1"),
         "member \"version\" must be a whole number from -2147483648 to 2147483647"},
        {"missing address", SampleWithout("/address"), "member \"address\" is missing"},
        {"name as number", SampleWith("/name", 5), "member \"name\" must be a string"},
        {"unknown standard", SampleWith("/standard", "EN 50131"),
         "member \"standard\" must be \"EN50131-1\" or \"PD6662\""},
        {"alarm period 0", SampleWith("/alarmPeriodMinutes", 0),
         "member \"alarmPeriodMinutes\" is 0; it must be 1 to 120"},
        {"alarm period 121", SampleWith("/alarmPeriodMinutes", 121),
         "member \"alarmPeriodMinutes\" is 121; it must be 1 to 120"},
        {"alarm period as fraction", SampleWith("/alarmPeriodMinutes", 15.5),
         "member \"alarmPeriodMinutes\" must be a whole number..."},
        {"supplies not an array", SampleWith("/supplies", Json::object()),
         "member \"supplies\" must be an array"},
        {"no supplies", SampleWith("/supplies", Json::array()),
         "member \"supplies\" is empty; an installation holds 1 to 32 supplies"},
        {"33 supplies", manySupplies.dump(),
         "member \"supplies\" holds 33 supplies; at most 32 fit"},
        {"supply not an object", SampleWith("/supplies/1", "PSU"),
         "member \"supplies[1]\" must be an object"},
        {"supply without a name", SampleWithout("/supplies/2/name"),
         "member \"supplies[2].name\" is missing"},
        {"supply without a site", SampleWithout("/supplies/0/site"),
         "member \"supplies[0].site\" is missing"},
        {"site not an object", SampleWith("/supplies/0/site", Json::array()),
         "member \"supplies[0].site\" must be an object"},
        {"missing device member", SampleWithout("/supplies/1/site/devices/1/alarm"),
         "member \"supplies[1].site.devices[1].alarm\" is missing"},
        {"panel as text", SampleWith("/supplies/2/site/panel", "QX-410 Panel"),
         "member \"supplies[2].site.panel\" must be a whole number from -2147483648 to "
         "2147483647, or null"},
        {"unknown panel", SampleWith("/supplies/1/site/panel", 22),
         "supplies[1].site: the panel 22 is not a row from 0 to 21"},
        {"unknown battery", SampleWith("/supplies/0/site/battery", 3),
         "supplies[0].site: the battery position 3 is not in the battery list of \"QX-410 "
         "Panel\", which holds 3 batteries counted from 0"},
        {"battery without a panel", SampleWith("/supplies/0/site/panel", nullptr),
         "supplies[0].site: the battery position 1 is given, but no panel is chosen"},
        {"101 lines", manyLines.dump(),
         "supplies[1].site: the site has 101 devices; at most 100 fit"},
        {"negative quantity", SampleWith("/supplies/2/site/devices/0/qty", -1),
         "supplies[2].site.devices[0]: the quantity -1 is negative"},
        {"negative current", SampleWith("/supplies/2/site/devices/1/alarm", -0.07),
         "member \"supplies[2].site.devices[1].alarm\" is negative: device line 2 cannot draw a "
         "negative current"},
        {"infinite current", Replaced(sample, "\"quiescent\": 0.12", "\"quiescent\": 1e999"),
         "not JSON: number overflow parsing '1e999'..."},
        {"control character in the name", SampleWith("/name", "Mill\nLane"),
         "member \"name\" holds the control character U+000A"},
        {"control character in the address", SampleWith("/address", "Unit 4\t"),
         "member \"address\" holds the control character U+0009"},
        {"control character in a supply name", SampleWith("/supplies/1/name", "PSU\x1b"),
         "member \"supplies[1].name\" holds the control character U+001B"},
        {"control character in a site reference",
         SampleWith("/supplies/2/site/siteReference", "Yard\r"),
         "member \"supplies[2].site.siteReference\" holds the control character U+000D"},
        {"control character in a description",
         SampleWith("/supplies/0/site/devices/3/description", std::string("Sou\0nder", 8)),
         "member \"supplies[0].site.devices[3].description\" holds the control character U+0000"},
        {"name of 101 characters", SampleWith("/name", std::string(100, 'n') + "\xC3\xA9"),
         "member \"name\" has 101 characters; at most 100 fit"},
        {"address outside Windows-1252", SampleWith("/address", "\xCE\xA9 Street"),
         "member \"address\" holds a character that a site file and Report.Txt cannot hold (only "
         "Windows-1252 characters fit)"},
        {"supply name of 51 characters", SampleWith("/supplies/0/name", std::string(51, 's')),
         "member \"supplies[0].name\" has 51 characters; at most 50 fit"},
        {"empty supply name", SampleWith("/supplies/1/name", ""),
         "member \"supplies[1].name\" is empty; every supply needs a name"},
        {"two supplies of one name", SampleWith("/supplies/2/name", "Control panel"),
         "member \"supplies[2].name\" is \"Control panel\", the name of supplies[0] too; supply "
         "names must be unique"},
        {"lowest output voltage as text", SampleWith("/supplies/1/lowestOutputVolts", "10.5"),
         "member \"supplies[1].lowestOutputVolts\" must be a number"},
        {"lowest output voltage below 5 V", SampleWith("/supplies/1/lowestOutputVolts", 4.5),
         "member \"supplies[1].lowestOutputVolts\" is 4.5; it must be 5 to 30 V"},
        {"lowest output voltage over 30 V", SampleWith("/supplies/1/lowestOutputVolts", 30.25),
         "member \"supplies[1].lowestOutputVolts\" is 30.25; it must be 5 to 30 V"},
        {"runs not an array", SampleWith("/supplies/1/runs", Json::object()),
         "member \"supplies[1].runs\" must be an array"},
        {"33 runs", manyRuns.dump(), "member \"supplies[0].runs\" holds 33 runs; at most 32 fit"},
        {"run not an object", SampleWith("/supplies/1/runs/1", 7),
         "member \"supplies[1].runs[1]\" must be an object"},
        {"run without its minimum", SampleWithout(run + "minVolts"),
         "member \"supplies[1].runs[1].minVolts\" is missing"},
        {"run without a name", SampleWith(run + "name", ""),
         "member \"supplies[1].runs[1].name\" is empty; every cable run needs a name"},
        {"control character in a run name", SampleWith(run + "name", "Bay\t2"),
         "member \"supplies[1].runs[1].name\" holds the control character U+0009"},
        // What the five bytes Windows-1252 leaves undefined read as.
        {"C1 control in a supply name", SampleWith("/supplies/1/name", "PSU\xC2\x81"),
         "member \"supplies[1].name\" holds the control character U+0081"},
        {"C1 control in a description",
         SampleWith("/supplies/0/site/devices/3/description", "Sounder \xC2\x9D"),
         "member \"supplies[0].site.devices[3].description\" holds the control character U+009D"},
        {"two runs of one name", SampleWith(run + "name", "Loading bay detectors"),
         "member \"supplies[1].runs[1].name\" is \"Loading bay detectors\", the name of "
         "supplies[1].runs[0] too; "
         "a supply's cable runs must have distinct names"},
        {"unknown cable that would work a terminal",
         SampleWith(run + "cable", "\x1b]0;owned\x07\x1b[2J" + std::string(7 << 20, 'x')),
         "member \"supplies[1].runs[1].cable\" is \"\\u001B]0;owned\\u0007\\u001B[2J" +
             std::string(46, 'x') + "\xE2\x80\xA6\", not a cable of the table"},
        {"unknown cable", SampleWith(run + "cable", "0.6 mm\xC2\xB2"),
         "member \"supplies[1].runs[1].cable\" is \"0.6 mm\xC2\xB2\", not a cable of the table"},
        {"cable as a number", SampleWith(run + "cable", 0),
         "member \"supplies[1].runs[1].cable\" must be a cable of the table by its name, or null"},
        {"cable's figure not the table's", SampleWith(run + "ohmsPerMetrePerCore", 0.08),
         "member \"supplies[1].runs[1].ohmsPerMetrePerCore\" is 0.08; the table gives 0.085 for "
         "\"7/0.2 alarm cable, 0.22 mm\xC2\xB2\""},
        {"custom figure of 0", customZero.dump(),
         "member \"supplies[1].runs[1].ohmsPerMetrePerCore\" is 0; a resistance per metre must "
         "be greater than 0"},
        {"no cores", SampleWith(run + "coresPositive", 0),
         "member \"supplies[1].runs[1].coresPositive\" is 0; it must be 1 to 4"},
        {"5 cores", SampleWith(run + "coresNegative", 5),
         "member \"supplies[1].runs[1].coresNegative\" is 5; it must be 1 to 4"},
        {"length 0", SampleWith(run + "lengthM", 0),
         "member \"supplies[1].runs[1].lengthM\" is 0; a run must be longer than 0 m and at most "
         "2000 m"},
        {"length over 2000 m", SampleWith(run + "lengthM", 2000.5),
         "member \"supplies[1].runs[1].lengthM\" is 2000.5; a run must be longer than 0 m and at "
         "most 2000 m"},
        {"minimum of 0 V", SampleWith(run + "minVolts", 0),
         "member \"supplies[1].runs[1].minVolts\" is 0; it must be greater than 0 V and below the "
         "supply's lowest output voltage, 10.5 V"},
        {"minimum at the supply's voltage", SampleWith(run + "minVolts", 10.5),
         "member \"supplies[1].runs[1].minVolts\" is 10.5; it must be greater than 0 V and below "
         "the supply's lowest output voltage, 10.5 V"},
        {"line 0", SampleWith(run + "lines/0/line", 0),
         "member \"supplies[1].runs[1].lines[0].line\" is 0; device lines count from 1"},
        {"line beyond the list", SampleWith(run + "lines/0/line", 3),
         "member \"supplies[1].runs[1].lines[0].line\" is 3; the supply has 2 device lines"},
        {"line on two runs", SampleWith(run + "lines/0/line", 1),
         "member \"supplies[1].runs[1].lines[0].line\" is 1, a line supplies[1].runs[0] feeds "
         "too; a device line is on at most one run"},
        {"negative distance", SampleWith(run + "lines/0/distanceM", -0.5),
         "member \"supplies[1].runs[1].lines[0].distanceM\" is -0.5; it must be 0 to the run's "
         "length, 20 m"},
        {"distance beyond the end", SampleWith(run + "lines/0/distanceM", 20.1),
         "member \"supplies[1].runs[1].lines[0].distanceM\" is 20.1; it must be 0 to the run's "
         "length, 20 m"},
        {"distance as text", SampleWith(run + "lines/0/distanceM", "far"),
         "member \"supplies[1].runs[1].lines[0].distanceM\" must be a number, or null for the far "
         "end"},
        {"site reference outside Windows-1252",
         SampleWith("/supplies/1/site/siteReference", "\xE2\x98\x83"),
         "supplies[1].site: the site reference holds a character that a site file cannot hold "
         "(only Windows-1252 characters fit)"},
    };
}

TEST(InstallationFile, EachFaultIsRefusedNamingTheMember) {
    for (const Refusal& refusal : Refusals()) {
        SCOPED_TRACE(refusal.Name);
        const InstallationResult read = InstallationFromJson(refusal.Text);
        EXPECT_FALSE(read);
        EXPECT_EQ(read.Data, Installation{}); // all or nothing
        // The member's path comes after what the fault means to the user.
        const std::size_t plain = read.Error.find(". Detail: ");
        const std::string detail =
            plain == std::string::npos ? read.Error : read.Error.substr(plain + 10);
        if (refusal.Message.ends_with("...")) {
            const std::string start = refusal.Message.substr(0, refusal.Message.size() - 3);
            EXPECT_EQ(detail.substr(0, start.size()), start) << read.Error;
        } else {
            EXPECT_EQ(detail, refusal.Message);
        }
    }
}

TEST(InstallationFile, AFaultSaysFirstWhereItIsInTheUsersWords) {
    const std::string run = "/supplies/1/runs/1/";
    const std::pair<std::string, std::string> cases[] = {
        {SampleWith(run + "lines/0/line", 3),
         "Supply 2 \"Remote PSU, loading bay\", run \"Loading bay sounder\": its line 3 is not "
         "one of the supply's 2 device lines. Detail: member "
         "\"supplies[1].runs[1].lines[0].line\" is 3; the supply has 2 device lines"},
        {SampleWith(run + "name", "Loading bay detectors"),
         "Supply 2 \"Remote PSU, loading bay\": runs 1 and 2 are both named \"Loading bay "
         "detectors\"; each cable run needs a name of its own. Detail: ..."},
        {SampleWith(run + "coresPositive", "2"),
         "Supply 2 \"Remote PSU, loading bay\", run \"Loading bay sounder\": the file's data "
         "for it cannot be used. Detail: ..."},
        {SampleWith("/supplies/2/site/devices/0/qty", -1),
         "Supply 3 \"Remote PSU, yard\": its site data cannot be used. Detail: ..."},
        {SampleJson().dump() + std::string(1, '\0'),
         "The file is not a Brellic installation, or it is damaged: it is not JSON text. Detail: "
         "not JSON: a NUL byte at offset ..."},
    };
    for (const auto& [text, message] : cases) {
        const std::string error = InstallationFromJson(text).Error;
        if (message.ends_with("..."))
            EXPECT_EQ(error.substr(0, message.size() - 3), message.substr(0, message.size() - 3));
        else
            EXPECT_EQ(error, message);
    }
}

TEST(InstallationFile, FileMessagesNameTheFile) {
    TempFolder folder;
    const std::string path = folder.File("site.brellic");

    WriteAll(path, SampleWith("/version", 2));
    EXPECT_EQ(ReadInstallationFile(path).Error,
              "Cannot open \"" + path +
                  "\": the file was made by a newer version of Brellic (file version 2; this "
                  "version reads version 1).");

    WriteAll(path, std::string(kMaxInstallationFileBytes + 1, ' '));
    EXPECT_EQ(ReadInstallationFile(path).Error,
              "Cannot open \"" + path +
                  "\": the file is larger than 8 MiB, too large for an installation.");

    const InstallationResult missing = ReadInstallationFile(folder.File("none.brellic"));
    EXPECT_FALSE(missing);
    EXPECT_NE(missing.Error.find(folder.File("none.brellic")), std::string::npos) << missing.Error;
}

TEST(InstallationFile, TheWriterRefusesWhatTheReaderWould) {
    TempFolder folder;
    const std::string path = folder.File("kept.brellic");
    WriteAll(path, "earlier content");
    Installation installation = Minimal();
    installation.Supplies.push_back(installation.Supplies[0]);
    const IoResult written = WriteInstallationFile(path, installation);
    EXPECT_FALSE(written);
    EXPECT_EQ(written.Message, "Cannot write \"" + path +
                                   "\": member \"supplies[1].name\" is \"Shop\", the name of "
                                   "supplies[0] too; supply names must be unique.");
    EXPECT_EQ(ReadAll(path), "earlier content");
}

TEST(InstallationFile, TheExtensionIsMatchedInAnyCase) {
    EXPECT_TRUE(IsInstallationFileName("a/site.brellic"));
    EXPECT_TRUE(IsInstallationFileName("SITE.BRELLIC"));
    EXPECT_FALSE(IsInstallationFileName(".brellic"));
    EXPECT_FALSE(IsInstallationFileName("site.brellic.KVR"));
}

} // namespace
} // namespace brellic::test
