#pragma once

#include "editor/CableRunEditor.h"
#include "editor/InstallationEditor.h"
#include "editor/Prompter.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTreeWidget;

namespace brellic {

// Installation, Cable Runs... for the chosen supply: shows the dialog over
// the supply's runs and, on OK, gives the installation what was changed.
// True when the supply's runs or lowest output voltage changed. Nothing
// happens while no installation is open.
bool EditCableRuns(InstallationEditor& installation, QWidget* parent);

// The tooltip of the command while a site file is open on its own: cable
// runs are kept in installations only.
inline constexpr const char* kCableRunsNeedAnInstallation =
    "Cable runs are kept in an installation: save the site as an installation (File, Save As) "
    "to give it cable runs.";

// The Cable Runs dialog: the supply's lowest output voltage and a table of
// its runs with every figure, the verdicts coloured as the window's, and Add,
// Edit and Remove. A view over CableRunEditor, which holds every rule.
class TfrmCableRuns : public QDialog {
    Q_OBJECT

public:
    TfrmCableRuns(CableRunEditor& model, Prompter& prompter, QWidget* parent = nullptr);

    void accept() override;
    // Asks before changes are discarded.
    void reject() override;

protected:
    // Enter in the voltage field is OK, which takes the voltage first.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Refresh();
    void ShowSelection();
    // Takes the voltage field; false, with the user told why, when refused.
    bool TakeLowestVolts();
    void AddClick();
    void EditClick();
    void RemoveClick();
    std::optional<std::size_t> SelectedRun() const;

    CableRunEditor& model_;
    Prompter& prompter_;
    bool takingVolts_ = false;

    QLineEdit* edLowestVolts = nullptr;
    QTreeWidget* lvRuns = nullptr;
    QLabel* lbRemedies = nullptr;
    QPushButton* btnAddRun = nullptr;
    QPushButton* btnEditRun = nullptr;
    QPushButton* btnRemoveRun = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;
};

// The edit dialog of one run: its name, cable, cores, length, lowest
// operating voltage and the device lines it feeds, each with an optional
// distance. OK hands the entry to take, which answers why it cannot be
// taken, or nothing; the dialog stays open on a refusal, losing nothing.
class TfrmCableRun : public QDialog {
    Q_OBJECT

public:
    using Take = std::function<std::string(const RunEntry&)>;
    TfrmCableRun(const CableRunEditor& model, std::optional<std::size_t> editing, Take take,
                 Prompter& prompter, QWidget* parent = nullptr);

    RunEntry Entry() const;
    void accept() override;

private:
    void ShowCable();
    void FocusFault();

    const CableRunEditor& model_;
    Take take_;
    Prompter& prompter_;
    std::string customOhms_; // the custom figure, kept while a table cable is shown

    QLineEdit* edName = nullptr;
    QComboBox* cbCable = nullptr;
    QLineEdit* edOhms = nullptr;
    QSpinBox* seCoresPositive = nullptr;
    QSpinBox* seCoresNegative = nullptr;
    QLineEdit* edLength = nullptr;
    QLineEdit* edMinVolts = nullptr;
    QTreeWidget* lvLines = nullptr;
    std::vector<QLineEdit*> distances_;
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;
};

} // namespace brellic
