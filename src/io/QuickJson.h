#pragma once

// A fast reader for the JSON that Brellic writes, within io/ only: it exposes
// the JSON library.

#include <optional>
#include <string_view>

#include <nlohmann/json.hpp>

namespace brellic::site_json {

// The document read by a small parser that takes the common case only, or
// nothing. What it takes, the JSON library's own parser takes too and reads
// as the same value: objects (a repeated member: the last one counts),
// arrays, strings of well-formed UTF-8 with the short escapes, true, false,
// null, and numbers of the same types (unsigned, signed or floating point).
// Anything else gives nothing: a syntax error, a \u escape, a byte order
// mark, an integer of more than 18 digits, a number a double cannot hold,
// nesting deeper than 64 levels. The library's parser then reads the text
// again and says where it goes wrong; the quick one never says why.
std::optional<nlohmann::json> QuickParse(std::string_view text);

} // namespace brellic::site_json
