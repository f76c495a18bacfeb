// Brellic's entry: creates the main window and runs the event loop. An
// optional argument names a site file to open at start.
#include "settings/PlatformSettings.h"
#include "settings/DecimalSeparator.h"
#include "ui/QtPrompter.h"
#include "ui/main.h"

#include <QApplication>
#include <QLocale>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brellic"));

    auto settings = brellic::CreatePlatformSettingsStore();
    brellic::QtPrompter prompter;
    brellic::DesktopReportOpener opener;
    brellic::TfrmMain window(*settings, prompter, opener, brellic::DecimalSeparatorOf(QLocale()));
    prompter.SetParent(&window);
    window.show();

    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1)
        window.OpenAtStart(arguments.at(1));
    return QApplication::exec();
}
