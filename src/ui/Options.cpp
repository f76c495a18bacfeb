#include "ui/Options.h"

#include <algorithm>
#include <utility>

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "editor/Settings.h"
#include "ui/Fonts.h"
#include "ui/Named.h"

namespace brellic {

namespace {

constexpr int kDesignMinutes = 15;
constexpr int kDesignWidth = 311;
constexpr int kDesignHeight = 168;

} // namespace

TfrmOptions::TfrmOptions(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(tr("Options"));
    setFont(BrellicFont());
    setFixedSize(kDesignWidth, kDesignHeight);

    rgStandard = Named<QGroupBox>("rgStandard", tr("System Standard"), this);
    rgStandard->setGeometry(8, 8, 173, 65);
    rbEN50131 = Named<QRadioButton>("rbEN50131", QStringLiteral("EN50131-1"), rgStandard);
    rbPD6662 = Named<QRadioButton>("rbPD6662", QStringLiteral("PD6662"), rgStandard);
    standardItems_ = new QButtonGroup(this);
    standardItems_->addButton(rbEN50131, 0);
    standardItems_->addButton(rbPD6662, 1);
    auto* standardLayout = new QVBoxLayout(rgStandard);
    standardLayout->setContentsMargins(8, 2, 8, 4);
    standardLayout->setSpacing(0);
    standardLayout->addWidget(rbEN50131);
    standardLayout->addWidget(rbPD6662);

    gbAlarmPeriod = Named<QGroupBox>("gbAlarmPeriod", tr("Alarm Period (Bell Duration)"), this);
    gbAlarmPeriod->setGeometry(8, 76, 173, 85);
    Label1 = Named<QLabel>("Label1", tr("Time:"), gbAlarmPeriod);
    seAlmTime = Named<QSpinBox>("seAlmTime", gbAlarmPeriod);
    seAlmTime->setRange(kMinAlarmPeriod, kMaxAlarmPeriod);
    seAlmTime->setValue(kDesignMinutes);
    Label1->setBuddy(seAlmTime);
    Label2 = Named<QLabel>("Label2", tr("minutes"), gbAlarmPeriod);
    auto* periodLayout = new QHBoxLayout(gbAlarmPeriod);
    periodLayout->setContentsMargins(8, 4, 8, 4);
    periodLayout->addWidget(Label1);
    periodLayout->addWidget(seAlmTime);
    periodLayout->addWidget(Label2);
    periodLayout->addStretch();

    btnOK = Named<QPushButton>("btnOK", tr("OK"), this);
    btnOK->setGeometry(208, 14, 95, 25);
    btnOK->setDefault(true);
    btnCancel = Named<QPushButton>("btnCancel", tr("Cancel"), this);
    btnCancel->setGeometry(208, 46, 95, 25);
    lbOwnValues = Named<QLabel>(
        "lbOwnValues",
        tr("This installation carries its own standard and alarm period: Installation, "
           "Installation Details."),
        this);
    lbOwnValues->setWordWrap(true);
    lbOwnValues->setGeometry(8, kDesignHeight - 2, kDesignWidth - 16, 40);
    lbOwnValues->hide();
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);

    setTabOrder(rbEN50131, rbPD6662);
    setTabOrder(rbPD6662, seAlmTime);
    setTabOrder(seAlmTime, btnCancel);
    setTabOrder(btnCancel, btnOK);
}

bool TfrmOptions::ExecuteOptions(std::int32_t& standard, std::int32_t& period, bool own) {
    rgStandard->setEnabled(!own);
    gbAlarmPeriod->setEnabled(!own);
    lbOwnValues->setVisible(own);
    if (own) {
        const int height = lbOwnValues->heightForWidth(lbOwnValues->width());
        lbOwnValues->setFixedHeight(height);
        setFixedSize(kDesignWidth, kDesignHeight + height + 4);
    }
    QRadioButton* shown = standard == 0 ? rbEN50131 : rbPD6662;
    shown->setChecked(true);
    // The dialog opens on the first control in tab order, as the user expects.
    if (own)
        btnOK->setFocus();
    else
        shown->setFocus();
    seAlmTime->setValue(std::clamp<std::int32_t>(period, kMinAlarmPeriod, kMaxAlarmPeriod));
    if (exec() != QDialog::Accepted || own)
        return false;
    // Text typed into the field and confirmed with Enter may not be taken yet.
    seAlmTime->interpretText();
    standard = standardItems_->checkedId() == 0 ? 0 : 1;
    period = seAlmTime->value();
    return true;
}

} // namespace brellic
