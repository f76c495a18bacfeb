#pragma once

#include <QByteArray>
#include <QDateTime>

namespace brellic {

// Dates a PDF that Qt wrote at time, in UTC: its creation date, the one date
// Qt writes, and the cross-reference table's offsets beyond it, which move
// when the clock's date had a different length. False when the PDF is not
// laid out as Qt writes it; it may be half changed then.
bool RedatePdf(QByteArray& pdf, const QDateTime& time);

} // namespace brellic
