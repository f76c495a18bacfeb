#include "SheetHeadings.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>

#include <cassert>

namespace brellic {

namespace {

// The block format's property that holds a heading's kind.
constexpr int kHeadingProperty = QTextFormat::UserProperty + 1;

bool HasMargins(const QTextBlockFormat& format, HeadingMargins margins) {
    return format.topMargin() == margins.Top && format.bottomMargin() == margins.Bottom;
}

} // namespace

void MarkHeadings(QTextDocument& document, const std::vector<HeadingKind>& kinds) {
    // Marking is not an edit a reader could undo.
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    std::size_t next = 0;
    for (QTextFrame::iterator it = document.rootFrame()->begin(); !it.atEnd(); ++it) {
        const QTextBlock block = it.currentBlock();
        if (!block.isValid())
            continue;
        const QTextBlockFormat format = block.blockFormat();
        if (!HasMargins(format, kHeadingMargins) && !HasMargins(format, kRunHeadingMargins))
            continue;
        assert(next < kinds.size());
        QTextBlockFormat marked;
        marked.setProperty(kHeadingProperty, static_cast<int>(kinds[next++]));
        QTextCursor(block).mergeBlockFormat(marked);
    }
    assert(next == kinds.size());
    document.setUndoRedoEnabled(undo);
}

HeadingKind HeadingOf(const QTextBlock& block) {
    if (!block.isValid())
        return HeadingKind::None;
    return static_cast<HeadingKind>(block.blockFormat().intProperty(kHeadingProperty));
}

} // namespace brellic
