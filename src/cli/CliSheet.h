#pragma once

#include "calc/Sheet.h"
#include "io/IoResult.h"

#include <chrono>
#include <optional>
#include <string>

namespace brellic {

// Writes the calculation sheet to path, as PDF or HTML by its extension,
// replacing the file whole or not at all. The only part of brellic-cli that
// needs QtGui: it starts a QGuiApplication on the offscreen platform when
// none is running, so it needs no display, and stops it again.
IoResult WriteSheet(const SheetFigures& figures, const std::string& path,
                    std::optional<std::chrono::year_month_day> date);

} // namespace brellic
