#pragma once

#include "SheetHeadings.h"
#include "calc/SiteSheetTexts.h"

#include <QString>

#include <initializer_list>
#include <string>
#include <vector>

namespace brellic {

// A sheet's HTML as it is built, with the kind of each of its headings in
// the order they stand, for the pages to keep each with what follows it.
struct SheetMarkup {
    QString Html;
    std::vector<HeadingKind> Headings;

    SheetMarkup& operator+=(const QString& html) {
        Html += html;
        return *this;
    }
    // A section's heading ("Working"), of the given kind.
    void Heading(HeadingKind kind, const char* text);
    // A cable run's own heading under Cable Runs: "Run 1: Office corridor".
    void RunHeading(std::size_t number, const std::string& name);
};

// The pieces the sheet's HTML is made of.
namespace markup {

// A text of the site's as HTML, escaped.
QString Html(const std::string& utf8);
// A line of the working, or a figure in a line of text, as the sheet shows
// it: its minus signs, of operators and of negative numbers alike, the one
// minus sign, and no line broken between a number and its unit nor inside a
// list of device lines ("lines 1, 2, 3"). The narrow cells of the tables
// keep their breaks, and the site's own texts (names, descriptions) what was
// typed.
QString Figure(const std::string& utf8);
// Bold, in the verdict's colour.
QString Coloured(const QString& html, Outcome verdict);

// Ruled tables: thin grey lines. Collapsed borders would look neater but take
// Qt three times as long to lay out and paint on a long device list.
QString RuledTable();
QString PlainTable();
QString HeaderCell(const char* text, const char* align = "left");
// A row of a ruled table: the named column left-aligned, the others centred,
// as the window's device list centres all but the description.
QString Row(std::initializer_list<QString> cells, int leftColumn, bool bold = false);
QString DeviceRow(const SheetRow& row, bool bold = false);
// A line of the working with its formula in words beside it, smaller, so
// that each line keeps to one line of the page. A cable run's lines, longer,
// take more of the width.
QString WorkingRow(const QString& line, const QString& formula, int lineWidth = 66);
QString FigureRow(const SheetFigure& figure, int lineWidth = 66);
QString CheckRow(const char* what, const SheetCheck& check, const QString& rule,
                 int lineWidth = 66);

// The page up to its body, in the sheet's font, and its end.
QString HtmlStart(const QString& title);
QString HtmlEnd();
// The title at the head of a sheet; one that starts a new page says so,
// for the paged layout and for a browser's printing alike.
QString SheetTitle(const char* text, bool newPage);
// A label and its value, half a row of a plain table.
QString Pair(const char* label, const QString& value);
QString Line(const QString& cells);
// The text, or "---" when there is none.
QString OrNone(const std::string& text);
QString Cell(const QString& html, const char* attributes = "");

} // namespace markup
} // namespace brellic
