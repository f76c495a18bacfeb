#pragma once

#include "calc/InstallationSheetTexts.h"
#include "model/Installation.h"

namespace brellic {

// The figures of an installation's calculation sheet: the overview as
// MakeOverview judges it, and each judged supply's sheet as the same site
// gives it when opened on its own (every question answered No) under the
// installation's standard and alarm period, as its section of the
// installation's report does; and each supply's cable runs, judged or not,
// from the results the overview holds.
InstallationSheetTexts MakeInstallationSheetTexts(const Installation& installation, char separator);

} // namespace brellic
