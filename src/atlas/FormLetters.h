// Place names from the atlas as the entry form can hold them: letters of the
// Latin alphabet and blanks only, so that a chart file keeps them.
#pragma once

#include <string>
#include <string_view>

namespace atlas {

// The text with accented Latin letters written without their marks ("São
// Paulo" gives "Sao Paulo", "Köln" "Koln", "Straße" "Strasse") and every
// other character (digits, hyphens, apostrophes, other scripts) a blank; runs
// of blanks become one and the ends are trimmed. Text that is not UTF-8 gives "".
std::string FormLetters(std::string_view utf8);

// The same in lower case: how two place names are compared.
std::string FoldedName(std::string_view utf8);

}  // namespace atlas
