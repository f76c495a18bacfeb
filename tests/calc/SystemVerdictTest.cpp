#include "calc/OutcomeWords.h"
#include "calc/SystemVerdict.h"
#include "model/Globals.h"

#include <gtest/gtest.h>

using namespace brellic;

namespace {

SupplySite Site() {
    SupplySite site;
    site.Grade = 2;
    site.Panel = PanelsForGrade(2).front();
    site.Battery = 0;
    site.Devices.push_back({3, 2, "Detector", 0.045, 0.06});
    site.Devices.push_back({2, 3, "Sounder", 0.01, 0});
    return site;
}

} // namespace

TEST(SystemVerdict, ASiteIsJudgedOnlyWithThePanelAndBatteryOpeningItWouldSelect) {
    int grade2Only = -1;
    for (int row : PanelsForGrade(2))
        if (PanelTable[static_cast<std::size_t>(row)].MaxGrade == 2)
            grade2Only = row;
    ASSERT_GE(grade2Only, 0);
    const auto batteries = static_cast<std::int32_t>(BatteriesForPanel(grade2Only).size());
    EXPECT_EQ(FaultOf(2, grade2Only, batteries - 1), SiteFault::None);
    EXPECT_EQ(FaultOf(3, grade2Only, 0), SiteFault::Panel); // not offered at grade 3
    EXPECT_EQ(FaultOf(2, std::nullopt, 0), SiteFault::Panel);
    EXPECT_EQ(FaultOf(2, grade2Only, batteries), SiteFault::Battery); // past the panel's list
    EXPECT_EQ(FaultOf(2, grade2Only, std::nullopt), SiteFault::Battery);

    // A supply not judged never meets; its runs are judged all the same.
    InstallationSupply supply{"Panel", Site()};
    supply.Site.Battery.reset();
    supply.Runs.resize(1);
    const SupplyVerdict verdict = JudgeSupply(supply, 0, 15);
    EXPECT_FALSE(verdict.Judged);
    EXPECT_EQ(verdict.State, Outcome::NotJudged);
    EXPECT_EQ(verdict.Runs.size(), 1u);
}

TEST(SystemVerdict, AFailingRunFailsItsSupplyAndTheSystem) {
    Installation data;
    data.Name = "Depot";
    InstallationSupply& supply = data.Supplies.emplace_back();
    supply.Name = "Panel";
    supply.Site = Site();
    // The detectors' 60 mA over 200 m of 7/0.2: 2.04 V down to 8.46 V.
    CableRun run;
    run.Name = "Hall";
    run.Cable = 0;
    run.LengthM = 200;
    run.Lines = {{0, {}}};
    supply.Runs = {run};
    const InstallationVerdict verdict = JudgeInstallation(data);
    EXPECT_TRUE(verdict.Supplies[0].Result.Totals.Standby.Meets());
    EXPECT_TRUE(verdict.Supplies[0].Result.Totals.AlarmCurrent.Meets());
    EXPECT_FALSE(verdict.Supplies[0].Meets());
    EXPECT_FALSE(verdict.System.Meets());
    EXPECT_EQ(verdict.System.Meeting, 0u);

    // Three cores on each leg drop 0.68 V: the system meets.
    data.Supplies[0].Runs[0].CoresPositive = data.Supplies[0].Runs[0].CoresNegative = 3;
    EXPECT_TRUE(JudgeInstallation(data).System.Meets());
}

TEST(SystemVerdict, TheSystemTakesTheLowestGradeAndCheckCountsWhatDoesNotMeetAsFailing) {
    SupplyVerdict meets;
    meets.State = Outcome::Meets;
    SystemTally tally;
    EXPECT_FALSE(tally.Close().Meets()); // nothing to meet
    tally.Add(3, meets);
    tally.Add(3, meets);
    EXPECT_FALSE(tally.Close().GradesDiffer);
    tally.Add(2, meets);
    SystemVerdict system = tally.Close();
    EXPECT_TRUE(system.Meets());
    EXPECT_EQ(system.Grade, 2);
    EXPECT_TRUE(system.GradesDiffer);
    tally.Add(3, SupplyVerdict{}); // not judged
    system = tally.Close();
    EXPECT_FALSE(system.Meets());
    EXPECT_EQ(system.Meeting, 3u);
    EXPECT_EQ(system.Supplies, 4u);

    VerdictCounts counts;
    for (Outcome outcome : {Outcome::Meets, Outcome::Fails, Outcome::Undefined, Outcome::NotJudged})
        counts.Add(outcome);
    counts.AddUnusable();
    EXPECT_EQ(counts.Entries, 5u);
    EXPECT_EQ(counts.Meet, 1u);
    EXPECT_EQ(counts.Fail, 3u);
    EXPECT_EQ(counts.Unusable, 1u);
}

// The outputs name a verdict that is neither met nor failed each in their
// own way, and every script reading them relies on it.
TEST(OutcomeWords, EachOutputKeepsItsOwnWordsForWhatIsNotPlainlyMetOrFailed) {
    EXPECT_EQ(OutcomeWord(Outcome::Undefined), "undefined");
    EXPECT_EQ(OutcomeWord(Outcome::NotJudged), "not judged");
    EXPECT_EQ(JsonWord(Outcome::NotJudged), "undefined");
    EXPECT_EQ(TextWord(Outcome::Undefined), "fails");
    EXPECT_EQ(RunVerdictText(Outcome::Undefined), "Undefined");
    EXPECT_EQ(OverviewWord(Outcome::NotJudged), "not judged");
    EXPECT_EQ(OverviewWord(Outcome::Undefined), "fails");
    EXPECT_EQ(RunsWord(Outcome::Fails), "fail");
    EXPECT_EQ(VerdictColour(Outcome::NotJudged), kVerdictNone);
    EXPECT_EQ(VerdictColour(Outcome::Meets), kVerdictMeets);
    EXPECT_EQ(VerdictColour(Outcome::Fails), kVerdictFails);
    EXPECT_EQ(VerdictColour(Outcome::Undefined), kVerdictFails);
    EXPECT_NE(MarkColour(Outcome::NotJudged), kVerdictNone); // grey, not black
}
