#include "ui/Details.h"

#include "model/Installation.h"
#include "ui/Cp1252Validator.h"
#include "ui/Fonts.h"
#include "ui/Named.h"

#include <algorithm>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QSpinBox>

namespace brellic {

TfrmDetails::TfrmDetails(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("frmDetails"));
    setWindowTitle(QStringLiteral("Installation Details"));
    setFont(BrellicFont());

    edName = Named<QLineEdit>("edName", this);
    edAddress = Named<QLineEdit>("edAddress", this);
    for (QLineEdit* edit : {edName, edAddress}) {
        edit->setMaxLength(static_cast<int>(kInstallationTextCapacity));
        edit->setValidator(new Cp1252Validator(edit));
        edit->setToolTip(Cp1252Hint());
        edit->setMinimumWidth(300);
    }
    cbStandard = Named<QComboBox>("cbStandard", this);
    cbStandard->addItems({QStringLiteral("EN50131-1"), QStringLiteral("PD6662")});
    seAlmTime = Named<QSpinBox>("seAlmTime", this);
    seAlmTime->setRange(kInstallationMinAlarmPeriod, kInstallationMaxAlarmPeriod);
    seAlmTime->setSuffix(QStringLiteral(" minutes"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("buttons"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("&Name:"), edName);
    form->addRow(QStringLiteral("A&ddress:"), edAddress);
    form->addRow(QStringLiteral("System &Standard:"), cbStandard);
    form->addRow(QStringLiteral("&Alarm Period:"), seAlmTime);
    form->addRow(buttons);
    setFixedSize(sizeHint());
}

bool TfrmDetails::Execute(std::string& name, std::string& address, std::int32_t& standard,
                          std::int32_t& alarmPeriod) {
    edName->setText(QString::fromStdString(name));
    edAddress->setText(QString::fromStdString(address));
    cbStandard->setCurrentIndex(standard == 0 ? 0 : 1);
    seAlmTime->setValue(
        std::clamp(alarmPeriod, kInstallationMinAlarmPeriod, kInstallationMaxAlarmPeriod));
    edName->setFocus();
    if (exec() != QDialog::Accepted)
        return false;
    seAlmTime->interpretText();
    name = edName->text().toStdString();
    address = edAddress->text().toStdString();
    standard = cbStandard->currentIndex() == 0 ? 0 : 1;
    alarmPeriod = seAlmTime->value();
    return true;
}

} // namespace brellic
