#include "SheetHtml.h"

#include "SheetMarkup.h"
#include "SheetVerdicts.h"

namespace brellic {

using namespace markup;

namespace {

// The section headings of a site's sheet, in the order it shows them.
constexpr const char* kDevicesHeading = "Devices Powered from Control Panel";
constexpr const char* kSummaryHeading = "System Summary";
constexpr const char* kWorkingHeading = "Working";
constexpr const char* kBatteryHeading = "Battery That Fits";
constexpr const char* kSpareHeading = "Spare Capacity";
constexpr const char* kRechargeHeading = "Recharge";
constexpr const char* kCheckedHeading = "Checked";

} // namespace

void SiteSections(SheetMarkup& h, const SiteSheetTexts& f, const QString& date,
                  const QString& underSummary) {
    // The site.
    h += PlainTable();
    h += Line(Pair("Site reference:", Html(f.SiteRef)) + Pair("Date:", date.toHtmlEscaped()));
    h += Line(Pair("Standard:", Html(f.Standard)) + Pair("Grade:", Html(f.Grade)));
    h += Line(Pair("Control panel:", Html(f.PanelName)) + Pair("Battery:", Html(f.BatteryText)));
    h += Line(Pair("AC fail signalled to ARC:", Html(f.AcFailSignalled)) +
              Pair("Alarm period:", Html(f.AlarmPeriod)));
    h += QStringLiteral("</table>\n");

    // The devices; the header row repeats on every page the table runs onto.
    h.Heading(HeadingKind::Section, kDevicesHeading);
    h += RuledTable();
    h += QStringLiteral("<thead><tr>") + HeaderCell("Qty", "center") + HeaderCell("Description") +
         HeaderCell("Grade", "center") + HeaderCell("Quiescent", "center") +
         HeaderCell("Alarm", "center") + QStringLiteral("</tr></thead>\n<tbody>\n");
    for (const SheetRow& row : f.Devices)
        h += DeviceRow(row);
    h += DeviceRow(f.PanelLine);
    h += DeviceRow(f.Totals, true);
    h += QStringLiteral("</tbody></table>\n");

    // The two verdicts, as the window shows them.
    h.Heading(HeadingKind::Section, kSummaryHeading);
    h += RuledTable();
    h += QStringLiteral("<tr>") + HeaderCell("Requirement") + HeaderCell("Actual") +
         HeaderCell("Comments") + QStringLiteral("</tr>\n");
    for (const SheetCheck* check : {&f.StandbyCheck, &f.AlarmCheck}) {
        h += QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td></tr>\n")
                 .arg(Figure(check->Requirement), Coloured(Figure(check->Actual), check->Result),
                      Html(check->Comment));
    }
    h += QStringLiteral("</table>\n") + underSummary;

    h.Heading(HeadingKind::Section, kWorkingHeading);
    h += PlainTable();
    for (const SheetFigure* figure :
         {&f.RequiredStandby, &f.PeakCurrent, &f.RatedOutput, &f.QuiescentTotal, &f.AlarmTotal,
          &f.RemainingCapacity, &f.ActualStandby})
        h += FigureRow(*figure);
    h +=
        CheckRow("Standby time", f.StandbyCheck, QStringLiteral("actual against required standby"));
    h +=
        CheckRow("Alarm current", f.AlarmCheck, QStringLiteral("alarm total against peak current"));
    h += QStringLiteral("</table>\n");

    h.Heading(HeadingKind::Section, kBatteryHeading);
    h += PlainTable();
    h += FigureRow(f.CapacityNeeded);
    h += FigureRow(f.CapacityWithAllowance);
    h += QStringLiteral("</table>\n");
    if (!f.Batteries.empty()) {
        h += RuledTable();
        h += QStringLiteral("<tr>") + HeaderCell("Battery this panel takes") +
             HeaderCell("Actual standby", "center") + HeaderCell("Standby time", "center") +
             QStringLiteral("</tr>\n");
        for (const SheetBattery& battery : f.Batteries) {
            QString name = Html(battery.Text);
            if (battery.Chosen)
                name += QStringLiteral(" (chosen)");
            h += Row({name, Html(battery.ActualStandby),
                      Coloured(VerdictWord(battery.Standby), battery.Standby)},
                     0);
        }
        h += QStringLiteral("</table>\n");
    }
    h += QStringLiteral("<p style=\"margin-top:3px\"><b>%1</b></p>\n")
             .arg(Figure(f.BatteryConclusion));

    h.Heading(HeadingKind::Section, kSpareHeading);
    h += PlainTable();
    h += FigureRow(f.SpareQuiescent);
    h += FigureRow(f.SpareAlarm);
    h += QStringLiteral("</table>\n");

    h.Heading(HeadingKind::WholeSection, kRechargeHeading);
    h += PlainTable();
    h += FigureRow(f.Recharge);
    h += CheckRow("Recharge time", f.RechargeCheck,
                  QStringLiteral("limit commonly applied (EN 50131-6)"));
    h += QStringLiteral("</table>\n");
}

void CheckedBlock(SheetMarkup& h) {
    h.Heading(HeadingKind::Signature, kCheckedHeading);
    h += RuledTable() +
         QStringLiteral("<tr><td width=\"40%\" valign=\"top\" style=\"height:44px\">Checked "
                        "by:<br/><br/><br/></td><td width=\"20%\" valign=\"top\">Date:</td>"
                        "<td width=\"40%\" valign=\"top\">Signature:</td></tr>\n</table>\n");
}

SheetMarkup SiteHtml(const SiteSheetTexts& f, const QString& title, const QString& date) {
    SheetMarkup h;
    h += HtmlStart(title) + SheetTitle(kSheetTitle, false);
    SiteSections(h, f, date);
    CheckedBlock(h);
    h += HtmlEnd();
    return h;
}

} // namespace brellic
