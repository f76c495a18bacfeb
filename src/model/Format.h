#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace brellic {

// The number formats every figure of the program is shown and written with.
// They do not depend on the C library's locale: the decimal separator is
// passed in, and rounding is done here, not by printf.

// "%d" (and "%.1d"): the integer in decimal.
std::string FormatInt(long long value);

// "%.2d" and the like: at least minDigits digits, zero-filled on the left,
// a leading "-" for a negative value.
std::string FormatIntMin(long long value, int minDigits);

// Fixed-point with `decimals` digits after the separator ("%f" and "%.2f" are
// 2, "%.3f" is 3). The value is first taken to 18 significant decimal digits,
// then rounded at the last shown decimal, halves away from zero. A value that
// rounds to zero shows without a sign. NaN and infinities show as
// kUndefinedFigure: a figure that cannot be computed never reads as a number.
std::string FormatFixed(double value, int decimals, char separator);
inline constexpr std::string_view kUndefinedFigure = "Undefined";

// FormatFixed to at most decimals, the zeros after the first decimal
// dropped: 0.085 at 6 decimals shows as "0.085", 9.5 at 2 as "9.5".
std::string FormatFixedTrimmed(double value, int decimals, char separator);

// FormatFixed with what lies beyond the last shown decimal dropped rather
// than rounded, for a limit that must never read higher than it is: 84.06
// shows as "84.0" at 1 decimal. Negative values go toward zero as well.
std::string FormatFixedDown(double value, int decimals, char separator);

// Whether FormatFixed shows value with a minus sign, decided on the number:
// a negative value whose magnitude, taken to 18 significant digits, reaches
// half a unit of the last decimal shown.
bool ShowsMinus(double value, int decimals);

// Allocation-free form of FormatFixed: writes into out (no terminator) and
// returns the length. kFixedBufferSize holds any finite double at 3 decimals.
inline constexpr std::size_t kFixedBufferSize = 400;
std::size_t FormatFixedTo(char* out, double value, int decimals, char separator);

// Sets text to prefix, the value as FormatFixed shows it, then suffix, reusing
// the text's storage: the recalculation rewrites its labels without allocating.
void AssignFixed(std::string& text, std::string_view prefix, double value, int decimals,
                 char separator, std::string_view suffix);

// "%-25s" on single-byte text: left-aligned, padded with spaces to width,
// never cut.
std::string PadRight(std::string_view text, std::size_t width);

} // namespace brellic
