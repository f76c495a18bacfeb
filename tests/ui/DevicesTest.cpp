// The device dialog, driven as a user would: through the main window's Add
// and Edit buttons where the command matters, and on its own where only the
// dialog's controls do.

#include "ui/Devices.h"

#include "ModalHelper.h"
#include "ScriptedPrompter.h"

#include "editor/Settings.h"
#include "editor/SiteEditor.h"
#include "model/Globals.h"
#include "ui/MainWindow.h"

#include <algorithm>
#include <string>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>
#include <QTreeWidget>

namespace brellic {

using testing::FindChild;
using testing::WhenModalShown;

namespace {

constexpr int kPanel9 = 9;

// The main window with everything it asks of the outside world scripted.
struct Window {
    MemorySettingsStore settings;
    testing::ScriptedPrompter prompter;
    testing::RecordingOpener opener;
    TfrmMain main{settings, prompter, opener, '.'};

    Window() { main.show(); }
    const SiteState& Site() { return main.Editor().Site(); }
    const DeviceList& Devices() { return main.Editor().Devices(); }
    QTreeWidget* List() { return FindChild<QTreeWidget>(&main, "lbDevices"); }
    QPushButton* Button(const char* name) { return FindChild<QPushButton>(&main, name); }
};

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Grade, panel (by its table row) and the first battery, as the user picks them.
void Choose(Window& window, int grade, int panelRow) {
    FindChild<QComboBox>(&window.main, "cbGrade")->setCurrentIndex(grade - 1);
    auto* panels = FindChild<QComboBox>(&window.main, "cbPanelType");
    const int position =
        panels->findText(Text(PanelTable[static_cast<std::size_t>(panelRow)].Name));
    QVERIFY2(position >= 0, "panel not offered at this grade");
    panels->setCurrentIndex(position);
    FindChild<QComboBox>(&window.main, "cbBatteryType")->setCurrentIndex(0);
    QVERIFY(window.Button("btnAdd")->isEnabled());
}

void ClickRow(QTreeWidget* list, int row, Qt::KeyboardModifiers modifiers = {}) {
    QTreeWidgetItem* item = list->topLevelItem(row);
    QVERIFY(item);
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers,
                      list->visualItemRect(item).center());
}

// Replaces what a field holds with typed text; characters outside Latin-1
// are sent as the text of a key event, as an input method would.
void Retype(QWidget* field, const QString& text) {
    field->setFocus();
    if (auto* spin = qobject_cast<QAbstractSpinBox*>(field))
        spin->selectAll();
    else if (auto* edit = qobject_cast<QLineEdit*>(field))
        edit->selectAll();
    for (const QChar c : text) {
        if (c.unicode() < 0x80)
            QTest::keyClick(field, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

QStringList Columns(const QTreeWidgetItem* item) {
    QStringList columns;
    for (int column = 0; column < item->columnCount(); ++column)
        columns << item->text(column);
    return columns;
}

int CurrentRow(const QTreeWidget* list) {
    return list->indexOfTopLevelItem(list->currentItem());
}

// Whether a row is painted in the selection colour, judged by a pixel at
// the right end of its first column, beyond the text.
bool ShownHighlighted(QTreeWidget* list, QTreeWidgetItem* item) {
    const QRect row = list->visualItemRect(item);
    const QPoint probe(list->header()->sectionSize(0) - 6, row.center().y());
    const QColor shown = list->viewport()->grab().toImage().pixelColor(probe);
    const QPalette& palette = list->palette();
    return shown == palette.color(QPalette::Active, QPalette::Highlight) ||
           shown == palette.color(QPalette::Inactive, QPalette::Highlight);
}

template <typename Child> Child* In(TfrmDevices* dialog, const char* name) {
    return FindChild<Child>(dialog, name);
}

const char* const kCustomControls[] = {"gbCustom", "edDesc",  "ceNorm",  "ceAlarm", "lbDesc",
                                       "lbNorm",   "lbAlarm", "lbAmps1", "lbAmps2"};

// The custom-device controls that are enabled; all of them or none is right.
int EnabledCustomControls(TfrmDevices* dialog) {
    int enabled = 0;
    for (const char* name : kCustomControls)
        enabled += In<QWidget>(dialog, name)->isEnabled() ? 1 : 0;
    return enabled;
}
constexpr int kCustomControlCount = 9;

// Runs the dialog for a model, as the main window does.
DeviceDialog::ShowModal Show(const QString& caption) {
    return [caption](DeviceDialog& model) {
        TfrmDevices form(model);
        form.setWindowTitle(caption);
        return form.ShowModal();
    };
}

TDeviceData CustomEntry() {
    return TDeviceData{2, 3, "Strobe", 0.03, 0.5};
}

unsigned Family9() {
    return PanelTable[kPanel9].FamilyId;
}

} // namespace

class DevicesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void offersTheDevicesOfPanelAndGrade_data();
    void offersTheDevicesOfPanelAndGrade();
    void addTakesTheFirstRowAtQuantityOne();
    void customDeviceRoundTripsThroughEdit();
    void editOfCatalogueEntryChangesQuantity();
    void entryThePanelNoLongerOffersOpensOnCustom();
    void hundredthAddSucceedsAndHundredAndFirstSaysWhy();
    void cancelNoAndEmptyChoiceChangeNothing();
    void okWithoutChangesKeepsTheExactEntry();
    void keyboardAndDoubleClickChooseRows();
    void descriptionTakesOnlyWindows1252();
    void tabOrderRunsListQuantityCustomThenButtons();
    void anAmbiguousCurrentStaysAsTypedAndOkSaysWhy();
    void controlsCarryTheirNamesSizesAndTexts();
    void cutNamesShowInFullAsToolTips();
};

// The number fields follow the default locale, which the window's decimal
// separator also comes from; the tests pass '.' and so use the C locale.
void DevicesTest::initTestCase() {
    QLocale::setDefault(QLocale::c());
}

void DevicesTest::cleanup() {
    for (const QWidget* widget : QApplication::topLevelWidgets())
        QVERIFY2(!widget->isVisible(), qPrintable(widget->objectName() + " left open"));
}

void DevicesTest::offersTheDevicesOfPanelAndGrade_data() {
    QTest::addColumn<int>("grade");
    QTest::addColumn<int>("catalogueRows");
    QTest::newRow("grade 1") << 1 << 72;
    QTest::newRow("grade 2") << 2 << 72;
    QTest::newRow("grade 3") << 3 << 43;
}

void DevicesTest::offersTheDevicesOfPanelAndGrade() {
    QFETCH(int, grade);
    QFETCH(int, catalogueRows);
    Window window;
    Choose(window, grade, kPanel9);

    auto shown = WhenModalShown<TfrmDevices>([&](TfrmDevices* dialog) {
        auto* list = In<QTreeWidget>(dialog, "lbDevice");
        QCOMPARE(list->topLevelItemCount(), catalogueRows + 1);
        for (int row = 0; row < catalogueRows; ++row) {
            const QStringList columns = Columns(list->topLevelItem(row));
            QCOMPARE(columns.size(), 4);
            QVERIFY2(columns[1].toInt() >= grade, qPrintable(columns.join(QLatin1Char('|'))));
            QVERIFY(columns[2].endsWith(QLatin1String(" Amps")));
        }
        QCOMPARE(Columns(list->topLevelItem(catalogueRows)).join(QString()),
                 QStringLiteral("Custom"));
        QCOMPARE(CurrentRow(list), 0);
        QVERIFY(list->currentItem()->isSelected());
        QCOMPARE(EnabledCustomControls(dialog), 0);
        In<QPushButton>(dialog, "BitBtn2")->click();
    });
    QTest::mouseClick(window.Button("btnAdd"), Qt::LeftButton);
    QVERIFY(shown->ran);
    QCOMPARE(shown->windowTitle, QStringLiteral("Add Devices"));
    QCOMPARE(window.Devices().Count(), 0u);
}

void DevicesTest::addTakesTheFirstRowAtQuantityOne() {
    Window window;
    Choose(window, 3, kPanel9);
    auto shown = WhenModalShown<TfrmDevices>([](TfrmDevices* dialog) {
        QCOMPARE(In<QSpinBox>(dialog, "seQty")->value(), 1);
        QTest::mouseClick(In<QPushButton>(dialog, "BitBtn1"), Qt::LeftButton);
    });
    window.Button("btnAdd")->click();
    QVERIFY(shown->ran);

    const CatalogueDevice& device = DeviceCatalogue[CatalogueForPanel(kPanel9, 3).front()];
    QCOMPARE(window.Devices().Count(), 1u);
    const TDeviceData expected{1, device.Grade, std::string(device.Name), device.Quiescent,
                               device.Alarm};
    QVERIFY(window.Devices().At(0).Data == expected);
    QVERIFY(window.Site().Modified);
    QCOMPARE(window.List()->topLevelItemCount(), 1);
    QCOMPARE(window.List()->topLevelItem(0)->text(1), Text(device.Name));
}

void DevicesTest::customDeviceRoundTripsThroughEdit() {
    Window window;
    Choose(window, 3, kPanel9);
    auto added = WhenModalShown<TfrmDevices>([](TfrmDevices* dialog) {
        auto* list = In<QTreeWidget>(dialog, "lbDevice");
        ClickRow(list, list->topLevelItemCount() - 1);
        QCOMPARE(EnabledCustomControls(dialog), kCustomControlCount);
        Retype(In<QLineEdit>(dialog, "edDesc"), QStringLiteral("Vault sensor"));
        Retype(In<QDoubleSpinBox>(dialog, "ceNorm"), QStringLiteral("0.025"));
        Retype(In<QDoubleSpinBox>(dialog, "ceAlarm"), QStringLiteral("0.05"));
        Retype(In<QSpinBox>(dialog, "seQty"), QStringLiteral("4"));
        QTest::mouseClick(In<QPushButton>(dialog, "BitBtn1"), Qt::LeftButton);
    });
    window.Button("btnAdd")->click();
    QVERIFY(added->ran);

    QCOMPARE(window.Devices().Count(), 1u);
    const TDeviceData expected{4, 3, "Vault sensor", 0.1, 0.2};
    QVERIFY(window.Devices().At(0).Data == expected);
    const QStringList shownColumns{QStringLiteral("4"), QStringLiteral("Vault sensor"),
                                   QStringLiteral("3"), QStringLiteral("0.100 Amps"),
                                   QStringLiteral("0.200 Amps")};
    QCOMPARE(Columns(window.List()->topLevelItem(0)), shownColumns);
    const std::string textBefore = window.Devices().At(0).Text;

    ClickRow(window.List(), 0);
    QVERIFY(window.Button("btnEdit")->isEnabled());
    auto edited = WhenModalShown<TfrmDevices>([](TfrmDevices* dialog) {
        auto* list = In<QTreeWidget>(dialog, "lbDevice");
        QCOMPARE(CurrentRow(list), list->topLevelItemCount() - 1);
        QVERIFY(list->currentItem()->isSelected());
        // The chosen row is scrolled into view.
        QVERIFY(list->viewport()->rect().contains(list->visualItemRect(list->currentItem())));
        QCOMPARE(EnabledCustomControls(dialog), kCustomControlCount);
        QCOMPARE(In<QLineEdit>(dialog, "edDesc")->text(), QStringLiteral("Vault sensor"));
        QCOMPARE(In<QDoubleSpinBox>(dialog, "ceNorm")->text(), QStringLiteral("0.025"));
        QCOMPARE(In<QDoubleSpinBox>(dialog, "ceAlarm")->text(), QStringLiteral("0.050"));
        QCOMPARE(In<QSpinBox>(dialog, "seQty")->value(), 4);
        In<QPushButton>(dialog, "BitBtn1")->click();
    });
    window.Button("btnEdit")->click();
    QVERIFY(edited->ran);
    QCOMPARE(edited->windowTitle, QStringLiteral("Edit Devices"));
    QCOMPARE(window.Devices().Count(), 1u);
    QVERIFY(window.Devices().At(0).Data == expected);
    QCOMPARE(window.Devices().At(0).Text, textBefore);
}

void DevicesTest::editOfCatalogueEntryChangesQuantity() {
    Window window;
    Choose(window, 3, kPanel9);
    constexpr int kRow = 3;
    const CatalogueDevice& device = DeviceCatalogue[CatalogueForPanel(kPanel9, 3)[kRow]];
    auto added = WhenModalShown<TfrmDevices>([](TfrmDevices* dialog) {
        ClickRow(In<QTreeWidget>(dialog, "lbDevice"), kRow);
        In<QPushButton>(dialog, "BitBtn1")->click();
    });
    window.Button("btnAdd")->click();
    QVERIFY(added->ran);
    QCOMPARE(window.Devices().At(0).Data.Description, std::string(device.Name));

    ClickRow(window.List(), 0);
    auto edited = WhenModalShown<TfrmDevices>([](TfrmDevices* dialog) {
        auto* list = In<QTreeWidget>(dialog, "lbDevice");
        QCOMPARE(CurrentRow(list), kRow);
        QVERIFY2(ShownHighlighted(list, list->currentItem()), "the chosen row is not highlighted");
        QCOMPARE(EnabledCustomControls(dialog), 0);
        QCOMPARE(In<QLineEdit>(dialog, "edDesc")->text(), QString());
        QCOMPARE(In<QDoubleSpinBox>(dialog, "ceNorm")->text(), QStringLiteral("0.000"));
        QCOMPARE(In<QDoubleSpinBox>(dialog, "ceAlarm")->text(), QStringLiteral("0.000"));
        QCOMPARE(In<QSpinBox>(dialog, "seQty")->value(), 1);
        Retype(In<QSpinBox>(dialog, "seQty"), QStringLiteral("5"));
        In<QPushButton>(dialog, "BitBtn1")->click();
    });
    window.Button("btnEdit")->click();
    QVERIFY(edited->ran);

    const TDeviceData expected{5, device.Grade, std::string(device.Name),
                               static_cast<double>(5 * static_cast<Extended>(device.Quiescent)),
                               static_cast<double>(5 * static_cast<Extended>(device.Alarm))};
    QVERIFY(window.Devices().At(0).Data == expected);
    QCOMPARE(window.List()->topLevelItem(0)->text(0), QStringLiteral("5"));
}

// An entry added for one panel, then the panel changed to one whose family
// lacks that device, at a grade below the device's own so the change shows.
void DevicesTest::entryThePanelNoLongerOffersOpensOnCustom() {
    constexpr int kGrade = 2;
    int device = -1;
    int otherPanel = -1;
    const std::vector<int> offered = CatalogueForPanel(kPanel9, kGrade);
    for (int panel = 0; panel < kPanelCount && device < 0; ++panel) {
        if (PanelTable[static_cast<std::size_t>(panel)].MaxGrade < kGrade)
            continue;
        const std::vector<int> there = CatalogueForPanel(panel, kGrade);
        for (int row : offered) {
            if (DeviceCatalogue[static_cast<std::size_t>(row)].Grade > kGrade &&
                std::find(there.begin(), there.end(), row) == there.end()) {
                device = row;
                otherPanel = panel;
                break;
            }
        }
    }
    QVERIFY2(device >= 0, "the tables hold no device that one panel offers and another lacks");
    const CatalogueDevice& chosen = DeviceCatalogue[static_cast<std::size_t>(device)];
    const int row =
        static_cast<int>(std::find(offered.begin(), offered.end(), device) - offered.begin());

    Window window;
    Choose(window, kGrade, kPanel9);
    auto added = WhenModalShown<TfrmDevices>([row](TfrmDevices* dialog) {
        ClickRow(In<QTreeWidget>(dialog, "lbDevice"), row);
        In<QPushButton>(dialog, "BitBtn1")->click();
    });
    window.Button("btnAdd")->click();
    QVERIFY(added->ran);
    const TDeviceData before = window.Devices().At(0).Data;
    QCOMPARE(before.Grade, chosen.Grade);

    Choose(window, kGrade, otherPanel);
    ClickRow(window.List(), 0);
    auto edited = WhenModalShown<TfrmDevices>([&](TfrmDevices* dialog) {
        auto* list = In<QTreeWidget>(dialog, "lbDevice");
        QCOMPARE(CurrentRow(list), list->topLevelItemCount() - 1);
        QCOMPARE(EnabledCustomControls(dialog), kCustomControlCount);
        QCOMPARE(In<QLineEdit>(dialog, "edDesc")->text(), Text(chosen.Name));
        QCOMPARE(In<QDoubleSpinBox>(dialog, "ceNorm")->text(),
                 QString::number(chosen.Quiescent, 'f', 3));
        In<QPushButton>(dialog, "BitBtn1")->click();
    });
    window.Button("btnEdit")->click();
    QVERIFY(edited->ran);
    const TDeviceData expected{1, kGrade, before.Description, before.Quiescent, before.Alarm};
    QVERIFY(window.Devices().At(0).Data == expected);
}

void DevicesTest::hundredthAddSucceedsAndHundredAndFirstSaysWhy() {
    Window window;
    Choose(window, 2, kPanel9);
    for (int i = 0; i < 99; ++i)
        window.main.Editor().btnAddClick([](DeviceDialog&) { return true; });
    QCOMPARE(window.Devices().Count(), 99u);

    auto hundredth = WhenModalShown<TfrmDevices>(
        [](TfrmDevices* dialog) { In<QPushButton>(dialog, "BitBtn1")->click(); });
    window.Button("btnAdd")->click();
    QVERIFY(hundredth->ran);
    QCOMPARE(window.Devices().Count(), 100u);
    QCOMPARE(window.List()->topLevelItemCount(), 100);

    QVERIFY(window.Button("btnAdd")->isEnabled());
    window.prompter.expectedErrors = {"A site holds at most 100 device lines."};
    auto full = WhenModalShown<TfrmDevices>([](TfrmDevices*) {});
    window.Button("btnAdd")->click();
    QVERIFY2(!full->ran, "the device dialog opened for Add on a full list");
    QVERIFY(window.prompter.expectedErrors.empty());
    QCOMPARE(window.Devices().Count(), 100u);
}

// Each way out that is not OK, on a saved site, leaves it exactly as it was.
void DevicesTest::cancelNoAndEmptyChoiceChangeNothing() {
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    Window window;
    Choose(window, 3, kPanel9);
    auto added = WhenModalShown<TfrmDevices>(
        [](TfrmDevices* dialog) { In<QPushButton>(dialog, "BitBtn1")->click(); });
    window.Button("btnAdd")->click();
    QVERIFY(added->ran);
    // Saving keeps Modified; opening the saved site clears it.
    const std::string path = folder.filePath(QStringLiteral("site.KVR")).toStdString();
    window.prompter.saveNames.push_back(path);
    FindChild<QAction>(&window.main, "mnuSaveAs")->trigger();
    window.prompter.answers.push_back(false); // no need to save it again first
    window.prompter.openNames.push_back(path);
    FindChild<QAction>(&window.main, "mnuOpen")->trigger();
    window.prompter.asked.clear();
    QVERIFY(!window.Site().Modified);
    const DeviceList::Entry before = window.Devices().At(0);
    const QString caption = window.main.windowTitle();

    const auto unchanged = [&] {
        QCOMPARE(window.Devices().Count(), 1u);
        QVERIFY(window.Devices().At(0).Data == before.Data);
        QCOMPARE(window.Devices().At(0).Text, before.Text);
        QVERIFY(!window.Site().Modified);
        QCOMPARE(window.main.windowTitle(), caption);
    };

    auto cancelled = WhenModalShown<TfrmDevices>([](TfrmDevices* dialog) {
        auto* list = In<QTreeWidget>(dialog, "lbDevice");
        ClickRow(list, list->topLevelItemCount() - 1);
        Retype(In<QLineEdit>(dialog, "edDesc"), QStringLiteral("Never added"));
        In<QPushButton>(dialog, "BitBtn2")->click();
    });
    window.Button("btnAdd")->click();
    QVERIFY(cancelled->ran);
    unchanged();

    // Ctrl+click takes the selection away; OK then stands for no choice.
    auto noChoice = WhenModalShown<TfrmDevices>([](TfrmDevices* dialog) {
        auto* list = In<QTreeWidget>(dialog, "lbDevice");
        ClickRow(list, 0, Qt::ControlModifier);
        QVERIFY(list->selectedItems().isEmpty());
        QCOMPARE(EnabledCustomControls(dialog), 0);
        In<QPushButton>(dialog, "BitBtn1")->click();
    });
    window.Button("btnAdd")->click();
    QVERIFY(noChoice->ran);
    unchanged();

    ClickRow(window.List(), 0);
    auto escaped = WhenModalShown<TfrmDevices>([](TfrmDevices* dialog) {
        Retype(In<QSpinBox>(dialog, "seQty"), QStringLiteral("7"));
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    window.Button("btnEdit")->click();
    QVERIFY(escaped->ran);
    unchanged();

    window.prompter.answers.push_back(false);
    window.Button("btnDelete")->click();
    QVERIFY(window.prompter.asked == std::vector<std::string>{kDeleteQuestion});
    unchanged();
}

// The fields show three decimals, but a run that the user only confirms
// hands back the entry it was given, bit for bit.
void DevicesTest::okWithoutChangesKeepsTheExactEntry() {
    struct Case {
        const char* name;
        TDeviceData entry;
        int shownQuantity;
        const char* shownQuiescent;
    };
    const Case cases[] = {
        {"per-unit current finer than shown", {3, 3, "Odd load", 0.0370368, 0.1}, 3, "0.012"},
        {"quantity 0 from a file", {0, 3, "Spare", 0.25, 0.5}, 1, "0.250"},
        {"per-unit current above the field's range", {1, 3, "Heater", 12.5, 12.5}, 1, "9.999"},
        {"empty description", {2, 3, "", 0.04, 0.08}, 2, "0.020"},
    };
    for (const Case& c : cases) {
        DeviceDialog model;
        TDeviceData entry = c.entry;
        auto shown = WhenModalShown<TfrmDevices>([&](TfrmDevices* dialog) {
            QCOMPARE(In<QSpinBox>(dialog, "seQty")->value(), c.shownQuantity);
            QCOMPARE(In<QDoubleSpinBox>(dialog, "ceNorm")->text(),
                     QString::fromLatin1(c.shownQuiescent));
            QCOMPARE(EnabledCustomControls(dialog), kCustomControlCount);
            In<QPushButton>(dialog, "BitBtn1")->click();
        });
        QVERIFY2(model.ExecuteEdit(Family9(), 3, entry, Show(QStringLiteral("Edit Devices")), '.'),
                 c.name);
        QVERIFY2(shown->ran, c.name);
        QVERIFY2(entry == c.entry, c.name);
    }
}

void DevicesTest::keyboardAndDoubleClickChooseRows() {
    DeviceDialog model;
    TDeviceData entry;
    auto shown = WhenModalShown<TfrmDevices>([&model](TfrmDevices* dialog) {
        auto* list = In<QTreeWidget>(dialog, "lbDevice");
        QCOMPARE(dialog->focusWidget(), static_cast<QWidget*>(list));
        QTest::keyClick(list, Qt::Key_End);
        QCOMPARE(model.Selected(), model.CustomIndex());
        QCOMPARE(EnabledCustomControls(dialog), kCustomControlCount);
        QTest::keyClick(list, Qt::Key_Home);
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(model.Selected(), 1);
        QCOMPARE(EnabledCustomControls(dialog), 0);
        QTreeWidgetItem* fifth = list->topLevelItem(5);
        list->scrollToItem(fifth);
        // A double click as the window system reports it: a click, then the
        // second press as a double click, then its release.
        const QPoint at = list->visualItemRect(fifth).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, at);
        QVERIFY(!dialog->isVisible());
    });
    QVERIFY(model.ExecuteAdd(Family9(), 3, entry, Show(QStringLiteral("Add Devices")), '.'));
    QVERIFY(shown->ran);
    const CatalogueDevice& device = DeviceCatalogue[CatalogueForPanel(kPanel9, 3)[5]];
    QCOMPARE(entry.Description, std::string(device.Name));
}

void DevicesTest::descriptionTakesOnlyWindows1252() {
    DeviceDialog model;
    TDeviceData entry = CustomEntry();
    auto shown = WhenModalShown<TfrmDevices>([](TfrmDevices* dialog) {
        auto* description = In<QLineEdit>(dialog, "edDesc");
        QVERIFY(!description->toolTip().isEmpty());
        // U+0101 and U+4E2D have no Windows-1252 byte; the euro sign and é do.
        Retype(description, QString::fromUtf8("Bell\u0101 \u20AC\u00E9\u4E2D"));
        QCOMPARE(description->text(), QString::fromUtf8("Bell \u20AC\u00E9"));
        // Not silently: the field says which character it refused.
        QCOMPARE(QToolTip::text(),
                 QString::fromUtf8("\"\u4E2D\" cannot be stored in a site file."));
        In<QPushButton>(dialog, "BitBtn1")->click();
    });
    QVERIFY(model.ExecuteEdit(Family9(), 3, entry, Show(QStringLiteral("Edit Devices")), '.'));
    QVERIFY(shown->ran);
    QCOMPARE(entry.Description, std::string("Bell \u20AC\u00E9"));

    shown = WhenModalShown<TfrmDevices>([](TfrmDevices* dialog) {
        Retype(In<QLineEdit>(dialog, "edDesc"), QString(60, QLatin1Char('x')));
        In<QPushButton>(dialog, "BitBtn1")->click();
    });
    QVERIFY(model.ExecuteEdit(Family9(), 3, entry, Show(QStringLiteral("Edit Devices")), '.'));
    QCOMPARE(entry.Description, std::string(50, 'x'));
}

void DevicesTest::tabOrderRunsListQuantityCustomThenButtons() {
    DeviceDialog model;
    TDeviceData entry = CustomEntry();
    auto shown = WhenModalShown<TfrmDevices>([](TfrmDevices* dialog) {
        const auto tab = [dialog] {
            QTest::keyClick(dialog->focusWidget(), Qt::Key_Tab);
            return dialog->focusWidget();
        };
        const auto holds = [dialog](const char* name, QWidget* focus) {
            QWidget* control = In<QWidget>(dialog, name);
            return control == focus || control->isAncestorOf(focus);
        };
        QVERIFY(holds("lbDevice", dialog->focusWidget()));
        for (const char* name :
             {"seQty", "edDesc", "ceNorm", "ceAlarm", "BitBtn1", "BitBtn2", "lbDevice"})
            QVERIFY2(holds(name, tab()), name);
        In<QPushButton>(dialog, "BitBtn2")->click();
    });
    QVERIFY(!model.ExecuteEdit(Family9(), 3, entry, Show(QStringLiteral("Edit Devices")), '.'));
    QVERIFY(shown->ran);
    QVERIFY(entry == CustomEntry());
}

void DevicesTest::anAmbiguousCurrentStaysAsTypedAndOkSaysWhy() {
    DeviceDialog model;
    TDeviceData entry = CustomEntry();
    auto shown = WhenModalShown<TfrmDevices>([](TfrmDevices* dialog) {
        dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        auto* quiescent = In<QDoubleSpinBox>(dialog, "ceNorm");
        quiescent->setFocus();
        Retype(quiescent, QStringLiteral("1,500"));
        // Leaving the field keeps the text; the base class put 1.500 back.
        QTest::keyClick(quiescent, Qt::Key_Tab);
        QVERIFY(!quiescent->hasFocus());
        QCOMPARE(quiescent->text(), QStringLiteral("1,500"));
        QString message;
        auto refused = WhenModalShown<QMessageBox>([&message](QMessageBox* box) {
            message = box->text();
            box->accept();
        });
        In<QPushButton>(dialog, "BitBtn1")->click();
        QVERIFY(refused->ran);
        QCOMPARE(message, QStringLiteral("1,500 could be 1.5 or 1500: type it with a point."));
        QVERIFY(dialog->isVisible());
        QVERIFY(quiescent->isAncestorOf(dialog->focusWidget()));
        Retype(quiescent, QStringLiteral("1.5"));
        In<QPushButton>(dialog, "BitBtn1")->click();
    });
    QVERIFY(model.ExecuteEdit(Family9(), 3, entry, Show(QStringLiteral("Edit Devices")), '.'));
    QVERIFY(shown->ran);
    QCOMPARE(entry.Quiescent, 3.0);
}

void DevicesTest::controlsCarryTheirNamesSizesAndTexts() {
    QWidget parent;
    parent.setGeometry(100, 100, 800, 480);
    parent.show();
    DeviceDialog model;
    TDeviceData entry;
    auto shown = WhenModalShown<TfrmDevices>([&parent](TfrmDevices* dialog) {
        QCOMPARE(dialog->size(), QSize(428, 447));
        QCOMPARE(dialog->minimumSize(), dialog->maximumSize());
        QCOMPARE(dialog->font().pointSize(), 8);
        QVERIFY(dialog->isModal());
        const QPoint offset = dialog->geometry().center() - parent.geometry().center();
        QVERIFY2(offset.manhattanLength() < 40, "not centred over its parent");

        auto* list = In<QTreeWidget>(dialog, "lbDevice");
        QCOMPARE(list->size(), QSize(405, 213));
        QCOMPARE(list->selectionMode(), QAbstractItemView::SingleSelection);
        QVERIFY(list->alternatingRowColors());
        const QStringList headers{QStringLiteral("Device Type"), QStringLiteral("Grade"),
                                  QStringLiteral("Quiescent"), QStringLiteral("Alarm")};
        QCOMPARE(Columns(list->headerItem()), headers);
        const int widths[] = {170, 44, 80, 80};
        for (int column = 0; column < 4; ++column)
            QCOMPARE(list->header()->sectionSize(column), widths[column]);
        const auto horizontal = [](const QTreeWidgetItem* item, int column) {
            return item->textAlignment(column) & Qt::AlignHorizontal_Mask;
        };
        QCOMPARE(horizontal(list->headerItem(), 0), Qt::Alignment(Qt::AlignLeft));
        QCOMPARE(horizontal(list->headerItem(), 3), Qt::Alignment(Qt::AlignHCenter));
        QCOMPARE(horizontal(list->topLevelItem(0), 2), Qt::Alignment(Qt::AlignHCenter));

        auto* group = In<QGroupBox>(dialog, "gbCustom");
        QCOMPARE(group->title(), QStringLiteral("Custom Device Data"));
        QCOMPARE(group->size(), QSize(405, 101));
        QVERIFY(group->y() >= list->geometry().bottom());
        const std::pair<const char*, const char*> labels[] = {
            {"lbDesc", "Description:"}, {"lbNorm", "Quiescent:"}, {"lbAmps1", "Amps"},
            {"lbAlarm", "In Alarm:"},   {"lbAmps2", "Amps"},      {"Label2", "No of Devices:"}};
        for (const auto& [name, text] : labels)
            QCOMPARE(In<QLabel>(dialog, name)->text(), QLatin1String(text));
        for (const char* name : kCustomControls)
            QVERIFY2(name == std::string("gbCustom") ||
                         group->isAncestorOf(In<QWidget>(dialog, name)),
                     name);

        auto* description = In<QLineEdit>(dialog, "edDesc");
        QCOMPARE(description->maxLength(), 50);
        QVERIFY(description->validator());
        for (const char* name : {"ceNorm", "ceAlarm"}) {
            auto* current = In<QDoubleSpinBox>(dialog, name);
            QCOMPARE(current->decimals(), 3);
            QCOMPARE(current->minimum(), 0.0);
            QCOMPARE(current->maximum(), 9.999);
            QCOMPARE(current->text(), QStringLiteral("0.000"));
        }
        auto* quantity = In<QSpinBox>(dialog, "seQty");
        QCOMPARE(quantity->minimum(), 1);
        QCOMPARE(quantity->maximum(), 999);
        QVERIFY(quantity->y() > group->geometry().bottom());
        auto* bevel = In<QFrame>(dialog, "Bevel1");
        QCOMPARE(bevel->frameShape(), QFrame::HLine);
        QVERIFY(bevel->y() > quantity->geometry().bottom());

        auto* ok = In<QPushButton>(dialog, "BitBtn1");
        auto* cancel = In<QPushButton>(dialog, "BitBtn2");
        QCOMPARE(ok->text(), QStringLiteral("OK"));
        QCOMPARE(cancel->text(), QStringLiteral("Cancel"));
        QVERIFY(ok->isDefault());
        QCOMPARE(ok->size(), QSize(85, 25));
        QCOMPARE(cancel->size(), QSize(85, 25));
        QCOMPARE(ok->y(), cancel->y());
        QVERIFY(ok->geometry().right() < cancel->x());
        QVERIFY(cancel->geometry().right() > dialog->width() - 20);
        QVERIFY(ok->y() > bevel->y());
        In<QPushButton>(dialog, "BitBtn2")->click();
    });
    auto show = [&parent](DeviceDialog& dialog) {
        TfrmDevices form(dialog, &parent);
        form.setWindowTitle(QStringLiteral("Add Devices"));
        return form.ShowModal();
    };
    QVERIFY(!model.ExecuteAdd(Family9(), 2, entry, show, '.'));
    QVERIFY(shown->ran);
    parent.hide();
}

void DevicesTest::cutNamesShowInFullAsToolTips() {
    DeviceDialog model;
    TDeviceData entry;
    auto shown = WhenModalShown<TfrmDevices>([](TfrmDevices* dialog) {
        auto* list = In<QTreeWidget>(dialog, "lbDevice");
        const auto tipAt = [list](int row) {
            // A tip fades out after a while; the next question starts without one.
            QToolTip::hideText();
            if (!QTest::qWaitFor([] { return !QToolTip::isVisible(); }))
                return QStringLiteral("(the earlier tip stayed)");
            QTreeWidgetItem* item = list->topLevelItem(row);
            list->scrollToItem(item);
            const QPoint at = list->visualItemRect(item).topLeft() + QPoint(20, 4);
            QHelpEvent event(QEvent::ToolTip, at, list->viewport()->mapToGlobal(at));
            QApplication::sendEvent(list->viewport(), &event);
            return QToolTip::isVisible() ? QToolTip::text() : QString();
        };
        int widest = 0;
        for (int row = 1; row < list->topLevelItemCount(); ++row) {
            if (list->topLevelItem(row)->text(0).size() >
                list->topLevelItem(widest)->text(0).size())
                widest = row;
        }
        const QString name = list->topLevelItem(widest)->text(0);
        QVERIFY2(list->fontMetrics().horizontalAdvance(name) > list->columnWidth(0),
                 qPrintable(name + " fits its column"));
        QCOMPARE(tipAt(widest), name);
        QCOMPARE(tipAt(list->topLevelItemCount() - 1), QString()); // "Custom"
        QToolTip::hideText();
        QTRY_VERIFY(!QToolTip::isVisible());
        In<QPushButton>(dialog, "BitBtn2")->click();
    });
    QVERIFY(!model.ExecuteAdd(Family9(), 2, entry, Show(QStringLiteral("Add Devices")), '.'));
    QVERIFY(shown->ran);
}

} // namespace brellic

QTEST_MAIN(brellic::DevicesTest)
#include "DevicesTest.moc"
