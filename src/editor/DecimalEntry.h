#pragma once

#include <string>
#include <string_view>

namespace brellic {

// How far typed text is from a number a field accepts, in the terms the
// window's number fields use while the user types. Ambiguous text is a
// number that could be read two ways (see ReadDecimalEntry): it is never
// taken, and Message says why.
enum class EntryState { Invalid, Intermediate, Ambiguous, Acceptable };

struct DecimalEntry {
    EntryState State = EntryState::Invalid;
    double Value = 0;    // when Acceptable: the double nearest to the decimal typed
    std::string Message; // when Ambiguous: what to tell the user
};

// Reads a current as typed into a number field: digits with at most one
// decimal separator and at most `decimals` digits after it, from 0 up to
// `maximum`. The point, the comma and the user's own separator all mean the
// decimal separator, whatever the locale, so "0,03" is 0.03 for everyone.
// Spaces around the number are ignored. Text that can still become a number
// ("", ".") is Intermediate; text that no further typing can mend (a letter,
// a second separator, too many decimals, a value above the maximum) is
// Invalid.
//
// The one exception: one to three digits, the first not 0, then the
// separator the locale does not use (the comma where the locale uses the
// point; the point where it uses the comma) and exactly three digits, as
// "1,500" in a point locale or "12.345" in a comma locale, is how the other
// locale groups thousands, and is Ambiguous whatever the field's decimals and
// maximum. "0,045", "1,50", "1,5000" and "1234,567" are plain decimals. While
// such text has fewer than three digits after the separator it stays
// Intermediate even past the field's decimals, so that "1,50" in a field of
// one decimal can still be typed on to the "1,500" that is refused with a
// reason. A sign is never taken, so "-1,500" is Invalid. A field without
// decimals takes no separator at all. Every locale whose separator is not
// the comma counts as a point locale.
DecimalEntry ReadDecimalEntry(std::string_view text, char separator, int decimals, double maximum);

} // namespace brellic
