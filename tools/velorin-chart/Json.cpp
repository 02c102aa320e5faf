#include "velorin-chart/Json.h"

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "astro/Utf8Text.h"

namespace velorin_chart {

namespace {

// The bytes a JSON string holds as they are: printable ASCII but the quote
// and the backslash.
constexpr std::array<bool, 256> PlainBytes = [] {
    std::array<bool, 256> plain{};
    for (int c = 0x20; c < 0x7F; ++c) plain[static_cast<std::size_t>(c)] = c != '"' && c != '\\';
    return plain;
}();

void appendContent(std::string& out, std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (PlainBytes[c]) {
            // A run of plain characters is copied at once.
            std::size_t end = i + 1;
            while (end < text.size() && PlainBytes[static_cast<unsigned char>(text[end])]) ++end;
            out.append(text.data() + i, end - i);
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
}

void appendString(std::string& out, std::string_view text) {
    out += '"';
    appendContent(out, text);
    out += '"';
}

// 17 significant digits of a double as "%.17g" writes them, worked out
// exactly with 128-bit integers for the numbers a chart holds (a magnitude
// from 1e-6 to 1e16, which covers Julian days, degrees and hours); false for
// any other, which the general routine writes.
__extension__ typedef unsigned __int128 Wide;

// 10^0 .. 10^22, each exact in 128 bits.
constexpr std::array<Wide, 23> PowersOfTen = [] {
    std::array<Wide, 23> powers{};
    powers[0] = 1;
    for (std::size_t k = 1; k < powers.size(); ++k) powers[k] = powers[k - 1] * 10;
    return powers;
}();

constexpr char DigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// 10^0 .. 10^16 in 64 bits.
constexpr std::array<unsigned long long, 17> SmallPowersOfTen = [] {
    std::array<unsigned long long, 17> powers{};
    powers[0] = 1;
    for (std::size_t k = 1; k < powers.size(); ++k) powers[k] = powers[k - 1] * 10;
    return powers;
}();

// Two digits of a number below 100.
void writePair(char* at, std::uint32_t value) { std::memcpy(at, DigitPairs + value * 2, 2); }

// Four digits of a number below 10^4, the two pairs worked out side by side.
void writeFour(char* at, std::uint32_t value) {
    writePair(at, value / 100);
    writePair(at + 2, value % 100);
}

// `count` digits of `value` (leading zeros included) at `at`, written where
// they stay (bytes copied straight after being written one by one make the
// processor wait), in groups of four that do not wait on each other (a chain
// of divisions by 100 would).
char* writeDigits(char* at, unsigned long long value, int count) {
    char* const end = at + count;
    char* to = end;
    while (count > 8) {  // 17 digits at most: at most twice
        const auto eight = static_cast<std::uint32_t>(value % 100000000);
        value /= 100000000;
        writeFour(to - 8, eight / 10000);
        writeFour(to - 4, eight % 10000);
        to -= 8;
        count -= 8;
    }
    auto rest = static_cast<std::uint32_t>(value);
    if (count > 4) {
        writeFour(to - 4, rest % 10000);
        rest /= 10000;
        to -= 4;
        count -= 4;
    }
    for (; count >= 2; count -= 2, rest /= 100) {
        to -= 2;
        writePair(to, rest % 100);
    }
    if (count == 1) *--to = static_cast<char>('0' + rest);
    return end;
}

// The text at `at` (room for 32 characters), and its end; nullptr for a
// number the exact route does not take.
char* writeSeventeenDigits(char* at, double value) {
    if (value == 0 || !std::isfinite(value)) return nullptr;
    const double size = std::fabs(value);
    if (size < 1e-6 || size >= 1e16) return nullptr;
    // size = mantissa / 2^shift, from the bits of a normal double (1e-6 is one).
    const auto bits = std::bit_cast<unsigned long long>(size);
    const unsigned long long mantissa = (bits & ((1ULL << 52) - 1)) | (1ULL << 52);
    const int binaryExponent = static_cast<int>(bits >> 52) - 1022;  // size lies in [2^(e-1), 2^e)
    const int shift = 53 - binaryExponent;
    if (shift <= 0 || shift >= 120) return nullptr;
    // The decimal exponent of the first digit, from the binary one: floor((e -
    // 1) log10 2), with log10 2 as 78913 / 2^18 (exact for |e| < 1600; the shift
    // of a negative number rounds down), corrected below when one too small.
    int exponent = ((binaryExponent - 1) * 78913) >> 18;
    for (int attempt = 0; attempt < 2; ++attempt) {
        const int scale = 16 - exponent;  // digits = round(size * 10^scale)
        if (scale < 0 || scale > 22) return nullptr;
        const Wide product = static_cast<Wide>(mantissa) * PowersOfTen[static_cast<std::size_t>(scale)];
        Wide digits = product >> shift;
        const Wide rest = product - (digits << shift);
        const Wide half = static_cast<Wide>(1) << (shift - 1);
        if (rest > half || (rest == half && (digits & 1) != 0)) ++digits;  // to nearest, ties to even
        if (digits < SmallPowersOfTen[16]) {
            --exponent;
            continue;
        }
        if (digits >= SmallPowersOfTen[16] * 10) {
            ++exponent;
            continue;
        }
        if (exponent < -4) return nullptr;  // written in scientific notation: the general routine
        if (value < 0) *at++ = '-';
        // The 17 digits d1..d17 stand for d1.d2...d17 x 10^exponent; "%g"
        // drops the fraction's trailing zeros, and its point when none is left.
        auto all = static_cast<unsigned long long>(digits);
        if (exponent >= 0) {
            const int fractionDigits = 16 - exponent;
            const unsigned long long unit = SmallPowersOfTen[static_cast<std::size_t>(fractionDigits)];
            // all / unit without a division by a divisor only known now (the
            // slowest instruction there is): the integer part of the number.
            // Seventeen digits tell every double apart, so the rounding never
            // carries into it; were it to, the digits would still be right.
            auto whole = static_cast<unsigned long long>(size);
            unsigned long long fraction = all - whole * unit;
            if (fraction >= unit) {
                ++whole;
                fraction -= unit;
            }
            at = writeDigits(at, whole, exponent + 1);
            if (fraction == 0) return at;
            int kept = fractionDigits;
            for (; fraction % 10 == 0; fraction /= 10) --kept;
            *at++ = '.';
            return writeDigits(at, fraction, kept);
        }
        std::memcpy(at, "0.0000", static_cast<std::size_t>(1 - exponent));  // "0." and the zeros after the point
        at += 1 - exponent;
        int kept = 17;
        for (; all % 10 == 0; all /= 10) --kept;
        return writeDigits(at, all, kept);
    }
    return nullptr;
}

char* writeNumber(char* at, double value) {
    if (!std::isfinite(value)) {
        std::memcpy(at, "null", 4);
        return at + 4;
    }
    if (char* end = writeSeventeenDigits(at, value)) return end;
    // 17 significant digits, the same as "%.17g" in the C locale, but never
    // with the user's decimal comma: JSON stays JSON in every locale.
    return std::to_chars(at, at + JsonNumberRoom, value, std::chars_format::general, 17).ptr;
}

void appendNumber(std::string& out, double value) {
    char buffer[JsonNumberRoom];
    out.append(buffer, writeNumber(buffer, value));
}

}  // namespace

std::string JsonString(std::string_view text) {
    std::string out;
    appendString(out, text);
    return out;
}

void AppendJsonNumber(std::string& out, double value) { appendNumber(out, value); }

char* WriteJsonNumber(char* at, double value) { return writeNumber(at, value); }

void AppendJsonStringContent(std::string& out, std::string_view text) { appendContent(out, text); }

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
    // One append for the quoted key and its colon: a line has hundreds.
    char piece[64];
    if (name.size() + 4 <= sizeof piece) {
        piece[0] = '"';
        std::memcpy(piece + 1, name.data(), name.size());
        std::memcpy(piece + 1 + name.size(), "\": ", 3);
        out_.append(piece, name.size() + 4);
    } else {
        out_ += '"';
        out_ += name;
        out_ += "\": ";
    }
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
    char buffer[24];
    const std::to_chars_result written = std::to_chars(buffer, buffer + sizeof buffer, value);
    out_.append(buffer, written.ptr);
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

std::string& JsonWriter::rawValue() {
    beforeValue();
    return out_;
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
