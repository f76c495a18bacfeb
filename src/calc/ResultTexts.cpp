#include "calc/ResultTexts.h"

#include "model/Format.h"

#include <cmath>

namespace brellic {

namespace {

void SetHours(std::string& text, int hours, std::string_view suffix) {
    text = FormatInt(hours);
    text.append(suffix);
}

// "%.3f Amps", or "Undefined" alone for a total that left the range of doubles.
void AssignAmps(std::string& text, double amps, char separator) {
    if (std::isfinite(amps))
        AssignFixed(text, {}, amps, 3, separator, " Amps");
    else
        text = kUndefinedFigure;
}

} // namespace

void FormatSupplyTexts(const SupplyResult& supply, std::string_view siteFileName,
                       DisplayTexts& texts, char separator) {
    if (!supply.HavePanel) {
        texts.lbPSU = "Unknown";
        texts.lbBattCurrent = "Unknown";
        texts.lbPeakCurrent = "Unknown";
        texts.lbRatedOP = "Please Select Battery";
    } else {
        AssignFixed(texts.lbPSU, {}, supply.PsuOutput, 2, separator, " Amps");
        AssignFixed(texts.lbBattCurrent, {}, supply.ChargeCurrent, 2, separator, " Amps");
        // The requirement always names the chosen panel's figure, also while
        // no battery is chosen yet, so it never shows a previous panel's.
        AssignFixed(texts.lbReqPeakCur, "Max Alarm Current: ", supply.PeakCurrent, 2, separator,
                    " Amps");
        if (supply.HaveBattery) {
            AssignFixed(texts.lbPeakCurrent, {}, supply.PeakCurrent, 2, separator, " Amps");
            AssignFixed(texts.lbRatedOP, {}, supply.RatedOutput, 2, separator, " Amps");
        } else {
            texts.lbPeakCurrent = "Unknown";
            texts.lbRatedOP = "Please Select Battery";
        }
    }

    SetHours(texts.lbPeriod, supply.StandbyHours, " Hours");
    SetHours(texts.lbReqStandby, supply.StandbyHours, " Hours Standby");

    texts.Caption = "Brellic";
    if (!siteFileName.empty()) {
        texts.Caption += " - ";
        texts.Caption += siteFileName;
    }
}

void AssignActualStandby(std::string& text, const TotalsResult& totals, char separator) {
    if (totals.Standby.State == Outcome::NotJudged)
        text = "---";
    else if (totals.ActualStandbyDefined)
        AssignFixed(text, {}, totals.ActualStandby, 2, separator, " Hours");
    else
        text = kUndefinedFigure;
}

void AssignActualPeak(std::string& text, const TotalsResult& totals, char separator) {
    if (totals.AlarmCurrent.State == Outcome::NotJudged)
        text = "---";
    else
        AssignAmps(text, totals.AlarmTotal, separator);
}

void FormatTotalsTexts(const TotalsResult& totals, DisplayTexts& texts, char separator) {
    AssignFixed(texts.lbCPNomI, {}, totals.PanelCurrent, 3, separator, " Amps");
    AssignFixed(texts.lbCPAlarmI, {}, totals.PanelCurrent, 3, separator, " Amps");
    AssignAmps(texts.TotNomI, totals.QuiescentTotal, separator);
    AssignAmps(texts.TotAlarmI, totals.AlarmTotal, separator);

    AssignActualStandby(texts.lbActStandby, totals, separator);
    texts.lbActStandbyColor = VerdictColour(totals.Standby.State);
    texts.lbSbNotes = totals.Standby.Note;

    if (!totals.PanelChosen)
        texts.lbReqPeakCur = "---";
    AssignActualPeak(texts.lbActPeak, totals, separator);
    texts.lbActPeakColor = VerdictColour(totals.AlarmCurrent.State);
    texts.lbPeakNotes = totals.AlarmCurrent.Note;
}

} // namespace brellic
