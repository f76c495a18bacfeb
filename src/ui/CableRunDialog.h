#pragma once

#include "editor/CableRunEditor.h"
#include "editor/Prompter.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTreeWidget;

namespace brellic {

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
