#include "io/AtomicFile.h"

#include "SpecialFiles.h"
#include "TempFolder.h"
#include "Unprivileged.h"
#include "Writers.h"

#include <gtest/gtest.h>

#include <filesystem>

#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace brellic {
namespace {

namespace fs = std::filesystem;

const std::string kOld = "the earlier content, longer than the new one";
const std::string kNew = "new content";

bool StartsWith(const std::string& text, const std::string& start) {
    return text.rfind(start, 0) == 0;
}

using test::kWriters;
using test::Writer;

TEST(FileWriting, CreatesAndReplacesWholeFiles) {
    for (const Writer& writer : kWriters) {
        test::TempFolder folder;
        const std::string path = folder.File("Report \u00E9.Txt");
        ASSERT_TRUE(writer.Write(path, kOld)) << writer.Name;
        EXPECT_EQ(test::ReadAll(path), kOld) << writer.Name;
        const IoResult result = writer.Write(path, kNew);
        EXPECT_TRUE(result) << writer.Name << ": " << result.Message;
        EXPECT_EQ(test::ReadAll(path), kNew) << writer.Name;
        EXPECT_EQ(folder.EntryCount(), 1u) << writer.Name << ": a temporary file was left";
    }
}

TEST(FileWriting, FailureNamesThePathAndTheReason) {
    for (const Writer& writer : kWriters) {
        test::TempFolder folder;
        const std::string path = folder.File("missing") + "/site.KVR";
        const IoResult result = writer.Write(path, kNew);
        EXPECT_FALSE(result) << writer.Name;
        EXPECT_TRUE(StartsWith(result.Message, "Cannot create \"" + path + "\": ") ||
                    StartsWith(result.Message, "Cannot write \"" + path + "\": "))
            << result.Message;
        EXPECT_GT(result.Message.size(), path.size() + 20) << "no reason given: " << result.Message;
    }
}

TEST(FileWriting, FolderInTheWayIsLeftAlone) {
    for (const Writer& writer : kWriters) {
        test::TempFolder folder;
        const std::string path = folder.File("taken");
        fs::create_directory(test::FsPath(path));
        test::WriteAll(path + "/inside", kOld);
        EXPECT_FALSE(writer.Write(path, kNew)) << writer.Name;
        EXPECT_EQ(test::ReadAll(path + "/inside"), kOld) << writer.Name;
        EXPECT_EQ(folder.EntryCount(), 1u) << writer.Name;
    }
}

TEST(FileWriting, ReadOnlyFileIsLeftUnchanged) {
    test::RunAsUnprivilegedUser([] {
        for (const Writer& writer : kWriters) {
            test::TempFolder folder;
            const std::string path = folder.File("Report.Txt");
            test::WriteAll(path, kOld);
            fs::permissions(test::FsPath(path), fs::perms::owner_read | fs::perms::group_read);
            const IoResult result = writer.Write(path, kNew);
            EXPECT_FALSE(result) << writer.Name;
            EXPECT_NE(result.Message.find(path), std::string::npos) << result.Message;
            EXPECT_EQ(test::ReadAll(path), kOld) << writer.Name;
            EXPECT_EQ(folder.EntryCount(), 1u) << writer.Name;
        }
    });
}

TEST(FileReading, ReadsAtMostTheBytesAskedFor) {
    test::TempFolder folder;
    const std::string path = folder.File("data");
    test::WriteAll(path, kOld);
    std::vector<unsigned char> bytes;
    ASSERT_TRUE(ReadFileHead(path, 4, bytes));
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), kOld.substr(0, 4));
    ASSERT_TRUE(ReadFileHead(path, 1000, bytes));
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), kOld);
    // A generous limit is no reason to take (and zero) that much memory.
    ASSERT_TRUE(ReadFileHead(path, std::size_t{256} << 20, bytes));
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), kOld);
    EXPECT_LT(bytes.capacity(), std::size_t{1} << 20);

    // A file longer than the first guess of the buffer is read whole.
    const std::string large(70000, 'x');
    test::WriteAll(path, large);
    ASSERT_TRUE(ReadFileHead(path, std::size_t{8} << 20, bytes));
    EXPECT_EQ(bytes.size(), large.size());
    ASSERT_TRUE(ReadFileHead(path, 65537, bytes));
    EXPECT_EQ(bytes.size(), 65537u);

    const IoResult missing = ReadFileHead(folder.File("none"), 4, bytes);
    EXPECT_FALSE(missing);
    EXPECT_TRUE(StartsWith(missing.Message, "Cannot open \"" + folder.File("none") + "\": "));
    EXPECT_FALSE(ReadFileHead(folder.File(""), 4, bytes)) << "a folder is not a file";
}

// What is not a file is refused before anything is read from it: a named
// pipe would wait for a writer for ever, and a device never ends.
TEST(FileReading, RefusesWhatIsNotAFileWithoutWaiting) {
    test::TempFolder folder;
    struct Case {
        std::string Path;
        const char* Kind;
    };
    std::vector<Case> cases = {{folder.File("sub"), "a folder"}};
    fs::create_directory(test::FsPath(cases[0].Path));
#ifdef _WIN32
    cases.push_back({"NUL", "a device"});
#else
    const test::FailIfStuck guard;
    test::MakeFifo(folder.File("pipe.KVR"));
    cases.push_back({folder.File("pipe.KVR"), "a named pipe"});
    cases.push_back({"/dev/zero", "a device"});
    fs::create_symlink(folder.File("pipe.KVR"), folder.File("link.KVR"));
    cases.push_back({folder.File("link.KVR"), "a named pipe"});
#endif
    for (const Case& c : cases) {
        std::vector<unsigned char> bytes{1, 2};
        const IoResult result = ReadFileHead(c.Path, 100, bytes);
        EXPECT_FALSE(result) << c.Path;
        EXPECT_EQ(result.Message,
                  "Cannot open \"" + c.Path + "\": it is " + c.Kind + ", not a file");
        EXPECT_TRUE(bytes.empty()) << c.Path;
    }
}

#ifndef _WIN32
// Makes every write past a few bytes fail, as a full disk does.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previous_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    void (*previous_)(int) = nullptr;
};

TEST(FileWriting, AtomicWriteFailingPartWayKeepsTheOldFile) {
    test::TempFolder folder;
    const std::string path = folder.File("site.KVR");
    test::WriteAll(path, kOld);
    const std::string big(100000, 'x');
    IoResult result;
    {
        FileSizeLimit limit(4096);
        result = WriteFileAtomically(path, big);
    }
    EXPECT_FALSE(result);
    EXPECT_TRUE(StartsWith(result.Message, "Cannot write \"" + path + "\": File too large"))
        << result.Message;
    EXPECT_EQ(test::ReadAll(path), kOld);
    EXPECT_EQ(folder.EntryCount(), 1u) << "the temporary file was left behind";
}

// A disk that fills up at the third of three files leaves all three as they
// were, and no temporary file.
TEST(FileWriting, FilesWrittenTogetherAreAllWrittenOrNone) {
    test::TempFolder folder;
    std::vector<FileToWrite> files;
    for (const char* name : {"supply-01.KVR", "supply-02.KVR", "supply-03.KVR"}) {
        test::WriteAll(folder.File(name), kOld);
        files.push_back({folder.File(name), std::vector<unsigned char>(kNew.begin(), kNew.end())});
    }
    files.back().Bytes.resize(100000, 'x');
    IoResult result;
    {
        FileSizeLimit limit(4096);
        result = WriteFilesTogether(files);
    }
    EXPECT_TRUE(StartsWith(result.Message, "Cannot write \"" + files.back().Path + "\": "))
        << result.Message;
    for (const FileToWrite& file : files)
        EXPECT_EQ(test::ReadAll(file.Path), kOld) << file.Path;
    EXPECT_EQ(folder.EntryCount(), 3u) << "a temporary file was left behind";

    files.back().Bytes.resize(kNew.size());
    ASSERT_TRUE(WriteFilesTogether(files));
    for (const FileToWrite& file : files)
        EXPECT_EQ(test::ReadAll(file.Path), kNew) << file.Path;
    EXPECT_EQ(folder.EntryCount(), 3u);
}

TEST(FileWriting, AtomicWriteInAReadOnlyFolderKeepsTheOldFile) {
    test::RunAsUnprivilegedUser([] {
        test::TempFolder folder;
        const std::string path = folder.File("site.KVR");
        test::WriteAll(path, kOld);
        fs::permissions(folder.Path(), fs::perms::owner_read | fs::perms::owner_exec);
        const IoResult result = WriteFileAtomically(path, kNew);
        EXPECT_EQ(result.Message, "Cannot write \"" + path + "\": Permission denied");
        EXPECT_EQ(test::ReadAll(path), kOld);
        EXPECT_EQ(folder.EntryCount(), 1u);
    });
}

TEST(FileWriting, AtomicWriteKeepsLinksPermissionsAndOwner) {
    test::TempFolder folder;
    const std::string target = folder.File("real.KVR");
    const std::string link = folder.File("link.KVR");
    test::WriteAll(target, kOld);
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink(target, link);
    // Root may give the file away; anyone else keeps their own.
    const uid_t owner = ::geteuid() == 0 ? 65534 : ::geteuid();
    const gid_t group = ::geteuid() == 0 ? 65534 : ::getegid();
    ASSERT_EQ(::chown(target.c_str(), owner, group), 0);

    ASSERT_TRUE(WriteFileAtomically(link, kNew));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(test::ReadAll(target), kNew);
    EXPECT_EQ(fs::status(target).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    struct stat info {};
    ASSERT_EQ(::stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, owner);
    EXPECT_EQ(info.st_gid, group);
}
#endif

} // namespace
} // namespace brellic
