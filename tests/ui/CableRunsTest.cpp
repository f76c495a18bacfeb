// The Cable Runs dialog and its edit dialog, driven as a user would through
// EditCableRuns on an open installation.

#include "ui/CableRunDialog.h"
#include "ui/CableRunsDialog.h"

#include "ModalHelper.h"
#include "ScriptedPrompter.h"

#include "editor/InstallationEditor.h"
#include "editor/Settings.h"
#include "editor/SiteEditor.h"
#include "io/InstallationFile.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

namespace brellic {

using testing::FindChild;
using testing::WhenModalShown;

namespace {

constexpr int kLowestInAlarm = 9;
constexpr int kVerdict = 11;

// An installation of one supply: a keypad, a sounder and a detector, the
// sounder's 0.4 A at the end of 50 m of 7/0.2 (3.4 V down to 7.10 V).
struct Open {
    MemorySettingsStore store;
    testing::ScriptedPrompter prompter;
    SiteEditor editor{store, prompter};
    InstallationEditor installation{editor, prompter};
    QTemporaryDir dir;

    Open() {
        Installation data;
        InstallationSupply& supply = data.Supplies.emplace_back();
        supply.Name = "Panel";
        supply.Site.Grade = 2;
        supply.Site.Devices = {{1, 2, "Keypad", 0.05, 0.07},
                               {1, 2, "Sounder", 0.01, 0.4},
                               {2, 2, "Detector", 0.03, 0.03}};
        CableRun hall;
        hall.Name = "Hall";
        hall.Cable = 0;
        hall.LengthM = 50;
        hall.Lines = {{1, {}}};
        supply.Runs = {hall};
        const std::string path = dir.filePath(QStringLiteral("i.brellic")).toStdString();
        if (!WriteInstallationFile(path, data) || !installation.OpenFile(path))
            qFatal("the installation could not be written and opened");
    }
};

QString Cell(QDialog* dialog, int row, int column) {
    const QTreeWidgetItem* item = FindChild<QTreeWidget>(dialog, "lvRuns")->topLevelItem(row);
    return item != nullptr ? item->text(column) : QString();
}

QColor Colour(QDialog* dialog, int row, int column) {
    const QTreeWidgetItem* item = FindChild<QTreeWidget>(dialog, "lvRuns")->topLevelItem(row);
    return item != nullptr ? item->foreground(column).color() : QColor();
}

int Rows(QDialog* dialog) {
    return FindChild<QTreeWidget>(dialog, "lvRuns")->topLevelItemCount();
}

void SelectRun(QDialog* dialog, int row) {
    auto* runs = FindChild<QTreeWidget>(dialog, "lvRuns");
    runs->setCurrentItem(runs->topLevelItem(row));
}

void Click(QWidget* parent, const char* button) {
    QTest::mouseClick(FindChild<QPushButton>(parent, button), Qt::LeftButton);
}

// Answers the next message box with its button.
std::shared_ptr<testing::ModalHandled> AnswerBox(QMessageBox::StandardButton button,
                                                 QString* text = nullptr) {
    return WhenModalShown<QMessageBox>([button, text](QMessageBox* box) {
        if (text != nullptr)
            *text = box->text();
        box->button(button)->click();
    });
}

} // namespace

class CableRunsTest : public QObject {
    Q_OBJECT

private slots:
    void EveryFigureShowsColouredAndOkHandsTheEditsBack();
    void ARefusedEntryLosesNothingAndCancelChangesNothing();
};

void CableRunsTest::EveryFigureShowsColouredAndOkHandsTheEditsBack() {
    Open open;
    auto shown = WhenModalShown<TfrmCableRuns>([](TfrmCableRuns* dialog) {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Cable Runs - Panel"));
        QCOMPARE(Rows(dialog), 1);
        QCOMPARE(Cell(dialog, 0, 0), QStringLiteral("Hall"));
        QCOMPARE(Cell(dialog, 0, 7), QStringLiteral("8.500 \u03A9"));
        QCOMPARE(Cell(dialog, 0, kLowestInAlarm), QStringLiteral("7.10 V at line 2"));
        QCOMPARE(Cell(dialog, 0, kVerdict), QStringLiteral("Fails"));
        QCOMPARE(Colour(dialog, 0, kVerdict), QColor(255, 0, 0));
        SelectRun(dialog, 0);
        QCOMPARE(FindChild<QLabel>(dialog, "lbRemedies")->text(),
                 QStringLiteral("Hall - Longest that Meets: 14.7 m; Thinnest Cable that Meets: "
                                "1.0 mm\u00B2; Cores to Meet: 4"));

        // The keypad's 70 mA at the end of 32 m; the sounder's line is
        // another run's and cannot be chosen.
        auto added = WhenModalShown<TfrmCableRun>([](TfrmCableRun* edit) {
            auto* lines = FindChild<QTreeWidget>(edit, "lvLines");
            QCOMPARE(lines->topLevelItemCount(), 3);
            QVERIFY(!(lines->topLevelItem(1)->flags() & Qt::ItemIsEnabled));
            QCOMPARE(lines->topLevelItem(1)->text(2), QStringLiteral("Hall"));
            FindChild<QLineEdit>(edit, "edName")->setText(QStringLiteral("Keypad"));
            FindChild<QLineEdit>(edit, "edLength")->setText(QStringLiteral("32"));
            lines->topLevelItem(0)->setCheckState(0, Qt::Checked);
            Click(edit, "btnOK");
        });
        Click(dialog, "btnAddRun");
        QVERIFY(added->ran);
        QCOMPARE(Rows(dialog), 2);
        QCOMPARE(Cell(dialog, 1, kLowestInAlarm), QStringLiteral("10.12 V at line 1"));
        QCOMPARE(Cell(dialog, 1, kVerdict), QStringLiteral("Meets"));
        QCOMPARE(Colour(dialog, 1, kVerdict), QColor(0, 128, 0));

        // Four cores on each leg: 0.85 V.
        SelectRun(dialog, 0);
        auto edited = WhenModalShown<TfrmCableRun>([](TfrmCableRun* edit) {
            QCOMPARE(FindChild<QLineEdit>(edit, "edLength")->text(), QStringLiteral("50.0"));
            QVERIFY(!FindChild<QLineEdit>(edit, "edOhms")->isEnabled());
            // Each label's shortcut reaches its field, also one beside its unit.
            edit->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(edit));
            QTest::keyClick(edit, Qt::Key_L, Qt::AltModifier);
            QCOMPARE(QApplication::focusWidget(), FindChild<QLineEdit>(edit, "edLength"));
            QTest::keyClick(edit, Qt::Key_0, Qt::AltModifier);
            QCOMPARE(QApplication::focusWidget(), FindChild<QSpinBox>(edit, "seCoresNegative"));
            FindChild<QSpinBox>(edit, "seCoresPositive")->setValue(4);
            FindChild<QSpinBox>(edit, "seCoresNegative")->setValue(4);
            Click(edit, "btnOK");
        });
        Click(dialog, "btnEditRun");
        QVERIFY(edited->ran);
        QCOMPARE(Cell(dialog, 0, kLowestInAlarm), QStringLiteral("9.65 V at line 2"));
        QCOMPARE(Cell(dialog, 0, kVerdict), QStringLiteral("Meets"));

        // Enter in the voltage field is OK, once the voltage is taken.
        dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        auto* volts = FindChild<QLineEdit>(dialog, "edLowestVolts");
        volts->selectAll();
        QTest::keyClicks(volts, QStringLiteral("4"));
        auto refused = AnswerBox(QMessageBox::Ok);
        QTest::keyClick(volts, Qt::Key_Return);
        QVERIFY(refused->ran);
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->focusWidget(), volts);
        QCOMPARE(volts->text(), QStringLiteral("4")); // kept as typed, to be mended
        volts->selectAll();
        QTest::keyClicks(volts, QStringLiteral("11"));
        QTest::keyClick(volts, Qt::Key_Return);
    });
    QVERIFY(EditCableRuns(open.installation, nullptr));
    QVERIFY(shown->ran);
    const InstallationSupply supply = open.installation.Current().Supplies[0];
    QCOMPARE(supply.LowestOutputVolts, 11.0);
    QCOMPARE(supply.Runs.size(), std::size_t{2});
    QCOMPARE(supply.Runs[0].CoresPositive, 4);
    QCOMPARE(supply.Runs[1].Name, std::string("Keypad"));
    QVERIFY(open.installation.Modified());
}

void CableRunsTest::ARefusedEntryLosesNothingAndCancelChangesNothing() {
    Open open;
    const std::vector<CableRun> before = open.installation.Current().Supplies[0].Runs;
    auto shown = WhenModalShown<TfrmCableRuns>([](TfrmCableRuns* dialog) {
        SelectRun(dialog, 0);
        QString question;
        auto no = AnswerBox(QMessageBox::No, &question);
        Click(dialog, "btnRemoveRun");
        QVERIFY(no->ran);
        QCOMPARE(question,
                 QStringLiteral("Are you sure you want to remove the cable run \"Hall\"?"));
        QCOMPARE(Rows(dialog), 1);
        auto yes = AnswerBox(QMessageBox::Yes);
        Click(dialog, "btnRemoveRun");
        QVERIFY(yes->ran);
        QCOMPARE(Rows(dialog), 0);

        // No length: the message, and the dialog still open with what was typed.
        auto added = WhenModalShown<TfrmCableRun>([](TfrmCableRun* edit) {
            FindChild<QLineEdit>(edit, "edName")->setText(QStringLiteral("Gate"));
            QString error;
            auto refused = AnswerBox(QMessageBox::Ok, &error);
            Click(edit, "btnOK");
            QVERIFY(refused->ran);
            QCOMPARE(error, QStringLiteral("The run's length must be greater than 0 m and at "
                                           "most 2000 m, with at most 1 decimal."));
            QVERIFY(edit->isVisible());
            QCOMPARE(FindChild<QLineEdit>(edit, "edName")->text(), QStringLiteral("Gate"));
            QCOMPARE(edit->focusWidget(), FindChild<QLineEdit>(edit, "edLength"));
            Click(edit, "btnCancel");
        });
        Click(dialog, "btnAddRun");
        QVERIFY(added->ran);
        QCOMPARE(Rows(dialog), 0);

        // The removal is not thrown away unasked, by Cancel or by Esc.
        auto keep = AnswerBox(QMessageBox::No, &question);
        Click(dialog, "btnCancel");
        QVERIFY(keep->ran);
        QCOMPARE(question, QStringLiteral("Discard the changes to the cable runs?"));
        QVERIFY(dialog->isVisible());
        auto discard = AnswerBox(QMessageBox::Yes);
        QTest::keyClick(dialog, Qt::Key_Escape);
        QVERIFY(discard->ran);
    });
    QVERIFY(!EditCableRuns(open.installation, nullptr));
    QVERIFY(shown->ran);
    QCOMPARE(open.installation.Current().Supplies[0].Runs, before);
    QVERIFY(!open.installation.Modified());

    // Without an installation there is nothing to edit, and nothing shows.
    QVERIFY(open.installation.Close());
    QVERIFY(!EditCableRuns(open.installation, nullptr));
}

} // namespace brellic

QTEST_MAIN(brellic::CableRunsTest)
#include "CableRunsTest.moc"
