#include "io/AtomicFile.h"

#include "io/Cp1252.h"

#include <algorithm>

#include <atomic>
#include <cerrno>
#include <climits>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace brellic {
namespace {

IoResult Fail(std::string_view what, const std::string& path, int error) {
    return IoResult::Failure(std::string(what) + " " + QuotedPath(path) + ": " +
                             std::generic_category().message(error));
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
    return IoResult::Failure(std::string(what) + " " + QuotedPath(path) + ": it is " + kind +
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

std::string NameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a write to path must replace: path itself, or where its chain of
// symbolic links ends, so that the links stay and the file they lead to is
// replaced (or created, for a link to a file not yet there). Links in the
// folders of the path need no help: the system follows them in every call.
IoResult FinalTarget(const std::string& path, std::string& target) {
    constexpr int kMaxLinks = 40; // as the system counts before it says ELOOP
    target = path;
    for (int links = 0;; ++links) {
        struct stat info {};
        if (::lstat(target.c_str(), &info) != 0)
            return errno == ENOENT ? IoResult::Success() : Fail("Cannot write", path, errno);
        if (!S_ISLNK(info.st_mode))
            return IoResult::Success();
        if (links == kMaxLinks)
            return Fail("Cannot write", path, ELOOP);
        std::string text(PATH_MAX, '\0');
        const ssize_t length = ::readlink(target.c_str(), text.data(), text.size());
        if (length < 0)
            return Fail("Cannot write", path, errno);
        if (static_cast<std::size_t>(length) >= text.size())
            return Fail("Cannot write", path, ENAMETOOLONG);
        text.resize(static_cast<std::size_t>(length));
        target = text.starts_with('/') ? text : FolderOf(target) + "/" + text;
    }
}

// Refuses to write over what is not a regular file (looked at through any
// links); nothing there at all is fine.
IoResult CheckWritableTarget(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0)
        return S_ISREG(info.st_mode) ? IoResult::Success()
                                     : NotAFile("Cannot write", path, info.st_mode);
    // A loop of links says ELOOP here; a missing file or a link to one is fine.
    return errno == ENOENT ? IoResult::Success() : Fail("Cannot write", path, errno);
}

// Creates a new, empty file in folder under a name no one else uses.
int CreateTemporary(const std::string& folder, const std::string& targetName, std::string& name) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = folder + "/" +
               TemporaryFileName(targetName, static_cast<unsigned long>(::getpid()), counter++);
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

// Gives the replacement the old file's owner where the process may: root
// can, anyone else at most the group, when they belong to it. Otherwise the
// file becomes the writer's own, as any file it creates.
bool KeepOwner(int fd, const struct stat& old) {
    return ::fchown(fd, old.st_uid, old.st_gid) == 0 ||
           ::fchown(fd, static_cast<uid_t>(-1), old.st_gid) == 0;
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
    if (IoResult usable = CheckWritableTarget(path); !usable)
        return usable;
    std::string target;
    if (IoResult found = FinalTarget(path, target); !found)
        return found;
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && !S_ISREG(existing.st_mode))
        return NotAFile("Cannot write", path, existing.st_mode);
    // A rename would replace a read-only file regardless; keep its protection.
    if (exists && ::access(target.c_str(), W_OK) != 0)
        return Fail("Cannot write", path, errno);

    const std::string folder = FolderOf(target);
    std::string temporary;
    const int fd = CreateTemporary(folder, NameOf(target), temporary);
    if (fd < 0)
        return Fail("Cannot write", path, errno);
    if (exists) {
        // The owner first: a change of owner can clear mode bits.
        KeepOwner(fd, existing);
        ::fchmod(fd, existing.st_mode & 07777);
    }

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

IoResult WriteTemporaryFor(const std::string& path, std::span<const unsigned char> bytes,
                           std::string& temporary) {
    const int fd = CreateTemporary(FolderOf(path), NameOf(path), temporary);
    if (fd < 0)
        return Fail("Cannot write", path, errno);
    int error = WriteAll(fd, bytes);
    if (error == 0 && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error != 0) {
        ::unlink(temporary.c_str());
        return Fail("Cannot write", path, error);
    }
    return IoResult::Success();
}

IoResult ReplaceWithTemporary(const std::string& temporary, const std::string& path) {
    if (::rename(temporary.c_str(), path.c_str()) != 0)
        return Fail("Cannot write", path, errno);
    SyncFolder(FolderOf(path));
    return IoResult::Success();
}

void RemoveTemporary(const std::string& temporary) {
    ::unlink(temporary.c_str());
}

IoResult WriteFileReplacing(const std::string& path, std::span<const unsigned char> bytes) {
    if (IoResult usable = CheckWritableTarget(path); !usable)
        return usable;
    // Opened without blocking and looked at again before it is emptied, in
    // case the name has come to stand for a pipe or a device meanwhile.
    const int fd =
        ::open(path.c_str(), O_WRONLY | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd < 0)
        return Fail("Cannot create", path, errno);
    struct stat info {};
    int error = ::fstat(fd, &info) != 0 ? errno : 0;
    if (error == 0 && !S_ISREG(info.st_mode)) {
        ::close(fd);
        return NotAFile("Cannot write", path, info.st_mode);
    }
    if (error == 0 && ::ftruncate(fd, 0) != 0)
        error = errno;
    if (error == 0)
        error = WriteAll(fd, bytes);
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error != 0)
        return Fail("Cannot write", path, error);
    return IoResult::Success();
}

bool IsSameFile(const std::string& a, const std::string& b) {
    struct stat first {};
    struct stat second {};
    return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
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
    // Sized from the file, not from the limit: zeroing a buffer of the whole
    // limit (megabytes for an installation) costs more than reading a small
    // file. One byte over the size shows a file that grew since fstat.
    const std::size_t expected = static_cast<std::size_t>(std::max<off_t>(info.st_size, 0)) + 1;
    out.resize(std::min(maxBytes, std::max<std::size_t>(expected, 4096)));
    std::size_t filled = 0;
    int error = 0;
    while (filled < maxBytes) {
        if (filled == out.size())
            out.resize(std::min(maxBytes, out.size() * 2));
        const ssize_t got = ::read(fd, out.data() + filled, out.size() - filled);
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
