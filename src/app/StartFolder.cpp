#include "app/StartFolder.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace brellic {

namespace {

namespace fs = std::filesystem;

enum class Probe { Created, NameTaken, Failed };

// A name that no other file in the folder has in practice; a clash is
// retried, never overwritten.
fs::path ProbeName(const fs::path& folder) {
    static std::mt19937_64 random(
        (static_cast<std::uint64_t>(std::random_device{}()) << 32) ^
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
    char name[40];
    const auto length = std::snprintf(name, sizeof name, "~brellic-%016llx.tmp",
                                      static_cast<unsigned long long>(random()));
    return folder / std::string(name, static_cast<std::size_t>(length));
}

Probe CreateAndRemove(const fs::path& file) {
#ifdef _WIN32
    // Removed by the system when the handle closes, even if the program dies.
    const HANDLE handle = CreateFileW(
        file.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
        FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_FILE_EXISTS ? Probe::NameTaken : Probe::Failed;
    CloseHandle(handle);
    return Probe::Created;
#else
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return errno == EEXIST ? Probe::NameTaken : Probe::Failed;
    ::close(fd);
    ::unlink(file.c_str());
    return Probe::Created;
#endif
}

} // namespace

bool CanCreateFilesIn(const fs::path& folder) {
    for (int attempt = 0; attempt < 4; ++attempt) {
        switch (CreateAndRemove(ProbeName(folder))) {
        case Probe::Created:
            return true;
        case Probe::Failed:
            return false;
        case Probe::NameTaken:
            break;
        }
    }
    return false;
}

fs::path WorkingFolderFor(const fs::path& start,
                          const std::function<std::optional<fs::path>()>& fallback) {
    if (CanCreateFilesIn(start))
        return start;
    std::error_code error;
    if (const std::optional<fs::path> other = fallback(); other && fs::is_directory(*other, error))
        return *other;
    return start;
}

#ifdef _WIN32
std::optional<fs::path> UserDocumentsFolder() {
    PWSTR path = nullptr;
    std::optional<fs::path> folder;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Documents, KF_FLAG_DEFAULT, nullptr, &path)) &&
        path != nullptr)
        folder = fs::path(path);
    CoTaskMemFree(path);
    return folder;
}

void LeaveUnwritableStartFolder() {
    std::error_code error;
    const fs::path start = fs::current_path(error);
    if (error)
        return;
    const fs::path folder = WorkingFolderFor(start, UserDocumentsFolder);
    if (folder != start)
        fs::current_path(folder, error);
}
#endif

} // namespace brellic
