#pragma once

#include "calc/Result.h"

#include <QString>

namespace brellic {

// A verdict that calc decided, in the sheet's markup: its words and colours
// come from calc's one vocabulary (calc/OutcomeWords.h).

// "meets" or "fails".
QString VerdictWord(Outcome verdict);
// As "#rrggbb": green, red (a figure that cannot be computed too), or black
// for a figure that is not judged.
QString ColourOf(Outcome verdict);
// An outcome's word, as the installation's sheet gives it ("meets", "fails",
// "undefined"...).
QString OutcomeText(Outcome outcome);

} // namespace brellic
