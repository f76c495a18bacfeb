#pragma once

#include "calc/InstallationSheetTexts.h"
#include "calc/SiteSheetTexts.h"

#include <QDate>
#include <QDialog>

#include <memory>
#include <string>

class QLabel;
class QPushButton;
class QTextBrowser;

namespace brellic {

class CalculationSheet;

// "Calculation Sheet...": shows the sheet, prints it through the system's
// print dialog and saves it as an A4 PDF.
class TfrmSheet : public QDialog {
    Q_OBJECT

public:
    // pdfName is the file Save PDF... proposes.
    TfrmSheet(const SiteSheetTexts& figures, const QDate& date, const QString& pdfName,
              QWidget* parent = nullptr);
    // An installation's sheet: the overview, then every supply's sheet.
    TfrmSheet(const InstallationSheetTexts& figures, const QDate& date, const QString& pdfName,
              QWidget* parent = nullptr);
    ~TfrmSheet() override;

    const CalculationSheet& Sheet() const { return *sheet_; }

private:
    TfrmSheet(std::unique_ptr<CalculationSheet> sheet, const QString& pdfName, QWidget* parent);
    void btnPrintClick();
    void btnSavePdfClick();

    std::unique_ptr<CalculationSheet> sheet_;
    QString pdfName_;
    QTextBrowser* edSheet = nullptr;
    QLabel* lbStatus = nullptr;
    QPushButton* btnPrint = nullptr;
    QPushButton* btnSavePdf = nullptr;
    QPushButton* btnClose = nullptr;
};

// The PDF name proposed for a site or an installation: its file's name with
// ".pdf" in place of its extension, or "Calculation Sheet.pdf" while it is
// untitled.
QString ProposedPdfName(const std::string& fileName);

} // namespace brellic
