// combine, split and the export of an installation file.
#include "CliTestSupport.h"

#include "cli/CliArgs.h"
#include "editor/InstallationEditor.h"
#include "editor/Settings.h"
#include "io/InstallationFile.h"
#include "io/SiteJson.h"

#include <nlohmann/json.hpp>

#include <filesystem>
#include <memory>

namespace brellic::test {
namespace {

// A site file as an older tool might leave it: text bytes after the site
// reference, a free slot before the used ones. export and import clean up
// both; combine and split must give the same cleaned file.
std::string UntidySiteFile() {
    SiteFileData site = MeetingSite();
    site.SiteRef = "Untidy";
    site.Devices.insert(site.Devices.begin(), Device(-1, "", 0, 0, 0));
    std::vector<unsigned char> bytes = EncodeSiteFile(site);
    bytes[40] = 'Z';
    return std::string(bytes.begin(), bytes.end());
}

SiteFileData FullSite() {
    SiteFileData site = FailingSite();
    site.SiteRef = "Hundred lines";
    site.Devices.clear();
    for (int i = 0; i < 100; ++i)
        site.Devices.push_back(Device(i, "Line " + std::to_string(i), 1 + i % 3, i * 0.013,
                                      i == 7 ? -0.0 : 1.0 / (i + 3)));
    return site;
}

// What export and then import make of a site file.
std::string ExportedAndImported(TempFolder& folder, const std::string& site) {
    const CliRun exported = RunTool({"export", site});
    EXPECT_EQ(exported.Status, kCliOk) << exported.Err;
    WriteAll(folder.File("through.json"), exported.Out);
    const CliRun imported =
        RunTool({"import", folder.File("through.json"), "-o", folder.File("through.KVR")});
    EXPECT_EQ(imported.Status, kCliOk) << imported.Err;
    return ReadAll(folder.File("through.KVR"));
}

Installation ReadBack(const std::string& path) {
    const InstallationResult read = ReadInstallationFile(path);
    EXPECT_TRUE(read) << read.Error;
    return read.Data;
}

TEST(CliCombine, SplitGivesEachSiteFileBackAsExportThenImportDoes) {
    TempFolder folder;
    WriteSite(folder.File("meeting.KVR"), MeetingSite());
    WriteSite(folder.File("full.KVR"), FullSite());
    WriteAll(folder.File("untidy.KVR"), UntidySiteFile() + "trailing bytes are ignored");
    SiteFileData untitled = FailingSite();
    untitled.SiteRef.clear();
    WriteSite(folder.File("yard.KVR"), untitled);
    const std::vector<std::string> sites = {folder.File("meeting.KVR"), folder.File("full.KVR"),
                                            folder.File("untidy.KVR"), folder.File("yard.KVR")};

    std::vector<std::string> args = {"combine",
                                     "--standard",
                                     "PD6662",
                                     "--alarm-period",
                                     "15",
                                     "-o",
                                     folder.File("all.brellic")};
    args.insert(args.end(), sites.begin(), sites.end());
    const CliRun combined = RunTool(args);
    ASSERT_EQ(combined.Status, kCliOk) << combined.Err;
    EXPECT_EQ(combined.Out + combined.Err, "");

    std::filesystem::create_directory(FsPath(folder.File("out")));
    const CliRun split = RunTool({"split", folder.File("all.brellic"), "-o", folder.File("out")});
    ASSERT_EQ(split.Status, kCliOk) << split.Err;
    EXPECT_EQ(split.Out, "");
    // What a site file cannot hold is said, not lost without a word.
    EXPECT_EQ(split.Err,
              "brellic-cli: warning: installation: its standard (PD6662) and alarm period (15 "
              "minutes) are not kept in a site file\n"
              "brellic-cli: warning: supply 4 \"yard\": its name is not kept in a site file\n");
    for (std::size_t i = 0; i < sites.size(); ++i) {
        SCOPED_TRACE(sites[i]);
        EXPECT_EQ(ReadAll(folder.File("out/supply-0" + std::to_string(i + 1) + ".KVR")),
                  ExportedAndImported(folder, sites[i]));
    }
    EXPECT_FALSE(std::filesystem::exists(FsPath(folder.File("out/supply-05.KVR"))));

    // Named after the site reference, or the file when that is empty.
    const Installation installation = ReadBack(folder.File("all.brellic"));
    ASSERT_EQ(installation.Supplies.size(), 4u);
    EXPECT_EQ(installation.Supplies[0].Name, MeetingSite().SiteRef);
    EXPECT_EQ(installation.Supplies[1].Name, "Hundred lines");
    EXPECT_EQ(installation.Supplies[3].Name, "yard");
    EXPECT_EQ(installation.Name, "");
}

CliEnvironment WithStored(std::int32_t standard, std::int32_t period) {
    CliEnvironment environment;
    environment.StoredSettings = [=]() -> std::unique_ptr<SettingsStore> {
        auto store = std::make_unique<MemorySettingsStore>();
        store->values[std::string(kSystemStandardValue)] = standard;
        store->values[std::string(kAlarmPeriodValue)] = period;
        return store;
    };
    return environment;
}

TEST(CliCombine, TheOptionsOrElseTheStoredSettingsGiveTheStandardAndAlarmPeriod) {
    TempFolder folder;
    WriteSite(folder.File("s.KVR"), MeetingSite());
    const std::string out = folder.File("i.brellic");
    struct Case {
        std::vector<std::string> Options;
        std::int32_t Standard;
        std::int32_t AlarmPeriod;
    };
    const Case cases[] = {
        {{}, 0, 45},
        {{"--standard", "PD6662"}, 1, 45},
        {{"--alarm-period", "120"}, 0, 120},
        {{"--standard", "7", "--alarm-period", "1"}, 1, 1},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"combine", "--name", "Caf\xC3\xA9 Rue 7", "-o", out};
        args.insert(args.end(), c.Options.begin(), c.Options.end());
        args.push_back(folder.File("s.KVR"));
        const CliRun run = RunTool(args, WithStored(0, 45));
        ASSERT_EQ(run.Status, kCliOk) << run.Err;
        const Installation installation = ReadBack(out);
        EXPECT_EQ(installation.Standard, c.Standard);
        EXPECT_EQ(installation.AlarmPeriodMinutes, c.AlarmPeriod);
        EXPECT_EQ(installation.Name, "Caf\xC3\xA9 Rue 7");
    }
}

TEST(CliCombine, RefusesSitesItCannotHoldAndWritesNothing) {
    TempFolder folder;
    const std::string out = folder.File("i.brellic");
    WriteSite(folder.File("a.KVR"), MeetingSite());
    WriteSite(folder.File("b.KVR"), FailingSite()); // the same site reference
    SiteFileData escape = MeetingSite();
    escape.SiteRef = "Mill\x1b[2J";
    WriteSite(folder.File("escape.KVR"), escape);
    WriteAll(folder.File("short.KVR"), "short");

    const CliRun run = RunTool({"combine", "--standard", "0", "--alarm-period", "15", "-o", out,
                                folder.File("a.KVR"), folder.File("b.KVR"),
                                folder.File("escape.KVR"), folder.File("short.KVR")});
    EXPECT_EQ(run.Status, kCliError);
    EXPECT_EQ(run.Err, "brellic-cli: Cannot combine \"" + folder.File("b.KVR") +
                           "\": its supply would be named \"" + MeetingSite().SiteRef +
                           "\", as the supply of \"" + folder.File("a.KVR") +
                           "\" is; supply names must be unique.\n"
                           "brellic-cli: Cannot combine \"" +
                           folder.File("escape.KVR") +
                           "\": member \"siteReference\" holds the control character U+001B.\n"
                           "brellic-cli: Cannot open \"" +
                           folder.File("short.KVR") +
                           "\": the file is shorter than one site record (8328 bytes).\n");
    EXPECT_FALSE(std::filesystem::exists(FsPath(out)));

    std::vector<std::string> many = {"combine", "--standard", "0", "--alarm-period",
                                     "15",      "-o",         out};
    for (int i = 0; i < 33; ++i)
        many.push_back(folder.File("a.KVR"));
    const CliRun tooMany = RunTool(many);
    EXPECT_EQ(tooMany.Status, kCliError);
    EXPECT_EQ(tooMany.Err, "brellic-cli: Cannot combine 33 site files: an installation holds at "
                           "most 32 supplies.\n");
}

TEST(CliSplit, RefusesASupplyNotYetJudgedAndWritesNothing) {
    TempFolder folder;
    Installation installation;
    SupplySite done = SupplySiteOf(MeetingSite());
    SupplySite noBattery = done;
    noBattery.Battery.reset();
    installation.Supplies = {{"Panel", done}, {"Garage", noBattery}};
    ASSERT_TRUE(WriteInstallationFile(folder.File("i.brellic"), installation));
    std::filesystem::create_directory(FsPath(folder.File("out")));

    const CliRun run = RunTool({"split", folder.File("i.brellic"), "-o", folder.File("out")});
    EXPECT_EQ(run.Status, kCliError);
    EXPECT_EQ(run.Err, "brellic-cli: Cannot split \"" + folder.File("i.brellic") +
                           "\": supply 2, \"Garage\", has no battery yet, so it cannot be saved "
                           "as a site file.\n");
    EXPECT_TRUE(std::filesystem::is_empty(FsPath(folder.File("out"))));
}

TEST(CliSplit, TheOutputMustBeAnExistingFolder) {
    TempFolder folder;
    Installation installation;
    installation.Supplies = {{"Panel", SupplySiteOf(MeetingSite())}};
    ASSERT_TRUE(WriteInstallationFile(folder.File("i.brellic"), installation));

    const CliRun missing = RunTool({"split", folder.File("i.brellic"), "-o", folder.File("none")});
    EXPECT_EQ(missing.Status, kCliError);
    EXPECT_EQ(missing.Err, "brellic-cli: Cannot write into \"" + folder.File("none") +
                               "\": there is no such folder.\n");
    WriteAll(folder.File("file"), "a file");
    const CliRun file = RunTool({"split", folder.File("i.brellic"), "-o", folder.File("file")});
    EXPECT_EQ(file.Status, kCliError);
    EXPECT_EQ(file.Err, "brellic-cli: Cannot write into \"" + folder.File("file") +
                            "\": it is not a folder.\n");
    EXPECT_EQ(folder.EntryCount(), 2u);
}

// An installation whose supplies carry what a site file cannot hold.
Installation Depot() {
    Installation installation;
    installation.Name = "Depot";
    installation.Address = "Mill Lane";
    installation.Supplies = {{"Panel", SupplySiteOf(MeetingSite())},
                             {"Remote PSU, loading bay", SupplySiteOf(MeetingSite())}};
    InstallationSupply& remote = installation.Supplies[1];
    remote.LowestOutputVolts = 11.25;
    CableRun run;
    run.Name = "Hall";
    run.Cable = 0;
    run.LengthM = 10;
    remote.Runs = {run, run};
    remote.Runs[1].Name = "Yard";
    return installation;
}

// A file in folder, as the tool names it.
std::string In(const std::string& folder, const char* name) {
    const std::u8string path = (FsPath(folder) / name).u8string();
    return std::string(path.begin(), path.end());
}

TEST(CliSplit, EarlierSupplyFilesAreReplacedOnlyWhenForcedAndAllTogether) {
    TempFolder folder;
    const std::string input = folder.File("depot.brellic");
    ASSERT_TRUE(WriteInstallationFile(input, Depot()));
    const std::string out = folder.File("out");
    std::filesystem::create_directory(FsPath(out));
    WriteAll(In(out, "supply-01.KVR"), "old 1");
    WriteAll(In(out, "supply-05.KVR"), "old 5");
    WriteAll(In(out, "notes.txt"), "kept");

    const CliRun refused = RunTool({"split", input, "-o", out});
    EXPECT_EQ(refused.Status, kCliError);
    EXPECT_EQ(refused.Err, "brellic-cli: Cannot split \"" + input + "\": \"" + out +
                               "\" already holds supply-01.KVR and supply-05.KVR; --force "
                               "replaces them and removes those the installation has no supply "
                               "for.\n");
    EXPECT_EQ(ReadAll(In(out, "supply-01.KVR")), "old 1");
    EXPECT_FALSE(std::filesystem::exists(FsPath(In(out, "supply-02.KVR"))));

    // A folder in the way of supply 2: nothing is written, nothing removed.
    std::filesystem::create_directory(FsPath(In(out, "supply-02.KVR")));
    const CliRun blocked = RunTool({"split", "--force", input, "-o", out});
    EXPECT_EQ(blocked.Status, kCliError);
    EXPECT_EQ(blocked.Err, "brellic-cli: Cannot write \"" + In(out, "supply-02.KVR") +
                               "\": it is a folder, not a file.\n");
    EXPECT_EQ(ReadAll(In(out, "supply-01.KVR")), "old 1");
    EXPECT_EQ(ReadAll(In(out, "supply-05.KVR")), "old 5");

    std::filesystem::remove(FsPath(In(out, "supply-02.KVR")));
    const CliRun forced = RunTool({"split", input, "-o", out, "--force"});
    ASSERT_EQ(forced.Status, kCliOk) << forced.Err;
    EXPECT_EQ(forced.Err,
              "brellic-cli: warning: installation \"Depot\": its name, address, standard "
              "(EN50131-1) and alarm period (15 minutes) are not kept in a site file\n"
              "brellic-cli: warning: supply 1 \"Panel\": its name is not kept in a site file\n"
              "brellic-cli: warning: supply 2 \"Remote PSU, loading bay\": its name, its 2 cable "
              "runs and its lowest output voltage, 11.25 V are not kept in a site file\n");
    EXPECT_EQ(ReadSiteFile(In(out, "supply-01.KVR")).Data, MeetingSite());
    EXPECT_EQ(ReadSiteFile(In(out, "supply-02.KVR")).Data, MeetingSite());
    EXPECT_FALSE(std::filesystem::exists(FsPath(In(out, "supply-05.KVR"))));
    EXPECT_EQ(ReadAll(In(out, "notes.txt")), "kept");
}

TEST(CliSplit, NeverWritesOverItsInputNorThroughALink) {
    TempFolder folder;
    const std::string out = folder.File("out");
    std::filesystem::create_directory(FsPath(out));
    // The installation itself under a supply file's name.
    const std::string input = In(out, "supply-01.KVR");
    ASSERT_TRUE(WriteInstallationFile(input, Depot()));
    const std::string before = ReadAll(input);
    const CliRun self = RunTool({"split", "--force", input, "-o", out});
    EXPECT_EQ(self.Status, kCliError);
    EXPECT_EQ(self.Err,
              "brellic-cli: Cannot write \"" + input + "\": it is the installation being split.\n");
    EXPECT_EQ(ReadAll(input), before);
#ifndef _WIN32
    // A link to it, which a write would follow.
    const std::string moved = folder.File("depot.brellic");
    std::filesystem::rename(FsPath(input), FsPath(moved));
    std::filesystem::create_symlink(FsPath(moved), FsPath(input));
    const CliRun linked = RunTool({"split", "--force", moved, "-o", out});
    EXPECT_EQ(linked.Status, kCliError);
    EXPECT_EQ(linked.Err,
              "brellic-cli: Cannot write \"" + input + "\": it is a symbolic link, not a file.\n");
    EXPECT_EQ(ReadAll(moved), before);
    EXPECT_TRUE(std::filesystem::is_symlink(FsPath(input)));
#endif
}

TEST(CliMessages, QuotedValuesCannotWorkTheTerminal) {
    TempFolder folder;
    const std::string escape = "\x1b]0;owned\x07\x1b[2J";
    const std::string shown = "\\u001B]0;owned\\u0007\\u001B[2J";
    // A file name, and an unknown cable of a damaged installation.
    const CliRun missing = RunTool({"check", folder.File("a" + escape + ".KVR")});
    EXPECT_EQ(missing.Err.find('\x1b'), std::string::npos) << missing.Err;
    EXPECT_NE(missing.Err.find(folder.File("a" + shown + ".KVR")), std::string::npos);
    std::string text = InstallationToJson(Depot());
    text.replace(text.find("\"cable\": \"") + 10, 0, R"(\u001b]0;owned\u0007\u001b[2J)");
    WriteAll(folder.File("damaged.brellic"), text);
    const CliRun check = RunTool({"check", "--json", folder.File("damaged.brellic")});
    EXPECT_EQ(check.Status, kCliError);
    EXPECT_NE(check.Err.find("its cable \"" + shown), std::string::npos) << check.Err;
    EXPECT_EQ(check.Err.find('\x1b'), std::string::npos);
    const nlohmann::json doc = nlohmann::json::parse(check.Out);
    EXPECT_EQ("brellic-cli: " + doc["sites"][0]["error"].get<std::string>() + "\n", check.Err);

    const CliRun name = RunTool({"combine", "--name", escape, "-o", "i.brellic", "s.KVR"});
    EXPECT_EQ(name.Err.find('\x1b'), std::string::npos);
    EXPECT_NE(name.Err.find("not '" + shown + "'"), std::string::npos) << name.Err;

    // A C1 control from a site file's byte 0x81 is escaped in JSON too.
    SiteFileData site = MeetingSite();
    site.SiteRef = "Unit \xC2\x81";
    WriteSite(folder.File("c1.KVR"), site);
    const CliRun json = RunTool({"check", "--json", folder.File("c1.KVR")});
    EXPECT_NE(json.Out.find("\"siteReference\": \"Unit \\u0081\""), std::string::npos) << json.Out;
}

TEST(CliExport, AnInstallationIsPrintedAsItsWriterWritesIt) {
    TempFolder folder;
    Installation installation;
    installation.Name = "Mill Lane";
    installation.Supplies = {{"Panel", SupplySiteOf(MeetingSite())}};
    // Laid out by hand: one line, members out of order.
    WriteAll(folder.File("i.brellic"),
             R"({"supplies": [{"site": )" + SiteToJson(MeetingSite()) +
                 R"(, "name": "Panel"}], "alarmPeriodMinutes": 15, "standard": "EN50131-1",
                 "address": "", "name": "Mill Lane", "version": 1,
                 "format": "brellic-installation"})");
    const CliRun run = RunTool({"export", folder.File("i.brellic")});
    ASSERT_EQ(run.Status, kCliOk) << run.Err;
    EXPECT_EQ(run.Out, InstallationToJson(installation));

    WriteAll(folder.File("damaged.BRELLIC"), "{\"format\": \"brellic-installation\", \"versi");
    const CliRun damaged = RunTool({"export", folder.File("damaged.BRELLIC")});
    EXPECT_EQ(damaged.Status, kCliError);
    EXPECT_EQ(damaged.Out, "");
    EXPECT_EQ(LineCount(damaged.Err), 1u);
    EXPECT_EQ(damaged.Err.find("brellic-cli: Cannot open \"" + folder.File("damaged.BRELLIC") +
                               "\": The file is not a Brellic installation, or it is damaged: it "
                               "is not JSON text. Detail: not JSON: parse error at line 1"),
              0u)
        << damaged.Err;
}

TEST(CliInstallationArgs, UsageErrors) {
    const std::vector<std::vector<std::string>> bad = {
        {"combine", "s.KVR"},
        {"combine", "-o", "i.brellic"},
        {"combine", "--alarm-period", "0", "-o", "i.brellic", "s.KVR"},
        {"combine", "--alarm-period=121", "-o", "i.brellic", "s.KVR"},
        {"combine", "--name", std::string(101, 'n'), "-o", "i.brellic", "s.KVR"},
        {"combine", "--name", "two\nlines", "-o", "i.brellic", "s.KVR"},
        {"combine", "--name", "\xE2\x98\x83", "-o", "i.brellic", "s.KVR"},
        {"combine", "--name", "a", "--name", "b", "-o", "i.brellic", "s.KVR"},
        {"split", "i.brellic"},
        {"split", "--standard", "0", "i.brellic", "-o", "out"},
        {"split", "a.brellic", "b.brellic", "-o", "out"},
        {"split", "--force=yes", "i.brellic", "-o", "out"},
        {"combine", "-o", "victim.KVR", "a.KVR", "b.KVR"},
        {"report", "--name", "x", "s.KVR"},
    };
    for (const std::vector<std::string>& args : bad) {
        std::string line;
        for (const std::string& arg : args)
            line += arg + " ";
        const CliRun run = RunTool(args);
        EXPECT_EQ(run.Status, kCliError) << line;
        EXPECT_NE(run.Err.find("Usage:"), std::string::npos) << line;
    }
    EXPECT_EQ(
        RunTool({"combine", "--alarm-period", "0", "-o", "i.brellic", "s.KVR"}).Err.substr(0, 68),
        "brellic-cli: --alarm-period takes 1 to 120 minutes, not '0'\n\nUsage:\n");
    EXPECT_EQ(RunTool({"split", "i.brellic"}).Err.substr(0, 38),
              "brellic-cli: split needs -o DIR\n\nUsage");
    EXPECT_NE(RunTool({"--help"}).Out.find("brellic-cli split [--force] FILE.brellic -o DIR"),
              std::string::npos);
}

TEST(CliCheckInstallation, OneLinePerSupplyThenTheInstallationUnderItsOwnSettings) {
    TempFolder folder;
    Installation installation;
    installation.Name = "Depot";
    installation.Standard = 0;
    installation.AlarmPeriodMinutes = 30;
    installation.Supplies.push_back({"Main", SupplySiteOf(MeetingSite())});
    installation.Supplies.push_back({"Yard", SupplySiteOf(FailingSite())});
    SupplySite unfinished = SupplySiteOf(MeetingSite());
    unfinished.Battery.reset();
    installation.Supplies.push_back({"Later", unfinished});
    const std::string path = folder.File("depot.BRELLIC");
    ASSERT_TRUE(WriteInstallationFile(path, installation));
    const std::string site = folder.File("main.KVR");
    ASSERT_TRUE(WriteSiteFile(site, MeetingSite()));

    // --alarm-period reaches the site file only: the supply matches it under 30 minutes.
    const CliRun own = RunTool({"check", "--alarm-period", "30", "--standard", "EN50131-1", site});
    const CliRun mixed =
        RunTool({"check", "--alarm-period", "120", "--standard", "EN50131-1", path, site});
    EXPECT_EQ(mixed.Status, kCliFails);
    const std::string first = path + "#1 \"Main\": standby ";
    ASSERT_EQ(mixed.Out.rfind(first, 0), 0u) << mixed.Out;
    EXPECT_NE(mixed.Out.find(own.Out.substr(site.size())), std::string::npos) << mixed.Out;
    EXPECT_NE(mixed.Out.find(path + "#3 \"Later\": not judged (no panel or battery chosen)\n"),
              std::string::npos);
    EXPECT_NE(mixed.Out.find(path + ": installation fails (1 of 3 supplies meet)\n"),
              std::string::npos);

    const CliRun json = RunTool({"check", "--json", path});
    const nlohmann::json doc = nlohmann::json::parse(json.Out);
    EXPECT_EQ(doc["sites"][1]["file"], path + "#2");
    EXPECT_EQ(doc["sites"][1]["supply"], "Yard");
    const nlohmann::json& row = doc["installations"][0];
    EXPECT_EQ(row["name"], "Depot");
    EXPECT_EQ(row["standard"], "EN50131-1");
    EXPECT_EQ(row["alarmPeriodMinutes"], 30);
    EXPECT_EQ(row["supplies"], 3);
    EXPECT_EQ(row["meet"], 1);
    EXPECT_EQ(row["verdict"], "fails");
    EXPECT_EQ(row["grade"], MeetingSite().Grade);
}

TEST(CliCheckInstallation, EachCableRunFollowsItsSupplyAndOneFailingFailsTheSupply) {
    TempFolder folder;
    Installation installation;
    InstallationSupply& supply = installation.Supplies.emplace_back();
    supply.Name = "Main";
    supply.Site = SupplySiteOf(MeetingSite());
    supply.Site.Devices.push_back(Device(1, "Keypad", 3, 0.05, 0.07));
    // 70 mA at the far end of 32 m of 7/0.2, and the 0.4 A sounder at 50 m:
    // 0.4 x 50 x 0.17 = 3.4 V leaves 7.10 V.
    CableRun keypad;
    keypad.Name = "Keypad";
    keypad.Cable = 0;
    keypad.LengthM = 32;
    keypad.Lines = {{2, {}}};
    CableRun sounder = keypad;
    sounder.Name = "Sounder";
    sounder.LengthM = 50;
    sounder.Lines = {{1, {}}};
    supply.Runs = {keypad, sounder};
    const std::string path = folder.File("depot.brellic");
    ASSERT_TRUE(WriteInstallationFile(path, installation));

    const CliRun check = RunTool({"check", path});
    EXPECT_EQ(check.Status, kCliFails);
    const std::string head = path + "#1 \"Main\" run ";
    EXPECT_EQ(check.Out.substr(check.Out.find('\n') + 1),
              head +
                  "\"Keypad\": 10.12 V at its lowest in alarm (needs 9.50 V), meets; longest "
                  "84.0 m\n" +
                  head +
                  "\"Sounder\": 7.10 V at its lowest in alarm (needs 9.50 V), fails; longest "
                  "14.7 m\n" +
                  path + ": installation fails (0 of 1 supplies meet)\n");

    // In the order written.
    const nlohmann::ordered_json doc =
        nlohmann::ordered_json::parse(RunTool({"check", "--json", path}).Out);
    EXPECT_EQ(doc["installations"][0]["meet"], 0);
    const nlohmann::ordered_json& runs = doc["sites"][0]["runs"];
    ASSERT_EQ(runs.size(), 2u);
    std::vector<std::string> keys;
    for (const auto& member : runs[1].items())
        keys.push_back(member.key());
    EXPECT_EQ(keys,
              (std::vector<std::string>{"name", "lengthM", "ohmsPerMetrePerCore", "coresPositive",
                                        "coresNegative", "quiescentAmps", "alarmAmps", "loopOhms",
                                        "lowestVoltsQuiescent", "lowestVoltsAlarm", "minVolts",
                                        "verdict", "longestM", "thinnestCable", "coresToMeet"}));
    EXPECT_EQ(runs[1]["verdict"], "fails");
    EXPECT_NEAR(runs[1]["lowestVoltsAlarm"].get<double>(), 7.1, 1e-12);
    EXPECT_NEAR(runs[1]["longestM"].get<double>(), 1 / 0.068, 1e-12);
    EXPECT_EQ(runs[1]["thinnestCable"], "1.0 mm\xC2\xB2");
    EXPECT_EQ(runs[1]["coresToMeet"], 4);
    EXPECT_EQ(runs[0]["verdict"], "meets");

    // Four cores on each leg drop 0.85 V: the supply, and so the system, meets.
    supply.Runs[1].CoresPositive = supply.Runs[1].CoresNegative = 4;
    ASSERT_TRUE(WriteInstallationFile(path, installation));
    const CliRun fixed = RunTool({"check", path});
    EXPECT_EQ(fixed.Status, kCliOk);
    EXPECT_NE(fixed.Out.find(path + ": installation meets (1 of 1 supplies meet)\n"),
              std::string::npos);
}

TEST(CliReportInstallation, WritesTheInstallationsReport) {
    TempFolder folder;
    Installation installation;
    installation.Name = "Depot";
    installation.Standard = 0;
    installation.AlarmPeriodMinutes = 30;
    installation.Supplies.push_back({"Main", SupplySiteOf(MeetingSite())});
    const std::string path = folder.File("depot.brellic");
    ASSERT_TRUE(WriteInstallationFile(path, installation));

    const CliRun report = RunTool({"report", "--alarm-period", "120", path});
    EXPECT_EQ(report.Status, kCliOk) << report.Err;
    EXPECT_EQ(report.Out, InstallationReport(installation, '.'));
    // The supply's section is the site's own report under 30 minutes.
    const std::string site = folder.File("main.KVR");
    ASSERT_TRUE(WriteSiteFile(site, MeetingSite()));
    const CliRun own = RunTool({"report", "--standard", "EN50131-1", "--alarm-period", "30", site});
    EXPECT_NE(report.Out.find(own.Out), std::string::npos);
}

} // namespace
} // namespace brellic::test
