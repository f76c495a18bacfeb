// The calculation sheet as a reader gets it: the PDF's text as pdftotext
// extracts it, its pages, and the HTML.

#include "sheet/CalculationSheet.h"
#include "sheet/SheetHeadings.h"

#include "ExampleSheet.h"
#include "PdfText.h"
#include "calc/Supply.h"

#include <QFile>

#include <algorithm>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

namespace brellic {

namespace {

using test::ExampleFigures;

const QDate kDate(2025, 3, 14);

// The PDF written to a file in dir.
QString WritePdf(const CalculationSheet& sheet, const QTemporaryDir& dir) {
    const QString path = dir.filePath(QStringLiteral("sheet.pdf"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(sheet.Pdf());
    return path;
}

QString PdfTextOf(const CalculationSheet& sheet) {
    QTemporaryDir dir;
    return test::PdfText(WritePdf(sheet, dir));
}

} // namespace

class CalculationSheetTest : public QObject {
    Q_OBJECT

private slots:
    void pdfHoldsEveryFigure();
    void longDeviceListRunsOntoPagesWithTheHeaderRepeated();
    void pagesBreakWhereAReaderExpects();
    void htmlIsACompletePageWithTheUsersTextsEscaped();
    void undefinedFiguresShowInRed();
    void dateIsTheSameInEveryLocale();
    void pdfWithAFixedTimeIsTheSameBytesDatedThen();
    void figuresUseOneMinusAndKeepNumbersWithTheirUnits();
    void aFigureKeepsItsLinesOnOnePage();
    void headingsCarryTheirKindsAndNothingElseIsOne();
};

void CalculationSheetTest::pdfHoldsEveryFigure() {
    BRELLIC_NEED_PDFTOTEXT();
    const CalculationSheet sheet(ExampleFigures(), kDate);
    const QByteArray pdf = sheet.Pdf();
    QVERIFY(pdf.startsWith("%PDF-"));
    const QString text = PdfTextOf(sheet);
    QVERIFY(!text.isEmpty());
    // pdftotext -layout keeps each line of the sheet on one line.
    const QStringList lines = text.split(QLatin1Char('\n'));
    auto hasLine = [&](const QString& wanted) {
        for (const QString& line : lines) {
            if (line.contains(wanted))
                return true;
        }
        return false;
    };
    for (const char* wanted : {
             "Power Supply Calculation Sheet",
             "Mill Lane",
             "14 March 2025",
             "EN50131-1",
             "QX-320 Panel (control panel)",
             "Sounder",
             "0.270 Amps",
             "60 Hours Standby",
             "60.98 Hours",
             "System standby time meets the requirement.",
             "Required standby = EN50131-1, grade 3, AC fail not signalled = 60 Hours",
             "Peak available current = 2.00 A − 0.75 A = 1.25 Amps",
             "Continuous rated output = 17.00 Ah ÷ 60 h = 0.28 Amps",
             "Quiescent total = 0.200 A (devices) + 0.070 A (panel) = 0.270 Amps",
             "Remaining capacity = 17.00 Ah − (2 × 15 ÷ 60) h × 1.070 A = 16.465 Ah",
             "Actual standby = 16.465 Ah ÷ 0.270 A = 60.98 Hours",
             "Standby time: 60.98 Hours ≥ 60 Hours: meets",
             "Alarm current: 1.070 Amps ≤ 1.25 Amps: meets",
             "Capacity needed = 60 h × 0.270 A + (2 × 15 ÷ 60) h × 1.070 A = 16.735 Ah",
             "With 25 % ageing allowance = 16.735 Ah × 1.25 = 20.919 Ah",
             "The battery chosen, 17.0 Ah, is the smallest that meets the requirement.",
             "Spare quiescent current = 16.465 Ah ÷ 60 h − 0.270 A = 0.004 Amps",
             "Spare alarm current = 1.25 A − 1.070 A = 0.180 Amps",
             "Recharge to 80 % = 0.8 × 17.00 Ah ÷ 0.75 A = 18.13 Hours",
             "Checked by:",
             "Signature:",
             "Page 1 of 1",
         })
        QVERIFY2(hasLine(QString::fromUtf8(wanted)), wanted);
    QCOMPARE(text.count(QLatin1Char('\f')), 1); // one page

    // Laid out in the printer's fonts, inside 15 mm margins of an A4 page
    // (595 x 842 points): the 14-point title and the footer above the bottom margin.
    QTemporaryDir dir;
    const QString path = WritePdf(sheet, dir);
    const QRectF title = test::PdfWordBox(path, QStringLiteral("Power"));
    QVERIFY2(title.height() > 12 && title.height() < 20,
             qPrintable(QString::number(title.height())));
    QVERIFY2(qAbs(title.left() - 15 / 25.4 * 72) < 1, qPrintable(QString::number(title.left())));
    const QRectF footer = test::PdfWordBox(path, QStringLiteral("Page"));
    QVERIFY(footer.top() > 842 - 20 / 25.4 * 72);
    QVERIFY(footer.bottom() < 842 - 10 / 25.4 * 72);
}

void CalculationSheetTest::longDeviceListRunsOntoPagesWithTheHeaderRepeated() {
    BRELLIC_NEED_PDFTOTEXT();
    const CalculationSheet sheet(ExampleFigures(99), kDate);
    const QString text = PdfTextOf(sheet);
    QVERIFY(!text.isEmpty());
    const QStringList pages = text.split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    QVERIFY2(pages.size() >= 2, qPrintable(QString::number(pages.size())));
    const int count = static_cast<int>(pages.size());
    const QRegularExpression header(
        QStringLiteral("^\\s*Qty\\s+Description\\s+Grade\\s+Quiescent"));
    int previous = 0;
    for (int page = 0; page < count; ++page) {
        QVERIFY2(pages[page].contains(QStringLiteral("Page %1 of %2").arg(page + 1).arg(count)),
                 qPrintable(QStringLiteral("page %1").arg(page + 1)));
        // Every page the device table reaches starts its part with the header row.
        const QStringList lines = pages[page].split(QLatin1Char('\n'));
        const bool hasDevices = std::any_of(lines.begin(), lines.end(), [](const QString& line) {
            return line.contains(QStringLiteral("Detector "));
        });
        if (hasDevices) {
            const auto first = std::find_if(lines.begin(), lines.end(), [](const QString& line) {
                return line.contains(QStringLiteral("Detector ")) ||
                       line.contains(QStringLiteral("Qty"));
            });
            QVERIFY2(header.match(*first).hasMatch(), qPrintable(*first));
        }
        // The devices keep their order across the pages.
        for (const QString& line : lines) {
            const QRegularExpressionMatch match =
                QRegularExpression(QStringLiteral("Detector (\\d+)")).match(line);
            if (match.hasMatch()) {
                QCOMPARE(match.captured(1).toInt(), previous + 1);
                previous = match.captured(1).toInt();
            }
        }
    }
    QCOMPARE(previous, 99);
}

// Every length of device list from 1 to 100 lines: no heading stands at the
// foot of a page without what follows it, the signature block is neither
// split nor alone on its page, no page holds the footer alone, and up to 15
// lines take one page. The text is what a reader sees, in the sheet's own font.
void CalculationSheetTest::pagesBreakWhereAReaderExpects() {
    BRELLIC_NEED_PDFTOTEXT();
    const QStringList headings = {QStringLiteral("Devices Powered from Control Panel"),
                                  QStringLiteral("System Summary"),
                                  QStringLiteral("Working"),
                                  QStringLiteral("Battery That Fits"),
                                  QStringLiteral("Spare Capacity"),
                                  QStringLiteral("Recharge"),
                                  QStringLiteral("Checked")};
    for (int lines = 1; lines <= 100; ++lines) {
        const QString where = QStringLiteral("%1 device lines").arg(lines);
        const QString text = PdfTextOf(CalculationSheet(ExampleFigures(lines - 1), kDate));
        QStringList pages = text.split(QLatin1Char('\f'));
        QVERIFY2(pages.size() >= 2 && pages.takeLast().trimmed().isEmpty(), qPrintable(where));
        if (lines <= 15)
            QVERIFY2(pages.size() == 1, qPrintable(where));
        for (int page = 0; page < pages.size(); ++page) {
            const QString at = QStringLiteral("%1, page %2").arg(where).arg(page + 1);
            QStringList body;
            for (const QString& line : pages[page].split(QLatin1Char('\n'))) {
                if (!line.trimmed().isEmpty() &&
                    !line.contains(QStringLiteral(" of %1").arg(pages.size())))
                    body.push_back(line.trimmed());
            }
            QVERIFY2(!body.isEmpty(), qPrintable(at + QStringLiteral(": the footer alone")));
            QVERIFY2(!headings.contains(body.constLast()),
                     qPrintable(at + QStringLiteral(": ends on the heading ") + body.constLast()));
            const qsizetype checked = body.indexOf(QStringLiteral("Checked"));
            if (checked < 0)
                continue;
            QVERIFY2(
                body.mid(checked).join(QLatin1Char(' ')).contains(QStringLiteral("Signature:")),
                qPrintable(at + QStringLiteral(": the signature block is split")));
            QVERIFY2(checked > 0,
                     qPrintable(at + QStringLiteral(": the signature block is alone")));
        }
    }
}

void CalculationSheetTest::htmlIsACompletePageWithTheUsersTextsEscaped() {
    // A "%1" in a user's text is text, not a placeholder.
    SiteSheetTexts figures = ExampleFigures(0, "<b>Smith & Sons</b> %1");
    figures.Devices.front().Description = "Sounder <script>";
    const CalculationSheet sheet(figures, kDate);
    // Read as text: the no-break spaces between numbers and units as spaces.
    const QString html = QString(sheet.Html()).replace(QChar(0x00A0), QLatin1Char(' '));
    QVERIFY(html.startsWith(QStringLiteral("<!DOCTYPE html>")));
    QVERIFY(html.contains(QStringLiteral("<meta charset=\"utf-8\">")));
    QVERIFY(html.contains(QStringLiteral("<title>Calculation Sheet - &lt;b&gt;Smith &amp; "
                                         "Sons&lt;/b&gt; %1</title>")));
    // A browser uses the sheet's own font first, where it has it.
    QVERIFY(html.contains(QStringLiteral("font-family: 'DejaVu Sans', Arial")));
    QVERIFY(html.contains(QStringLiteral("font-size: 8pt")));
    QVERIFY(html.contains(QStringLiteral("Sounder &lt;script&gt;")));
    QVERIFY(!html.contains(QStringLiteral("<script")));
    QVERIFY(html.contains(QStringLiteral("<thead>")));
    QVERIFY(html.contains(QStringLiteral("Actual standby = 16.465 Ah ÷ 0.270 A = 60.98 Hours")));
    QCOMPARE(sheet.Title(), QStringLiteral("Calculation Sheet - <b>Smith & Sons</b> %1"));
    // The document shows the text, not markup.
    QVERIFY(sheet.Document().toPlainText().contains(QStringLiteral("<b>Smith & Sons</b> %1")));
}

void CalculationSheetTest::undefinedFiguresShowInRed() {
    SiteState site;
    site.SystemStandard = 1;
    site.AlarmPeriod = 15;
    site.SystemGrade = 1;
    site.PanelIndex = 0;
    site.BatteryCapacity = ParseBatteryCapacity("2.1 Ah");
    DeviceList devices;
    devices.Append(TDeviceData{1, 1, "Offset", -0.05, 0.1}, '.'); // cancels the panel's 0.05 A
    DisplayTexts texts;
    UpdateSupply(site, false, texts, '.');
    UpdateTotals(site, devices, true, true, texts, '.');
    const CalculationSheet sheet(
        ComputeSheet(site, devices, SheetSite{"Zero", "2.1 Ah", false}, '.'), kDate);
    const QString red = QStringLiteral("<span style=\"color:#ff0000; font-weight:bold\">%1</span>");
    const QString html = QString(sheet.Html()).replace(QChar(0x00A0), QLatin1Char(' '));
    QVERIFY(html.contains(red.arg(QStringLiteral("Undefined"))));
    QVERIFY(html.contains(QStringLiteral("Actual standby = 2.025 Ah ÷ 0.000 A = ") +
                          red.arg(QStringLiteral("Undefined"))));
    QVERIFY(html.contains(QStringLiteral("Standby time: Undefined: ") +
                          red.arg(QStringLiteral("fails"))));
    QVERIFY(!sheet.Document().toPlainText().contains(QStringLiteral("INF")));
    QVERIFY(!sheet.Document().toPlainText().contains(QStringLiteral("NAN")));
}

void CalculationSheetTest::dateIsTheSameInEveryLocale() {
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QCOMPARE(SheetDate(QDate(2025, 3, 4)), QStringLiteral("4 March 2025"));
    QLocale::setDefault(previous);
}

// A PDF with a fixed time is the same bytes each time it is made, dated
// then. Redating one whose clock's date carried a local offset, a longer
// date, moves the cross-reference table's offsets past it with it.
void CalculationSheetTest::pdfWithAFixedTimeIsTheSameBytesDatedThen() {
    const QDateTime time = QDateTime::fromSecsSinceEpoch(1700000000, Qt::UTC);
    const CalculationSheet sheet(ExampleFigures(), kDate);
    const QByteArray pdf = sheet.Pdf(time);
    QVERIFY(pdf.contains("/CreationDate (D:20231114221320Z)"));
    QTest::qSleep(1100); // past the clock's second
    QCOMPARE(sheet.Pdf(time), pdf);

    // Objects 1 and 2 with their offsets in the table, and where it starts.
    QByteArray made("%PDF-1.4\n");
    const QByteArray first = "1 0 obj\n<<\n/CreationDate (D:20250314093000+01'00')\n>>\nendobj\n";
    const QByteArray second = "2 0 obj\n<<\n/Type /Catalog\n>>\nendobj\n";
    const qsizetype firstAt = made.size();
    made += first;
    const qsizetype secondAt = made.size();
    made += second;
    const qsizetype tableAt = made.size();
    made += "xref\n0 3\n0000000000 65535 f \n" +
            QByteArray::number(firstAt).rightJustified(10, '0') + " 00000 n \n" +
            QByteArray::number(secondAt).rightJustified(10, '0') +
            " 00000 n \ntrailer\n<<\n/Size 3 \n>>\nstartxref\n" + QByteArray::number(tableAt) +
            " \n%%EOF\n";
    QVERIFY(RedatePdf(made, time));
    QVERIFY(made.contains("/CreationDate (D:20231114221320Z)\n"));
    const qsizetype table = made.indexOf("xref\n");
    QVERIFY(made.endsWith("startxref\n" + QByteArray::number(table) + " \n%%EOF\n"));
    QCOMPARE(made.mid(made.mid(table + 30, 10).toInt(), 8), QByteArray("1 0 obj\n"));
    QCOMPARE(made.mid(made.mid(table + 50, 10).toInt(), 8), QByteArray("2 0 obj\n"));
    QByteArray cut = made.left(table);
    QVERIFY(!RedatePdf(cut, time));
}

// Every minus of the working is U+2212, a negative number's too, and no
// line breaks between a number and its unit or inside a list of lines; the
// site's own texts are shown as typed.
void CalculationSheetTest::figuresUseOneMinusAndKeepNumbersWithTheirUnits() {
    SiteSheetTexts figures = ExampleFigures(1);
    figures.Devices[1].Description = "Detector -5 A";
    figures.SpareAlarm.Working = "1.00 A \xE2\x88\x92 1.25 A";
    figures.SpareAlarm.Result = "-0.250 Amps";
    figures.SpareAlarm.Note = "lines 1, 2, 10";
    const QString html = CalculationSheet(figures, kDate).Html();
    const QString nb(QChar(0x00A0));
    const QString minus(QChar(0x2212));
    QVERIFY(html.contains(QStringLiteral("Spare alarm current = 1.00") + nb + QStringLiteral("A ") +
                          minus + QStringLiteral(" 1.25") + nb + QStringLiteral("A = ") + minus +
                          QStringLiteral("0.250") + nb + QStringLiteral("Amps")));
    QVERIFY(html.contains(QStringLiteral("; lines") + nb + QStringLiteral("1,") + nb +
                          QStringLiteral("2,") + nb + QStringLiteral("10")));
    QVERIFY(html.contains(QStringLiteral("Detector -5 A")));
}

// A line of the working whose formula takes three lines beside it stands
// whole on one page wherever the device list puts it.
void CalculationSheetTest::aFigureKeepsItsLinesOnOnePage() {
    BRELLIC_NEED_PDFTOTEXT();
    int crossed = 0;
    for (int lines = 16; lines <= 60; ++lines) {
        SiteSheetTexts figures = ExampleFigures(lines - 1);
        figures.PeakCurrent.Note = "a note long enough to take three lines of the narrow column "
                                   "of words beside the figure, up to its last word, Omega";
        const QStringList pages =
            PdfTextOf(CalculationSheet(figures, kDate)).split(QLatin1Char('\f'));
        const auto pageOf = [&](const QString& text) {
            for (int page = 0; page < pages.size(); ++page) {
                if (pages[page].contains(text))
                    return page;
            }
            return -1;
        };
        const int figure = pageOf(QStringLiteral("Peak available current ="));
        QVERIFY(figure >= 0);
        QVERIFY2(pageOf(QStringLiteral("Omega")) == figure, qPrintable(QString::number(lines)));
        crossed += pageOf(QStringLiteral("Required standby =")) != figure;
    }
    QVERIFY(crossed > 0); // the figure did meet a page break
}

// The pages keep each heading by its kind: each heading carries its own,
// and a cell that holds a heading's words is none.
void CalculationSheetTest::headingsCarryTheirKindsAndNothingElseIsOne() {
    SiteSheetTexts figures = ExampleFigures();
    figures.Devices[0].Description = "Recharge";
    const CalculationSheet sheet(figures, kDate);
    QStringList marked;
    for (QTextBlock block = sheet.Document().begin(); block.isValid(); block = block.next()) {
        const HeadingKind kind = HeadingOf(block);
        if (kind != HeadingKind::None)
            marked.push_back(block.text() + QStringLiteral(": ") +
                             QString::number(static_cast<int>(kind)));
    }
    // 1 a section, 2 one that goes over whole, 4 the signature block.
    QCOMPARE(marked, QStringList({QStringLiteral("Devices Powered from Control Panel: 1"),
                                  QStringLiteral("System Summary: 1"), QStringLiteral("Working: 1"),
                                  QStringLiteral("Battery That Fits: 1"),
                                  QStringLiteral("Spare Capacity: 1"),
                                  QStringLiteral("Recharge: 2"), QStringLiteral("Checked: 4")}));
}

} // namespace brellic

QTEST_MAIN(brellic::CalculationSheetTest)
#include "CalculationSheetTest.moc"
