#include "QtPrompter.h"

#include "Details.h"
#include "Paths.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include <algorithm>

#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>
#endif

namespace brellic {

namespace {

// The Rename box: a text it refuses is shown its fault, and the box stays
// open with the text selected for another try.
class CheckedTextDialog final : public QInputDialog {
public:
    CheckedTextDialog(QWidget* parent, const Prompter::TextFault& fault)
        : QInputDialog(parent), fault_(fault) {}

    void done(int result) override {
        if (result == QDialog::Accepted && fault_) {
            if (const std::string why = fault_(textValue().toStdString()); !why.empty()) {
                QMessageBox box(QMessageBox::Critical, QStringLiteral("Error"),
                                QString::fromStdString(why), QMessageBox::Ok, this);
                box.setObjectName(QStringLiteral("errorBox"));
                box.exec();
                if (auto* edit = findChild<QLineEdit*>())
                    edit->selectAll();
                return;
            }
        }
        QInputDialog::done(result);
    }

private:
    const Prompter::TextFault& fault_;
};

bool Ask(QWidget* parent, QMessageBox::Icon icon, const char* caption, const std::string& text) {
    QMessageBox box(icon, QString::fromLatin1(caption), QString::fromStdString(text),
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setObjectName(QStringLiteral("questionBox"));
    return box.exec() == QMessageBox::Yes;
}

std::optional<std::string> Chosen(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return FullPath(dialog.selectedFiles().constFirst());
}

void SetUpSiteDialog(QFileDialog& dialog) {
    dialog.setNameFilter(QString::fromLatin1(kSiteFileFilter));
    dialog.setDefaultSuffix(QString::fromLatin1(kSiteFileExtension));
    dialog.setOption(QFileDialog::ReadOnly, false);
}

// Both file types, the site files' first; the default extension follows the
// filter chosen.
void SetUpBothTypesDialog(QFileDialog& dialog) {
    const QString site = QString::fromLatin1(kSiteFileFilter);
    const QString installation = QString::fromLatin1(kInstallationFileFilter);
    dialog.setNameFilters({site, installation});
    dialog.setDefaultSuffix(QString::fromLatin1(kSiteFileExtension));
    dialog.setOption(QFileDialog::ReadOnly, false);
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog, installation](const QString& filter) {
                         dialog.setDefaultSuffix(
                             QString::fromLatin1(filter == installation ? kInstallationFileExtension
                                                                        : kSiteFileExtension));
                     });
}

// File, Open: either type under one filter first, then each on its own.
void SetUpOpenAnyDialog(QFileDialog& dialog) {
    dialog.setNameFilters({QString::fromLatin1(kAnyFileFilter),
                           QString::fromLatin1(kSiteFileFilter),
                           QString::fromLatin1(kInstallationFileFilter)});
    dialog.setOption(QFileDialog::ReadOnly, false);
}

void SetUpInstallationDialog(QFileDialog& dialog) {
    dialog.setNameFilter(QString::fromLatin1(kInstallationFileFilter));
    dialog.setDefaultSuffix(QString::fromLatin1(kInstallationFileExtension));
    dialog.setOption(QFileDialog::ReadOnly, false);
}

std::optional<std::string> AskFile(QWidget* parent, const char* caption, const char* name,
                                   bool save, void (*setUp)(QFileDialog&)) {
    QFileDialog dialog(parent, QString::fromLatin1(caption));
    dialog.setObjectName(QString::fromLatin1(name));
    setUp(dialog);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // A save dialog asks before an existing file is replaced.
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    return Chosen(dialog);
}

} // namespace

bool QtPrompter::Confirm(const std::string& text) {
    return Ask(parent_, QMessageBox::Question, "Confirm", text);
}

Prompter::SaveAnswer QtPrompter::AskToSave(const std::string& text) {
    // With Cancel among the buttons, Esc and the title bar's close button
    // answer Cancel: the work stays open and nothing is written.
    QMessageBox box(QMessageBox::Question, QStringLiteral("Confirm"), QString::fromStdString(text),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent_);
    box.setObjectName(QStringLiteral("questionBox"));
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return SaveAnswer::Yes;
    case QMessageBox::No:
        return SaveAnswer::No;
    default:
        return SaveAnswer::Cancel;
    }
}

bool QtPrompter::ErrorQuestion(const std::string& text) {
    return Ask(parent_, QMessageBox::Critical, "Error", text);
}

void QtPrompter::ShowError(const std::string& text) {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Error"), QString::fromStdString(text),
                    QMessageBox::Ok, parent_);
    box.setObjectName(QStringLiteral("errorBox"));
    box.exec();
}

void QtPrompter::ShowInformation(const std::string& text) {
    QMessageBox box(QMessageBox::Information, QStringLiteral("Information"),
                    QString::fromStdString(text), QMessageBox::Ok, parent_);
    box.setObjectName(QStringLiteral("informationBox"));
    box.exec();
}

std::optional<std::string> QtPrompter::OpenFileName() {
    QFileDialog dialog(parent_, QStringLiteral("Open Site Data"));
    dialog.setObjectName(QStringLiteral("OpenDlg"));
    SetUpSiteDialog(dialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return Chosen(dialog);
}

std::optional<std::string> QtPrompter::SaveFileName() {
    QFileDialog dialog(parent_, QStringLiteral("Save Site Data"));
    dialog.setObjectName(QStringLiteral("SaveDlg"));
    SetUpSiteDialog(dialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The dialog asks before an existing file is replaced.
    return Chosen(dialog);
}

std::optional<std::string> QtPrompter::AskText(const std::string& caption, const std::string& label,
                                               const std::string& initial, const TextFault& fault) {
    CheckedTextDialog dialog(parent_, fault);
    dialog.setObjectName(QStringLiteral("textDialog"));
    dialog.setWindowTitle(QString::fromStdString(caption));
    dialog.setLabelText(QString::fromStdString(label));
    dialog.setTextValue(QString::fromStdString(initial));
    // Wide enough for its title beside the title bar's buttons, and for a
    // long name. The box sizes itself to its field.
    const QFontMetrics metrics(dialog.font());
    if (auto* edit = dialog.findChild<QLineEdit*>())
        edit->setMinimumWidth(std::max(metrics.horizontalAdvance(dialog.windowTitle()) + 140,
                                       metrics.averageCharWidth() * 40));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue().toStdString();
}

bool QtPrompter::EditDetails(std::string& name, std::string& address, std::int32_t& standard,
                             std::int32_t& alarmPeriod) {
    TfrmDetails form(parent_);
    return form.Execute(name, address, standard, alarmPeriod);
}

std::optional<std::string> QtPrompter::OpenInstallationName() {
    return AskFile(parent_, "Open Installation", "OpenDlg", false, SetUpInstallationDialog);
}

std::optional<std::string> QtPrompter::SaveInstallationName() {
    return AskFile(parent_, "Save Installation", "SaveDlg", true, SetUpInstallationDialog);
}

std::optional<std::string> QtPrompter::OpenSiteOrInstallationName() {
    return AskFile(parent_, "Open Site Data", "OpenDlg", false, SetUpOpenAnyDialog);
}

std::optional<std::string> QtPrompter::SaveSiteOrInstallationName() {
    return AskFile(parent_, "Save Site Data", "SaveDlg", true, SetUpBothTypesDialog);
}

void DesktopReportOpener::Open(const std::string& path, std::function<void()> notOpened) {
#ifdef _WIN32
    // The shell tells the user itself when it cannot start the editor.
    (void)path;
    (void)notOpened;
    ShellExecuteA(GetActiveWindow(), "open", "notepad", "Report.txt", nullptr, SW_SHOW);
#else
    const QString file = QFileInfo(QString::fromStdString(path)).absoluteFilePath();
    const QString launcher = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (launcher.isEmpty()) {
        if (!QDesktopServices::openUrl(QUrl::fromLocalFile(file)))
            notOpened();
        return;
    }
    // QDesktopServices would start xdg-open too, but detached, and so never
    // learn from its exit status that it found no program for the file. The
    // process is left running when the window closes: with no desktop of its
    // own, xdg-open waits for the editor it started.
    auto* process = new QProcess;
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->setStandardInputFile(QProcess::nullDevice());
    QObject::connect(process, &QProcess::finished, process,
                     [process, notOpened](int code, QProcess::ExitStatus status) {
                         if (status == QProcess::NormalExit && code != 0)
                             notOpened();
                         process->deleteLater();
                     });
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [process, notOpened](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart)
                             return;
                         notOpened();
                         process->deleteLater();
                     });
    process->start(launcher, {file});
#endif
}

} // namespace brellic
