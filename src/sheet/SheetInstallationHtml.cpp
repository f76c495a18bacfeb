#include "SheetHtml.h"

#include "SheetMarkup.h"
#include "SheetVerdicts.h"

#include <algorithm>
#include <tuple>

namespace brellic {

using namespace markup;

namespace {

// An installation's first page, and the heading of a supply's cable runs.
constexpr const char* kOverviewHeading = "Overview";
constexpr const char* kSystemHeading = "System Verdict";
constexpr const char* kCableRunsHeading = "Cable Runs";
constexpr const char* kInstallationTitle = "Installation Calculation Sheet";

// How many of the supply's cable runs meet, coloured when it has any.
QString CableRunsCell(const SheetSupply& supply) {
    const QString text = Html(supply.CableRuns);
    return Cell(supply.Runs.empty() ? text : Coloured(text, supply.CableRunsVerdict),
                " align=\"center\"");
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
    const Outcome standby = supply.Standby;
    const Outcome alarm = supply.AlarmVerdict;
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
    return QStringLiteral("<span style=\"color:%1; font-weight:bold%2\">%3</span>")
        .arg(ColourOf(system.State), style, VerdictWord(system.State));
}

// The first page: the installation, the overview of its supplies with the
// system's row, and the system's verdict and grade.
void OverviewSections(SheetMarkup& h, const InstallationSheetTexts& f, const QString& date) {
    h += SheetTitle(kInstallationTitle, false);
    h += PlainTable();
    h += Line(Pair("Installation:", Html(f.Name)) + Pair("Date:", date.toHtmlEscaped()));
    h += Line(Pair("Address:", Html(f.Address)) +
              Pair("Supplies:", QString::number(f.Supplies.size())));
    h += Line(Pair("Standard:", Html(f.Standard)) + Pair("Alarm period:", Html(f.AlarmPeriod)));
    h += QStringLiteral("</table>\n");

    // Both header rows repeat on every page the table runs onto.
    h.Heading(HeadingKind::Section, kOverviewHeading);
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

    h.Heading(HeadingKind::Section, kSystemHeading);
    QString grade = QStringLiteral("System grade: ") + Html(f.System.Grade);
    if (f.System.GradesDiffer)
        grade += QStringLiteral(" (the lowest of its supplies' grades, which differ)");
    h += QStringLiteral("<p style=\"font-size:10pt; margin-top:3px\">System: %1 (%2 supplies "
                        "meet)<br/>%3</p>\n")
             .arg(SystemVerdictWord(f.System, QStringLiteral("; font-size:10pt")),
                  Html(f.System.Meeting), grade);
}

// One run: its settings, the lines it feeds, and its working down to the
// verdict and the remedies. The settings and the lines have a header row
// each, so that a run's heading is kept with its settings.
void RunBlock(SheetMarkup& h, std::size_t number, const SheetRun& run,
              const std::string& supplyVolts) {
    h.RunHeading(number, run.Name);
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
}

// A supply's cable runs, after its battery working; nothing without runs.
void CableRunsSection(SheetMarkup& h, const SheetSupply& supply) {
    if (supply.Runs.empty())
        return;
    h.Heading(HeadingKind::Section, kCableRunsHeading);
    for (std::size_t i = 0; i < supply.Runs.size(); ++i)
        RunBlock(h, i + 1, supply.Runs[i], supply.LowestOutputVolts);
}

// How many of a supply's runs meet, as their own verdicts say, in the colour
// of the supply's verdict on its runs: "Cable runs: 1 of 2 meet", or "Cable
// runs: none".
QString CableRunsLine(const SheetSupply& supply) {
    QString count = QStringLiteral("none");
    if (!supply.Runs.empty()) {
        count = Coloured(Html(supply.CableRunsMeeting) + QStringLiteral(" meet"),
                         supply.CableRunsVerdict);
    }
    return QStringLiteral("<p style=\"margin-top:3px\">Cable runs: %1</p>\n").arg(count);
}

// The installation's sheet: the overview, then each supply's sheet from a
// new page, and the one signature block at the end.
} // namespace

SheetMarkup InstallationHtml(const InstallationSheetTexts& f, const QString& title,
                             const QString& date) {
    SheetMarkup h;
    h += HtmlStart(title);
    OverviewSections(h, f, date);
    const QString count = QString::number(f.Supplies.size());
    for (std::size_t i = 0; i < f.Supplies.size(); ++i) {
        const SheetSupply& supply = f.Supplies[i];
        h += SheetTitle(kSheetTitle, true);
        h += QStringLiteral("<p style=\"font-size:10pt; font-weight:bold; margin-bottom:4px\">"
                            "Supply %1 of %2: %3</p>\n")
                 .arg(QString::number(i + 1), count, Html(supply.Name));
        if (supply.Sheet)
            SiteSections(h, *supply.Sheet, date, CableRunsLine(supply));
        else
            h += QStringLiteral("<p>Standby and alarm current: not judged (no panel or battery "
                                "chosen)</p>\n") +
                 CableRunsLine(supply);
        CableRunsSection(h, supply);
    }
    CheckedBlock(h);
    h += HtmlEnd();
    return h;
}

// The sheet's own font, built into the program: the pages must break in the
// same places on every machine, whatever fonts it has or lacks (a machine

} // namespace brellic
