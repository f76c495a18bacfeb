// Renders the main window with a site filled in through the real widgets and
// saves it as a PNG: brellic_shot OUT.png
// Or with an installation open, on its first supply's tab or on the overview:
//     brellic_shot OUT.png FILE.brellic [overview]
#include "editor/Settings.h"
#include "model/Globals.h"
#include "ui/QtPrompter.h"
#include "ui/MainWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QTabBar>
#include <QTimer>

using namespace brellic;

namespace {

void Choose(QComboBox* combo, const QString& text) {
    combo->setCurrentIndex(combo->findText(text));
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    MemorySettingsStore settings;
    QtPrompter prompter;
    DesktopReportOpener opener;
    TfrmMain window(settings, prompter, opener, '.');
    window.show();

    if (argc >= 3) {
        window.OpenAtStart(QString::fromLocal8Bit(argv[2]));
        if (argc >= 4 && QString::fromLocal8Bit(argv[3]) == QStringLiteral("overview")) {
            auto* tabs = window.findChild<QTabBar*>(QStringLiteral("tbSupplies"));
            tabs->setCurrentIndex(tabs->count() - 1);
        }
        QTimer::singleShot(200, &app, [&] {
            const bool saved = window.grab().save(QString::fromLocal8Bit(argv[1]));
            QApplication::exit(saved ? 0 : 1);
        });
        return QApplication::exec();
    }

    Choose(window.findChild<QComboBox*>(QStringLiteral("cbGrade")), QStringLiteral("Grade 3"));
    Choose(window.findChild<QComboBox*>(QStringLiteral("cbPanelType")),
           QString::fromLatin1(PanelTable[15].Name.data(),
                               static_cast<int>(PanelTable[15].Name.size())));
    Choose(window.findChild<QComboBox*>(QStringLiteral("cbBatteryType")),
           QStringLiteral("17.0 Ah"));
    const struct { int row, qty; } devices[] = {{21, 6}, {44, 2}, {24, 1}, {53, 1}};
    for (const auto& device : devices) {
        window.Editor().btnAddClick([&](DeviceDialog& dialog) {
            for (std::size_t i = 0; i < dialog.Rows().size(); ++i)
                if (dialog.Rows()[i].starts_with(
                        std::string(DeviceCatalogue[static_cast<std::size_t>(device.row)].Name) +
                        "\t"))
                    dialog.SelectRow(static_cast<int>(i));
            dialog.SetQuantity(device.qty);
            return true;
        });
    }
    window.Editor().btnAddClick([](DeviceDialog& dialog) {
        dialog.SelectRow(dialog.CustomIndex());
        dialog.SetCustomDescription("Door contacts (wired)");
        dialog.SetQuantity(4);
        dialog.SetCustomQuiescent(0.025);
        dialog.SetCustomAlarm(0.05);
        return true;
    });
    window.Editor().SiteRefChanged("Unit 4, Mill Lane Trading Estate");
    window.Refresh();

    QTimer::singleShot(200, &app, [&] {
        const bool saved = window.grab().save(QString::fromLocal8Bit(argv[1]));
        QApplication::exit(saved ? 0 : 1);
    });
    return QApplication::exec();
}
