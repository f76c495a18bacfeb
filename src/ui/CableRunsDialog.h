#pragma once

#include "editor/CableRunEditor.h"
#include "editor/InstallationEditor.h"
#include "editor/Prompter.h"

#include <QDialog>

#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace brellic {

// Installation, Cable Runs... for the chosen supply: shows the dialog over
// the supply's runs and, on OK, gives the installation what was changed.
// True when the supply's runs or lowest output voltage changed. Nothing
// happens while no installation is open.
bool EditCableRuns(InstallationEditor& installation, QWidget* parent);

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

} // namespace brellic
