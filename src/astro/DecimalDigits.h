// The one reader of short runs of decimal digits (coordinates, list entries,
// chart-file fields, station records and option values), and the one writer
// of a pair of digits and of a clock time.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
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

// WriteTwoDigits: a value 0..99 as two digits ("05") at `at`; returns the end.
constexpr char* WriteTwoDigits(char* at, int value) {
    at[0] = static_cast<char>('0' + value / 10);
    at[1] = static_cast<char>('0' + value % 10);
    return at + 2;
}

// TwoDigits: a value 0..99 as two digits, "05".
inline std::string TwoDigits(int value) {
    char text[2];
    return std::string(text, WriteTwoDigits(text, value));
}

// ClockText: a clock time as people write it, the hour as it is and the
// minutes in two digits: "8:05", "24:00".
inline std::string ClockText(int hour, int minute) { return std::to_string(hour) + ":" + TwoDigits(minute); }

}  // namespace astro
