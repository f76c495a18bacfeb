#include "ui/CutTextTips.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QToolTip>

namespace brellic {

namespace {

class CutTextTipDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override {
        if (event->type() != QEvent::ToolTip || !index.isValid() ||
            index.data(Qt::ToolTipRole).isValid())
            return QStyledItemDelegate::helpEvent(event, view, option, index);
        QStyleOptionViewItem item = option;
        initStyleOption(&item, index);
        if (IsCut(item, view))
            QToolTip::showText(event->globalPos(), item.text, view->viewport(),
                               view->visualRect(index));
        else
            QToolTip::hideText();
        return true;
    }

private:
    // The same room the style gives the text when it paints the cell: the
    // text rectangle less the margin on each side.
    static bool IsCut(const QStyleOptionViewItem& item, const QWidget* view) {
        const QStyle* style = view->style();
        const QRect room = style->subElementRect(QStyle::SE_ItemViewItemText, &item, view);
        const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
        return item.fontMetrics.horizontalAdvance(item.text) > room.width() - 2 * margin;
    }
};

} // namespace

void ShowCutTextsAsToolTips(QAbstractItemView* view) {
    view->setItemDelegate(new CutTextTipDelegate(view));
}

} // namespace brellic
