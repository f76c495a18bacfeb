#include "io/Report.h"

#include <gtest/gtest.h>

#include <vector>

namespace brellic {
namespace {

ReportSite Site() {
    ReportSite site;
    site.SiteRef = "Unit 4";
    site.SystemStandard = 1;
    site.SystemGrade = 2;
    site.PanelName = "QX-230 Panel";
    site.BatteryText = "7.2 Ah";
    return site;
}

DisplayTexts Texts() {
    DisplayTexts texts;
    texts.lbPeriod = "12 Hours";
    texts.lbPSU = "1.500 Amps";
    texts.lbBattCurrent = "0.500 Amps";
    texts.lbPeakCurrent = "1.000 Amps";
    texts.lbRatedOP = "0.600 Amps";
    texts.lbReqStandby = "12 Hours";
    texts.lbActStandby = "20.00 Hours";
    texts.lbSbNotes = "Meets Requirement";
    texts.lbReqPeakCur = "1.000 Amps";
    texts.lbActPeak = "0.200 Amps";
    texts.lbPeakNotes = "Meets Requirement";
    texts.lbCPNomI = "0.100 Amps";
    texts.lbCPAlarmI = "0.150 Amps";
    texts.TotNomI = "0.139 Amps";
    texts.TotAlarmI = "0.189 Amps";
    return texts;
}

// Splits at CR LF; fails when the text does not end in one or holds a bare LF.
std::vector<std::string> Lines(const std::string& report) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < report.size()) {
        const std::size_t end = report.find("\r\n", start);
        if (end == std::string::npos) {
            ADD_FAILURE() << "the last line has no CR LF";
            break;
        }
        lines.push_back(report.substr(start, end - start));
        EXPECT_EQ(lines.back().find_first_of("\r\n"), std::string::npos) << lines.back();
        start = end + 2;
    }
    return lines;
}

std::vector<std::string> Report(const ReportSite& site, const std::vector<TDeviceData>& devices,
                                char separator = '.') {
    return Lines(BuildReport(site, devices, Texts(), separator));
}

TEST(Report, EmptyDeviceListGivesTheWholeTemplate) {
    const std::string rule62(62, '-');
    const std::vector<std::string> expected = {
        "Power Supply Report for: Unit 4",
        "",
        "PD6662 System Grade: 2",
        "",
        "Control Panel: QX-230 Panel",
        "Battery Size: 7.2 Ah",
        "AC Fail Sigalled to ARC: No",
        "Required Standby Time: 12 Hours",
        "Total PSU Output: 1.500 Amps",
        "Battery Charging Current: 0.500 Amps",
        "Peak Available Current: 1.000 Amps",
        "Continuous Rated Output: 0.600 Amps",
        "",
        "Summary of System Devices",
        "",
        "Qty  Description\t         Grade  Quiescent   Alarm",
        rule62,
        "01   QX-230 Panel                2      0.100 Amps  0.150 Amps",
        rule62,
        "                       Total Current:   0.139 Amps  0.189 Amps",
        rule62,
        "",
        "System Summary",
        "",
        "Requirement\t\t\tActual\t\tNotes",
        std::string(89, '-'),
        "12 Hours\t\t20.00 Hours\tMeets Requirement",
        "1.000 Amps\t0.200 Amps\tMeets Requirement",
    };
    EXPECT_EQ(Report(Site(), {}), expected);
}

TEST(Report, DeviceLinesFollowTheListInOrder) {
    const std::vector<TDeviceData> devices = {
        TDeviceData{3, 2, "Door contact", 0.039, 0.039},
        TDeviceData{5, 3, "Sounder", 0.0125, 1.5},
        TDeviceData{100, 1, "A description of more than 25 characters", 1, 2},
        TDeviceData{0, 2, "Spare", 0, 0},
    };
    const std::vector<std::string> lines = Report(Site(), devices);
    ASSERT_EQ(lines.size(), 28u + devices.size());
    const std::string spaces3(3, ' '), spaces2(2, ' ');
    EXPECT_EQ(lines[17], "03" + spaces3 + "Door contact" + std::string(13, ' ') + spaces3 + "2" +
                             std::string(6, ' ') + "0.039 Amps" + spaces2 + "0.039 Amps" + spaces2);
    EXPECT_EQ(lines[17].size(), 64u);
    EXPECT_EQ(lines[18], "05   Sounder                     3      0.013 Amps  1.500 Amps  ");
    EXPECT_EQ(lines[19], "100   A description of more than 25 characters   1      1.000 Amps  "
                         "2.000 Amps  ");
    EXPECT_EQ(lines[20].substr(0, 8), "00   Spa");
    EXPECT_EQ(lines[21].substr(0, 5), "01   ");
    EXPECT_EQ(lines[22], std::string(62, '-'));
    EXPECT_EQ(lines.back(), "1.000 Amps\t0.200 Amps\tMeets Requirement");
}

TEST(Report, SiteDetailsAsChosen) {
    ReportSite site = Site();
    site.SiteRef.clear();
    site.SystemStandard = 0;
    site.SystemGrade = 3;
    site.AcFailSignalled = true;
    site.PanelName = "Control panel with a long name";
    std::vector<std::string> lines = Report(site, {});
    EXPECT_EQ(lines[0], "Power Supply Report for: ");
    EXPECT_EQ(lines[2], "EN50131-1 System Grade: 3");
    EXPECT_EQ(lines[6], "AC Fail Sigalled to ARC: Yes");
    EXPECT_EQ(lines[17], "01   Control panel with a long name   3      0.100 Amps  0.150 Amps");

    site.SystemStandard = 5;
    lines = Report(site, {});
    EXPECT_EQ(lines[2], "PD6662 System Grade: 3");
}

TEST(Report, UsesTheSeparatorAndSingleByteText) {
    ReportSite site = Site();
    site.SiteRef = "Caf\u00E9 \u20AC";
    site.PanelName = "Centrale \u00E9";
    const std::vector<TDeviceData> devices = {TDeviceData{1, 1, "D\u00E9tecteur", 0.5, 0.0625}};
    const std::vector<std::string> lines = Report(site, devices, ',');
    EXPECT_EQ(lines[0], "Power Supply Report for: Caf\xE9 \x80");
    // Padding counts characters: the accented letter is one byte of the field.
    EXPECT_EQ(lines[17], "01   D\xE9tecteur                   1      0,500 Amps  0,063 Amps  ");
    EXPECT_EQ(lines[18].substr(0, 34), "01   Centrale \xE9                  2");
}

TEST(Report, UnrepresentableCharacterBecomesAQuestionMark) {
    ReportSite site = Site();
    site.SiteRef = "\u03A9 site";
    EXPECT_EQ(Report(site, {})[0], "Power Supply Report for: ? site");
}

} // namespace
} // namespace brellic
