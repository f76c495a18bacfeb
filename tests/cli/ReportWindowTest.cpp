// The command-line report against the report the real main window writes
// for the same site file.
#include "CliTestSupport.h"

#include "editor/Prompter.h"
#include "ui/MainWindow.h"

#include <QApplication>

namespace brellic::test {
namespace {

class AnswerNo final : public Prompter {
public:
    bool Confirm(const std::string&) override { return Ask(); }
    bool ErrorQuestion(const std::string&) override { return Ask(); }
    void ShowError(const std::string& text) override { ADD_FAILURE() << text; }
    std::optional<std::string> OpenFileName() override { return std::nullopt; }
    std::optional<std::string> SaveFileName() override { return std::nullopt; }

    int questions = 0;

private:
    bool Ask() {
        ++questions;
        return false;
    }
};

class RecordingOpener final : public ReportOpener {
public:
    void Open(const std::string& path, std::function<void()>) override { opened.push_back(path); }
    std::vector<std::string> opened;
};

struct WindowCase {
    const char* Name;
    SiteFileData Site;
    std::int32_t Standard;
    std::int32_t AlarmPeriod;
    char Separator;
    int Questions; // asked while the window opens the file
};

std::vector<WindowCase> Cases() {
    SiteFileData belowGrade = MeetingSite();
    belowGrade.Grade = 2;
    belowGrade.Panel = 5;
    belowGrade.Battery = 0;
    belowGrade.AcFail = false;
    belowGrade.Devices.push_back(Device(12, "Grade 1 detector with a long name", 1, 0.18, 0.3));

    SiteFileData empty;
    empty.Grade = 1;

    SiteFileData full = FailingSite();
    full.Panel = 21;
    full.Battery = 3;
    full.Devices.clear();
    for (int i = 0; i < 100; ++i)
        full.Devices.push_back(
            Device(i * 3, "Line " + std::to_string(i), 2 + i % 2, i * 0.0015, i * 0.0105));
    return {
        {"meets, EN50131-1", MeetingSite(), 0, 15, '.', 0},
        {"fails, PD6662, comma", FailingSite(), 1, 120, ',', 0},
        {"devices below the grade kept", belowGrade, 0, 15, '.', 1},
        {"no devices, odd settings", empty, 7, 1, ',', 0},
        {"a hundred devices", full, 0, 120, '.', 1},
    };
}

TEST(CliReportMatchesWindow, SameBytesAsGenerateReport) {
    for (const WindowCase& c : Cases()) {
        SCOPED_TRACE(c.Name);
        TempFolder folder;
        const std::string site = folder.File("site.KVR");
        WriteSite(site, c.Site);

        MemorySettingsStore settings;
        settings.values[std::string(kSystemStandardValue)] = c.Standard;
        settings.values[std::string(kAlarmPeriodValue)] = c.AlarmPeriod;
        AnswerNo prompter;
        RecordingOpener opener;
        TfrmMain window(settings, prompter, opener, c.Separator);
        ASSERT_TRUE(window.Editor().OpenFile(site));
        EXPECT_EQ(prompter.questions, c.Questions);

        const std::filesystem::path previous = std::filesystem::current_path();
        std::filesystem::current_path(folder.Path());
        window.Editor().GenerateReport(opener);
        std::filesystem::current_path(previous);
        ASSERT_EQ(opener.opened.size(), 1u);
        const std::string written = ReadAll(folder.File("Report.Txt"));
        ASSERT_FALSE(written.empty());

        CliEnvironment environment;
        environment.DecimalSeparator = c.Separator;
        const CliRun options = RunTool({"report", "--standard", std::to_string(c.Standard),
                                        "--alarm-period", std::to_string(c.AlarmPeriod), site},
                                       environment);
        EXPECT_EQ(options.Status, kCliOk) << options.Err;
        EXPECT_EQ(options.Out, written);

        environment.StoredSettings = [&c]() -> std::unique_ptr<SettingsStore> {
            auto stored = std::make_unique<MemorySettingsStore>();
            stored->values[std::string(kSystemStandardValue)] = c.Standard;
            stored->values[std::string(kAlarmPeriodValue)] = c.AlarmPeriod;
            return stored;
        };
        const CliRun stored = RunTool({"report", site}, environment);
        EXPECT_EQ(stored.Status, kCliOk) << stored.Err;
        EXPECT_EQ(stored.Out, written);
    }
}

} // namespace
} // namespace brellic::test

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
