#pragma once

#include <iosfwd>
#include <string_view>

namespace brellic {

// A figure as JSON: the shortest text that reads back to the same double,
// or null for one that is not finite.
struct Number {
    double Value;
};
std::ostream& operator<<(std::ostream& out, Number number);

// A text as a JSON string. File names need not be UTF-8; what is not comes
// out as U+FFFD rather than as a broken document. check's text lines quote
// supply and cable run names the same way.
struct String {
    std::string_view Text;
};
std::ostream& operator<<(std::ostream& out, String string);

} // namespace brellic
