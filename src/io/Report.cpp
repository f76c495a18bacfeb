#include "io/Report.h"

#include "io/Cp1252.h"
#include "model/Format.h"

namespace brellic {
namespace {

// "%-25s": a text left-aligned in 25 characters, never cut.
struct Field {
    std::string_view Utf8;
};

// Collects the report's lines as single-byte text. The inputs have been
// checked at the edits, so a character without a Windows-1252 byte can only
// come from a fault elsewhere; it shows as '?' rather than stopping the report.
class ReportWriter {
public:
    template <typename... Parts> void Line(const Parts&... parts) {
        (Append(parts), ...);
        text_ += "\r\n";
    }
    std::string Take() { return std::move(text_); }

private:
    void Append(std::string_view utf8) { text_ += Utf8ToCp1252Lossy(utf8); }
    // Padding counts single-byte characters, so the text is converted first.
    void Append(Field field) { text_ += PadRight(Utf8ToCp1252Lossy(field.Utf8), 25); }

    std::string text_;
};

} // namespace

std::string BuildReport(const ReportSite& site, std::span<const TDeviceData> devices,
                        const DisplayTexts& texts, char separator) {
    const std::string shortRule(62, '-');
    const std::string longRule(89, '-');
    const std::string grade = FormatInt(site.SystemGrade);
    ReportWriter out;

    out.Line("Power Supply Report for: ", site.SiteRef);
    out.Line();
    out.Line(StandardName(site.SystemStandard), " System Grade: ", grade);
    out.Line();
    out.Line("Control Panel: ", site.PanelName);
    out.Line("Battery Size: ", site.BatteryText);
    out.Line("AC Fail Sigalled to ARC: ", site.AcFailSignalled ? "Yes" : "No");
    out.Line("Required Standby Time: ", texts.lbPeriod);
    out.Line("Total PSU Output: ", texts.lbPSU);
    out.Line("Battery Charging Current: ", texts.lbBattCurrent);
    out.Line("Peak Available Current: ", texts.lbPeakCurrent);
    out.Line("Continuous Rated Output: ", texts.lbRatedOP);
    out.Line();
    out.Line("Summary of System Devices");
    out.Line();
    out.Line("Qty  Description\t         Grade  Quiescent   Alarm");
    out.Line(shortRule);
    for (const TDeviceData& device : devices) {
        out.Line(FormatIntMin(device.Qty, 2), "   ", Field{device.Description}, "   ",
                 FormatInt(device.Grade), "      ", FormatFixed(device.Quiescent, 3, separator),
                 " Amps  ", FormatFixed(device.Alarm, 3, separator), " Amps  ");
    }
    out.Line("01   ", Field{site.PanelName}, "   ", grade, "      ", texts.lbCPNomI, "  ",
             texts.lbCPAlarmI);
    out.Line(shortRule);
    out.Line("                       Total Current:   ", texts.TotNomI, "  ", texts.TotAlarmI);
    out.Line(shortRule);
    out.Line();
    out.Line("System Summary");
    out.Line();
    out.Line("Requirement\t\t\tActual\t\tNotes");
    out.Line(longRule);
    out.Line(texts.lbReqStandby, "\t\t", texts.lbActStandby, "\t", texts.lbSbNotes);
    out.Line(texts.lbReqPeakCur, "\t", texts.lbActPeak, "\t", texts.lbPeakNotes);
    return out.Take();
}

} // namespace brellic
