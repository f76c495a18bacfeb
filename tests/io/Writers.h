#pragma once

#include "io/AtomicFile.h"

#include <string>
#include <string_view>

namespace brellic::test {

// Both file writers behave alike on most paths, apart from how they replace.
struct Writer {
    const char* Name;
    IoResult (*Write)(const std::string&, std::string_view);
};
inline const Writer kWriters[] = {
    {"atomic", [](const std::string& p, std::string_view b) { return WriteFileAtomically(p, b); }},
    {"in place", [](const std::string& p, std::string_view b) { return WriteFileReplacing(p, b); }},
};

} // namespace brellic::test
