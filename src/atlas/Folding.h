// How place names are compared and how they are written into the entry form.
//
// Both take a text apart into its letters by compatibility decomposition
// (NFKD) and drop the combining marks ("São" gives "Sao", "Huế" "Hue"); the
// few Latin letters that do not decompose are written by a small table (ø o,
// ł l, đ d, ı i, ß ss, ǝ and ə e, æ ae, œ oe, þ th). Apostrophes join
// ("St. John's" gives "St Johns"); every other run of signs, blanks and
// hyphens is one blank.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace atlas {

// The key a name is found by: its letters and digits in lower case, words
// separated by one blank ("Saint-Étienne" and "saint etienne" give "saint
// etienne"). Letters and digits of other scripts stay as NFKD leaves them
// (lower case), their combining marks dropped as well (a Devanagari vowel
// sign). No blank leads or trails. Text that is not UTF-8 gives "", as does a
// text of signs and blanks alone.
std::string SearchKey(std::string_view utf8);

// The text in the entry form's letters (A-Z, a-z and single blanks): "Bà
// Rịa-Vũng Tàu" gives "Ba Ria Vung Tau". Digits are blanks. Nothing when a
// letter is not of the Latin script (or the text is not UTF-8): the caller
// takes the place's ASCII name instead. Case stays as written; no blank leads
// or trails; a text without letters gives "" (not nothing).
std::optional<std::string> FormLettersOf(std::string_view utf8);

// A division's name without the words that make it official: "state of
// west bengal" and "west bengal state" give "west bengal", "lodz
// voivodeship" gives "lodz". Takes and gives search keys; "" when nothing
// was removed. The words are removed again and again from either end, but
// never the whole key: "the state" gives "state", and "state" gives "".
std::string DivisionCore(std::string_view key);

}  // namespace atlas
