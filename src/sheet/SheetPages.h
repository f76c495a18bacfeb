#pragma once

#include <QtGlobal>

#include <functional>
#include <memory>
#include <vector>

class QPagedPaintDevice;
class QTextDocument;
class QThread;

namespace brellic {

// The sheet's page: lengths in a document's formats (margins, borders,
// padding) are in pixels at 96 dpi; the layout scales them to the device it
// paints on.
inline constexpr qreal kLayoutDpi = 96.0;
inline constexpr qreal kMarginMm = 15.0;
inline constexpr qreal kTopMarginMm = 12.0;
inline constexpr qreal kBottomMarginMm = 18.0; // leaves room for the page footer

// Some of the sheet's parts laid out on pages from the top of a page, and
// how many of those pages are the sheet's.
struct LaidOut {
    std::unique_ptr<QTextDocument> Document;
    int FirstPage = 0; // after the one a page break at its start leaves empty
    int Pages = 0;
    // Below it the last page shows nothing: what follows is on the next.
    qreal End = 0;
};

// Threads that lay out an installation's supplies beside the calling thread,
// each supply's sheet starting a page of its own. The fonts a thread lays a
// document out with stay that thread's, and the document is painted with
// them, so the threads must outlive whatever holds those fonts: a PDF writer
// keeps the ones it embeds until it is destroyed. Make this before the
// device and let it go after.
class LayoutThreads {
public:
    LayoutThreads();
    ~LayoutThreads();
    LayoutThreads(const LayoutThreads&) = delete;
    LayoutThreads& operator=(const LayoutThreads&) = delete;

    // Runs work on each thread and on the caller, and returns when all have
    // finished it. Once only.
    void Run(const std::function<void()>& work);

private:
    std::vector<QThread*> threads_;
    struct Gate;
    std::unique_ptr<Gate> gate_;
};

// The sheet's pages: its parts laid out in runs that each start a page. A
// heading that would stand at the foot of a page without what follows it
// starts a new run, on the next page; a Recharge section and a cable run go
// over whole, together with the signature block when that comes right after
// them, so that the block is never split and never alone on a page. Given
// threads, the supplies of an installation are laid out on them.
std::vector<LaidOut> LayOutPages(const QTextDocument& sheet, QPagedPaintDevice& device,
                                 LayoutThreads* threads = nullptr);

} // namespace brellic
