// brellic-cli's entry: hands the command line, the standard streams and the
// user's locale and stored settings to the command library.
#include "cli/Cli.h"
#include "cli/ReadOnlySettings.h"
#include "cli/SheetModuleLoader.h"
#include "settings/DecimalSeparator.h"

#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include <QLocale>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#include <shellapi.h>
#endif

namespace {

// The arguments after the program name, as UTF-8.
std::vector<std::string> Arguments([[maybe_unused]] int argc, [[maybe_unused]] char* argv[]) {
#ifdef _WIN32
    // argv is in the ANSI code page; the wide command line holds every name.
    std::vector<std::string> args;
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    for (int i = 1; wide != nullptr && i < count; ++i) {
        const int size = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
        std::string arg(static_cast<std::size_t>(size > 0 ? size : 1), '\0');
        WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, arg.data(), size, nullptr, nullptr);
        arg.resize(arg.size() - 1);
        args.push_back(std::move(arg));
    }
    LocalFree(wide);
    return args;
#else
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
#endif
}

} // namespace

int main(int argc, char* argv[]) {
#ifdef _WIN32
    // The report's CR LF line ends go out unchanged.
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    std::ios::sync_with_stdio(false);

    brellic::CliEnvironment environment;
    // The window takes its separator from the same locale (LC_ALL, LC_NUMERIC,
    // LANG on Unix; the regional settings on Windows).
    environment.DecimalSeparator = brellic::DecimalSeparatorOf(QLocale::system());
    environment.StoredSettings = &brellic::CreateStoredSettingsReader;
    // The sheet's QtGui is loaded only when a sheet is asked for.
    environment.RenderSheet = &brellic::RenderSheetInModule;
    if (const char* epoch = std::getenv("SOURCE_DATE_EPOCH"))
        environment.SourceDateEpoch = epoch;
    return brellic::RunCli(Arguments(argc, argv), std::cout, std::cerr, environment);
}
