#pragma once

// The text of a PDF as poppler's pdftotext extracts it, page layout kept, for
// tests that look for the figures in what a reader would see. The path of
// pdftotext is given by the build as BRELLIC_PDFTOTEXT; empty when it was not
// found, and then the tests that need it are skipped.

#include <QProcess>
#include <QString>
#include <QStringList>

namespace brellic::test {

inline QString PdfToTextProgram() {
    return QStringLiteral(BRELLIC_PDFTOTEXT);
}

// Empty when pdftotext fails; its pages are separated by form feeds.
inline QString PdfText(const QString& pdfPath) {
    QProcess process;
    process.start(PdfToTextProgram(), {QStringLiteral("-layout"), QStringLiteral("-enc"),
                                       QStringLiteral("UTF-8"), pdfPath, QStringLiteral("-")});
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace brellic::test

// For Qt Test functions that read a PDF back.
#define BRELLIC_NEED_PDFTOTEXT()                                                                   \
    do {                                                                                           \
        if (brellic::test::PdfToTextProgram().isEmpty())                                           \
            QSKIP("pdftotext (poppler-utils) is not installed");                                   \
    } while (false)
