// The calculation sheet of an installation as a reader gets it: the overview
// and the system's verdict on the first page, each supply's sheet from a new
// page, the pages numbered through, one signature block at the end.

#include "sheet/CalculationSheet.h"

#include "calc/CableRunSheetTexts.h"

#include "ExampleSheet.h"
#include "PdfText.h"

#include <QBuffer>
#include <QFile>
#include <QPageLayout>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>

#include <optional>
#include <tuple>
#include <utility>
#include <vector>

namespace brellic {

namespace {

using test::ExampleFigures;

const QDate kDate(2025, 3, 14);

SheetSupply Judged(std::string name, SiteSheetTexts sheet, Outcome standby, Outcome alarm) {
    SheetSupply supply;
    supply.Name = std::move(name);
    supply.Panel = sheet.PanelName;
    supply.Battery = sheet.BatteryText;
    supply.Grade = sheet.Grade;
    supply.RequiredStandby = sheet.RequiredStandby.Result;
    supply.ActualStandby = sheet.ActualStandby.Result;
    supply.AlarmCurrent = sheet.AlarmTotal.Result;
    supply.PeakCurrent = sheet.PeakCurrent.Result;
    supply.Standby = standby;
    supply.AlarmVerdict = alarm;
    supply.Sheet = std::move(sheet);
    return supply;
}

SheetSupply NotJudged(std::string name) {
    SheetSupply supply;
    supply.Name = std::move(name);
    supply.Grade = "2";
    return supply;
}

// Two supplies of the example with extraDevices more lines each, the second
// failing its alarm current, and, when asked, a last one not judged.
InstallationSheetTexts Mill(int extraDevices = 0, bool unfinished = true,
                            std::string name = "Mill Lane") {
    InstallationSheetTexts figures;
    figures.Name = std::move(name);
    figures.Address = "12 Mill Lane";
    figures.Standard = "EN50131-1";
    figures.AlarmPeriod = "15 minutes";
    figures.Supplies.push_back(
        Judged("Main panel", ExampleFigures(extraDevices, "Main"), Outcome::Meets, Outcome::Meets));
    figures.Supplies.push_back(
        Judged("Gate PSU", ExampleFigures(extraDevices, "Gate"), Outcome::Meets, Outcome::Fails));
    if (unfinished)
        figures.Supplies.push_back(NotJudged("Yard PSU"));
    figures.System.State = Outcome::Fails;
    figures.System.Meeting = "1 of " + std::to_string(figures.Supplies.size());
    figures.System.Grade = "2";
    figures.System.GradesDiffer = true;
    return figures;
}

// A sounder drawing 1 A at the far end of a run of single 7/0.2, and a
// detector at 5 m on a second run: 20 m drop 3.40 V and fail from 10.5 V,
// 2 m meet.
void WithRuns(SheetSupply& supply, double sounderRunM) {
    InstallationSupply site;
    site.Site.Devices = {{1, 3, "Sounder", 0.2, 1.0}, {1, 3, "Detector", 0.02, 0.02}};
    for (const auto& [name, length, line, at] :
         {std::tuple("Sounder run", sounderRunM, std::size_t{0}, std::optional<double>()),
          std::tuple("Detector run", 10.0, std::size_t{1}, std::optional<double>(5.0))}) {
        CableRun run;
        run.Name = name;
        run.Cable = 0;
        run.LengthM = length;
        run.Lines = {{line, at}};
        site.Runs.push_back(run);
    }
    const std::vector<RunResult> results = CalculateRuns(site);
    supply.CableRuns = RunsMeet(results) ? "meet" : "1 of 2 meet";
    supply.CableRunsVerdict = RunsMeet(results) ? Outcome::Meets : Outcome::Fails;
    supply.CableRunsMeeting = RunsMeet(results) ? "2 of 2" : "1 of 2";
    supply.LowestOutputVolts = "10.50 V";
    supply.Runs = MakeSheetRuns(site, results, '.');
}

// The PDF's pages as pdftotext reads them, without the empty one after the
// last form feed.
QStringList PdfPages(const CalculationSheet& sheet) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sheet.pdf"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(sheet.Pdf());
    file.close();
    // Compatibility forms undo the ligatures of the sheet's font ("ﬀ").
    QStringList pages =
        test::PdfText(path).normalized(QString::NormalizationForm_KC).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.constLast().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

// A page's lines with text, trimmed, without its footer.
QStringList Body(const QString& page) {
    QStringList body;
    static const QRegularExpression footer(QStringLiteral("Page \\d+ of \\d+\\s*$"));
    for (const QString& line : page.split(QLatin1Char('\n'))) {
        if (!line.trimmed().isEmpty() && !footer.match(line).hasMatch())
            body.push_back(line.trimmed());
    }
    return body;
}

} // namespace

class InstallationSheetTest : public QObject {
    Q_OBJECT

private slots:
    void firstPageHoldsTheOverviewAndTheSystemsVerdict();
    void eachSupplyFromANewPageNumberedThroughWithOneSignatureBlock();
    void pagesBreakWhereAReaderExpects();
    void htmlColoursTheVerdictsAndEscapesTheTexts();
    void tableCellsNamedLikeHeadingsAreNotHeadings();
    void cableRunsFollowTheirSuppliesBatteryWorking();
    void aCableRunGoesOverWholeWithItsHeadings();
    void suppliesLaidOutOnThreadsGiveTheSameBytes();
};

void InstallationSheetTest::firstPageHoldsTheOverviewAndTheSystemsVerdict() {
    BRELLIC_NEED_PDFTOTEXT();
    const QStringList pages = PdfPages(CalculationSheet(Mill(), kDate));
    QVERIFY(!pages.isEmpty());
    const QString first = Body(pages.constFirst()).join(QLatin1Char('\n'));
    for (const char* wanted : {
             "Installation Calculation Sheet",
             "Mill Lane",
             "12 Mill Lane",
             "14 March 2025",
             "EN50131-1",
             "15 minutes",
             "Overview",
             "Main panel",
             "Gate PSU",
             "Yard PSU",
             "QX-320 Panel",
             "60 Hours",
             "60.98 Hours",
             "1.070 Amps",
             "1.25 Amps",
             "not judged (no panel or battery chosen)",
             "1 of 3 supplies meet",
             "System Verdict",
             "System: fails (1 of 3 supplies meet)",
             "System grade: 2 (the lowest of its supplies' grades, which differ)",
         })
        QVERIFY2(first.contains(QString::fromUtf8(wanted)), wanted);
    // Nothing of a supply's own sheet yet.
    QVERIFY(!first.contains(QStringLiteral("Devices Powered from Control Panel")));
    QVERIFY(!first.contains(QStringLiteral("Checked")));
}

void InstallationSheetTest::eachSupplyFromANewPageNumberedThroughWithOneSignatureBlock() {
    BRELLIC_NEED_PDFTOTEXT();
    const QStringList pages = PdfPages(CalculationSheet(Mill(), kDate));
    // The overview, each judged supply's one page, the one not judged.
    QCOMPARE(pages.size(), 4);
    const QStringList names = {QStringLiteral("Main panel"), QStringLiteral("Gate PSU"),
                               QStringLiteral("Yard PSU")};
    for (int page = 0; page < pages.size(); ++page) {
        QVERIFY2(pages[page].contains(QStringLiteral("Page %1 of 4").arg(page + 1)),
                 qPrintable(QString::number(page + 1)));
        QVERIFY(
            pages[page].contains(QRegularExpression(QStringLiteral("Mill Lane +14 March 2025"))));
        if (page == 0)
            continue;
        const QStringList body = Body(pages[page]);
        QCOMPARE(body.value(0), QStringLiteral("Power Supply Calculation Sheet"));
        QCOMPARE(body.value(1),
                 QStringLiteral("Supply %1 of 3: %2").arg(page).arg(names[page - 1]));
    }
    QVERIFY(
        pages[1].contains(QStringLiteral("Actual standby = 16.465 Ah ÷ 0.270 A = 60.98 Hours")));
    QVERIFY(pages[2].contains(QStringLiteral("Site reference:")));
    QVERIFY(pages[3].contains(
        QStringLiteral("Standby and alarm current: not judged (no panel or battery chosen)")));
    // One signature block, at the very end.
    const QString all = pages.join(QLatin1Char('\f'));
    QCOMPARE(all.count(QStringLiteral("Checked by:")), 1);
    QCOMPARE(all.count(QStringLiteral("Signature:")), 1);
    QCOMPARE(Body(pages[3]).constLast().simplified(),
             QStringLiteral("Checked by: Date: Signature:"));
}

// Supplies of 1 to 100 device lines: no heading stands at the foot of a page
// without what follows it, a Recharge section is never split, each supply
// starts a page, and the one signature block is neither split nor alone, also
// when the last supply is judged and its Recharge section goes over with it.
void InstallationSheetTest::pagesBreakWhereAReaderExpects() {
    BRELLIC_NEED_PDFTOTEXT();
    const QStringList headings = {QStringLiteral("Overview"),
                                  QStringLiteral("System Verdict"),
                                  QStringLiteral("Devices Powered from Control Panel"),
                                  QStringLiteral("System Summary"),
                                  QStringLiteral("Working"),
                                  QStringLiteral("Battery That Fits"),
                                  QStringLiteral("Spare Capacity"),
                                  QStringLiteral("Recharge"),
                                  QStringLiteral("Checked")};
    for (int lines = 1; lines <= 100; lines += 3) {
        const QString where = QStringLiteral("%1 device lines").arg(lines);
        const QStringList pages = PdfPages(CalculationSheet(Mill(lines - 1, false), kDate));
        QVERIFY2(pages.size() >= 3, qPrintable(where));
        int supplies = 0;
        for (int page = 0; page < pages.size(); ++page) {
            const QString at = QStringLiteral("%1, page %2").arg(where).arg(page + 1);
            QVERIFY2(pages[page].contains(
                         QStringLiteral("Page %1 of %2").arg(page + 1).arg(pages.size())),
                     qPrintable(at));
            const QStringList body = Body(pages[page]);
            QVERIFY2(!body.isEmpty(), qPrintable(at + QStringLiteral(": the footer alone")));
            QVERIFY2(!headings.contains(body.constLast()),
                     qPrintable(at + QStringLiteral(": ends on the heading ") + body.constLast()));
            if (body.indexOf(QRegularExpression(QStringLiteral("Supply \\d of 2: .*"))) >= 0) {
                ++supplies;
                QCOMPARE(body.constFirst(), QStringLiteral("Power Supply Calculation Sheet"));
            }
            const qsizetype recharge = body.indexOf(QStringLiteral("Recharge"));
            if (recharge >= 0)
                QVERIFY2(body.mid(recharge)
                             .join(QLatin1Char(' '))
                             .contains(QStringLiteral("Recharge time:")),
                         qPrintable(at + QStringLiteral(": the Recharge section is split")));
            const qsizetype checked = body.indexOf(QStringLiteral("Checked"));
            if (checked < 0)
                continue;
            QCOMPARE(page, pages.size() - 1);
            QVERIFY2(
                body.mid(checked).join(QLatin1Char(' ')).contains(QStringLiteral("Signature:")),
                qPrintable(at + QStringLiteral(": the signature block is split")));
            QVERIFY2(checked > 0,
                     qPrintable(at + QStringLiteral(": the signature block is alone")));
        }
        QCOMPARE(supplies, 2);
    }
}

void InstallationSheetTest::htmlColoursTheVerdictsAndEscapesTheTexts() {
    InstallationSheetTexts figures = Mill(0, true, "<b>Smith & Sons</b> %1");
    figures.Supplies[1].Name = "Gate <PSU> %2";
    figures.Supplies[1].Standby = Outcome::Undefined;
    figures.Supplies[1].ActualStandby = "Undefined";
    const CalculationSheet sheet(figures, kDate);
    const QString& html = sheet.Html();
    QVERIFY(html.startsWith(QStringLiteral("<!DOCTYPE html>")));
    QVERIFY(html.endsWith(QStringLiteral("</body></html>\n")));
    QCOMPARE(sheet.Title(), QStringLiteral("Calculation Sheet - <b>Smith & Sons</b> %1"));
    QVERIFY(html.contains(QStringLiteral("<title>Calculation Sheet - &lt;b&gt;Smith &amp; "
                                         "Sons&lt;/b&gt; %1</title>")));
    QVERIFY(html.contains(QStringLiteral("Gate &lt;PSU&gt; %2")));
    QVERIFY(!html.contains(QStringLiteral("<PSU>")));

    // The window's colours: green meets, red fails and a figure that cannot be computed.
    const QString green =
        QStringLiteral("<span style=\"color:#008000; font-weight:bold\">%1</span>");
    const QString red = QStringLiteral("<span style=\"color:#ff0000; font-weight:bold\">%1</span>");
    QVERIFY(html.contains(green.arg(QStringLiteral("60.98 Hours"))));
    QVERIFY(html.contains(green.arg(QStringLiteral("meets"))));
    QVERIFY(html.contains(red.arg(QStringLiteral("Undefined"))));
    QVERIFY(html.contains(red.arg(QStringLiteral("undefined"))));
    QVERIFY(html.contains(red.arg(QStringLiteral("1.070 Amps"))));
    QVERIFY(html.contains(red.arg(QStringLiteral("fails"))));

    // A browser prints each supply from a new page too; the one signature block ends it.
    QCOMPARE(html.count(QStringLiteral("page-break-before:always")), 3);
    QCOMPARE(html.count(QStringLiteral("Signature:")), 1);
    QVERIFY(html.indexOf(QStringLiteral("Signature:")) >
            html.indexOf(QStringLiteral("Yard PSU</p>")));
    QVERIFY(
        sheet.Document().toPlainText().contains(QStringLiteral("Supply 2 of 3: Gate <PSU> %2")));
}

// A device or a supply may bear a heading's name; its cell in a table is not
// a heading to keep with what follows, and the pages break as for any other name.
void InstallationSheetTest::tableCellsNamedLikeHeadingsAreNotHeadings() {
    BRELLIC_NEED_PDFTOTEXT();
    // Each page's device rows, the renamed one as "*".
    const auto pagesOf = [](const QString& name) {
        SiteSheetTexts figures = ExampleFigures(70);
        figures.Devices[60].Description = name.toStdString();
        const QRegularExpression row(
            QStringLiteral("^1\\s+(Detector (\\d+)|%1)\\s").arg(QRegularExpression::escape(name)));
        QStringList rows;
        for (const QString& page : PdfPages(CalculationSheet(figures, kDate))) {
            QStringList onPage;
            for (const QString& line : Body(page)) {
                const QRegularExpressionMatch match = row.match(line);
                if (match.hasMatch())
                    onPage.push_back(match.captured(2).isEmpty() ? QStringLiteral("*")
                                                                 : match.captured(2));
            }
            rows.push_back(onPage.join(QLatin1Char(' ')));
        }
        return rows;
    };
    const QStringList plain = pagesOf(QStringLiteral("Detector"));
    // The device sits on a later page, below the table's first row.
    QVERIFY(plain.size() >= 2);
    QVERIFY(!plain.constFirst().contains(QLatin1Char('*')));
    for (const char* heading : {"Working", "Recharge", "Checked"})
        QCOMPARE(pagesOf(QLatin1String(heading)), plain);
}

// Each supply's runs on its own pages, after its battery working, the
// working with the run's values put in; a supply not judged shows its runs
// too, and the overview counts them.
void InstallationSheetTest::cableRunsFollowTheirSuppliesBatteryWorking() {
    BRELLIC_NEED_PDFTOTEXT();
    InstallationSheetTexts figures = Mill();
    for (SheetSupply& supply : figures.Supplies)
        supply.CableRuns = "none";
    WithRuns(figures.Supplies[1], 20);
    WithRuns(figures.Supplies[2], 2);
    const CalculationSheet sheet(figures, kDate);
    const QStringList pages = PdfPages(sheet);
    QVERIFY(pages.size() >= 4);

    const QString overview = Body(pages[0]).join(QLatin1Char('\n'));
    QVERIFY(overview.contains(QRegularExpression(QStringLiteral("Cable\\n.*runs"))));
    QVERIFY(overview.contains(QRegularExpression(QStringLiteral("meets\\s+none\\n"))));
    QVERIFY(overview.contains(QRegularExpression(QStringLiteral("\\s1 of 2\\s"))));

    // Each supply's lines, from the page it starts on to the next supply's.
    QList<QStringList> supplies;
    for (const QString& page : pages.mid(1)) {
        const QStringList body = Body(page);
        if (body.value(1).startsWith(QStringLiteral("Supply ")))
            supplies.push_back({});
        supplies.back() += body;
    }
    QCOMPARE(supplies.size(), 3);
    QVERIFY(!supplies[0].contains(QStringLiteral("Cable Runs")));
    const QStringList& gate = supplies[1];
    const qsizetype recharge = gate.indexOf(QRegularExpression(QStringLiteral("Recharge time:.*")));
    const qsizetype runs = gate.indexOf(QStringLiteral("Cable Runs"));
    QVERIFY(recharge >= 0);
    QVERIFY(runs > recharge);
    QCOMPARE(gate.value(runs + 1), QStringLiteral("Run 1: Sounder run"));
    const QString text = gate.mid(runs).join(QLatin1Char('\n'));
    for (const char* wanted : {
             "Drop in alarm, stretch 1 = 1.000 A × 20.0 m × 0.085 Ω/m × (1/1 + 1/1) = 3.40 V",
             "Lowest voltage in alarm = 10.50 V − 3.40 V = 7.10 V at line 1",
             "9.82 V ≥ 9.50 V in standby, 7.10 V < 9.50 V in alarm: fails",
             "Run 2: Detector run",
             "far end",
             "5.0 m",
             "Drop in alarm, stretch 1 = 0.020 A × 5.0 m × 0.085 Ω/m × (1/1 + 1/1) = 0.02 V",
             "10.48 V ≥ 9.50 V in standby, 10.48 V ≥ 9.50 V in alarm: meets",
         })
        QVERIFY2(text.contains(QString::fromUtf8(wanted)), wanted);

    const QStringList& yard = supplies[2];
    QVERIFY(yard.indexOf(QStringLiteral("Cable Runs")) >
            yard.indexOf(QRegularExpression(QStringLiteral("Standby and alarm current: not.*"))));
    QVERIFY(yard.join(QLatin1Char('\n'))
                .contains(QStringLiteral("Lowest voltage in alarm = 10.50 V − 0.34 V = "
                                         "10.16 V at line 1")));

    // The run's verdict and the overview's count in the verdicts' colours.
    const QString red = QStringLiteral("<span style=\"color:#ff0000; font-weight:bold\">%1</span>");
    const QString green =
        QStringLiteral("<span style=\"color:#008000; font-weight:bold\">%1</span>");
    const QString html = QString(sheet.Html()).replace(QChar(0x00A0), QLatin1Char(' '));
    QVERIFY(html.contains(QStringLiteral("7.10 V &lt; 9.50 V in alarm: ") + red.arg("fails")));
    QVERIFY(sheet.Html().contains(red.arg(QStringLiteral("1 of 2 meet"))));
    QVERIFY(sheet.Html().contains(green.arg(QStringLiteral("meet"))));

    // Under each supply's summary (or its note that it is not judged), the
    // count of its runs that meet; a site's own sheet has no such line.
    QCOMPARE(sheet.Html().count(QStringLiteral("Cable runs: ")), 3);
    QVERIFY(Body(pages[1]).contains(QStringLiteral("Cable runs: none")));
    QCOMPARE(
        gate.value(gate.indexOf(QRegularExpression(QStringLiteral("Max Alarm Current.*"))) + 1),
        QStringLiteral("Cable runs: 1 of 2 meet"));
    QVERIFY(sheet.Html().contains(QStringLiteral("Cable runs: ") + red.arg("1 of 2 meet")));
    QVERIFY(sheet.Html().contains(QStringLiteral("Cable runs: ") + green.arg("2 of 2 meet")));
    QVERIFY(
        !CalculationSheet(ExampleFigures(), kDate).Html().contains(QStringLiteral("Cable runs")));
}

// Supplies of 1 to 100 device lines followed by cable runs: no heading, a
// run's own among them, stands at the foot of a page, a run goes over whole
// with its heading (and the Cable Runs heading with the first), and the
// signature block after the last run is neither split nor alone.
void InstallationSheetTest::aCableRunGoesOverWholeWithItsHeadings() {
    BRELLIC_NEED_PDFTOTEXT();
    const QRegularExpression runHeading(QStringLiteral("^Run \\d: "));
    const QRegularExpression runEnd(QStringLiteral("Cores doubled up to meet = .*"));
    for (int lines = 1; lines <= 100; lines += 3) {
        InstallationSheetTexts figures = Mill(lines - 1, false);
        for (SheetSupply& supply : figures.Supplies)
            WithRuns(supply, 20);
        const QStringList pages = PdfPages(CalculationSheet(figures, kDate));
        int runs = 0;
        for (int page = 0; page < pages.size(); ++page) {
            const QString at = QStringLiteral("%1 device lines, page %2").arg(lines).arg(page + 1);
            const QStringList body = Body(pages[page]);
            QVERIFY2(!body.isEmpty(), qPrintable(at));
            const QString& last = body.constLast();
            QVERIFY2(last != QStringLiteral("Cable Runs") && !runHeading.match(last).hasMatch(),
                     qPrintable(at + QStringLiteral(": ends on ") + last));
            for (qsizetype i = 0; i < body.size(); ++i) {
                if (body[i] == QStringLiteral("Cable Runs"))
                    QVERIFY2(runHeading.match(body.value(i + 1)).hasMatch(), qPrintable(at));
                if (!runHeading.match(body[i]).hasMatch())
                    continue;
                ++runs;
                QVERIFY2(body.indexOf(runEnd, i) > i,
                         qPrintable(at + QStringLiteral(": a run is split")));
            }
            const qsizetype checked = body.indexOf(QStringLiteral("Checked"));
            if (checked >= 0) {
                QCOMPARE(page, pages.size() - 1);
                QVERIFY2(checked > 0 && body.mid(checked)
                                            .join(QLatin1Char(' '))
                                            .contains(QStringLiteral("Signature:")),
                         qPrintable(at));
                QVERIFY2(runEnd.match(body[checked - 1]).hasMatch(),
                         qPrintable(at + QStringLiteral(": the last run is not above it")));
            }
        }
        QCOMPARE(runs, 4);
    }
}

// The PDF lays its supplies out on several threads: painted on one thread
// alone, with the same settings, the sheet is the same bytes.
void InstallationSheetTest::suppliesLaidOutOnThreadsGiveTheSameBytes() {
    const QDateTime time = QDateTime::fromSecsSinceEpoch(1700000000, Qt::UTC);
    const CalculationSheet sheet(Mill(40), kDate);
    const QByteArray threaded = sheet.Pdf(time);
    QByteArray alone;
    {
        QBuffer buffer(&alone);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(600);
        writer.setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        writer.setTitle(sheet.Title());
        writer.setCreator(QStringLiteral("Brellic"));
        QVERIFY(sheet.Paint(writer) > 4);
    }
    QVERIFY(RedatePdf(alone, time));
    QVERIFY(threaded == alone);
}

} // namespace brellic

QTEST_MAIN(brellic::InstallationSheetTest)
#include "InstallationSheetTest.moc"
