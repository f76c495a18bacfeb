#pragma once

#include "calc/OutcomeWords.h"
#include "calc/Result.h"
#include "model/DisplayTexts.h"

#include <string>
#include <string_view>

namespace brellic {

// The one formatter of the calculation's results: every text and colour the
// window shows, and through it the report, is made here from the result.

// lbPeriod, lbReqStandby, lbPSU, lbBattCurrent, lbPeakCurrent, lbRatedOP,
// lbReqPeakCur (while a panel is there) and the caption.
void FormatSupplyTexts(const SupplyResult& supply, std::string_view siteFileName,
                       DisplayTexts& texts, char separator);

// lbCPNomI, lbCPAlarmI, TotNomI, TotAlarmI, both summary rows with their
// colours, and lbReqPeakCur's "---" while no panel is chosen.
void FormatTotalsTexts(const TotalsResult& totals, DisplayTexts& texts, char separator);

// The two figures of the summary rows on their own, as lbActStandby and
// lbActPeak show them; they reuse the text's storage.
void AssignActualStandby(std::string& text, const TotalsResult& totals, char separator);
void AssignActualPeak(std::string& text, const TotalsResult& totals, char separator);

} // namespace brellic
