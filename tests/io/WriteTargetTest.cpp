// Where the file writers write: only into a regular file, through symbolic
// links to the file they point to, never over one of a command's inputs.
#include "io/AtomicFile.h"

#include "SpecialFiles.h"
#include "TempFolder.h"
#include "Writers.h"

#include <gtest/gtest.h>

#include <filesystem>

#ifdef _WIN32
#include <windows.h>
#else
#include <csignal>
#include <cstring>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace brellic {
namespace {

namespace fs = std::filesystem;

const std::string kOld = "the earlier content";
const std::string kNew = "new content";

using test::kWriters;
using test::Writer;

TEST(TemporaryFile, IsAHiddenNameDerivedFromTheTarget) {
    EXPECT_EQ(TemporaryFileName("site.KVR", 1234, 7), ".site.KVR~brellic-1234-7.tmp");
    // A long name is cut, at a character boundary, so that the whole name
    // still fits a file system's 255-byte limit.
    const std::string longName = std::string(199, 'x') + "\xC3\xA9" + std::string(100, 'y');
    const std::string name = TemporaryFileName(longName, 4294967295u, 4294967295u);
    EXPECT_LE(name.size(), 255u);
    EXPECT_EQ(name, "." + std::string(199, 'x') + "~brellic-4294967295-4294967295.tmp");
}

TEST(SameFile, ComparesTheFilesNotTheNames) {
    test::TempFolder folder;
    const std::string a = folder.File("a.KVR");
    const std::string b = folder.File("b.KVR");
    test::WriteAll(a, kOld);
    test::WriteAll(b, kOld);
    fs::create_hard_link(test::FsPath(a), test::FsPath(folder.File("hard.KVR")));
    EXPECT_TRUE(IsSameFile(a, a));
    EXPECT_TRUE(IsSameFile(a, folder.File("hard.KVR")));
    EXPECT_TRUE(IsSameFile(folder.File("hard.KVR"), a));
    EXPECT_FALSE(IsSameFile(a, b)) << "the same content is not the same file";
    EXPECT_FALSE(IsSameFile(a, folder.File("missing.KVR")));
    EXPECT_FALSE(IsSameFile(folder.File("missing.KVR"), folder.File("missing.KVR")));
#ifndef _WIN32
    fs::create_symlink("a.KVR", test::FsPath(folder.File("link.KVR")));
    EXPECT_TRUE(IsSameFile(folder.File("link.KVR"), a));
#endif
}

#ifdef _WIN32
TEST(FileWriting, DevicesAreRefusedAndTheWrittenFileIsNotHidden) {
    for (const Writer& writer : kWriters) {
        EXPECT_EQ(writer.Write("NUL", kNew).Message,
                  "Cannot write \"NUL\": it is a device, not a file")
            << writer.Name;
    }
    // The temporary file is hidden while it is written, the result is not.
    test::TempFolder folder;
    const std::string path = folder.File("site.KVR");
    ASSERT_TRUE(WriteFileAtomically(path, kNew));
    EXPECT_EQ(::GetFileAttributesW(test::FsPath(path).c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
    EXPECT_EQ(folder.EntryCount(), 1u);
}
#else
std::size_t EntryCount(const std::string& folder) {
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

std::string Kind(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0)
        return "missing";
    return S_ISREG(info.st_mode)    ? "file"
           : S_ISLNK(info.st_mode)  ? "link"
           : S_ISFIFO(info.st_mode) ? "pipe"
           : S_ISSOCK(info.st_mode) ? "socket"
           : S_ISCHR(info.st_mode)  ? "device"
                                    : "other";
}

// A socket's name stays in its folder after the socket is closed.
void MakeSocket(const std::string& path) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(path.size(), sizeof address.sun_path);
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    EXPECT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ::close(fd);
}

// Renaming a file over a pipe, socket or device would quietly turn it into a
// plain file, and opening a pipe for writing waits for a reader.
TEST(FileWriting, WhatIsNotAFileIsRefusedAndLeftAsItIs) {
    const test::FailIfStuck guard;
    test::TempFolder folder;
    struct Case {
        std::string Name, Kind, Says;
    };
    std::vector<Case> cases = {{"pipe.KVR", "pipe", "a named pipe"},
                               {"socket.KVR", "socket", "a socket"},
                               {"link.KVR", "link", "a named pipe"}};
    test::MakeFifo(folder.File("pipe.KVR"));
    MakeSocket(folder.File("socket.KVR"));
    fs::create_symlink("pipe.KVR", folder.File("link.KVR"));
    // Only root may make a device node; it is a copy of /dev/null.
    if (::geteuid() == 0) {
        ASSERT_EQ(::mknod(folder.File("null.KVR").c_str(), S_IFCHR | 0666, makedev(1, 3)), 0);
        cases.push_back({"null.KVR", "device", "a device"});
    }
    const std::size_t entries = folder.EntryCount();
    for (const Writer& writer : kWriters) {
        for (const Case& c : cases) {
            const std::string path = folder.File(c.Name);
            const IoResult result = writer.Write(path, kNew);
            EXPECT_FALSE(result) << writer.Name << " " << c.Name;
            EXPECT_EQ(result.Message,
                      "Cannot write \"" + path + "\": it is " + c.Says + ", not a file")
                << writer.Name;
            EXPECT_EQ(Kind(path), c.Kind) << writer.Name << " " << c.Name;
        }
    }
    EXPECT_EQ(Kind(folder.File("pipe.KVR")), "pipe");
    EXPECT_EQ(folder.EntryCount(), entries) << "a temporary file was left";
}

TEST(FileWriting, SymbolicLinksAreFollowedToTheFileAndKept) {
    for (const Writer& writer : kWriters) {
        SCOPED_TRACE(writer.Name);
        test::TempFolder folder;
        fs::create_directory(folder.File("a"));
        fs::create_directory(folder.File("b"));
        // first -> second -> ../b/real, both relative to the link's own folder.
        test::WriteAll(folder.File("b/real.KVR"), kOld);
        fs::create_symlink("second.KVR", folder.File("a/first.KVR"));
        fs::create_symlink("../b/real.KVR", folder.File("a/second.KVR"));
        ASSERT_TRUE(writer.Write(folder.File("a/first.KVR"), kNew));
        EXPECT_EQ(test::ReadAll(folder.File("b/real.KVR")), kNew);
        EXPECT_EQ(fs::read_symlink(folder.File("a/first.KVR")), "second.KVR");
        EXPECT_EQ(fs::read_symlink(folder.File("a/second.KVR")), "../b/real.KVR");
        EXPECT_EQ(EntryCount(folder.File("a")), 2u);
        EXPECT_EQ(EntryCount(folder.File("b")), 1u);

        // A link to a file not yet there creates that file.
        fs::create_symlink("made.KVR", folder.File("dangling.KVR"));
        ASSERT_TRUE(writer.Write(folder.File("dangling.KVR"), kNew));
        EXPECT_EQ(Kind(folder.File("dangling.KVR")), "link");
        EXPECT_EQ(test::ReadAll(folder.File("made.KVR")), kNew);

        fs::create_symlink("y.KVR", folder.File("x.KVR"));
        fs::create_symlink("x.KVR", folder.File("y.KVR"));
        const IoResult loop = writer.Write(folder.File("x.KVR"), kNew);
        EXPECT_EQ(loop.Message, "Cannot write \"" + folder.File("x.KVR") +
                                    "\": Too many levels of symbolic links");
        EXPECT_EQ(Kind(folder.File("x.KVR")), "link");
        EXPECT_EQ(Kind(folder.File("y.KVR")), "link");
    }
}

// A write cut short (here by the file size limit's signal, as a crash or a
// power cut would) leaves the old file and a temporary file whose name says
// what it was meant to become.
TEST(FileWriting, InterruptedWriteLeavesAHiddenFileNamedAfterTheTarget) {
    test::TempFolder folder;
    const std::string path = folder.File("Mill Lane.KVR");
    test::WriteAll(path, kOld);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        rlimit limit{4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        std::signal(SIGXFSZ, SIG_DFL);
        WriteFileAtomically(path, std::string(100000, 'x'));
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ) << status;
    EXPECT_EQ(test::ReadAll(path), kOld);
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder.Path()))
        names.push_back(entry.path().filename().string());
    ASSERT_EQ(names.size(), 2u);
    const std::string left = names[0] == "Mill Lane.KVR" ? names[1] : names[0];
    const std::string start = ".Mill Lane.KVR~brellic-" + std::to_string(child) + "-";
    EXPECT_EQ(left.substr(0, start.size()), start);
    EXPECT_EQ(left.substr(left.size() - 4), ".tmp");
}
#endif

} // namespace
} // namespace brellic
