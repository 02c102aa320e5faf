#include "atlas/Folding.h"

#include <glib.h>

#include <array>
#include <memory>

namespace atlas {

namespace {

// Latin letters with no decomposition, as the letters they are written with.
struct Undecomposed {
    gunichar code;
    const char* letters;
};
constexpr std::array<Undecomposed, 40> Letters = {{
    {0x00C6, "AE"}, {0x00D0, "D"},  {0x00D8, "O"},  {0x00DE, "Th"}, {0x00DF, "ss"}, {0x00E6, "ae"}, {0x00F0, "d"},
    {0x00F8, "o"},  {0x00FE, "th"}, {0x0110, "D"},  {0x0111, "d"},  {0x0126, "H"},  {0x0127, "h"},  {0x0131, "i"},
    {0x0138, "k"},  {0x0141, "L"},  {0x0142, "l"},  {0x014A, "Ng"}, {0x014B, "ng"}, {0x0152, "OE"}, {0x0153, "oe"},
    {0x0166, "T"},  {0x0167, "t"},  {0x0181, "B"},  {0x0186, "O"},  {0x018E, "E"},  {0x018F, "E"},  {0x0190, "E"},
    {0x0192, "f"},  {0x0198, "K"},  {0x0199, "k"},  {0x01DD, "e"},  {0x0253, "b"},  {0x0254, "o"},  {0x0257, "d"},
    {0x0259, "e"},  {0x025B, "e"},  {0x0268, "i"},  {0x0292, "z"},  {0x1E9E, "SS"},
}};

const char* undecomposed(gunichar c) {
    for (const Undecomposed& u : Letters) {
        if (u.code == c) return u.letters;
    }
    return nullptr;
}

bool isApostrophe(gunichar c) {
    return c == '\'' || c == '`' || c == 0x2018 || c == 0x2019 || c == 0x02BB || c == 0x02BC || c == 0x00B4 ||
           c == 0x02B9;
}

// The text's pieces: letters as written (`lower`: in lower case), runs of
// other characters as one blank between words. `digits` keeps digits as
// letters; `foreign` keeps letters of other scripts (else they fail).
std::optional<std::string> fold(std::string_view utf8, bool lower, bool digits, bool foreign) {
    if (!g_utf8_validate(utf8.data(), static_cast<gssize>(utf8.size()), nullptr)) return std::nullopt;
    std::unique_ptr<gchar, decltype(&g_free)> decomposed(
        g_utf8_normalize(utf8.data(), static_cast<gssize>(utf8.size()), G_NORMALIZE_NFKD), &g_free);
    if (!decomposed) return std::nullopt;
    std::string out;
    bool blank = false;
    const auto put = [&](const char* letters, std::size_t length) {
        if (blank && !out.empty()) out += ' ';
        blank = false;
        out.append(letters, length);
    };
    for (const gchar* p = decomposed.get(); *p; p = g_utf8_next_char(p)) {
        gunichar c = g_utf8_get_char(p);
        if (g_unichar_ismark(c) || isApostrophe(c)) continue;
        if (lower) c = g_unichar_tolower(c);
        if (c < 0x80 && (g_ascii_isalpha(static_cast<gchar>(c)) || (digits && g_ascii_isdigit(static_cast<gchar>(c))))) {
            const char letter = static_cast<char>(c);
            put(&letter, 1);
        } else if (const char* letters = undecomposed(c)) {
            std::string written = letters;
            if (lower) {
                for (char& l : written) l = g_ascii_tolower(l);
            }
            put(written.data(), written.size());
        } else if (g_unichar_isalpha(c) || (digits && g_unichar_isdigit(c))) {
            if (!foreign) return std::nullopt;
            char bytes[6];
            put(bytes, static_cast<std::size_t>(g_unichar_to_utf8(c, bytes)));
        } else {
            blank = true;
        }
    }
    return out;
}

constexpr std::array<std::string_view, 9> LeadingWords = {
    "state of ", "province of ", "canton of ", "region of ", "republic of ", "county of ", "city of ",
    "autonomous republic of ", "the "};
constexpr std::array<std::string_view, 17> TrailingWords = {
    " province", " region", " voivodeship", " oblast", " state", " county", " district", " governorate",
    " prefecture", " department", " canton", " territory", " municipality", " kray", " krai",
    " autonomous region", " autonomous community"};

}  // namespace

std::string SearchKey(std::string_view utf8) { return fold(utf8, true, true, true).value_or(std::string()); }

std::optional<std::string> FormLettersOf(std::string_view utf8) { return fold(utf8, false, false, false); }

std::string DivisionCore(std::string_view key) {
    std::string core(key);
    bool changed = true, any = false;
    while (changed) {
        changed = false;
        for (std::string_view word : LeadingWords) {
            if (core.size() > word.size() && core.compare(0, word.size(), word) == 0) {
                core.erase(0, word.size());
                changed = any = true;
            }
        }
        for (std::string_view word : TrailingWords) {
            if (core.size() > word.size() && core.compare(core.size() - word.size(), word.size(), word) == 0) {
                core.erase(core.size() - word.size());
                changed = any = true;
            }
        }
    }
    return any ? core : std::string();
}

}  // namespace atlas
