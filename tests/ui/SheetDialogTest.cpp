// "Calculation Sheet..." through the real window and dialog: the sheet shown,
// saved as PDF through the file dialog, handed to the print dialog.

#include "ui/SheetDialog.h"
#include "ui/QtPrompter.h"
#include "ui/MainWindow.h"

#include "../sheet/ExampleSheet.h"
#include "../sheet/PdfText.h"
#include "ModalHelper.h"
#include "editor/Settings.h"
#include "model/Globals.h"
#include "sheet/CalculationSheet.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

namespace brellic {

using testing::FindChild;
using testing::WhenModalShown;

namespace {

const QDate kDate(2025, 3, 14);
const QString kActualStandby = QStringLiteral("Actual standby = 16.465 Ah ÷ 0.270 A = 60.98 Hours");

SiteSheetTexts Figures() {
    return test::ExampleFigures();
}

class NoOpener final : public ReportOpener {
public:
    void Open(const std::string&, std::function<void()>) override {}
};

} // namespace

class SheetDialogTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup();
    void showsTheSheetAndCloses();
    void savePdfProposesTheSiteNameAndWritesTheSheet();
    void savePdfFailureIsShownAndWritesNothing();
    void printGoesThroughThePrintDialog();
    void windowOffersTheSheetWithAPanelAndABattery();
    void showsAnInstallationsSheetAndProposesTheInstallationsName();
    void proposedNames();
};

void SheetDialogTest::cleanup() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        QVERIFY2(!widget->isVisible(), qPrintable(widget->objectName() + " left open"));
}

void SheetDialogTest::showsTheSheetAndCloses() {
    TfrmSheet form(Figures(), kDate, QStringLiteral("Mill Lane.pdf"));
    form.show();
    QCOMPARE(form.windowTitle(), QStringLiteral("Calculation Sheet"));
    const QString text = FindChild<QTextBrowser>(&form, "edSheet")->toPlainText();
    QVERIFY(text.contains(kActualStandby));
    QVERIFY(text.contains(QStringLiteral("14 March 2025")));
    QVERIFY(text.contains(QStringLiteral("Checked by:")));
    QCOMPARE(FindChild<QPushButton>(&form, "btnPrint")->text(), QStringLiteral("Print..."));
    QCOMPARE(FindChild<QPushButton>(&form, "btnSavePdf")->text(), QStringLiteral("Save PDF..."));
    FindChild<QPushButton>(&form, "btnClose")->click();
    QVERIFY(!form.isVisible());
    QCOMPARE(form.result(), int(QDialog::Rejected));
}

void SheetDialogTest::savePdfProposesTheSiteNameAndWritesTheSheet() {
    QTemporaryDir dir;
    const QString proposed = dir.filePath(QStringLiteral("Mill Lane.pdf"));
    const QString chosen = dir.filePath(QStringLiteral("inspection"));
    TfrmSheet form(Figures(), kDate, proposed);
    form.show();
    auto shown = WhenModalShown<QFileDialog>([&](QFileDialog* dialog) {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Save Calculation Sheet"));
        QCOMPARE(dialog->selectedFiles().value(0), proposed);
        dialog->selectFile(chosen);
        static_cast<QDialog*>(dialog)->accept(); // QFileDialog::accept checks the name
    });
    FindChild<QPushButton>(&form, "btnSavePdf")->click();
    QVERIFY(shown->ran);
    // The default extension is added to a name typed without one.
    const QString written = chosen + QStringLiteral(".pdf");
    QFile pdf(written);
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QVERIFY(pdf.readAll().startsWith("%PDF-"));
    pdf.close();
    QCOMPARE(FindChild<QLabel>(&form, "lbStatus")->text(),
             QStringLiteral("Saved the PDF as \"%1\".").arg(QDir::toNativeSeparators(written)));
    if (!test::PdfToTextProgram().isEmpty()) {
        const QString text = test::PdfText(written);
        QVERIFY(text.contains(kActualStandby));
        QVERIFY(text.contains(QStringLiteral("Page 1 of 1")));
    }
    form.close();
}

void SheetDialogTest::savePdfFailureIsShownAndWritesNothing() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("no such folder/sheet.pdf"));
    TfrmSheet form(Figures(), kDate, QStringLiteral("sheet.pdf"));
    form.show();
    auto chosen = WhenModalShown<QFileDialog>([&](QFileDialog* dialog) {
        dialog->selectFile(path);
        static_cast<QDialog*>(dialog)->accept();
    });
    QString message;
    auto error = WhenModalShown<QMessageBox>([&](QMessageBox* box) {
        message = box->text();
        box->button(QMessageBox::Ok)->click();
    });
    FindChild<QPushButton>(&form, "btnSavePdf")->click();
    QVERIFY(chosen->ran);
    QVERIFY(error->ran);
    QCOMPARE(error->windowTitle, QStringLiteral("Error"));
    QVERIFY2(message.contains(QStringLiteral("sheet.pdf")), qPrintable(message));
    QVERIFY(!QFile::exists(path));
    QVERIFY(form.isVisible()); // the dialog stays for another try
    form.close();
}

void SheetDialogTest::printGoesThroughThePrintDialog() {
    TfrmSheet form(Figures(), kDate, QStringLiteral("sheet.pdf"));
    form.show();
#ifndef _WIN32
    // Windows shows its own native print dialog, which no widget test can answer.
    {
        // Cancelled: nothing is printed and the sheet stays.
        auto shown = WhenModalShown<QPrintDialog>([](QPrintDialog* dialog) {
            QCOMPARE(dialog->printer()->pageLayout().pageSize().id(), QPageSize::A4);
            QCOMPARE(dialog->printer()->docName(), QStringLiteral("Calculation Sheet - Mill Lane"));
            dialog->reject();
        });
        FindChild<QPushButton>(&form, "btnPrint")->click();
        QVERIFY(shown->ran);
        QVERIFY(form.isVisible());
    }
#endif
    // What Print paints on the printer the dialog returns: here a PDF printer.
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("printed.pdf")));
    printer.setFullPage(true);
    QCOMPARE(form.Sheet().Paint(printer), 1);
    QVERIFY(QFileInfo(dir.filePath(QStringLiteral("printed.pdf"))).size() > 0);
    if (!test::PdfToTextProgram().isEmpty())
        QVERIFY(
            test::PdfText(dir.filePath(QStringLiteral("printed.pdf"))).contains(kActualStandby));
    form.close();
}

void SheetDialogTest::windowOffersTheSheetWithAPanelAndABattery() {
    MemorySettingsStore store;
    QtPrompter prompter;
    NoOpener opener;
    TfrmMain window(store, prompter, opener, '.');
    prompter.SetParent(&window);
    window.show();
    auto* item = FindChild<QAction>(&window, "mnuCalcSheet");
    QVERIFY(item);
    QCOMPARE(item->text(), QStringLiteral("Calculation Sheet..."));
    QVERIFY(!item->isEnabled());

    auto choose = [&](const char* name, const QString& text) {
        auto* box = FindChild<QComboBox>(&window, name);
        box->setCurrentIndex(box->findText(text));
    };
    choose("cbGrade", QStringLiteral("Grade 3"));
    const std::string_view panel = PanelTable[10].Name;
    choose("cbPanelType", QString::fromLatin1(panel.data(), static_cast<int>(panel.size())));
    QVERIFY(!item->isEnabled());
    choose("cbBatteryType", QStringLiteral("17.0 Ah"));
    QVERIFY(item->isEnabled());

    const bool modified = window.Editor().Site().Modified;
    QString shownText;
    QString proposed;
    auto shown = WhenModalShown<TfrmSheet>([&](TfrmSheet* sheet) {
        shownText = FindChild<QTextBrowser>(sheet, "edSheet")->toPlainText();
        auto saving = WhenModalShown<QFileDialog>([&](QFileDialog* dialog) {
            proposed = dialog->selectedFiles().value(0);
            dialog->reject();
        });
        FindChild<QPushButton>(sheet, "btnSavePdf")->click();
        QVERIFY(saving->ran);
        FindChild<QPushButton>(sheet, "btnClose")->click();
    });
    item->trigger();
    QVERIFY(shown->ran);
    // The site as the window shows it: grade 3 under the default PD6662, 24 hours.
    QVERIFY2(shownText.contains(QStringLiteral("Required standby = PD6662, grade 3, AC fail not "
                                               "signalled = 24 Hours")),
             qPrintable(shownText));
    QVERIFY(shownText.contains(QString::fromStdString(window.Editor().Texts().lbActStandby)));
    QVERIFY(proposed.endsWith(QStringLiteral("Calculation Sheet.pdf"))); // an untitled site
    QCOMPARE(window.Editor().Site().Modified, modified); // the sheet changes nothing

    auto asked = WhenModalShown<QMessageBox>(
        [](QMessageBox* box) { box->button(QMessageBox::No)->click(); });
    window.close();
}

void SheetDialogTest::showsAnInstallationsSheetAndProposesTheInstallationsName() {
    InstallationSheetTexts installation;
    installation.Name = "Mill Lane";
    SheetSupply supply;
    supply.Name = "Main panel";
    supply.Sheet = Figures();
    installation.Supplies.push_back(supply);
    installation.System.Meeting = "0 of 1";
    QTemporaryDir dir;
    const QString proposed =
        ProposedPdfName(dir.filePath(QStringLiteral("mill.brellic")).toStdString());
    QCOMPARE(proposed, dir.filePath(QStringLiteral("mill.pdf")));
    TfrmSheet form(installation, kDate, proposed);
    form.show();
    QCOMPARE(form.windowTitle(), QStringLiteral("Calculation Sheet"));
    const QString text = FindChild<QTextBrowser>(&form, "edSheet")->toPlainText();
    QVERIFY(text.contains(QStringLiteral("Installation Calculation Sheet")));
    QVERIFY(text.contains(QStringLiteral("Supply 1 of 1: Main panel")));
    QVERIFY(text.contains(kActualStandby));
    QCOMPARE(text.count(QStringLiteral("Checked by:")), 1);

    auto shown = WhenModalShown<QFileDialog>([&](QFileDialog* dialog) {
        QCOMPARE(dialog->selectedFiles().value(0), proposed);
        dialog->reject();
    });
    FindChild<QPushButton>(&form, "btnSavePdf")->click();
    QVERIFY(shown->ran);
    form.close();
}

void SheetDialogTest::proposedNames() {
    QCOMPARE(ProposedPdfName(""), QStringLiteral("Calculation Sheet.pdf"));
    QCOMPARE(ProposedPdfName("/sites/Mill Lane.KVR"), QStringLiteral("/sites/Mill Lane.pdf"));
    QCOMPARE(ProposedPdfName("/sites/site.v2.KVR"), QStringLiteral("/sites/site.v2.pdf"));
}

} // namespace brellic

QTEST_MAIN(brellic::SheetDialogTest)
#include "SheetDialogTest.moc"
