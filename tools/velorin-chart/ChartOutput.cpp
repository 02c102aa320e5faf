#include "ChartOutput.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <locale>
#include <sstream>
#include <vector>

#include "app/ChartTextExport.h"
#include "app/ZoneTable.h"
#include "astro/Utf8Text.h"

namespace velorin_chart {

namespace {

// Length of the valid UTF-8 sequence starting at text[i], or 0 when invalid.
std::size_t utf8SequenceLength(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    std::size_t length = 0;
    unsigned int codePoint = 0;
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) { length = 2; codePoint = lead & 0x1FU; }
    else if (lead >= 0xE0 && lead <= 0xEF) { length = 3; codePoint = lead & 0x0FU; }
    else if (lead >= 0xF0 && lead <= 0xF4) { length = 4; codePoint = lead & 0x07U; }
    else return 0;
    if (i + length > text.size()) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0U) != 0x80U) return 0;
        codePoint = (codePoint << 6) | (byte(i + k) & 0x3FU);
    }
    const bool overlong = (length == 3 && codePoint < 0x800) || (length == 4 && codePoint < 0x10000);
    const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
    if (overlong || surrogate || codePoint > 0x10FFFF) return 0;
    return length;
}

std::string jsonNumber(double value) {
    if (!std::isfinite(value)) return "null";
    // 17 significant digits, the same as "%.17g" in the C locale, but never
    // with the user's decimal comma: JSON stays JSON in every locale.
    char buffer[64];
    const std::to_chars_result written = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 17);
    return std::string(buffer, written.ptr);
}

template <std::size_t N>
std::string jsonStringArray(const std::array<std::string, N>& texts) {
    std::string out = "[";
    for (std::size_t i = 0; i < N; ++i) {
        if (i) out += ", ";
        out += JsonString(texts[i]);
    }
    return out + "]";
}

std::string padRight(std::string_view text, std::size_t width) {
    std::string out(astro::SubChars(text, 0, width));
    out.append(width - astro::CharCount(out), ' ');
    return out;
}

std::string centred(std::string_view text, std::size_t width) {
    const std::string cut(astro::SubChars(text, 0, width));
    const std::size_t left = (width - astro::CharCount(cut)) / 2;
    return std::string(left, ' ') + padRight(cut, width - left);
}

std::vector<std::string> splitBox(const std::string& box) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (!box.empty()) {
        const std::size_t end = box.find("\r\n", start);
        lines.push_back(box.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) break;
        start = end + 2;
    }
    return lines;
}

}  // namespace

std::string JsonString(std::string_view text) {
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        const std::size_t length = utf8SequenceLength(text, i);
        if (length == 0) {
            out += "\\ufffd";
            ++i;
            continue;
        }
        if (length == 1) {
            switch (c) {
                case '"': out += "\\\""; break;
                case '\\': out += "\\\\"; break;
                case '\n': out += "\\n"; break;
                case '\r': out += "\\r"; break;
                case '\t': out += "\\t"; break;
                default:
                    if (c < 0x20 || c == 0x7F) {
                        char buffer[8];
                        std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
                        out += buffer;
                    } else {
                        out += static_cast<char>(c);
                    }
            }
        } else {
            out.append(text.substr(i, length));
        }
        i += length;
    }
    return out + "\"";
}

app::MonthNameTable UserMonthNames() {
    app::MonthNameTable names = app::EnglishMonthNames();
    try {
        // The user's time category only: numbers stay in the classic format.
        const std::locale user(std::locale::classic(), "", std::locale::time);
        const auto& writer = std::use_facet<std::time_put<char>>(user);
        app::MonthNameTable local;
        for (std::size_t month = 0; month < local.size(); ++month) {
            std::tm date{};
            date.tm_year = 100;
            date.tm_mon = static_cast<int>(month);
            date.tm_mday = 1;
            std::ostringstream out;
            out.imbue(user);
            // %OB: the name as it stands on its own, not inflected by a day.
            writer.put(std::ostreambuf_iterator<char>(out), out, ' ', &date, 'B', 'O');
            local[month] = out.str();
            if (local[month].empty() || !astro::IsValidUtf8(local[month])) return names;
        }
        names = local;
    } catch (const std::runtime_error&) {
        // A locale the system does not have: English names.
    }
    return names;
}

std::string FormatText(const app::ChartRecord& record, const app::MonthNameTable& monthNames) {
    std::string out;
    for (const std::string& line : app::MakeExportLines(record, monthNames)) {
        if (line != app::ExportSeparatorLine) out += line;
        out += '\n';
    }
    return out;
}

std::string FormatJson(const app::ChartSession& session) {
    const app::ChartRecord& r = session.record;
    std::vector<std::pair<std::string, std::string>> fields = {
        {"BirthName", JsonString(r.BirthName)},
        {"BirthDay", std::to_string(r.birth.BirthDay)},
        {"BirthMonth", std::to_string(r.birth.BirthMonth)},
        {"BirthYear", std::to_string(r.birth.BirthYear)},
        {"BirthHour", std::to_string(r.birth.BirthHour)},
        {"BirthMinute", std::to_string(r.birth.BirthMinute)},
        {"ZoneHoursAbs", std::to_string(r.birth.ZoneHoursAbs)},
        {"ZoneMinutesAbs", std::to_string(r.birth.ZoneMinutesAbs)},
        {"ZoneHoursSigned", std::to_string(r.birth.ZoneHoursSigned)},
        {"ZoneMinutesSigned", std::to_string(r.birth.ZoneMinutesSigned)},
        {"LonDegrees", std::to_string(r.birth.LonDegrees)},
        {"LonMinutes", std::to_string(r.birth.LonMinutes)},
        {"LatDegrees", std::to_string(r.birth.LatDegrees)},
        {"LatMinutes", std::to_string(r.birth.LatMinutes)},
        {"IsEast", r.birth.IsEast ? "true" : "false"},
        {"IsSouth", r.birth.IsSouth ? "true" : "false"},
        {"IsDaylightSaving", r.birth.IsDaylightSaving ? "true" : "false"},
        {"City", JsonString(r.City)},
        {"State", JsonString(r.State)},
        {"Country", JsonString(r.Country)},
        {"AyanamsaText", JsonString(r.angles.AyanamsaText)},
        {"AyanamsaCorrection", jsonNumber(r.angles.AyanamsaCorrection)},
        {"AscendantText", JsonString(r.angles.AscendantText)},
        {"MidheavenText", JsonString(r.angles.MidheavenText)},
        {"MoonPositionText", JsonString(r.moon.MoonPositionText)},
        {"NakshatraName", JsonString(r.moon.NakshatraName)},
        {"RashiName", JsonString(r.moon.RashiName)},
        {"PlanetNameEnglish", jsonStringArray(r.bodies.PlanetNameEnglish)},
        {"PlanetNameSanskrit", jsonStringArray(r.bodies.PlanetNameSanskrit)},
        {"PlanetPositionText", jsonStringArray(r.bodies.PlanetPositionText)},
    };
    std::string flags = "[";
    for (std::size_t i = 0; i < r.RetroFlags.size(); ++i) flags += std::string(i ? ", " : "") + (r.RetroFlags[i] ? "true" : "false");
    fields.emplace_back("RetroFlags", flags + "]");
    fields.emplace_back("AyanamsaCaption", JsonString(r.captions.AyanamsaCaption));
    fields.emplace_back("AscSignAbbrev", JsonString(r.captions.AscSignAbbrev));
    fields.emplace_back("LagnaName", JsonString(r.captions.LagnaName));
    fields.emplace_back("NakshatraCaption", JsonString(r.captions.NakshatraCaption));
    fields.emplace_back("RashiCaption", JsonString(r.captions.RashiCaption));
    fields.emplace_back("NakshatraLord", JsonString(r.captions.NakshatraLord));
    fields.emplace_back("PadaCaption", JsonString(r.captions.PadaCaption));
    fields.emplace_back("SignBoxes", jsonStringArray(app::MakeSignBoxes(r)));
    fields.emplace_back("ZoneListPosition", std::to_string(session.zoneListPosition));

    std::string out = "{\n";
    for (std::size_t i = 0; i < fields.size(); ++i) {
        out += "  " + JsonString(fields[i].first) + ": " + fields[i].second;
        out += i + 1 < fields.size() ? ",\n" : "\n";
    }
    return out + "}\n";
}

std::string FormatChart(const app::ChartSession& session) {
    const app::ChartRecord& r = session.record;
    const std::array<std::string, 12> boxes = app::MakeSignBoxes(r);
    constexpr std::size_t cellWidth = 13;
    // Sign index shown in each cell of the 4 x 4 ring (-1: the centre).
    constexpr int grid[4][4] = {{11, 0, 1, 2}, {10, -1, -1, 3}, {9, -1, -1, 4}, {8, 7, 6, 5}};

    const std::string cellRule(cellWidth, '-');
    const std::string fullRule = "+" + cellRule + "+" + cellRule + "+" + cellRule + "+" + cellRule + "+\n";
    const std::string centreEdgeRule = "+" + cellRule + "+" + std::string(2 * cellWidth + 1, '-') + "+" + cellRule + "+\n";

    // The centre spans rows 1 and 2: its lines are laid out over both.
    std::vector<std::string> rowLines[4];
    std::size_t rowHeight[4];
    for (int row = 0; row < 4; ++row) {
        std::size_t height = 3;
        for (int col = 0; col < 4; ++col) {
            if (grid[row][col] >= 0) height = std::max(height, 1 + splitBox(boxes[static_cast<std::size_t>(grid[row][col])]).size());
        }
        rowHeight[row] = height;
    }
    const std::vector<std::string> centre = {"", std::string(app::ApplicationTitle), "Rashi chart", "(South Indian)", "", r.BirthName};
    const std::size_t centreHeight = rowHeight[1] + 1 + rowHeight[2];
    const std::size_t centreTop = centreHeight > centre.size() ? (centreHeight - centre.size()) / 2 : 0;
    const auto centreLine = [&](std::size_t k) {
        const std::size_t index = k - centreTop;
        return k >= centreTop && index < centre.size() ? centred(centre[index], 2 * cellWidth + 1)
                                                       : std::string(2 * cellWidth + 1, ' ');
    };

    std::ostringstream out;
    out << fullRule;
    std::size_t centreLineIndex = 0;
    for (int row = 0; row < 4; ++row) {
        for (std::size_t line = 0; line < rowHeight[row]; ++line) {
            out << '|';
            for (int col = 0; col < 4; ++col) {
                const int sign = grid[row][col];
                if (sign < 0) {
                    if (col == 1) out << centreLine(centreLineIndex++) << '|';
                    continue;
                }
                std::string cell;
                if (line == 0) {
                    cell = std::to_string(sign + 1) + " " + std::string(app::SignAbbrev[static_cast<std::size_t>(sign)]);
                } else {
                    const std::vector<std::string> entries = splitBox(boxes[static_cast<std::size_t>(sign)]);
                    if (line - 1 < entries.size()) cell = entries[line - 1];
                }
                out << ' ' << padRight(cell, cellWidth - 1) << '|';
            }
            out << '\n';
        }
        if (row == 1) {
            out << "+" << cellRule << "+" << centreLine(centreLineIndex++) << "+" << cellRule << "+\n";
        } else {
            out << (row == 3 ? fullRule : centreEdgeRule);
        }
    }

    out << '\n';
    out << "Ayanamsa         " << r.captions.AyanamsaCaption << '\n';
    out << "Lagna / Asc      " << r.captions.LagnaName << '\n';
    out << "Nakshatra        " << r.captions.NakshatraCaption << '\n';
    out << "Rashi/Moon Sign  " << r.captions.RashiCaption << '\n';
    out << "Pada             " << r.captions.PadaCaption << '\n';
    out << "Lord             " << r.captions.NakshatraLord << '\n';
    out << '\n';
    for (std::size_t b = 0; b < astro::PlacedBodyCount; ++b) {
        out << padRight(std::string(app::BodyRowCaptions[b]), 19) << r.bodies.PlanetPositionText[b] << '\n';
    }
    return out.str();
}

std::string FormatZoneList() {
    std::string out;
    for (std::size_t k = 0; k < app::ZoneTable.size(); ++k) {
        out += std::to_string(k) + "\t" + std::string(app::ZoneTable[k].name) + "\n";
    }
    return out;
}

}  // namespace velorin_chart
