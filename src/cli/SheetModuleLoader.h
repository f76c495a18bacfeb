#pragma once

#include "cli/CliArgs.h"
#include "cli/SheetCommand.h"

#include <chrono>
#include <optional>
#include <string>

namespace brellic {

// The calculation sheet as RenderSheet makes it, made by brellic-cli's sheet
// module, which is loaded on the first call: beside the program (a build
// folder, or Windows), or else where it is installed on Linux. Empty when
// the sheet cannot be made; when that is because the module cannot be
// loaded, problem says why.
std::string RenderSheetInModule(const SheetContent& content, SheetFormat format,
                                std::optional<std::chrono::year_month_day> date,
                                std::string& problem);

} // namespace brellic
