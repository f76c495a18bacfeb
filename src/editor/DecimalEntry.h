#pragma once

#include <string_view>

namespace brellic {

// How far typed text is from a number a field accepts, in the terms the
// window's number fields use while the user types.
enum class EntryState { Invalid, Intermediate, Acceptable };

struct DecimalEntry {
    EntryState State = EntryState::Invalid;
    double Value = 0; // when Acceptable: the double nearest to the decimal typed
};

// Reads a current as typed into a number field: digits with at most one
// decimal separator and at most `decimals` digits after it, from 0 up to
// `maximum`. The point, the comma and the user's own separator all mean the
// decimal separator, whatever the locale, so "0,03" is 0.03 for everyone;
// none is ever taken for a group separator. Spaces around the number are ignored. Text that can
// still become a number ("", ".") is Intermediate; text that no further
// typing can mend (a letter, a second separator, too many decimals, a value
// above the maximum) is Invalid.
DecimalEntry ReadDecimalEntry(std::string_view text, char separator, int decimals, double maximum);

} // namespace brellic
