// sheet: the calculation sheet as PDF or HTML, written whole or not at all.
#include "CliTestSupport.h"

#include "cli/SheetCommand.h"
#include "io/InstallationFile.h"
#include "io/SiteJson.h"

namespace brellic::test {
namespace {

CliEnvironment Dated() {
    CliEnvironment environment;
    environment.RenderSheet = [](const SheetContent& content, SheetFormat format,
                                 std::optional<std::chrono::year_month_day> date,
                                 std::string&) { return RenderSheet(content, format, date); };
    environment.SheetDate = std::chrono::year_month_day(std::chrono::year(2025), std::chrono::March,
                                                        std::chrono::day(14));
    return environment;
}

// An HTML sheet read as text: the no-break spaces between numbers and their
// units as spaces.
std::string HtmlText(const std::string& path) {
    std::string text = ReadAll(path);
    for (std::size_t at = text.find("\xC2\xA0"); at != std::string::npos;
         at = text.find("\xC2\xA0", at))
        text.replace(at, 2, " ");
    return text;
}

TEST(CliSheet, WritesThePdf) {
    TempFolder folder;
    WriteSite(folder.File("s.KVR"), MeetingSite());
    const CliRun run =
        RunTool({"sheet", folder.File("s.KVR"), "-o", folder.File("s.pdf")}, Dated());
    ASSERT_EQ(run.Status, kCliOk) << run.Err;
    EXPECT_EQ(run.Out, "");
    EXPECT_EQ(run.Err, ""); // nothing from Qt either
    const std::string pdf = ReadAll(folder.File("s.pdf"));
    EXPECT_TRUE(pdf.starts_with("%PDF-"));
    EXPECT_NE(pdf.rfind("%%EOF"), std::string::npos);
    EXPECT_EQ(folder.EntryCount(), 2u); // no temporary file left behind
}

TEST(CliSheet, WritesTheHtmlWithTheSiteAsTheWindowOpensIt) {
    TempFolder folder;
    WriteSite(folder.File("s.KVR"), MeetingSite());
    const CliRun run = RunTool({"sheet", "--standard", "EN50131-1", "--alarm-period", "15",
                                folder.File("s.KVR"), "-o", folder.File("s.HTML")},
                               Dated());
    ASSERT_EQ(run.Status, kCliOk) << run.Err;
    const std::string html = HtmlText(folder.File("s.HTML"));
    EXPECT_TRUE(html.starts_with("<!DOCTYPE html>"));
    for (const char* wanted : {
             "Caf\xC3\xA9 \xE2\x82\xAC 7", // the site reference, in UTF-8
             "14 March 2025",
             "EN50131-1",
             "AC fail signalled",
             "Door contact",
             "144.41 Hours", // the figures brellic-cli check gives
             "0.496 Amps",
             "Required standby = EN50131-1, grade 3, AC fail signalled = 30 Hours",
             "Actual standby = 16.752 Ah \xC3\xB7 0.116 A = 144.41 Hours",
         })
        EXPECT_NE(html.find(wanted), std::string::npos) << wanted;

    const CliRun pd = RunTool({"sheet", "--standard", "PD6662", "--alarm-period", "30",
                               folder.File("s.KVR"), "-o", folder.File("s.htm")},
                              Dated());
    ASSERT_EQ(pd.Status, kCliOk) << pd.Err;
    const std::string other = HtmlText(folder.File("s.htm"));
    EXPECT_NE(other.find("PD6662, grade 3, AC fail signalled = 12 Hours"), std::string::npos);
    EXPECT_NE(other.find("30 minutes"), std::string::npos);
}

TEST(CliSheet, AnUnusableSiteOrOutputWritesNothing) {
    TempFolder folder;
    const std::string out = folder.File("s.pdf");
    WriteAll(out, "earlier sheet");
    WriteAll(folder.File("short.KVR"), "not a site");

    for (const std::string& site : {folder.File("short.KVR"), folder.File("missing.KVR")}) {
        const CliRun run = RunTool({"sheet", site, "-o", out}, Dated());
        EXPECT_EQ(run.Status, kCliError) << site;
        EXPECT_NE(run.Err.find(site), std::string::npos) << run.Err;
        EXPECT_EQ(ReadAll(out), "earlier sheet");
    }

    WriteSite(folder.File("s.KVR"), MeetingSite());
    const std::string nowhere = folder.File("no folder/s.pdf");
    const CliRun run = RunTool({"sheet", folder.File("s.KVR"), "-o", nowhere}, Dated());
    EXPECT_EQ(run.Status, kCliError);
    EXPECT_NE(run.Err.find(nowhere), std::string::npos) << run.Err;

    const CliRun text = RunTool({"sheet", folder.File("s.KVR"), "-o", folder.File("s.txt")});
    EXPECT_EQ(text.Status, kCliError);
    EXPECT_NE(text.Err.find("Usage:"), std::string::npos);
    EXPECT_EQ(folder.EntryCount(), 3u); // s.pdf, short.KVR and s.KVR only
}

// An installation's sheet judges every supply under the installation's own
// standard and alarm period, whatever the options say.
TEST(CliSheet, WritesAnInstallationsSheet) {
    TempFolder folder;
    Installation depot;
    depot.Name = "Depot";
    depot.Standard = 0;
    depot.AlarmPeriodMinutes = 30;
    depot.Supplies.push_back({"Main", SupplySiteOf(MeetingSite())});
    SupplySite unfinished = SupplySiteOf(MeetingSite());
    unfinished.Panel.reset();
    unfinished.Battery.reset();
    depot.Supplies.push_back({"Yard", unfinished});
    const std::string path = folder.File("depot.brellic");
    ASSERT_TRUE(WriteInstallationFile(path, depot));

    const CliRun html = RunTool({"sheet", "--standard", "PD6662", "--alarm-period", "15", path,
                                 "-o", folder.File("depot.html")},
                                Dated());
    ASSERT_EQ(html.Status, kCliOk) << html.Err;
    EXPECT_EQ(html.Err, "");
    const std::string text = HtmlText(folder.File("depot.html"));
    for (const char* wanted : {
             "<title>Calculation Sheet - Depot</title>",
             "Installation Calculation Sheet",
             "14 March 2025",
             "30 minutes",
             "Supply 1 of 2: Main",
             "Required standby = EN50131-1, grade 3, AC fail signalled = 30 Hours",
             "Supply 2 of 2: Yard",
             "not judged (no panel or battery chosen)",
             "(1 of 2 supplies meet)",
         })
        EXPECT_NE(text.find(wanted), std::string::npos) << wanted;
    EXPECT_EQ(text.find("PD6662"), std::string::npos);

    const CliRun pdf = RunTool({"sheet", path, "-o", folder.File("depot.pdf")}, Dated());
    ASSERT_EQ(pdf.Status, kCliOk) << pdf.Err;
    EXPECT_TRUE(ReadAll(folder.File("depot.pdf")).starts_with("%PDF-"));
    EXPECT_EQ(folder.EntryCount(), 3u);
}

TEST(CliSheet, ADamagedInstallationWritesNothing) {
    TempFolder folder;
    const std::string path = folder.File("bad.brellic");
    WriteAll(path, "{\"format\": \"brellic-installation\", \"version\": 1}\n");
    const std::string out = folder.File("bad.pdf");
    WriteAll(out, "earlier sheet");
    const CliRun run = RunTool({"sheet", path, "-o", out}, Dated());
    EXPECT_EQ(run.Status, kCliError);
    EXPECT_NE(run.Err.find(path), std::string::npos) << run.Err;
    EXPECT_NE(run.Err.find("name"), std::string::npos) << run.Err;
    EXPECT_EQ(ReadAll(out), "earlier sheet");
}

TEST(CliSheet, ARendererThatCannotBeLoadedIsNamedAndNothingIsWritten) {
    TempFolder folder;
    WriteSite(folder.File("s.KVR"), MeetingSite());
    const std::string out = folder.File("s.pdf");
    WriteAll(out, "earlier sheet");
    CliEnvironment environment = Dated();
    environment.RenderSheet = [](const SheetContent&, SheetFormat,
                                 std::optional<std::chrono::year_month_day>, std::string& problem) {
        problem = "its module is missing";
        return std::string();
    };
    const CliRun run = RunTool({"sheet", folder.File("s.KVR"), "-o", out}, environment);
    EXPECT_EQ(run.Status, kCliError);
    EXPECT_EQ(run.Err, "brellic-cli: Cannot write \"" + out +
                           "\": the calculation sheet could not be made: its module is missing.\n");
    EXPECT_EQ(ReadAll(out), "earlier sheet");
    EXPECT_EQ(folder.EntryCount(), 2u);
}

} // namespace
} // namespace brellic::test
