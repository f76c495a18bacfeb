#pragma once

#include "SheetPdf.h"
#include "calc/InstallationSheetTexts.h"
#include "calc/SiteSheetTexts.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>

#include <memory>
#include <string>

class QPagedPaintDevice;
class QTextDocument;

namespace brellic {

class LayoutThreads;
struct SheetMarkup;

// The calculation sheet: one rich-text document built once from the sheet's
// figures. The window shows, prints and saves it; brellic-cli writes it as
// PDF or HTML. Needs a QGuiApplication for its fonts.
class CalculationSheet {
public:
    // A site's sheet.
    CalculationSheet(const SiteSheetTexts& figures, const QDate& date);
    // An installation's: a first page with the overview of its supplies and
    // the system's verdict, then each supply's sheet from a new page, the
    // pages numbered through, and one signature block at the end.
    CalculationSheet(const InstallationSheetTexts& figures, const QDate& date);
    ~CalculationSheet();
    CalculationSheet(const CalculationSheet&) = delete;
    CalculationSheet& operator=(const CalculationSheet&) = delete;

    // A complete HTML page (UTF-8 once encoded), the source of the document.
    const QString& Html() const { return html_; }
    const QTextDocument& Document() const { return *document_; }
    // "Calculation Sheet - <site reference>" (or the installation's name),
    // for the PDF's title and the print job.
    const QString& Title() const { return title_; }

    // False when the sheet's own font cannot be loaded: nothing is painted
    // then, since a sheet in whatever font the machine has would break its
    // pages elsewhere, and on a machine without fonts would have no text.
    static bool Usable();

    // Lays the sheet out on the device's pages, the site (or installation)
    // and "Page n of m" under each, and paints them. A heading is never left at the foot of a
    // page, nor the signature block split or alone on one. Returns the number
    // of pages, 0 when the device cannot be painted on.
    int Paint(QPagedPaintDevice& device) const;
    // The sheet as an A4 portrait PDF; empty when it cannot be made. Given a
    // time, the PDF is dated then instead of now and its fonts are written
    // in a fixed order, so that the same sheet gives the same bytes.
    QByteArray Pdf(const QDateTime& fixedTime = QDateTime()) const;

private:
    // The title and the footer of a sheet of the named site or installation.
    void Name(const std::string& name, const QDate& date);
    void Build(SheetMarkup markup);
    int Paint(QPagedPaintDevice& device, LayoutThreads* threads) const;

    QString html_;
    QString title_;
    QString footer_;
    std::unique_ptr<QTextDocument> document_;
};

// "14 March 2025": the date as the sheet shows it, the same in every locale.
QString SheetDate(const QDate& date);

} // namespace brellic
