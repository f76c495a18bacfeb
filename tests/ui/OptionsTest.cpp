// The Options dialog, driven as a user would through its own modal loop.

#include "ui/Options.h"

#include "ModalHelper.h"

#include <cstdint>

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

namespace brellic {

using testing::FindChild;
using testing::WhenModalShown;

namespace {

// A radio button takes clicks on its circle and text only, not on the empty
// width the layout gives it.
void ClickRadio(QRadioButton* button) {
    QVERIFY(button);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

} // namespace

class OptionsTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup();
    void showsStoredValues_data();
    void showsStoredValues();
    void okReturnsTheChosenValues();
    void okKeepsValuesShownAtTheBounds();
    void enterTakesTypedMinutesAndEscapeCancels();
    void tabOrderRunsGroupsThenCancelThenOk();
    void controlsCarryTheirNamesAndTexts();
    void failingCheckInsideTheDialogClosesIt();
};

void OptionsTest::cleanup() {
    for (const QWidget* widget : QApplication::topLevelWidgets())
        QVERIFY2(!widget->isVisible(), qPrintable(widget->objectName() + " left open"));
}

void OptionsTest::showsStoredValues_data() {
    QTest::addColumn<std::int32_t>("standard");
    QTest::addColumn<std::int32_t>("period");
    QTest::addColumn<bool>("showsEN50131");
    QTest::addColumn<int>("shownMinutes");
    QTest::newRow("EN50131-1, design minutes") << 0 << 15 << true << 15;
    QTest::newRow("PD6662, bounds") << 1 << 1 << false << 1;
    QTest::newRow("PD6662, upper bound") << 1 << 120 << false << 120;
    QTest::newRow("other standard counts as PD6662") << 5 << 30 << false << 30;
    QTest::newRow("negative standard counts as PD6662") << -1 << 30 << false << 30;
    QTest::newRow("zero minutes shows as 1") << 0 << 0 << true << 1;
    QTest::newRow("500 minutes shows as 120") << 0 << 500 << true << 120;
    QTest::newRow("negative minutes shows as 1") << 0 << -40 << true << 1;
}

// Cancel also proves that nothing is written back.
void OptionsTest::showsStoredValues() {
    QFETCH(std::int32_t, standard);
    QFETCH(std::int32_t, period);
    QFETCH(bool, showsEN50131);
    QFETCH(int, shownMinutes);

    TfrmOptions form;
    auto shown = WhenModalShown<TfrmOptions>([&](TfrmOptions* dialog) {
        QCOMPARE(FindChild<QRadioButton>(dialog, "rbEN50131")->isChecked(), showsEN50131);
        QCOMPARE(FindChild<QRadioButton>(dialog, "rbPD6662")->isChecked(), !showsEN50131);
        QCOMPARE(FindChild<QSpinBox>(dialog, "seAlmTime")->value(), shownMinutes);
        FindChild<QPushButton>(dialog, "btnCancel")->click();
    });
    std::int32_t s = standard;
    std::int32_t p = period;
    QVERIFY(!form.ExecuteOptions(s, p));
    QVERIFY(shown->ran);
    QCOMPARE(s, standard);
    QCOMPARE(p, period);
}

void OptionsTest::okReturnsTheChosenValues() {
    TfrmOptions form;
    auto shown = WhenModalShown<TfrmOptions>([](TfrmOptions* dialog) {
        ClickRadio(FindChild<QRadioButton>(dialog, "rbEN50131"));
        FindChild<QSpinBox>(dialog, "seAlmTime")->setValue(30);
        QTest::mouseClick(FindChild<QPushButton>(dialog, "btnOK"), Qt::LeftButton);
    });
    std::int32_t standard = 1;
    std::int32_t period = 15;
    QVERIFY(form.ExecuteOptions(standard, period));
    QVERIFY(shown->ran);
    QCOMPARE(shown->windowTitle, QStringLiteral("Options"));
    QCOMPARE(standard, 0);
    QCOMPARE(period, 30);

    // The same dialog can run again and shows what it returned.
    shown = WhenModalShown<TfrmOptions>([](TfrmOptions* dialog) {
        QVERIFY(FindChild<QRadioButton>(dialog, "rbEN50131")->isChecked());
        ClickRadio(FindChild<QRadioButton>(dialog, "rbPD6662"));
        FindChild<QPushButton>(dialog, "btnOK")->click();
    });
    QVERIFY(form.ExecuteOptions(standard, period));
    QCOMPARE(standard, 1);
    QCOMPARE(period, 30);
}

void OptionsTest::okKeepsValuesShownAtTheBounds() {
    struct Case {
        std::int32_t standard, period, expectedStandard, expectedPeriod;
    };
    for (const Case c : {Case{5, 500, 1, 120}, Case{0, 0, 0, 1}}) {
        TfrmOptions form;
        auto shown = WhenModalShown<TfrmOptions>(
            [](TfrmOptions* dialog) { FindChild<QPushButton>(dialog, "btnOK")->click(); });
        std::int32_t standard = c.standard;
        std::int32_t period = c.period;
        QVERIFY(form.ExecuteOptions(standard, period));
        QVERIFY(shown->ran);
        QCOMPARE(standard, c.expectedStandard);
        QCOMPARE(period, c.expectedPeriod);
    }
}

void OptionsTest::enterTakesTypedMinutesAndEscapeCancels() {
    TfrmOptions form;
    auto shown = WhenModalShown<TfrmOptions>([](TfrmOptions* dialog) {
        auto* minutes = FindChild<QSpinBox>(dialog, "seAlmTime");
        QVERIFY(minutes);
        minutes->setFocus();
        QLineEdit* edit = minutes->findChild<QLineEdit*>();
        QVERIFY(edit);
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("45"));
        QTest::keyClick(edit, Qt::Key_Return);
    });
    std::int32_t standard = 1;
    std::int32_t period = 15;
    QVERIFY(form.ExecuteOptions(standard, period));
    QVERIFY(shown->ran);
    QCOMPARE(period, 45);

    shown = WhenModalShown<TfrmOptions>([](TfrmOptions* dialog) {
        ClickRadio(FindChild<QRadioButton>(dialog, "rbEN50131"));
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    QVERIFY(!form.ExecuteOptions(standard, period));
    QVERIFY(shown->ran);
    QCOMPARE(standard, 1);
    QCOMPARE(period, 45);
}

void OptionsTest::tabOrderRunsGroupsThenCancelThenOk() {
    TfrmOptions form;
    auto shown = WhenModalShown<TfrmOptions>([](TfrmOptions* dialog) {
        auto* standardGroup = FindChild<QGroupBox>(dialog, "rgStandard");
        auto* periodGroup = FindChild<QGroupBox>(dialog, "gbAlarmPeriod");
        auto* ok = FindChild<QPushButton>(dialog, "btnOK");
        auto* cancel = FindChild<QPushButton>(dialog, "btnCancel");
        QVERIFY(standardGroup && periodGroup && ok && cancel);
        const auto tab = [dialog] {
            QTest::keyClick(dialog->focusWidget(), Qt::Key_Tab);
            return dialog->focusWidget();
        };
        QVERIFY(standardGroup->isAncestorOf(dialog->focusWidget()));
        // Radio items may take one Tab each, depending on the style.
        QWidget* next = tab();
        if (standardGroup->isAncestorOf(next))
            next = tab();
        QVERIFY(periodGroup->isAncestorOf(next));
        QCOMPARE(tab(), cancel);
        QCOMPARE(tab(), ok);
        QVERIFY(standardGroup->isAncestorOf(tab()));
    });
    std::int32_t standard = 0;
    std::int32_t period = 15;
    form.ExecuteOptions(standard, period);
    QVERIFY(shown->ran);
}

void OptionsTest::controlsCarryTheirNamesAndTexts() {
    TfrmOptions form;
    QCOMPARE(form.windowTitle(), QStringLiteral("Options"));
    QCOMPARE(form.minimumSize(), QSize(311, 168));
    QCOMPARE(form.maximumSize(), QSize(311, 168));
    QCOMPARE(form.font().pointSize(), 8);

    auto* standardGroup = FindChild<QGroupBox>(&form, "rgStandard");
    auto* periodGroup = FindChild<QGroupBox>(&form, "gbAlarmPeriod");
    auto* label1 = FindChild<QLabel>(&form, "Label1");
    auto* label2 = FindChild<QLabel>(&form, "Label2");
    auto* minutes = FindChild<QSpinBox>(&form, "seAlmTime");
    auto* ok = FindChild<QPushButton>(&form, "btnOK");
    auto* cancel = FindChild<QPushButton>(&form, "btnCancel");
    QVERIFY(standardGroup && periodGroup && label1 && label2 && minutes && ok && cancel);

    QCOMPARE(standardGroup->title(), QStringLiteral("System Standard"));
    const QList<QRadioButton*> items = standardGroup->findChildren<QRadioButton*>();
    QCOMPARE(items.size(), 2);
    QCOMPARE(FindChild<QRadioButton>(standardGroup, "rbEN50131")->text(),
             QStringLiteral("EN50131-1"));
    QCOMPARE(FindChild<QRadioButton>(standardGroup, "rbPD6662")->text(), QStringLiteral("PD6662"));
    QCOMPARE(periodGroup->title(), QStringLiteral("Alarm Period (Bell Duration)"));
    QCOMPARE(label1->text(), QStringLiteral("Time:"));
    QCOMPARE(label2->text(), QStringLiteral("minutes"));
    QVERIFY(periodGroup->isAncestorOf(minutes));
    QCOMPARE(minutes->minimum(), 1);
    QCOMPARE(minutes->maximum(), 120);
    QCOMPARE(minutes->value(), 15);
    QCOMPARE(ok->text(), QStringLiteral("OK"));
    QCOMPARE(cancel->text(), QStringLiteral("Cancel"));
    QVERIFY(ok->isDefault());

    QCOMPARE(standardGroup->size(), QSize(173, 65));
    QCOMPARE(periodGroup->size(), QSize(173, 85));
    QVERIFY(periodGroup->y() > standardGroup->y());
    QCOMPARE(ok->size(), QSize(95, 25));
    QCOMPARE(cancel->size(), QSize(95, 25));
    QVERIFY(ok->x() > standardGroup->geometry().right());
    QVERIFY(cancel->y() > ok->y());
}

// The helper's promise: a failing check in the action must not leave the
// dialog open and the test hanging.
void OptionsTest::failingCheckInsideTheDialogClosesIt() {
    TfrmOptions form;
    auto shown = WhenModalShown<TfrmOptions>([](TfrmOptions*) {
        QEXPECT_FAIL("", "a check that fails inside the dialog", Abort);
        QVERIFY(false);
    });
    std::int32_t standard = 1;
    std::int32_t period = 15;
    QVERIFY(!form.ExecuteOptions(standard, period));
    QVERIFY(shown->ran);
    QVERIFY(!form.isVisible());
}

} // namespace brellic

QTEST_MAIN(brellic::OptionsTest)
#include "OptionsTest.moc"
