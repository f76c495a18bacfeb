#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace brellic {

// Text is UTF-8 in memory; site files and the report hold Windows-1252, one
// byte per character.

// Converts to Windows-1252. False when the UTF-8 is invalid or holds a
// character that Windows-1252 cannot represent; out is then unspecified.
bool Utf8ToCp1252(std::string_view utf8, std::string& out);

// As Utf8ToCp1252, but never fails: each invalid byte and each character
// without a Windows-1252 byte becomes '?'.
std::string Utf8ToCp1252Lossy(std::string_view utf8);

// Every byte maps to a character. The five bytes Windows-1252 leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same
// number, so that any byte string survives a round trip.
std::string Cp1252ToUtf8(std::string_view bytes);

// True when the text is valid UTF-8 and every character has a Windows-1252 byte.
bool IsCp1252Text(std::string_view utf8);

// "U+001B" for the first control character of the text, or empty: U+0000 to
// U+001F, U+007F and the C1 controls U+0080 to U+009F. Five of those
// (U+0081, U+008D, U+008F, U+0090, U+009D) are what the bytes Windows-1252
// leaves undefined read as, and a terminal may act on any of them.
std::string ControlCharacter(std::string_view utf8);

// IsCp1252Text, on one line without control characters: a name or an
// address as the installation file holds it.
bool IsOneLineCp1252(std::string_view utf8);

// A value as a message shows it: each control character written as \u001B
// and each byte that is not UTF-8 as \xFF, so that nothing of it acts on a
// terminal, and cut after its first 60 characters, with "…" added.
std::string MessageText(std::string_view value);

// MessageText between double quotes: how every message quotes a value.
std::string Quoted(std::string_view value);

// A file's name as a message shows it: written as MessageText writes it, but
// never cut, since a path in part names no file.
std::string PathText(std::string_view path);

// PathText between double quotes.
std::string QuotedPath(std::string_view path);

// The length in bytes of the well-formed UTF-8 sequence that starts text,
// or 0 for anything else: a stray or missing continuation byte, an overlong
// form, a surrogate, a value above U+10FFFF, an empty text.
std::size_t Utf8SequenceLength(std::string_view text);

// The number of characters of UTF-8 text; an invalid byte counts as one.
std::size_t Utf8Length(std::string_view utf8);

// The first maxChars characters of valid UTF-8 text (invalid bytes count as
// one character each and are kept as they are).
std::string_view Utf8Prefix(std::string_view utf8, std::size_t maxChars);

} // namespace brellic
