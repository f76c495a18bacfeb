#include "MainWindow.h"

#include "CableRunsDialog.h"
#include "Options.h"
#include "Paths.h"
#include "SheetDialog.h"
#include "WindowControls.h"

#include "BrellicVersion.h"
#include "editor/InstallationSheetBuilder.h"

#include <QKeySequence>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeWidget>

// The main window's menus: building them with their shortcuts, running their
// commands, and offering each as the editor's record says.

namespace brellic {

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

    connect(mnuNew, &QAction::triggered, this, [this] {
        installation_->NewSite();
        showingOverview_ = false;
        Refresh();
    });
    connect(mnuCalcSheet, &QAction::triggered, this, &TfrmMain::CalcSheetClick);
    connect(mnuOptions, &QAction::triggered, this, &TfrmMain::Options1Click);
    connect(mnuAbout, &QAction::triggered, this, &TfrmMain::AboutClick);
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

void TfrmMain::RunInstallationCommand(void (InstallationEditor::*command)(), bool showsNewSupply) {
    const std::size_t before = installation_->SupplyCount();
    (installation_.get()->*command)();
    if (showsNewSupply && installation_->SupplyCount() != before)
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
    // Offered for an installation, and for a site with a panel and a battery.
    if (!installation_->Commands().CalculationSheet)
        return;
    if (installation_->IsOpen()) {
        // The whole installation: its overview, then every supply's sheet.
        TfrmSheet form(
            MakeInstallationSheetTexts(installation_->Current(), editor_->DecimalSeparator()),
            QDate::currentDate(), ProposedPdfName(installation_->FileName()), this);
        form.exec();
        return;
    }
    TfrmSheet form(editor_->SheetTexts(), QDate::currentDate(),
                   ProposedPdfName(editor_->Site().SiteFileName), this);
    form.exec();
}

void TfrmMain::ShowCommands() {
    if (!installation_)
        return;
    const CommandStates commands = installation_->Commands();
    lbDevices->setEnabled(commands.DeviceList);
    btnAdd->setEnabled(commands.AddDevice);
    btnEdit->setEnabled(commands.EditDevice);
    btnDelete->setEnabled(commands.DeleteDevice);
    mnuSave->setEnabled(commands.Save);
    mnuSaveAs->setEnabled(commands.SaveAs);
    mnuGenReport->setEnabled(commands.Report);
    mnuCalcSheet->setEnabled(commands.CalculationSheet);
    mnuAddSupply->setEnabled(commands.AddSupply);
    mnuAddSupplyFromSite->setEnabled(commands.AddSupplyFromSiteFile);
    mnuInstallationDetails->setEnabled(commands.Details);
    mnuDuplicateSupply->setEnabled(commands.DuplicateSupply);
    mnuMoveSupplyLeft->setEnabled(commands.MoveSupplyLeft);
    mnuMoveSupplyRight->setEnabled(commands.MoveSupplyRight);
    mnuRenameSupply->setEnabled(commands.RenameSupply);
    mnuRemoveSupply->setEnabled(commands.RemoveSupply);
    mnuSaveSupplyAsSite->setEnabled(commands.SaveSupplyAsSiteFile);
    mnuCableRuns->setEnabled(commands.CableRuns);
    mnuCableRuns->setToolTip(QString::fromStdString(commands.CableRunsTip));
}

} // namespace brellic
