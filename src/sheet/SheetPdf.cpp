#include "SheetPdf.h"

namespace brellic {

bool RedatePdf(QByteArray& pdf, const QDateTime& time) {
    const QByteArray key("/CreationDate (");
    const qsizetype at = pdf.indexOf(key);
    const qsizetype from = at + key.size();
    const qsizetype to = at < 0 ? -1 : pdf.indexOf(')', from);
    const qsizetype table = pdf.lastIndexOf("\nxref\n");
    const qsizetype start = pdf.lastIndexOf("\nstartxref\n");
    if (to < 0 || table < to || start < table)
        return false;
    const QByteArray stamp =
        "D:" + time.toUTC().toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1() + "Z";
    const qsizetype shift = stamp.size() - (to - from);
    pdf.replace(from, to - from, stamp);
    if (shift == 0)
        return true;

    // The table: "xref", "0 <count>", then an entry of 20 bytes for each
    // object, "<10-digit offset> <5-digit generation> n \n" ("f" for the
    // free first). Offsets past the date move with it, as does the table's.
    qsizetype line = table + shift + 6;
    const qsizetype countStart = pdf.indexOf(' ', line) + 1;
    const qsizetype countEnd = pdf.indexOf('\n', countStart);
    bool ok = countStart > 0 && countEnd > countStart;
    const int count = ok ? pdf.mid(countStart, countEnd - countStart).trimmed().toInt(&ok) : 0;
    line = countEnd + 1;
    if (!ok || line + qsizetype{20} * count > pdf.size())
        return false;
    for (int entry = 0; entry < count; ++entry, line += 20) {
        const qlonglong offset = pdf.mid(line, 10).toLongLong(&ok);
        if (!ok)
            return false;
        if (offset > at)
            pdf.replace(line, 10, QByteArray::number(offset + shift).rightJustified(10, '0'));
    }
    const qsizetype numberStart = start + shift + 11;
    const qsizetype numberEnd = pdf.indexOf('\n', numberStart);
    const qlonglong offset =
        pdf.mid(numberStart, numberEnd - numberStart).trimmed().toLongLong(&ok);
    if (numberEnd < 0 || !ok)
        return false;
    pdf.replace(numberStart, numberEnd - numberStart, QByteArray::number(offset + shift) + ' ');
    return true;
}

} // namespace brellic
