#pragma once

#include "editor/InstallationEditor.h"
#include "editor/SiteEditor.h"

#include <QMainWindow>

#include <memory>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QTabBar;
class QTableWidget;
class QTreeWidget;

namespace brellic {

// The main window: a view over the site editor. Every control shows what the
// editor holds; every user action is handed to the editor, and the window is
// then refreshed from it.
class TfrmMain : public QMainWindow {
    Q_OBJECT

public:
    TfrmMain(SettingsStore& settings, Prompter& prompter, ReportOpener& opener,
             char decimalSeparator, QWidget* parent = nullptr);
    ~TfrmMain() override;

    SiteEditor& Editor() { return *editor_; }
    InstallationEditor& Installation() { return *installation_; }
    // Opens a site file or an installation file at start, through the same
    // sequence as File, Open.
    void OpenAtStart(const QString& path);

public slots:
    void mnuExitClick();
    // Shows what the editor holds; for callers that drive the editor directly.
    void Refresh();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    static constexpr int kFormWidth = 800;
    static constexpr int kFormHeight = 480;

    // MainMenus.cpp: the menus, their commands, and their enabling as the
    // editor's record gives it (the device buttons' too).
    void BuildMenu();
    void BuildInstallationMenu();
    void ShowCommands();
    // Runs an Installation menu command on the installation editor. A command
    // that adds a supply shows it; the others leave the overview on screen
    // when they ran from it.
    void RunInstallationCommand(void (InstallationEditor::*command)(), bool showsNewSupply);
    void Options1Click();
    void AboutClick();
    void CalcSheetClick();

    // MainOverview.cpp: the supply tabs and the Overview page.
    QWidget* BuildOverview();
    void ConnectOverview();
    // Ctrl+Tab and the like: the next or previous supply tab, round the end.
    void StepTab(int step);
    // The overview row picked: the target of the per-supply commands.
    void OverviewSelectionChanged();
    void OpenOverviewRow(int row);
    // The tabs and the overview as the installation stands; hidden without one.
    void RefreshInstallation();

    // MainWindow.cpp: the site's form.
    QWidget* BuildSiteGroups();
    QWidget* BuildDeviceGroup();
    QWidget* BuildReportGroup();
    void Connect();
    void RunDeviceCommand(void (SiteEditor::*command)(const DeviceDialog::ShowModal&));

    std::unique_ptr<SiteEditor> editor_;
    std::unique_ptr<InstallationEditor> installation_;
    ReportOpener& opener_;
    // With an installation open: the Overview tab is chosen, not a supply.
    bool showingOverview_ = false;

    QAction* mnuNew = nullptr;
    QAction* mnuOpen = nullptr;
    QAction* mnuSave = nullptr;
    QAction* mnuSaveAs = nullptr;
    QAction* mnuGenReport = nullptr;
    QAction* mnuCalcSheet = nullptr;
    QAction* mnuExit = nullptr;
    QAction* mnuNewInstallation = nullptr;
    QAction* mnuAddSupply = nullptr;
    QAction* mnuDuplicateSupply = nullptr;
    QAction* mnuMoveSupplyLeft = nullptr;
    QAction* mnuMoveSupplyRight = nullptr;
    QAction* mnuAddSupplyFromSite = nullptr;
    QAction* mnuRenameSupply = nullptr;
    QAction* mnuRemoveSupply = nullptr;
    QAction* mnuSaveSupplyAsSite = nullptr;
    QAction* mnuInstallationDetails = nullptr;
    QAction* mnuCableRuns = nullptr;
    QAction* mnuOptions = nullptr;
    QAction* mnuAbout = nullptr;

    QTabBar* tbSupplies = nullptr;
    QStackedWidget* pgMain = nullptr;
    QTableWidget* tvOverview = nullptr;
    QLabel* lbSystemVerdict = nullptr;

    QLineEdit* edSiteRef = nullptr;
    QComboBox* cbGrade = nullptr;
    QComboBox* cbPanelType = nullptr;
    QComboBox* cbBatteryType = nullptr;
    QCheckBox* cbSigACFail = nullptr;
    QLabel* lbPeriod = nullptr;
    QLabel* lbPSU = nullptr;
    QLabel* lbBattCurrent = nullptr;
    QLabel* lbPeakCurrent = nullptr;
    QLabel* lbRatedOP = nullptr;
    QTreeWidget* lbDevices = nullptr;
    QPushButton* btnAdd = nullptr;
    QPushButton* btnEdit = nullptr;
    QPushButton* btnDelete = nullptr;
    QLabel* lbCPNomI = nullptr;
    QLabel* lbCPAlarmI = nullptr;
    QLabel* TotNomI = nullptr;
    QLabel* TotAlarmI = nullptr;
    QLabel* lbReqStandby = nullptr;
    QLabel* lbActStandby = nullptr;
    QLabel* lbSbNotes = nullptr;
    QLabel* lbReqPeakCur = nullptr;
    QLabel* lbActPeak = nullptr;
    QLabel* lbPeakNotes = nullptr;
    QLabel* lbCableRuns = nullptr;
};

// The tags of the File items that share mnuExitClick.
enum FileTag { kTagOpen = 1, kTagSave = 2, kTagSaveAs = 3, kTagReport = 4, kTagExit = 5 };

} // namespace brellic
