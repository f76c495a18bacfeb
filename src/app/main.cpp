// Brellic's entry: creates the main window and runs the event loop. An
// optional argument names a site file or an installation file to open at start.
#include "app/StartFolder.h"
#include "settings/DecimalSeparator.h"
#include "settings/PlatformSettings.h"
#include "ui/QtPrompter.h"
#include "ui/MainWindow.h"

#include <cstring>

#include <QApplication>
#include <QFileInfo>
#include <QLocale>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

#ifdef _WIN32
// Under Wine, Qt's GDI font engine draws no text at all in line edits when
// the dialog font that Wine substitutes is missing from the prefix (as it is
// where Wine's own Tahoma is not installed): the site reference would look
// empty. Qt's FreeType engine draws it. Real Windows is left as it is, and a
// platform the user names (-platform, QT_QPA_PLATFORM) is never overridden.
void UseFreeTypeUnderWine(int argc, char* argv[]) {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    if (ntdll == nullptr || GetProcAddress(ntdll, "wine_get_version") == nullptr)
        return;
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        return;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0)
            return;
    }
    qputenv("QT_QPA_PLATFORM", "windows:fontengine=freetype");
}
#endif

} // namespace

int main(int argc, char* argv[]) {
#ifdef _WIN32
    UseFreeTypeUnderWine(argc, argv);
#endif
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brellic"));
    QStringList arguments = QApplication::arguments();
#ifdef _WIN32
    // A file named relative to the start folder is found there even when
    // the program moves on from it.
    if (arguments.size() > 1)
        arguments[1] = QFileInfo(arguments.at(1)).absoluteFilePath();
    brellic::LeaveUnwritableStartFolder();
#endif

    auto settings = brellic::CreatePlatformSettingsStore();
    brellic::QtPrompter prompter;
    brellic::DesktopReportOpener opener;
    brellic::TfrmMain window(*settings, prompter, opener, brellic::DecimalSeparatorOf(QLocale()));
    prompter.SetParent(&window);
    window.show();

    if (arguments.size() > 1)
        window.OpenAtStart(arguments.at(1));
    return QApplication::exec();
}
