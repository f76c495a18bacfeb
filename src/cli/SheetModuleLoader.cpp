#include "cli/SheetModuleLoader.h"

#include "cli/SheetModule.h"

#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <windows.h>

#include <cstring>
#else
#include <dlfcn.h>
#endif

namespace brellic {

namespace {

// Set by the build: the module's file name, and the folder it is installed
// in, relative to the program's.
constexpr const char* kModuleName = BRELLIC_SHEET_MODULE_NAME;
constexpr const char* kInstalledFolder = BRELLIC_SHEET_MODULE_FOLDER;

std::string Utf8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::filesystem::path ProgramFolder() {
#ifdef _WIN32
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (length == 0)
            return {};
        if (length < name.size()) {
            name.resize(length);
            break;
        }
        name.resize(name.size() * 2);
    }
    return std::filesystem::path(name).parent_path();
#else
    std::error_code error;
    return std::filesystem::read_symlink("/proc/self/exe", error).parent_path();
#endif
}

// The module's entry, or nullptr with why in problem. The module stays
// loaded to the end of the process, as Qt, once started, expects.
SheetModuleEntry LoadEntry(std::string& problem) {
    const std::filesystem::path folder = ProgramFolder();
    const std::filesystem::path beside = folder / kModuleName;
    const std::filesystem::path installed =
        (folder / kInstalledFolder / kModuleName).lexically_normal();
    for (const std::filesystem::path& path : {beside, installed}) {
        std::error_code error;
        if (!std::filesystem::is_regular_file(path, error))
            continue;
#ifdef _WIN32
        // Its DLLs are looked for beside it first.
        const HMODULE module = LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
        if (module == nullptr) {
            problem = "brellic-cli's sheet module \"" + Utf8(path) +
                      "\" could not be loaded (Windows error " + std::to_string(GetLastError()) +
                      ")";
            return nullptr;
        }
        const FARPROC address = GetProcAddress(module, kSheetModuleEntry);
        SheetModuleEntry entry = nullptr;
        static_assert(sizeof entry == sizeof address);
        std::memcpy(&entry, &address, sizeof entry);
#else
        void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (module == nullptr) {
            const char* why = dlerror();
            problem = "brellic-cli's sheet module could not be loaded (" +
                      std::string(why != nullptr ? why : Utf8(path)) + ")";
            return nullptr;
        }
        const auto entry = reinterpret_cast<SheetModuleEntry>(dlsym(module, kSheetModuleEntry));
#endif
        if (entry == nullptr)
            problem = "\"" + Utf8(path) + "\" is not brellic-cli's sheet module";
        return entry;
    }
    problem = "brellic-cli's sheet module " + std::string(kModuleName) + " is in neither \"" +
              Utf8(folder) + "\" nor \"" + Utf8(installed.parent_path()) + "\"";
    return nullptr;
}

} // namespace

std::string RenderSheetInModule(const SheetContent& content, SheetFormat format,
                                std::optional<std::chrono::year_month_day> date,
                                std::string& problem) {
    static std::string loadProblem;
    static const SheetModuleEntry entry = LoadEntry(loadProblem);
    if (entry == nullptr) {
        problem = loadProblem;
        return {};
    }
    SheetRequest request;
    request.Content = content;
    request.Format = format;
    request.Date = date;
    entry(&request);
    return std::move(request.Sheet);
}

} // namespace brellic
