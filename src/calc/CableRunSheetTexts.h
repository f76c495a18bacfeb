#pragma once

#include "calc/CableRuns.h"
#include "calc/InstallationSheetTexts.h"
#include "model/Installation.h"

#include <span>
#include <vector>

namespace brellic {

// A supply's cable runs as the calculation sheet shows them, from the
// results CalculateRuns gave (one per run, in order): each figure with the
// run's values put in, stretch by stretch, so that every line can be
// checked with a calculator to the digits it shows.
std::vector<SheetRun> MakeSheetRuns(const InstallationSupply& supply,
                                    std::span<const RunResult> results, char separator);

} // namespace brellic
