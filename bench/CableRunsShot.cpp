// Renders the Cable Runs dialog of an installation's supply and saves it as
// a PNG: brellic_cable_runs_shot FILE.brellic SUPPLY OUT.png, SUPPLY counted
// from 1.
#include "editor/CableRunEditor.h"
#include "editor/InstallationEditor.h"
#include "editor/Settings.h"
#include "editor/SiteEditor.h"
#include "ui/CableRunsDialog.h"
#include "ui/QtPrompter.h"

#include <QApplication>
#include <QTimer>
#include <QTreeWidget>

#include <string>

using namespace brellic;

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc < 4)
        return 2;
    MemorySettingsStore settings;
    QtPrompter prompter;
    SiteEditor editor(settings, prompter);
    InstallationEditor installation(editor, prompter);
    if (!installation.OpenFile(argv[1]))
        return 1;
    installation.ChooseSupply(static_cast<std::size_t>(std::stoi(argv[2]) - 1));
    CableRunEditor model(installation.ChosenSupply(), installation.DecimalSeparator());
    TfrmCableRuns dialog(model, prompter);
    dialog.show();
    // The first run chosen, to show its remedies under the table.
    if (auto* runs = dialog.findChild<QTreeWidget*>(QStringLiteral("lvRuns")))
        runs->setCurrentItem(runs->topLevelItem(0));

    QTimer::singleShot(200, &app, [&] {
        const bool saved = dialog.grab().save(QString::fromLocal8Bit(argv[3]));
        QApplication::exit(saved ? 0 : 1);
    });
    return QApplication::exec();
}
