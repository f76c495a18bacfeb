#pragma once

#include <QtGlobal>

class QTextBlock;
class QTextDocument;

namespace brellic {

// Where the pages of a laid-out part of the sheet break, and what is moved
// onto the next page so that they break where a reader expects. Lengths are
// in the document's coordinates, on the device it is laid out for: the pages
// stand one below the other, each pageHeight tall.

// The page, from 0, that a height falls on.
int PageOf(qreal y, qreal pageHeight);

// Where what a heading must be kept with ends: a section that goes over
// whole, the first row of content of a table, the paragraph after it, or,
// for a heading right above another (Cable Runs above its first run), what
// that one is kept with. A run longer than half a page, without the
// signature block that may follow it, is kept only with its settings, as it
// would leave most of a page empty otherwise.
qreal KeptEnd(QTextDocument& document, const QTextBlock& heading, qreal pageHeight);

// Where the laid-out content ends: below the last table or the last line of
// text. The empty paragraph a document always ends with may fall onto a page
// of its own, which must not be printed.
qreal ContentBottom(QTextDocument& document);

// Moves each row of a table that a page break would split, a line of the
// working with its formula on two lines, say, whole onto the next page. A
// row taller than a page is left to break. Tables before from were kept
// whole already.
void KeepRowsWhole(QTextDocument& document, qreal pageHeight, qreal bottomMargin, int from = 0);

// The last row of the table above a block, moved onto the next page: the
// signature block never stands alone on a page, so when it must go over it
// takes the last line of the working above it along. False when no table
// stands right above the block.
bool MoveRowAboveOver(QTextDocument& document, const QTextBlock& block, qreal pageHeight);

} // namespace brellic
