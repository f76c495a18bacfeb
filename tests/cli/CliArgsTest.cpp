#include "cli/CliArgs.h"
#include "cli/SourceDate.h"

#include <gtest/gtest.h>

#include <limits>

namespace brellic {
namespace {

TEST(CliArgs, StandardTakesNamesAndStoredValues) {
    EXPECT_EQ(ParseStandard("EN50131-1"), 0);
    EXPECT_EQ(ParseStandard("en50131-1"), 0);
    EXPECT_EQ(ParseStandard("PD6662"), 1);
    EXPECT_EQ(ParseStandard("0"), 0);
    EXPECT_EQ(ParseStandard("7"), 7);
    EXPECT_EQ(ParseStandard("-1"), -1);
    for (const char* bad : {"", "EN50131", "PD 6662", "1.0", "0x1", "2147483648", " 1"})
        EXPECT_FALSE(ParseStandard(bad)) << bad;
}

TEST(CliArgs, WholeNumbersCoverTheSigned32BitRange) {
    EXPECT_EQ(ParseWholeNumber("-2147483648"), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(ParseWholeNumber("+2147483647"), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(ParseWholeNumber("0"), 0);
    for (const char* bad : {"", "+", "-", "2147483648", "-2147483649", "15m", "1e3", "++1"})
        EXPECT_FALSE(ParseWholeNumber(bad)) << bad;
}

TEST(CliArgs, OptionsMayStandAnywhereInBothForms) {
    const CliParseResult parsed = ParseCliArguments(
        {"check", "a.KVR", "--standard=PD6662", "b.KVR", "--alarm-period", "45", "--", "-c.KVR"});
    ASSERT_TRUE(parsed) << parsed.Error;
    EXPECT_EQ(parsed.Options.Command, CliCommand::Check);
    EXPECT_EQ(parsed.Options.Standard, 1);
    EXPECT_EQ(parsed.Options.AlarmPeriod, 45);
    EXPECT_EQ(parsed.Options.Files, (std::vector<std::string>{"a.KVR", "b.KVR", "-c.KVR"}));

    const CliParseResult report = ParseCliArguments({"report", "-o", "out.txt", "s.KVR"});
    ASSERT_TRUE(report);
    EXPECT_EQ(report.Options.Output, "out.txt");
    EXPECT_FALSE(report.Options.Standard);
    EXPECT_FALSE(report.Options.AlarmPeriod);
}

TEST(CliArgs, HelpWinsAnywhereBeforeTheEndOfOptions) {
    EXPECT_EQ(ParseCliArguments({"--help"}).Options.Command, CliCommand::Help);
    EXPECT_EQ(ParseCliArguments({"report", "--bogus", "-h"}).Options.Command, CliCommand::Help);
    const CliParseResult file = ParseCliArguments({"export", "--", "--help"});
    ASSERT_TRUE(file);
    EXPECT_EQ(file.Options.Files, std::vector<std::string>{"--help"});
}

TEST(CliArgs, VersionWinsAsHelpDoesButGivesWayToHelp) {
    EXPECT_EQ(ParseCliArguments({"--version"}).Options.Command, CliCommand::Version);
    EXPECT_EQ(ParseCliArguments({"check", "a.KVR", "--version"}).Options.Command,
              CliCommand::Version);
    EXPECT_EQ(ParseCliArguments({"--version", "-h"}).Options.Command, CliCommand::Help);

    const CliParseResult output = ParseCliArguments({"report", "-o", "--version", "s.KVR"});
    ASSERT_TRUE(output) << output.Error;
    EXPECT_EQ(output.Options.Output, "--version");
    const CliParseResult file = ParseCliArguments({"export", "--", "--version"});
    ASSERT_TRUE(file) << file.Error;
    EXPECT_EQ(file.Options.Command, CliCommand::Export);
}

// "-h" is a name like any other where no option can stand: as an option's
// value and after "--".
TEST(CliArgs, HelpCountsOnlyWhereAnOptionMayStand) {
    const CliParseResult output = ParseCliArguments({"report", "-o", "-h", "s.KVR"});
    ASSERT_TRUE(output) << output.Error;
    EXPECT_EQ(output.Options.Command, CliCommand::Report);
    EXPECT_EQ(output.Options.Output, "-h");

    const CliParseResult files = ParseCliArguments({"check", "a.KVR", "--", "-h", "--help", "--"});
    ASSERT_TRUE(files) << files.Error;
    EXPECT_EQ(files.Options.Command, CliCommand::Check);
    EXPECT_EQ(files.Options.Files, (std::vector<std::string>{"a.KVR", "-h", "--help", "--"}));

    EXPECT_FALSE(ParseCliArguments({"check", "--alarm-period", "--help", "a.KVR"}));
    EXPECT_FALSE(ParseCliArguments({"check", "--standard", "-h", "a.KVR"}));
    EXPECT_EQ(ParseCliArguments({"check", "--standard", "0", "-h"}).Options.Command,
              CliCommand::Help);
    EXPECT_EQ(ParseCliArguments({"import", "x.json", "--output=-h", "--help"}).Options.Command,
              CliCommand::Help);
}

TEST(CliArgs, RejectsWhatACommandDoesNotTake) {
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"reprot", "s.KVR"},
        {"report"},
        {"report", "a.KVR", "b.KVR"},
        {"report", "--bogus", "s.KVR"},
        {"report", "-x", "s.KVR"},
        {"report", "s.KVR", "-o"},
        {"report", "-o", "", "s.KVR"},
        {"report", "-o", "a", "-o", "b", "s.KVR"},
        {"report", "--standard", "EN", "s.KVR"},
        {"report", "--standard", "0", "--standard", "1", "s.KVR"},
        {"report", "--alarm-period", "2147483648", "s.KVR"},
        {"report", "--alarm-period=", "s.KVR"},
        // Outside the Options dialog's 1 to 120 minutes a period is no alarm load.
        {"report", "--alarm-period", "0", "s.KVR"},
        {"check", "--alarm-period=121", "s.KVR"},
        {"sheet", "--alarm-period", "-2147483648", "s.KVR", "-o", "s.pdf"},
        {"check"},
        {"check", "-o", "out", "s.KVR"},
        {"check", "--json=yes", "s.KVR"},
        {"check", "--json", "--json", "s.KVR"},
        {"report", "--json", "s.KVR"},
        {"export", "--json", "s.KVR"},
        {"export", "--standard", "0", "s.KVR"},
        {"export", "-o", "out.json", "s.KVR"},
        {"import", "s.json"},
        {"import", "--alarm-period", "15", "s.json", "-o", "out.KVR"},
        {"import", "a.json", "b.json", "-o", "out.KVR"},
    };
    for (const std::vector<std::string>& args : bad) {
        std::string line;
        for (const std::string& arg : args)
            line += arg + " ";
        EXPECT_FALSE(ParseCliArguments(args)) << line;
    }
}

TEST(CliArgs, JsonIsAFlagOfCheck) {
    EXPECT_FALSE(ParseCliArguments({"check", "s.KVR"}).Options.Json);
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"check", "--json", "a.KVR", "b.KVR"},
          {"check", "a.KVR", "--json", "b.KVR"},
          {"check", "--standard", "0", "a.KVR", "b.KVR", "--json"}}) {
        const CliParseResult parsed = ParseCliArguments(args);
        ASSERT_TRUE(parsed) << parsed.Error;
        EXPECT_TRUE(parsed.Options.Json);
        EXPECT_EQ(parsed.Options.Files, (std::vector<std::string>{"a.KVR", "b.KVR"}));
    }
    // After "--" it is a file name.
    const CliParseResult named = ParseCliArguments({"check", "--", "--json"});
    EXPECT_FALSE(named.Options.Json);
    EXPECT_EQ(named.Options.Files, std::vector<std::string>{"--json"});
}

TEST(CliArgs, UsageDocumentsEveryCommand) {
    const std::string usage = CliUsage();
    for (const char* command : {"report", "check", "export", "import", "--help", "--version",
                                "--standard", "--alarm-period", "-o", "--json", "\"summary\""})
        EXPECT_NE(usage.find(command), std::string::npos) << command;
}

TEST(CliArgs, SheetWritesPdfOrHtmlByTheOutputName) {
    const CliParseResult parsed =
        ParseCliArguments({"sheet", "--alarm-period", "30", "s.KVR", "-o", "s.pdf"});
    ASSERT_TRUE(parsed) << parsed.Error;
    EXPECT_EQ(parsed.Options.Command, CliCommand::Sheet);
    EXPECT_EQ(parsed.Options.AlarmPeriod, 30);
    EXPECT_EQ(parsed.Options.Output, "s.pdf");

    EXPECT_EQ(SheetFormatFor("a/b.pdf"), SheetFormat::Pdf);
    EXPECT_EQ(SheetFormatFor("B.PDF"), SheetFormat::Pdf);
    EXPECT_EQ(SheetFormatFor("b.html"), SheetFormat::Html);
    EXPECT_EQ(SheetFormatFor("b.Htm"), SheetFormat::Html);
    for (const char* other : {"b.txt", "b.pdf.txt", "pdf", ".pdf", "b.xhtml", "b.html "})
        EXPECT_FALSE(SheetFormatFor(other)) << other;

    EXPECT_EQ(ParseCliArguments({"sheet", "s.KVR"}).Error,
              "sheet needs -o SHEET.pdf or -o SHEET.html");
    EXPECT_EQ(ParseCliArguments({"sheet", "s.KVR", "-o", "s.txt"}).Error,
              "sheet writes a .pdf or an .html file, not 's.txt'");
    EXPECT_FALSE(ParseCliArguments({"sheet", "a.KVR", "b.KVR", "-o", "s.pdf"}));
    EXPECT_NE(CliUsage().find("brellic-cli sheet"), std::string::npos);
}

} // namespace

// SOURCE_DATE_EPOCH fixes a sheet's date only when it is a date a sheet can
// show: a huge value once wrapped the year round.
TEST(CliArgs, InstallationsAloneNeedNoStoredSettings) {
    const auto reads = [](const std::vector<std::string>& args) {
        const CliParseResult parsed = ParseCliArguments(args);
        EXPECT_TRUE(parsed) << parsed.Error;
        return ReadsStoredSettings(parsed.Options);
    };
    EXPECT_FALSE(reads({"check", "a.brellic", "b.BRELLIC"}));
    EXPECT_FALSE(reads({"check", "--json", "a.brellic"}));
    EXPECT_FALSE(reads({"report", "a.brellic"}));
    EXPECT_TRUE(reads({"check", "a.brellic", "s.KVR"}));
    EXPECT_TRUE(reads({"check", "--standard", "PD6662", "s.KVR", "a.brellic"}));
    EXPECT_TRUE(reads({"report", "s.KVR"}));
    EXPECT_FALSE(reads({"check", "--standard", "PD6662", "--alarm-period", "30", "s.KVR"}));
    EXPECT_TRUE(reads({"combine", "-o", "i.brellic", "s.KVR"}));
    EXPECT_FALSE(reads({"export", "s.KVR"}));
}

TEST(SourceDate, OnlyWholeSecondsUpToTheEndOfYear9999) {
    using namespace std::chrono;
    std::string warning;
    EXPECT_EQ(ParseSourceDateEpoch("0", warning), year_month_day(year(1970), January, day(1)));
    EXPECT_EQ(warning, "");
    EXPECT_EQ(ParseSourceDateEpoch("1741910400", warning),
              year_month_day(year(2025), March, day(14)));
    EXPECT_EQ(ParseSourceDateEpoch("253402300799", warning),
              year_month_day(year(9999), December, day(31)));
    EXPECT_EQ(warning, "");
    for (const char* bad : {"253402300800", "99999999999999999999999", "-1", "+5", "1.5", "", "12 ",
                            "0x10", "9223372036854775807"}) {
        EXPECT_FALSE(ParseSourceDateEpoch(bad, warning)) << bad;
        EXPECT_EQ(warning, std::string("SOURCE_DATE_EPOCH \"") + bad +
                               "\" is not a whole number of seconds from 0 to 253402300799 (the "
                               "end of year 9999); the current time is used.");
    }
}

} // namespace brellic
