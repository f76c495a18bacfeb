#include "CalculationSheet.h"

#include "calc/ResultTexts.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QHashSeed>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocumentFragment>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>
#include <utility>

namespace brellic {

namespace {

// The body size: a site of 15 device lines fits on one A4 page.
constexpr qreal kPointSize = 8.0;
// Lengths in a document's formats (margins, borders, padding) are in pixels
// at 96 dpi; the layout scales them to the device it paints on.
constexpr qreal kLayoutDpi = 96.0;
constexpr qreal kMarginMm = 15.0;
constexpr qreal kTopMarginMm = 12.0;
constexpr qreal kBottomMarginMm = 18.0; // leaves room for the page footer
constexpr int kPdfResolution = 600;

QString Html(const std::string& utf8) {
    return QString::fromStdString(utf8).toHtmlEscaped();
}

// A line of the working, or a figure in a line of text, as the sheet shows
// it: its minus signs, of operators and of negative numbers alike, the one
// minus sign, and no line broken between a number and its unit nor inside a
// list of device lines ("lines 1, 2, 3"). The narrow cells of the tables
// keep their breaks, and the site's own texts (names, descriptions) what was
// typed.
QString Figure(const std::string& utf8) {
    static const QRegularExpression negative(QStringLiteral("(^|[\\s(=])-(?=\\d)"));
    static const QRegularExpression unit(QStringLiteral("(?<=\\d) (?=[\\p{L}%\\x{00B0}])"));
    static const QRegularExpression lineList(QStringLiteral("(?<=\\bline|\\blines) (?=\\d)"));
    static const QRegularExpression listed(QStringLiteral("(?<=\\d), (?=\\d)"));
    const QString noBreak(QChar(0x00A0));
    QString text = Html(utf8);
    text.replace(negative, QStringLiteral("\\1") + QChar(0x2212));
    text.replace(unit, noBreak);
    text.replace(lineList, noBreak);
    text.replace(listed, QStringLiteral(",") + noBreak);
    return text;
}

QString ColourOf(Verdict verdict) {
    switch (verdict) {
    case Verdict::Meets:
        return QStringLiteral("#008000");
    case Verdict::Fails:
        return QStringLiteral("#ff0000");
    case Verdict::None:
        break;
    }
    return QStringLiteral("#000000");
}

QString Coloured(const QString& html, Verdict verdict) {
    return QStringLiteral("<span style=\"color:%1; font-weight:bold\">%2</span>")
        .arg(ColourOf(verdict), html);
}

QString VerdictWord(Verdict verdict) {
    return verdict == Verdict::Meets ? QStringLiteral("meets") : QStringLiteral("fails");
}

// The section headings, in the order the sheet shows them. Each is kept on
// the page of what follows it.
constexpr const char* kDevicesHeading = "Devices Powered from Control Panel";
constexpr const char* kSummaryHeading = "System Summary";
constexpr const char* kWorkingHeading = "Working";
constexpr const char* kBatteryHeading = "Battery That Fits";
constexpr const char* kSpareHeading = "Spare Capacity";
constexpr const char* kRechargeHeading = "Recharge";
constexpr const char* kCableRunsHeading = "Cable Runs";
constexpr const char* kCheckedHeading = "Checked";
// An installation's first page.
constexpr const char* kOverviewHeading = "Overview";
constexpr const char* kSystemHeading = "System Verdict";
constexpr const char* kHeadings[] = {
    kDevicesHeading,  kSummaryHeading,   kWorkingHeading, kBatteryHeading,  kSpareHeading,
    kRechargeHeading, kCableRunsHeading, kCheckedHeading, kOverviewHeading, kSystemHeading};
// Each run's own heading, "Run 1: Office corridor", under Cable Runs.
constexpr const char* kRunHeadingPattern = "^Run \\d+: ";

constexpr const char* kSheetTitle = "Power Supply Calculation Sheet";
constexpr const char* kInstallationTitle = "Installation Calculation Sheet";

QString Heading(const char* text) {
    return QStringLiteral("<p style=\"font-size:10pt; font-weight:bold; margin-top:8px; "
                          "margin-bottom:3px\">%1</p>\n")
        .arg(QLatin1String(text));
}

// Ruled tables: thin grey lines. Collapsed borders would look neater but take
// Qt three times as long to lay out and paint on a long device list.
QString RuledTable() {
    return QStringLiteral("<table width=\"100%\" border=\"1\" cellspacing=\"0\" cellpadding=\"1\" "
                          "style=\"border-color:#808080\">\n");
}

QString PlainTable() {
    return QStringLiteral("<table width=\"100%\" cellspacing=\"0\" cellpadding=\"1\">\n");
}

QString HeaderCell(const char* text, const char* align = "left") {
    return QStringLiteral("<th align=\"%1\" bgcolor=\"#e8e8e8\">%2</th>")
        .arg(QLatin1String(align), QLatin1String(text));
}

// A row of a ruled table: the named column left-aligned, the others centred,
// as the window's device list centres all but the description.
QString Row(std::initializer_list<QString> cells, int leftColumn, bool bold = false) {
    QString row = QStringLiteral("<tr>");
    int column = 0;
    for (const QString& cell : cells) {
        row += QStringLiteral("<td%1>%2</td>")
                   .arg(column++ != leftColumn ? QStringLiteral(" align=\"center\"") : QString(),
                        bold ? QStringLiteral("<b>%1</b>").arg(cell) : cell);
    }
    return row + QStringLiteral("</tr>\n");
}

QString DeviceRow(const SheetRow& row, bool bold = false) {
    return Row({Html(row.Qty), Html(row.Description), Html(row.Grade), Html(row.Quiescent),
                Html(row.Alarm)},
               1, bold);
}

// A line of the working with its formula in words beside it, smaller, so
// that each line keeps to one line of the page. A cable run's lines, longer,
// take more of the width.
QString WorkingRow(const QString& line, const QString& formula, int lineWidth = 66) {
    return QStringLiteral("<tr><td width=\"%3%\">%1</td><td width=\"%4%\" "
                          "style=\"color:#505050; font-size:7pt\"><i>%2</i></td></tr>\n")
        .arg(line, formula, QString::number(lineWidth), QString::number(100 - lineWidth));
}

QString FigureRow(const SheetFigure& figure, int lineWidth = 66) {
    QString formula = Figure(figure.Formula);
    if (!figure.Note.empty())
        formula += QStringLiteral("; ") + Figure(figure.Note);
    if (figure.Defined)
        return WorkingRow(Figure(figure.Line()), formula, lineWidth);
    const std::string start =
        figure.Label + " = " + (figure.Working.empty() ? "" : figure.Working + " = ");
    return WorkingRow(Figure(start) +
                          Coloured(QString::fromLatin1(kUndefinedFigure), Verdict::Fails),
                      formula, lineWidth);
}

QString CheckRow(const char* what, const SheetCheck& check, const QString& rule,
                 int lineWidth = 66) {
    const QString comparison =
        check.Comparison.empty() ? Figure(check.Actual) : Figure(check.Comparison);
    return WorkingRow(QStringLiteral("%1: %2: %3")
                          .arg(QLatin1String(what), comparison,
                               Coloured(VerdictWord(check.Result), check.Result)),
                      rule, lineWidth);
}

// The page up to its body, in the sheet's font.
QString HtmlStart(const QString& title) {
    return QStringLiteral(
               "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\">\n<title>%1</title>\n"
               "<style>body { font-family: 'DejaVu Sans', Arial, Helvetica, sans-serif; "
               "font-size: %2pt; "
               "}</style>\n</head><body>\n")
        .arg(title.toHtmlEscaped(), QString::number(kPointSize));
}

QString HtmlEnd() {
    return QStringLiteral("</body></html>\n");
}

// The title at the head of a sheet; one that starts a new page says so,
// for the paged layout and for a browser's printing alike.
QString SheetTitle(const char* text, bool newPage) {
    return QStringLiteral(
               "<p style=\"font-size:14pt; font-weight:bold; margin-bottom:4px%1\">%2</p>\n")
        .arg(newPage ? QStringLiteral("; page-break-before:always") : QString(),
             QLatin1String(text));
}

// A row of label and value pairs in a plain table.
QString Pair(const char* label, const QString& value) {
    return QStringLiteral("<td width=\"25%\"><b>%1</b></td><td width=\"25%\">%2</td>")
        .arg(QLatin1String(label), value);
}

QString Line(const QString& cells) {
    return QStringLiteral("<tr>%1</tr>\n").arg(cells);
}

// A site's sheet below its title: the site, its devices, both verdicts and
// the working, down to the recharge time.
QString SiteSections(const SheetFigures& f, const QString& date, const QString& underSummary = {}) {
    QString h;
    // The site.
    h += PlainTable();
    h += Line(Pair("Site reference:", Html(f.SiteRef)) + Pair("Date:", date.toHtmlEscaped()));
    h += Line(Pair("Standard:", Html(f.Standard)) + Pair("Grade:", Html(f.Grade)));
    h += Line(Pair("Control panel:", Html(f.PanelName)) + Pair("Battery:", Html(f.BatteryText)));
    h += Line(Pair("AC fail signalled to ARC:", Html(f.AcFailSignalled)) +
              Pair("Alarm period:", Html(f.AlarmPeriod)));
    h += QStringLiteral("</table>\n");

    // The devices; the header row repeats on every page the table runs onto.
    h += Heading(kDevicesHeading);
    h += RuledTable();
    h += QStringLiteral("<thead><tr>") + HeaderCell("Qty", "center") + HeaderCell("Description") +
         HeaderCell("Grade", "center") + HeaderCell("Quiescent", "center") +
         HeaderCell("Alarm", "center") + QStringLiteral("</tr></thead>\n<tbody>\n");
    for (const SheetRow& row : f.Devices)
        h += DeviceRow(row);
    h += DeviceRow(f.PanelLine);
    h += DeviceRow(f.Totals, true);
    h += QStringLiteral("</tbody></table>\n");

    // The two verdicts, as the window shows them.
    h += Heading(kSummaryHeading);
    h += RuledTable();
    h += QStringLiteral("<tr>") + HeaderCell("Requirement") + HeaderCell("Actual") +
         HeaderCell("Comments") + QStringLiteral("</tr>\n");
    for (const SheetCheck* check : {&f.StandbyCheck, &f.AlarmCheck}) {
        h += QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td></tr>\n")
                 .arg(Figure(check->Requirement), Coloured(Figure(check->Actual), check->Result),
                      Html(check->Comment));
    }
    h += QStringLiteral("</table>\n") + underSummary;

    h += Heading(kWorkingHeading);
    h += PlainTable();
    for (const SheetFigure* figure :
         {&f.RequiredStandby, &f.PeakCurrent, &f.RatedOutput, &f.QuiescentTotal, &f.AlarmTotal,
          &f.RemainingCapacity, &f.ActualStandby})
        h += FigureRow(*figure);
    h +=
        CheckRow("Standby time", f.StandbyCheck, QStringLiteral("actual against required standby"));
    h +=
        CheckRow("Alarm current", f.AlarmCheck, QStringLiteral("alarm total against peak current"));
    h += QStringLiteral("</table>\n");

    h += Heading(kBatteryHeading);
    h += PlainTable();
    h += FigureRow(f.CapacityNeeded);
    h += FigureRow(f.CapacityWithAllowance);
    h += QStringLiteral("</table>\n");
    if (!f.Batteries.empty()) {
        h += RuledTable();
        h += QStringLiteral("<tr>") + HeaderCell("Battery this panel takes") +
             HeaderCell("Actual standby", "center") + HeaderCell("Standby time", "center") +
             QStringLiteral("</tr>\n");
        for (const SheetBattery& battery : f.Batteries) {
            QString name = Html(battery.Text);
            if (battery.Chosen)
                name += QStringLiteral(" (chosen)");
            h += Row({name, Html(battery.ActualStandby),
                      Coloured(VerdictWord(battery.Standby), battery.Standby)},
                     0);
        }
        h += QStringLiteral("</table>\n");
    }
    h += QStringLiteral("<p style=\"margin-top:3px\"><b>%1</b></p>\n")
             .arg(Figure(f.BatteryConclusion));

    h += Heading(kSpareHeading);
    h += PlainTable();
    h += FigureRow(f.SpareQuiescent);
    h += FigureRow(f.SpareAlarm);
    h += QStringLiteral("</table>\n");

    h += Heading(kRechargeHeading);
    h += PlainTable();
    h += FigureRow(f.Recharge);
    h += CheckRow("Recharge time", f.RechargeCheck,
                  QStringLiteral("limit commonly applied (EN 50131-6)"));
    h += QStringLiteral("</table>\n");
    return h;
}

// Left empty for whoever checks the sheet; once, at its very end.
QString CheckedBlock() {
    return Heading(kCheckedHeading) + RuledTable() +
           QStringLiteral("<tr><td width=\"40%\" valign=\"top\" style=\"height:44px\">Checked "
                          "by:<br/><br/><br/></td><td width=\"20%\" valign=\"top\">Date:</td>"
                          "<td width=\"40%\" valign=\"top\">Signature:</td></tr>\n</table>\n");
}

QString BuildHtml(const SheetFigures& f, const QString& title, const QString& date) {
    return HtmlStart(title) + SheetTitle(kSheetTitle, false) + SiteSections(f, date) +
           CheckedBlock() + HtmlEnd();
}

QString OutcomeText(Outcome outcome) {
    const std::string_view word = OutcomeWord(outcome);
    return QString::fromLatin1(word.data(), static_cast<qsizetype>(word.size()));
}

// As the window colours a verdict: a figure that cannot be computed fails.
Verdict VerdictOf(Outcome outcome) {
    switch (outcome) {
    case Outcome::Meets:
        return Verdict::Meets;
    case Outcome::Fails:
    case Outcome::Undefined:
        return Verdict::Fails;
    case Outcome::NotJudged:
        break;
    }
    return Verdict::None;
}

QString OrNone(const std::string& text) {
    return text.empty() ? QStringLiteral("---") : Html(text);
}

QString Cell(const QString& html, const char* attributes = "") {
    return QStringLiteral("<td%1>%2</td>").arg(QLatin1String(attributes), html);
}

// How many of the supply's cable runs meet, coloured when it has any.
QString CableRunsCell(const SheetSupply& supply) {
    const Verdict verdict = VerdictOf(supply.CableRunsVerdict);
    const QString text = Html(supply.CableRuns);
    return Cell(verdict == Verdict::None ? text : Coloured(text, verdict), " align=\"center\"");
}

// A row of the overview: the supply, its figures, both verdicts and its cable runs'.
QString OverviewRow(const SheetSupply& supply) {
    QString row = QStringLiteral("<tr>") + Cell(Html(supply.Name)) + Cell(OrNone(supply.Panel)) +
                  Cell(OrNone(supply.Battery)) + Cell(Html(supply.Grade), " align=\"center\"");
    if (!supply.Judged())
        return row +
               Cell(QStringLiteral("not judged (no panel or battery chosen)"),
                    " colspan=\"6\" align=\"center\"") +
               CableRunsCell(supply) + QStringLiteral("</tr>\n");
    const Verdict standby = VerdictOf(supply.Standby);
    const Verdict alarm = VerdictOf(supply.AlarmVerdict);
    const char* centred = " align=\"center\"";
    row += Cell(Html(supply.RequiredStandby), centred) +
           Cell(Coloured(Html(supply.ActualStandby), standby), centred) +
           Cell(Coloured(OutcomeText(supply.Standby), standby), centred) +
           Cell(Coloured(Html(supply.AlarmCurrent), alarm), centred) +
           Cell(Html(supply.PeakCurrent), centred) +
           Cell(Coloured(OutcomeText(supply.AlarmVerdict), alarm), centred);
    return row + CableRunsCell(supply) + QStringLiteral("</tr>\n");
}

// The system's verdict. A styled span takes the body's size, not that of the
// paragraph it stands in, so a larger paragraph passes its size in style.
QString SystemVerdictWord(const SheetSystem& system, const QString& style = {}) {
    const Verdict verdict = system.Meets ? Verdict::Meets : Verdict::Fails;
    return QStringLiteral("<span style=\"color:%1; font-weight:bold%2\">%3</span>")
        .arg(ColourOf(verdict), style, VerdictWord(verdict));
}

// The first page: the installation, the overview of its supplies with the
// system's row, and the system's verdict and grade.
QString OverviewSections(const InstallationSheetFigures& f, const QString& date) {
    QString h = SheetTitle(kInstallationTitle, false);
    h += PlainTable();
    h += Line(Pair("Installation:", Html(f.Name)) + Pair("Date:", date.toHtmlEscaped()));
    h += Line(Pair("Address:", Html(f.Address)) +
              Pair("Supplies:", QString::number(f.Supplies.size())));
    h += Line(Pair("Standard:", Html(f.Standard)) + Pair("Alarm period:", Html(f.AlarmPeriod)));
    h += QStringLiteral("</table>\n");

    // Both header rows repeat on every page the table runs onto.
    h += Heading(kOverviewHeading);
    h += RuledTable();
    // Eleven columns across the page: each is given its share, as Qt would
    // otherwise break the words of the narrow ones in the middle.
    const auto spanned = [](const char* text, const char* span, int percent = 0) {
        return QStringLiteral("<th %1%2 align=\"center\" bgcolor=\"#e8e8e8\">%3</th>")
            .arg(QLatin1String(span),
                 percent > 0 ? QStringLiteral(" width=\"%1%\"").arg(percent) : QString(),
                 QLatin1String(text));
    };
    const auto sub = [&](const char* text, int percent) { return spanned(text, "", percent); };
    h += QStringLiteral("<thead><tr>") + spanned("Supply", "rowspan=\"2\"", 10) +
         spanned("Panel or PSU", "rowspan=\"2\"", 12) + spanned("Battery", "rowspan=\"2\"", 8) +
         spanned("Grade", "rowspan=\"2\"", 6) + spanned("Standby", "colspan=\"3\"") +
         spanned("Alarm current", "colspan=\"3\"") + spanned("Cable<br/>runs", "rowspan=\"2\"", 7) +
         QStringLiteral("</tr>\n<tr>") + sub("Required", 9) + sub("Actual", 12) +
         sub("Verdict", 7) + sub("Actual", 12) + sub("Peak available", 10) + sub("Verdict", 7) +
         QStringLiteral("</tr></thead>\n<tbody>\n");
    for (const SheetSupply& supply : f.Supplies)
        h += OverviewRow(supply);
    h += QStringLiteral("<tr>") + Cell(QStringLiteral("<b>System</b>")) +
         Cell(QStringLiteral("<b>%1 supplies meet</b>").arg(Html(f.System.Meeting)),
              " colspan=\"2\"") +
         Cell(QStringLiteral("<b>%1</b>").arg(Html(f.System.Grade)), " align=\"center\"") +
         Cell(SystemVerdictWord(f.System), " colspan=\"7\" align=\"center\"") +
         QStringLiteral("</tr>\n</tbody></table>\n");

    h += Heading(kSystemHeading);
    QString grade = QStringLiteral("System grade: ") + Html(f.System.Grade);
    if (f.System.GradesDiffer)
        grade += QStringLiteral(" (the lowest of its supplies' grades, which differ)");
    h += QStringLiteral("<p style=\"font-size:10pt; margin-top:3px\">System: %1 (%2 supplies "
                        "meet)<br/>%3</p>\n")
             .arg(SystemVerdictWord(f.System, QStringLiteral("; font-size:10pt")),
                  Html(f.System.Meeting), grade);
    return h;
}

QString RunHeading(std::size_t number, const std::string& name) {
    return QStringLiteral("<p style=\"font-size:9pt; font-weight:bold; margin-top:6px; "
                          "margin-bottom:2px\">Run %1: %2</p>\n")
        .arg(QString::number(number), Html(name));
}

// One run: its settings, the lines it feeds, and its working down to the
// verdict and the remedies. The settings and the lines have a header row
// each, so that a run's heading is kept with its settings.
QString RunBlock(std::size_t number, const SheetRun& run, const std::string& supplyVolts) {
    QString h = RunHeading(number, run.Name);
    h += RuledTable();
    const auto header = [](const char* text, int percent) {
        return QStringLiteral("<th width=\"%1%\" align=\"center\" bgcolor=\"#e8e8e8\">%2</th>")
            .arg(QString::number(percent), QLatin1String(text));
    };
    h += QStringLiteral("<thead><tr>") + header("Cable", 25) + header("Resistance per core", 14) +
         header("Cores on +12&nbsp;V", 12) + header("Cores on 0&nbsp;V", 12) + header("Length", 9) +
         header("Lowest output", 13) + header("Lowest operating", 15) +
         QStringLiteral("</tr></thead>\n<tbody>\n");
    h += Row({Html(run.Cable), Html(run.OhmsPerMetre), Html(run.CoresPositive),
              Html(run.CoresNegative), Html(run.Length), Html(supplyVolts), Html(run.MinVolts)},
             0);
    h += QStringLiteral("</tbody></table>\n");

    h += RuledTable();
    h += QStringLiteral("<thead><tr>") + HeaderCell("Line", "center") + HeaderCell("Description") +
         HeaderCell("Distance", "center") + HeaderCell("Quiescent", "center") +
         HeaderCell("Alarm", "center") + QStringLiteral("</tr></thead>\n<tbody>\n");
    for (const SheetRunLine& line : run.Lines)
        h += Row({Html(line.Line), Html(line.Description), Html(line.Distance),
                  Html(line.Quiescent), Html(line.Alarm)},
                 1);
    if (run.Lines.empty())
        h += QStringLiteral("<tr><td colspan=\"5\" align=\"center\">No device lines</td></tr>\n");
    h += QStringLiteral("</tbody></table>\n");

    constexpr int kRunWidth = 72;
    h += PlainTable();
    h += FigureRow(run.LoopResistance, kRunWidth);
    for (const auto& [current, drops, lowest] :
         {std::tie(run.QuiescentCurrent, run.QuiescentDrops, run.LowestQuiescent),
          std::tie(run.AlarmCurrent, run.AlarmDrops, run.LowestAlarm)}) {
        h += FigureRow(current, kRunWidth);
        for (const SheetFigure& drop : drops)
            h += FigureRow(drop, kRunWidth);
        h += FigureRow(lowest, kRunWidth);
    }
    h += CheckRow("Lowest voltages", run.Check, QStringLiteral("against the lowest operating"),
                  kRunWidth);
    for (const SheetFigure* figure : {&run.Longest, &run.Thinnest, &run.CoresToMeet})
        h += FigureRow(*figure, kRunWidth);
    h += QStringLiteral("</table>\n");
    return h;
}

// A supply's cable runs, after its battery working; nothing without runs.
QString CableRunsSection(const SheetSupply& supply) {
    if (supply.Runs.empty())
        return {};
    QString h = Heading(kCableRunsHeading);
    for (std::size_t i = 0; i < supply.Runs.size(); ++i)
        h += RunBlock(i + 1, supply.Runs[i], supply.LowestOutputVolts);
    return h;
}

// How many of a supply's runs meet, as their own verdicts say, in the colour
// of the supply's verdict on its runs: "Cable runs: 1 of 2 meet", or "Cable
// runs: none".
QString CableRunsLine(const SheetSupply& supply) {
    QString count = QStringLiteral("none");
    if (!supply.Runs.empty()) {
        const auto meeting =
            std::count_if(supply.Runs.begin(), supply.Runs.end(),
                          [](const SheetRun& run) { return run.State == Outcome::Meets; });
        count = Coloured(QStringLiteral("%1 of %2 meet").arg(meeting).arg(supply.Runs.size()),
                         VerdictOf(supply.CableRunsVerdict));
    }
    return QStringLiteral("<p style=\"margin-top:3px\">Cable runs: %1</p>\n").arg(count);
}

// The installation's sheet: the overview, then each supply's sheet from a
// new page, and the one signature block at the end.
QString BuildInstallationHtml(const InstallationSheetFigures& f, const QString& title,
                              const QString& date) {
    QString h = HtmlStart(title) + OverviewSections(f, date);
    const QString count = QString::number(f.Supplies.size());
    for (std::size_t i = 0; i < f.Supplies.size(); ++i) {
        const SheetSupply& supply = f.Supplies[i];
        h += SheetTitle(kSheetTitle, true);
        h += QStringLiteral("<p style=\"font-size:10pt; font-weight:bold; margin-bottom:4px\">"
                            "Supply %1 of %2: %3</p>\n")
                 .arg(QString::number(i + 1), count, Html(supply.Name));
        if (supply.Sheet)
            h += SiteSections(*supply.Sheet, date, CableRunsLine(supply));
        else
            h += QStringLiteral("<p>Standby and alarm current: not judged (no panel or battery "
                                "chosen)</p>\n") +
                 CableRunsLine(supply);
        h += CableRunsSection(supply);
    }
    return h + CheckedBlock() + HtmlEnd();
}

// The sheet's own font, built into the program: the pages must break in the
// same places on every machine, whatever fonts it has or lacks (a machine
// with none at all once got a PDF without a word in it). Registered once;
// empty when the font cannot be loaded.
QString SheetFamily() {
    static const QString family = [] {
        QString name;
        for (const char* face :
             {"DejaVuSans.ttf", "DejaVuSans-Bold.ttf", "DejaVuSans-Oblique.ttf"}) {
            const int id = QFontDatabase::addApplicationFont(QStringLiteral(":/brellic/fonts/") +
                                                             QLatin1String(face));
            const QStringList families = QFontDatabase::applicationFontFamilies(id);
            if (id < 0 || families.isEmpty())
                return QString();
            name = families.constFirst();
        }
        return name;
    }();
    return family;
}

QFont SheetFont(qreal pointSize = kPointSize) {
    QFont font(SheetFamily());
    font.setStyleHint(QFont::SansSerif, QFont::NoFontMerging);
    font.setPointSizeF(pointSize);
    return font;
}

bool IsRunHeading(const QTextBlock& block) {
    static const QRegularExpression pattern{QString::fromLatin1(kRunHeadingPattern)};
    return pattern.match(block.text()).hasMatch();
}

// A heading stands on its own; a cell of a table that holds the same text (a
// device or a supply named "Working") is not one.
bool IsHeading(const QTextDocument& document, const QTextBlock& block) {
    if (!block.isValid() || QTextCursor(block).currentFrame() != document.rootFrame())
        return false;
    const QString text = block.text();
    return std::any_of(std::begin(kHeadings), std::end(kHeadings),
                       [&](const char* heading) { return text == QLatin1String(heading); }) ||
           IsRunHeading(block);
}

// The document's blocks that are headings.
std::vector<QTextBlock> HeadingBlocks(const QTextDocument& document) {
    std::vector<QTextBlock> headings;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (IsHeading(document, block))
            headings.push_back(block);
    }
    return headings;
}

// The table that starts right after a block, or nullptr.
QTextTable* TableAfter(const QTextBlock& block) {
    return QTextCursor(block.next()).currentTable();
}

// The bottom, in document coordinates, of the first row of content of a
// table: below a repeated header row, the first row under it.
qreal FirstRowBottom(QAbstractTextDocumentLayout& layout, QTextTable& table) {
    const int row = std::min(table.format().headerRowCount(), table.rows() - 1);
    qreal bottom = 0;
    for (int column = 0; column < table.columns(); ++column) {
        const QTextTableCell cell = table.cellAt(row, column);
        for (QTextFrame::iterator it = cell.begin(); !it.atEnd(); ++it) {
            if (it.currentBlock().isValid())
                bottom = std::max(bottom, layout.blockBoundingRect(it.currentBlock()).bottom());
        }
    }
    return bottom;
}

int PageOf(qreal y, qreal pageHeight) {
    return static_cast<int>(std::floor(y / pageHeight));
}

// The bottom of a table as laid out now. Qt lays a document out lazily, a
// stretch at a time, and answers for a frame from what it has laid out so
// far: asking for the block after the table first lays it out to its end.
qreal TableBottom(QTextDocument& document, QTextTable& table) {
    QAbstractTextDocumentLayout& layout = *document.documentLayout();
    layout.blockBoundingRect(document.findBlock(table.lastPosition() + 1));
    return layout.frameBoundingRect(&table).bottom();
}

// The bottom of a section that goes over whole (Recharge, a cable run): of
// the tables right after its heading, and of the signature block when that
// follows, which goes over with it.
qreal WholeSectionBottom(QTextDocument& document, const QTextBlock& heading,
                         bool withSignature = true) {
    QAbstractTextDocumentLayout& layout = *document.documentLayout();
    QTextTable* table = TableAfter(heading);
    if (table == nullptr)
        return layout.blockBoundingRect(heading.next()).bottom();
    // A table is followed by an empty block of its own before the next
    // paragraph or table.
    for (QTextBlock after = document.findBlock(table->lastPosition() + 1); after.isValid();) {
        if (!after.text().isEmpty()) {
            if (withSignature && after.text() == QLatin1String(kCheckedHeading)) {
                if (QTextTable* signature = TableAfter(after))
                    table = signature;
            }
            break;
        }
        if (QTextTable* next = TableAfter(after)) {
            table = next;
            after = document.findBlock(table->lastPosition() + 1);
        } else {
            after = after.next();
        }
    }
    return TableBottom(document, *table);
}

// Where what a heading must be kept with ends: a section that goes over
// whole, the first row of content of a table, the paragraph after it, or,
// for a heading right above another (Cable Runs above its first run), what
// that one is kept with. A run longer than half a page, without the
// signature block that may follow it, is kept only with its settings, as it
// would leave most of a page empty otherwise.
qreal KeptEnd(QTextDocument& document, const QTextBlock& heading, qreal pageHeight) {
    QAbstractTextDocumentLayout& layout = *document.documentLayout();
    if (heading.text() == QLatin1String(kRechargeHeading))
        return WholeSectionBottom(document, heading);
    QTextTable* table = TableAfter(heading);
    if (IsRunHeading(heading)) {
        const qreal run = WholeSectionBottom(document, heading, false);
        if (table == nullptr || run - layout.blockBoundingRect(heading).top() <= pageHeight / 2)
            return WholeSectionBottom(document, heading);
    }
    if (table != nullptr)
        return FirstRowBottom(layout, *table);
    if (IsHeading(document, heading.next()))
        return KeptEnd(document, heading.next(), pageHeight);
    return layout.blockBoundingRect(heading.next()).bottom();
}

// A part of the sheet that is laid out whole: from a heading or a title up
// to the next, by its first position in the sheet's document.
struct Part {
    int Position = 0;
    bool Heading = false;   // starts with a heading to keep with what follows
    bool NewPage = false;   // starts with a title on a page of its own
    bool Alone = false;     // a heading right above the next (Cable Runs above a run)
    bool Signature = false; // the signature block
};

// The sheet cut before every heading and every title that starts a page.
std::vector<Part> PartsOf(const QTextDocument& document) {
    std::vector<Part> parts{Part{}};
    for (QTextFrame::iterator it = document.rootFrame()->begin(); !it.atEnd(); ++it) {
        const QTextBlock block = it.currentBlock();
        if (!block.isValid() || block.position() == 0)
            continue;
        const bool heading = IsHeading(document, block);
        const bool newPage =
            block.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore;
        if (!heading && !newPage)
            continue;
        Part& previous = parts.back();
        previous.Alone = previous.Heading && document.findBlock(previous.Position).next() == block;
        parts.push_back(Part{block.position(), heading, newPage});
        parts.back().Signature = block.text() == QLatin1String(kCheckedHeading);
    }
    parts.front().Heading = IsHeading(document, document.begin());
    return parts;
}

// Where the laid-out content ends: below the last table or the last line of
// text. The empty paragraph a document always ends with may fall onto a page
// of its own, which must not be printed.
qreal ContentBottom(QTextDocument& document) {
    QAbstractTextDocumentLayout& layout = *document.documentLayout();
    layout.documentSize(); // lays the whole document out
    qreal bottom = 0;
    const QList<QTextFrame*> frames = document.rootFrame()->childFrames();
    if (!frames.isEmpty())
        bottom = layout.frameBoundingRect(frames.constLast()).bottom();
    for (QTextBlock block = document.lastBlock(); block.isValid(); block = block.previous()) {
        if (block.text().isEmpty())
            continue;
        if (QTextCursor(block).currentFrame() == document.rootFrame())
            bottom = std::max(bottom, layout.blockBoundingRect(block).bottom());
        break;
    }
    return bottom;
}

// Sets the page break before the first cells of a row of a table (every
// cell's, when columns is left out): AlwaysBefore moves the row onto the
// next page, Auto takes that back. Qt moves a row only when none of its
// cells has a line left above the break, so each of its cells starts with
// the break.
void SetRowBreak(QTextDocument& document, QTextTable& table, int row,
                 QTextFormat::PageBreakFlags policy, int columns = -1) {
    const int count = columns < 0 ? table.columns() : std::min(columns, table.columns());
    for (int column = 0; column < count; ++column) {
        const QTextTableCell cell = table.cellAt(row, column);
        if (cell.row() != row || cell.column() != column)
            continue;
        QTextCursor start = cell.firstCursorPosition();
        QTextBlockFormat format = start.blockFormat();
        format.setPageBreakPolicy(policy);
        start.setBlockFormat(format);
    }
    // Qt lays out again only what it takes to have changed, and may leave a
    // paragraph after a table below it without lines.
    const int from = table.firstPosition();
    document.markContentsDirty(from, table.lastPosition() + 2 - from);
}

// Moves a row of a table onto the next page. Qt takes the break of each of
// its cells in turn, and a row whose cells wrap to different heights can
// land a page further on, leaving a page empty: then the first cell's break
// alone moves it, and failing that too the row is left to break.
void MoveRowToNextPage(QTextDocument& document, QTextTable& table, int row, qreal pageHeight) {
    QAbstractTextDocumentLayout& layout = *document.documentLayout();
    const auto page = [&] {
        const QTextBlock start = document.findBlock(table.cellAt(row, 0).firstPosition());
        return PageOf(layout.blockBoundingRect(start).top(), pageHeight);
    };
    const int before = page();
    SetRowBreak(document, table, row, QTextFormat::PageBreak_AlwaysBefore);
    if (page() <= before + 1)
        return;
    SetRowBreak(document, table, row, QTextFormat::PageBreak_Auto);
    SetRowBreak(document, table, row, QTextFormat::PageBreak_AlwaysBefore, 1);
    if (page() > before + 1)
        SetRowBreak(document, table, row, QTextFormat::PageBreak_Auto);
}

// Moves each row of a table that a page break would split, a line of the
// working with its formula on two lines, say, whole onto the next page. A
// row taller than a page is left to break.
void KeepRowsWhole(QTextDocument& document, qreal pageHeight, qreal bottomMargin) {
    QAbstractTextDocumentLayout& layout = *document.documentLayout();
    for (QTextFrame* frame : document.rootFrame()->childFrames()) {
        auto* table = qobject_cast<QTextTable*>(frame);
        if (table == nullptr)
            continue;
        for (int row = table->format().headerRowCount(); row < table->rows(); ++row) {
            bool split = false;
            for (int column = 0; column < table->columns() && !split; ++column) {
                // A cursor in the cell would lay its block out again.
                const QTextTableCell cell = table->cellAt(row, column);
                const QTextBlock start = document.findBlock(cell.firstPosition());
                const qreal top = layout.blockBoundingRect(start).top();
                const qreal bottom =
                    layout.blockBoundingRect(document.findBlock(cell.lastPosition())).bottom();
                // A line that reaches into the page's bottom margin is
                // moved onto the next page when it is painted.
                const qreal pageEnd = (PageOf(top, pageHeight) + 1) * pageHeight - bottomMargin;
                split = start.blockFormat().pageBreakPolicy() == QTextFormat::PageBreak_Auto &&
                        bottom - top < pageHeight - bottomMargin && bottom > pageEnd;
            }
            if (split)
                MoveRowToNextPage(document, *table, row, pageHeight);
        }
    }
}

// The last row of the table above a block, moved onto the next page: the
// signature block never stands alone on a page, so when it must go over it
// takes the last line of the working above it along. False when no table
// stands right above the block.
bool MoveRowAboveOver(QTextDocument& document, const QTextBlock& block, qreal pageHeight) {
    QTextTable* above = nullptr;
    for (QTextFrame* frame : document.rootFrame()->childFrames()) {
        auto* table = qobject_cast<QTextTable*>(frame);
        if (table != nullptr && table->lastPosition() < block.position())
            above = table;
    }
    if (above == nullptr || above->rows() <= above->format().headerRowCount())
        return false;
    // Only the empty paragraph that ends a table may stand between the two.
    for (QTextBlock between = document.findBlock(above->lastPosition() + 1);
         between.isValid() && between != block; between = between.next()) {
        if (!between.text().isEmpty())
            return false;
    }
    MoveRowToNextPage(document, *above, above->rows() - 1, pageHeight);
    return true;
}

// Some of the sheet's parts laid out on pages from the top of a page, and
// how many of those pages are the sheet's.
struct LaidOut {
    std::unique_ptr<QTextDocument> Document;
    int FirstPage = 0; // after the one a page break at its start leaves empty
    int Pages = 0;
    // Below it the last page shows nothing: what follows is on the next.
    qreal End = 0;
};

// The sheet's pages: its parts laid out in runs that each start a page. A
// heading that would stand at the foot of a page without what follows it
// starts a new run, on the next page; a Recharge section and a cable run go
// over whole, together with the signature block when that comes right after
// them, so that the block is never split and never alone on a page. Moving
// a heading shifts only what follows it, so each run is laid out from its
// first part only, and only as far as it takes to find its end: about as
// far as the run before went, twice as far while no heading has to move.
class Pages {
public:
    Pages(const QTextDocument& sheet, QPagedPaintDevice& device)
        : sheet_(sheet), device_(device), parts_(PartsOf(sheet)), pageHeight_(device.height()) {
        for (std::size_t first = 0; first < parts_.size();)
            first = LayOutRun(first);
    }

    const std::vector<LaidOut>& Runs() const { return runs_; }

private:
    int PositionOf(std::size_t part) const {
        return part < parts_.size() ? parts_[part].Position : sheet_.characterCount() - 1;
    }

    // Lays out the run of parts from first and returns the part the next
    // run starts with.
    std::size_t LayOutRun(std::size_t first) {
        // A title that starts a page ends the run before it.
        std::size_t last = first + 1;
        while (last < parts_.size() && !parts_[last].NewPage)
            ++last;
        std::size_t tried = first;
        for (int span = std::max(span_ + span_ / 4, 2000);; span *= 2) {
            std::size_t end = first + 1;
            while (end < last && PositionOf(end) - PositionOf(first) < span)
                ++end;
            end = std::max(end, std::min(last, tried + 1));
            tried = end;
            // What a heading is kept with reaches at most into the signature
            // block when that follows its own part, or the part after its
            // own for a heading alone (Cable Runs, its first run).
            const auto decided = [&](std::size_t part) {
                if (end == last)
                    return true;
                if (parts_[part].Alone && ++part >= end)
                    return false;
                return part + 1 < end || !parts_[part + 1].Signature;
            };
            std::unique_ptr<QTextDocument> document = LayOut(first, end);
            KeepRowsWhole(*document, pageHeight_, kBottomMarginMm * device_.logicalDpiY() / 25.4);
            std::vector<std::size_t> headings;
            for (std::size_t part = first; part < end; ++part) {
                if (parts_[part].Heading)
                    headings.push_back(part);
            }
            const std::vector<QTextBlock> blocks = HeadingBlocks(*document);
            QAbstractTextDocumentLayout& layout = *document->documentLayout();
            const QTextBlock start = first > 0 ? document->begin().next() : document->begin();
            const int firstPage = PageOf(layout.blockBoundingRect(start).top(), pageHeight_);
            for (std::size_t i = 0; i < blocks.size() && i < headings.size(); ++i) {
                // The run's first heading already stands at the top of a page.
                if (headings[i] == first)
                    continue;
                if (!decided(headings[i]))
                    break;
                const qreal kept = KeptEnd(*document, blocks[i], pageHeight_);
                const qreal top = layout.blockBoundingRect(blocks[i]).top();
                if (PageOf(top, pageHeight_) == PageOf(kept - 1, pageHeight_))
                    continue;
                if (parts_[headings[i]].Signature &&
                    MoveRowAboveOver(*document, blocks[i], pageHeight_))
                    continue;
                span_ = PositionOf(headings[i]) - PositionOf(first);
                runs_.push_back({std::move(document), firstPage,
                                 PageOf(top, pageHeight_) + 1 - firstPage, top});
                return headings[i];
            }
            if (end == last) {
                const qreal bottom = ContentBottom(*document);
                runs_.push_back({std::move(document), firstPage,
                                 std::max(1, PageOf(bottom - 1, pageHeight_) + 1 - firstPage),
                                 std::numeric_limits<qreal>::max()});
                return last;
            }
        }
    }

    // The parts from first to end, copied from the sheet into a document of
    // their own on the device's pages, the first at the top of the first
    // page.
    std::unique_ptr<QTextDocument> LayOut(std::size_t first, std::size_t end) const {
        QTextCursor selection(const_cast<QTextDocument*>(&sheet_));
        selection.setPosition(PositionOf(first));
        selection.setPosition(PositionOf(end) - (end < parts_.size() ? 1 : 0),
                              QTextCursor::KeepAnchor);
        // The document is built with no page size: its layout waits until
        // the device, the margins and the page are set, and then lays it out
        // once.
        auto document = std::make_unique<QTextDocument>();
        document->setPageSize(QSizeF(0, 0));
        document->documentLayout()->setPaintDevice(&device_);
        document->setDefaultFont(sheet_.defaultFont());
        QTextCursor(document.get()).insertFragment(QTextDocumentFragment(selection));
        // The copy's first block takes the format of the block it was pasted
        // into; it gets its own back. A run after the first starts as it
        // would in the sheet's one document: after a page break, which keeps
        // the margin above its first block. The page it leaves to an empty
        // block is not printed.
        QTextBlockFormat format = sheet_.findBlock(PositionOf(first)).blockFormat();
        QTextCursor start(document->begin());
        if (first > 0) {
            start.insertBlock();
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        }
        start.setBlockFormat(format);
        const qreal layoutMm = kLayoutDpi / 25.4;
        QTextFrameFormat frame = document->rootFrame()->frameFormat();
        frame.setLeftMargin(kMarginMm * layoutMm);
        frame.setRightMargin(kMarginMm * layoutMm);
        frame.setTopMargin(kTopMarginMm * layoutMm);
        frame.setBottomMargin(kBottomMarginMm * layoutMm);
        document->rootFrame()->setFrameFormat(frame);
        document->setPageSize(QSizeF(device_.width(), device_.height()));
        return document;
    }

    const QTextDocument& sheet_;
    QPagedPaintDevice& device_;
    const std::vector<Part> parts_;
    const qreal pageHeight_;
    // How far the last run went to its end, in characters.
    int span_ = 0;
    std::vector<LaidOut> runs_;
};
} // namespace

QString SheetDate(const QDate& date) {
    return QLocale(QLocale::English, QLocale::UnitedKingdom)
        .toString(date, QStringLiteral("d MMMM yyyy"));
}

CalculationSheet::CalculationSheet(const SheetFigures& figures, const QDate& date)
    : document_(std::make_unique<QTextDocument>()) {
    Name(figures.SiteRef, date);
    Build(BuildHtml(figures, title_, SheetDate(date)));
}

CalculationSheet::CalculationSheet(const InstallationSheetFigures& figures, const QDate& date)
    : document_(std::make_unique<QTextDocument>()) {
    Name(figures.Name, date);
    Build(BuildInstallationHtml(figures, title_, SheetDate(date)));
}

void CalculationSheet::Name(const std::string& name, const QDate& date) {
    title_ = QStringLiteral("Calculation Sheet");
    if (!name.empty())
        title_ += QStringLiteral(" - ") + QString::fromStdString(name);
    footer_ = QString::fromStdString(name);
    footer_ += (footer_.isEmpty() ? QString() : QStringLiteral("   ")) + SheetDate(date);
}

void CalculationSheet::Build(QString html) {
    html_ = std::move(html);
    document_->setDefaultFont(SheetFont());
    document_->setHtml(html_);
    document_->setMetaInformation(QTextDocument::DocumentTitle, title_);
}

CalculationSheet::~CalculationSheet() = default;

bool CalculationSheet::Usable() {
    return !SheetFamily().isEmpty();
}

int CalculationSheet::Paint(QPagedPaintDevice& device) const {
    if (!Usable())
        return 0;
    QPainter painter;
    if (!painter.begin(&device))
        return 0;
    const Pages pages(*document_, device);
    int count = 0;
    for (const LaidOut& run : pages.Runs())
        count += run.Pages;

    const QSizeF page(device.width(), device.height());
    const qreal deviceMm = device.logicalDpiY() / 25.4;
    const QFont footerFont = SheetFont(kPointSize - 1);
    const QFontMetricsF metrics(footerFont, &device);
    const QRectF footer(kMarginMm * deviceMm,
                        page.height() - kBottomMarginMm * deviceMm + 5 * deviceMm,
                        page.width() - 2 * kMarginMm * deviceMm, metrics.height());

    int number = 0;
    for (const LaidOut& run : pages.Runs()) {
        for (int index = 0; index < run.Pages; ++index) {
            if (number++ > 0)
                device.newPage();
            painter.save();
            const qreal top = (run.FirstPage + index) * page.height();
            QRectF view(0, top, page.width(), page.height());
            // Above the heading that goes onto the next page; what is clipped
            // would still be written into a PDF.
            if (index == run.Pages - 1)
                view.setBottom(std::min(view.bottom(), run.End - 1));
            painter.translate(0, -top);
            painter.setClipRect(view);
            QAbstractTextDocumentLayout::PaintContext context;
            context.clip = view;
            // Black text on paper, whatever the desktop's colour scheme.
            context.palette.setColor(QPalette::Text, Qt::black);
            run.Document->documentLayout()->draw(&painter, context);
            painter.restore();

            painter.setFont(footerFont);
            painter.setPen(Qt::black);
            painter.drawText(footer, Qt::AlignLeft | Qt::AlignVCenter, footer_);
            painter.drawText(footer, Qt::AlignRight | Qt::AlignVCenter,
                             QStringLiteral("Page %1 of %2").arg(number).arg(count));
        }
    }
    painter.end();
    return count;
}

QByteArray CalculationSheet::Pdf(const QDateTime& fixedTime) const {
    // The PDF writer keeps its fonts in a hash and writes them in its order,
    // which the process's random hash seed decides.
    if (fixedTime.isValid())
        QHashSeed::setDeterministicGlobalSeed();
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(kPdfResolution);
        writer.setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        writer.setTitle(title_);
        writer.setCreator(QStringLiteral("Brellic"));
        if (Paint(writer) == 0)
            return {};
    }
    if (fixedTime.isValid() && !RedatePdf(bytes, fixedTime))
        return {};
    return bytes;
}

bool RedatePdf(QByteArray& pdf, const QDateTime& time) {
    const QByteArray key("/CreationDate (");
    const qsizetype at = pdf.indexOf(key);
    const qsizetype from = at + key.size();
    const qsizetype to = at < 0 ? -1 : pdf.indexOf(')', from);
    const qsizetype table = pdf.lastIndexOf("\nxref\n");
    const qsizetype start = pdf.lastIndexOf("\nstartxref\n");
    if (to < 0 || table < to || start < table)
        return false;
    const QByteArray stamp =
        "D:" + time.toUTC().toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1() + "Z";
    const qsizetype shift = stamp.size() - (to - from);
    pdf.replace(from, to - from, stamp);
    if (shift == 0)
        return true;

    // The table: "xref", "0 <count>", then an entry of 20 bytes for each
    // object, "<10-digit offset> <5-digit generation> n \n" ("f" for the
    // free first). Offsets past the date move with it, as does the table's.
    qsizetype line = table + shift + 6;
    const qsizetype countStart = pdf.indexOf(' ', line) + 1;
    const qsizetype countEnd = pdf.indexOf('\n', countStart);
    bool ok = countStart > 0 && countEnd > countStart;
    const int count = ok ? pdf.mid(countStart, countEnd - countStart).trimmed().toInt(&ok) : 0;
    line = countEnd + 1;
    if (!ok || line + qsizetype{20} * count > pdf.size())
        return false;
    for (int entry = 0; entry < count; ++entry, line += 20) {
        const qlonglong offset = pdf.mid(line, 10).toLongLong(&ok);
        if (!ok)
            return false;
        if (offset > at)
            pdf.replace(line, 10, QByteArray::number(offset + shift).rightJustified(10, '0'));
    }
    const qsizetype numberStart = start + shift + 11;
    const qsizetype numberEnd = pdf.indexOf('\n', numberStart);
    const qlonglong offset =
        pdf.mid(numberStart, numberEnd - numberStart).trimmed().toLongLong(&ok);
    if (numberEnd < 0 || !ok)
        return false;
    pdf.replace(numberStart, numberEnd - numberStart, QByteArray::number(offset + shift) + ' ');
    return true;
}

} // namespace brellic
