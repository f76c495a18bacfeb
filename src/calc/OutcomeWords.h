#pragma once

#include "calc/Result.h"
#include "model/DisplayTexts.h"

#include <string>
#include <string_view>

namespace brellic {

// Every word and colour a verdict is written in, one function per
// vocabulary. The outputs differ in how they name a verdict that is not a
// plain meets or fails, so each says which it uses; none decides a verdict.

// The installation's report and sheet: "meets", "fails", "undefined" or
// "not judged".
std::string_view OutcomeWord(Outcome outcome);

// check --json: "meets" or "fails"; "undefined" for anything else.
std::string_view JsonWord(Outcome outcome);

// check's text lines and the sheet's verdict cells: what does not meet a
// requirement fails it, so there are two words, "meets" and "fails".
std::string_view TextWord(Outcome outcome);

// A cable run's verdict as its table and its report lines give it: "meets",
// "fails", or "Undefined" as for a figure that cannot be computed.
std::string RunVerdictText(Outcome outcome);

// The overview's verdict column and its summary: "meets", "fails", or
// "not judged" for a supply without a panel or a battery.
std::string_view OverviewWord(Outcome outcome);

// Cable runs counted together, as a plural: "meet" or "fail".
std::string_view RunsWord(Outcome outcome);

// Green for meets, red for fails and for a figure that cannot be computed,
// black while the requirement is not judged.
Rgb VerdictColour(Outcome outcome);

// A supply tab's mark: its dot's colour (grey while not judged) and its tip.
Rgb MarkColour(Outcome outcome);
std::string_view MarkTip(Outcome outcome);

} // namespace brellic
