#include "ChartOutput.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <locale>
#include <sstream>
#include <vector>

#include "app/ChartTextExport.h"
#include "app/DivisionalCharts.h"
#include "astro/PlanetPositions.h"
#include "astro/TimeScales.h"
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

// Writes a JSON string literal of a UTF-8 text at the end of `out`;
// invalid bytes become U+FFFD.
void appendJsonString(std::string& out, std::string_view text) {
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
        const std::size_t length = utf8SequenceLength(text, i);
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

void appendJsonNumber(std::string& out, double value) {
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

template <std::size_t N>
void appendJsonStringArray(std::string& out, const std::array<std::string, N>& texts) {
    out += '[';
    for (std::size_t i = 0; i < N; ++i) {
        if (i) out += ", ";
        appendJsonString(out, texts[i]);
    }
    out += ']';
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
    std::string out;
    appendJsonString(out, text);
    return out;
}

app::MonthNameTable UserMonthNames() {
    app::MonthNameTable names = app::EnglishMonthNames();
    // The time locale's name as the C library looks it up; the C locale (and
    // its UTF-8 form) names the months in English, with nothing to load.
    std::string name;
    for (const char* variable : {"LC_ALL", "LC_TIME", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value && *value) {
            name = value;
            break;
        }
    }
    if (name.empty() || name == "C" || name == "POSIX" || name.rfind("C.", 0) == 0) return names;
    try {
        // The user's time category only: numbers stay in the classic format.
        const std::locale user(std::locale::classic(), name.c_str(), std::locale::time);
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

std::string JsonNumber(double value) {
    std::string out;
    appendJsonNumber(out, value);
    return out;
}

std::string FormatJson(const app::ChartSession& session, JsonLayout layout, std::string_view check) {
    const app::ChartRecord& r = session.record;
    const bool indented = layout == JsonLayout::Indented;
    std::string out;
    out.reserve(2048);
    out += indented ? "{\n  " : "{";
    bool first = true;
    // Each field: its key, then the value that `write` appends.
    const auto field = [&](std::string_view key, const auto& write) {
        if (!first) out += indented ? ",\n  " : ", ";
        first = false;
        // The keys are plain names: nothing in them needs escaping.
        out += '"';
        out += key;
        out += "\": ";
        write();
    };
    const auto text = [&](std::string_view key, std::string_view value) {
        field(key, [&] { appendJsonString(out, value); });
    };
    const auto whole = [&](std::string_view key, int value) { field(key, [&] { out += std::to_string(value); }); };
    const auto truth = [&](std::string_view key, bool value) { field(key, [&] { out += value ? "true" : "false"; }); };
    const auto texts = [&](std::string_view key, const auto& values) {
        field(key, [&] { appendJsonStringArray(out, values); });
    };

    text("BirthName", r.BirthName);
    whole("BirthDay", r.birth.BirthDay);
    whole("BirthMonth", r.birth.BirthMonth);
    whole("BirthYear", r.birth.BirthYear);
    whole("BirthHour", r.birth.BirthHour);
    whole("BirthMinute", r.birth.BirthMinute);
    whole("ZoneHoursAbs", r.birth.ZoneHoursAbs);
    whole("ZoneMinutesAbs", r.birth.ZoneMinutesAbs);
    whole("ZoneHoursSigned", r.birth.ZoneHoursSigned);
    whole("ZoneMinutesSigned", r.birth.ZoneMinutesSigned);
    whole("LonDegrees", r.birth.LonDegrees);
    whole("LonMinutes", r.birth.LonMinutes);
    whole("LatDegrees", r.birth.LatDegrees);
    whole("LatMinutes", r.birth.LatMinutes);
    truth("IsEast", r.birth.IsEast);
    truth("IsSouth", r.birth.IsSouth);
    truth("IsDaylightSaving", r.birth.IsDaylightSaving);
    text("City", r.City);
    text("State", r.State);
    text("Country", r.Country);
    text("AyanamsaText", r.angles.AyanamsaText);
    field("AyanamsaCorrection", [&] { appendJsonNumber(out, r.angles.AyanamsaCorrection); });
    text("AscendantText", r.angles.AscendantText);
    text("MidheavenText", r.angles.MidheavenText);
    text("MoonPositionText", r.moon.MoonPositionText);
    text("NakshatraName", r.moon.NakshatraName);
    text("RashiName", r.moon.RashiName);
    texts("PlanetNameEnglish", r.bodies.PlanetNameEnglish);
    texts("PlanetNameSanskrit", r.bodies.PlanetNameSanskrit);
    texts("PlanetPositionText", r.bodies.PlanetPositionText);
    field("RetroFlags", [&] {
        out += '[';
        for (std::size_t i = 0; i < r.RetroFlags.size(); ++i) {
            if (i) out += ", ";
            out += r.RetroFlags[i] ? "true" : "false";
        }
        out += ']';
    });
    text("AyanamsaCaption", r.captions.AyanamsaCaption);
    text("AscSignAbbrev", r.captions.AscSignAbbrev);
    text("LagnaName", r.captions.LagnaName);
    text("NakshatraCaption", r.captions.NakshatraCaption);
    text("RashiCaption", r.captions.RashiCaption);
    text("NakshatraLord", r.captions.NakshatraLord);
    text("PadaCaption", r.captions.PadaCaption);
    texts("SignBoxes", app::MakeSignBoxes(r));
    whole("ZoneListPosition", session.zoneListPosition);

    // Derived from the chart's sidereal degrees.
    const double moon = r.bodies.SiderealLongitude[astro::BodyIndex(astro::Body::Moon)];
    whole("MoonPada", app::MoonPada(moon));
    field("DivisionalCharts", [&] {
        out += '{';
        for (std::size_t d = 0; d < app::Divisions.size(); ++d) {
            if (d) out += ", ";
            const std::array<int, astro::BodyCount> signs = app::DivisionalSigns(app::Divisions[d], r);
            out += "\"D" + std::to_string(app::Divisions[d]) + "\": {\"Signs\": [";
            for (std::size_t b = 0; b < signs.size(); ++b) {
                if (b) out += ", ";
                out += std::to_string(signs[b]);
            }
            out += "], \"SignBoxes\": ";
            appendJsonStringArray(out, app::SignBoxesOf(signs, r.bodies.PlanetNameSanskrit));
            out += '}';
        }
        out += '}';
    });
    const app::TimeBases bases = app::TimeBasesOf(r.birth);
    field("AnglesUniversalTime", [&] { appendJsonNumber(out, bases.anglesHours); });
    field("PlanetsUniversalTime", [&] { appendJsonNumber(out, bases.planetsHours); });
    field("Vimshottari", [&] {
        const auto period = [&](const app::DashaPeriod& p) {
            out += "{\"Lord\": ";
            appendJsonString(out, p.Lord);
            out += ", \"StartJD\": ";
            appendJsonNumber(out, p.StartJD);
            out += ", \"Start\": ";
            appendJsonString(out, app::CalendarDateOfJulianDay(p.StartJD));
            out += ", \"EndJD\": ";
            appendJsonNumber(out, p.EndJD);
            out += ", \"End\": ";
            appendJsonString(out, app::CalendarDateOfJulianDay(p.EndJD));
        };
        out += '[';
        const std::vector<app::DashaPeriod> dashas = app::VimshottariDashas(moon, app::BirthJulianDay(r.birth));
        for (std::size_t k = 0; k < dashas.size(); ++k) {
            if (k) out += ", ";
            period(dashas[k]);
            out += ", \"Antardasha\": [";
            for (std::size_t j = 0; j < dashas[k].Antardasha.size(); ++j) {
                if (j) out += ", ";
                period(dashas[k].Antardasha[j]);
                out += '}';
            }
            out += "]}";
        }
        out += ']';
    });
    if (!check.empty()) field("Check", [&] { out += check; });
    out += indented ? "\n}\n" : "}\n";
    return out;
}

std::string TimeBasesNote(const app::TimeBases& bases) {
    const std::string sentence = app::TimeBasesSentence(bases);
    return sentence.empty() ? sentence : "velorin-chart: note: " + sentence + "\n";
}

std::string VargaName(int varga) {
    const std::pair<int, const char*> names[] = {{1, "Rashi"},    {2, "Hora"},     {3, "Drekkana"},  {7, "Saptamsa"},
                                                 {9, "Navamsa"}, {10, "Dasamsa"}, {12, "Dwadasamsa"}};
    for (const auto& [division, name] : names) {
        if (division == varga) return std::string(name) + " (D" + std::to_string(varga) + ")";
    }
    return "D" + std::to_string(varga);
}

namespace {

// Two-letter names of the bodies in the North Indian houses; "R" follows a
// retrograde planet.
constexpr std::array<const char*, astro::PlacedBodyCount> ShortBodyNames = {"Su", "Mo", "Me", "Ve", "Ma",
                                                                            "Ju", "Sa", "Ra", "Ke"};

// A text slot of a house in the North Indian drawing: its centre column, its
// row and its width.
struct Slot {
    int centre, row, width;
};

std::string northChart(const app::ChartRecord& r, const std::array<int, astro::BodyCount>& signs,
                       const std::string& title) {
    constexpr int width = 49, height = 25;
    std::vector<std::string> canvas(height, std::string(width, ' '));
    const auto put = [&](int x, int y, char c) { canvas[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = c; };
    for (int x = 0; x < width; ++x) put(x, 0, '-'), put(x, height - 1, '-');
    for (int y = 0; y < height; ++y) put(0, y, '|'), put(width - 1, y, '|');
    for (int y = 1; y < height - 1; ++y) {
        put(2 * y, y, '\\');                                  // the two diagonals
        put(width - 1 - 2 * y, y, '/');
        const int inner = y <= 12 ? 2 * y : 2 * (height - 1 - y);  // the inner diamond
        put(24 - inner, y, y <= 12 ? '/' : '\\');
        put(24 + inner, y, y <= 12 ? '\\' : '/');
    }
    for (const auto& [x, y] : {std::pair{0, 0}, std::pair{width - 1, 0}, std::pair{0, height - 1}, std::pair{width - 1, height - 1},
                               std::pair{24, 0}, std::pair{24, height - 1}, std::pair{0, 12}, std::pair{width - 1, 12}}) {
        put(x, y, '+');
    }
    // The slots of each house, the first for the sign's number.
    const auto diamond = [](int x, int y) {
        return std::vector<Slot>{{x, y - 2, 7}, {x, y - 1, 11}, {x, y, 15}, {x, y + 1, 11}, {x, y + 2, 7}};
    };
    const auto top = [](int x) { return std::vector<Slot>{{x, 3, 9}, {x, 1, 17}, {x, 2, 13}}; };
    const auto bottom = [](int x) { return std::vector<Slot>{{x, 21, 9}, {x, 23, 17}, {x, 22, 13}}; };
    const auto side = [](int x, int y) {
        return std::vector<Slot>{{x, y - 2, 5}, {x, y - 1, 7}, {x, y, 9}, {x, y + 1, 7}};
    };
    const std::vector<Slot> houses[12] = {diamond(24, 6),   top(12),         side(5, 6),   diamond(12, 12),
                                          side(5, 18),      bottom(12),      diamond(24, 18), bottom(36),
                                          side(43, 18),     diamond(36, 12), side(43, 6),  top(36)};
    const int ascSign = signs[astro::BodyIndex(astro::Body::Ascendant)];
    for (int h = 0; h < 12; ++h) {
        const int sign = ((ascSign < 0 ? 0 : ascSign) + h) % 12;
        std::vector<std::string> words;
        if (h == 0) words.emplace_back("As");
        for (std::size_t b = 0; b < astro::PlacedBodyCount; ++b) {
            if (signs[b] != sign) continue;
            std::string word = ShortBodyNames[b];
            if (r.bodies.PlanetNameSanskrit[b].find("(R)") != std::string::npos) word += 'R';
            words.push_back(word);
        }
        const std::vector<Slot>& slots = houses[h];
        std::vector<std::string> lines(slots.size());
        lines[0] = std::to_string(sign + 1);
        std::size_t line = 1;
        for (const std::string& word : words) {
            while (line < slots.size() && !lines[line].empty() &&
                   lines[line].size() + 1 + word.size() > static_cast<std::size_t>(slots[line].width)) {
                ++line;
            }
            if (line >= slots.size()) {
                lines.back() += "+";  // more bodies than room: marked, never cut silently
                break;
            }
            if (!lines[line].empty()) lines[line] += ' ';
            lines[line] += word;
        }
        for (std::size_t k = 0; k < slots.size(); ++k) {
            const std::string& text = lines[k];
            const int x = slots[k].centre - static_cast<int>(text.size()) / 2;
            for (std::size_t i = 0; i < text.size(); ++i) put(x + static_cast<int>(i), slots[k].row, text[i]);
        }
    }
    std::string out = title + "\n";
    for (const std::string& row : canvas) out += row + "\n";
    return out;
}

}  // namespace

std::string FormatChart(const app::ChartSession& session, const ChartDrawing& drawing) {
    const app::ChartRecord& r = session.record;
    const std::array<int, astro::BodyCount> signs = app::DivisionalSigns(drawing.varga, r);
    const std::array<std::string, 12> boxes =
        drawing.varga == 1 ? app::MakeSignBoxes(r) : app::SignBoxesOf(signs, r.bodies.PlanetNameSanskrit);
    if (drawing.style == ChartStyle::North) {
        // The Rashi chart as its texts place it, like the South Indian boxes.
        const std::array<int, astro::BodyCount> drawn = drawing.varga == 1 ? app::RashiSigns(r) : signs;
        return northChart(r, drawn, VargaName(drawing.varga) + " chart (North Indian) of " + r.BirthName);
    }
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
    const std::vector<std::string> centre = {"",
                                             std::string(app::ApplicationTitle),
                                             drawing.varga == 1 ? std::string("Rashi chart") : VargaName(drawing.varga),
                                             "(South Indian)",
                                             "",
                                             r.BirthName};
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

std::string FormatDerivedText(const app::ChartSession& session, int varga) {
    const app::ChartRecord& r = session.record;
    const double moon = r.bodies.SiderealLongitude[astro::BodyIndex(astro::Body::Moon)];
    std::ostringstream out;
    out << "\nMoon's pada: " << app::MoonPada(moon) << '\n';
    if (varga != 1) {
        const std::array<int, astro::BodyCount> signs = app::DivisionalSigns(varga, r);
        out << '\n' << VargaName(varga) << '\n';
        for (std::size_t b = 0; b < signs.size(); ++b) {
            const int sign = signs[b];
            out << padRight(r.bodies.PlanetNameEnglish[b], 11)
                << (sign >= 0 ? std::string(app::SignAbbrev[static_cast<std::size_t>(sign)]) : std::string("-")) << '\n';
        }
    }
    out << "\nVimshottari dasha     from         to\n";
    for (const app::DashaPeriod& maha : app::VimshottariDashas(moon, app::BirthJulianDay(r.birth))) {
        out << padRight(maha.Lord, 22) << app::CalendarDateOfJulianDay(maha.StartJD) << "   "
            << app::CalendarDateOfJulianDay(maha.EndJD) << '\n';
        for (const app::DashaPeriod& antar : maha.Antardasha) {
            out << "  " << padRight(maha.Lord + " / " + antar.Lord, 20) << app::CalendarDateOfJulianDay(antar.StartJD)
                << "   " << app::CalendarDateOfJulianDay(antar.EndJD) << '\n';
        }
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
