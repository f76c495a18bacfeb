// import and export: the round trips and every way a JSON site can be wrong.
#include "CliTestSupport.h"

#include "io/SiteJson.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <cstring>
#include <limits>

namespace brellic::test {
namespace {

using Json = nlohmann::json;

std::uint64_t Bits(double value) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// Doubles that a careless writer would not read back exactly.
SiteFileData AwkwardSite() {
    SiteFileData site;
    site.SiteRef =
        std::string(48, 'x') + "\xC3\xBF\xE2\x82\xAC"; // 50 characters: ... y-umlaut, euro
    site.Grade = 1;
    site.Panel = 0;
    site.Battery = 0;
    site.AcFail = true;
    site.Devices = {
        Device(0, "", 2, 0.1 + 0.2, 1.0 / 3.0),
        Device(3, "Door \"contact\" \\", 7, -0.0, 5e-324),
        Device(2147483647, "\xC5\xB8 last of the high bytes", -2147483647 - 1, 1e300,
               2.2250738585072014e-308),
        Device(1, "Custom", 3, 123456789.125, 0.000001),
    };
    return site;
}

TEST(CliJson, ImportThenExportGivesTheSameValues) {
    TempFolder folder;
    const SiteFileData site = AwkwardSite();
    const std::string text = SiteToJson(site);
    WriteAll(folder.File("in.json"), text);

    const CliRun imported = RunTool({"import", folder.File("in.json"), "-o", folder.File("s.KVR")});
    ASSERT_EQ(imported.Status, kCliOk) << imported.Err;
    EXPECT_EQ(imported.Out, "");
    EXPECT_EQ(imported.Err, "");
    const CliRun exported = RunTool({"export", folder.File("s.KVR")});
    ASSERT_EQ(exported.Status, kCliOk) << exported.Err;
    EXPECT_EQ(Json::parse(exported.Out), Json::parse(text));

    // Equal as JSON values is not enough for -0.0 and subnormals: compare bits.
    const SiteJsonResult back = SiteFromJson(exported.Out);
    ASSERT_TRUE(back) << back.Error;
    ASSERT_EQ(back.Data.Devices.size(), site.Devices.size());
    for (std::size_t i = 0; i < site.Devices.size(); ++i) {
        EXPECT_EQ(Bits(back.Data.Devices[i].Quiescent), Bits(site.Devices[i].Quiescent)) << i;
        EXPECT_EQ(Bits(back.Data.Devices[i].Alarm), Bits(site.Devices[i].Alarm)) << i;
    }
    EXPECT_EQ(back.Data, site);
}

TEST(CliJson, ExportThenImportGivesTheSameBytes) {
    TempFolder folder;
    SiteFileData full = MeetingSite();
    full.Devices.clear();
    for (int i = 0; i < 100; ++i)
        full.Devices.push_back(Device(i, "Line " + std::to_string(i), i % 4, i * 0.013, i * 0.07));
    for (const SiteFileData& site : {MeetingSite(), FailingSite(), AwkwardSite(), full}) {
        WriteSite(folder.File("saved.KVR"), site);
        const CliRun exported = RunTool({"export", folder.File("saved.KVR")});
        ASSERT_EQ(exported.Status, kCliOk) << exported.Err;
        WriteAll(folder.File("site.json"), exported.Out);
        const CliRun imported =
            RunTool({"import", folder.File("site.json"), "-o", folder.File("again.KVR")});
        ASSERT_EQ(imported.Status, kCliOk) << imported.Err;
        EXPECT_EQ(ReadAll(folder.File("again.KVR")), ReadAll(folder.File("saved.KVR")));
    }
}

TEST(CliJson, ExportWritesTheDocumentedMembers) {
    const Json json = Json::parse(SiteToJson(MeetingSite()));
    EXPECT_EQ(json["siteReference"], "Caf\xC3\xA9 \xE2\x82\xAC 7");
    EXPECT_EQ(json["grade"], 3);
    EXPECT_EQ(json["panel"], 10);
    EXPECT_EQ(json["battery"], 1);
    EXPECT_EQ(json["acFailSignalled"], true);
    ASSERT_EQ(json["devices"].size(), 2u);
    EXPECT_EQ(json["devices"][1], Json::parse(R"({"qty": 1, "description": "Sounder", "grade": 3,
                              "quiescent": 0.02, "alarm": 0.4})"));
}

// A valid site with one member replaced through a JSON pointer.
std::string SiteWith(const std::string& pointer, const Json& value) {
    Json json = Json::parse(SiteToJson(MeetingSite()));
    json[Json::json_pointer(pointer)] = value;
    return json.dump();
}

std::string SiteWithout(const std::string& pointer) {
    Json json = Json::parse(SiteToJson(MeetingSite()));
    const Json::json_pointer member(pointer);
    json[member.parent_pointer()].erase(member.back());
    return json.dump();
}

struct BadJson {
    const char* Name;
    std::string Text;
    const char* Reason; // a part of the message
};

std::vector<BadJson> BadJsonCases() {
    Json many = Json::parse(SiteToJson(MeetingSite()));
    for (int i = 0; i < 99; ++i)
        many["devices"].push_back(many["devices"][0]);
    return {
        {"not JSON", "{\"grade\": ", "not JSON"},
        {"empty file", "", "not JSON"},
        {"trailing text", SiteToJson(MeetingSite()) + "x", "not JSON"},
        {"a second value", SiteToJson(MeetingSite()) + "{}", "not JSON"},
        {"NUL and garbage after the value", SiteToJson(MeetingSite()) + std::string("\0\x01zz", 4),
         "not JSON: a NUL byte at offset"},
        {"one NUL after the value", SiteToJson(MeetingSite()) + std::string(1, '\0'),
         "not JSON: a NUL byte at offset"},
        {"an array", "[]", "not a JSON object"},
        {"missing member", SiteWithout("/panel"), "\"panel\" is missing"},
        {"missing device member", SiteWithout("/devices/1/alarm"),
         "\"devices[1].alarm\" is missing"},
        {"text as number", SiteWith("/grade", "3"), "\"grade\" must be a whole number"},
        {"fraction as whole number", SiteWith("/battery", 1.0),
         "\"battery\" must be a whole number"},
        {"number too large", SiteWith("/devices/0/qty", 2147483648LL),
         "\"devices[0].qty\" must be"},
        {"number as text", SiteWith("/siteReference", 7), "\"siteReference\" must be a string"},
        {"number as flag", SiteWith("/acFailSignalled", 1), "must be true or false"},
        {"devices not an array", SiteWith("/devices", Json::object()), "must be an array"},
        {"device not an object", SiteWith("/devices/0", 5), "\"devices[0]\" must be an object"},
        {"current as text", SiteWith("/devices/0/quiescent", "0.1"), "must be a number"},
        {"grade 0", SiteWith("/grade", 0), "grade 0 is not 1, 2 or 3"},
        {"grade 4", SiteWith("/grade", 4), "grade 4 is not 1, 2 or 3"},
        {"panel -1", SiteWith("/panel", -1), "panel -1 is not a row from 0 to 21"},
        {"panel 22", SiteWith("/panel", 22), "panel 22 is not a row from 0 to 21"},
        {"battery past the list", SiteWith("/battery", 3),
         "battery position 3 is not in the battery list"},
        {"battery -1", SiteWith("/battery", -1), "battery position -1"},
        {"101 devices", many.dump(), "101 devices; at most 100"},
        {"negative quantity", SiteWith("/devices/1/qty", -1),
         "devices[1]: the quantity -1 is negative"},
        {"reference of 51 characters", SiteWith("/siteReference", std::string(51, 'r')),
         "51 characters; at most 50"},
        {"description of 51 characters",
         SiteWith("/devices/0/description", std::string(50, 'd') + "\xC3\xA9"),
         "devices[0]: the description has 51 characters"},
        {"character outside Windows-1252", SiteWith("/siteReference", "\xCE\xA9hm"),
         "only Windows-1252 characters fit"},
        // Imported texts reach Report.Txt raw: an escape sequence, a NUL.
        {"escape in the site reference", SiteWith("/siteReference", "Mill\x1b[2JLane"),
         "member \"siteReference\" holds the control character U+001B"},
        {"NUL in a description", SiteWith("/devices/1/description", std::string("Sou\0nder", 8)),
         "member \"devices[1].description\" holds the control character U+0000"},
        {"DEL in a description", SiteWith("/devices/0/description", "Door\x7f"),
         "member \"devices[0].description\" holds the control character U+007F"},
        // A negative current cancels other lines' load and lets a failing site pass.
        {"negative quiescent current", SiteWith("/devices/0/quiescent", -0.5),
         "member \"devices[0].quiescent\" is negative: device line 1 cannot draw a negative "
         "current"},
        {"negative alarm current", SiteWith("/devices/1/alarm", -1e-9),
         "member \"devices[1].alarm\" is negative: device line 2"},
        {"infinite current", R"({"siteReference": "", "grade": 1, "panel": 0, "battery": 0,
            "acFailSignalled": false, "devices": [{"qty": 1, "description": "", "grade": 1,
            "quiescent": 1e999, "alarm": 0}]})",
         "number overflow"},
    };
}

TEST(CliJson, BadJsonIsRefusedAndTheOutputLeftAlone) {
    TempFolder folder;
    const std::string json = folder.File("bad.json");
    const std::string existing = folder.File("existing.KVR");
    const std::string fresh = folder.File("fresh.KVR");
    WriteAll(existing, "earlier content");
    for (const BadJson& bad : BadJsonCases()) {
        SCOPED_TRACE(bad.Name);
        WriteAll(json, bad.Text);
        for (const std::string& out : {existing, fresh}) {
            const CliRun run = RunTool({"import", json, "-o", out});
            EXPECT_EQ(run.Status, kCliError);
            EXPECT_EQ(run.Out, "");
            EXPECT_EQ(LineCount(run.Err), 1u) << run.Err;
            EXPECT_NE(run.Err.find(json), std::string::npos) << run.Err;
            EXPECT_NE(run.Err.find(bad.Reason), std::string::npos) << run.Err;
        }
        EXPECT_EQ(ReadAll(existing), "earlier content");
        EXPECT_FALSE(std::filesystem::exists(FsPath(fresh)));
        EXPECT_EQ(folder.EntryCount(), 2u); // bad.json and existing.KVR: no temporary left over
    }
}

TEST(CliJson, UnreadableInputAndUnwritableOutputAreErrors) {
    TempFolder folder;
    WriteAll(folder.File("site.json"), SiteToJson(MeetingSite()));

    const CliRun missing =
        RunTool({"import", folder.File("none.json"), "-o", folder.File("o.KVR")});
    EXPECT_EQ(missing.Status, kCliError);
    EXPECT_NE(missing.Err.find("none.json"), std::string::npos);

    const CliRun noFolder =
        RunTool({"import", folder.File("site.json"), "-o", folder.File("no/such/o.KVR")});
    EXPECT_EQ(noFolder.Status, kCliError);
    EXPECT_NE(noFolder.Err.find("o.KVR"), std::string::npos);
    EXPECT_EQ(noFolder.Out, "");
}

TEST(CliJson, CurrentsMustBeFinite) {
    for (const double bad :
         {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
          std::numeric_limits<double>::quiet_NaN()}) {
        SiteFileData site = MeetingSite();
        site.Devices[1].Alarm = bad;
        EXPECT_EQ(CheckSiteData(site), "devices[1]: the alarm current is not a finite number");
        site.Devices[1].Alarm = 0;
        site.Devices[0].Quiescent = bad;
        EXPECT_EQ(CheckSiteData(site), "devices[0]: the quiescent current is not a finite number");
    }
}

TEST(CliJson, UnknownMembersAreIgnored) {
    Json json = Json::parse(SiteToJson(MeetingSite()));
    json["comment"] = "written by hand";
    json["devices"][0]["note"] = 1;
    const SiteJsonResult site = SiteFromJson(json.dump());
    ASSERT_TRUE(site) << site.Error;
    EXPECT_EQ(site.Data, MeetingSite());
}

} // namespace
} // namespace brellic::test
