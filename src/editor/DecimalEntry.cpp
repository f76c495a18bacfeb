#include "DecimalEntry.h"

#include <charconv>
#include <string>

namespace brellic {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

DecimalEntry ReadDecimalEntry(std::string_view text, char separator, int decimals, double maximum) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {EntryState::Intermediate, 0};
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);

    // The number rewritten with "." as its only separator.
    std::string number;
    bool separatorSeen = false;
    int decimalsSeen = 0;
    for (const char c : text) {
        if (IsDigit(c)) {
            number += c;
            if (separatorSeen && ++decimalsSeen > decimals)
                return {};
        } else if ((c == '.' || c == ',' || c == separator) && !separatorSeen && decimals > 0) {
            separatorSeen = true;
            number += '.';
        } else {
            return {};
        }
    }
    if (number == ".")
        return {EntryState::Intermediate, 0};

    // from_chars ignores the C library's locale, which the window sets from
    // the user's and which would make strtod expect a comma.
    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value,
                                              std::chars_format::fixed);
    if (error != std::errc() || end != number.data() + number.size() || value > maximum)
        return {};
    return {EntryState::Acceptable, value};
}

} // namespace brellic
