#include "EditorFixture.h"
#include "io/SiteFile.h"

#include <filesystem>
#include <fstream>
#include <iterator>

using namespace brellic;
using brellic::test::EditorTest;
using Asked = brellic::test::ScriptedPrompter::Asked;
namespace fs = std::filesystem;

namespace {

class FileCommandsTest : public EditorTest {
protected:
    fs::path dir;

    void SetUp() override {
        EditorTest::SetUp();
        dir = fs::temp_directory_path() /
              ("brellic-editor-" +
               std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string PathOf(const std::string& name) const { return (dir / name).string(); }

    static std::string Bytes(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    std::string WriteSite(const std::string& name, const SiteFileData& data) {
        const std::string path = PathOf(name);
        EXPECT_TRUE(WriteSiteFile(path, data));
        return path;
    }

    void OpenAnswering(const std::string& path) {
        prompter.openNames.push_back(path);
        editor->Open();
    }
};

SiteFileData SampleSite() {
    SiteFileData site;
    site.SiteRef = "Unit 4, Mill Lane";
    site.Grade = 3;
    site.Panel = 15;
    site.Battery = 1; // "17.0 Ah" in that panel's list
    site.AcFail = true;
    site.Devices = {{2, 3, std::string(DeviceCatalogue[21].Name), 0.04, 0.04},
                    {1, 3, "Door contact", 0.025, 0.05}};
    return site;
}

} // namespace

TEST_F(FileCommandsTest, SaveAsThenOpenRestoresTheSite) {
    Ready(3, 15, "17.0 Ah");
    editor->AcFailClicked(true);
    editor->SiteRefChanged("Unit 4, Mill Lane");
    AddCatalogue(DeviceCatalogue[21].Name, 2);
    AddCustom("Door contact", 1, 0.025, 0.05);
    const std::string path = PathOf("site.KVR");
    prompter.saveNames.push_back(path);
    EXPECT_EQ(editor->Save(true), SaveOutcome::Saved);
    EXPECT_EQ(texts().Caption, "Brellic - " + path);
    EXPECT_TRUE(view().Enabled.mnuSave);
    EXPECT_TRUE(site().Modified); // saving does not clear it
    EXPECT_EQ(fs::file_size(path), kSiteFileSize);

    const DisplayTexts saved = texts();
    const std::vector<DeviceList::Entry> devices(editor->Devices().begin(),
                                                 editor->Devices().end());
    prompter.answers = {false}; // do not save again before opening
    editor->New();
    OpenAnswering(path);
    EXPECT_EQ(view().SiteRef, "Unit 4, Mill Lane");
    EXPECT_EQ(site().SystemGrade, 3);
    EXPECT_EQ(site().PanelIndex, 15);
    EXPECT_EQ(view().BatterySelected, 1);
    EXPECT_TRUE(view().AcFailChecked);
    EXPECT_FALSE(site().Modified);
    EXPECT_EQ(site().SiteFileName, path);
    ASSERT_EQ(editor->Devices().Count(), devices.size());
    for (std::size_t i = 0; i < devices.size(); ++i) {
        EXPECT_EQ(editor->Devices().At(i).Data, devices[i].Data);
        EXPECT_EQ(editor->Devices().At(i).Text, devices[i].Text);
    }
    EXPECT_EQ(texts().lbActStandby, saved.lbActStandby);
    EXPECT_EQ(texts().lbPeriod, "12 Hours"); // PD6662, grade 3, AC fail signalled
    EXPECT_EQ(texts().Caption, saved.Caption);
}

TEST_F(FileCommandsTest, SaveWritesToTheSameFileWithoutADialog) {
    const std::string path = WriteSite("site.KVR", SampleSite());
    OpenAnswering(path);
    AddCatalogue(DeviceCatalogue[53].Name);
    EXPECT_EQ(editor->Save(false), SaveOutcome::Saved);
    const SiteFileResult read = ReadSiteFile(path);
    ASSERT_TRUE(read);
    EXPECT_EQ(read.Data.Devices.size(), 3u);
    // Still modified, so closing offers to save again, without a dialog.
    prompter.answers = {true};
    EXPECT_TRUE(editor->CloseQuery());
    EXPECT_EQ(prompter.asked.back().text, kSaveQuestion);
}

TEST_F(FileCommandsTest, OpenCancelledOrTooShortChangesNothing) {
    Ready(2, 10, "17.0 Ah");
    editor->SiteRefChanged("Keep me");
    AddCatalogue(DeviceCatalogue[21].Name);
    const Controls before = view();
    prompter.answers = {false, false, false}; // do not save before each open
    prompter.openNames.push_back(std::nullopt);
    editor->Open();

    EXPECT_EQ(prompter.Count(Asked::Error), 0u);

    // A short file is refused aloud: a window that quietly kept the old site
    // would let the next Save write it over the file the user meant to open.
    for (const std::size_t size : {std::size_t{0}, kSiteFileSize - 1}) {
        const std::string shortFile = PathOf("short.KVR");
        std::ofstream(shortFile, std::ios::binary) << std::string(size, '\0');
        prompter.asked.clear();
        OpenAnswering(shortFile);
        EXPECT_EQ(view().SiteRef, before.SiteRef);
        EXPECT_EQ(view().PanelSelected, before.PanelSelected);
        EXPECT_EQ(view().BatterySelected, before.BatterySelected);
        EXPECT_EQ(editor->Devices().Count(), 1u);
        EXPECT_EQ(site().SiteFileName, "");
        ASSERT_EQ(prompter.Count(Asked::Error), 1u);
        EXPECT_EQ(prompter.asked.back().text, shortFile + " is not a complete site file (" +
                                                  (size == 0 ? "0" : "8,327") +
                                                  " bytes; a site file has 8,328).");
    }
}

TEST_F(FileCommandsTest, DamagedFileIsRefusedWithTheFileNamed) {
    std::vector<unsigned char> bytes = EncodeSiteFile(SampleSite());
    bytes[52] = 7; // grade 7
    const std::string path = PathOf("damaged.KVR");
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    OpenAnswering(path);
    ASSERT_EQ(prompter.Count(Asked::Error), 1u);
    EXPECT_NE(prompter.asked.back().text.find("damaged.KVR"), std::string::npos);
    EXPECT_EQ(site().SystemGrade, 2);
    EXPECT_EQ(site().SiteFileName, "");
}

TEST_F(FileCommandsTest, OpeningAsksAboutTheEarlierPanelAndLowDevices) {
    // A grade-1 panel is chosen; the file is a grade-3 site.
    Ready(1, 0, "2.1 Ah");
    SiteFileData file = SampleSite();
    file.Devices.push_back({1, 2, "Low grade custom", 0.01, 0.01});
    const std::string path = WriteSite("site.KVR", file);
    // Do not save the edited site; refresh the panel list; remove the low device.
    prompter.answers = {false, true, true};
    OpenAnswering(path);
    ASSERT_EQ(prompter.asked.size(), 3u);
    EXPECT_EQ(prompter.asked[0].text, kSaveQuestion);
    EXPECT_EQ(prompter.asked[1].text.rfind("The " + std::string(PanelTable[0].Name), 0), 0u);
    EXPECT_EQ(prompter.asked[2].text, kRemoveBelowGradeQuestion);
    EXPECT_EQ(editor->Devices().Count(), 2u);
    EXPECT_EQ(site().PanelIndex, 15);
    EXPECT_EQ(view().GradeIndex, 2);
    EXPECT_FALSE(site().Modified);
}

TEST_F(FileCommandsTest, SaveOfferOnClose) {
    // Modified without a battery: no question.
    ChooseGrade(3);
    EXPECT_TRUE(editor->CloseQuery());
    EXPECT_TRUE(prompter.asked.empty());

    Ready(3, 15, "17.0 Ah");
    prompter.answers = {false};
    EXPECT_TRUE(editor->CloseQuery());

    // Yes on an untitled site shows Save As; cancelling it keeps the window open.
    prompter.answers = {true};
    prompter.saveNames.push_back(std::nullopt);
    EXPECT_FALSE(editor->CloseQuery());

    prompter.answers = {true};
    prompter.saveNames.push_back(PathOf("closing.KVR"));
    EXPECT_TRUE(editor->CloseQuery());
    EXPECT_TRUE(fs::exists(PathOf("closing.KVR")));
}

TEST_F(FileCommandsTest, FailedSaveIsReportedAndKeepsTheWindowOpen) {
    Ready(2, 10, "17.0 Ah");
    const std::string path = (dir / "missing-folder" / "site.KVR").string();
    prompter.saveNames.push_back(path);
    EXPECT_EQ(editor->Save(true), SaveOutcome::Failed);
    ASSERT_EQ(prompter.Count(Asked::Error), 1u);
    EXPECT_NE(prompter.asked.back().text.find("site.KVR"), std::string::npos);
    EXPECT_EQ(site().SiteFileName, path);
    EXPECT_EQ(texts().Caption, "Brellic - " + path);

    prompter.answers = {true};
    EXPECT_FALSE(editor->CloseQuery());
}

TEST_F(FileCommandsTest, NewAndOpenOfferToSaveFirst) {
    Ready(2, 10, "17.0 Ah");
    AddCatalogue(DeviceCatalogue[21].Name);
    // Yes, then cancel Save As: New stops and the site stays.
    prompter.answers = {true};
    prompter.saveNames.push_back(std::nullopt);
    editor->New();
    EXPECT_EQ(editor->Devices().Count(), 1u);
    EXPECT_EQ(site().PanelIndex, 10);

    prompter.answers = {true};
    prompter.saveNames.push_back(std::nullopt);
    editor->Open(); // no open dialog is shown: the command stopped
    EXPECT_EQ(editor->Devices().Count(), 1u);

    prompter.answers = {false};
    editor->New();
    EXPECT_TRUE(editor->Devices().Empty());
}

TEST_F(FileCommandsTest, QuantityZeroFromAFileSurvivesAnEdit) {
    SiteFileData file = SampleSite();
    file.Devices = {{0, 3, "Spare", 0.0, 0.0}, {0, 3, "Odd", 0.02, 0.03}};
    OpenAnswering(WriteSite("zero.KVR", file));
    for (int i = 0; i < 2; ++i) {
        const TDeviceData before = editor->Devices().At(static_cast<std::size_t>(i)).Data;
        editor->SelectDevice(i);
        editor->btnEditClick([](DeviceDialog& dialog) {
            EXPECT_EQ(dialog.ShownQuantity(), 1);
            return true;
        });
        EXPECT_EQ(editor->Devices().At(static_cast<std::size_t>(i)).Data, before);
    }
}

// A report that no program could open is named with its full path, so the
// user can find it, as information (it was written: nothing failed); one
// that was opened is not mentioned.
TEST_F(FileCommandsTest, ReportNoProgramOpensIsNamedWithItsFullPath) {
    struct Opener final : ReportOpener {
        bool found = true;
        std::vector<std::string> opened;
        void Open(const std::string& path, std::function<void()> notOpened) override {
            opened.push_back(path);
            if (!found)
                notOpened();
        }
    } opener;
    Ready(3, 15, "17.0 Ah");
    const fs::path previous = fs::current_path();
    fs::current_path(dir);
    const std::string full = (fs::current_path() / kReportFileName).string();
    editor->GenerateReport(opener);
    opener.found = false;
    editor->GenerateReport(opener);
    fs::current_path(previous);

    EXPECT_EQ(opener.opened, (std::vector<std::string>{kReportFileName, kReportFileName}));
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0].kind, Asked::Information);
    EXPECT_NE(prompter.asked[0].text.find(full), std::string::npos) << prompter.asked[0].text;
    EXPECT_TRUE(fs::is_regular_file(dir / kReportFileName));
}
