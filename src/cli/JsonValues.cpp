#include "cli/JsonValues.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <ostream>
#include <string>

namespace brellic {

std::ostream& operator<<(std::ostream& out, Number number) {
    if (!std::isfinite(number.Value))
        return out << "null";
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, number.Value);
    return out.write(text, result.ptr - text);
}

std::ostream& operator<<(std::ostream& out, String string) {
    // Most texts are plain ASCII with nothing to escape, the table's names
    // and the notes always: they go out as they are.
    const bool plain = std::all_of(string.Text.begin(), string.Text.end(), [](char c) {
        return c >= 0x20 && c < 0x7F && c != '"' && c != '\\';
    });
    if (plain)
        return out << '"' << string.Text << '"';
    std::string text = nlohmann::json(std::string(string.Text))
                           .dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    // The library escapes the C0 controls only; a terminal may act on a C1
    // control too, which a site file's text can hold (the five bytes
    // Windows-1252 leaves undefined read as such).
    for (std::size_t at = text.find('\xC2'); at != std::string::npos; at = text.find('\xC2', at)) {
        const auto next = static_cast<unsigned char>(at + 1 < text.size() ? text[at + 1] : 0);
        if (next < 0x80 || next > 0x9F) {
            ++at;
            continue;
        }
        constexpr char kHex[] = "0123456789abcdef";
        text.replace(at, 2, std::string("\\u00") + kHex[next >> 4] + kHex[next & 0xF]);
    }
    return out << text;
}

} // namespace brellic
