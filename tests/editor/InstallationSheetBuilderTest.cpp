// The figures of an installation's calculation sheet: each supply's sheet is
// the one the same site gives opened on its own, and the overview's texts.
#include "../io/TempFolder.h"
#include "ScriptedPrompter.h"
#include "editor/InstallationSheetBuilder.h"
#include "editor/SiteEditor.h"
#include "io/SiteFile.h"
#include "io/SiteJson.h"
#include "model/Globals.h"

#include <gtest/gtest.h>

using namespace brellic;

namespace {

// Grade 3 on the panel of row 10 with its 17.0 Ah battery; meets both
// requirements under EN50131-1 with 15 minutes' alarm.
SupplySite MeetingSupply() {
    SupplySite site;
    site.SiteRef = "Unit 4";
    site.Grade = 3;
    site.Panel = 10;
    site.Battery = 1;
    site.AcFail = true;
    site.Devices = {{2, 3, "Door contact", 0.026, 0.026}, {1, 3, "Sounder", 0.02, 0.4}};
    return site;
}

// Under PD6662 with 30 minutes' alarm the standby still meets; four strobes
// take the alarm current past what the panel delivers (currents are line totals).
Installation Depot() {
    Installation depot;
    depot.Name = "Depot";
    depot.Address = "Yard 2";
    depot.Standard = 1;
    depot.AlarmPeriodMinutes = 30;
    depot.Supplies.push_back({"Panel", MeetingSupply()});
    SupplySite failing = MeetingSupply();
    failing.Grade = 2;
    failing.Devices.push_back({4, 2, "Strobe", 0.04, 2.0});
    depot.Supplies.push_back({"Gate PSU", failing});
    SupplySite unfinished = MeetingSupply();
    unfinished.Battery.reset();
    depot.Supplies.push_back({"Yard PSU", unfinished});
    return depot;
}

// The sheet a window gives of the supply saved as a site file and opened
// with the installation's standard and alarm period as its Options.
SiteSheetTexts OwnSheet(const SupplySite& supply, const Installation& installation,
                        char separator) {
    const test::TempFolder folder;
    const std::string file = folder.File("own.KVR");
    EXPECT_TRUE(WriteSiteFile(file, *SiteFileOf(supply)));
    MemorySettingsStore store;
    store.values[std::string(kSystemStandardValue)] = installation.Standard;
    store.values[std::string(kAlarmPeriodValue)] = installation.AlarmPeriodMinutes;
    test::ScriptedPrompter prompter;
    SiteEditor editor(store, prompter, separator);
    EXPECT_TRUE(editor.OpenFile(file));
    return editor.SheetTexts();
}

TEST(InstallationSheet, EachSupplysSheetIsTheSameSiteOpenedOnItsOwn) {
    const Installation depot = Depot();
    for (const char separator : {'.', ','}) {
        const InstallationSheetTexts sheet = MakeInstallationSheetTexts(depot, separator);
        ASSERT_EQ(sheet.Supplies.size(), 3u);
        for (std::size_t i = 0; i < 2; ++i) {
            ASSERT_TRUE(sheet.Supplies[i].Judged()) << i;
            EXPECT_EQ(*sheet.Supplies[i].Sheet, OwnSheet(depot.Supplies[i].Site, depot, separator))
                << i;
        }
        // Judged under the installation's own standard, not the Options' default.
        EXPECT_EQ(sheet.Supplies[0].Sheet->Standard, "PD6662");
        EXPECT_EQ(sheet.Supplies[0].Sheet->AlarmPeriod, "30 minutes");
    }
}

TEST(InstallationSheet, OverviewRowsAndTheSystemRow) {
    const InstallationSheetTexts sheet = MakeInstallationSheetTexts(Depot(), ',');
    EXPECT_EQ(sheet.Name, "Depot");
    EXPECT_EQ(sheet.Address, "Yard 2");
    EXPECT_EQ(sheet.Standard, "PD6662");
    EXPECT_EQ(sheet.AlarmPeriod, "30 minutes");

    const SheetSupply& panel = sheet.Supplies[0];
    EXPECT_EQ(panel.Name, "Panel");
    EXPECT_EQ(panel.Panel, PanelTable[10].Name);
    EXPECT_EQ(panel.Battery, panel.Sheet->BatteryText);
    EXPECT_EQ(panel.Grade, "3");
    // The figures the supply's own sheet states, in the same digits.
    EXPECT_EQ(panel.RequiredStandby, panel.Sheet->RequiredStandby.Result);
    EXPECT_EQ(panel.ActualStandby, panel.Sheet->ActualStandby.Result);
    EXPECT_EQ(panel.AlarmCurrent, panel.Sheet->AlarmTotal.Result);
    EXPECT_EQ(panel.PeakCurrent, panel.Sheet->PeakCurrent.Result);
    EXPECT_NE(panel.PeakCurrent.find(','), std::string::npos);
    EXPECT_EQ(panel.Standby, Outcome::Meets);
    EXPECT_EQ(panel.AlarmVerdict, Outcome::Meets);

    const SheetSupply& gate = sheet.Supplies[1];
    EXPECT_EQ(gate.Standby, Outcome::Meets);
    EXPECT_EQ(gate.AlarmVerdict, Outcome::Fails);

    const SheetSupply& yard = sheet.Supplies[2];
    EXPECT_FALSE(yard.Judged());
    EXPECT_EQ(yard.Panel, PanelTable[10].Name);
    EXPECT_EQ(yard.Battery, "");
    EXPECT_EQ(yard.ActualStandby, "");
    EXPECT_EQ(yard.Standby, Outcome::NotJudged);

    EXPECT_EQ(sheet.System.State, Outcome::Fails);
    EXPECT_EQ(sheet.System.Meeting, "1 of 3");
    EXPECT_EQ(sheet.System.Grade, "2");
    EXPECT_TRUE(sheet.System.GradesDiffer);
}

} // namespace

namespace {

CableRun SounderRun(double lengthM) {
    CableRun run;
    run.Name = "Sounder";
    run.Cable = 0;
    run.OhmsPerMetrePerCore = kCableTable[0].OhmsPerMetre;
    run.LengthM = lengthM;
    run.Lines = {{1, std::nullopt}};
    return run;
}

// Runs do not depend on the panel or the battery: a supply not yet judged
// shows its runs too, and the overview's texts are the window's.
TEST(InstallationSheet, CableRunsOfEverySupplyJudgedOrNot) {
    Installation depot = Depot();
    // 0.4 A at the far end of 10 m drops 0.68 V; of 40 m, 2.72 V.
    depot.Supplies[0].Runs = {SounderRun(10), SounderRun(40)};
    depot.Supplies[2].Runs = {SounderRun(10)};
    depot.Supplies[2].LowestOutputVolts = 12;
    const InstallationSheetTexts sheet = MakeInstallationSheetTexts(depot, '.');

    const SheetSupply& panel = sheet.Supplies[0];
    EXPECT_EQ(panel.CableRuns, "1 of 2 meet");
    EXPECT_EQ(panel.CableRunsVerdict, Outcome::Fails);
    ASSERT_EQ(panel.Runs.size(), 2u);
    EXPECT_EQ(panel.Runs[1].State, Outcome::Fails);
    EXPECT_EQ(panel.Runs[1].AlarmDrops.at(0).Result, "2.72 V");
    EXPECT_EQ(panel.LowestOutputVolts, "10.50 V");

    EXPECT_EQ(sheet.Supplies[1].CableRuns, "none");
    EXPECT_EQ(sheet.Supplies[1].CableRunsVerdict, Outcome::NotJudged);
    EXPECT_TRUE(sheet.Supplies[1].Runs.empty());

    const SheetSupply& yard = sheet.Supplies[2];
    EXPECT_FALSE(yard.Judged());
    EXPECT_EQ(yard.CableRuns, "meet");
    EXPECT_EQ(yard.CableRunsVerdict, Outcome::Meets);
    ASSERT_EQ(yard.Runs.size(), 1u);
    EXPECT_EQ(yard.LowestOutputVolts, "12.00 V");
    EXPECT_EQ(yard.Runs[0].LowestAlarm.Result, "11.32 V at line 2");
}

} // namespace
