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

void StandbyUndefined(TotalsResult& result, DisplayTexts& texts, const char* why) {
    result.Standby = Verdict::Fails;
    texts.lbActStandby = kUndefinedFigure;
    texts.lbActStandbyColor = kVerdictFails;
    texts.lbSbNotes = why;
}

} // namespace

TotalsResult UpdateTotals(const SiteState& site, const DeviceList& devices, bool panelChosen,
                          bool batteryChosen, DisplayTexts& texts, char separator) {
    const ExtendedPrecisionScope precision;
    TotalsResult result;
    const bool havePanel = site.PanelIndex >= 0 && site.PanelIndex < kPanelCount;
    const double panelCurrent = havePanel ? PanelTable[site.PanelIndex].PanelCurrent : 0.0;

    if (!devices.Empty()) {
        for (const DeviceList::Entry& entry : devices) {
            result.QuiescentTotal = Add(entry.Data.Quiescent, result.QuiescentTotal);
            result.AlarmTotal = Add(entry.Data.Alarm, result.AlarmTotal);
        }
        if (havePanel) {
            result.QuiescentTotal = Add(result.QuiescentTotal, panelCurrent);
            result.AlarmTotal = Add(result.AlarmTotal, panelCurrent);
            AssignFixed(texts.lbCPNomI, {}, panelCurrent, 3, separator, " Amps");
            AssignFixed(texts.lbCPAlarmI, {}, panelCurrent, 3, separator, " Amps");
        } else {
            AssignFixed(texts.lbCPNomI, {}, 0.0, 3, separator, " Amps");
            AssignFixed(texts.lbCPAlarmI, {}, 0.0, 3, separator, " Amps");
        }
        AssignAmps(texts.TotNomI, result.QuiescentTotal, separator);
        AssignAmps(texts.TotAlarmI, result.AlarmTotal, separator);
    } else {
        if (havePanel)
            result.QuiescentTotal = result.AlarmTotal = panelCurrent;
        AssignFixed(texts.lbCPNomI, {}, result.QuiescentTotal, 3, separator, " Amps");
        AssignFixed(texts.lbCPAlarmI, {}, result.AlarmTotal, 3, separator, " Amps");
        texts.TotNomI = texts.lbCPNomI;
        texts.TotAlarmI = texts.lbCPAlarmI;
    }

    if (!batteryChosen) {
        texts.lbActStandby = "---";
        texts.lbActStandbyColor = kVerdictNone;
        texts.lbSbNotes = "None";
    } else if (!std::isfinite(result.QuiescentTotal) || !std::isfinite(result.AlarmTotal)) {
        // Custom lines of huge currents can overflow a sum. A figure that
        // cannot be computed never passes: NaN would fail no comparison.
        StandbyUndefined(result, texts, kStandbyTooLarge);
    } else if (result.QuiescentTotal == 0) {
        // Only custom lines with negative currents can cancel the panel's own
        // draw; the standby time is then undefined.
        StandbyUndefined(result, texts, kStandbyUndefined);
    } else {
        // The alarm load is drawn for twice the alarm period, in hours. The
        // doubling is done in 64 bits so that no stored period can overflow.
        const Extended alarmHours =
            static_cast<Extended>(2 * static_cast<std::int64_t>(site.AlarmPeriod)) / 60;
        const double remaining = static_cast<double>(
            site.BatteryCapacity - alarmHours * static_cast<Extended>(result.AlarmTotal));
        const double actualStandby = static_cast<double>(
            static_cast<Extended>(remaining) / static_cast<Extended>(result.QuiescentTotal));
        if (!std::isfinite(remaining) || !std::isfinite(actualStandby)) {
            StandbyUndefined(result, texts, kStandbyTooLarge);
        } else {
            AssignFixed(texts.lbActStandby, {}, actualStandby, 2, separator, " Hours");
            if (site.StandbyHours > actualStandby) {
                result.Standby = Verdict::Fails;
                texts.lbActStandbyColor = kVerdictFails;
                texts.lbSbNotes = kStandbyFails;
            } else {
                result.Standby = Verdict::Meets;
                texts.lbActStandbyColor = kVerdictMeets;
                texts.lbSbNotes = kStandbyMeets;
            }
        }
    }

    if (!panelChosen) {
        texts.lbReqPeakCur = "---";
        texts.lbActPeak = "---";
        texts.lbActPeakColor = kVerdictNone;
        texts.lbPeakNotes = "None";
    } else {
        texts.lbActPeak = texts.TotAlarmI;
        if (!std::isfinite(result.AlarmTotal)) {
            result.AlarmCurrent = Verdict::Fails;
            texts.lbActPeakColor = kVerdictFails;
            texts.lbPeakNotes = kAlarmTooLarge;
        } else if (result.AlarmTotal > site.PeakCurrent) {
            result.AlarmCurrent = Verdict::Fails;
            texts.lbActPeakColor = kVerdictFails;
            texts.lbPeakNotes = kAlarmFails;
        } else {
            result.AlarmCurrent = Verdict::Meets;
            texts.lbActPeakColor = kVerdictMeets;
            texts.lbPeakNotes = kAlarmMeets;
        }
    }
    return result;
}

} // namespace brellic
