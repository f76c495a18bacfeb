#include "main.h"

#include "CableRuns.h"
#include "Cp1252Validator.h"
#include "CutTextTips.h"
#include "Devices.h"
#include "Fonts.h"
#include "Options.h"
#include "Paths.h"
#include "SheetDialog.h"
#include "WindowControls.h"

#include "BrellicVersion.h"
#include "editor/InstallationSheet.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QPainter>
#include <QPixmap>
#include <QScrollBar>
#include <QShortcut>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QStyle>
#include <QTabBar>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace brellic {

namespace {

constexpr int kListColumnWidths[] = {35, 160, 44, 80, 80};
const QColor kAlternateRow(240, 251, 255);
constexpr int kFormWidth = 800;
constexpr int kFormHeight = 480;

QColor ColourOf(const Rgb& rgb) {
    return QColor(rgb.Red, rgb.Green, rgb.Blue);
}

// A supply tab's mark: a dot in the verdict's colour, grey while not judged.
QIcon MarkIcon(Outcome mark) {
    QPixmap pixmap(10, 10);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ColourOf(MarkColour(mark)));
    painter.drawEllipse(1, 1, 8, 8);
    return QIcon(pixmap);
}

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

void TfrmMain::BuildMenu() {
    // The titles' mnemonics: Alt+F, Alt+I, Alt+O and Alt+A.
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    auto add = [&](QAction*& action, const char* name, const QString& text, int tag) {
        action = file->addAction(text);
        action->setObjectName(QString::fromLatin1(name));
        if (tag != 0) {
            action->setData(tag);
            connect(action, &QAction::triggered, this, &TfrmMain::mnuExitClick);
        }
    };
    add(mnuNew, "mnuNew", QStringLiteral("&New"), 0);
    file->addSeparator();
    add(mnuOpen, "mnuOpen", QStringLiteral("&Open..."), kTagOpen);
    add(mnuSave, "mnuSave", QStringLiteral("&Save"), kTagSave);
    add(mnuSaveAs, "mnuSaveAs", QStringLiteral("Save &As..."), kTagSaveAs);
    file->addSeparator();
    add(mnuGenReport, "mnuGenReport", QStringLiteral("Generate Report"), kTagReport);
    add(mnuCalcSheet, "mnuCalcSheet", QStringLiteral("Calculation Sheet..."), 0);
    file->addSeparator();
    add(mnuExit, "mnuExit", QStringLiteral("E&xit"), kTagExit);

    mnuNew->setShortcuts(QKeySequence::New);
    mnuOpen->setShortcuts(QKeySequence::Open);
    mnuSave->setShortcuts(QKeySequence::Save);
    SetShortcut(mnuSaveAs, QKeySequence::SaveAs, Qt::CTRL | Qt::SHIFT | Qt::Key_S);
    mnuGenReport->setShortcut(Qt::CTRL | Qt::Key_R);
    SetShortcut(mnuExit, QKeySequence::Quit, Qt::ALT | Qt::Key_F4);

    BuildInstallationMenu();

    mnuOptions = menuBar()->addAction(QStringLiteral("&Options"));
    mnuOptions->setObjectName(QStringLiteral("Options1"));
    mnuAbout = menuBar()->addAction(QStringLiteral("&About"));
    mnuAbout->setObjectName(QStringLiteral("About1"));
}

void TfrmMain::BuildInstallationMenu() {
    QMenu* menu = menuBar()->addMenu(QStringLiteral("&Installation"));
    menu->setObjectName(QStringLiteral("mnuInstallation"));
    auto add = [&](QAction*& action, const char* name, const QString& text,
                   void (InstallationEditor::*command)()) {
        action = menu->addAction(text);
        action->setObjectName(QString::fromLatin1(name));
        const bool showsNew = command == &InstallationEditor::AddSupply ||
                              command == &InstallationEditor::AddSupplyFromSiteFile;
        connect(action, &QAction::triggered, this,
                [this, command, showsNew] { RunInstallationCommand(command, showsNew); });
    };
    mnuNewInstallation = menu->addAction(QStringLiteral("New Installation"));
    mnuNewInstallation->setObjectName(QStringLiteral("mnuNewInstallation"));
    connect(mnuNewInstallation, &QAction::triggered, this, [this] {
        installation_->NewInstallation();
        showingOverview_ = false;
        Refresh();
    });
    menu->addSeparator();
    add(mnuAddSupply, "mnuAddSupply", QStringLiteral("Add Supply"), &InstallationEditor::AddSupply);
    add(mnuDuplicateSupply, "mnuDuplicateSupply", QStringLiteral("Duplicate Supply"),
        &InstallationEditor::DuplicateSupply);
    add(mnuMoveSupplyLeft, "mnuMoveSupplyLeft", QStringLiteral("Move Supply Left"),
        &InstallationEditor::MoveSupplyLeft);
    add(mnuMoveSupplyRight, "mnuMoveSupplyRight", QStringLiteral("Move Supply Right"),
        &InstallationEditor::MoveSupplyRight);
    add(mnuAddSupplyFromSite, "mnuAddSupplyFromSite",
        QStringLiteral("Add Supply from Site File..."), &InstallationEditor::AddSupplyFromSiteFile);
    add(mnuRenameSupply, "mnuRenameSupply", QStringLiteral("Rename Supply..."),
        &InstallationEditor::RenameSupply);
    add(mnuRemoveSupply, "mnuRemoveSupply", QStringLiteral("Remove Supply"),
        &InstallationEditor::RemoveSupply);
    menu->addSeparator();
    add(mnuSaveSupplyAsSite, "mnuSaveSupplyAsSite", QStringLiteral("Save Supply as Site File..."),
        &InstallationEditor::SaveSupplyAsSiteFile);
    add(mnuInstallationDetails, "mnuInstallationDetails", QStringLiteral("Installation Details..."),
        &InstallationEditor::Details);
    menu->addSeparator();
    mnuCableRuns = menu->addAction(QStringLiteral("Cable Runs..."));
    mnuCableRuns->setObjectName(QStringLiteral("mnuCableRuns"));
    // The disabled command says why: a site file has no room for cable runs.
    menu->setToolTipsVisible(true);
    connect(mnuCableRuns, &QAction::triggered, this, [this] {
        EditCableRuns(*installation_, this);
        Refresh();
    });
}

QWidget* TfrmMain::BuildOverview() {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(6);
    tvOverview = new QTableWidget(page);
    tvOverview->setObjectName(QStringLiteral("tvOverview"));
    // Two-line captions, so that a wider font than ours (Wine's, say) still
    // fits them in the columns.
    const QStringList headers = {QStringLiteral("Supply"),
                                 QStringLiteral("Panel or PSU"),
                                 QStringLiteral("Battery"),
                                 QStringLiteral("Grade"),
                                 QStringLiteral("Required\nStandby"),
                                 QStringLiteral("Actual\nStandby"),
                                 QStringLiteral("Alarm\nCurrent"),
                                 QStringLiteral("Peak\nAvailable"),
                                 QStringLiteral("Cable\nRuns"),
                                 QStringLiteral("Verdict")};
    tvOverview->setColumnCount(static_cast<int>(headers.size()));
    tvOverview->setHorizontalHeaderLabels(headers);
    tvOverview->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tvOverview->setSelectionBehavior(QAbstractItemView::SelectRows);
    tvOverview->setSelectionMode(QAbstractItemView::SingleSelection);
    tvOverview->verticalHeader()->hide();
    tvOverview->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    tvOverview->verticalHeader()->setDefaultSectionSize(tvOverview->fontMetrics().height() + 6);
    tvOverview->setWordWrap(false);
    tvOverview->setTextElideMode(Qt::ElideRight);
    ShowCutTextsAsToolTips(tvOverview);
    constexpr int kWidths[] = {118, 104, 58, 44, 76, 90, 82, 80, 76, 60};
    for (int column = 0; column < tvOverview->columnCount(); ++column)
        tvOverview->setColumnWidth(column, kWidths[column]);
    tvOverview->horizontalHeader()->setStretchLastSection(true);
    // Enter opens the supply of the row, as a double click does.
    for (const int key : {Qt::Key_Return, Qt::Key_Enter}) {
        auto* open =
            new QShortcut(QKeySequence(key), tvOverview, nullptr, nullptr, Qt::WidgetShortcut);
        connect(open, &QShortcut::activated, this,
                [this] { OpenOverviewRow(tvOverview->currentRow()); });
    }
    tvOverview->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    layout->addWidget(tvOverview, 1);
    lbSystemVerdict = MakeLabel(QString(), page, true);
    lbSystemVerdict->setObjectName(QStringLiteral("lbSystemVerdict"));
    lbSystemVerdict->setWordWrap(true);
    layout->addWidget(lbSystemVerdict);
    return page;
}

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
    edSiteRef->setMaxLength(50);
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
    connect(mnuNew, &QAction::triggered, this, [this] {
        installation_->NewSite();
        showingOverview_ = false;
        Refresh();
    });
    connect(tbSupplies, &QTabBar::currentChanged, this, [this](int index) {
        if (index < 0 || !installation_->IsOpen())
            return;
        const auto supply = static_cast<std::size_t>(index);
        showingOverview_ = supply >= installation_->SupplyCount();
        if (!showingOverview_)
            installation_->ChooseSupply(supply);
        Refresh();
    });
    connect(tvOverview, &QTableWidget::cellDoubleClicked, this,
            [this](int row) { OpenOverviewRow(row); });
    connect(tvOverview, &QTableWidget::itemSelectionChanged, this,
            &TfrmMain::OverviewSelectionChanged);
    // Between the supply tabs from anywhere in the window.
    const std::pair<QKeySequence, int> steps[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_Tab), 1},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), -1},
        {QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1},
        {QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1},
    };
    for (const auto& [keys, step] : steps) {
        auto* shortcut = new QShortcut(keys, this);
        connect(shortcut, &QShortcut::activated, this, [this, step = step] { StepTab(step); });
    }
    connect(mnuCalcSheet, &QAction::triggered, this, &TfrmMain::CalcSheetClick);
    connect(mnuOptions, &QAction::triggered, this, &TfrmMain::Options1Click);
    connect(mnuAbout, &QAction::triggered, this, &TfrmMain::AboutClick);
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

void TfrmMain::RunInstallationCommand(void (InstallationEditor::*command)(), bool showsNewSupply) {
    const std::size_t before = installation_->SupplyCount();
    (installation_.get()->*command)();
    if (showsNewSupply && installation_->SupplyCount() != before)
        showingOverview_ = false;
    Refresh();
}

void TfrmMain::StepTab(int step) {
    const int count = tbSupplies->count();
    if (!installation_->IsOpen() || count == 0)
        return;
    tbSupplies->setCurrentIndex((tbSupplies->currentIndex() + step + count) % count);
}

void TfrmMain::OverviewSelectionChanged() {
    if (!showingOverview_)
        return;
    const QList<QTableWidgetItem*> picked = tvOverview->selectedItems();
    std::optional<std::size_t> target;
    if (!picked.isEmpty() && picked.constFirst()->row() >= 0)
        target = static_cast<std::size_t>(picked.constFirst()->row());
    // The installation's own row is no supply: SetTarget leaves none.
    installation_->SetTarget(target);
    RefreshInstallation();
}

void TfrmMain::OpenOverviewRow(int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= installation_->SupplyCount())
        return;
    installation_->ChooseSupply(static_cast<std::size_t>(row));
    showingOverview_ = false;
    Refresh();
}

void TfrmMain::mnuExitClick() {
    const auto* action = qobject_cast<QAction*>(sender());
    if (!action)
        return;
    switch (action->data().toInt()) {
    case kTagOpen:
        installation_->OpenAny();
        showingOverview_ = false;
        break;
    case kTagSave:
        if (installation_->IsOpen())
            installation_->Save(false);
        else
            editor_->Save(false);
        break;
    case kTagSaveAs:
        installation_->SaveSiteAs();
        break;
    case kTagReport:
        installation_->GenerateReport(opener_);
        break;
    case kTagExit:
        close();
        return;
    default:
        return;
    }
    Refresh();
}

void TfrmMain::OpenAtStart(const QString& path) {
    // Kept with its full path, as the open dialog gives it, so the caption
    // reads as it does after Open.
    installation_->OpenAnyFile(FullPath(path));
    Refresh();
}

void TfrmMain::Options1Click() {
    installation_->Options([this](std::int32_t& standard, std::int32_t& period, bool own) {
        TfrmOptions form(this);
        return form.ExecuteOptions(standard, period, own);
    });
    Refresh();
}

void TfrmMain::AboutClick() {
    QMessageBox::about(this, QStringLiteral("About Brellic"),
                       QStringLiteral("<b>Brellic</b><p>Version %1</p><p>Checks the power supply "
                                      "of an intruder alarm installation against the standby-time "
                                      "and alarm-current rules of EN 50131-1 or PD 6662.</p>")
                           .arg(QLatin1String(kVersion)));
}

void TfrmMain::CalcSheetClick() {
    if (installation_->IsOpen()) {
        // The whole installation: its overview, then every supply's sheet.
        TfrmSheet form(MakeInstallationSheet(installation_->Current(), editor_->DecimalSeparator()),
                       QDate::currentDate(), ProposedPdfName(installation_->FileName()), this);
        form.exec();
        return;
    }
    // Offered, as the report is, only with a panel and a battery.
    if (!editor_->View().Enabled.mnuGenReport)
        return;
    TfrmSheet form(editor_->CalculationSheet(), QDate::currentDate(),
                   ProposedPdfName(editor_->Site().SiteFileName), this);
    form.exec();
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

    const Enabling& enabled = view.Enabled;
    lbDevices->setEnabled(enabled.lbDevices);
    btnAdd->setEnabled(enabled.btnAdd);
    btnEdit->setEnabled(enabled.btnEdit);
    btnDelete->setEnabled(enabled.btnDelete);
    mnuSave->setEnabled(enabled.mnuSave);
    mnuSaveAs->setEnabled(enabled.mnuSaveAs);
    mnuGenReport->setEnabled(enabled.mnuGenReport);
    mnuCalcSheet->setEnabled(enabled.mnuGenReport);

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
    RefreshInstallation();
}

void TfrmMain::RefreshInstallation() {
    const bool open = installation_ && installation_->IsOpen();
    const SupplyCommands commands = installation_ ? installation_->Commands() : SupplyCommands{};
    mnuAddSupply->setEnabled(commands.Add);
    mnuAddSupplyFromSite->setEnabled(commands.AddFromSiteFile);
    mnuInstallationDetails->setEnabled(commands.Details);
    mnuDuplicateSupply->setEnabled(commands.Duplicate);
    mnuMoveSupplyLeft->setEnabled(commands.MoveLeft);
    mnuMoveSupplyRight->setEnabled(commands.MoveRight);
    mnuRenameSupply->setEnabled(commands.Rename);
    mnuRemoveSupply->setEnabled(commands.Remove);
    mnuSaveSupplyAsSite->setEnabled(commands.SaveAsSiteFile);
    mnuCableRuns->setEnabled(commands.CableRuns);
    const RunsLine runs = installation_ ? installation_->ChosenRunsLine() : RunsLine{};
    lbCableRuns->setVisible(open);
    SetText(lbCableRuns, runs.Text);
    SetColour(lbCableRuns, runs.Colour);
    mnuCableRuns->setToolTip(open ? QString() : QString::fromLatin1(kCableRunsNeedAnInstallation));
    if (!installation_) {
        setWindowTitle(QString::fromStdString(editor_->Texts().Caption));
        return;
    }
    setWindowTitle(QString::fromStdString(installation_->Caption()));
    if (!open) {
        showingOverview_ = false;
        tbSupplies->hide();
        pgMain->setCurrentIndex(0);
        setFixedSize(kFormWidth, kFormHeight);
        return;
    }

    // The installation is saved whole, and its report and sheet cover every
    // supply, judged or not.
    for (QAction* action : {mnuSave, mnuSaveAs, mnuGenReport, mnuCalcSheet})
        action->setEnabled(true);
    const std::size_t chosen = installation_->Chosen();

    const Overview overview = installation_->Rows();
    const OverviewTexts texts = MakeOverviewTexts(overview, editor_->DecimalSeparator());
    const std::size_t supplies = overview.Supplies.size();
    {
        const QSignalBlocker block(tbSupplies);
        while (static_cast<std::size_t>(tbSupplies->count()) > supplies + 1)
            tbSupplies->removeTab(tbSupplies->count() - 1);
        while (static_cast<std::size_t>(tbSupplies->count()) < supplies + 1)
            tbSupplies->addTab(QString());
        for (std::size_t i = 0; i < supplies; ++i) {
            const int tab = static_cast<int>(i);
            const Outcome mark = MarkOf(overview.Supplies[i]);
            tbSupplies->setTabText(tab, QString::fromStdString(overview.Supplies[i].Name));
            tbSupplies->setTabIcon(tab, MarkIcon(mark));
            // The tab may cut the name; its tip never does.
            tbSupplies->setTabToolTip(tab, QString::fromStdString(overview.Supplies[i].Name) +
                                               u'\n' + QString::fromUtf8(MarkTip(mark)));
            tbSupplies->setTabData(tab, static_cast<int>(mark));
        }
        const int last = static_cast<int>(supplies);
        tbSupplies->setTabText(last, QStringLiteral("Overview"));
        tbSupplies->setTabIcon(last, QIcon());
        tbSupplies->setTabToolTip(last, QString::fromStdString(texts.Summary));
        tbSupplies->setCurrentIndex(showingOverview_ ? last : static_cast<int>(chosen));
    }
    tbSupplies->show();
    pgMain->setCurrentIndex(showingOverview_ ? 1 : 0);
    // The window grows by the bar's height only.
    setFixedSize(kFormWidth, kFormHeight + tbSupplies->sizeHint().height());

    tvOverview->setRowCount(static_cast<int>(texts.Lines.size()));
    for (std::size_t i = 0; i < texts.Lines.size(); ++i) {
        const OverviewLine& line = texts.Lines[i];
        const std::pair<const std::string*, Rgb> cells[] = {
            {&line.Name, kVerdictNone},
            {&line.Panel, kVerdictNone},
            {&line.Battery, kVerdictNone},
            {&line.Grade, kVerdictNone},
            {&line.RequiredStandby, kVerdictNone},
            {&line.ActualStandby, line.StandbyColour},
            {&line.AlarmCurrent, line.AlarmColour},
            {&line.PeakAvailable, kVerdictNone},
            {&line.CableRuns, line.CableRunsColour},
            {&line.Verdict, line.VerdictColour},
        };
        const bool system = i + 1 == texts.Lines.size();
        for (int column = 0; column < static_cast<int>(std::size(cells)); ++column) {
            const QString text = QString::fromStdString(*cells[column].first);
            QTableWidgetItem* item = tvOverview->item(static_cast<int>(i), column);
            if (!item) {
                item = new QTableWidgetItem;
                tvOverview->setItem(static_cast<int>(i), column, item);
            }
            item->setText(text);
            item->setForeground(ColourOf(cells[column].second));
            item->setTextAlignment(column <= 2 ? Qt::AlignLeft | Qt::AlignVCenter
                                               : Qt::AlignCenter);
            QFont font = item->font();
            font.setBold(system);
            item->setFont(font);
        }
    }
    // The installation's count of supplies that meet runs on into the battery column.
    const int systemRow = static_cast<int>(texts.Lines.size()) - 1;
    if (tvOverview->columnSpan(systemRow, 1) != 2) {
        tvOverview->clearSpans();
        tvOverview->setSpan(systemRow, 1, 1, 2);
    }
    {
        // On the overview the picked row is the commands' target.
        const QSignalBlocker block(tvOverview);
        const std::optional<std::size_t> target = installation_->Target();
        if (showingOverview_ && target)
            tvOverview->selectRow(static_cast<int>(*target));
        else if (tvOverview->currentRow() != systemRow)
            tvOverview->clearSelection();
    }
    lbSystemVerdict->setText(QString::fromStdString(texts.Summary));
    SetColour(lbSystemVerdict, texts.SummaryColour);
}

} // namespace brellic
