#pragma once

#include "calc/InstallationSheetFigures.h"
#include "calc/ResultTexts.h"
#include "calc/Totals.h"

#include <QString>

#include <cstddef>
#include <vector>

namespace brellic {

// How the sheet words and colours a verdict that calc decided. The sheet's
// only vocabulary: the HTML takes every verdict's word and colour from here.

// "meets" or "fails".
QString VerdictWord(Verdict verdict);
// Green, red, or black for a figure that is not judged.
QString ColourOf(Verdict verdict);
// An outcome's word, as calc words it ("meets", "fails", "undefined"...).
QString OutcomeText(Outcome outcome);
// As the window colours an outcome: a figure that cannot be computed fails.
Verdict VerdictOf(Outcome outcome);
// How many of a supply's cable runs meet, as their own verdicts say.
std::size_t RunsMeeting(const std::vector<SheetRun>& runs);

} // namespace brellic
