#include "SheetPages.h"

#include "SheetHeadings.h"
#include "SheetPageBreaks.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QPagedPaintDevice>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextFrame>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <limits>
#include <mutex>

namespace brellic {

namespace {

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
        const HeadingKind kind = HeadingOf(block);
        const bool heading = kind != HeadingKind::None;
        const bool newPage =
            block.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore;
        if (!heading && !newPage)
            continue;
        Part& previous = parts.back();
        previous.Alone = previous.Heading && document.findBlock(previous.Position).next() == block;
        parts.push_back(Part{block.position(), heading, newPage});
        parts.back().Signature = kind == HeadingKind::Signature;
    }
    parts.front().Heading = HeadingOf(document.begin()) != HeadingKind::None;
    return parts;
}

// The blocks of a document that are headings, in order.
std::vector<QTextBlock> HeadingBlocks(const QTextDocument& document) {
    std::vector<QTextBlock> headings;
    for (QTextFrame::iterator it = document.rootFrame()->begin(); !it.atEnd(); ++it) {
        if (HeadingOf(it.currentBlock()) != HeadingKind::None)
            headings.push_back(it.currentBlock());
    }
    return headings;
}

// The runs of one stretch of the sheet that starts a page (a site's sheet,
// an installation's first page or one supply's sheet). Moving a heading
// shifts only what follows it, so each run is laid out from its first part
// only, and only as far as it takes to find its end: about as far as the run
// before went, and while no heading has to move, as far again, the parts
// added below what is laid out already.
class Stretch {
public:
    Stretch(const QTextDocument& sheet, QPagedPaintDevice& device, const std::vector<Part>& parts,
            std::mutex& sheetLock)
        : sheet_(sheet), device_(device), parts_(parts), sheetLock_(sheetLock),
          pageHeight_(device.height()) {}

    // Lays out the parts from first to last, where the next stretch begins.
    std::vector<LaidOut> LayOut(std::size_t first, std::size_t last) {
        while (first < last)
            first = LayOutRun(first, last);
        return std::move(runs_);
    }

private:
    int PositionOf(std::size_t part) const {
        return part < parts_.size() ? parts_[part].Position : sheet_.characterCount() - 1;
    }

    // Lays out the run of parts from first and returns the part the next
    // run starts with.
    std::size_t LayOutRun(std::size_t first, std::size_t last) {
        std::size_t tried = first;
        std::unique_ptr<QTextDocument> document;
        for (int span = std::max(span_ + span_ / 4, 2000);; span *= 2) {
            std::size_t end = first + 1;
            while (end < last && PositionOf(end) - PositionOf(first) < span)
                ++end;
            end = std::max(end, std::min(last, tried + 1));
            const std::size_t previous = tried;
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
            // Nothing had to move as far as the last try went: what it laid
            // out stands, and the parts after it are added below.
            int added = 0;
            if (document == nullptr) {
                document = Copy(first, end);
            } else {
                added = document->characterCount();
                Append(*document, previous, end);
            }
            KeepRowsWhole(*document, pageHeight_, kBottomMarginMm * device_.logicalDpiY() / 25.4,
                          added);
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
    std::unique_ptr<QTextDocument> Copy(std::size_t first, std::size_t end) const {
        QTextDocumentFragment fragment;
        QTextBlockFormat format;
        QFont font;
        {
            // A cursor on the sheet is registered with it: one thread at a time.
            const std::lock_guard<std::mutex> lock(sheetLock_);
            QTextCursor selection(const_cast<QTextDocument*>(&sheet_));
            selection.setPosition(PositionOf(first));
            selection.setPosition(PositionOf(end) - (end < parts_.size() ? 1 : 0),
                                  QTextCursor::KeepAnchor);
            fragment = QTextDocumentFragment(selection);
            format = sheet_.findBlock(PositionOf(first)).blockFormat();
            font = sheet_.defaultFont();
            // A font of this thread's own, not shared with the sheet's.
            font.setPointSizeF(font.pointSizeF());
        }
        // The document is built with no page size: its layout waits until
        // the device, the margins and the page are set, and then lays it out
        // once.
        auto document = std::make_unique<QTextDocument>();
        // Rows moved and parts added are not edits to undo.
        document->setUndoRedoEnabled(false);
        document->setPageSize(QSizeF(0, 0));
        document->documentLayout()->setPaintDevice(&device_);
        document->setDefaultFont(font);
        QTextCursor(document.get()).insertFragment(fragment);
        // The copy's first block takes the format of the block it was pasted
        // into; it gets its own back. A run after the first starts as it
        // would in the sheet's one document: after a page break, which keeps
        // the margin above its first block. The page it leaves to an empty
        // block is not printed.
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

    // The parts from first to end, added to a document that holds the parts
    // before them, as they would stand had it been copied whole.
    void Append(QTextDocument& document, std::size_t first, std::size_t end) const {
        QTextDocumentFragment fragment;
        QTextBlockFormat format;
        QTextCharFormat charFormat;
        {
            const std::lock_guard<std::mutex> lock(sheetLock_);
            QTextCursor selection(const_cast<QTextDocument*>(&sheet_));
            selection.setPosition(PositionOf(first));
            selection.setPosition(PositionOf(end) - (end < parts_.size() ? 1 : 0),
                                  QTextCursor::KeepAnchor);
            fragment = QTextDocumentFragment(selection);
            const QTextBlock block = sheet_.findBlock(PositionOf(first));
            format = block.blockFormat();
            charFormat = block.charFormat();
        }
        QTextCursor cursor(&document);
        cursor.movePosition(QTextCursor::End);
        cursor.insertBlock(format, charFormat);
        cursor.insertFragment(fragment);
    }

    const QTextDocument& sheet_;
    QPagedPaintDevice& device_;
    const std::vector<Part>& parts_;
    std::mutex& sheetLock_;
    const qreal pageHeight_;
    // How far the last run went to its end, in characters.
    int span_ = 0;
    std::vector<LaidOut> runs_;
};

} // namespace

struct LayoutThreads::Gate {
    std::mutex Lock;
    std::condition_variable Changed;
    int Busy = 0;
    bool Released = false;
};

LayoutThreads::LayoutThreads() : gate_(std::make_unique<Gate>()) {}

LayoutThreads::~LayoutThreads() {
    {
        const std::lock_guard<std::mutex> lock(gate_->Lock);
        gate_->Released = true;
    }
    gate_->Changed.notify_all();
    for (QThread* thread : threads_) {
        thread->wait();
        delete thread;
    }
}

void LayoutThreads::Run(const std::function<void()>& work) {
    const int count = std::max(1, QThread::idealThreadCount()) - 1;
    gate_->Busy = count;
    for (int i = 0; i < count; ++i) {
        threads_.push_back(QThread::create([this, &work] {
            work();
            std::unique_lock<std::mutex> lock(gate_->Lock);
            --gate_->Busy;
            gate_->Changed.notify_all();
            gate_->Changed.wait(lock, [this] { return gate_->Released; });
        }));
        threads_.back()->start();
    }
    work();
    std::unique_lock<std::mutex> lock(gate_->Lock);
    gate_->Changed.wait(lock, [this] { return gate_->Busy == 0; });
}

std::vector<LaidOut> LayOutPages(const QTextDocument& sheet, QPagedPaintDevice& device,
                                 LayoutThreads* threads) {
    const std::vector<Part> parts = PartsOf(sheet);
    // The stretches, each from a part that starts a page to the next.
    std::vector<std::size_t> starts{0};
    for (std::size_t part = 1; part < parts.size(); ++part) {
        if (parts[part].NewPage)
            starts.push_back(part);
    }
    starts.push_back(parts.size());
    const std::size_t stretches = starts.size() - 1;
    std::vector<std::vector<LaidOut>> laidOut(stretches);
    std::mutex sheetLock;
    std::atomic<std::size_t> next{0};
    QThread* const home = QThread::currentThread();
    const auto work = [&] {
        for (std::size_t s = next++; s < stretches; s = next++) {
            Stretch stretch(sheet, device, parts, sheetLock);
            laidOut[s] = stretch.LayOut(starts[s], starts[s + 1]);
            // Painted where the sheet is.
            if (QThread::currentThread() != home) {
                for (LaidOut& run : laidOut[s])
                    run.Document->moveToThread(home);
            }
        }
    };
    if (threads != nullptr && stretches > 1) {
        threads->Run(work);
        // A document moved here takes its layout's timers along only once
        // this thread has had the calls that register them again.
        for (std::vector<LaidOut>& stretch : laidOut) {
            for (LaidOut& run : stretch) {
                QCoreApplication::sendPostedEvents(run.Document.get(), QEvent::MetaCall);
                QCoreApplication::sendPostedEvents(run.Document->documentLayout(),
                                                   QEvent::MetaCall);
            }
        }
    } else {
        work();
    }

    std::vector<LaidOut> runs;
    for (std::vector<LaidOut>& stretch : laidOut)
        std::move(stretch.begin(), stretch.end(), std::back_inserter(runs));
    return runs;
}

} // namespace brellic
