// Laying out chart texts in fixed-width columns. Widths count characters,
// not bytes (the degree mark is two bytes).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace charttext {

// The text cut to `width` characters and filled with blanks to that width.
std::string PadRight(std::string_view text, std::size_t width);

// The text cut to `width` characters and centred in it (an odd blank goes right).
std::string Centred(std::string_view text, std::size_t width);

// The entries of a sign box: its CR LF-separated lines; none for an empty box.
std::vector<std::string> BoxEntries(const std::string& box);

}  // namespace charttext
