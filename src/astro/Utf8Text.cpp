#include "astro/Utf8Text.h"

namespace astro {

namespace {
bool isContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0U) == 0x80U;
}
}  // namespace

std::size_t CharCount(std::string_view text) {
    std::size_t count = 0;
    for (char c : text) {
        if (!isContinuationByte(c)) ++count;
    }
    return count;
}

std::string_view LastChars(std::string_view text, std::size_t n) {
    if (n == 0) return text.substr(text.size());
    std::size_t pos = text.size();
    std::size_t found = 0;
    while (pos > 0) {
        --pos;
        if (!isContinuationByte(text[pos])) {
            ++found;
            if (found == n) break;
        }
    }
    return text.substr(pos);
}

std::string_view SubChars(std::string_view text, std::size_t first, std::size_t count) {
    // Byte offset of character number `index`, or text.size() when there are fewer.
    const auto offsetOf = [text](std::size_t from, std::size_t index) {
        std::size_t pos = from;
        for (std::size_t seen = 0; seen < index && pos < text.size(); ++seen) {
            ++pos;
            while (pos < text.size() && isContinuationByte(text[pos])) ++pos;
        }
        return pos;
    };
    const std::size_t begin = offsetOf(0, first);
    const std::size_t end = count == std::string_view::npos ? text.size() : offsetOf(begin, count);
    return text.substr(begin, end - begin);
}

std::string_view TrimBlanks(std::string_view text) {
    std::size_t first = 0;
    while (first < text.size() && text[first] == ' ') ++first;
    std::size_t last = text.size();
    while (last > first && text[last - 1] == ' ') --last;
    return text.substr(first, last - first);
}

}  // namespace astro
