// The one reader of short runs of decimal digits: coordinates, list entries,
// chart-file fields, station records and option values.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace astro {

// ParseDigits: the value of a run of ASCII decimal digits.
//   Given:   the text and how many digits it may have (maxDigits at most 9,
//            so that the value fits an int).
//   Returns: the number; nothing when the text is shorter than minDigits,
//            longer than maxDigits or holds anything but the digits 0-9
//            (no sign, no blank).
constexpr std::optional<int> ParseDigits(std::string_view text, std::size_t minDigits, std::size_t maxDigits) {
    if (text.size() < minDigits || text.size() > maxDigits || maxDigits > 9) return std::nullopt;
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

}  // namespace astro
