#include "SheetDialog.h"

#include "Named.h"
#include "Paths.h"
#include "QtPrompter.h"
#include "io/AtomicFile.h"
#include "sheet/CalculationSheet.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>

#include <utility>

namespace brellic {

TfrmSheet::TfrmSheet(const SiteSheetTexts& figures, const QDate& date, const QString& pdfName,
                     QWidget* parent)
    : TfrmSheet(std::make_unique<CalculationSheet>(figures, date), pdfName, parent) {}

TfrmSheet::TfrmSheet(const InstallationSheetTexts& figures, const QDate& date,
                     const QString& pdfName, QWidget* parent)
    : TfrmSheet(std::make_unique<CalculationSheet>(figures, date), pdfName, parent) {}

TfrmSheet::TfrmSheet(std::unique_ptr<CalculationSheet> sheet, const QString& pdfName,
                     QWidget* parent)
    : QDialog(parent), sheet_(std::move(sheet)), pdfName_(pdfName) {
    setObjectName(QStringLiteral("frmSheet"));
    setWindowTitle(QStringLiteral("Calculation Sheet"));
    resize(760, 720);

    auto* layout = new QVBoxLayout(this);
    edSheet = Named<QTextBrowser>("edSheet", this);
    // The browser shows a copy: the sheet's own document keeps the page
    // layout for printing and PDF.
    edSheet->setDocument(sheet_->Document().clone(edSheet));
    edSheet->setOpenLinks(false);
    layout->addWidget(edSheet, 1);

    // The status line, left of the buttons: where the last PDF went.
    auto* bottom = new QHBoxLayout;
    lbStatus = Named<QLabel>("lbStatus", this);
    lbStatus->setTextInteractionFlags(Qt::TextSelectableByMouse);
    bottom->addWidget(lbStatus, 1);
    auto* buttons = new QDialogButtonBox(this);
    btnPrint = Named<QPushButton>("btnPrint", QStringLiteral("Print..."), this);
    btnSavePdf = Named<QPushButton>("btnSavePdf", QStringLiteral("Save PDF..."), this);
    btnClose = Named<QPushButton>("btnClose", QStringLiteral("Close"), this);
    buttons->addButton(btnPrint, QDialogButtonBox::ActionRole);
    buttons->addButton(btnSavePdf, QDialogButtonBox::ActionRole);
    buttons->addButton(btnClose, QDialogButtonBox::RejectRole);
    bottom->addWidget(buttons);
    layout->addLayout(bottom);

    connect(btnPrint, &QPushButton::clicked, this, &TfrmSheet::btnPrintClick);
    connect(btnSavePdf, &QPushButton::clicked, this, &TfrmSheet::btnSavePdfClick);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::reject);
}

TfrmSheet::~TfrmSheet() = default;

void TfrmSheet::btnPrintClick() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    // The sheet keeps its own margins on whatever paper is chosen.
    printer.setFullPage(true);
    printer.setDocName(sheet_->Title());
    QPrintDialog dialog(&printer, this);
    dialog.setObjectName(QStringLiteral("PrintDlg"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (sheet_->Paint(printer) == 0)
        QtPrompter(this).ShowError("Cannot print the calculation sheet: the printer could not "
                                   "be started.");
}

void TfrmSheet::btnSavePdfClick() {
    QFileDialog dialog(this, QStringLiteral("Save Calculation Sheet"));
    dialog.setObjectName(QStringLiteral("SavePdfDlg"));
    dialog.setNameFilter(QStringLiteral("PDF Files (*.pdf)"));
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.selectFile(pdfName_);
    // The dialog asks before an existing file is replaced.
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const std::string path = FullPath(dialog.selectedFiles().constFirst());
    const QByteArray pdf = sheet_->Pdf();
    const IoResult written =
        pdf.isEmpty()
            ? IoResult::Failure("Cannot write \"" + path + "\": the PDF could not be made.")
            : WriteFileAtomically(
                  path, std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())));
    if (!written) {
        lbStatus->clear();
        QtPrompter(this).ShowError(written.Message);
        return;
    }
    pdfName_ = QString::fromStdString(path);
    lbStatus->setText(
        QStringLiteral("Saved the PDF as \"%1\".").arg(QDir::toNativeSeparators(pdfName_)));
}

QString ProposedPdfName(const std::string& fileName) {
    if (fileName.empty())
        return QStringLiteral("Calculation Sheet.pdf");
    const QFileInfo file(QString::fromStdString(fileName));
    return file.dir().filePath(file.completeBaseName() + QStringLiteral(".pdf"));
}

} // namespace brellic
