#include "Supply.h"

#include "calc/ResultTexts.h"
#include "model/Format.h"
#include "model/Globals.h"

namespace brellic {

Extended ParseBatteryCapacity(std::string_view text) {
    const ExtendedPrecisionScope precision;
    const std::size_t ah = text.find("Ah");
    // The number ends two characters before "Ah": the space between is skipped.
    if (ah == std::string_view::npos || ah < 2)
        return 0;
    const std::string_view number = text.substr(0, ah - 1);

    // Digits are gathered into an exact 64-bit integer and divided once by an
    // exact power of ten, so the extended result is correctly rounded.
    std::size_t i = 0;
    bool negative = false;
    if (i < number.size() && (number[i] == '+' || number[i] == '-'))
        negative = number[i++] == '-';
    unsigned long long mantissa = 0;
    int significant = 0;
    int scale = 0; // digits after the point that went into mantissa
    bool anyDigit = false;
    bool afterPoint = false;
    for (; i < number.size(); ++i) {
        const char c = number[i];
        if (c == '.' && !afterPoint) {
            afterPoint = true;
            continue;
        }
        if (c < '0' || c > '9')
            return 0;
        anyDigit = true;
        if (significant < 19) {
            mantissa = mantissa * 10 + static_cast<unsigned>(c - '0');
            if (mantissa != 0)
                ++significant;
            if (afterPoint)
                ++scale;
        } else if (!afterPoint) {
            --scale; // an integer digit beyond the 19th only scales the value
        }
    }
    if (!anyDigit)
        return 0;
    Extended power = 1;
    for (int k = 0; k < (scale < 0 ? -scale : scale); ++k)
        power *= 10;
    Extended value = static_cast<Extended>(mantissa);
    value = scale >= 0 ? value / power : value * power;
    return negative ? -value : value;
}

int RequiredStandbyHours(int standard, int grade, bool acFailSignalled) {
    switch (grade) {
    case 1:
    case 2:
        return 12;
    case 3:
        if (standard == 0)
            return acFailSignalled ? 30 : 60;
        return acFailSignalled ? 12 : 24;
    default:
        return 0;
    }
}

RatedOutputFigures RatedOutput(Extended batteryCapacity, int standbyHours, double peakCurrent) {
    // The quotient is taken in extended precision and stored as a double; the
    // cap compares the stored doubles, so an equal value stays as it is.
    RatedOutputFigures figures;
    figures.BeforeCap = static_cast<double>(batteryCapacity / static_cast<Extended>(standbyHours));
    figures.Value = figures.BeforeCap > peakCurrent ? peakCurrent : figures.BeforeCap;
    return figures;
}

SupplyResult CalculateSupply(SiteState& site, bool acFailSignalled) {
    const ExtendedPrecisionScope precision;
    SupplyResult supply;
    const int hours = RequiredStandbyHours(site.SystemStandard, site.SystemGrade, acFailSignalled);
    if (hours != 0)
        site.StandbyHours = hours;
    supply.StandbyHours = site.StandbyHours;
    supply.BatteryCapacity = site.BatteryCapacity;
    supply.HaveBattery = site.BatteryCapacity > 0;
    supply.HavePanel = site.PanelIndex >= 0 && site.PanelIndex < kPanelCount;
    if (supply.HavePanel) {
        const PanelRecord& panel = PanelTable[site.PanelIndex];
        supply.PsuOutput = panel.PsuOutput;
        supply.ChargeCurrent = panel.ChargeCurrent;
        site.PeakCurrent = static_cast<double>(static_cast<Extended>(panel.PsuOutput) -
                                               static_cast<Extended>(panel.ChargeCurrent));
        if (supply.HaveBattery)
            supply.RatedOutput =
                RatedOutput(site.BatteryCapacity, site.StandbyHours, site.PeakCurrent).Value;
    }
    supply.PeakCurrent = site.PeakCurrent;
    return supply;
}

SupplyResult UpdateSupply(SiteState& site, bool acFailSignalled, DisplayTexts& texts,
                          char separator) {
    const SupplyResult supply = CalculateSupply(site, acFailSignalled);
    FormatSupplyTexts(supply, site.SiteFileName, texts, separator);
    return supply;
}

} // namespace brellic
