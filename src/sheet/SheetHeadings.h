#pragma once

#include <vector>

class QTextBlock;
class QTextDocument;

namespace brellic {

// What the pages do with a heading: each is kept on the page of what
// follows it, some with more than the first line of it.
enum class HeadingKind {
    None,
    Section,      // kept with the first row or paragraph that follows
    WholeSection, // the section goes over whole (Recharge)
    Run,          // a cable run, kept whole when it is short
    Signature,    // the signature block, never split nor alone on a page
};

// The margins in pixels that set a heading's paragraph apart from every
// other paragraph of the sheet, and by which the marking finds it.
struct HeadingMargins {
    int Top;
    int Bottom;
};
inline constexpr HeadingMargins kHeadingMargins{8, 3};
inline constexpr HeadingMargins kRunHeadingMargins{6, 2};

// Marks the headings of a document made from a sheet's HTML with their
// kinds, in the order the HTML gave them: the paragraphs outside tables with
// a heading's margins. A cell of a table is never a heading, whatever it holds.
void MarkHeadings(QTextDocument& document, const std::vector<HeadingKind>& kinds);

// The kind of heading a block was marked as; None for any other block.
HeadingKind HeadingOf(const QTextBlock& block);

} // namespace brellic
