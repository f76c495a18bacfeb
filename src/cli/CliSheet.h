#pragma once

#include "calc/InstallationSheetFigures.h"
#include "calc/SheetFigures.h"
#include "cli/CliArgs.h"

#include <chrono>
#include <optional>
#include <string>

namespace brellic {

// The calculation sheet as the bytes of a PDF or an HTML file, dated date
// (today when empty); empty when it cannot be made. The only part of
// brellic-cli that needs QtGui: it starts a QGuiApplication on the offscreen
// platform when none is running, so it needs no display, and stops it again.
std::string RenderSheet(const SheetFigures& figures, SheetFormat format,
                        std::optional<std::chrono::year_month_day> date);
// The same for an installation's sheet.
std::string RenderSheet(const InstallationSheetFigures& figures, SheetFormat format,
                        std::optional<std::chrono::year_month_day> date);

} // namespace brellic
