#include "ui/CableRunsDialog.h"

#include "ui/CableRunDialog.h"
#include "ui/DialogFields.h"

#include "editor/DecimalEntry.h"
#include "ui/Cp1252Validator.h"
#include "ui/CutTextTips.h"
#include "ui/Fonts.h"
#include "ui/Named.h"
#include "ui/QtPrompter.h"

#include <QColor>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QValidator>

#include <algorithm>
#include <utility>

namespace brellic {

bool EditCableRuns(InstallationEditor& installation, QWidget* parent) {
    if (!installation.IsOpen())
        return false;
    CableRunEditor model(installation.ChosenSupply(), installation.DecimalSeparator());
    QtPrompter prompter(parent);
    TfrmCableRuns dialog(model, prompter, parent);
    prompter.SetParent(&dialog);
    if (dialog.exec() != QDialog::Accepted || !model.Changed())
        return false;
    return installation.SetCableRuns(model.Supply().LowestOutputVolts, model.Supply().Runs);
}

TfrmCableRuns::TfrmCableRuns(CableRunEditor& model, Prompter& prompter, QWidget* parent)
    : QDialog(parent), model_(model), prompter_(prompter) {
    setObjectName(QStringLiteral("frmCableRuns"));
    setWindowTitle(QStringLiteral("Cable Runs - ") + FromStd(model.Supply().Name));
    setFont(BrellicFont());
    resize(980, 360);

    auto* layout = new QVBoxLayout(this);
    auto* volts = new QHBoxLayout;
    auto* voltsLabel =
        Named<QLabel>("lbLowestVolts", QStringLiteral("&Lowest output voltage:"), this);
    edLowestVolts = NumberEdit("edLowestVolts", 2, kMaxSupplyVolts, model_.Separator(), this);
    edLowestVolts->setToolTip(
        QStringLiteral("The voltage the supply gives at the end of its standby time, when the "
                       "alarm sounds: 10.5 V for a 12 V lead-acid battery, or the PSU's own "
                       "low-voltage cut-off."));
    voltsLabel->setBuddy(edLowestVolts);
    volts->addWidget(voltsLabel);
    volts->addWidget(edLowestVolts);
    volts->addWidget(new QLabel(QStringLiteral("V"), this));
    volts->addStretch(1);
    layout->addLayout(volts);

    lvRuns = Named<QTreeWidget>("lvRuns", this);
    QStringList columns;
    for (const std::string& title : CableRunEditor::Columns())
        columns << FromStd(title);
    lvRuns->setHeaderLabels(columns);
    lvRuns->setRootIsDecorated(false);
    lvRuns->setUniformRowHeights(true);
    lvRuns->setAllColumnsShowFocus(true);
    lvRuns->setSelectionMode(QAbstractItemView::SingleSelection);
    lvRuns->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvRuns->header()->setStretchLastSection(false);
    ShowCutTextsAsToolTips(lvRuns);
    layout->addWidget(lvRuns, 1);
    // What would make the chosen run meet, under the table rather than in
    // three more columns, so that the dialog fits a small screen.
    lbRemedies = Named<QLabel>("lbRemedies", this);
    lbRemedies->setWordWrap(true);
    lbRemedies->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(lbRemedies);

    // The run commands on the left, as under the main window's device list;
    // OK and Cancel on the right.
    auto* row = new QHBoxLayout;
    btnAddRun = Named<QPushButton>("btnAddRun", QStringLiteral("&Add..."), this);
    btnEditRun = Named<QPushButton>("btnEditRun", QStringLiteral("&Edit..."), this);
    btnRemoveRun = Named<QPushButton>("btnRemoveRun", QStringLiteral("&Remove"), this);
    for (QPushButton* button : {btnAddRun, btnEditRun, btnRemoveRun}) {
        button->setAutoDefault(false);
        row->addWidget(button);
    }
    row->addStretch(1);
    row->addWidget(OkCancel(this, btnOK, btnCancel));
    layout->addLayout(row);

    connect(btnAddRun, &QPushButton::clicked, this, &TfrmCableRuns::AddClick);
    connect(btnEditRun, &QPushButton::clicked, this, &TfrmCableRuns::EditClick);
    connect(btnRemoveRun, &QPushButton::clicked, this, &TfrmCableRuns::RemoveClick);
    connect(lvRuns, &QTreeWidget::itemSelectionChanged, this, &TfrmCableRuns::ShowSelection);
    connect(lvRuns, &QTreeWidget::itemDoubleClicked, this, [this] { EditClick(); });
    connect(edLowestVolts, &QLineEdit::editingFinished, this, [this] { TakeLowestVolts(); });
    edLowestVolts->installEventFilter(this);

    edLowestVolts->setText(FromStd(model_.LowestOutputVoltsText()));
    Refresh();
    // Wide enough for every figure, as far as the screen allows.
    int width = 2 * lvRuns->frameWidth() + 40;
    for (int column = 0; column < lvRuns->columnCount(); ++column)
        width += lvRuns->columnWidth(column);
    if (const QScreen* shown = screen())
        width = std::min(width, shown->availableGeometry().width() * 9 / 10);
    resize(std::max(width, 600), 360);
}

void TfrmCableRuns::Refresh() {
    const std::optional<std::size_t> selected = SelectedRun();
    lvRuns->clear();
    const std::size_t count = model_.Supply().Runs.size();
    for (std::size_t run = 0; run < count; ++run) {
        auto* item = new QTreeWidgetItem(lvRuns);
        const std::vector<std::string> cells = model_.Row(run);
        for (std::size_t column = 0; column < cells.size(); ++column) {
            item->setText(static_cast<int>(column), FromStd(cells[column]));
            if (const std::optional<Rgb> colour = model_.CellColour(run, column))
                item->setForeground(static_cast<int>(column),
                                    QColor(colour->Red, colour->Green, colour->Blue));
        }
    }
    for (int column = 0; column < lvRuns->columnCount(); ++column)
        lvRuns->resizeColumnToContents(column);
    if (selected && *selected < count)
        lvRuns->setCurrentItem(lvRuns->topLevelItem(static_cast<int>(*selected)));
    ShowSelection();
    btnAddRun->setEnabled(model_.AddFault().empty());
}

void TfrmCableRuns::ShowSelection() {
    const std::optional<std::size_t> run = SelectedRun();
    btnEditRun->setEnabled(run.has_value());
    btnRemoveRun->setEnabled(run.has_value());
    if (run)
        lbRemedies->setText(FromStd(model_.Remedies(*run)));
    else if (lvRuns->topLevelItemCount() > 0)
        lbRemedies->setText(QStringLiteral("Choose a run to see what would make it meet."));
    else
        lbRemedies->clear();
}

std::optional<std::size_t> TfrmCableRuns::SelectedRun() const {
    const QTreeWidgetItem* item = lvRuns->currentItem();
    if (item == nullptr || !item->isSelected())
        return std::nullopt;
    const int row = lvRuns->indexOfTopLevelItem(lvRuns->currentItem());
    if (row < 0)
        return std::nullopt;
    return static_cast<std::size_t>(row);
}

bool TfrmCableRuns::TakeLowestVolts() {
    // A message box taking the focus ends the editing again: one answer is enough.
    // A refused voltage stays in the field as typed, selected, to be mended.
    if (takingVolts_)
        return false;
    const std::string text = edLowestVolts->text().toStdString();
    if (text == model_.LowestOutputVoltsText())
        return true;
    takingVolts_ = true;
    const std::string fault = model_.SetLowestOutputVolts(text);
    if (!fault.empty()) {
        prompter_.ShowError(fault);
        edLowestVolts->setFocus();
        edLowestVolts->selectAll();
    }
    takingVolts_ = false;
    Refresh();
    return fault.empty();
}

bool TfrmCableRuns::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edLowestVolts && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        // As in any other field: OK, which takes the voltage first. Left
        // to the line edit, a refused voltage would be put back and the
        // dialog closed at once.
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmCableRuns::accept() {
    if (!TakeLowestVolts())
        return;
    QDialog::accept();
}

// Esc, Cancel and the close button all come here.
void TfrmCableRuns::reject() {
    const bool typed = edLowestVolts->text().toStdString() != model_.LowestOutputVoltsText();
    if ((model_.Changed() || typed) && !prompter_.Confirm("Discard the changes to the cable runs?"))
        return;
    QDialog::reject();
}

void TfrmCableRuns::AddClick() {
    if (const std::string fault = model_.AddFault(); !fault.empty()) {
        prompter_.ShowError(fault);
        return;
    }
    TfrmCableRun dialog(
        model_, std::nullopt, [this](const RunEntry& entry) { return model_.Add(entry); },
        prompter_, this);
    dialog.setWindowTitle(QStringLiteral("Add Cable Run"));
    if (dialog.exec() == QDialog::Accepted) {
        Refresh();
        lvRuns->setCurrentItem(lvRuns->topLevelItem(lvRuns->topLevelItemCount() - 1));
    }
}

void TfrmCableRuns::EditClick() {
    const std::optional<std::size_t> run = SelectedRun();
    if (!run)
        return;
    TfrmCableRun dialog(
        model_, run, [this, run](const RunEntry& entry) { return model_.Replace(*run, entry); },
        prompter_, this);
    dialog.setWindowTitle(QStringLiteral("Edit Cable Run"));
    if (dialog.exec() == QDialog::Accepted)
        Refresh();
}

void TfrmCableRuns::RemoveClick() {
    const std::optional<std::size_t> run = SelectedRun();
    if (!run)
        return;
    if (!prompter_.Confirm("Are you sure you want to remove the cable run \"" +
                           model_.Supply().Runs[*run].Name + "\"?"))
        return;
    model_.Remove(*run);
    Refresh();
}

} // namespace brellic
