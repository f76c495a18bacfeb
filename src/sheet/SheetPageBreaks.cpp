#include "SheetPageBreaks.h"

#include "SheetHeadings.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

#include <algorithm>
#include <cmath>

namespace brellic {

int PageOf(qreal y, qreal pageHeight) {
    return static_cast<int>(std::floor(y / pageHeight));
}

namespace {

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
            if (withSignature && HeadingOf(after) == HeadingKind::Signature) {
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

// Some of the sheet's parts laid out on pages from the top of a page, and

} // namespace

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

qreal KeptEnd(QTextDocument& document, const QTextBlock& heading, qreal pageHeight) {
    QAbstractTextDocumentLayout& layout = *document.documentLayout();
    const HeadingKind kind = HeadingOf(heading);
    if (kind == HeadingKind::WholeSection)
        return WholeSectionBottom(document, heading);
    QTextTable* table = TableAfter(heading);
    if (kind == HeadingKind::Run) {
        const qreal run = WholeSectionBottom(document, heading, false);
        if (table == nullptr || run - layout.blockBoundingRect(heading).top() <= pageHeight / 2)
            return WholeSectionBottom(document, heading);
    }
    if (table != nullptr)
        return FirstRowBottom(layout, *table);
    if (HeadingOf(heading.next()) != HeadingKind::None)
        return KeptEnd(document, heading.next(), pageHeight);
    return layout.blockBoundingRect(heading.next()).bottom();
}

void KeepRowsWhole(QTextDocument& document, qreal pageHeight, qreal bottomMargin, int from) {
    QAbstractTextDocumentLayout& layout = *document.documentLayout();
    // A cursor in a cell would lay its block out again.
    const auto top = [&](const QTextTableCell& cell) {
        return layout.blockBoundingRect(document.findBlock(cell.firstPosition())).top();
    };
    // A line that reaches into the page's bottom margin is moved onto the
    // next page when it is painted.
    const auto pageEnd = [&](qreal y) {
        return (PageOf(y, pageHeight) + 1) * pageHeight - bottomMargin;
    };
    for (QTextFrame* frame : document.rootFrame()->childFrames()) {
        auto* table = qobject_cast<QTextTable*>(frame);
        if (table == nullptr || table->firstPosition() < from)
            continue;
        for (int row = table->format().headerRowCount(); row < table->rows(); ++row) {
            // A row that ends on its page above the margin, as the next
            // row's start shows, is whole: most rows are, and each of its
            // cells need not be asked.
            const QTextTableCell first = table->cellAt(row, 0);
            const QTextTableCell next = table->cellAt(row + 1, 0);
            if (first.row() == row && next.isValid() && next.row() == row + 1) {
                const qreal rowTop = top(first);
                const qreal nextTop = top(next);
                if (PageOf(nextTop, pageHeight) == PageOf(rowTop, pageHeight) &&
                    nextTop <= pageEnd(rowTop))
                    continue;
            }
            bool split = false;
            for (int column = 0; column < table->columns() && !split; ++column) {
                const QTextTableCell cell = table->cellAt(row, column);
                const QTextBlock start = document.findBlock(cell.firstPosition());
                const qreal cellTop = layout.blockBoundingRect(start).top();
                const qreal bottom =
                    layout.blockBoundingRect(document.findBlock(cell.lastPosition())).bottom();
                split = start.blockFormat().pageBreakPolicy() == QTextFormat::PageBreak_Auto &&
                        bottom - cellTop < pageHeight - bottomMargin && bottom > pageEnd(cellTop);
            }
            if (split)
                MoveRowToNextPage(document, *table, row, pageHeight);
        }
    }
}

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

} // namespace brellic
