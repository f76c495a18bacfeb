#pragma once

// The pieces both the site's sheet and its cable runs' working are written
// with: the operators, and a figure's label, formula and result.

#include "calc/SiteSheetTexts.h"
#include "model/Format.h"

#include <string>
#include <utility>

namespace brellic::sheet_working {

// The sheet's operators, as UTF-8.
inline constexpr const char* kTimes = "\xC3\x97";       // ×
inline constexpr const char* kDivide = "\xC3\xB7";      // ÷
inline constexpr const char* kMinus = "\xE2\x88\x92";   // −
inline constexpr const char* kAtLeast = "\xE2\x89\xA5"; // ≥
inline constexpr const char* kAtMost = "\xE2\x89\xA4";  // ≤

// An operator between two terms.
inline std::string Op(const char* op) {
    return std::string(" ") + op + " ";
}

// A figure not yet worked out: its result reads "Undefined" until set.
inline SheetFigure Figure(std::string label, std::string formula) {
    SheetFigure figure;
    figure.Label = std::move(label);
    figure.Formula = std::move(formula);
    figure.Result = kUndefinedFigure;
    return figure;
}

// The result, or "Undefined" for a figure that cannot be computed.
inline void SetResult(SheetFigure& figure, bool defined, std::string result) {
    figure.Defined = defined;
    figure.Result = defined ? std::move(result) : std::string(kUndefinedFigure);
}

} // namespace brellic::sheet_working
