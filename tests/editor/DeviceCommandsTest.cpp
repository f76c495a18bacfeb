#include "EditorFixture.h"

using namespace brellic;
using brellic::test::EditorTest;

namespace {

// A dialog run that records what the dialog showed and presses OK or Cancel.
struct Seen {
    std::size_t rows = 0;
    int selected = -1;
    bool customEnabled = false;
    std::string description;
    long double quiescent = 0, alarm = 0;
    int quantity = 0;
};

DeviceDialog::ShowModal Press(bool ok, Seen* seen = nullptr) {
    return [ok, seen](DeviceDialog& dialog) {
        if (seen) {
            seen->rows = dialog.Rows().size();
            seen->selected = dialog.Selected();
            seen->customEnabled = dialog.CustomEnabled();
            seen->description = dialog.CustomDescription();
            seen->quiescent = dialog.CustomQuiescent();
            seen->alarm = dialog.CustomAlarm();
            seen->quantity = dialog.ShownQuantity();
        }
        return ok;
    };
}

} // namespace

TEST_F(EditorTest, ChoiceRowsFollowPanelFamilyAndGrade) {
    for (auto [grade, expected] : {std::pair{1, 72u}, {2, 72u}, {3, 43u}}) {
        Start();
        Ready(grade, 9, "7.2 Ah");
        Seen seen;
        editor->btnAddClick(Press(false, &seen));
        EXPECT_EQ(seen.rows, expected + 1) << "grade " << grade; // plus "Custom"
        EXPECT_EQ(seen.selected, 0);
        EXPECT_FALSE(seen.customEnabled);
    }
}

TEST_F(EditorTest, AddFirstRowTakesCatalogueFigures) {
    Ready(3, 9, "7.2 Ah");
    editor->btnAddClick(Press(true));
    ASSERT_EQ(editor->Devices().Count(), 1u);
    const int row = CatalogueForPanel(9, 3).front();
    const TDeviceData& added = editor->Devices().At(0).Data;
    EXPECT_EQ(added.Description, DeviceCatalogue[row].Name);
    EXPECT_EQ(added.Grade, DeviceCatalogue[row].Grade);
    EXPECT_EQ(added.Qty, 1);
    EXPECT_EQ(added.Quiescent, DeviceCatalogue[row].Quiescent);
    EXPECT_TRUE(site().Modified);
    EXPECT_TRUE(view().Enabled.btnEdit);
    EXPECT_EQ(texts().TotNomI, "0.145 Amps"); // 0.050 + the panel's 0.095
}

TEST_F(EditorTest, CustomDeviceAndEditingItBackUnchanged) {
    Ready(3, 9, "7.2 Ah");
    AddCustom("Door contact", 4, 0.025, 0.050);
    const DeviceList::Entry& entry = editor->Devices().At(0);
    EXPECT_EQ(entry.Data.Grade, 3);
    EXPECT_EQ(entry.Text, "4\tDoor contact\t3\t0.100 Amps\t0.200 Amps");

    const TDeviceData before = entry.Data;
    editor->SelectDevice(0);
    Seen seen;
    editor->btnEditClick(Press(true, &seen));
    EXPECT_EQ(seen.selected, static_cast<int>(seen.rows) - 1);
    EXPECT_TRUE(seen.customEnabled);
    EXPECT_EQ(seen.description, "Door contact");
    EXPECT_EQ(static_cast<double>(seen.quiescent), 0.025);
    EXPECT_EQ(static_cast<double>(seen.alarm), 0.050);
    EXPECT_EQ(seen.quantity, 4);
    EXPECT_EQ(editor->Devices().At(0).Data, before);
}

TEST_F(EditorTest, EditingKeepsAwkwardCurrentsExactly) {
    Ready(3, 9, "7.2 Ah");
    AddCustom("", 7, 0.013, 0.017); // no description: still opens on "Custom"
    const TDeviceData before = editor->Devices().At(0).Data;
    editor->SelectDevice(0);
    editor->btnEditClick(Press(true));
    EXPECT_EQ(editor->Devices().At(0).Data, before);
}

TEST_F(EditorTest, EditCatalogueEntryQuantity) {
    Ready(3, 9, "7.2 Ah");
    const int row = 21;
    AddCatalogue(DeviceCatalogue[row].Name, 2);
    editor->SelectDevice(0);
    Seen seen;
    editor->btnEditClick([&](DeviceDialog& dialog) {
        Press(false, &seen)(dialog);
        dialog.SetQuantity(5);
        return true;
    });
    EXPECT_FALSE(seen.customEnabled);
    EXPECT_EQ(seen.description, "");
    EXPECT_EQ(seen.quantity, 2);
    const TDeviceData& edited = editor->Devices().At(0).Data;
    EXPECT_EQ(edited.Qty, 5);
    EXPECT_EQ(edited.Quiescent, static_cast<double>(5.0L * DeviceCatalogue[row].Quiescent));
    EXPECT_EQ(edited.Grade, 3);
}

TEST_F(EditorTest, EntryNoLongerOfferedOpensOnCustom) {
    Ready(2, 3, "7.2 Ah");
    AddCatalogue(DeviceCatalogue[48].Name, 3); // a keypad of families 1-4 and 20-21; grade 2
    ASSERT_EQ(editor->Devices().At(0).Data.Description, DeviceCatalogue[48].Name);
    ChooseGrade(1);
    ChoosePanel(0); // family 0 does not take it
    ChooseBattery("2.1 Ah");
    editor->SelectDevice(0);
    Seen seen;
    editor->btnEditClick(Press(true, &seen));
    EXPECT_TRUE(seen.customEnabled);
    EXPECT_EQ(seen.description, DeviceCatalogue[48].Name);
    const TDeviceData& edited = editor->Devices().At(0).Data;
    EXPECT_EQ(edited.Grade, 1); // now a custom device at the system grade
    EXPECT_EQ(edited.Qty, 3);
    EXPECT_EQ(edited.Quiescent, static_cast<double>(3.0L * 0.045));
}

TEST_F(EditorTest, ListHoldsAtMostOneHundredDevices) {
    Ready(2, 10, "17.0 Ah");
    for (int i = 0; i < 100; ++i)
        editor->btnAddClick(Press(true));
    EXPECT_EQ(editor->Devices().Count(), 100u);
    bool shown = false;
    editor->btnAddClick([&](DeviceDialog&) { return shown = true; });
    EXPECT_FALSE(shown);
    EXPECT_EQ(editor->Devices().Count(), 100u);
}

TEST_F(EditorTest, CancelAndNoChangeNothing) {
    Ready(2, 10, "17.0 Ah");
    AddCustom("Door contact", 4, 0.025, 0.050);
    // Make the site look unmodified, as after opening a file.
    editor->GradeChanged(1, Origin::Program);
    ASSERT_FALSE(site().Modified);
    const TDeviceData before = editor->Devices().At(0).Data;
    const std::string text = editor->Devices().At(0).Text;

    editor->btnAddClick(Press(false));
    editor->SelectDevice(0);
    editor->btnEditClick([](DeviceDialog& dialog) {
        dialog.SetQuantity(9);
        return false;
    });
    prompter.answers = {false};
    editor->btnDeleteClick();
    EXPECT_EQ(editor->Devices().Count(), 1u);
    EXPECT_EQ(editor->Devices().At(0).Data, before);
    EXPECT_EQ(editor->Devices().At(0).Text, text);
    EXPECT_FALSE(site().Modified);

    prompter.answers = {true};
    editor->btnDeleteClick();
    EXPECT_EQ(prompter.asked.back().text, "Are you sure you want to delete this device?");
    EXPECT_TRUE(editor->Devices().Empty());
    EXPECT_TRUE(site().Modified);
    EXPECT_FALSE(view().Enabled.btnDelete);
}

TEST_F(EditorTest, CustomCurrentsCannotBeNegative) {
    Ready(1, 0, "2.1 Ah");
    AddCustom("Cancelling line", 1, -0.05, -1.0);
    EXPECT_EQ(editor->Devices().At(0).Data.Quiescent, 0.0);
    EXPECT_EQ(editor->Devices().At(0).Data.Alarm, 0.0);
    EXPECT_EQ(texts().lbActStandby, "41.50 Hours");
}
