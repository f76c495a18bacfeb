// Typing currents into the device dialog under a comma locale. CTest runs
// this program twice: once with the German locale set by the test, and once
// with LANG=de_DE.UTF-8 as a user's session gives it.

#include "ui/Devices.h"

#include "ModalHelper.h"
#include "ScriptedPrompter.h"

#include "editor/Settings.h"
#include "settings/DecimalSeparator.h"
#include "ui/MainWindow.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLocale>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

namespace brellic {

using testing::FindChild;
using testing::WhenModalShown;

namespace {

// Types text into a current field as a user does, then leaves it with Tab so
// the field shows the value it took.
void TypeInto(QAbstractSpinBox* field, const QString& text) {
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, text);
    QTest::keyClick(field, Qt::Key_Tab);
}

} // namespace

class CommaLocaleTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void typedCurrents_data();
    void typedCurrents();
};

void CommaLocaleTest::initTestCase() {
    if (qEnvironmentVariableIsSet("BRELLIC_LOCALE_FROM_ENVIRONMENT"))
        QCOMPARE(QLocale().decimalPoint(), QStringLiteral(","));
    else
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QCOMPARE(DecimalSeparatorOf(QLocale()), ',');
}

void CommaLocaleTest::typedCurrents_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("held");
    QTest::addColumn<QString>("shown");
    QTest::newRow("point") << QStringLiteral("0.03") << 0.03 << QStringLiteral("0,030");
    QTest::newRow("comma") << QStringLiteral("0,03") << 0.03 << QStringLiteral("0,030");
    // Three decimals after a point and a 0 are no group of thousands.
    QTest::newRow("point and three decimals")
        << QStringLiteral("0.045") << 0.045 << QStringLiteral("0,045");
}

// The whole road of a custom device: Add in the main window, the typed
// current in the dialog, and the line the list then shows.
void CommaLocaleTest::typedCurrents() {
    QFETCH(QString, typed);
    QFETCH(double, held);
    QFETCH(QString, shown);

    MemorySettingsStore settings;
    testing::ScriptedPrompter prompter;
    testing::RecordingOpener opener;
    TfrmMain main(settings, prompter, opener, DecimalSeparatorOf(QLocale()));
    main.show();
    FindChild<QComboBox>(&main, "cbPanelType")->setCurrentIndex(0);
    FindChild<QComboBox>(&main, "cbBatteryType")->setCurrentIndex(0);

    auto added = WhenModalShown<TfrmDevices>([&](TfrmDevices* dialog) {
        // Only an active window's fields see the focus leave them.
        dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        auto* list = FindChild<QTreeWidget>(dialog, "lbDevice");
        list->setCurrentItem(list->topLevelItem(list->topLevelItemCount() - 1));
        auto* quiescent = FindChild<QDoubleSpinBox>(dialog, "ceNorm");
        TypeInto(quiescent, typed);
        QCOMPARE(quiescent->text(), shown);
        QVERIFY(quiescent->value() == held);
        TypeInto(FindChild<QDoubleSpinBox>(dialog, "ceAlarm"), QStringLiteral("0,5"));
        FindChild<QPushButton>(dialog, "BitBtn1")->click();
    });
    FindChild<QPushButton>(&main, "btnAdd")->click();
    QVERIFY(added->ran);

    QCOMPARE(main.Editor().Devices().Count(), 1u);
    const TDeviceData& entry = main.Editor().Devices().At(0).Data;
    QVERIFY2(entry.Quiescent == held, qPrintable(QString::number(entry.Quiescent, 'g', 17)));
    QVERIFY(entry.Alarm == 0.5);
    auto* row = FindChild<QTreeWidget>(&main, "lbDevices")->topLevelItem(0);
    QCOMPARE(row->text(3), shown + QStringLiteral(" Amps"));
    QCOMPARE(row->text(4), QStringLiteral("0,500 Amps"));

    prompter.answers.push_back(false); // do not save the site
    main.close();
}

} // namespace brellic

QTEST_MAIN(brellic::CommaLocaleTest)
#include "CommaLocaleTest.moc"
