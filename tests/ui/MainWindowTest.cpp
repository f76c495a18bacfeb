// The main window through its real widgets: that each control reaches the
// site editor and shows what it holds. The rules themselves are tested on the
// editor alone.

#include "settings/DecimalSeparator.h"
#include "ui/Options.h"
#include "ui/QtPrompter.h"
#include "ui/MainWindow.h"

#include "MainWindowFixture.h"
#include "ModalHelper.h"
#include "editor/Settings.h"
#include "model/Globals.h"
#ifdef _WIN32
#include "settings/RegistrySettingsStore.h"
#else
#include "settings/IniSettingsStore.h"
#endif

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QScopeGuard>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <QTreeWidget>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace brellic {

using testing::FindChild;
using testing::WhenModalShown;

using testing::Answer;
using testing::PanelName;
using testing::Window;

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup();
    void startsAsAnEmptyGradeTwoSite();
    void panelAndBatteryEnableTheSite();
    void gradeQuestionThroughAMessageBox();
    void saveQuestionCancelsOnEscAndTheCloseButton();
    void optionsDialogRecalculates();
    void settingsSurviveARestart();
    void saveAsThroughTheFileDialog();
    void openingWhatIsNotAFileSaysWhy();
    void reportIsWrittenAndOpened();
    void reportFailureIsShownAndOpensNothing();
    void siteFileNamedAtStartIsOpened();
    void reportNoProgramOpensIsNamedInAMessage();
    void fileCommandsHaveShortcuts();
    void aboutShowsTheVersion();
    void cutDescriptionsShowInFullAsToolTips();
    void localeSeparator();
};

void MainWindowTest::cleanup() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<TfrmMain*>(widget) == nullptr)
            QVERIFY2(!widget->isVisible(), qPrintable(widget->objectName() + " left open"));
    }
}

void MainWindowTest::startsAsAnEmptyGradeTwoSite() {
    MemorySettingsStore store;
    Window w(store);
    QCOMPARE(w.form.windowTitle(), QStringLiteral("Brellic"));
    QCOMPARE(w.form.size(), QSize(800, 480));
    QVERIFY(!(w.form.windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(w.form.windowFlags() & Qt::WindowMinimizeButtonHint);
    QCOMPARE(w.Get<QComboBox>("cbGrade")->currentText(), QStringLiteral("Grade 2"));
    QCOMPARE(w.Get<QComboBox>("cbPanelType")->count(), 19);
    QCOMPARE(w.Get<QComboBox>("cbPanelType")->currentIndex(), -1);
    QCOMPARE(w.Get<QComboBox>("cbBatteryType")->count(), 0);
    QVERIFY(!w.Get<QCheckBox>("cbSigACFail")->isEnabled());
    QCOMPARE(w.Get<QLineEdit>("edSiteRef")->maxLength(), 50);
    QCOMPARE(w.Text("lbPeriod"), QStringLiteral("12 Hours"));
    QCOMPARE(w.Text("lbPSU"), QStringLiteral("Unknown"));
    QCOMPARE(w.Text("lbRatedOP"), QStringLiteral("Please Select Battery"));
    QCOMPARE(w.Text("TotNomI"), QStringLiteral("0.000 Amps"));
    QCOMPARE(w.Text("lbActStandby"), QStringLiteral("---"));
    QCOMPARE(w.Text("lbSbNotes"), QStringLiteral("None"));
    for (const char* name : {"mnuNew", "mnuOpen", "mnuExit", "Options1", "About1"})
        QVERIFY2(w.Get<QAction>(name)->isEnabled(), name);
    QCOMPARE(w.Get<QAction>("mnuOpen")->data().toInt(), 1);
    QCOMPARE(w.Get<QAction>("mnuExit")->data().toInt(), 5);
    auto* list = w.Get<QTreeWidget>("lbDevices");
    QCOMPARE(list->columnCount(), 5);
    QCOMPARE(list->headerItem()->text(1), QStringLiteral("Device Type"));
    QCOMPARE(list->columnWidth(0), 35);
    QCOMPARE(list->columnWidth(1), 160);
}

void MainWindowTest::panelAndBatteryEnableTheSite() {
    MemorySettingsStore store;
    Window w(store);
    w.Ready(1, 0, QStringLiteral("2.1 Ah"));
    QCOMPARE(w.Text("lbRatedOP"), QStringLiteral("0.17 Amps"));
    QCOMPARE(w.Text("lbActStandby"), QStringLiteral("41.50 Hours"));
    QCOMPARE(w.Get<QLabel>("lbActStandby")->palette().color(QPalette::WindowText),
             QColor(0, 128, 0));
    QVERIFY(w.form.Editor().Site().Modified);

    QTest::keyClicks(w.Get<QLineEdit>("edSiteRef"), QStringLiteral("Mill Lane"));
    QCOMPARE(w.form.Editor().View().SiteRef, std::string("Mill Lane"));
}

void MainWindowTest::gradeQuestionThroughAMessageBox() {
    MemorySettingsStore store;
    Window w(store);
    w.Ready(2, 5, QStringLiteral("7.2 Ah"));
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    {
        auto shown = Answer(QMessageBox::No, &text, &icon);
        w.Choose("cbGrade", QStringLiteral("Grade 3"));
        QVERIFY(shown->ran);
        QCOMPARE(shown->windowTitle, QStringLiteral("Confirm"));
    }
    QCOMPARE(icon, QMessageBox::Question);
    QVERIFY(text.startsWith(QStringLiteral("The ") + PanelName(5)));
    // No puts the grade back without running the grade change again.
    QCOMPARE(w.Get<QComboBox>("cbGrade")->currentText(), QStringLiteral("Grade 2"));
    QCOMPARE(w.Get<QComboBox>("cbPanelType")->currentText(), PanelName(5));
    QCOMPARE(w.Get<QComboBox>("cbBatteryType")->currentText(), QStringLiteral("7.2 Ah"));
    {
        auto shown = Answer(QMessageBox::Yes);
        w.Choose("cbGrade", QStringLiteral("Grade 3"));
        QVERIFY(shown->ran);
    }
    QCOMPARE(w.Get<QComboBox>("cbPanelType")->currentIndex(), -1);
    QCOMPARE(w.Get<QComboBox>("cbBatteryType")->count(), 0);
    QVERIFY(w.Get<QCheckBox>("cbSigACFail")->isEnabled());
}

void MainWindowTest::optionsDialogRecalculates() {
    MemorySettingsStore store;
    Window w(store);
    w.Ready(3, 10, QStringLiteral("17.0 Ah"));
    QCOMPARE(w.Text("lbPeriod"), QStringLiteral("24 Hours"));
    auto shown = WhenModalShown<TfrmOptions>([](TfrmOptions* dialog) {
        QVERIFY(FindChild<QRadioButton>(dialog, "rbEN50131"));
        FindChild<QRadioButton>(dialog, "rbEN50131")->setChecked(true);
        FindChild<QSpinBox>(dialog, "seAlmTime")->setValue(30);
        FindChild<QPushButton>(dialog, "btnOK")->click();
    });
    w.Get<QAction>("Options1")->trigger();
    QVERIFY(shown->ran);
    QCOMPARE(w.Text("lbPeriod"), QStringLiteral("60 Hours"));
    QCOMPARE(w.form.Editor().Site().AlarmPeriod, 30);
}

void MainWindowTest::settingsSurviveARestart() {
    // The platform's own store: an INI file, or on Windows the registry, in a
    // throw-away key of the current user's so that no test run touches the
    // program's settings.
#ifdef _WIN32
    const std::wstring key =
        L"Software\\Quorvex\\Brellic-test-" + std::to_wstring(GetCurrentProcessId());
    const auto removeKey = qScopeGuard([&] { RegDeleteKeyW(HKEY_CURRENT_USER, key.c_str()); });
    const auto makeStore = [&] { return RegistrySettingsStore(HKEY_CURRENT_USER, key); };
#else
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Brellic.ini"));
    const auto makeStore = [&] { return IniSettingsStore(file); };
#endif
    {
        auto store = makeStore();
        Window w(store);
        auto shown = WhenModalShown<TfrmOptions>([](TfrmOptions* dialog) {
            FindChild<QRadioButton>(dialog, "rbEN50131")->setChecked(true);
            FindChild<QSpinBox>(dialog, "seAlmTime")->setValue(45);
            FindChild<QPushButton>(dialog, "btnOK")->click();
        });
        w.Get<QAction>("Options1")->trigger();
        QVERIFY(shown->ran);
        QVERIFY(w.form.close()); // nothing to save: no question
    }
    auto store = makeStore();
    Window w(store);
    QCOMPARE(w.form.Editor().Site().SystemStandard, 0);
    QCOMPARE(w.form.Editor().Site().AlarmPeriod, 45);
    w.form.close();
}

void MainWindowTest::saveAsThroughTheFileDialog() {
    QTemporaryDir dir;
    MemorySettingsStore store;
    Window w(store);
    w.Ready(2, 10, QStringLiteral("17.0 Ah"));
    const QString path = dir.filePath(QStringLiteral("site"));
    auto shown = WhenModalShown<QFileDialog>([&](QFileDialog* dialog) {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Save Site Data"));
        dialog->selectFile(path);
        static_cast<QDialog*>(dialog)->accept(); // QFileDialog::accept checks the name
    });
    w.Get<QAction>("mnuSaveAs")->trigger();
    QVERIFY(shown->ran);
    // The default extension is added to a name typed without one.
    QVERIFY(QFile::exists(path + QStringLiteral(".KVR")));
    QCOMPARE(QFileInfo(path + QStringLiteral(".KVR")).size(), 8328);
    QCOMPARE(w.form.windowTitle(), QStringLiteral("Brellic - ") +
                                       QDir::toNativeSeparators(path + QStringLiteral(".KVR")));
    QVERIFY(w.Get<QAction>("mnuSave")->isEnabled());
    // Still modified: closing asks, and No closes.
    auto asked = Answer(QMessageBox::No);
    QVERIFY(w.form.close());
    QVERIFY(asked->ran);
}

// A named pipe chosen in the Open dialog would block the window for ever.
void MainWindowTest::openingWhatIsNotAFileSaysWhy() {
#ifdef _WIN32
    QSKIP("named pipes live in the file system only on Unix");
#else
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("pipe.KVR"));
    QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
    ::alarm(20); // a blocked open ends the test run instead of hanging it
    MemorySettingsStore store;
    Window w(store);
    auto chosen = WhenModalShown<QFileDialog>([&](QFileDialog* dialog) {
        dialog->selectFile(path);
        static_cast<QDialog*>(dialog)->accept();
    });
    QString text;
    auto shown = Answer(QMessageBox::Ok, &text);
    w.Get<QAction>("mnuOpen")->trigger();
    ::alarm(0);
    QVERIFY(chosen->ran);
    QVERIFY(shown->ran);
    QCOMPARE(shown->windowTitle, QStringLiteral("Error"));
    QCOMPARE(text, QStringLiteral("Cannot open \"%1\": it is a named pipe, not a file").arg(path));
    QCOMPARE(w.form.windowTitle(), QStringLiteral("Brellic"));
    auto asked = Answer(QMessageBox::No);
    w.form.close();
#endif
}

// Esc or the title bar's close button once answered the save question No,
// and the edited site was gone: both now cancel, and the site stays.
void MainWindowTest::saveQuestionCancelsOnEscAndTheCloseButton() {
    MemorySettingsStore store;
    Window w(store);
    w.Ready(3, 10, QStringLiteral("17.0 Ah"));
    for (const bool escape : {true, false}) {
        auto asked = WhenModalShown<QMessageBox>([&](QMessageBox* box) {
            escape ? QTest::keyClick(box, Qt::Key_Escape) : void(box->close());
        });
        w.Get<QAction>("mnuNew")->trigger();
        QVERIFY(asked->ran);
        QCOMPARE(w.form.Editor().Site().PanelIndex, 10);
    }
}

void MainWindowTest::reportIsWrittenAndOpened() {
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    QFile old(QStringLiteral("Report.Txt"));
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(20000, '#')); // longer than any report: nothing may remain
    old.close();
    {
        MemorySettingsStore store;
        Window w(store);
        w.Ready(1, 0, QStringLiteral("2.1 Ah"));
        w.Get<QAction>("mnuGenReport")->trigger();
        QCOMPARE(w.opener.opened.size(), std::size_t(1));
        QFile report(QStringLiteral("Report.Txt"));
        QVERIFY(report.open(QIODevice::ReadOnly));
        const QByteArray bytes = report.readAll();
        QCOMPARE(bytes.count("\r\n"), 28);
        QVERIFY(bytes.endsWith("\r\n"));
        QVERIFY(!bytes.contains('#'));
        QVERIFY(w.form.Editor().Site().Modified); // unchanged by the report
        w.form.Editor().GenerateReport(w.opener);
        QCOMPARE(w.opener.opened.size(), std::size_t(2));
        auto asked = Answer(QMessageBox::No);
        w.form.close();
    }
    QDir::setCurrent(previous);
}

void MainWindowTest::reportFailureIsShownAndOpensNothing() {
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    // A folder of that name cannot be written as a file, whoever runs the test.
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Report.Txt")));
    {
        MemorySettingsStore store;
        Window w(store);
        w.Ready(1, 0, QStringLiteral("2.1 Ah"));
        QString text;
        auto shown = Answer(QMessageBox::Ok, &text);
        w.Get<QAction>("mnuGenReport")->trigger();
        QVERIFY(shown->ran);
        QCOMPARE(shown->windowTitle, QStringLiteral("Error"));
        QVERIFY(text.contains(QStringLiteral("Report.Txt")));
        QVERIFY(w.opener.opened.empty());
        auto asked = Answer(QMessageBox::No);
        w.form.close();
    }
    QDir::setCurrent(previous);
}

void MainWindowTest::siteFileNamedAtStartIsOpened() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Mill Lane.KVR"));
    MemorySettingsStore store;
    {
        Window w(store);
        w.Ready(3, 15, QStringLiteral("18.0 Ah"));
        QTest::keyClicks(w.Get<QLineEdit>("edSiteRef"), QStringLiteral("Mill Lane"));
        auto shown = WhenModalShown<QFileDialog>([&](QFileDialog* dialog) {
            dialog->selectFile(path);
            static_cast<QDialog*>(dialog)->accept();
        });
        w.Get<QAction>("mnuSaveAs")->trigger();
        QVERIFY(shown->ran);
        auto asked = Answer(QMessageBox::No);
        w.form.close();
    }
    Window w(store);
    w.form.OpenAtStart(path);
    QCOMPARE(w.form.windowTitle(), QStringLiteral("Brellic - ") + QDir::toNativeSeparators(path));
    QCOMPARE(w.Get<QLineEdit>("edSiteRef")->text(), QStringLiteral("Mill Lane"));
    QCOMPARE(w.Get<QComboBox>("cbGrade")->currentText(), QStringLiteral("Grade 3"));
    QCOMPARE(w.Get<QComboBox>("cbPanelType")->currentText(), PanelName(15));
    QCOMPARE(w.Get<QComboBox>("cbBatteryType")->currentText(), QStringLiteral("18.0 Ah"));
    QVERIFY(w.Get<QAction>("mnuSave")->isEnabled());
    QVERIFY(!w.form.Editor().Site().Modified);
    w.form.close();

    // A name relative to the folder the program was started in is kept with
    // its full path, as the open dialog gives it, so Save goes to that file.
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    Window relative(store);
    relative.form.OpenAtStart(QStringLiteral("./Mill Lane.KVR"));
    QDir::setCurrent(previous);
    QCOMPARE(relative.form.windowTitle(),
             QStringLiteral("Brellic - ") + QDir::toNativeSeparators(path));
    QCOMPARE(relative.form.Editor().Site().SiteFileName,
             QDir::toNativeSeparators(path).toStdString());
    relative.form.close();
}

// The desktop's own opener, with stand-ins for xdg-open put first on PATH.
void MainWindowTest::reportNoProgramOpensIsNamedInAMessage() {
#ifdef _WIN32
    QSKIP("Windows opens the report in notepad through the shell, which reports its own failures");
#endif
    QTemporaryDir dir;
    // Put back on every way out, a failed check included.
    const struct Restore {
        QString folder = QDir::currentPath();
        QByteArray path = qgetenv("PATH");
        ~Restore() {
            QDir::setCurrent(folder);
            qputenv("PATH", path);
        }
    } restore;
    QDir::setCurrent(dir.path());
    const QString report = QDir(dir.path()).absoluteFilePath(QStringLiteral("Report.Txt"));
    const QString bin = dir.filePath(QStringLiteral("bin"));
    QVERIFY(QDir().mkdir(bin));
    qputenv("PATH", QFile::encodeName(bin));
    const auto launcher = [&](const QByteArray& script) {
        QFile file(bin + QStringLiteral("/xdg-open"));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("#!/bin/sh\n" + script);
        file.close();
        QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    };
    {
        MemorySettingsStore store;
        QtPrompter prompter;
        DesktopReportOpener opener;
        TfrmMain form(store, prompter, opener, '.');
        prompter.SetParent(&form);
        form.show();
        FindChild<QComboBox>(&form, "cbPanelType")->setCurrentIndex(0);
        FindChild<QComboBox>(&form, "cbBatteryType")->setCurrentIndex(0);
        auto* generate = FindChild<QAction>(&form, "mnuGenReport");

        // xdg-open finds no program for the file: it says so with its exit status.
        launcher("exit 3\n");
        QString text;
        auto shown = Answer(QMessageBox::Ok, &text);
        generate->trigger();
        QTRY_VERIFY(shown->ran);
        QCOMPARE(shown->windowTitle, QStringLiteral("Information"));
        QVERIFY2(text.contains(report), qPrintable(text));
        QVERIFY(QFile::exists(report));

        // No launcher at all.
        QVERIFY(QFile::remove(bin + QStringLiteral("/xdg-open")));
        shown = Answer(QMessageBox::Ok, &text);
        generate->trigger();
        QTRY_VERIFY(shown->ran);
        QVERIFY2(text.contains(report), qPrintable(text));

        // A program opens it: nothing is said.
        const QString received = dir.filePath(QStringLiteral("received"));
        launcher("printf %s \"$1\" > '" + QFile::encodeName(received) + "'\n");
        // Watched on a timer rather than awaited: a box that must not come has
        // no moment to wait for, and an error box that did come is ended.
        bool boxShown = false;
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&boxShown] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                boxShown = true;
                box->done(QMessageBox::Ok);
            }
        });
        watch.start(20);
        generate->trigger();
        QTRY_VERIFY(QFileInfo(received).size() > 0);
        QTest::qWait(100);
        watch.stop();
        QVERIFY(!boxShown);
        QFile given(received);
        QVERIFY(given.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromLocal8Bit(given.readAll()), report);

        auto asked = Answer(QMessageBox::No);
        form.close();
    }
}

void MainWindowTest::aboutShowsTheVersion() {
    MemorySettingsStore store;
    Window w(store);
    QString text;
    auto shown = Answer(QMessageBox::Ok, &text);
    w.Get<QAction>("About1")->trigger();
    QVERIFY(shown->ran);
    QCOMPARE(shown->windowTitle, QStringLiteral("About Brellic"));
    QVERIFY2(text.contains(QStringLiteral("<p>Version " BRELLIC_PROJECT_VERSION "</p>")),
             qPrintable(text));
}

void MainWindowTest::fileCommandsHaveShortcuts() {
    MemorySettingsStore store;
    Window w(store);
    const std::pair<const char*, const char*> captions[] = {{"mnuNew", "&New"},
                                                            {"mnuOpen", "&Open..."},
                                                            {"mnuSave", "&Save"},
                                                            {"mnuSaveAs", "Save &As..."},
                                                            {"mnuGenReport", "Generate Report"},
                                                            {"mnuExit", "E&xit"}};
    QList<QKeySequence> keys;
    for (const auto& [name, caption] : captions) {
        auto* action = w.Get<QAction>(name);
        QCOMPARE(action->text(), QLatin1String(caption));
        QVERIFY2(!action->shortcut().isEmpty(), name);
        QVERIFY2(!keys.contains(action->shortcut()), name);
        keys << action->shortcut();
    }
    QCOMPARE(w.Get<QAction>("mnuOpen")->shortcut(), QKeySequence(QKeySequence::Open));
    QCOMPARE(w.Get<QAction>("mnuSave")->shortcut(), QKeySequence(QKeySequence::Save));

    // The keys reach the commands, and only while the command is offered.
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    QVERIFY(QTest::qWaitForWindowActive(&w.form));
    const QKeySequence report = w.Get<QAction>("mnuGenReport")->shortcut();
    QTest::keySequence(&w.form, report);
    QVERIFY(w.opener.opened.empty());
    w.Ready(1, 0, QStringLiteral("2.1 Ah"));
    QTest::keySequence(&w.form, report);
    QCOMPARE(w.opener.opened.size(), std::size_t(1));
    QDir::setCurrent(previous);
    auto asked = Answer(QMessageBox::No);
    w.form.close();
}

void MainWindowTest::cutDescriptionsShowInFullAsToolTips() {
    MemorySettingsStore store;
    Window w(store);
    w.Ready(3, 10, QStringLiteral("17.0 Ah"));
    const std::string longName = "Grade 3 detector on the north wall of the vault";
    for (const std::string& description : {longName, std::string("PIR")}) {
        w.form.Editor().btnAddClick([&](DeviceDialog& dialog) {
            dialog.SelectRow(dialog.CustomIndex());
            dialog.SetCustomDescription(description);
            return true;
        });
    }
    w.form.Refresh();
    auto* list = w.Get<QTreeWidget>("lbDevices");
    const auto tipAt = [list](int row, int column) {
        // A tip fades out after a while; the next question starts without one.
        QToolTip::hideText();
        if (!QTest::qWaitFor([] { return !QToolTip::isVisible(); }))
            return QStringLiteral("(the earlier tip stayed)");
        const QRect cell = list->visualRect(list->model()->index(row, column));
        const QPoint at = cell.center();
        QHelpEvent event(QEvent::ToolTip, at, list->viewport()->mapToGlobal(at));
        QApplication::sendEvent(list->viewport(), &event);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    };
    QCOMPARE(tipAt(0, 1), QString::fromStdString(longName));
    QCOMPARE(tipAt(1, 1), QString()); // shown whole: no tip
    QCOMPARE(tipAt(0, 0), QString());
    QToolTip::hideText();
    QTRY_VERIFY(!QToolTip::isVisible());
    auto asked = Answer(QMessageBox::No);
    w.form.close();
}

void MainWindowTest::localeSeparator() {
    QCOMPARE(DecimalSeparatorOf(QLocale(QLocale::German, QLocale::Germany)), ',');
    QCOMPARE(DecimalSeparatorOf(QLocale(QLocale::English, QLocale::UnitedKingdom)), '.');
    QCOMPARE(DecimalSeparatorOf(QLocale::c()), '.');
}

} // namespace brellic

QTEST_MAIN(brellic::MainWindowTest)
#include "MainWindowTest.moc"
