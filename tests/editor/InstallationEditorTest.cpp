#include "EditorFixture.h"
#include "editor/InstallationEditor.h"
#include "editor/SiteOpening.h"
#include "io/InstallationFile.h"
#include "io/SiteJson.h"

#include <filesystem>
#include <tuple>

using namespace brellic;
using brellic::test::EditorTest;
using Asked = brellic::test::ScriptedPrompter::Asked;
namespace fs = std::filesystem;

namespace {

class InstallationPrompter : public test::ScriptedPrompter {
public:
    std::deque<std::optional<std::string>> texts;
    std::size_t saveQuestions = 0;
    std::size_t textFaults = 0;
    // The scripted texts typed in turn into one box, until it takes one.
    std::optional<std::string> AskText(const std::string&, const std::string&, const std::string&,
                                       const TextFault& fault) override {
        for (; !texts.empty(); ++textFaults) {
            auto text = texts.front();
            texts.pop_front();
            if (!text || fault(*text).empty())
                return text;
        }
        return std::nullopt;
    }
    SaveAnswer AskToSave(const std::string& text) override {
        ++saveQuestions;
        return ScriptedPrompter::AskToSave(text);
    }
    std::optional<std::string> SaveInstallationName() override { return SaveFileName(); }
    std::deque<std::tuple<std::string, std::string, std::int32_t, std::int32_t>> details;
    bool EditDetails(std::string& name, std::string& address, std::int32_t& standard,
                     std::int32_t& period) override {
        std::tie(name, address, standard, period) = details.front();
        details.pop_front();
        return true;
    }
};

SupplySite Site(double alarmPerLine) {
    SupplySite site;
    site.SiteRef = "Ref";
    site.Grade = 2;
    site.Panel = PanelsForGrade(2).front();
    site.Battery = 0;
    site.Devices.push_back({3, 2, "Detector", 0.045, 0.06});
    site.Devices.push_back({2, 3, "Sounder", 0.01, alarmPerLine});
    return site;
}

class InstallationEditorTest : public testing::Test {
protected:
    MemorySettingsStore store;
    InstallationPrompter prompter;
    SiteEditor editor{store, prompter};
    InstallationEditor installation{editor, prompter};
    fs::path dir;

    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("brellic-inst-" +
               std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    // Two complete supplies, the second failing on its alarm current.
    std::string WriteTwoSupplies() {
        Installation data;
        data.Name = "Depot";
        data.Standard = 0;
        data.AlarmPeriodMinutes = 30;
        data.Supplies.push_back({"Panel", Site(0)});
        data.Supplies.push_back({"PSU", Site(50)});
        const std::string path = (dir / "two.brellic").string();
        EXPECT_TRUE(WriteInstallationFile(path, data));
        return path;
    }
};

TEST_F(InstallationEditorTest, EachSupplyJudgedAsTheSameSiteOnItsOwnAndOneFailingFailsTheSystem) {
    ASSERT_TRUE(installation.OpenFile(WriteTwoSupplies()));
    const Overview overview = installation.CurrentOverview();
    ASSERT_EQ(overview.Supplies.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        const std::string kvr = (dir / ("s" + std::to_string(i) + ".KVR")).string();
        ASSERT_TRUE(WriteSiteFile(kvr, *SiteFileOf(installation.Current().Supplies[i].Site)));
        const CheckedSite own = CheckSiteFile(kvr, 0, 30, SiteTexts::Skip);
        ASSERT_TRUE(own.Error.empty());
        const TotalsResult& a = overview.Supplies[i].Result.Totals;
        EXPECT_EQ(a.ActualStandby, own.Result.Totals.ActualStandby);
        EXPECT_EQ(a.AlarmTotal, own.Result.Totals.AlarmTotal);
        EXPECT_EQ(a.Standby.State, own.Result.Totals.Standby.State);
        EXPECT_EQ(a.AlarmCurrent.State, own.Result.Totals.AlarmCurrent.State);
        // The editor shows the chosen supply with the same figures.
        installation.ChooseSupply(i);
        EXPECT_EQ(editor.Result().Totals.ActualStandby, own.Result.Totals.ActualStandby);
    }
    EXPECT_TRUE(overview.Supplies[0].Meets());
    EXPECT_FALSE(overview.Supplies[1].Meets());
    EXPECT_FALSE(overview.Installation.Meets());
    EXPECT_EQ(overview.Installation.Meeting, 1u);
    EXPECT_EQ(overview.Installation.Grade, 2);
    EXPECT_FALSE(overview.Installation.GradesDiffer);
    EXPECT_FALSE(installation.Modified());
}

TEST_F(InstallationEditorTest, IncompleteSupplyNeverMeetsAndIsNotSavedAsASiteFile) {
    ASSERT_TRUE(installation.NewInstallation());
    EXPECT_EQ(installation.Current().Standard, editor.OptionsStandard());
    const Overview overview = installation.CurrentOverview();
    EXPECT_FALSE(overview.Supplies[0].Judged);
    EXPECT_FALSE(overview.Installation.Meets());
    installation.SaveSupplyAsSiteFile();
    ASSERT_EQ(prompter.Count(Asked::Error), 1u);
    EXPECT_NE(prompter.asked.back().text.find("\"Supply 1\""), std::string::npos);
}

TEST_F(InstallationEditorTest, RemoveAsksFirstAndNamesStayUnique) {
    ASSERT_TRUE(installation.OpenFile(WriteTwoSupplies()));
    installation.AddSupply();
    EXPECT_EQ(installation.Current().Supplies.back().Name, "Supply 1");
    installation.AddSupply();
    EXPECT_EQ(installation.Current().Supplies.back().Name, "Supply 2");

    // A name the box refuses keeps it open for another: one rename.
    prompter.texts = {"PSU", "", std::string(51, 'x'), "Garage"};
    installation.RenameSupply();
    EXPECT_EQ(prompter.textFaults, 3u);
    EXPECT_EQ(prompter.Count(Asked::Error), 0u);
    EXPECT_EQ(installation.Current().Supplies.back().Name, "Garage");

    prompter.answers = {false, true};
    installation.RemoveSupply();
    EXPECT_EQ(installation.Current().Supplies.size(), 4u);
    installation.RemoveSupply();
    EXPECT_EQ(installation.Current().Supplies.size(), 3u);
    EXPECT_EQ(prompter.Count(Asked::Confirm), 2u);
    EXPECT_EQ(installation.Chosen(), 2u);

    installation.MoveSupplyLeft();
    EXPECT_EQ(installation.Current().Supplies[1].Name, "Supply 1");
    EXPECT_EQ(installation.Chosen(), 1u);
}

TEST_F(InstallationEditorTest, AnEditInAnySupplyIsAskedAboutOnceAndSavingClearsIt) {
    const std::string path = WriteTwoSupplies();
    ASSERT_TRUE(installation.OpenFile(path));
    installation.ChooseSupply(1);
    EXPECT_TRUE(editor.SiteRefChanged("Changed"));
    installation.ChooseSupply(0);
    EXPECT_FALSE(editor.Site().Modified);
    EXPECT_TRUE(installation.Modified());

    // No discards, once for the whole installation.
    prompter.answers = {false};
    EXPECT_TRUE(installation.Close());
    EXPECT_EQ(prompter.saveQuestions, 1u);
    EXPECT_FALSE(installation.IsOpen());

    ASSERT_TRUE(installation.OpenFile(path));
    EXPECT_EQ(installation.Current().Supplies[1].Site.SiteRef, "Ref");
    editor.AcFailClicked(!editor.View().AcFailChecked);
    EXPECT_TRUE(installation.Modified());
    EXPECT_EQ(installation.Save(false), SaveOutcome::Saved);
    EXPECT_FALSE(installation.Modified());
    EXPECT_TRUE(installation.Close());
    EXPECT_EQ(prompter.saveQuestions, 1u);
}

TEST_F(InstallationEditorTest, ReportIsTheHeaderThenEachSupplysOwnReport) {
    ASSERT_TRUE(installation.OpenFile(WriteTwoSupplies()));
    const std::string report = installation.ReportText();
    EXPECT_EQ(report.find("\n"), report.find("\r\n") + 1);
    EXPECT_NE(report.find("Installation: Depot\r\n"), std::string::npos);
    EXPECT_NE(report.find("System: fails (1 of 2 supplies meet)\r\n"), std::string::npos);
    for (std::size_t i = 0; i < 2; ++i) {
        // The site on its own in a window whose Options are the installation's.
        MemorySettingsStore own;
        own.values["System Standard"] = std::int32_t{0};
        own.values["Alarm Period"] = std::int32_t{30};
        test::ScriptedPrompter quiet;
        SiteEditor site(own, quiet);
        site.LoadSite(installation.Current().Supplies[i].Site);
        EXPECT_NE(report.find(site.ReportText()), std::string::npos) << i;
    }
}

TEST_F(InstallationEditorTest, ASiteSavedAsAnInstallationTakesTheOptionsAndStaysOpen) {
    editor.LoadSite(Site(0));
    const SupplySite site = editor.CurrentSite();
    const std::string path = (dir / "Depot.brellic").string();
    prompter.saveNames = {path};
    EXPECT_EQ(installation.SaveSiteAs(), SaveOutcome::Saved);
    ASSERT_TRUE(installation.IsOpen());
    const InstallationResult read = ReadInstallationFile(path);
    ASSERT_TRUE(read) << read.Error;
    EXPECT_EQ(read.Data.Name, "Depot");
    EXPECT_EQ(read.Data.Standard, editor.OptionsStandard());
    EXPECT_EQ(read.Data.AlarmPeriodMinutes, editor.OptionsAlarmPeriod());
    ASSERT_EQ(read.Data.Supplies.size(), 1u);
    EXPECT_EQ(read.Data.Supplies[0].Site, site);
    EXPECT_FALSE(installation.Modified());
}

TEST_F(InstallationEditorTest, DetailsJudgeUnderTheNewPeriodAndRefuseBadValues) {
    ASSERT_TRUE(installation.OpenFile(WriteTwoSupplies()));
    const double before = editor.Result().Totals.RemainingCapacity;
    prompter.details = {{"Depot", "", 0, 121}, {"Depot", "1 High St", 0, 120}};
    installation.Details();
    EXPECT_EQ(prompter.Count(Asked::Error), 1u);
    EXPECT_FALSE(installation.Modified());
    installation.Details();
    EXPECT_TRUE(installation.Modified());
    EXPECT_EQ(editor.Site().AlarmPeriod, 120);
    EXPECT_LT(editor.Result().Totals.RemainingCapacity, before);
    EXPECT_EQ(installation.Current().Address, "1 High St");
    // The stored Options are not the installation's.
    EXPECT_EQ(store.values.count("Alarm Period"), 0u);
}

TEST_F(InstallationEditorTest, ChoosingASupplyAsksNothingAboutTheOneBefore) {
    // A panel that stops at grade 2 shown first, then a grade-3 supply: the
    // grade question about the panel before never comes up (the prompter
    // fails on any question).
    int grade2Only = -1;
    for (int row : PanelsForGrade(2))
        if (PanelTable[static_cast<std::size_t>(row)].MaxGrade == 2)
            grade2Only = row;
    ASSERT_GE(grade2Only, 0);
    Installation data;
    SupplySite first = Site(0);
    first.Panel = grade2Only;
    SupplySite second = Site(0);
    second.Grade = 3;
    second.Panel = PanelsForGrade(3).front();
    for (TDeviceData& device : second.Devices)
        device.Grade = 3;
    data.Supplies.push_back({"Two", first});
    data.Supplies.push_back({"Three", second});
    const std::string path = (dir / "grades.brellic").string();
    ASSERT_TRUE(WriteInstallationFile(path, data));
    ASSERT_TRUE(installation.OpenFile(path));
    installation.ChooseSupply(1);
    EXPECT_EQ(editor.CurrentSite(), second);
    EXPECT_FALSE(installation.Modified());
    EXPECT_TRUE(prompter.asked.empty());
    EXPECT_TRUE(installation.CurrentOverview().Installation.GradesDiffer);
    EXPECT_EQ(installation.CurrentOverview().Installation.Grade, 2);
}

CableRun AlarmCableRun(std::string name, double lengthM, std::vector<RunLine> lines) {
    CableRun run;
    run.Name = std::move(name);
    run.Cable = 0; // 7/0.2
    run.LengthM = lengthM;
    run.Lines = std::move(lines);
    return run;
}

TEST_F(InstallationEditorTest, ALineRemovedLeavesItsRunAndTheLinesAfterItMoveUp) {
    Installation data;
    SupplySite site = Site(0.5); // a grade-2 detector, then a grade-3 sounder
    site.Panel = PanelsForGrade(3).front();
    site.Devices.push_back({1, 3, "Keypad", 0.03, 0.05});
    InstallationSupply& supply = data.Supplies.emplace_back();
    supply.Name = "Panel";
    supply.Site = site;
    supply.Runs = {AlarmCableRun("Hall", 40, {{0, 10.0}, {2, {}}}),
                   AlarmCableRun("Yard", 30, {{1, {}}})};
    const std::string path = (dir / "runs.brellic").string();
    ASSERT_TRUE(WriteInstallationFile(path, data));
    ASSERT_TRUE(installation.OpenFile(path));

    prompter.answers = {true};
    editor.SelectDevice(1);
    editor.btnDeleteClick();
    std::vector<CableRun> runs = installation.Current().Supplies[0].Runs;
    EXPECT_EQ(runs[0].Lines, (std::vector<RunLine>{{0, 10.0}, {1, {}}}));
    EXPECT_TRUE(runs[1].Lines.empty());

    // Grade 3 takes the detector out, as its question is answered Yes.
    prompter.answers = {true};
    editor.GradeChanged(2, Origin::User);
    ASSERT_EQ(editor.Devices().Count(), 1u);
    runs = installation.Current().Supplies[0].Runs;
    EXPECT_EQ(runs[0].Lines, (std::vector<RunLine>{{0, {}}}));

    // The keypad's run follows an edit of its quantity at once: 2 x 0.05 A.
    editor.SelectDevice(0);
    editor.btnEditClick([](DeviceDialog& dialog) {
        dialog.SetQuantity(2);
        return true;
    });
    EXPECT_DOUBLE_EQ(installation.CurrentOverview().Supplies[0].Runs[0].AlarmAmps, 0.1);

    ASSERT_EQ(installation.Save(false), SaveOutcome::Saved);
    const InstallationResult read = ReadInstallationFile(path);
    ASSERT_TRUE(read) << read.Error;
    EXPECT_EQ(read.Data.Supplies[0].Runs, installation.Current().Supplies[0].Runs);
}

TEST_F(InstallationEditorTest, AFailingRunIsReportedAfterItsSupply) {
    Installation data;
    data.Name = "Depot";
    InstallationSupply& supply = data.Supplies.emplace_back();
    supply.Name = "Panel";
    supply.Site = Site(0);
    // The detectors' 60 mA over 200 m of 7/0.2: 2.04 V down to 8.46 V.
    supply.Runs = {AlarmCableRun("Hall", 200, {{0, {}}})};
    const std::string report = InstallationReport(data, '.');
    EXPECT_NE(report.find("1. Panel: standby meets, alarm current meets, cable runs fail (0 of 1 "
                          "meet)\r\n"),
              std::string::npos);
    test::ScriptedPrompter quiet;
    SiteEditor own(store, quiet, '.', JudgingRules{data.Standard, data.AlarmPeriodMinutes});
    own.LoadSite(supply.Site);
    // Single-byte text: the square is 0xB2, and ohms are written out.
    EXPECT_TRUE(report.ends_with(own.ReportText() +
                                 "\r\n"
                                 "Cable Runs\r\n"
                                 "\r\n"
                                 "Lowest Output Voltage: 10.50 V\r\n"
                                 "\r\n"
                                 "Run 1: Hall\r\n"
                                 "Cable: 7/0.2 alarm cable, 0.22 mm\xB2, 0.085 "
                                 "ohm/m per core\r\n"
                                 "Cores Doubled Up: 1 on +12 V, 1 on 0 V\r\n"
                                 "Length: 200.0 m\r\n"
                                 "Device Lines: 1 (Detector) at the far end\r\n"
                                 "Loop Resistance: 34.000 ohm\r\n"
                                 "Current: 0.045 A in standby, 0.060 A in alarm\r\n"
                                 "Lowest Voltage in Standby: 8.97 V at line 1\r\n"
                                 "Lowest Voltage in Alarm: 8.46 V at line 1\r\n"
                                 "Lowest Operating Voltage: 9.50 V\r\n"
                                 "Verdict: fails\r\n"
                                 "Longest Run that Meets: 98.0 m\r\n"
                                 "Thinnest Cable that Meets: 0.5 mm\xB2\r\n"
                                 "Cores Doubled Up to Meet: 3\r\n"))
        << report;
}

TEST_F(InstallationEditorTest, NewInstallationOffersToSaveTheEditedSiteFirst) {
    editor.LoadSite(Site(0));
    EXPECT_TRUE(editor.SiteRefChanged("Edited"));
    prompter.answers = {true};
    prompter.saveNames = {std::nullopt};
    EXPECT_FALSE(installation.NewInstallation());
    EXPECT_FALSE(installation.IsOpen());
    EXPECT_EQ(prompter.saveQuestions, 1u);
}

// The per-supply commands act on the target (the overview's picked row), not
// on the supply the form shows, and are not offered without one.
TEST_F(InstallationEditorTest, CommandsActOnTheTargetSupply) {
    ASSERT_TRUE(installation.OpenFile(WriteTwoSupplies()));
    installation.AddSupply();  // "Supply 1", chosen
    installation.SetTarget(3); // past the supplies: the installation's own row
    const CommandStates none = installation.Commands();
    EXPECT_TRUE(none.AddSupply && !none.DuplicateSupply && !none.RenameSupply &&
                !none.RemoveSupply && !none.CableRuns);
    installation.ChooseSupply(1);
    EXPECT_TRUE(editor.SiteRefChanged("Edited"));
    installation.SetTarget(0);
    installation.MoveSupplyRight(); // the form's supply goes first
    prompter.answers = {true};
    installation.RemoveSupply();
    EXPECT_EQ(prompter.asked.back().text, "Are you sure you want to remove the supply \"Panel\"?");
    const Installation now = installation.Current();
    ASSERT_EQ(now.Supplies.size(), 2u);
    EXPECT_EQ(now.Supplies[0].Site.SiteRef, "Edited"); // still on the form
    EXPECT_EQ(installation.Chosen(), 0u);
}

// A duplicate is the whole supply, runs and all, named after it.
TEST_F(InstallationEditorTest, DuplicateCopiesEverythingUnderANumberedName) {
    Installation data;
    InstallationSupply& supply = data.Supplies.emplace_back();
    supply.Name = std::string(48, 'n');
    supply.Site = Site(0);
    supply.LowestOutputVolts = 11.0;
    supply.Runs = {AlarmCableRun("Hall", 200, {{0, {}}}), AlarmCableRun("Yard", 5, {{1, {}}})};
    const std::string path = (dir / "dup.brellic").string();
    ASSERT_TRUE(WriteInstallationFile(path, data));
    ASSERT_TRUE(installation.OpenFile(path));
    EXPECT_EQ(installation.ChosenRunsLine().Text, "Cable runs: 1 of 2 meet");
    installation.DuplicateSupply();
    installation.SetTarget(0);
    installation.DuplicateSupply();
    InstallationSupply copy = installation.Current().Supplies.at(2);
    // Cut so that the number fits the name's 50 characters.
    EXPECT_EQ(installation.Current().Supplies[1].Name, std::string(46, 'n') + " (3)");
    EXPECT_EQ(copy.Name, std::string(46, 'n') + " (2)");
    copy.Name = supply.Name;
    EXPECT_EQ(copy, supply);
}

// Cancel on the save question (Esc, or the box closed) keeps the work open
// as it is and writes nothing, whatever command asked; and Options with an
// installation open change neither it nor the stored Options.
TEST_F(InstallationEditorTest, CancelAndOptionsLeaveEverythingAsItIs) {
    const std::string path = WriteTwoSupplies();
    const auto stored = store.values;
    ASSERT_TRUE(installation.OpenFile(path));
    EXPECT_TRUE(editor.SiteRefChanged("Edited"));
    prompter.saveAnswers.assign(4, Prompter::SaveAnswer::Cancel);
    EXPECT_FALSE(installation.CloseQuery());
    installation.NewSite();
    EXPECT_FALSE(installation.NewInstallation());
    installation.OpenAny(); // no file dialog: the test fails on one
    EXPECT_EQ(installation.FileName(), path);
    EXPECT_EQ(editor.CurrentSite().SiteRef, "Edited");
    installation.Options([](std::int32_t& s, std::int32_t& p, bool own) {
        EXPECT_TRUE(own && s == 0 && p == 30);
        s = p = 1;
        return true;
    });
    EXPECT_EQ(installation.Current().AlarmPeriodMinutes, 30);
    EXPECT_EQ(store.values, stored);

    prompter.answers = {false};
    installation.Close();
    editor.LoadSite(Site(0));
    EXPECT_TRUE(editor.SiteRefChanged("Edited"));
    prompter.saveAnswers = {Prompter::SaveAnswer::Cancel};
    EXPECT_FALSE(installation.CloseQuery()); // a site on its own
    EXPECT_EQ(store.values, stored);
}

} // namespace
