#include "ui/CableRunDialog.h"

#include "ui/Cp1252Validator.h"
#include "ui/CutTextTips.h"
#include "ui/DialogFields.h"
#include "ui/Fonts.h"
#include "ui/Named.h"
#include "ui/QtPrompter.h"

#include "model/CableRun.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace brellic {

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
    edName->setMaxLength(static_cast<int>(kCableRunNameCapacity));
    edName->setValidator(new Cp1252Validator(edName));
    edName->setToolTip(Cp1252Hint());
    AddRow(form, QStringLiteral("&Name:"), edName);

    cbCable = Named<QComboBox>("cbCable", this);
    for (const CableType& cable : kCableTable)
        cbCable->addItem(
            QString::fromUtf8(cable.Name.data(), static_cast<qsizetype>(cable.Name.size())));
    cbCable->addItem(QStringLiteral("Custom"));
    AddRow(form, QStringLiteral("&Cable:"), cbCable);

    edOhms = NumberEdit("edOhms", 6, kMaxOhmsPerMetre, separator, this);
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
        item->setText(0, FromStd(lines[i].Text));
        const bool on = i < entry.Lines.size() && entry.Lines[i].On;
        item->setCheckState(0, on ? Qt::Checked : Qt::Unchecked);
        auto* distance = NumberEdit("edDistance", 1, kMaxRunLengthM, separator, lvLines);
        distance->setPlaceholderText(QStringLiteral("far end"));
        if (i < entry.Lines.size())
            distance->setText(FromStd(entry.Lines[i].DistanceM));
        lvLines->setItemWidget(item, 1, distance);
        distances_.push_back(distance);
        // A line on another run is shown, but cannot be chosen here.
        if (!lines[i].OtherRun.empty()) {
            item->setText(2, FromStd(lines[i].OtherRun));
            item->setFlags(item->flags() & ~(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable));
            distance->setEnabled(false);
        }
    }

    layout->addWidget(OkCancel(this, btnOK, btnCancel));

    edName->setText(FromStd(entry.Name));
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
    edLength->setText(FromStd(entry.LengthM));
    edMinVolts->setText(FromStd(entry.MinVolts));
}

// A table cable shows its figure, fixed; Custom takes one typed.
void TfrmCableRun::ShowCable() {
    const auto cable = static_cast<std::size_t>(cbCable->currentIndex());
    const bool custom = cable >= kCableTable.size();
    edOhms->setEnabled(custom);
    if (custom) {
        edOhms->setText(FromStd(customOhms_));
    } else {
        edOhms->setText(FromStd(model_.TableOhmsText(cable)));
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
