// The main window with an installation open: the supply tabs, the Installation
// menu, the overview and the File commands that act on the whole installation.
// The installation's rules are tested on its editor alone; these check that
// the widgets reach it and show what it holds.

#include "sheet/CalculationSheet.h"
#include "ui/QtPrompter.h"
#include "ui/SheetDialog.h"
#include "ui/MainWindow.h"

#include "MainWindowFixture.h"
#include "ModalHelper.h"
#include "editor/Settings.h"
#include "io/SiteFile.h"
#include "model/Globals.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QTest>

namespace brellic {

using testing::FindChild;
using testing::WhenModalShown;

namespace {

using testing::Answer;
using testing::PanelName;

struct Window : testing::Window {
    using testing::Window::Window;
    QTabBar* Tabs() { return Get<QTabBar>("tbSupplies"); }
    QStringList TabTexts() {
        QStringList texts;
        for (int i = 0; i < Tabs()->count(); ++i)
            texts << Tabs()->tabText(i);
        return texts;
    }
    Outcome Mark(int tab) { return static_cast<Outcome>(Tabs()->tabData(tab).toInt()); }
    // Closes the window, answering the save question No when it comes.
    void Discard() {
        auto asked = WhenModalShown<QMessageBox>(
            [](QMessageBox* box) { box->button(QMessageBox::No)->click(); });
        QVERIFY(form.close());
    }
};

std::shared_ptr<testing::ModalHandled> ChooseFile(const QString& path, QStringList* filters = {}) {
    return WhenModalShown<QFileDialog>([=](QFileDialog* dialog) {
        if (filters)
            *filters = dialog->nameFilters();
        dialog->selectFile(path);
        static_cast<QDialog*>(dialog)->accept(); // QFileDialog::accept checks the name
    });
}

} // namespace

class InstallationWindowTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup();
    void aSiteAloneKeepsItsForm();
    void commandsFollowTheEditorsRecord();
    void supplyTabsShowEachSupplyAndItsMark();
    void addSupplyFromSiteFileAndRemoveWithItsQuestion();
    void overviewRowsAndDoubleClick();
    void saveAsOffersBothTypesAndTheInstallationIsSavedWhole();
    void saveQuestionIsAskedOnce();
    void overviewRowIsTheTargetAndKeysStepThroughTabs();
    void formOptionsAndRenameBoxInAnInstallation();
    void openKeepsTheInstallationWhenASiteFileCannotBeRead();
    void reportCoversTheWholeInstallation();
    void calculationSheetCoversTheWholeInstallation();
};

void InstallationWindowTest::cleanup() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<TfrmMain*>(widget) == nullptr)
            QVERIFY2(!widget->isVisible(), qPrintable(widget->objectName() + " left open"));
    }
}

void InstallationWindowTest::aSiteAloneKeepsItsForm() {
    MemorySettingsStore store;
    Window w(store);
    QVERIFY(w.Tabs()->isHidden());
    QCOMPARE(w.form.size(), QSize(800, 480));
    // The Installation menu sits between File and Options, always there; each
    // title's first letter with Alt opens it.
    QStringList menus;
    for (QAction* action : w.form.menuBar()->actions()) {
        QString text = action->text();
        QCOMPARE(QKeySequence::mnemonic(text), QKeySequence(Qt::ALT | text.at(1).unicode()));
        menus << text.remove(QLatin1Char('&'));
    }
    QCOMPARE(menus, (QStringList{QStringLiteral("File"), QStringLiteral("Installation"),
                                 QStringLiteral("Options"), QStringLiteral("About")}));
    QVERIFY(w.Get<QAction>("mnuNewInstallation")->isEnabled());
    w.Discard();
}

// Every command and device button is offered as the editor's record says,
// the site's alone and an installation's with its target at the end.
void InstallationWindowTest::commandsFollowTheEditorsRecord() {
    MemorySettingsStore store;
    Window w(store);
    auto copied = [&] {
        const CommandStates s = w.form.Installation().Commands();
        const std::pair<const char*, bool> actions[] = {
            {"mnuSave", s.Save},
            {"mnuSaveAs", s.SaveAs},
            {"mnuGenReport", s.Report},
            {"mnuCalcSheet", s.CalculationSheet},
            {"mnuAddSupply", s.AddSupply},
            {"mnuAddSupplyFromSite", s.AddSupplyFromSiteFile},
            {"mnuInstallationDetails", s.Details},
            {"mnuDuplicateSupply", s.DuplicateSupply},
            {"mnuMoveSupplyLeft", s.MoveSupplyLeft},
            {"mnuMoveSupplyRight", s.MoveSupplyRight},
            {"mnuRenameSupply", s.RenameSupply},
            {"mnuRemoveSupply", s.RemoveSupply},
            {"mnuSaveSupplyAsSite", s.SaveSupplyAsSiteFile},
            {"mnuCableRuns", s.CableRuns},
        };
        for (const auto& [name, on] : actions)
            QCOMPARE(w.Get<QAction>(name)->isEnabled(), on);
        const std::pair<const char*, bool> buttons[] = {
            {"btnAdd", s.AddDevice}, {"btnEdit", s.EditDevice}, {"btnDelete", s.DeleteDevice}};
        for (const auto& [name, on] : buttons)
            QCOMPARE(w.Get<QPushButton>(name)->isEnabled(), on);
        QCOMPARE(w.Get<QTreeWidget>("lbDevices")->isEnabled(), s.DeviceList);
        // An action without a tip of its own shows its text.
        const QString tip = w.Get<QAction>("mnuCableRuns")->toolTip();
        QCOMPARE(tip, s.CableRunsTip.empty() ? QStringLiteral("Cable Runs")
                                             : QString::fromStdString(s.CableRunsTip));
    };
    copied();
    w.Run("mnuNewInstallation");
    w.Run("mnuAddSupply");
    w.Ready(2, 10, QStringLiteral("17.0 Ah"));
    copied();
    w.Discard();
}

void InstallationWindowTest::supplyTabsShowEachSupplyAndItsMark() {
    MemorySettingsStore store;
    Window w(store);
    w.Run("mnuNewInstallation");
    QVERIFY(w.Tabs()->isVisible());
    QCOMPARE(w.TabTexts(), (QStringList{QStringLiteral("Supply 1"), QStringLiteral("Overview")}));
    QCOMPARE(w.Mark(0), Outcome::NotJudged);
    // The window grows by the bar's height only.
    QCOMPARE(w.form.width(), 800);
    QCOMPARE(w.form.height(), 480 + w.Tabs()->sizeHint().height());

    w.Ready(2, 10, QStringLiteral("17.0 Ah"));
    QCOMPARE(w.Mark(0), Outcome::Meets);
    QTest::keyClicks(w.Get<QLineEdit>("edSiteRef"), QStringLiteral("Panel"));

    w.Run("mnuAddSupply");
    QCOMPARE(w.TabTexts(), (QStringList{QStringLiteral("Supply 1"), QStringLiteral("Supply 2"),
                                        QStringLiteral("Overview")}));
    QCOMPARE(w.Tabs()->currentIndex(), 1);
    QCOMPARE(w.Get<QLineEdit>("edSiteRef")->text(), QString()); // the new supply's form
    QCOMPARE(w.Mark(0), Outcome::Meets);

    // Each tab shows its own supply.
    w.Tabs()->setCurrentIndex(0);
    QCOMPARE(w.Get<QLineEdit>("edSiteRef")->text(), QStringLiteral("Panel"));
    QCOMPARE(w.Get<QComboBox>("cbPanelType")->currentText(), PanelName(10));

    // Moving keeps the supply chosen.
    w.Run("mnuMoveSupplyRight");
    QCOMPARE(w.TabTexts().mid(0, 2),
             (QStringList{QStringLiteral("Supply 2"), QStringLiteral("Supply 1")}));
    QCOMPARE(w.Tabs()->currentIndex(), 1);
    w.Discard();
}

void InstallationWindowTest::addSupplyFromSiteFileAndRemoveWithItsQuestion() {
    QTemporaryDir dir;
    const QString site = dir.filePath(QStringLiteral("Loading bay.KVR"));
    SiteFileData data;
    data.SiteRef = "Loading bay PSU";
    data.Grade = 2;
    data.Panel = 10;
    QVERIFY(WriteSiteFile(site.toStdString(), data));

    MemorySettingsStore store;
    Window w(store);
    w.Run("mnuNewInstallation");
    auto chosen = ChooseFile(site);
    w.Run("mnuAddSupplyFromSite");
    QVERIFY(chosen->ran);
    QCOMPARE(w.TabTexts(), (QStringList{QStringLiteral("Supply 1"), QStringLiteral("Loading bay"),
                                        QStringLiteral("Overview")}));
    QCOMPARE(w.Get<QLineEdit>("edSiteRef")->text(), QStringLiteral("Loading bay PSU"));

    QString question;
    auto no = Answer(QMessageBox::No, &question);
    w.Run("mnuRemoveSupply");
    QVERIFY(no->ran);
    QCOMPARE(question,
             QStringLiteral("Are you sure you want to remove the supply \"Loading bay\"?"));
    QCOMPARE(w.Tabs()->count(), 3);
    auto yes = Answer(QMessageBox::Yes);
    w.Run("mnuRemoveSupply");
    QVERIFY(yes->ran);
    QCOMPARE(w.TabTexts(), (QStringList{QStringLiteral("Supply 1"), QStringLiteral("Overview")}));
    w.Discard();
}

void InstallationWindowTest::overviewRowsAndDoubleClick() {
    MemorySettingsStore store;
    Window w(store);
    w.Run("mnuNewInstallation");
    w.Ready(2, 10, QStringLiteral("17.0 Ah"));
    w.Run("mnuAddSupply"); // left without a panel: not judged

    w.Tabs()->setCurrentIndex(2);
    QCOMPARE(w.Get<QStackedWidget>("pgMain")->currentIndex(), 1);
    auto* table = w.Get<QTableWidget>("tvOverview");
    QCOMPARE(table->rowCount(), 3);
    QCOMPARE(table->item(0, 0)->text(), QStringLiteral("Supply 1"));
    QCOMPARE(table->item(0, 1)->text(), PanelName(10));
    QCOMPARE(table->item(0, 8)->text(), QStringLiteral("none"));
    QCOMPARE(table->item(0, 9)->text(), QStringLiteral("meets"));
    QCOMPARE(table->item(0, 9)->foreground().color(), QColor(0, 128, 0));
    QCOMPARE(table->item(1, 9)->text(), QStringLiteral("not judged"));
    QCOMPARE(table->item(2, 0)->text(), QStringLiteral("Installation"));
    QCOMPARE(table->item(2, 1)->text(), QStringLiteral("1 of 2 supplies meet"));
    QCOMPARE(table->item(2, 9)->text(), QStringLiteral("fails"));
    QCOMPARE(table->item(2, 9)->foreground().color(), QColor(255, 0, 0));
    QVERIFY(w.Get<QLabel>("lbSystemVerdict")
                ->text()
                .startsWith(QStringLiteral("The installation fails: 1 of 2")));

    emit table->cellDoubleClicked(0, 3);
    QCOMPARE(w.Tabs()->currentIndex(), 0);
    QCOMPARE(w.Get<QStackedWidget>("pgMain")->currentIndex(), 0);
    QCOMPARE(w.Get<QComboBox>("cbPanelType")->currentText(), PanelName(10));
    w.Discard();
}

void InstallationWindowTest::saveAsOffersBothTypesAndTheInstallationIsSavedWhole() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("mill.brellic"));
    MemorySettingsStore store;
    Window w(store);
    w.Ready(2, 10, QStringLiteral("17.0 Ah"));
    QStringList filters;
    auto chosen = ChooseFile(path, &filters);
    w.Run("mnuSaveAs");
    QVERIFY(chosen->ran);
    QCOMPARE(filters, (QStringList{QStringLiteral("Quorvex Site Data (*.KVR)"),
                                   QStringLiteral("Brellic Installation (*.brellic)")}));
    // Saved as an installation, the site becomes its one supply and stays open.
    QVERIFY(QFile::exists(path));
    QCOMPARE(w.form.windowTitle(), QStringLiteral("Brellic - ") + QDir::toNativeSeparators(path));
    QCOMPARE(w.TabTexts(), (QStringList{QStringLiteral("Supply 1"), QStringLiteral("Overview")}));
    QVERIFY(!w.form.Installation().Modified());

    // Save writes every supply, the one being edited included.
    w.Run("mnuAddSupply");
    w.Ready(3, 15, QStringLiteral("18.0 Ah"));
    QVERIFY(w.form.Installation().Modified());
    w.Run("mnuSave");
    QVERIFY(!w.form.Installation().Modified());
    QVERIFY(w.form.close()); // nothing to ask

    Window again(store);
    again.form.OpenAtStart(path);
    QCOMPARE(again.TabTexts(), (QStringList{QStringLiteral("Supply 1"), QStringLiteral("Supply 2"),
                                            QStringLiteral("Overview")}));
    again.Tabs()->setCurrentIndex(1);
    QCOMPARE(again.Get<QComboBox>("cbPanelType")->currentText(), PanelName(15));
    QCOMPARE(again.Get<QComboBox>("cbBatteryType")->currentText(), QStringLiteral("18.0 Ah"));
    QVERIFY(again.form.close());
}

// One question for the whole installation, whichever supply was edited.
void InstallationWindowTest::saveQuestionIsAskedOnce() {
    MemorySettingsStore store;
    Window w(store);
    w.Run("mnuNewInstallation");
    w.Ready(2, 10, QStringLiteral("17.0 Ah"));
    w.Run("mnuAddSupply");
    int asked = 0;
    QString text;
    auto shown = WhenModalShown<QMessageBox>([&](QMessageBox* box) {
        ++asked;
        text = box->text();
        box->button(QMessageBox::No)->click();
    });
    QVERIFY(w.form.close());
    QVERIFY(shown->ran);
    QCOMPARE(asked, 1);
    QCOMPARE(text, QStringLiteral("Do you want to save the installation?"));
}

// On the overview the per-supply commands act on the picked row, none on
// the installation's own; Enter opens a row; keys step round the tabs.
void InstallationWindowTest::overviewRowIsTheTargetAndKeysStepThroughTabs() {
    MemorySettingsStore store;
    Window w(store);
    w.Run("mnuNewInstallation");
    w.Run("mnuAddSupply");
    w.Run("mnuAddSupply");
    w.Tabs()->setCurrentIndex(3);
    auto* table = w.Get<QTableWidget>("tvOverview");
    table->selectRow(1);
    QString question;
    auto no = Answer(QMessageBox::No, &question);
    w.Run("mnuRemoveSupply");
    QCOMPARE(question, QStringLiteral("Are you sure you want to remove the supply \"Supply 2\"?"));
    table->selectRow(3);
    QVERIFY(!w.Get<QAction>("mnuRemoveSupply")->isEnabled());
    w.form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w.form));
    table->setFocus();
    table->selectRow(0);
    QTest::keyClick(table, Qt::Key_Return);
    QCOMPARE(w.Tabs()->currentIndex(), 0);
    QTest::keyClick(w.Tabs(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(w.Tabs(), Qt::Key_PageUp, Qt::ControlModifier);
    QCOMPARE(w.Tabs()->currentIndex(), 2);
    QTest::keyClick(w.Tabs(), Qt::Key_Tab, Qt::ControlModifier);
    QTest::keyClick(w.Tabs(), Qt::Key_PageDown, Qt::ControlModifier); // round past the end
    QCOMPARE(w.Tabs()->currentIndex(), 0);
    w.Discard();
}

// The runs' line under the verdicts, only in an installation; the tab's tip
// naming its supply; Options showing the installation's values, disabled; a
// refused name left in the rename box, selected.
void InstallationWindowTest::formOptionsAndRenameBoxInAnInstallation() {
    MemorySettingsStore store;
    Window w(store);
    QVERIFY(w.Get<QLabel>("lbCableRuns")->isHidden());
    w.Run("mnuNewInstallation");
    QVERIFY(w.Get<QLabel>("lbCableRuns")->isVisible());
    QCOMPARE(w.Text("lbCableRuns"), QStringLiteral("Cable runs: none"));
    QVERIFY(w.Tabs()->tabToolTip(0).startsWith(QStringLiteral("Supply 1\n")));
    auto shown = WhenModalShown<QDialog>([&](QDialog* dialog) {
        QVERIFY(!FindChild<QWidget>(dialog, "rgStandard")->isEnabled());
        QVERIFY(FindChild<QLabel>(dialog, "lbOwnValues")->isVisible());
        dialog->reject();
    });
    w.Run("Options1");
    QVERIFY(shown->ran);

    w.Run("mnuAddSupply");
    QString selected;
    auto renamed = WhenModalShown<QInputDialog>([&](QInputDialog* box) {
        QVERIFY(box->width() > box->fontMetrics().horizontalAdvance(box->windowTitle()) + 140);
        auto refused = Answer(QMessageBox::Ok);
        box->setTextValue(QStringLiteral("Supply 1"));
        box->accept();
        QVERIFY(refused->ran && box->isVisible());
        selected = box->findChild<QLineEdit*>()->selectedText();
        box->setTextValue(QStringLiteral("Yard"));
        box->accept();
    });
    w.Run("mnuRenameSupply");
    QCOMPARE(selected, QStringLiteral("Supply 1"));
    QCOMPARE(w.TabTexts().at(1), QStringLiteral("Yard"));
    w.Discard();
}

void InstallationWindowTest::openKeepsTheInstallationWhenASiteFileCannotBeRead() {
    QTemporaryDir dir;
    const QString bad = dir.filePath(QStringLiteral("short.KVR"));
    QFile file(bad);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("not a site");
    file.close();
    MemorySettingsStore store;
    Window w(store);
    w.Run("mnuNewInstallation");
    w.Ready(2, 10, QStringLiteral("17.0 Ah"));
    // The save question first (No), then the file, then the error.
    int boxes = 0;
    auto answers = WhenModalShown<QMessageBox>([&](QMessageBox* box) {
        ++boxes;
        box->button(QMessageBox::No)->click();
    });
    QStringList filters;
    auto chosen = ChooseFile(bad, &filters);
    auto error = Answer(QMessageBox::Ok);
    w.Run("mnuOpen");
    QVERIFY(chosen->ran);
    QVERIFY(error->ran);
    QCOMPARE(error->windowTitle, QStringLiteral("Error"));
    QCOMPARE(filters.size(), 3);
    QCOMPARE(filters.first(), QStringLiteral("Brellic files (*.KVR *.brellic)"));
    QVERIFY(w.form.Installation().IsOpen());
    QCOMPARE(w.Tabs()->count(), 2);
    QCOMPARE(w.Get<QComboBox>("cbPanelType")->currentText(), PanelName(10));
    w.Discard();
}

void InstallationWindowTest::reportCoversTheWholeInstallation() {
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    {
        MemorySettingsStore store;
        Window w(store);
        w.Run("mnuNewInstallation");
        w.Run("mnuAddSupply");
        // Supplies not yet judged: the report says so.
        w.Run("mnuGenReport");
        QCOMPARE(w.opener.opened, (std::vector<std::string>{"Report.Txt"}));
        QFile report(QStringLiteral("Report.Txt"));
        QVERIFY(report.open(QIODevice::ReadOnly));
        const QByteArray bytes = report.readAll();
        QVERIFY(bytes.startsWith("Installation Report\r\n"));
        QVERIFY(bytes.contains("=== Supply 2: Supply 2 ===\r\n"));
        w.Discard();
    }
    QDir::setCurrent(previous);
}

void InstallationWindowTest::calculationSheetCoversTheWholeInstallation() {
    MemorySettingsStore store;
    Window w(store);
    w.Run("mnuNewInstallation");
    w.Ready(2, 10, QStringLiteral("17.0 Ah"));
    w.Run("mnuAddSupply"); // not judged
    QString html;
    auto shown = WhenModalShown<TfrmSheet>([&](TfrmSheet* sheet) {
        html = sheet->Sheet().Html();
        sheet->reject();
    });
    w.Run("mnuCalcSheet");
    QVERIFY(shown->ran);
    QVERIFY(html.contains(QStringLiteral("Supply 1 of 2")));
    QVERIFY(html.contains(QStringLiteral("Supply 2 of 2")));
    w.Discard();
}

} // namespace brellic

QTEST_MAIN(brellic::InstallationWindowTest)
#include "InstallationWindowTest.moc"
