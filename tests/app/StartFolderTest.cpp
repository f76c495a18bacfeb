// Where the program works when the folder it started in takes no files. A
// folder made read-only would not do: an administrator (or root) may write
// there all the same. A missing folder and a file in a folder's place cannot
// take files for anyone.
#include "app/StartFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

namespace brellic {
namespace {

namespace fs = std::filesystem;

class StartFolder : public testing::Test {
protected:
    void SetUp() override {
        const auto* info = testing::UnitTest::GetInstance()->current_test_info();
        root = fs::temp_directory_path() / (std::string("brellic-startfolder-") + info->name());
        fs::remove_all(root);
        fs::create_directories(root / "start");
        fs::create_directories(root / "documents");
        std::ofstream(root / "file") << "x";
    }
    void TearDown() override { fs::remove_all(root); }

    fs::path root;
    int asked = 0;
    std::function<std::optional<fs::path>()> Fallback(std::optional<fs::path> folder) {
        return [this, folder] {
            ++asked;
            return folder;
        };
    }
};

TEST_F(StartFolder, ProbingAFolderLeavesNothingBehind) {
    EXPECT_TRUE(CanCreateFilesIn(root / "start"));
    EXPECT_TRUE(fs::is_empty(root / "start"));
}

TEST_F(StartFolder, MissingFolderOrFileCannotTakeFiles) {
    EXPECT_FALSE(CanCreateFilesIn(root / "missing"));
    EXPECT_FALSE(CanCreateFilesIn(root / "file"));
}

TEST_F(StartFolder, WritableStartFolderIsKeptWithoutAskingForAnother) {
    EXPECT_EQ(WorkingFolderFor(root / "start", Fallback(root / "documents")), root / "start");
    EXPECT_EQ(asked, 0);
}

TEST_F(StartFolder, UnwritableStartFolderGivesWayToTheFallback) {
    EXPECT_EQ(WorkingFolderFor(root / "missing", Fallback(root / "documents")), root / "documents");
    EXPECT_EQ(asked, 1);
}

TEST_F(StartFolder, NoUsableFallbackKeepsTheStartFolder) {
    for (const std::optional<fs::path>& fallback :
         {std::optional<fs::path>(), std::optional<fs::path>(root / "gone"),
          std::optional<fs::path>(root / "file")})
        EXPECT_EQ(WorkingFolderFor(root / "file", Fallback(fallback)), root / "file");
}

#ifdef _WIN32
TEST(UserDocumentsFolder, IsAnExistingFolderThatTakesFiles) {
    const std::optional<fs::path> documents = UserDocumentsFolder();
    ASSERT_TRUE(documents);
    EXPECT_TRUE(documents->is_absolute());
    EXPECT_TRUE(CanCreateFilesIn(*documents));
}
#endif

} // namespace
} // namespace brellic
