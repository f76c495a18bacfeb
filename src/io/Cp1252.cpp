#include "io/Cp1252.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace brellic {
namespace {

// Characters of the bytes 0x80 to 0x9F; the rest of Windows-1252 is Latin-1.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98-9F
};

// Decodes the character at the start of text. Returns its length in bytes,
// or 0 when the bytes there are not a well-formed UTF-8 sequence (overlong
// forms, surrogates and values above U+10FFFF included).
std::size_t DecodeUtf8(std::string_view text, char32_t& code) {
    const auto lead = static_cast<unsigned char>(text[0]);
    if (lead < 0x80) {
        code = lead;
        return 1;
    }
    std::size_t length = 0;
    char32_t minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1Fu;
        minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0Fu;
        minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07u;
        minimum = 0x10000;
    } else {
        return 0;
    }
    if (text.size() < length)
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[i]);
        if ((next & 0xC0u) != 0x80u)
            return 0;
        code = (code << 6) | (next & 0x3Fu);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return length;
}

// The Windows-1252 byte of a character, or -1 when it has none.
int ToCp1252(char32_t code) {
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF))
        return static_cast<int>(code);
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == code)
            return static_cast<int>(0x80 + i);
    }
    return -1;
}

void AppendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        // Windows-1252 reaches no further than the Basic Multilingual Plane.
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// Converts, writing '?' for what cannot be converted; false when that happened.
bool Convert(std::string_view utf8, std::string& out) {
    out.clear();
    out.reserve(utf8.size());
    bool exact = true;
    while (!utf8.empty()) {
        char32_t code = 0;
        std::size_t length = DecodeUtf8(utf8, code);
        int byte = -1;
        if (length == 0)
            length = 1;
        else
            byte = ToCp1252(code);
        if (byte < 0) {
            exact = false;
            byte = '?';
        }
        out += static_cast<char>(byte);
        utf8.remove_prefix(length);
    }
    return exact;
}

bool IsControl(char32_t code) {
    return code < 0x20 || (code >= 0x7F && code <= 0x9F);
}

std::string Hex4(char32_t code) {
    constexpr char kHex[] = "0123456789ABCDEF";
    std::string text(4, '0');
    for (int i = 3; i >= 0; --i, code >>= 4)
        text[static_cast<std::size_t>(i)] = kHex[code & 0xF];
    return text;
}

// A value in a message is cut after this many characters: enough to know it
// by, and a value of megabytes gives a message of one line.
constexpr std::size_t kMessageValueChars = 60;

// The text with its control characters and stray bytes written out, cut
// after maxChars characters.
std::string Escaped(std::string_view text, std::size_t maxChars) {
    std::string out;
    out.reserve(std::min<std::size_t>(text.size(), 4 * kMessageValueChars));
    for (std::size_t count = 0; !text.empty(); ++count) {
        if (count == maxChars)
            return out + "\xE2\x80\xA6"; // …
        char32_t code = 0;
        const std::size_t length = DecodeUtf8(text, code);
        if (length == 0) {
            out += "\\x" + Hex4(static_cast<unsigned char>(text[0])).substr(2);
            text.remove_prefix(1);
            continue;
        }
        if (IsControl(code))
            out += "\\u" + Hex4(code);
        else
            out.append(text.substr(0, length));
        text.remove_prefix(length);
    }
    return out;
}

} // namespace

bool Utf8ToCp1252(std::string_view utf8, std::string& out) {
    return Convert(utf8, out);
}

std::string Utf8ToCp1252Lossy(std::string_view utf8) {
    std::string out;
    Convert(utf8, out);
    return out;
}

std::string Cp1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        AppendUtf8(out, byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80u] : byte);
    }
    return out;
}

bool IsCp1252Text(std::string_view utf8) {
    while (!utf8.empty()) {
        char32_t code = 0;
        const std::size_t length = DecodeUtf8(utf8, code);
        if (length == 0 || ToCp1252(code) < 0)
            return false;
        utf8.remove_prefix(length);
    }
    return true;
}

std::string ControlCharacter(std::string_view utf8) {
    while (!utf8.empty()) {
        char32_t code = 0;
        const std::size_t length = DecodeUtf8(utf8, code);
        if (length != 0 && IsControl(code))
            return "U+" + Hex4(code);
        utf8.remove_prefix(length == 0 ? 1 : length);
    }
    return {};
}

bool IsOneLineCp1252(std::string_view utf8) {
    return ControlCharacter(utf8).empty() && IsCp1252Text(utf8);
}

std::string MessageText(std::string_view value) {
    return Escaped(value, kMessageValueChars);
}

std::string Quoted(std::string_view value) {
    return "\"" + Escaped(value, kMessageValueChars) + "\"";
}

std::string PathText(std::string_view path) {
    return Escaped(path, std::string_view::npos);
}

std::string QuotedPath(std::string_view path) {
    return "\"" + Escaped(path, std::string_view::npos) + "\"";
}

std::size_t Utf8SequenceLength(std::string_view text) {
    char32_t code = 0;
    return text.empty() ? 0 : DecodeUtf8(text, code);
}

std::size_t Utf8Length(std::string_view utf8) {
    std::size_t count = 0;
    while (!utf8.empty()) {
        char32_t code = 0;
        const std::size_t length = DecodeUtf8(utf8, code);
        utf8.remove_prefix(length == 0 ? 1 : length);
        ++count;
    }
    return count;
}

std::string_view Utf8Prefix(std::string_view utf8, std::size_t maxChars) {
    std::size_t position = 0;
    for (std::size_t count = 0; count < maxChars && position < utf8.size(); ++count) {
        char32_t code = 0;
        const std::size_t length = DecodeUtf8(utf8.substr(position), code);
        position += length == 0 ? 1 : length;
    }
    return utf8.substr(0, position);
}

} // namespace brellic
