#pragma once

#include "calc/InstallationSheetTexts.h"
#include "calc/SiteSheetTexts.h"
#include "cli/CliArgs.h"

#include <chrono>
#include <optional>
#include <string>
#include <variant>

namespace brellic {

// What a calculation sheet shows: a site's figures or an installation's.
using SheetContent = std::variant<const SiteSheetTexts*, const InstallationSheetTexts*>;

// The calculation sheet of a site or of an installation as the bytes of a
// PDF or an HTML file, dated date (today when empty); empty when it cannot be
// made. The only part of brellic-cli that needs QtGui, and so a module of its
// own that brellic-cli loads for sheet alone: it starts a QGuiApplication on
// the offscreen platform when none is running, so it needs no display, and
// stops it again.
std::string RenderSheet(const SheetContent& content, SheetFormat format,
                        std::optional<std::chrono::year_month_day> date);

} // namespace brellic
