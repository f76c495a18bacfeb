// report, check and export over site files, with their settings and errors.
#include "CliTestSupport.h"
#include "../io/SpecialFiles.h"

#include "calc/Totals.h"
#include "cli/CliArgs.h"
#include "cli/ReadOnlySettings.h"
#include "editor/SiteEditor.h"
#ifndef _WIN32
#include "settings/IniSettingsStore.h"
#endif

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <streambuf>

namespace brellic::test {
namespace {

std::vector<std::string> Lines(const std::string& text, const char* end = "\n") {
    std::vector<std::string> lines;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find(end, from)) != std::string::npos;
         from = at + std::strlen(end))
        lines.push_back(text.substr(from, at - from));
    return lines;
}

CliEnvironment WithStored(std::int32_t standard, std::int32_t period, int* asked = nullptr) {
    CliEnvironment environment;
    environment.StoredSettings = [=]() -> std::unique_ptr<SettingsStore> {
        if (asked != nullptr)
            ++*asked;
        auto store = std::make_unique<MemorySettingsStore>();
        store->values[std::string(kSystemStandardValue)] = standard;
        store->values[std::string(kAlarmPeriodValue)] = period;
        return store;
    };
    return environment;
}

TEST(CliReport, WritesTheReportOfTheOpenedSite) {
    TempFolder folder;
    WriteSite(folder.File("s.KVR"), MeetingSite());
    const CliRun run = RunTool(
        {"report", "--standard", "EN50131-1", "--alarm-period", "15", folder.File("s.KVR")});
    ASSERT_EQ(run.Status, kCliOk) << run.Err;
    EXPECT_EQ(run.Err, "");
    const std::vector<std::string> lines = Lines(run.Out, "\r\n");
    ASSERT_EQ(lines.size(), 28u + 2u);
    EXPECT_EQ(run.Out.substr(run.Out.size() - 2), "\r\n");
    EXPECT_EQ(lines[0], "Power Supply Report for: Caf\xE9 \x80 7"); // Windows-1252 bytes
    EXPECT_EQ(lines[2], "EN50131-1 System Grade: 3");
    EXPECT_EQ(lines[6], "AC Fail Sigalled to ARC: Yes");
    EXPECT_EQ(lines[17], "02   Door contact                3      0.026 Amps  0.026 Amps  ");
}

TEST(CliReport, DevicesBelowTheGradeStayInTheReport) {
    TempFolder folder;
    SiteFileData site = MeetingSite();
    site.Devices.push_back(Device(1, "Grade 1 detector", 1, 0.01, 0.01));
    WriteSite(folder.File("s.KVR"), site);
    const CliRun run = RunTool({"report", folder.File("s.KVR")});
    ASSERT_EQ(run.Status, kCliOk) << run.Err;
    EXPECT_EQ(Lines(run.Out, "\r\n").size(), 28u + 3u);
    EXPECT_NE(run.Out.find("01   Grade 1 detector            1      0.010 Amps"),
              std::string::npos);
}

TEST(CliReport, OptionsAndStoredSettingsChooseTheStandardAndAlarmPeriod) {
    TempFolder folder;
    const std::string path = folder.File("s.KVR");
    WriteSite(path, MeetingSite());
    auto line3 = [&](const std::vector<std::string>& args, const CliEnvironment& environment) {
        const CliRun run = RunTool(args, environment);
        EXPECT_EQ(run.Status, kCliOk) << run.Err;
        const std::vector<std::string> lines = Lines(run.Out, "\r\n");
        return lines.size() > 2 ? lines[2] : std::string();
    };
    int asked = 0;
    EXPECT_EQ(line3({"report", path}, WithStored(0, 15, &asked)), "EN50131-1 System Grade: 3");
    EXPECT_EQ(line3({"report", path}, WithStored(5, 15, &asked)), "PD6662 System Grade: 3");
    EXPECT_EQ(line3({"report", "--standard", "0", path}, WithStored(5, 15, &asked)),
              "EN50131-1 System Grade: 3");
    EXPECT_EQ(line3({"report", "--standard=-3", path}, {}), "PD6662 System Grade: 3");
    // Without stored settings the window's defaults apply: PD6662.
    EXPECT_EQ(line3({"report", path}, {}), "PD6662 System Grade: 3");
    EXPECT_EQ(asked, 3);
    line3({"report", "--standard", "1", "--alarm-period", "15", path}, WithStored(0, 15, &asked));
    EXPECT_EQ(asked, 3) << "both options given: the stored settings are not needed";

    // The alarm period comes from the stored settings unless given.
    const std::string stored = RunTool({"report", path}, WithStored(1, 120)).Out;
    EXPECT_EQ(RunTool({"report", "--alarm-period", "120", path}, WithStored(1, 15)).Out, stored);
    EXPECT_NE(RunTool({"report", path}, WithStored(1, 15)).Out, stored);
}

TEST(CliReport, OutputFileHoldsTheSameBytes) {
    TempFolder folder;
    WriteSite(folder.File("s.KVR"), FailingSite());
    const CliRun printed = RunTool({"report", folder.File("s.KVR")});
    const CliRun written = RunTool({"report", folder.File("s.KVR"), "-o", folder.File("r.txt")});
    ASSERT_EQ(written.Status, kCliOk) << written.Err;
    EXPECT_EQ(written.Out, "");
    EXPECT_EQ(ReadAll(folder.File("r.txt")), printed.Out);
}

TEST(CliReport, SeparatorFollowsTheEnvironment) {
    TempFolder folder;
    WriteSite(folder.File("s.KVR"), MeetingSite());
    CliEnvironment comma;
    comma.DecimalSeparator = ',';
    const std::string report = RunTool({"report", folder.File("s.KVR")}, comma).Out;
    EXPECT_NE(report.find("0,026 Amps  0,026 Amps"), std::string::npos);
    EXPECT_EQ(report.find("0.026"), std::string::npos);
    const CliRun check = RunTool({"check", folder.File("s.KVR")}, comma);
    EXPECT_NE(check.Out.find(",496 Amps)"), std::string::npos) << check.Out;
}

struct BadSite {
    const char* Name;
    std::string Bytes;
    const char* Reason;
    bool ExportRefuses;
};

std::vector<BadSite> BadSites() {
    SiteFileData lowPanel = MeetingSite();
    lowPanel.Panel = 0; // a grade-1 panel at grade 3: the window selects no panel
    lowPanel.Battery = 0;
    const std::vector<unsigned char> lowPanelBytes = EncodeSiteFile(lowPanel);
    return {
        {"short file", std::string(100, '\0'), "shorter than one site record", true},
        {"empty file", "", "shorter than one site record", true},
        {"grade 9", Patched(MeetingSite(), 52, 9), "grade 9", true},
        {"panel 22", Patched(MeetingSite(), 56, 22), "panel number 22", true},
        {"battery past the list", Patched(MeetingSite(), 60, 7), "battery", true},
        // The file is sound as data, so export passes it on; the window would
        // keep Generate Report disabled.
        {"panel not offered at the grade", std::string(lowPanelBytes.begin(), lowPanelBytes.end()),
         "cannot be used at grade 3", false},
    };
}

TEST(CliErrors, UnusableSiteFilesAreRefusedWithNothingWritten) {
    TempFolder folder;
    const std::string path = folder.File("bad.KVR");
    const std::string output = folder.File("report.txt");
    for (const BadSite& bad : BadSites()) {
        SCOPED_TRACE(bad.Name);
        WriteAll(path, bad.Bytes);
        std::vector<std::vector<std::string>> commands = {
            {"report", path}, {"report", path, "-o", output}, {"check", path}};
        if (bad.ExportRefuses)
            commands.push_back({"export", path});
        for (const std::vector<std::string>& args : commands) {
            SCOPED_TRACE(args.front());
            const CliRun run = RunTool(args, WithStored(0, 15));
            EXPECT_EQ(run.Status, kCliError);
            EXPECT_EQ(run.Out, "");
            EXPECT_EQ(LineCount(run.Err), 1u) << run.Err;
            EXPECT_NE(run.Err.find(path), std::string::npos) << run.Err;
            EXPECT_NE(run.Err.find(bad.Reason), std::string::npos) << run.Err;
        }
        EXPECT_FALSE(std::filesystem::exists(FsPath(output)));
    }

    const CliRun missing = RunTool({"export", folder.File("missing.KVR")});
    EXPECT_EQ(missing.Status, kCliError);
    EXPECT_EQ(missing.Out, "");
    EXPECT_NE(missing.Err.find("missing.KVR"), std::string::npos);
}

#ifndef _WIN32
TEST(CliErrors, WhatIsNotAFileIsRefusedWithoutWaiting) {
    TempFolder folder;
    const FailIfStuck guard;
    const std::string meets = folder.File("meets.KVR");
    const std::string pipe = folder.File("pipe.KVR");
    WriteSite(meets, MeetingSite());
    MakeFifo(pipe);
    const std::string message =
        "brellic-cli: Cannot open \"" + pipe + "\": it is a named pipe, not a file\n";

    const CliRun check = RunTool({"check", pipe, meets}, WithStored(0, 15));
    EXPECT_EQ(check.Status, kCliError);
    EXPECT_EQ(check.Err, message);
    EXPECT_EQ(LineCount(check.Out), 1u) << "the other file is still checked";
    for (const std::vector<std::string>& args : {std::vector<std::string>{"report", pipe},
                                                 {"export", pipe},
                                                 {"import", pipe, "-o", folder.File("out.KVR")}}) {
        const CliRun run = RunTool(args, WithStored(0, 15));
        EXPECT_EQ(run.Status, kCliError) << args.front();
        EXPECT_EQ(run.Err, message) << args.front();
        EXPECT_EQ(run.Out, "");
    }
    EXPECT_FALSE(std::filesystem::exists(FsPath(folder.File("out.KVR"))));
}
#endif

// Replacing an input with the output would destroy it before it is read; the
// file comparison itself, through links, is tested with the file writers.
TEST(CliErrors, AnOutputThatIsAnInputIsRefused) {
    TempFolder folder;
    const std::string site = folder.File("s.KVR");
    const std::string json = folder.File("s.json");
    WriteSite(site, MeetingSite());
    WriteAll(json, "{}");
    const std::string siteBytes = ReadAll(site);
    for (const auto& [args, file] :
         {std::pair{std::vector<std::string>{"report", "-o", site, site}, site},
          std::pair{std::vector<std::string>{"import", json, "-o", json}, json}}) {
        const CliRun run = RunTool(args, WithStored(0, 15));
        EXPECT_EQ(run.Status, kCliError) << file;
        EXPECT_EQ(run.Err, "brellic-cli: Cannot write \"" + file +
                               "\": it is the same file as the input \"" + file + "\"\n");
        EXPECT_EQ(run.Out, "");
    }
    EXPECT_EQ(ReadAll(site), siteBytes);
    EXPECT_EQ(ReadAll(json), "{}");
}

TEST(CliErrors, ReportToAnUnwritablePlaceFails) {
    TempFolder folder;
    WriteSite(folder.File("s.KVR"), MeetingSite());
    const CliRun run =
        RunTool({"report", folder.File("s.KVR"), "-o", folder.File("no/such/report.txt")});
    EXPECT_EQ(run.Status, kCliError);
    EXPECT_EQ(run.Out, "");
    EXPECT_NE(run.Err.find("report.txt"), std::string::npos);
}

TEST(CliErrors, UnknownOptionsPrintTheUsage) {
    const CliRun run = RunTool({"check", "--verbose", "s.KVR"});
    EXPECT_EQ(run.Status, kCliError);
    EXPECT_EQ(run.Out, "");
    EXPECT_NE(run.Err.find("--verbose"), std::string::npos);
    EXPECT_NE(run.Err.find("Usage:"), std::string::npos);

    const CliRun help = RunTool({"--help"});
    EXPECT_EQ(help.Status, kCliOk);
    EXPECT_EQ(help.Err, "");
    EXPECT_NE(help.Out.find("brellic-cli import SITE.json -o OUT.KVR"), std::string::npos);
}

// The exact line, with the version of the build, is checked on the program
// itself (cli_version).
TEST(CliVersion, PrintsOneLineAndReadsNoSettings) {
    int asked = 0;
    CliEnvironment environment;
    environment.StoredSettings = [&asked] {
        ++asked;
        return std::unique_ptr<SettingsStore>();
    };
    const CliRun run = RunTool({"--version"}, environment);
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(run.Status, kCliOk);
    EXPECT_EQ(run.Err, "");
    EXPECT_EQ(run.Out, CliVersion());
    EXPECT_EQ(run.Out.rfind("brellic-cli ", 0), 0u);
    EXPECT_EQ(run.Out.find('\n'), run.Out.size() - 1);
}

TEST(CliCheck, ExitStatusIsTheWorstOutcome) {
    TempFolder folder;
    const std::string meets = folder.File("meets.KVR");
    const std::string fails = folder.File("fails.KVR");
    const std::string broken = folder.File("broken.KVR");
    WriteSite(meets, MeetingSite());
    WriteSite(fails, FailingSite());
    WriteAll(broken, Patched(MeetingSite(), 52, 0));
    const CliEnvironment en = WithStored(0, 15);

    const CliRun good = RunTool({"check", meets, meets}, en);
    EXPECT_EQ(good.Status, kCliOk);
    EXPECT_EQ(Lines(good.Out),
              std::vector<std::string>(
                  2, meets + ": standby meets (144.41 Hours), alarm current meets (0.496 Amps)"));

    const CliRun bad = RunTool({"check", meets, fails}, en);
    EXPECT_EQ(bad.Status, kCliFails);
    ASSERT_EQ(Lines(bad.Out).size(), 2u);
    EXPECT_EQ(Lines(bad.Out)[1],
              fails + ": standby fails (14.11 Hours), alarm current fails (2.496 Amps)");
    EXPECT_EQ(bad.Err, "");

    // An unusable file makes the status 2, and the others are still checked.
    const CliRun mixed = RunTool({"check", broken, meets, folder.File("none.KVR"), fails}, en);
    EXPECT_EQ(mixed.Status, kCliError);
    EXPECT_EQ(Lines(mixed.Out).size(), 2u);
    EXPECT_EQ(LineCount(mixed.Err), 2u);
}

// Records the whole output each time the stream is flushed.
class FlushRecorder : public std::stringbuf {
public:
    std::vector<std::string> flushed;

protected:
    int sync() override {
        flushed.push_back(str());
        return 0;
    }
};

TEST(CliCheck, EachLineIsFlushedAsSoonAsItIsDecided) {
    TempFolder folder;
    const std::string meets = folder.File("meets.KVR");
    const std::string fails = folder.File("fails.KVR");
    WriteSite(meets, MeetingSite());
    WriteSite(fails, FailingSite());
    FlushRecorder recorder;
    std::ostream out(&recorder);
    std::ostringstream err;
    EXPECT_EQ(RunCli({"check", meets, folder.File("none.KVR"), fails}, out, err, WithStored(0, 15)),
              kCliError);
    const std::vector<std::string> lines = Lines(recorder.str());
    ASSERT_EQ(lines.size(), 2u);
    ASSERT_GE(recorder.flushed.size(), 2u);
    EXPECT_EQ(recorder.flushed[0], lines[0] + "\n");
    EXPECT_EQ(recorder.flushed[1], lines[0] + "\n" + lines[1] + "\n");
}

// The Options dialog offers 1 to 120 minutes. A stored period outside them
// gives way to the default, as in the window; a given one is a usage error.
TEST(CliCheck, AnAlarmPeriodOutsideOneTo120IsNeverUsed) {
    TempFolder folder;
    const std::string path = folder.File("fails.KVR");
    WriteSite(path, FailingSite());
    const CliRun given = RunTool({"check", "--alarm-period", "-2147483648", path});
    EXPECT_EQ(given.Status, kCliError);
    EXPECT_EQ(given.Out, "");
    EXPECT_TRUE(given.Err.starts_with("brellic-cli: --alarm-period takes 1 to 120 minutes, not "
                                      "'-2147483648'\n"))
        << given.Err;

    const CliRun defaults = RunTool({"check", "--alarm-period", "15", path}, WithStored(0, 15));
    const CliRun stored = RunTool({"check", path}, WithStored(0, -2147483647 - 1));
    EXPECT_EQ(stored.Status, kCliFails);
    EXPECT_EQ(stored.Out, defaults.Out);
    EXPECT_EQ(stored.Err, "brellic-cli: warning: The stored alarm period (-2147483648 minutes) is "
                          "outside 1 to 120; 15 minutes is used.\n");
    // Nothing to say when the stored period is not the one used.
    EXPECT_EQ(RunTool({"check", "--alarm-period", "20", path}, WithStored(0, 0)).Err, "");
}

TEST(CliCheck, StandbyAndAlarmVerdictsAreIndependent) {
    TempFolder folder;
    SiteFileData alarmOnly = MeetingSite();
    alarmOnly.Devices.push_back(Device(1, "Siren", 3, 0.0, 1.0)); // alarm 1.496 A > 1.25 A
    WriteSite(folder.File("a.KVR"), alarmOnly);
    const CliRun run = RunTool({"check", folder.File("a.KVR")}, WithStored(0, 15));
    EXPECT_EQ(run.Status, kCliFails);
    EXPECT_NE(run.Out.find("standby meets"), std::string::npos) << run.Out;
    EXPECT_NE(run.Out.find("alarm current fails (1.496 Amps)"), std::string::npos) << run.Out;
}

TEST(CliCheck, FiguresThatCannotBeComputedFail) {
    TempFolder folder;
    SiteFileData site = MeetingSite();
    site.Devices = {Device(1, "Custom", 3, 1e308, 1e308), Device(1, "Custom", 3, 1e308, 1e308)};
    const std::string path = folder.File("huge.KVR");
    WriteSite(path, site);
    const CliRun check = RunTool({"check", path}, WithStored(0, 15));
    EXPECT_EQ(check.Status, kCliFails);
    EXPECT_EQ(check.Out, path + ": standby fails (Undefined), alarm current fails (Undefined)\n");

    const CliRun report = RunTool({"report", path}, WithStored(0, 15));
    ASSERT_EQ(report.Status, kCliOk) << report.Err;
    EXPECT_EQ(report.Out.find("meets"), std::string::npos) << report.Out;
    EXPECT_EQ(report.Out.find("INF"), std::string::npos) << report.Out;
    EXPECT_EQ(report.Out.find("NAN"), std::string::npos) << report.Out;
    EXPECT_NE(report.Out.find(kStandbyTooLarge), std::string::npos) << report.Out;
    EXPECT_NE(report.Out.find(kAlarmTooLarge), std::string::npos) << report.Out;
}

// A stream that refuses every byte, as a closed pipe or a full disk does.
class FullStream : public std::streambuf {
protected:
    int_type overflow(int_type) override { return traits_type::eof(); }
    std::streamsize xsputn(const char*, std::streamsize) override { return 0; }
};

TEST(CliErrors, AFailedWriteToStandardOutputIsAnError) {
    TempFolder folder;
    WriteSite(folder.File("s.KVR"), MeetingSite());
    FullStream full;
    std::ostream out(&full);
    std::ostringstream err;
    EXPECT_EQ(RunCli({"export", folder.File("s.KVR")}, out, err, {}), kCliError);
    EXPECT_NE(err.str().find("standard output"), std::string::npos);
}

TEST(CliSettings, TheStoredSettingsAreNeverWritten) {
    auto inner = std::make_unique<MemorySettingsStore>();
    MemorySettingsStore& memory = *inner;
    memory.values[std::string(kAlarmPeriodValue)] = 30;
    ReadOnlySettingsStore store(std::move(inner));
    ASSERT_TRUE(store.Open());
    std::int32_t value = 0;
    EXPECT_EQ(store.Read(kAlarmPeriodValue, value), SettingsStore::ReadResult::Ok);
    EXPECT_EQ(value, 30);
    EXPECT_FALSE(store.Write(kAlarmPeriodValue, 45));
    store.Close();
    SaveSettings(store, SiteState{});
    EXPECT_EQ(memory.writeCount, 0);
    EXPECT_EQ(std::get<std::int32_t>(memory.values[std::string(kAlarmPeriodValue)]), 30);
}

#ifndef _WIN32
// Points the user's configuration folder elsewhere for one test.
class ConfigHome {
public:
    explicit ConfigHome(const std::filesystem::path& path) {
        if (const char* previous = std::getenv("XDG_CONFIG_HOME"))
            previous_ = previous;
        ::setenv("XDG_CONFIG_HOME", path.c_str(), 1);
    }
    ~ConfigHome() {
        if (previous_)
            ::setenv("XDG_CONFIG_HOME", previous_->c_str(), 1);
        else
            ::unsetenv("XDG_CONFIG_HOME");
    }
    ConfigHome(const ConfigHome&) = delete;
    ConfigHome& operator=(const ConfigHome&) = delete;

private:
    std::optional<std::string> previous_;
};

// A pipe where the settings file belongs once hung the tool; it is left
// alone, and the commands go on with the default settings.
TEST(CliSettings, StoredSettingsThatAreNotAFileGiveTheDefaults) {
    TempFolder folder;
    const FailIfStuck guard;
    const std::string ini = folder.File("Brellic.ini");
    MakeFifo(ini);
    const std::string site = folder.File("s.KVR");
    WriteSite(site, FailingSite());
    CliEnvironment environment;
    environment.StoredSettings = [&]() -> std::unique_ptr<SettingsStore> {
        return std::make_unique<ReadOnlySettingsStore>(std::make_unique<IniSettingsStore>(
            QString::fromStdString(ini), IniSettingsStore::Access::ReadOnly));
    };
    const CliRun defaults = RunTool({"check", "--standard", "1", "--alarm-period", "15", site});
    const CliRun run = RunTool({"check", site}, environment);
    EXPECT_EQ(run.Status, defaults.Status);
    EXPECT_EQ(run.Out, defaults.Out);
    EXPECT_EQ(run.Err, "brellic-cli: warning: The settings file " + ini +
                           " is not a regular file; the default settings are used.\n");
    // Commands that need no stored setting do not look at them.
    EXPECT_EQ(RunTool({"export", site}, environment).Err, "");
}

TEST(CliSettings, TheSettingsFileIsReadButNeitherCreatedNorChanged) {
    TempFolder folder;
    const ConfigHome home(folder.Path());

    {
        const std::unique_ptr<SettingsStore> reader = CreateStoredSettingsReader();
        SiteState site;
        LoadSettings(*reader, site);
        SaveSettings(*reader, site);
    }
    EXPECT_EQ(folder.EntryCount(), 0u) << "nothing may be created";

    const QString ini = IniSettingsStore::DefaultFileName();
    ASSERT_TRUE(ini.startsWith(QString::fromStdString(folder.Path().string())));
    {
        IniSettingsStore writer(ini);
        ASSERT_TRUE(writer.Open());
        writer.Write(kSystemStandardValue, 0);
        writer.Write(kAlarmPeriodValue, 20);
        writer.Close();
    }
    const std::string before = ReadAll(ini.toStdString());
    ASSERT_FALSE(before.empty());
    {
        const std::unique_ptr<SettingsStore> reader = CreateStoredSettingsReader();
        SiteState site;
        LoadSettings(*reader, site);
        EXPECT_EQ(site.SystemStandard, 0);
        EXPECT_EQ(site.AlarmPeriod, 20);
        site.AlarmPeriod = 99;
        SaveSettings(*reader, site);
    }
    EXPECT_EQ(ReadAll(ini.toStdString()), before);
}
#endif

} // namespace
} // namespace brellic::test
