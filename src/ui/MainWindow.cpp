#include "MainWindow.h"

#include "Cp1252Validator.h"
#include "CutTextTips.h"
#include "Devices.h"
#include "Fonts.h"
#include "Paths.h"
#include "WindowControls.h"

#include "io/SiteFile.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace brellic {

namespace {

constexpr int kListColumnWidths[] = {35, 160, 44, 80, 80};
const QColor kAlternateRow(240, 251, 255);

} // namespace

TfrmMain::TfrmMain(SettingsStore& settings, Prompter& prompter, ReportOpener& opener,
                   char decimalSeparator, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      opener_(opener) {
    setObjectName(QStringLiteral("frmMain"));
    setFont(BrellicFont());
    BuildMenu();

    // With an installation open, a bar of supply tabs runs above the form and
    // its last tab shows the overview in the form's place; a site on its own
    // shows neither, and the form keeps its size.
    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    tbSupplies = new QTabBar(central);
    tbSupplies->setObjectName(QStringLiteral("tbSupplies"));
    tbSupplies->setExpanding(false);
    tbSupplies->setUsesScrollButtons(true);
    tbSupplies->setElideMode(Qt::ElideRight);
    tbSupplies->setDocumentMode(true);
    tbSupplies->hide();
    column->addWidget(tbSupplies);
    pgMain = new QStackedWidget(central);
    pgMain->setObjectName(QStringLiteral("pgMain"));
    auto* form = new QWidget(pgMain);
    auto* grid = new QGridLayout(form);
    grid->setContentsMargins(6, 4, 6, 6);
    grid->setSpacing(6);
    grid->addWidget(BuildSiteGroups(), 0, 0);
    grid->addWidget(BuildDeviceGroup(), 0, 1);
    grid->addWidget(BuildReportGroup(), 1, 0, 1, 2);
    grid->setColumnStretch(0, 1);
    pgMain->addWidget(form);
    pgMain->addWidget(BuildOverview());
    column->addWidget(pgMain, 1);
    setCentralWidget(central);
    setFixedSize(kFormWidth, kFormHeight);

    Connect();
    // The editor runs the start-up reset, which may need the window's
    // questions; it is created once the window exists.
    editor_ = std::make_unique<SiteEditor>(settings, prompter, decimalSeparator);
    installation_ = std::make_unique<InstallationEditor>(*editor_, prompter);
    Refresh();

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

TfrmMain::~TfrmMain() = default;

QWidget* TfrmMain::BuildSiteGroups() {
    auto* column = new QWidget(this);
    column->setFixedWidth(284);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);

    QGroupBox* site = MakeGroup("gbSiteRef", QStringLiteral("1 - Site Reference"), column);
    auto* siteLayout = new QVBoxLayout(site);
    edSiteRef = new QLineEdit(site);
    edSiteRef->setObjectName(QStringLiteral("edSiteRef"));
    edSiteRef->setMaxLength(static_cast<int>(kSiteTextCapacity));
    edSiteRef->setValidator(new Cp1252Validator(edSiteRef));
    edSiteRef->setToolTip(Cp1252Hint());
    siteLayout->addWidget(edSiteRef);
    layout->addWidget(site);

    QGroupBox* grade = MakeGroup("gbGrade", QStringLiteral("2 - System Grade"), column);
    auto* gradeLayout = new QHBoxLayout(grade);
    gradeLayout->addWidget(MakeLabel(QStringLiteral("Grade:"), grade));
    cbGrade = new QComboBox(grade);
    cbGrade->setObjectName(QStringLiteral("cbGrade"));
    cbGrade->addItems(
        {QStringLiteral("Grade 1"), QStringLiteral("Grade 2"), QStringLiteral("Grade 3")});
    cbGrade->setCurrentIndex(1);
    gradeLayout->addWidget(cbGrade, 1);
    layout->addWidget(grade);

    QGroupBox* panel = MakeGroup("gbPanel", QStringLiteral("3 - Control Panel"), column);
    auto* form = new QGridLayout(panel);
    form->setContentsMargins(6, 6, 6, 6);
    form->setHorizontalSpacing(4);
    form->setVerticalSpacing(4);
    cbPanelType = new QComboBox(panel);
    cbPanelType->setObjectName(QStringLiteral("cbPanelType"));
    cbBatteryType = new QComboBox(panel);
    cbBatteryType->setObjectName(QStringLiteral("cbBatteryType"));
    cbSigACFail = new QCheckBox(QStringLiteral("AC Fail Signalled to ARC"), panel);
    cbSigACFail->setObjectName(QStringLiteral("cbSigACFail"));
    lbPeriod = MakeValue("lbPeriod", QStringLiteral("Unknown"), panel);
    lbPSU = MakeValue("lbPSU", QStringLiteral("Unknown"), panel);
    lbBattCurrent = MakeValue("lbBattCurrent", QStringLiteral("Unknown"), panel);
    lbPeakCurrent = MakeValue("lbPeakCurrent", QStringLiteral("Unknown"), panel);
    lbRatedOP = MakeValue("lbRatedOP", QStringLiteral("Please Select Battery"), panel);
    int row = 0;
    form->addWidget(MakeLabel(QStringLiteral("Model/Type:"), panel), row, 0);
    form->addWidget(cbPanelType, row++, 1);
    form->addWidget(MakeLabel(QStringLiteral("Battery Size:"), panel), row, 0);
    form->addWidget(cbBatteryType, row++, 1);
    form->addWidget(cbSigACFail, row++, 0, 1, 2);
    const std::pair<const char*, QLabel*> values[] = {
        {"Required Standby Time:", lbPeriod},          {"Total PSU Output:", lbPSU},
        {"Battery Charging Current: ", lbBattCurrent}, {"Peak Available Current:", lbPeakCurrent},
        {"Continuous Rated Output:", lbRatedOP},
    };
    for (const auto& [caption, value] : values) {
        form->addWidget(MakeLabel(QString::fromLatin1(caption), panel), row, 0);
        form->addWidget(value, row++, 1);
    }
    form->setRowStretch(row, 1);
    form->setColumnStretch(1, 1);
    layout->addWidget(panel, 1);
    return column;
}

QWidget* TfrmMain::BuildDeviceGroup() {
    QGroupBox* group =
        MakeGroup("gbDevices", QStringLiteral("4 - Devices Powered from Control Panel"), this);
    auto* layout = new QHBoxLayout(group);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    auto* listColumn = new QVBoxLayout;
    listColumn->setSpacing(2);
    layout->addLayout(listColumn);

    lbDevices = new QTreeWidget(group);
    lbDevices->setObjectName(QStringLiteral("lbDevices"));
    lbDevices->setColumnCount(5);
    lbDevices->setHeaderLabels({QStringLiteral("Qty"), QStringLiteral("Device Type"),
                                QStringLiteral("Grade"), QStringLiteral("Quiescent"),
                                QStringLiteral("Alarm")});
    lbDevices->setRootIsDecorated(false);
    lbDevices->setUniformRowHeights(true);
    lbDevices->setAlternatingRowColors(true);
    lbDevices->setSelectionMode(QAbstractItemView::SingleSelection);
    lbDevices->setTextElideMode(Qt::ElideRight);
    ShowCutTextsAsToolTips(lbDevices);
    lbDevices->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    lbDevices->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Vertical grid lines between the columns and the light blue of alternate rows. Once
    // items are styled, the selected row keeps its colours only if they are restated.
    lbDevices->setStyleSheet(
        QStringLiteral("QTreeView { alternate-background-color: rgb(240, 251, 255); }"
                       "QTreeView::item { border-right: 1px solid rgb(208, 208, 208); }"
                       "QTreeView::item:selected { background: palette(highlight); color: "
                       "palette(highlighted-text); }"));
    QHeaderView* header = lbDevices->header();
    header->setStretchLastSection(false);
    header->setSectionsMovable(false);
    header->setMinimumSectionSize(20);
    int listWidth = 0;
    for (int column = 0; column < 5; ++column) {
        header->setSectionResizeMode(column, QHeaderView::Fixed);
        header->resizeSection(column, kListColumnWidths[column]);
        lbDevices->headerItem()->setTextAlignment(
            column, column == 1 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
        listWidth += kListColumnWidths[column];
    }
    const int frame = lbDevices->frameWidth();
    lbDevices->setFixedWidth(listWidth + 2 * frame +
                             lbDevices->verticalScrollBar()->sizeHint().width());
    listColumn->addWidget(lbDevices, 1);

    // The panel's own line and the totals sit under the Quiescent and Alarm columns.
    const int captionWidth =
        frame + kListColumnWidths[0] + kListColumnWidths[1] + kListColumnWidths[2];
    auto addRow = [&](const QString& caption, QLabel*& quiescent, const char* quiescentName,
                      QLabel*& alarm, const char* alarmName) {
        auto* row = new QHBoxLayout;
        row->setSpacing(0);
        QLabel* label = MakeLabel(caption, group, true);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setFixedWidth(captionWidth);
        quiescent = MakeValue(quiescentName, QStringLiteral("0.000 Amps"), group, Qt::AlignCenter);
        alarm = MakeValue(alarmName, QStringLiteral("0.000 Amps"), group, Qt::AlignCenter);
        row->addWidget(label);
        for (QLabel* value : {quiescent, alarm}) {
            value->setFixedWidth(kListColumnWidths[3]);
            row->addWidget(value);
        }
        row->addStretch(1);
        listColumn->addLayout(row);
    };
    addRow(QStringLiteral("Control Panel:"), lbCPNomI, "lbCPNomI", lbCPAlarmI, "lbCPAlarmI");
    addRow(QStringLiteral("Totals:"), TotNomI, "TotNomI", TotAlarmI, "TotAlarmI");

    auto* buttons = new QVBoxLayout;
    auto makeButton = [&](QPushButton*& button, const char* name, const QString& text) {
        button = new QPushButton(text, group);
        button->setObjectName(QString::fromLatin1(name));
        button->setFixedWidth(60);
        buttons->addWidget(button);
    };
    makeButton(btnAdd, "btnAdd", QStringLiteral("Add"));
    makeButton(btnEdit, "btnEdit", QStringLiteral("Edit"));
    makeButton(btnDelete, "btnDelete", QStringLiteral("Delete"));
    buttons->addStretch(1);
    layout->addLayout(buttons);
    return group;
}

QWidget* TfrmMain::BuildReportGroup() {
    QGroupBox* group = MakeGroup("gbReport", QStringLiteral("5 - System Report"), this);
    auto* grid = new QGridLayout(group);
    grid->setVerticalSpacing(2);
    grid->addWidget(MakeLabel(QStringLiteral("Requirement"), group, true), 0, 0);
    grid->addWidget(MakeLabel(QStringLiteral("Actual"), group, true), 0, 1);
    grid->addWidget(MakeLabel(QStringLiteral("Comments"), group, true), 0, 2);
    lbReqStandby = MakeValue("lbReqStandby", QStringLiteral("---"), group);
    lbActStandby = MakeValue("lbActStandby", QStringLiteral("----"), group);
    lbSbNotes = MakeLabel(QStringLiteral("None"), group);
    lbSbNotes->setObjectName(QStringLiteral("lbSbNotes"));
    lbSbNotes->setWordWrap(true);
    lbReqPeakCur = MakeValue("lbReqPeakCur", QStringLiteral("---"), group);
    lbActPeak = MakeValue("lbActPeak", QStringLiteral("----"), group);
    lbPeakNotes = MakeLabel(QStringLiteral("None"), group);
    lbPeakNotes->setObjectName(QStringLiteral("lbPeakNotes"));
    lbPeakNotes->setWordWrap(true);
    for (QLabel* verdict : {lbActStandby, lbActPeak})
        SetColour(verdict, kVerdictNone);
    grid->addWidget(lbReqStandby, 1, 0);
    grid->addWidget(lbActStandby, 1, 1);
    grid->addWidget(lbSbNotes, 1, 2);
    grid->addWidget(lbReqPeakCur, 2, 0);
    grid->addWidget(lbActPeak, 2, 1);
    grid->addWidget(lbPeakNotes, 2, 2);
    // In an installation: how the supply's cable runs fare, which its tab's
    // mark counts too.
    lbCableRuns = MakeLabel(QString(), group, true);
    lbCableRuns->setObjectName(QStringLiteral("lbCableRuns"));
    lbCableRuns->hide();
    grid->addWidget(lbCableRuns, 3, 0, 1, 3);
    grid->setColumnMinimumWidth(0, 200);
    grid->setColumnMinimumWidth(1, 110);
    grid->setColumnStretch(2, 1);
    return group;
}

void TfrmMain::Connect() {
    ConnectOverview();
    connect(edSiteRef, &QLineEdit::textEdited, this, [this](const QString& text) {
        editor_->SiteRefChanged(text.toStdString());
        Refresh();
    });
    connect(cbGrade, &QComboBox::currentIndexChanged, this, [this](int index) {
        editor_->GradeChanged(index, Origin::User);
        Refresh();
    });
    connect(cbPanelType, &QComboBox::currentIndexChanged, this, [this](int index) {
        editor_->PanelChanged(index, Origin::User);
        Refresh();
    });
    connect(cbBatteryType, &QComboBox::currentIndexChanged, this, [this](int index) {
        editor_->BatteryChanged(index, Origin::User);
        Refresh();
    });
    connect(cbSigACFail, &QCheckBox::clicked, this, [this](bool checked) {
        editor_->AcFailClicked(checked);
        Refresh();
    });
    connect(lbDevices, &QTreeWidget::currentItemChanged, this, [this] {
        editor_->SelectDevice(lbDevices->indexOfTopLevelItem(lbDevices->currentItem()));
        Refresh();
    });
    connect(lbDevices, &QTreeWidget::itemDoubleClicked, this, [this] {
        if (btnEdit->isEnabled())
            RunDeviceCommand(&SiteEditor::btnEditClick);
    });
    connect(btnAdd, &QPushButton::clicked, this,
            [this] { RunDeviceCommand(&SiteEditor::btnAddClick); });
    connect(btnEdit, &QPushButton::clicked, this,
            [this] { RunDeviceCommand(&SiteEditor::btnEditClick); });
    connect(btnDelete, &QPushButton::clicked, this, [this] {
        editor_->btnDeleteClick();
        Refresh();
    });
}

void TfrmMain::RunDeviceCommand(void (SiteEditor::*command)(const DeviceDialog::ShowModal&)) {
    const QString caption = command == &SiteEditor::btnAddClick ? QStringLiteral("Add Devices")
                                                                : QStringLiteral("Edit Devices");
    (editor_.get()->*command)([this, caption](DeviceDialog& dialog) {
        TfrmDevices form(dialog, this);
        form.setWindowTitle(caption);
        return form.ShowModal();
    });
    Refresh();
}

void TfrmMain::OpenAtStart(const QString& path) {
    // Kept with its full path, as the open dialog gives it, so the caption
    // reads as it does after Open.
    installation_->OpenAnyFile(FullPath(path));
    Refresh();
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    if (installation_->CloseQuery()) {
        event->accept();
    } else {
        event->ignore();
        Refresh();
    }
}

void TfrmMain::Refresh() {
    const Controls& view = editor_->View();
    const DisplayTexts& texts = editor_->Texts();

    {
        const QSignalBlocker blockGrade(cbGrade);
        const QSignalBlocker blockPanel(cbPanelType);
        const QSignalBlocker blockBattery(cbBatteryType);
        const QSignalBlocker blockAcFail(cbSigACFail);
        const QSignalBlocker blockSite(edSiteRef);
        const QSignalBlocker blockList(lbDevices);

        cbGrade->setCurrentIndex(view.GradeIndex);
        ShowItems(cbPanelType, view.PanelItems, view.PanelSelected);
        ShowItems(cbBatteryType, view.BatteryItems, view.BatterySelected);
        cbSigACFail->setChecked(view.AcFailChecked);
        cbSigACFail->setEnabled(view.AcFailEnabled);
        const QString siteRef = QString::fromStdString(view.SiteRef);
        if (edSiteRef->text() != siteRef)
            edSiteRef->setText(siteRef);

        const DeviceList& devices = editor_->Devices();
        bool same = lbDevices->topLevelItemCount() == static_cast<int>(devices.Count());
        for (int i = 0; same && i < lbDevices->topLevelItemCount(); ++i)
            same = lbDevices->topLevelItem(i)->data(0, Qt::UserRole).toString() ==
                   QString::fromStdString(devices.At(static_cast<std::size_t>(i)).Text);
        if (!same) {
            lbDevices->clear();
            for (const DeviceList::Entry& entry : devices) {
                const QString text = QString::fromStdString(entry.Text);
                auto* item = new QTreeWidgetItem(text.split(QLatin1Char('\t')));
                item->setData(0, Qt::UserRole, text);
                for (int column : {0, 2, 3, 4})
                    item->setTextAlignment(column, Qt::AlignCenter);
                lbDevices->addTopLevelItem(item);
            }
        }
        lbDevices->setCurrentItem(
            view.DeviceSelected >= 0 ? lbDevices->topLevelItem(view.DeviceSelected) : nullptr);
        if (view.DeviceSelected < 0)
            lbDevices->clearSelection();
    }

    SetText(lbPeriod, texts.lbPeriod);
    SetText(lbPSU, texts.lbPSU);
    SetText(lbBattCurrent, texts.lbBattCurrent);
    SetText(lbPeakCurrent, texts.lbPeakCurrent);
    SetText(lbRatedOP, texts.lbRatedOP);
    SetText(lbCPNomI, texts.lbCPNomI);
    SetText(lbCPAlarmI, texts.lbCPAlarmI);
    SetText(TotNomI, texts.TotNomI);
    SetText(TotAlarmI, texts.TotAlarmI);
    SetText(lbReqStandby, texts.lbReqStandby);
    SetText(lbActStandby, texts.lbActStandby);
    SetText(lbSbNotes, texts.lbSbNotes);
    SetText(lbReqPeakCur, texts.lbReqPeakCur);
    SetText(lbActPeak, texts.lbActPeak);
    SetText(lbPeakNotes, texts.lbPeakNotes);
    SetColour(lbActStandby, texts.lbActStandbyColor);
    SetColour(lbActPeak, texts.lbActPeakColor);
    // In an installation: how the chosen supply's cable runs fare.
    const bool open = installation_ && installation_->IsOpen();
    const RunsLine runs = installation_ ? installation_->ChosenRunsLine() : RunsLine{};
    lbCableRuns->setVisible(open);
    SetText(lbCableRuns, runs.Text);
    SetColour(lbCableRuns, runs.Colour);
    setWindowTitle(QString::fromStdString(installation_ ? installation_->Caption()
                                                        : editor_->Texts().Caption));
    ShowCommands();
    RefreshInstallation();
}

} // namespace brellic
