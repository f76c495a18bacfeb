#include "Totals.h"

#include "calc/ResultTexts.h"
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

template <typename Lines, typename Data>
LoadTotals SumLines(const SiteState& site, const Lines& lines, Data data) {
    const ExtendedPrecisionScope precision;
    LoadTotals totals;
    int position = 0;
    for (const auto& line : lines) {
        const TDeviceData& device = data(line);
        ++position;
        totals.LinesQuiescent = Add(device.Quiescent, totals.LinesQuiescent);
        totals.LinesAlarm = Add(device.Alarm, totals.LinesAlarm);
        if (totals.NegativeLine == 0 && (device.Quiescent < 0 || device.Alarm < 0))
            totals.NegativeLine = position;
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

} // namespace

LoadTotals SumLoads(const SiteState& site, const DeviceList& devices) {
    return SumLines(site, devices, [](const DeviceList::Entry& entry) -> const TDeviceData& {
        return entry.Data;
    });
}

LoadTotals SumLoads(const SiteState& site, std::span<const TDeviceData> devices) {
    return SumLines(site, devices,
                    [](const TDeviceData& device) -> const TDeviceData& { return device; });
}

std::string NegativeLineNote(int line) {
    return "Device line " + FormatInt(line) + " has a negative current.";
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
    judgement.Standby = standbyHours > judgement.ActualStandby ? Outcome::Fails : Outcome::Meets;
    return judgement;
}

Outcome JudgeAlarmCurrent(double alarmTotal, double peakCurrent) {
    // An alarm total that left the range of doubles cannot be judged, so it fails.
    return std::isfinite(alarmTotal) && alarmTotal <= peakCurrent ? Outcome::Meets : Outcome::Fails;
}

TotalsResult CalculateTotals(const SiteState& site, const LoadTotals& loads, bool panelChosen,
                             bool batteryChosen) {
    const ExtendedPrecisionScope precision;
    TotalsResult result;
    const bool havePanel = site.PanelIndex >= 0 && site.PanelIndex < kPanelCount;
    result.PanelChosen = panelChosen;
    result.PanelCurrent = havePanel ? PanelTable[site.PanelIndex].PanelCurrent : 0.0;
    result.QuiescentTotal = loads.Quiescent;
    result.AlarmTotal = loads.Alarm;
    result.NegativeLine = loads.NegativeLine;

    // A negative line could make a failing site pass, whatever the figures
    // say, so every verdict that is judged fails and says why. The figures
    // themselves are kept as computed.
    const bool negative = loads.NegativeLine > 0;
    if (batteryChosen) {
        const StandbyJudgement standby =
            JudgeStandby(site.BatteryCapacity, site.AlarmPeriod, site.StandbyHours,
                         result.QuiescentTotal, result.AlarmTotal);
        result.RemainingCapacity = standby.RemainingCapacity;
        result.ActualStandby = standby.ActualStandby;
        result.ActualStandbyDefined = standby.Defined;
        RequirementVerdict& verdict = result.Standby;
        if (negative) {
            verdict.State = Outcome::Fails;
            verdict.Note = NegativeLineNote(loads.NegativeLine);
        } else if (!standby.Defined) {
            verdict.State = Outcome::Undefined;
            verdict.Note = standby.Undefined;
        } else if (standby.Standby == Outcome::Meets) {
            verdict.State = Outcome::Meets;
            verdict.Note = kStandbyMeets;
        } else {
            verdict.State = Outcome::Fails;
            verdict.Note = kStandbyFails;
        }
    }

    if (panelChosen) {
        RequirementVerdict& verdict = result.AlarmCurrent;
        if (negative) {
            verdict.State = Outcome::Fails;
            verdict.Note = NegativeLineNote(loads.NegativeLine);
        } else if (!std::isfinite(result.AlarmTotal)) {
            verdict.State = Outcome::Undefined;
            verdict.Note = kAlarmTooLarge;
        } else if (JudgeAlarmCurrent(result.AlarmTotal, site.PeakCurrent) == Outcome::Meets) {
            verdict.State = Outcome::Meets;
            verdict.Note = kAlarmMeets;
        } else {
            verdict.State = Outcome::Fails;
            verdict.Note = kAlarmFails;
        }
    }
    return result;
}

TotalsResult UpdateTotals(const SiteState& site, const DeviceList& devices, bool panelChosen,
                          bool batteryChosen, DisplayTexts& texts, char separator) {
    const TotalsResult result =
        CalculateTotals(site, SumLoads(site, devices), panelChosen, batteryChosen);
    FormatTotalsTexts(result, texts, separator);
    return result;
}

} // namespace brellic
