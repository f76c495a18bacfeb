// The Cable Runs dialog's rules: entries checked before they are taken, the
// table's texts, and figures that survive being shown rounded.
#include "editor/CableRunEditor.h"

#include "calc/ResultTexts.h"

#include <gtest/gtest.h>

using namespace brellic;

namespace {

// A keypad (70 mA in alarm), a sounder and a detector; the sounder on a run
// of 32 m of 7/0.2.
InstallationSupply Supply() {
    InstallationSupply supply;
    supply.Name = "Panel";
    supply.Site.Devices = {
        {1, 2, "Keypad", 0.05, 0.07}, {1, 2, "Sounder", 0.01, 0.4}, {2, 2, "Detector", 0.03, 0.03}};
    CableRun run;
    run.Name = "Hall";
    run.Cable = 0;
    run.LengthM = 32;
    run.Lines = {{0, {}}};
    supply.Runs = {run};
    return supply;
}

TEST(CableRunEditor, EachFaultOfAnEntryIsRefusedWithItsReason) {
    CableRunEditor editor(Supply());
    const auto with = [&editor](auto change) {
        RunEntry entry = editor.NewEntry();
        entry.LengthM = "20.0";
        change(entry);
        return entry;
    };
    using Field = CableRunEditor::RunField;
    const struct {
        RunEntry Entry;
        std::string Message;
        Field At;
    } faults[] = {
        {with([](RunEntry& e) { e.Name.clear(); }), "A cable run needs a name.", Field::Name},
        {with([](RunEntry& e) { e.Name = std::string(51, 'n'); }),
         "A cable run's name must be one line of at most 50 characters a site file can hold.",
         Field::Name},
        {with([](RunEntry& e) {
             e.Cable = kCableTable.size();
             e.OhmsPerMetre = "0";
         }),
         "The resistance must be a number of ohms per metre per core greater than 0, with at "
         "most 6 decimals.",
         Field::Ohms},
        {with([](RunEntry& e) { e.CoresNegative = 5; }),
         "The cores doubled up must be 1 to 4 on each leg.", Field::Cores},
        {with([](RunEntry& e) { e.LengthM = ""; }),
         "The run's length must be greater than 0 m and at most 2000 m, with at most 1 decimal.",
         Field::Length},
        {with([](RunEntry& e) { e.LengthM = "2000.1"; }),
         "The run's length must be greater than 0 m and at most 2000 m, with at most 1 decimal.",
         Field::Length},
        // Not 1.5 m: a run that fails must not pass on a thousands comma.
        {with([](RunEntry& e) { e.LengthM = "1,500"; }),
         "1,500 could be 1.5 or 1500: type it with a point.", Field::Length},
        {with([](RunEntry& e) { e.MinVolts = "10.5"; }),
         "The lowest operating voltage must be greater than 0 V and below the supply's lowest "
         "output voltage, 10.50 V, with at most 2 decimals.",
         Field::MinVolts},
        {with([](RunEntry& e) {
             e.Lines[1].On = true;
             e.Lines[1].DistanceM = "20.1";
         }),
         "The distance of device line 2 must be from 0 m to the run's length, 20.0 m, with at "
         "most 1 decimal; left empty, the line is at the far end.",
         Field::Line},
        {with([](RunEntry& e) { e.Name = "Hall"; }),
         "Another cable run of this supply is already named \"Hall\".", Field::Name},
        {with([](RunEntry& e) { e.Lines[0].On = true; }),
         "Device line 1 is on the run \"Hall\" already; a device line is on at most one run.",
         Field::Line},
    };
    for (const auto& fault : faults) {
        EXPECT_EQ(editor.Add(fault.Entry), fault.Message);
        EXPECT_EQ(editor.LastFault().Field, fault.At) << fault.Message;
        EXPECT_EQ(editor.Supply().Runs.size(), 1u);
    }
    EXPECT_EQ(editor.LastFault().Line, 0u);
    EXPECT_FALSE(editor.Changed());

    // The same lines, free, are offered and taken, one at its distance.
    EXPECT_EQ(editor.LineChoices(std::nullopt)[0].OtherRun, "Hall");
    EXPECT_EQ(editor.LineChoices(0u)[0].OtherRun, "");
    EXPECT_EQ(editor.LineChoices(std::nullopt)[1].Text, "2  Sounder");
    RunEntry entry = with([](RunEntry& e) {
        e.Lines[1].On = true;
        e.Lines[2] = {true, "12.5"};
    });
    EXPECT_EQ(entry.Name, "Run 2");
    ASSERT_EQ(editor.Add(entry), "");
    EXPECT_EQ(editor.Supply().Runs[1].Lines, (std::vector<RunLine>{{1, {}}, {2, 12.5}}));
    EXPECT_TRUE(editor.Changed());

    while (editor.Supply().Runs.size() < kMaxCableRuns)
        ASSERT_EQ(editor.Add(with([&editor](RunEntry& e) {
            e.Name = "More " + std::to_string(editor.Supply().Runs.size());
        })),
                  "");
    EXPECT_EQ(editor.Add(with([](RunEntry&) {})), "A supply holds at most 32 cable runs.");
}

TEST(CableRunEditor, AFigureLeftAsShownKeepsItsExactValue) {
    InstallationSupply supply = Supply();
    supply.Runs[0].Cable.reset();
    supply.Runs[0].OhmsPerMetrePerCore = 0.0123456789;
    supply.Runs[0].LengthM = 32.04;
    supply.Runs[0].Lines = {{0, 1.25}};
    CableRunEditor editor(supply, ',');
    RunEntry entry = editor.EntryOf(0);
    EXPECT_EQ(entry.LengthM, "32,0");
    EXPECT_EQ(entry.OhmsPerMetre, "0,012346");
    EXPECT_EQ(entry.Lines[0].DistanceM, "1,3");
    entry.Name = "Hall 2";
    ASSERT_EQ(editor.Replace(0, entry), "");
    EXPECT_EQ(editor.Supply().Runs[0].LengthM, 32.04);
    EXPECT_EQ(editor.Supply().Runs[0].OhmsPerMetrePerCore, 0.0123456789);
    EXPECT_EQ(editor.Supply().Runs[0].Lines[0].DistanceM, 1.25);

    // Typed, with the comma or the point.
    entry.LengthM = "32.5";
    entry.Lines[0].DistanceM = "2,5";
    ASSERT_EQ(editor.Replace(0, entry), "");
    EXPECT_EQ(editor.Supply().Runs[0].LengthM, 32.5);
    EXPECT_EQ(editor.Supply().Runs[0].Lines[0].DistanceM, 2.5);
}

TEST(CableRunEditor, TheSuppliesVoltageStaysAboveEveryRunsMinimum) {
    CableRunEditor editor(Supply());
    EXPECT_EQ(editor.LowestOutputVoltsText(), "10.5");
    EXPECT_EQ(editor.SetLowestOutputVolts("9.5"),
              "The lowest output voltage must stay above the lowest operating voltage of every "
              "run: \"Hall\" needs 9.50 V.");
    EXPECT_EQ(editor.SetLowestOutputVolts("31"),
              "The lowest output voltage must be 5 to 30 V, with at most 2 decimals.");
    EXPECT_FALSE(editor.Changed());
    // 70 mA over 32 m of 7/0.2 drops 0.38 V.
    EXPECT_EQ(editor.Row(0)[9], "10.12 V at line 1");
    ASSERT_EQ(editor.SetLowestOutputVolts("9.85"), "");
    EXPECT_EQ(editor.Row(0)[9], "9.47 V at line 1");
    EXPECT_EQ(editor.Row(0)[11], "Fails");
    // Each lowest voltage is coloured by its own comparison: standby still
    // reaches the minimum while alarm does not.
    EXPECT_EQ(editor.Row(0)[8], "9.58 V at line 1");
    EXPECT_EQ(editor.CellColour(0, 8), VerdictColour(Outcome::Meets));
    EXPECT_EQ(editor.CellColour(0, 9), VerdictColour(Outcome::Fails));
    EXPECT_EQ(editor.CellColour(0, 11), VerdictColour(Outcome::Fails));
    EXPECT_EQ(editor.CellColour(0, 3), std::nullopt);
    EXPECT_TRUE(editor.Changed());
}

} // namespace
