#include "ui/Devices.h"

#include <utility>

#include <QDoubleSpinBox>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStyle>
#include <QTreeWidget>

#include "editor/DecimalEntry.h"
#include "io/SiteFile.h"
#include "model/Format.h"
#include "settings/DecimalSeparator.h"
#include "ui/Cp1252Validator.h"
#include "ui/CutTextTips.h"
#include "ui/Fonts.h"
#include "ui/Named.h"
#include "ui/QtPrompter.h"

namespace brellic {

namespace {

constexpr int kColumnWidths[] = {170, 44, 80, 80};
constexpr int kColumnCount = 4;

// A current field. The point and the locale's decimal separator both mean the
// decimal separator: a comma locale's user who types "0.03" means 0.03 A, and
// QDoubleSpinBox would read the point as a group separator and take 3 A. The
// value is shown with the same separator and rounding as the rest of the window.
class CurrentEdit final : public QDoubleSpinBox {
public:
    using QDoubleSpinBox::QDoubleSpinBox;

    QValidator::State validate(QString& text, int&) const override {
        switch (Read(text).State) {
        case EntryState::Acceptable:
            return QValidator::Acceptable;
        // Ambiguous text stays as typed: OK refuses it, saying why.
        case EntryState::Intermediate:
        case EntryState::Ambiguous:
            return QValidator::Intermediate;
        case EntryState::Invalid:
            break;
        }
        return QValidator::Invalid;
    }
    double valueFromText(const QString& text) const override {
        const DecimalEntry read = Read(text);
        return read.State == EntryState::Acceptable ? read.Value : value();
    }
    QString textFromValue(double amps) const override {
        return QString::fromStdString(FormatFixed(amps, decimals(), Separator()));
    }
    // The base class would strip the locale's group separator, which here is
    // never one.
    void fixup(QString&) const override {}

    // Why OK cannot take the text: it could be read two ways ("1,500").
    std::string Ambiguity() const { return Read(lineEdit()->text()).Message; }

protected:
    // The base class puts the last value back over text it cannot take, on
    // leaving the field and on Enter; text that could be read two ways is
    // kept as typed for OK to refuse, with the reason.
    void focusOutEvent(QFocusEvent* event) override {
        const QString typed = lineEdit()->text();
        QDoubleSpinBox::focusOutEvent(event);
        if (Read(typed).State == EntryState::Ambiguous)
            lineEdit()->setText(typed);
    }
    void keyPressEvent(QKeyEvent* event) override {
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
            Read(lineEdit()->text()).State == EntryState::Ambiguous) {
            event->ignore(); // the dialog's OK
            return;
        }
        QDoubleSpinBox::keyPressEvent(event);
    }

private:
    char Separator() const { return DecimalSeparatorOf(locale()); }
    DecimalEntry Read(const QString& text) const {
        return ReadDecimalEntry(text.toStdString(), Separator(), decimals(), maximum());
    }
};

CurrentEdit* MakeCurrentEdit(const char* name, QWidget* parent) {
    auto* edit = Named<CurrentEdit>(name, parent);
    edit->setDecimals(3);
    edit->setRange(0.0, kMaxCustomAmps);
    edit->setSingleStep(0.001);
    edit->setButtonSymbols(QAbstractSpinBox::NoButtons);
    edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return edit;
}

} // namespace

TfrmDevices::TfrmDevices(DeviceDialog& model, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), model_(model) {
    setObjectName(QStringLiteral("frmDevices"));
    setModal(true);
    setFont(BrellicFont());
    setFixedSize(428, 447);

    BuildList();
    BuildCustomGroup();

    Label2 = Named<QLabel>("Label2", QStringLiteral("No of Devices:"), this);
    Label2->setGeometry(11, 346, 84, 21);
    seQty = Named<QSpinBox>("seQty", this);
    seQty->setRange(kMinQuantity, kMaxQuantity);
    seQty->setGeometry(99, 346, 64, 21);
    Label2->setBuddy(seQty);

    Bevel1 = Named<QFrame>("Bevel1", this);
    Bevel1->setFrameShape(QFrame::HLine);
    Bevel1->setFrameShadow(QFrame::Sunken);
    Bevel1->setGeometry(11, 378, 405, 2);

    BitBtn1 = Named<QPushButton>("BitBtn1", QStringLiteral("OK"), this);
    BitBtn1->setGeometry(238, 402, 85, 25);
    BitBtn1->setDefault(true);
    BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    BitBtn2 = Named<QPushButton>("BitBtn2", QStringLiteral("Cancel"), this);
    BitBtn2->setGeometry(331, 402, 85, 25);
    BitBtn2->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));

    setTabOrder(lbDevice, seQty);
    setTabOrder(seQty, edDesc);
    setTabOrder(edDesc, ceNorm);
    setTabOrder(ceNorm, ceAlarm);
    setTabOrder(ceAlarm, BitBtn1);
    setTabOrder(BitBtn1, BitBtn2);

    Connect();
    FormCreate();
}

void TfrmDevices::BuildList() {
    lbDevice = Named<QTreeWidget>("lbDevice", this);
    lbDevice->setGeometry(11, 8, 405, 213);
    lbDevice->setColumnCount(kColumnCount);
    lbDevice->setHeaderLabels({QStringLiteral("Device Type"), QStringLiteral("Grade"),
                               QStringLiteral("Quiescent"), QStringLiteral("Alarm")});
    lbDevice->setRootIsDecorated(false);
    lbDevice->setUniformRowHeights(true);
    lbDevice->setAllColumnsShowFocus(true);
    lbDevice->setAlternatingRowColors(true);
    lbDevice->setSelectionMode(QAbstractItemView::SingleSelection);
    lbDevice->setSelectionBehavior(QAbstractItemView::SelectRows);
    lbDevice->setTextElideMode(Qt::ElideRight);
    ShowCutTextsAsToolTips(lbDevice);
    lbDevice->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Vertical grid lines between the columns and the light blue of alternate rows. Once
    // items are styled, the selected row keeps its colours only if they are restated.
    lbDevice->setStyleSheet(
        QStringLiteral("QTreeView { alternate-background-color: rgb(240, 251, 255); }"
                       "QTreeView::item { border-right: 1px solid rgb(208, 208, 208); }"
                       "QTreeView::item:selected { background: palette(highlight); color: "
                       "palette(highlighted-text); }"));
    QHeaderView* header = lbDevice->header();
    header->setStretchLastSection(false);
    header->setSectionsMovable(false);
    for (int column = 0; column < kColumnCount; ++column) {
        header->resizeSection(column, kColumnWidths[column]);
        header->setSectionResizeMode(column, QHeaderView::Fixed);
        lbDevice->headerItem()->setTextAlignment(
            column, column == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
    }
}

void TfrmDevices::BuildCustomGroup() {
    gbCustom = Named<QGroupBox>("gbCustom", QStringLiteral("Custom Device Data"), this);
    gbCustom->setGeometry(11, 229, 405, 101);

    lbDesc = Named<QLabel>("lbDesc", QStringLiteral("Description:"), gbCustom);
    lbDesc->setGeometry(10, 20, 74, 21);
    edDesc = Named<QLineEdit>("edDesc", gbCustom);
    edDesc->setGeometry(88, 20, 305, 21);
    edDesc->setMaxLength(static_cast<int>(kSiteTextCapacity));
    edDesc->setValidator(new Cp1252Validator(edDesc));
    edDesc->setToolTip(Cp1252Hint());
    lbDesc->setBuddy(edDesc);

    lbNorm = Named<QLabel>("lbNorm", QStringLiteral("Quiescent:"), gbCustom);
    lbNorm->setGeometry(10, 46, 74, 21);
    ceNorm = MakeCurrentEdit("ceNorm", gbCustom);
    ceNorm->setGeometry(88, 46, 80, 21);
    lbAmps1 = Named<QLabel>("lbAmps1", QStringLiteral("Amps"), gbCustom);
    lbAmps1->setGeometry(174, 46, 40, 21);
    lbNorm->setBuddy(ceNorm);

    lbAlarm = Named<QLabel>("lbAlarm", QStringLiteral("In Alarm:"), gbCustom);
    lbAlarm->setGeometry(10, 72, 74, 21);
    ceAlarm = MakeCurrentEdit("ceAlarm", gbCustom);
    ceAlarm->setGeometry(88, 72, 80, 21);
    lbAmps2 = Named<QLabel>("lbAmps2", QStringLiteral("Amps"), gbCustom);
    lbAmps2->setGeometry(174, 72, 40, 21);
    lbAlarm->setBuddy(ceAlarm);
}

// Only the user's own edits reach the model: the controls are filled with
// their signals blocked, so a value shown rounded to three decimals never
// replaces the exact one the model holds.
void TfrmDevices::Connect() {
    connect(lbDevice, &QTreeWidget::itemSelectionChanged, this, &TfrmDevices::lbDeviceClick);
    connect(lbDevice, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        if (item != nullptr)
            BitBtn1Click();
    });
    connect(edDesc, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (!model_.SetCustomDescription(text.toStdString())) {
            const QSignalBlocker block(edDesc);
            edDesc->setText(QString::fromStdString(model_.CustomDescription()));
        }
    });
    connect(ceNorm, &QDoubleSpinBox::valueChanged, this,
            [this](double amps) { model_.SetCustomQuiescent(amps); });
    connect(ceAlarm, &QDoubleSpinBox::valueChanged, this,
            [this](double amps) { model_.SetCustomAlarm(amps); });
    connect(seQty, &QSpinBox::valueChanged, this,
            [this](int quantity) { model_.SetQuantity(quantity); });
    connect(BitBtn1, &QPushButton::clicked, this, &TfrmDevices::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmDevices::FormCreate() {
    model_.UpdateCustomGroup();
    ShowCustomEnabling();
}

void TfrmDevices::lbDeviceClick() {
    const QList<QTreeWidgetItem*> selected = lbDevice->selectedItems();
    model_.SelectRow(selected.isEmpty() ? -1 : lbDevice->indexOfTopLevelItem(selected.front()));
    ShowCustomEnabling();
}

void TfrmDevices::ShowCustomEnabling() {
    const bool enabled = model_.CustomEnabled();
    for (QWidget* widget : std::initializer_list<QWidget*>{
             gbCustom, edDesc, ceNorm, ceAlarm, lbDesc, lbNorm, lbAlarm, lbAmps1, lbAmps2})
        widget->setEnabled(enabled);
}

void TfrmDevices::FillFromModel() {
    const QSignalBlocker blockList(lbDevice);
    const QSignalBlocker blockDesc(edDesc);
    const QSignalBlocker blockNorm(ceNorm);
    const QSignalBlocker blockAlarm(ceAlarm);
    const QSignalBlocker blockQty(seQty);

    lbDevice->clear();
    QList<QTreeWidgetItem*> items;
    for (const std::string& row : model_.Rows()) {
        auto* item = new QTreeWidgetItem(QString::fromStdString(row).split(QLatin1Char('\t')));
        for (int column = 1; column < kColumnCount; ++column)
            item->setTextAlignment(column, Qt::AlignCenter);
        items << item;
    }
    lbDevice->addTopLevelItems(items);
    lbDevice->setCurrentItem(lbDevice->topLevelItem(model_.Selected()));
    if (model_.Selected() < 0)
        lbDevice->clearSelection();

    edDesc->setText(QString::fromStdString(model_.CustomDescription()));
    ceNorm->setValue(static_cast<double>(model_.CustomQuiescent()));
    ceAlarm->setValue(static_cast<double>(model_.CustomAlarm()));
    seQty->setValue(model_.ShownQuantity());
}

bool TfrmDevices::ShowModal() {
    FillFromModel();
    ShowCustomEnabling();
    // The list is where the choice is made.
    lbDevice->setFocus();
    return exec() == QDialog::Accepted;
}

void TfrmDevices::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Only a shown list knows how many rows fit, so the chosen row is brought
    // into view here.
    if (QTreeWidgetItem* current = lbDevice->currentItem())
        lbDevice->scrollToItem(current);
}

void TfrmDevices::BitBtn1Click() {
    // Text that could be read two ways is refused before interpretText would
    // put the last value back over it.
    for (QDoubleSpinBox* field : {ceNorm, ceAlarm}) {
        const std::string ambiguity = static_cast<CurrentEdit*>(field)->Ambiguity();
        if (field->isEnabled() && !ambiguity.empty()) {
            QtPrompter(this).ShowError(ambiguity);
            field->setFocus();
            field->selectAll();
            return;
        }
    }
    // Text typed into a number field and confirmed with Enter may not be taken yet.
    seQty->interpretText();
    ceNorm->interpretText();
    ceAlarm->interpretText();
    accept();
}

} // namespace brellic
