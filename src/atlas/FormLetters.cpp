#include "atlas/FormLetters.h"

#include <array>

#include "astro/Utf8Text.h"

namespace atlas {

namespace {

// U+00C0..U+00FF, one entry a character: its letters without marks, "" for a
// sign that is no letter (the multiplication and division signs).
constexpr std::array<std::string_view, 64> Latin1 = {
    "A", "A", "A", "A", "A", "A", "AE", "C", "E", "E", "E", "E", "I", "I", "I", "I",
    "D", "N", "O", "O", "O", "O", "O", "",  "O", "U", "U", "U", "U", "Y", "Th", "ss",
    "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i", "i",
    "d", "n", "o", "o", "o", "o", "o", "",  "o", "u", "u", "u", "u", "y", "th", "y"};

// U+0100..U+017F (Latin Extended-A), in the same way.
constexpr std::array<std::string_view, 128> ExtendedA = {
    "A", "a", "A", "a", "A", "a", "C", "c", "C", "c", "C", "c", "C", "c", "D", "d",
    "D", "d", "E", "e", "E", "e", "E", "e", "E", "e", "E", "e", "G", "g", "G", "g",
    "G", "g", "G", "g", "H", "h", "H", "h", "I", "i", "I", "i", "I", "i", "I", "i",
    "I", "i", "IJ", "ij", "J", "j", "K", "k", "k", "L", "l", "L", "l", "L", "l", "L",
    "l", "L", "l", "N", "n", "N", "n", "N", "n", "n", "N", "n", "O", "o", "O", "o",
    "O", "o", "OE", "oe", "R", "r", "R", "r", "R", "r", "S", "s", "S", "s", "S", "s",
    "S", "s", "T", "t", "T", "t", "T", "t", "U", "u", "U", "u", "U", "u", "U", "u",
    "U", "u", "U", "u", "W", "w", "Y", "y", "Y", "Z", "z", "Z", "z", "Z", "z", "s"};

// The letters a character is written with here, "" when it is none.
std::string_view lettersOf(char32_t code) {
    if ((code >= 'A' && code <= 'Z') || (code >= 'a' && code <= 'z')) return {};  // handled by the caller
    if (code >= 0xC0 && code <= 0xFF) return Latin1[code - 0xC0];
    if (code >= 0x100 && code <= 0x17F) return ExtendedA[code - 0x100];
    switch (code) {
        case 0x218: return "S";  // S with comma below (Romanian)
        case 0x219: return "s";
        case 0x21A: return "T";  // T with comma below
        case 0x21B: return "t";
        default: return {};
    }
}

}  // namespace

std::string FormLetters(std::string_view utf8) {
    std::string out;
    bool pendingBlank = false;
    for (std::size_t i = 0; i < utf8.size();) {
        const astro::Utf8Char c = astro::DecodeUtf8(utf8, i);
        if (c.length == 0) return {};
        i += c.length;
        std::string_view letters;
        char ascii[1];
        if ((c.code >= 'A' && c.code <= 'Z') || (c.code >= 'a' && c.code <= 'z')) {
            ascii[0] = static_cast<char>(c.code);
            letters = std::string_view(ascii, 1);
        } else {
            letters = lettersOf(c.code);
        }
        if (letters.empty()) {
            pendingBlank = !out.empty();
            continue;
        }
        if (pendingBlank) out += ' ';
        pendingBlank = false;
        out += letters;
    }
    return out;
}

std::string FoldedName(std::string_view utf8) {
    std::string folded = FormLetters(utf8);
    for (char& c : folded) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return folded;
}

}  // namespace atlas
