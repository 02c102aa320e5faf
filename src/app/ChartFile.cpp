#include "app/ChartFile.h"

#include <optional>

#include "app/ZoneTable.h"
#include "astro/DecimalDigits.h"
#include "astro/Utf8Text.h"

namespace app {

namespace {

// Unicode code points of Windows-1252 bytes 0x80..0x9F; the five bytes the
// code page leaves undefined map to the code point of the same number.
constexpr char32_t Cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t unicodeOfCp1252(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) return Cp1252High[byte - 0x80];
    return byte;
}

std::optional<unsigned char> cp1252OfUnicode(char32_t code) {
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) return static_cast<unsigned char>(code);
    for (unsigned char i = 0; i < 32; ++i) {
        if (Cp1252High[i] == code) return static_cast<unsigned char>(0x80 + i);
    }
    return std::nullopt;
}

// Decodes UTF-8; an invalid byte counts as the character of that byte's value.
std::u32string toCodePoints(std::string_view text) {
    std::u32string out;
    for (std::size_t i = 0; i < text.size();) {
        const astro::Utf8Char next = astro::DecodeUtf8(text, i);
        if (next.length == 0) {
            out.push_back(static_cast<unsigned char>(text[i]));  // a byte that is no UTF-8: taken as Latin-1
            ++i;
        } else {
            out.push_back(next.code);
            i += next.length;
        }
    }
    return out;
}

// A plain decimal number of one to four digits.
std::optional<int> decimal(std::string_view text) { return astro::ParseDigits(text, 1, 4); }

// The list position of the entry whose text is exactly `text`.
std::optional<int> listPosition(std::string_view text, int firstValue, int size) {
    const std::optional<int> value = decimal(text);
    if (!value || *value < firstValue || *value >= firstValue + size) return std::nullopt;
    if (std::to_string(*value) != text) return std::nullopt;  // "05" is not an entry of the list
    return *value - firstValue;
}

// A flag line: "True"/"False" in any case, or a number (0 is false).
std::optional<bool> flag(std::string_view text) {
    std::string lower;
    for (char c : astro::TrimBlanks(text)) lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    if (lower == "true") return true;
    if (lower == "false") return false;
    std::string_view number = lower;
    if (!number.empty() && number[0] == '-') number.remove_prefix(1);
    if (const std::optional<int> value = decimal(number)) return *value != 0;
    return std::nullopt;
}

// The value of a line; a line the file lacks is empty.
std::string_view valueOf(const std::optional<std::string>& line) { return line ? std::string_view(*line) : std::string_view(); }

// A coordinate box takes what typing could put there: up to three digits
// (an empty or missing line empties it).
void setIfCoordinate(const std::optional<std::string>& line, std::string& box) {
    const std::string_view text = valueOf(line);
    if (text.size() <= CoordinateMaxLength && DigitsBoxAcceptsText(text)) box = std::string(text);
}

// A name or place box takes a text of at most MaxTextLength characters (an
// empty or missing line empties it); a longer one is skipped.
void setText(const std::optional<std::string>& line, std::string& box) {
    const std::string_view text = valueOf(line);
    if (astro::CharCount(text) <= MaxTextLength) box = std::string(text);
}

// The text without the characters that cannot be typed into the form.
std::string withoutControlCharacters(const std::string& text) {
    std::string kept;
    for (const char32_t code : toCodePoints(text)) {
        if (!IsControlCharacter(code)) astro::AppendUtf8(kept, code);
    }
    return kept;
}

std::string decimalText(int value) { return std::to_string(value); }

}  // namespace

std::string EncodeChartField(std::string_view text) {
    std::string bytes;
    for (const char32_t code : toCodePoints(text)) {
        const unsigned char stored = cp1252OfUnicode(code).value_or(static_cast<unsigned char>('?'));
        if (stored <= 170) bytes += static_cast<char>(stored + 85);
    }
    return bytes;
}

std::string DecodeChartField(std::string_view bytes) {
    std::string text;
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 85) continue;
        astro::AppendUtf8(text, unicodeOfCp1252(static_cast<unsigned char>(byte - 85)));
    }
    return text;
}

std::string MakeChartFileBytes(const ChartRecord& r, int zoneListPosition) {
    const auto flagText = [](bool value) { return std::string(value ? "True" : "False"); };
    const std::string fields[ChartFileLineCount] = {
        r.BirthName,
        decimalText(r.birth.BirthMonth),
        decimalText(r.birth.BirthDay),
        decimalText(r.birth.BirthYear),
        decimalText(r.birth.BirthHour),
        decimalText(r.birth.BirthMinute),
        decimalText(zoneListPosition),
        decimalText(r.birth.LonDegrees),
        decimalText(r.birth.LonMinutes),
        decimalText(r.birth.LatDegrees),
        decimalText(r.birth.LatMinutes),
        flagText(r.birth.IsEast),
        flagText(r.birth.IsSouth),
        flagText(r.birth.IsDaylightSaving),
        r.City,
        r.State,
        r.Country,
    };
    std::string bytes;
    for (const std::string& field : fields) {
        bytes += EncodeChartField(astro::TrimBlanks(field));
        bytes += "\r\n";
    }
    return bytes;
}

ChartFileLines ReadChartFileLines(std::string_view bytes) {
    if (bytes.size() > MaxChartFileBytes) bytes = bytes.substr(0, MaxChartFileBytes);
    ChartFileLines lines;
    std::size_t pos = 0;
    for (std::size_t line = 0; line < ChartFileLineCount && pos < bytes.size(); ++line) {
        std::size_t end = bytes.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) end = bytes.size();
        lines[line] = withoutControlCharacters(DecodeChartField(bytes.substr(pos, std::min(end - pos, MaxChartFileLineBytes))));
        pos = end;
        if (pos < bytes.size() && bytes[pos] == '\r') ++pos;
        if (pos < bytes.size() && bytes[pos] == '\n') ++pos;
    }
    return lines;
}

void ApplyChartFile(const ChartFileLines& lines, BirthFormValues& form) {
    setText(lines[0], form.txtName);
    if (const auto month = decimal(valueOf(lines[1])); month && *month >= 1 && *month <= MonthListSize) {
        form.cboMonth = *month - 1;
    }
    if (const auto day = listPosition(valueOf(lines[2]), 1, DayListSize)) form.cboDate = *day;
    if (const auto year = listPosition(valueOf(lines[3]), FirstListYear, YearListSize)) form.cboYear = *year;
    if (const auto hour = listPosition(valueOf(lines[4]), 0, HourListSize)) form.cboHour = *hour;
    if (const auto minute = listPosition(valueOf(lines[5]), 0, MinuteListSize)) form.cboMinute = *minute;
    if (const auto zone = decimal(valueOf(lines[6])); zone && *zone < ZoneCount) form.cboTimeZone = *zone;
    setIfCoordinate(lines[7], form.txtLonDeg);
    setIfCoordinate(lines[8], form.txtLonMin);
    setIfCoordinate(lines[9], form.txtLatDeg);
    setIfCoordinate(lines[10], form.txtLatMin);
    if (const auto east = flag(valueOf(lines[11]))) {
        form.optLongEast = *east;
        form.optLongWest = !*east;
    }
    if (const auto south = flag(valueOf(lines[12]))) {
        form.optLatSouth = *south;
        form.optLatNorth = !*south;
    }
    if (const auto dst = flag(valueOf(lines[13]))) form.chkDST = *dst;
    setText(lines[14], form.txtCity);
    setText(lines[15], form.txtState);
    setText(lines[16], form.txtCountry);
}

std::string UnstorableCharacters(std::string_view text) {
    std::string found;
    for (const char32_t code : toCodePoints(text)) {
        const std::optional<unsigned char> stored = cp1252OfUnicode(code);
        if (!stored || *stored > 170) astro::AppendUtf8(found, code);
    }
    return found;
}

std::optional<std::string> ChartFileProblem(const ChartRecord& record) {
    const std::pair<const char*, const std::string*> fields[] = {
        {"name", &record.BirthName}, {"city", &record.City}, {"state", &record.State}, {"country", &record.Country}};
    for (const auto& [field, text] : fields) {
        if (const std::string lost = UnstorableCharacters(*text); !lost.empty()) {
            return std::string("the ") + field + " holds characters a chart file cannot store: " + lost;
        }
        if (astro::TrimBlanks(*text).empty()) {
            return std::string("the ") + field +
                   " is blanks only: a chart file keeps it without its blanks, and the file would not open again";
        }
    }
    return std::nullopt;
}

bool HasChartFileExtension(std::string_view path) {
    return astro::LastChars(path, 3) == ChartFileExtension;
}

}  // namespace app
