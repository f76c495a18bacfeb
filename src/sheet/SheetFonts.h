#pragma once

#include <QFont>
#include <QString>

namespace brellic {

// The body size: a site of 15 device lines fits on one A4 page.
inline constexpr qreal kSheetPointSize = 8.0;

// The sheet's own font (DejaVu Sans: regular, bold, oblique), built into the
// program: the pages must break in the same places on every machine, whatever
// fonts it has or lacks (a machine with none at all once got a PDF without a
// word in it). Registered once; empty when the font cannot be loaded.
QString SheetFamily();

// The sheet's font at a size, never merged with another family.
QFont SheetFont(qreal pointSize = kSheetPointSize);

} // namespace brellic
