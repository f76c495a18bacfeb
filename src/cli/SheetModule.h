#pragma once

// What brellic-cli and its sheet module pass between them. The module holds
// all of brellic-cli that needs QtGui; the two are built and installed
// together, so the entry takes C++ types.

#include "cli/CliArgs.h"
#include "cli/SheetCommand.h"

#include <chrono>
#include <optional>
#include <string>

namespace brellic {

struct SheetRequest {
    SheetContent Content;
    SheetFormat Format = SheetFormat::Pdf;
    std::optional<std::chrono::year_month_day> Date;
    // The answer: the bytes of the PDF or HTML file, empty when the sheet
    // could not be made.
    std::string Sheet;
};

// The function the module exports, with C linkage, under kSheetModuleEntry.
using SheetModuleEntry = void (*)(SheetRequest* request);
inline constexpr const char* kSheetModuleEntry = "brellic_render_sheet";

} // namespace brellic
