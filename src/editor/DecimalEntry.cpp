#include "DecimalEntry.h"

#include <charconv>
#include <string>

namespace brellic {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The digits after the other locale's thousands separator in text written
// the way that locale groups thousands ("1,500": 3; "1,5": 1), or -1.
int GroupedDigits(std::string_view text, char other) {
    std::size_t lead = 0;
    while (lead < text.size() && IsDigit(text[lead]))
        ++lead;
    if (lead < 1 || lead > 3 || text[0] == '0' || lead == text.size() || text[lead] != other)
        return -1;
    const std::string_view after = text.substr(lead + 1);
    if (after.size() > 3)
        return -1;
    for (const char c : after) {
        if (!IsDigit(c))
            return -1;
    }
    return static_cast<int>(after.size());
}

// "1,500 could be 1.5 or 1500: type it with a point."
std::string AmbiguityMessage(std::string_view text, char separator, char other) {
    const std::size_t at = text.find(other);
    const std::string whole(text.substr(0, at));
    std::string fraction(text.substr(at + 1));
    std::string decimal = whole;
    while (!fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    if (!fraction.empty())
        decimal += separator + fraction;
    return std::string(text) + " could be " + decimal + " or " + whole +
           std::string(text.substr(at + 1)) + ": type it with a " +
           (separator == ',' ? "comma" : "point") + ".";
}

} // namespace

DecimalEntry ReadDecimalEntry(std::string_view text, char separator, int decimals, double maximum) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {EntryState::Intermediate, 0, {}};
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);

    const char other = separator == ',' ? '.' : ',';
    const int grouped = decimals > 0 ? GroupedDigits(text, other) : -1;
    if (grouped == 3)
        return {EntryState::Ambiguous, 0,
                AmbiguityMessage(text, separator == ',' ? ',' : '.', other)};
    // "1,50" in a field of one decimal is on its way to "1,500".
    const DecimalEntry stillTyping{
        grouped >= 0 && grouped > decimals ? EntryState::Intermediate : EntryState::Invalid, 0, {}};

    // The number rewritten with "." as its only separator.
    std::string number;
    bool separatorSeen = false;
    int decimalsSeen = 0;
    for (const char c : text) {
        if (IsDigit(c)) {
            number += c;
            if (separatorSeen && ++decimalsSeen > decimals)
                return stillTyping;
        } else if ((c == '.' || c == ',' || c == separator) && !separatorSeen && decimals > 0) {
            separatorSeen = true;
            number += '.';
        } else {
            return {};
        }
    }
    if (number == ".")
        return {EntryState::Intermediate, 0, {}};

    // from_chars ignores the C library's locale, which the window sets from
    // the user's and which would make strtod expect a comma.
    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value,
                                              std::chars_format::fixed);
    if (error != std::errc() || end != number.data() + number.size() || value > maximum)
        return {};
    return {EntryState::Acceptable, value, {}};
}

} // namespace brellic
