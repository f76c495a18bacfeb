#pragma once

// The text of a PDF as poppler's pdftotext extracts it, page layout kept, for
// tests that look for the figures in what a reader would see. The path of
// pdftotext is given by the build as BRELLIC_PDFTOTEXT; empty when it was not
// found or cannot be run from here (a Windows build), and then the tests that
// need it are skipped.

#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

namespace brellic::test {

inline QString PdfToTextProgram() {
    return QStringLiteral(BRELLIC_PDFTOTEXT);
}

inline QString RunPdfToText(const QString& option, const QString& pdfPath) {
    QProcess process;
    process.start(PdfToTextProgram(), {option, QStringLiteral("-enc"), QStringLiteral("UTF-8"),
                                       pdfPath, QStringLiteral("-")});
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Empty when pdftotext fails; its pages are separated by form feeds.
inline QString PdfText(const QString& pdfPath) {
    return RunPdfToText(QStringLiteral("-layout"), pdfPath);
}

// Where the first occurrence of a word stands on its page, in points from the
// top left corner; empty when it is not there.
inline QRectF PdfWordBox(const QString& pdfPath, const QString& word) {
    const QRegularExpression box(
        QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
                       "yMax=\"([\\d.]+)\">%1</word>")
            .arg(QRegularExpression::escape(word)));
    const QRegularExpressionMatch match = box.match(RunPdfToText(QStringLiteral("-bbox"), pdfPath));
    if (!match.hasMatch())
        return {};
    return QRectF(QPointF(match.captured(1).toDouble(), match.captured(2).toDouble()),
                  QPointF(match.captured(3).toDouble(), match.captured(4).toDouble()));
}

} // namespace brellic::test

// For Qt Test functions that read a PDF back.
#define BRELLIC_NEED_PDFTOTEXT()                                                                   \
    do {                                                                                           \
        if (brellic::test::PdfToTextProgram().isEmpty())                                           \
            QSKIP("pdftotext (poppler-utils) is not available to this test program");                                   \
    } while (false)
