#include "SheetMarkup.h"

#include "SheetFonts.h"
#include "SheetVerdicts.h"

#include <QRegularExpression>

namespace brellic {

void SheetMarkup::Heading(HeadingKind kind, const char* text) {
    Headings.push_back(kind);
    Html += QStringLiteral("<p style=\"font-size:10pt; font-weight:bold; margin-top:%2px; "
                           "margin-bottom:%3px\">%1</p>\n")
                .arg(QLatin1String(text), QString::number(kHeadingMargins.Top),
                     QString::number(kHeadingMargins.Bottom));
}

void SheetMarkup::RunHeading(std::size_t number, const std::string& name) {
    Headings.push_back(HeadingKind::Run);
    Html += QStringLiteral("<p style=\"font-size:9pt; font-weight:bold; margin-top:%3px; "
                           "margin-bottom:%4px\">Run %1: %2</p>\n")
                .arg(QString::number(number), markup::Html(name),
                     QString::number(kRunHeadingMargins.Top),
                     QString::number(kRunHeadingMargins.Bottom));
}

namespace markup {

QString Html(const std::string& utf8) {
    return QString::fromStdString(utf8).toHtmlEscaped();
}

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

QString Coloured(const QString& html, Outcome verdict) {
    return QStringLiteral("<span style=\"color:%1; font-weight:bold\">%2</span>")
        .arg(ColourOf(verdict), html);
}

QString RuledTable() {
    return QStringLiteral("<table width=\"100%\" border=\"1\" cellspacing=\"0\" cellpadding=\"1\" "
                          "style=\"border-color:#808080\">\n");
}

QString PlainTable() {
    return QStringLiteral("<table width=\"100%\" cellspacing=\"0\" cellpadding=\"1\">\n");
}

QString HeaderCell(const char* text, const char* align) {
    return QStringLiteral("<th align=\"%1\" bgcolor=\"#e8e8e8\">%2</th>")
        .arg(QLatin1String(align), QLatin1String(text));
}

QString Row(std::initializer_list<QString> cells, int leftColumn, bool bold) {
    QString row = QStringLiteral("<tr>");
    int column = 0;
    for (const QString& cell : cells) {
        row += QStringLiteral("<td%1>%2</td>")
                   .arg(column++ != leftColumn ? QStringLiteral(" align=\"center\"") : QString(),
                        bold ? QStringLiteral("<b>%1</b>").arg(cell) : cell);
    }
    return row + QStringLiteral("</tr>\n");
}

QString DeviceRow(const SheetRow& row, bool bold) {
    return Row({Html(row.Qty), Html(row.Description), Html(row.Grade), Html(row.Quiescent),
                Html(row.Alarm)},
               1, bold);
}

QString WorkingRow(const QString& line, const QString& formula, int lineWidth) {
    return QStringLiteral("<tr><td width=\"%3%\">%1</td><td width=\"%4%\" "
                          "style=\"color:#505050; font-size:7pt\"><i>%2</i></td></tr>\n")
        .arg(line, formula, QString::number(lineWidth), QString::number(100 - lineWidth));
}

QString FigureRow(const SheetFigure& figure, int lineWidth) {
    QString formula = Figure(figure.Formula);
    if (!figure.Note.empty())
        formula += QStringLiteral("; ") + Figure(figure.Note);
    if (figure.Defined)
        return WorkingRow(Figure(figure.Line()), formula, lineWidth);
    const std::string start =
        figure.Label + " = " + (figure.Working.empty() ? "" : figure.Working + " = ");
    return WorkingRow(Figure(start) +
                          Coloured(QString::fromLatin1(kUndefinedFigure), Outcome::Undefined),
                      formula, lineWidth);
}

QString CheckRow(const char* what, const SheetCheck& check, const QString& rule, int lineWidth) {
    const QString comparison =
        check.Comparison.empty() ? Figure(check.Actual) : Figure(check.Comparison);
    return WorkingRow(QStringLiteral("%1: %2: %3")
                          .arg(QLatin1String(what), comparison,
                               Coloured(VerdictWord(check.Result), check.Result)),
                      rule, lineWidth);
}

QString HtmlStart(const QString& title) {
    return QStringLiteral(
               "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\">\n<title>%1</title>\n"
               "<style>body { font-family: 'DejaVu Sans', Arial, Helvetica, sans-serif; "
               "font-size: %2pt; "
               "}</style>\n</head><body>\n")
        .arg(title.toHtmlEscaped(), QString::number(kSheetPointSize));
}

QString HtmlEnd() {
    return QStringLiteral("</body></html>\n");
}

QString SheetTitle(const char* text, bool newPage) {
    return QStringLiteral(
               "<p style=\"font-size:14pt; font-weight:bold; margin-bottom:4px%1\">%2</p>\n")
        .arg(newPage ? QStringLiteral("; page-break-before:always") : QString(),
             QLatin1String(text));
}

QString Pair(const char* label, const QString& value) {
    return QStringLiteral("<td width=\"25%\"><b>%1</b></td><td width=\"25%\">%2</td>")
        .arg(QLatin1String(label), value);
}

QString Line(const QString& cells) {
    return QStringLiteral("<tr>%1</tr>\n").arg(cells);
}

QString OrNone(const std::string& text) {
    return text.empty() ? QStringLiteral("---") : Html(text);
}

QString Cell(const QString& html, const char* attributes) {
    return QStringLiteral("<td%1>%2</td>").arg(QLatin1String(attributes), html);
}

} // namespace markup
} // namespace brellic
