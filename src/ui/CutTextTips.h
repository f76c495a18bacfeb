#pragma once

class QAbstractItemView;

namespace brellic {

// Makes a list with fixed columns show the whole text of a cell that the
// column cuts off (ends in an ellipsis) as the cell's tooltip. Cells shown
// whole get no tooltip.
void ShowCutTextsAsToolTips(QAbstractItemView* view);

} // namespace brellic
