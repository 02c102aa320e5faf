// Small helpers for texts held as UTF-8 where a rule counts characters, not
// bytes (the degree sign is two bytes). They accept any byte sequence: a byte
// that is not a UTF-8 continuation byte starts a character.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace astro {

// Number of characters in the text.
std::size_t CharCount(std::string_view text);

// The last n characters (all of them when the text is shorter).
std::string_view LastChars(std::string_view text, std::size_t n);

// The characters from index first (0-based), at most count of them.
std::string_view SubChars(std::string_view text, std::size_t first, std::size_t count = std::string_view::npos);

// The text without leading and trailing blanks (U+0020 only).
std::string_view TrimBlanks(std::string_view text);

// Appends the UTF-8 bytes of a code point (up to U+10FFFF).
void AppendUtf8(std::string& out, char32_t code);

// The character that starts at byte i: its code point and its length in
// bytes; a length of 0 when the bytes there are not well-formed UTF-8 (a
// stray continuation byte, a truncated or overlong sequence, a surrogate,
// anything above U+10FFFF) or i is at the end.
struct Utf8Char {
    char32_t code = 0;
    std::size_t length = 0;
};
Utf8Char DecodeUtf8(std::string_view text, std::size_t i);

// Whether the bytes are well-formed UTF-8: no stray continuation byte, no
// truncated or overlong sequence, no surrogate, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view text);

}  // namespace astro
