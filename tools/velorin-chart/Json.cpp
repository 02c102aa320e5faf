#include "velorin-chart/Json.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "astro/Utf8Text.h"

namespace velorin_chart {

namespace {

void appendString(std::string& out, std::string_view text) {
    out += '"';
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\') {
            // A run of plain characters is copied at once.
            std::size_t end = i + 1;
            while (end < text.size()) {
                const auto next = static_cast<unsigned char>(text[end]);
                if (next < 0x20 || next >= 0x7F || next == '"' || next == '\\') break;
                ++end;
            }
            out.append(text.substr(i, end - i));
            i = end;
            continue;
        }
        const std::size_t length = astro::DecodeUtf8(text, i).length;
        if (length == 0) {
            out += "\\ufffd";
            ++i;
            continue;
        }
        if (length > 1) {
            out.append(text.substr(i, length));
            i += length;
            continue;
        }
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default: {
                char buffer[8];
                std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
                out += buffer;
            }
        }
        ++i;
    }
    out += '"';
}

void appendNumber(std::string& out, double value) {
    if (!std::isfinite(value)) {
        out += "null";
        return;
    }
    // 17 significant digits, the same as "%.17g" in the C locale, but never
    // with the user's decimal comma: JSON stays JSON in every locale.
    char buffer[64];
    const std::to_chars_result written = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 17);
    out.append(buffer, written.ptr);
}

}  // namespace

std::string JsonString(std::string_view text) {
    std::string out;
    appendString(out, text);
    return out;
}

std::string JsonNumber(double value) {
    std::string out;
    appendNumber(out, value);
    return out;
}

void JsonWriter::beforeMember() {
    if (levels_.empty()) return;
    Level& level = levels_.back();
    if (level.first) {
        if (level.indented) out_ += "\n  ";
        level.first = false;
    } else {
        out_ += level.indented ? ",\n  " : ", ";
    }
}

void JsonWriter::beforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    beforeMember();  // a value in an array
}

JsonWriter& JsonWriter::beginObject(Layout layout) {
    beforeValue();
    out_ += '{';
    levels_.push_back({layout == Layout::Indented, true});
    return *this;
}

JsonWriter& JsonWriter::endObject() {
    if (!levels_.empty()) {
        if (levels_.back().indented && !levels_.back().first) out_ += '\n';
        levels_.pop_back();
    }
    out_ += '}';
    return *this;
}

JsonWriter& JsonWriter::beginArray() {
    beforeValue();
    out_ += '[';
    levels_.push_back({false, true});
    return *this;
}

JsonWriter& JsonWriter::endArray() {
    if (!levels_.empty()) levels_.pop_back();
    out_ += ']';
    return *this;
}

JsonWriter& JsonWriter::key(std::string_view name) {
    beforeMember();
    out_ += '"';
    out_ += name;
    out_ += "\": ";
    afterKey_ = true;
    return *this;
}

JsonWriter& JsonWriter::string(std::string_view text) {
    beforeValue();
    appendString(out_, text);
    return *this;
}

JsonWriter& JsonWriter::number(double value) {
    beforeValue();
    appendNumber(out_, value);
    return *this;
}

JsonWriter& JsonWriter::integer(long long value) {
    beforeValue();
    out_ += std::to_string(value);
    return *this;
}

JsonWriter& JsonWriter::boolean(bool value) {
    beforeValue();
    out_ += value ? "true" : "false";
    return *this;
}

JsonWriter& JsonWriter::null() {
    beforeValue();
    out_ += "null";
    return *this;
}

JsonWriter& JsonWriter::raw(std::string_view json) {
    beforeValue();
    out_ += json;
    return *this;
}

void JsonReader::skipBlanks() {
    while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\t' || text_[at_] == '\r')) ++at_;
}

bool JsonReader::take(char c) {
    skipBlanks();
    if (at_ < text_.size() && text_[at_] == c) {
        ++at_;
        return true;
    }
    return false;
}

bool JsonReader::atEnd() {
    skipBlanks();
    return at_ == text_.size();
}

std::optional<std::string> JsonReader::string() {
    if (!take('"')) return std::nullopt;
    std::string out;
    while (at_ < text_.size()) {
        const char c = text_[at_++];
        if (c == '"') return out;
        if (static_cast<unsigned char>(c) < 0x20) return std::nullopt;
        if (c != '\\') {
            out += c;
            continue;
        }
        if (at_ >= text_.size()) return std::nullopt;
        const char e = text_[at_++];
        switch (e) {
            case '"': out += '"'; break;
            case '\\': out += '\\'; break;
            case '/': out += '/'; break;
            case 'b': out += '\b'; break;
            case 'f': out += '\f'; break;
            case 'n': out += '\n'; break;
            case 'r': out += '\r'; break;
            case 't': out += '\t'; break;
            case 'u': {
                const std::optional<char32_t> code = unicodeEscape();
                if (!code) return std::nullopt;
                astro::AppendUtf8(out, *code);
                break;
            }
            default: return std::nullopt;
        }
    }
    return std::nullopt;
}

std::string JsonReader::word() {
    skipBlanks();
    const std::size_t start = at_;
    while (at_ < text_.size() && text_[at_] != ',' && text_[at_] != '}' && text_[at_] != ' ' && text_[at_] != '\t' &&
           text_[at_] != '\r')
        ++at_;
    return std::string(text_.substr(start, at_ - start));
}

std::optional<char32_t> JsonReader::hex4() {
    if (at_ + 4 > text_.size()) return std::nullopt;
    char32_t value = 0;
    for (int i = 0; i < 4; ++i) {
        const char c = text_[at_++];
        value <<= 4;
        if (c >= '0' && c <= '9') value |= static_cast<char32_t>(c - '0');
        else if (c >= 'a' && c <= 'f') value |= static_cast<char32_t>(c - 'a' + 10);
        else if (c >= 'A' && c <= 'F') value |= static_cast<char32_t>(c - 'A' + 10);
        else return std::nullopt;
    }
    return value;
}

std::optional<char32_t> JsonReader::unicodeEscape() {
    const std::optional<char32_t> high = hex4();
    if (!high) return std::nullopt;
    if (*high < 0xD800 || *high > 0xDFFF) return high;
    if (*high > 0xDBFF || at_ + 2 > text_.size() || text_[at_] != '\\' || text_[at_ + 1] != 'u') return std::nullopt;
    at_ += 2;
    const std::optional<char32_t> low = hex4();
    if (!low || *low < 0xDC00 || *low > 0xDFFF) return std::nullopt;
    return 0x10000 + ((*high - 0xD800) << 10) + (*low - 0xDC00);
}

}  // namespace velorin_chart
