// Starts the main window as the program does and prints, on standard output,
// the wall-clock time in nanoseconds at which the window was first shown;
// bench/startup.sh compares it with the time the process was started.
#include "settings/PlatformSettings.h"
#include "settings/DecimalSeparator.h"
#include "ui/QtPrompter.h"
#include "ui/MainWindow.h"

#include <QApplication>
#include <QLocale>
#include <QTimer>

#include <chrono>
#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    auto settings = brellic::CreatePlatformSettingsStore();
    brellic::QtPrompter prompter;
    brellic::DesktopReportOpener opener;
    brellic::TfrmMain window(*settings, prompter, opener, brellic::DecimalSeparatorOf(QLocale()));
    window.show();
    // The first timer runs once the show and its first paint have been processed.
    QTimer::singleShot(0, &app, [] {
        const auto now = std::chrono::system_clock::now().time_since_epoch();
        std::printf("%lld\n", static_cast<long long>(std::chrono::nanoseconds(now).count()));
        QApplication::exit(0);
    });
    return QApplication::exec();
}
