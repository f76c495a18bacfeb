#include "io/AtomicFile.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <memory>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace brellic {
namespace {

IoResult Fail(std::string_view what, const std::string& path, int error) {
    return IoResult::Failure(std::string(what) + " \"" + path +
                             "\": " + std::generic_category().message(error));
}

// Named pipes, devices, sockets and folders are not files: a pipe blocks its
// reader until a writer comes, a device never ends, and renaming a file over
// any of them would replace it with a plain file.
IoResult NotAFile(std::string_view what, const std::string& path, mode_t mode) {
    const char* kind = S_ISDIR(mode)                    ? "a folder"
                       : S_ISFIFO(mode)                 ? "a named pipe"
                       : S_ISCHR(mode) || S_ISBLK(mode) ? "a device"
                       : S_ISSOCK(mode)                 ? "a socket"
                                                        : "something else";
    return IoResult::Failure(std::string(what) + " \"" + path + "\": it is " + kind +
                             ", not a file");
}

// Writes everything, resuming after interrupted and partial writes; 0 or errno.
int WriteAll(int fd, std::span<const unsigned char> bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        bytes = bytes.subspan(static_cast<std::size_t>(written));
    }
    return 0;
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Writing through a symbolic link replaces the file it points to, not the link.
std::string ResolveLink(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
        return path;
    std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr),
                                                         &std::free);
    return resolved ? std::string(resolved.get()) : path;
}

// Creates a new, empty file in folder under a name no one else uses.
int CreateTemporary(const std::string& folder, std::string& name) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = folder + "/.brellic-" + std::to_string(::getpid()) + "-" +
               std::to_string(counter++) + ".tmp";
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

// Makes the rename itself durable; a folder that cannot be synced is no error.
void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

IoResult WriteFileAtomically(const std::string& path, std::span<const unsigned char> bytes) {
    const std::string target = ResolveLink(path);
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode))
        return Fail("Cannot write", path, EISDIR);
    // A rename would replace a read-only file regardless; keep its protection.
    if (exists && ::access(target.c_str(), W_OK) != 0)
        return Fail("Cannot write", path, errno);

    const std::string folder = FolderOf(target);
    std::string temporary;
    const int fd = CreateTemporary(folder, temporary);
    if (fd < 0)
        return Fail("Cannot write", path, errno);
    if (exists)
        ::fchmod(fd, existing.st_mode & 07777);

    int error = WriteAll(fd, bytes);
    if (error == 0 && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && ::rename(temporary.c_str(), target.c_str()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temporary.c_str());
        return Fail("Cannot write", path, error);
    }
    SyncFolder(folder);
    return IoResult::Success();
}

IoResult WriteFileReplacing(const std::string& path, std::span<const unsigned char> bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        return Fail("Cannot create", path, errno);
    int error = WriteAll(fd, bytes);
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error != 0)
        return Fail("Cannot write", path, error);
    return IoResult::Success();
}

IoResult CheckFileOrMissing(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode))
        return NotAFile("Cannot open", path, info.st_mode);
    return IoResult::Success();
}

IoResult ReadFileHead(const std::string& path, std::size_t maxBytes,
                      std::vector<unsigned char>& out) {
    out.clear();
    // Looked at before opening, since opening some devices has effects of its
    // own; opened without blocking and looked at again, in case the name now
    // stands for something else.
    if (IoResult file = CheckFileOrMissing(path); !file)
        return file;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return Fail("Cannot open", path, errno);
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        const int error = errno;
        ::close(fd);
        return Fail("Cannot open", path, error);
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(fd);
        return NotAFile("Cannot open", path, info.st_mode);
    }
    out.resize(maxBytes);
    std::size_t filled = 0;
    int error = 0;
    while (filled < maxBytes) {
        const ssize_t got = ::read(fd, out.data() + filled, maxBytes - filled);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            error = errno;
        if (got <= 0)
            break;
        filled += static_cast<std::size_t>(got);
    }
    ::close(fd);
    out.resize(filled);
    if (error != 0) {
        out.clear();
        return Fail("Cannot read", path, error);
    }
    return IoResult::Success();
}

} // namespace brellic
