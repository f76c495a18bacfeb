#pragma once

#include "editor/Prompter.h"

#include <QPointer>

class QWidget;

namespace brellic {

// Answers the site editor's questions with message boxes and file dialogs
// parented to the main window.
class QtPrompter final : public Prompter {
public:
    explicit QtPrompter(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }

    bool Confirm(const std::string& text) override;
    SaveAnswer AskToSave(const std::string& text) override;
    bool ErrorQuestion(const std::string& text) override;
    void ShowError(const std::string& text) override;
    void ShowInformation(const std::string& text) override;
    std::optional<std::string> OpenFileName() override;
    std::optional<std::string> SaveFileName() override;
    std::optional<std::string> AskText(const std::string& caption, const std::string& label,
                                       const std::string& initial, const TextFault& fault) override;
    bool EditDetails(std::string& name, std::string& address, std::int32_t& standard,
                     std::int32_t& alarmPeriod) override;
    std::optional<std::string> OpenInstallationName() override;
    std::optional<std::string> SaveInstallationName() override;
    std::optional<std::string> OpenSiteOrInstallationName() override;
    std::optional<std::string> SaveSiteOrInstallationName() override;

private:
    // Guarded: a failure to open the report may be reported from the event
    // loop after the window that asked has gone.
    QPointer<QWidget> parent_;
};

// Opens the report in the desktop's text editor without waiting for it.
class DesktopReportOpener final : public ReportOpener {
public:
    void Open(const std::string& path, std::function<void()> notOpened) override;
};

// The site file dialogs' filter and extension.
inline constexpr const char* kSiteFileFilter = "Quorvex Site Data (*.KVR)";
inline constexpr const char* kSiteFileExtension = "KVR";
// File, Open's first filter: both file types.
inline constexpr const char* kAnyFileFilter = "Brellic files (*.KVR *.brellic)";
// The installation file dialogs' filter and extension.
inline constexpr const char* kInstallationFileFilter = "Brellic Installation (*.brellic)";
inline constexpr const char* kInstallationFileExtension = "brellic";

} // namespace brellic
