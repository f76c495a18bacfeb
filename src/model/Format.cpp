#include "Format.h"

#include "Extended.h"

#include <cassert>
#include <charconv>
#include <cmath>
#include <cstring>

namespace brellic {

std::string FormatInt(long long value) {
    return FormatIntMin(value, 1);
}

std::string FormatIntMin(long long value, int minDigits) {
    char digits[32];
    // Work on the magnitude as unsigned so that the most negative value works.
    unsigned long long magnitude = value < 0 ? 0ull - static_cast<unsigned long long>(value)
                                             : static_cast<unsigned long long>(value);
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);

    std::string text;
    if (value < 0)
        text += '-';
    for (int i = count; i < minDigits; ++i)
        text += '0';
    while (count > 0)
        text += digits[--count];
    return text;
}

namespace {

// FormatFixedTo, rounding the last shown decimal half away from zero, or
// dropping what lies beyond it.
std::size_t FormatScaled(char* out, double value, int decimals, char separator, bool truncate) {
    assert(decimals >= 0 && decimals <= 20);
    if (!std::isfinite(value)) {
        std::memcpy(out, kUndefinedFigure.data(), kUndefinedFigure.size());
        return kUndefinedFigure.size();
    }

    // Step 1: the magnitude to 18 significant digits, d.ddd...e±x.
    char sci[48];
    const auto result =
        std::to_chars(sci, sci + sizeof sci, std::fabs(value), std::chars_format::scientific, 17);
    char* const sciEnd = result.ptr;
    char mantissa[18];
    mantissa[0] = sci[0];
    std::memcpy(mantissa + 1, sci + 2, 17);
    int exponent = 0;
    std::from_chars(sci + 20 + (sci[20] == '+' ? 1 : 0), sciEnd, exponent);

    // The 18 digits form an integer D with value = D * 10^(exponent - 17).
    // Scaled by 10^decimals, the number to show is D * 10^shift.
    const int shift = exponent - 17 + decimals;

    // Step 2: build the scaled integer's digits, rounding half away from zero
    // (or not at all when truncating) when digits have to be dropped.
    char scaled[kFixedBufferSize];
    int length = 0;
    if (shift >= 0) {
        std::memcpy(scaled, mantissa, 18);
        length = 18;
        for (int i = 0; i < shift; ++i)
            scaled[length++] = '0';
    } else {
        const int keep = 18 + shift; // digits of the mantissa that stay
        if (keep < 0) {
            scaled[length++] = '0';
        } else {
            scaled[length++] = '0'; // room for a carry out of the top digit
            std::memcpy(scaled + length, mantissa, static_cast<std::size_t>(keep));
            length += keep;
            if (!truncate && mantissa[keep] >= '5') {
                int i = length - 1;
                while (scaled[i] == '9') {
                    scaled[i] = '0';
                    --i;
                }
                ++scaled[i];
            }
        }
    }

    // Strip leading zeros, but keep at least decimals + 1 digits so that one
    // digit stands before the separator.
    int first = 0;
    while (first < length - 1 && scaled[first] == '0')
        ++first;
    const char* digits = scaled + first;
    int digitCount = length - first;
    const bool isZero = digitCount == 1 && digits[0] == '0';

    char* p = out;
    if (value < 0 && !isZero)
        *p++ = '-';
    const int width = digitCount > decimals ? digitCount : decimals + 1;
    const int padding = width - digitCount;
    const int integerDigits = width - decimals;
    for (int i = 0; i < width; ++i) {
        if (i == integerDigits)
            *p++ = separator;
        *p++ = i < padding ? '0' : digits[i - padding];
    }
    return static_cast<std::size_t>(p - out);
}

} // namespace

std::size_t FormatFixedTo(char* out, double value, int decimals, char separator) {
    return FormatScaled(out, value, decimals, separator, false);
}

std::string FormatFixedTrimmed(double value, int decimals, char separator) {
    std::string text = FormatFixed(value, decimals, separator);
    const std::size_t point = text.find(separator);
    while (point != std::string::npos && text.size() > point + 2 && text.back() == '0')
        text.pop_back();
    return text;
}

std::string FormatFixedDown(double value, int decimals, char separator) {
    char buffer[kFixedBufferSize];
    const std::size_t length = FormatScaled(buffer, value, decimals, separator, true);
    return std::string(buffer, length);
}

bool ShowsMinus(double value, int decimals) {
    assert(decimals >= 0 && decimals <= 20);
    if (!(value < 0) || !std::isfinite(value))
        return false;
    // Half a unit of the last decimal, less half a unit of the 18th
    // significant digit there: a magnitude from that on is taken up to the
    // half unit by the first rounding and then away from zero by the second.
    // The 80-bit format resolves that margin; no double falls inside it.
    const ExtendedPrecisionScope precision;
    Extended half = 5.0L;
    for (int i = 0; i <= decimals; ++i)
        half /= 10;
    const Extended threshold = half - half / 1e18L;
    return -static_cast<Extended>(value) >= threshold;
}

std::string FormatFixed(double value, int decimals, char separator) {
    char buffer[kFixedBufferSize];
    const std::size_t length = FormatFixedTo(buffer, value, decimals, separator);
    return std::string(buffer, length);
}

void AssignFixed(std::string& text, std::string_view prefix, double value, int decimals,
                 char separator, std::string_view suffix) {
    char number[kFixedBufferSize];
    const std::size_t length = FormatFixedTo(number, value, decimals, separator);
    text.assign(prefix);
    text.append(number, length);
    text.append(suffix);
}

std::string PadRight(std::string_view text, std::size_t width) {
    std::string padded(text);
    if (padded.size() < width)
        padded.append(width - padded.size(), ' ');
    return padded;
}

} // namespace brellic
