#include "Totals.h"

#include "model/Extended.h"
#include "model/Format.h"
#include "model/Globals.h"

#include <cmath>
#include <cstdint>
#include <string_view>

namespace brellic {

namespace {

// Sums are formed in extended precision and rounded to double when stored.
double Add(double a, double b) {
    return static_cast<double>(static_cast<Extended>(a) + static_cast<Extended>(b));
}

// "%.3f Amps", or "Undefined" alone for a total that left the range of doubles.
void AssignAmps(std::string& text, double amps, char separator) {
    if (std::isfinite(amps))
        AssignFixed(text, {}, amps, 3, separator, " Amps");
    else
        text = kUndefinedFigure;
}

} // namespace

LoadTotals SumLoads(const SiteState& site, const DeviceList& devices) {
    const ExtendedPrecisionScope precision;
    LoadTotals totals;
    for (const DeviceList::Entry& entry : devices) {
        totals.LinesQuiescent = Add(entry.Data.Quiescent, totals.LinesQuiescent);
        totals.LinesAlarm = Add(entry.Data.Alarm, totals.LinesAlarm);
    }
    totals.Quiescent = totals.LinesQuiescent;
    totals.Alarm = totals.LinesAlarm;
    if (site.PanelIndex >= 0 && site.PanelIndex < kPanelCount) {
        const double panelCurrent = PanelTable[site.PanelIndex].PanelCurrent;
        totals.Quiescent = Add(totals.Quiescent, panelCurrent);
        totals.Alarm = Add(totals.Alarm, panelCurrent);
    }
    return totals;
}

Extended AlarmLoadHours(std::int32_t alarmPeriod) {
    const ExtendedPrecisionScope precision;
    // The doubling is done in 64 bits so that no stored period can overflow.
    return static_cast<Extended>(2 * static_cast<std::int64_t>(alarmPeriod)) / 60;
}

StandbyJudgement JudgeStandby(Extended batteryCapacity, std::int32_t alarmPeriod,
                              std::int32_t standbyHours, double quiescentTotal, double alarmTotal) {
    const ExtendedPrecisionScope precision;
    StandbyJudgement judgement;
    // A figure that cannot be computed never passes: NaN would fail no
    // comparison, so it is caught before any. Custom lines of huge currents
    // can overflow a sum, and only custom lines with negative currents can
    // cancel the panel's own draw to a zero quiescent total.
    judgement.Undefined = kStandbyTooLarge;
    judgement.RemainingCapacity = static_cast<double>(
        batteryCapacity - AlarmLoadHours(alarmPeriod) * static_cast<Extended>(alarmTotal));
    if (!std::isfinite(quiescentTotal) || !std::isfinite(judgement.RemainingCapacity))
        return judgement;
    if (quiescentTotal == 0) {
        judgement.Undefined = kStandbyUndefined;
        return judgement;
    }
    judgement.ActualStandby = static_cast<double>(
        static_cast<Extended>(judgement.RemainingCapacity) / static_cast<Extended>(quiescentTotal));
    if (!std::isfinite(judgement.ActualStandby))
        return judgement;
    judgement.Defined = true;
    judgement.Undefined = nullptr;
    judgement.Standby = standbyHours > judgement.ActualStandby ? Verdict::Fails : Verdict::Meets;
    return judgement;
}

Verdict JudgeAlarmCurrent(double alarmTotal, double peakCurrent) {
    // An alarm total that left the range of doubles cannot be judged, so it fails.
    return std::isfinite(alarmTotal) && alarmTotal <= peakCurrent ? Verdict::Meets : Verdict::Fails;
}

TotalsResult UpdateTotals(const SiteState& site, const DeviceList& devices, bool panelChosen,
                          bool batteryChosen, DisplayTexts& texts, char separator) {
    const ExtendedPrecisionScope precision;
    TotalsResult result;
    const bool havePanel = site.PanelIndex >= 0 && site.PanelIndex < kPanelCount;
    const double panelCurrent = havePanel ? PanelTable[site.PanelIndex].PanelCurrent : 0.0;

    const LoadTotals loads = SumLoads(site, devices);
    result.QuiescentTotal = loads.Quiescent;
    result.AlarmTotal = loads.Alarm;

    if (!devices.Empty()) {
        AssignFixed(texts.lbCPNomI, {}, panelCurrent, 3, separator, " Amps");
        AssignFixed(texts.lbCPAlarmI, {}, panelCurrent, 3, separator, " Amps");
        AssignAmps(texts.TotNomI, result.QuiescentTotal, separator);
        AssignAmps(texts.TotAlarmI, result.AlarmTotal, separator);
    } else {
        AssignFixed(texts.lbCPNomI, {}, result.QuiescentTotal, 3, separator, " Amps");
        AssignFixed(texts.lbCPAlarmI, {}, result.AlarmTotal, 3, separator, " Amps");
        texts.TotNomI = texts.lbCPNomI;
        texts.TotAlarmI = texts.lbCPAlarmI;
    }

    if (!batteryChosen) {
        texts.lbActStandby = "---";
        texts.lbActStandbyColor = kVerdictNone;
        texts.lbSbNotes = "None";
    } else {
        const StandbyJudgement standby =
            JudgeStandby(site.BatteryCapacity, site.AlarmPeriod, site.StandbyHours,
                         result.QuiescentTotal, result.AlarmTotal);
        result.Standby = standby.Standby;
        if (!standby.Defined) {
            texts.lbActStandby = kUndefinedFigure;
            texts.lbActStandbyColor = kVerdictFails;
            texts.lbSbNotes = standby.Undefined;
        } else {
            AssignFixed(texts.lbActStandby, {}, standby.ActualStandby, 2, separator, " Hours");
            const bool meets = standby.Standby == Verdict::Meets;
            texts.lbActStandbyColor = meets ? kVerdictMeets : kVerdictFails;
            texts.lbSbNotes = meets ? kStandbyMeets : kStandbyFails;
        }
    }

    if (!panelChosen) {
        texts.lbReqPeakCur = "---";
        texts.lbActPeak = "---";
        texts.lbActPeakColor = kVerdictNone;
        texts.lbPeakNotes = "None";
    } else {
        texts.lbActPeak = texts.TotAlarmI;
        result.AlarmCurrent = JudgeAlarmCurrent(result.AlarmTotal, site.PeakCurrent);
        const bool meets = result.AlarmCurrent == Verdict::Meets;
        texts.lbActPeakColor = meets ? kVerdictMeets : kVerdictFails;
        texts.lbPeakNotes = meets                              ? kAlarmMeets
                            : std::isfinite(result.AlarmTotal) ? kAlarmFails
                                                               : kAlarmTooLarge;
    }
    return result;
}

} // namespace brellic
