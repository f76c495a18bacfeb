#pragma once

// A main window answering through real message boxes and file dialogs, for
// the window tests.

#include "ui/QtPrompter.h"
#include "ui/MainWindow.h"

#include "ModalHelper.h"
#include "model/Globals.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

#include <memory>
#include <string>
#include <vector>

namespace brellic::testing {

class RecordingOpener final : public ReportOpener {
public:
    std::vector<std::string> opened;
    void Open(const std::string& path, std::function<void()>) override { opened.push_back(path); }
};

inline QString PanelName(int row) {
    const std::string_view name = PanelTable[static_cast<std::size_t>(row)].Name;
    return QString::fromLatin1(name.data(), static_cast<int>(name.size()));
}

struct Window {
    QtPrompter prompter;
    RecordingOpener opener;
    TfrmMain form;

    explicit Window(SettingsStore& store) : form(store, prompter, opener, '.') {
        prompter.SetParent(&form);
        form.show();
    }
    template <typename T> T* Get(const char* name) { return FindChild<T>(&form, name); }
    QString Text(const char* label) { return Get<QLabel>(label)->text(); }
    void Choose(const char* combo, const QString& text) {
        auto* box = Get<QComboBox>(combo);
        box->setCurrentIndex(box->findText(text));
    }
    void Ready(int grade, int panel, const QString& battery) {
        Choose("cbGrade", QStringLiteral("Grade %1").arg(grade));
        Choose("cbPanelType", PanelName(panel));
        Choose("cbBatteryType", battery);
    }
    void Run(const char* action) { Get<QAction>(action)->trigger(); }
};

// Arms an answer for the next message box; returns the guard.
inline std::shared_ptr<ModalHandled> Answer(QMessageBox::StandardButton button,
                                            QString* text = nullptr,
                                            QMessageBox::Icon* icon = nullptr) {
    return WhenModalShown<QMessageBox>([=](QMessageBox* box) {
        if (text)
            *text = box->text();
        if (icon)
            *icon = box->icon();
        box->button(button)->click();
    });
}

} // namespace brellic::testing
