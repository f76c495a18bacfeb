#include "ui/CableRuns.h"

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

namespace {

constexpr int kMaxNameLength = 50;

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

// A number field. The point, the comma and the locale's separator all mean
// the decimal separator, as in the device dialog; text no further typing can
// mend is not taken.
class DecimalValidator final : public QValidator {
public:
    DecimalValidator(int decimals, double maximum, char separator, QObject* parent)
        : QValidator(parent), decimals_(decimals), maximum_(maximum), separator_(separator) {}

    State validate(QString& text, int&) const override {
        switch (ReadDecimalEntry(text.toStdString(), separator_, decimals_, maximum_).State) {
        case EntryState::Acceptable:
            return Acceptable;
        // Ambiguous text stays as typed: OK refuses it, saying why.
        case EntryState::Intermediate:
        case EntryState::Ambiguous:
            return Intermediate;
        case EntryState::Invalid:
            break;
        }
        return Invalid;
    }

private:
    int decimals_;
    double maximum_;
    char separator_;
};

QLineEdit* NumberEdit(const char* name, int decimals, double maximum, char separator,
                      QWidget* parent) {
    auto* edit = Named<QLineEdit>(name, parent);
    edit->setValidator(new DecimalValidator(decimals, maximum, separator, edit));
    edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    edit->setMaximumWidth(90);
    return edit;
}

// A row of the form whose label's shortcut takes the user to field, which
// may sit in a box with its unit.
void AddRow(QFormLayout* form, const QString& label, QWidget* field, QWidget* shown = nullptr) {
    auto* caption = new QLabel(label, form->parentWidget());
    caption->setBuddy(field);
    form->addRow(caption, shown != nullptr ? shown : field);
}

// A field with its unit after it.
QWidget* WithUnit(QWidget* field, const QString& unit, QWidget* parent) {
    auto* box = new QWidget(parent);
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(field);
    layout->addWidget(new QLabel(unit, box));
    layout->addStretch(1);
    return box;
}

// OK, the default, and Cancel, closing the dialog with accept and reject.
QDialogButtonBox* OkCancel(QDialog* dialog, QPushButton*& ok, QPushButton*& cancel) {
    auto* buttons = new QDialogButtonBox(dialog);
    ok = Named<QPushButton>("btnOK", QStringLiteral("OK"), dialog);
    cancel = Named<QPushButton>("btnCancel", QStringLiteral("Cancel"), dialog);
    buttons->addButton(ok, QDialogButtonBox::AcceptRole);
    buttons->addButton(cancel, QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    return buttons;
}

} // namespace

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
    setWindowTitle(QStringLiteral("Cable Runs - ") + Text(model.Supply().Name));
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
        columns << Text(title);
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

    edLowestVolts->setText(Text(model_.LowestOutputVoltsText()));
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
            item->setText(static_cast<int>(column), Text(cells[column]));
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
        lbRemedies->setText(Text(model_.Remedies(*run)));
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

TfrmCableRun::TfrmCableRun(const CableRunEditor& model, std::optional<std::size_t> editing,
                           Take take, Prompter& prompter, QWidget* parent)
    : QDialog(parent), model_(model), take_(std::move(take)), prompter_(prompter) {
    const RunEntry entry = editing ? model.EntryOf(*editing) : model.NewEntry();
    const std::vector<CableRunEditor::LineChoice> lines = model.LineChoices(editing);
    const char separator = model.Separator();
    setObjectName(QStringLiteral("frmCableRun"));
    setFont(BrellicFont());
    resize(460, 520);

    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);

    edName = Named<QLineEdit>("edName", this);
    edName->setMaxLength(kMaxNameLength);
    edName->setValidator(new Cp1252Validator(edName));
    edName->setToolTip(Cp1252Hint());
    AddRow(form, QStringLiteral("&Name:"), edName);

    cbCable = Named<QComboBox>("cbCable", this);
    for (const CableType& cable : kCableTable)
        cbCable->addItem(
            QString::fromUtf8(cable.Name.data(), static_cast<qsizetype>(cable.Name.size())));
    cbCable->addItem(QStringLiteral("Custom"));
    AddRow(form, QStringLiteral("&Cable:"), cbCable);

    edOhms = NumberEdit("edOhms", 6, 1000, separator, this);
    AddRow(form, QStringLiteral("&Resistance:"), edOhms,
           WithUnit(edOhms, QStringLiteral("\u03A9/m per core"), this));

    seCoresPositive = Named<QSpinBox>("seCoresPositive", this);
    seCoresNegative = Named<QSpinBox>("seCoresNegative", this);
    for (QSpinBox* cores : {seCoresPositive, seCoresNegative})
        cores->setRange(1, kMaxCoresDoubled);
    AddRow(form, QStringLiteral("Cores on &+12 V:"), seCoresPositive);
    AddRow(form, QStringLiteral("Cores on &0 V:"), seCoresNegative);

    edLength = NumberEdit("edLength", 1, kMaxRunLengthM, separator, this);
    AddRow(form, QStringLiteral("&Length:"), edLength,
           WithUnit(edLength, QStringLiteral("m"), this));
    edMinVolts = NumberEdit("edMinVolts", 2, kMaxSupplyVolts, separator, this);
    AddRow(form, QStringLiteral("Lowest &operating voltage:"), edMinVolts,
           WithUnit(edMinVolts, QStringLiteral("V"), this));

    auto* linesLabel = new QLabel(
        QStringLiteral("&Device lines fed (a line without a distance is at the far end):"), this);
    layout->addWidget(linesLabel);
    lvLines = Named<QTreeWidget>("lvLines", this);
    lvLines->setHeaderLabels(
        {QStringLiteral("Device Line"), QStringLiteral("Distance (m)"), QStringLiteral("On Run")});
    lvLines->setRootIsDecorated(false);
    lvLines->setSelectionMode(QAbstractItemView::NoSelection);
    lvLines->header()->setStretchLastSection(true);
    lvLines->setColumnWidth(0, 220);
    lvLines->setColumnWidth(1, 100);
    linesLabel->setBuddy(lvLines);
    layout->addWidget(lvLines, 1);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        auto* item = new QTreeWidgetItem(lvLines);
        item->setText(0, Text(lines[i].Text));
        const bool on = i < entry.Lines.size() && entry.Lines[i].On;
        item->setCheckState(0, on ? Qt::Checked : Qt::Unchecked);
        auto* distance = NumberEdit("edDistance", 1, kMaxRunLengthM, separator, lvLines);
        distance->setPlaceholderText(QStringLiteral("far end"));
        if (i < entry.Lines.size())
            distance->setText(Text(entry.Lines[i].DistanceM));
        lvLines->setItemWidget(item, 1, distance);
        distances_.push_back(distance);
        // A line on another run is shown, but cannot be chosen here.
        if (!lines[i].OtherRun.empty()) {
            item->setText(2, Text(lines[i].OtherRun));
            item->setFlags(item->flags() & ~(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable));
            distance->setEnabled(false);
        }
    }

    layout->addWidget(OkCancel(this, btnOK, btnCancel));

    edName->setText(Text(entry.Name));
    customOhms_ = entry.OhmsPerMetre;
    cbCable->setCurrentIndex(static_cast<int>(std::min(entry.Cable, kCableTable.size())));
    ShowCable();
    connect(cbCable, &QComboBox::currentIndexChanged, this, [this] {
        if (edOhms->isEnabled())
            customOhms_ = edOhms->text().toStdString();
        ShowCable();
    });
    seCoresPositive->setValue(entry.CoresPositive);
    seCoresNegative->setValue(entry.CoresNegative);
    edLength->setText(Text(entry.LengthM));
    edMinVolts->setText(Text(entry.MinVolts));
}

// A table cable shows its figure, fixed; Custom takes one typed.
void TfrmCableRun::ShowCable() {
    const auto cable = static_cast<std::size_t>(cbCable->currentIndex());
    const bool custom = cable >= kCableTable.size();
    edOhms->setEnabled(custom);
    if (custom) {
        edOhms->setText(Text(customOhms_));
    } else {
        edOhms->setText(Text(model_.TableOhmsText(cable)));
    }
}

RunEntry TfrmCableRun::Entry() const {
    RunEntry entry;
    entry.Name = edName->text().toStdString();
    entry.Cable = static_cast<std::size_t>(cbCable->currentIndex());
    entry.OhmsPerMetre = edOhms->isEnabled() ? edOhms->text().toStdString() : customOhms_;
    entry.CoresPositive = seCoresPositive->value();
    entry.CoresNegative = seCoresNegative->value();
    entry.LengthM = edLength->text().toStdString();
    entry.MinVolts = edMinVolts->text().toStdString();
    for (int i = 0; i < lvLines->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = lvLines->topLevelItem(i);
        entry.Lines.push_back({item->checkState(0) == Qt::Checked,
                               distances_[static_cast<std::size_t>(i)]->text().toStdString()});
    }
    return entry;
}

void TfrmCableRun::accept() {
    const std::string fault = take_(Entry());
    if (!fault.empty()) {
        prompter_.ShowError(fault);
        FocusFault();
        return;
    }
    QDialog::accept();
}

// Takes the user to the field the refusal was about.
void TfrmCableRun::FocusFault() {
    using Field = CableRunEditor::RunField;
    const CableRunEditor::RunFault& fault = model_.LastFault();
    QWidget* field = nullptr;
    switch (fault.Field) {
    case Field::Name:
        field = edName;
        break;
    case Field::Ohms:
        field = edOhms;
        break;
    case Field::Cores:
        field = seCoresPositive;
        break;
    case Field::Length:
        field = edLength;
        break;
    case Field::MinVolts:
        field = edMinVolts;
        break;
    case Field::Line:
        field = lvLines;
        if (fault.Line < distances_.size() && distances_[fault.Line]->isEnabled())
            field = distances_[fault.Line];
        break;
    }
    field->setFocus();
    if (auto* edit = qobject_cast<QLineEdit*>(field))
        edit->selectAll();
}

} // namespace brellic
