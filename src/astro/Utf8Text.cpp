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

void AppendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

Utf8Char DecodeUtf8(std::string_view text, std::size_t i) {
    if (i >= text.size()) return {};
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = 0;
    char32_t code = 0, smallest = 0;
    if (lead < 0x80) {
        return {lead, 1};
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, code = lead & 0x1FU, smallest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, code = lead & 0x0FU, smallest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, code = lead & 0x07U, smallest = 0x10000;
    } else {
        return {};
    }
    if (i + length > text.size()) return {};
    for (std::size_t k = 1; k < length; ++k) {
        if (!isContinuationByte(text[i + k])) return {};
        code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3FU);
    }
    if (code < smallest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return {};
    return {code, length};
}

bool IsValidUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = DecodeUtf8(text, i).length;
        if (length == 0) return false;
        i += length;
    }
    return true;
}

}  // namespace astro
