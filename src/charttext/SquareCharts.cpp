#include "charttext/SquareCharts.h"

#include <algorithm>
#include <sstream>
#include <utility>
#include <vector>

#include "app/ChartTextExport.h"
#include "app/BirthForm.h"
#include "app/ChartCalculation.h"
#include "app/DivisionalCharts.h"
#include "app/ZoneTable.h"
#include "charttext/TextLayout.h"

namespace charttext {

bool IsMarkedRetrograde(const app::ChartRecord& r, std::size_t body) {
    for (std::size_t i = 0; i < astro::RetrogradeBodies.size(); ++i) {
        if (astro::BodyIndex(astro::RetrogradeBodies[i]) == body) return r.RetroFlags[i];
    }
    return false;
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

std::string northChart(const std::array<NorthHouse, 12>& houses, const std::string& title) {
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
    const std::vector<Slot> slotsOf[12] = {diamond(24, 6),   top(12),         side(5, 6),   diamond(12, 12),
                                           side(5, 18),      bottom(12),      diamond(24, 18), bottom(36),
                                           side(43, 18),     diamond(36, 12), side(43, 6),  top(36)};
    for (std::size_t h = 0; h < 12; ++h) {
        const std::vector<Slot>& slots = slotsOf[h];
        std::vector<std::string> lines(slots.size());
        lines[0] = std::to_string(houses[h].sign + 1);
        std::size_t line = 1;
        for (const std::string& word : houses[h].words) {
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

// The South Indian square: the signs fixed in their ring of twelve cells,
// each cell its sign's number and abbreviation over the box's entries; the
// centre names the program, the chart and the person.
void southSquare(std::ostringstream& out, const app::ChartRecord& r, const std::array<std::string, 12>& boxes,
                 int varga) {
    constexpr std::size_t cellWidth = 13;
    // Sign index shown in each cell of the 4 x 4 ring (-1: the centre).
    constexpr int grid[4][4] = {{11, 0, 1, 2}, {10, -1, -1, 3}, {9, -1, -1, 4}, {8, 7, 6, 5}};

    const std::string cellRule(cellWidth, '-');
    const std::string fullRule = "+" + cellRule + "+" + cellRule + "+" + cellRule + "+" + cellRule + "+\n";
    const std::string centreEdgeRule = "+" + cellRule + "+" + std::string(2 * cellWidth + 1, '-') + "+" + cellRule + "+\n";

    // The centre spans rows 1 and 2: its lines are laid out over both.
    std::size_t rowHeight[4];
    for (int row = 0; row < 4; ++row) {
        std::size_t height = 3;
        for (int col = 0; col < 4; ++col) {
            const int sign = grid[row][col];
            if (sign >= 0) height = std::max(height, 1 + BoxEntries(boxes[static_cast<std::size_t>(sign)]).size());
        }
        rowHeight[row] = height;
    }
    const std::vector<std::string> centre = {"",
                                             std::string(app::ApplicationTitle),
                                             varga == 1 ? std::string("Rashi chart") : VargaName(varga),
                                             "(South Indian)",
                                             "",
                                             r.BirthName};
    const std::size_t centreHeight = rowHeight[1] + 1 + rowHeight[2];
    const std::size_t centreTop = centreHeight > centre.size() ? (centreHeight - centre.size()) / 2 : 0;
    const auto centreLine = [&](std::size_t k) {
        const std::size_t index = k - centreTop;
        return k >= centreTop && index < centre.size() ? Centred(centre[index], 2 * cellWidth + 1)
                                                       : std::string(2 * cellWidth + 1, ' ');
    };

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
                    const std::vector<std::string> entries = BoxEntries(boxes[static_cast<std::size_t>(sign)]);
                    if (line - 1 < entries.size()) cell = entries[line - 1];
                }
                out << ' ' << PadRight(cell, cellWidth - 1) << '|';
            }
            out << '\n';
        }
        if (row == 1) {
            out << "+" << cellRule << "+" << centreLine(centreLineIndex++) << "+" << cellRule << "+\n";
        } else {
            out << (row == 3 ? fullRule : centreEdgeRule);
        }
    }
}

// The Vedic details and the positions of the nine bodies, under the square.
void vedicDetails(std::ostringstream& out, const app::ChartRecord& r) {
    out << '\n';
    out << "Ayanamsa         " << r.captions.AyanamsaCaption << '\n';
    out << "Lagna / Asc      " << r.captions.LagnaName << '\n';
    out << "Nakshatra        " << r.captions.NakshatraCaption << '\n';
    out << "Rashi/Moon Sign  " << r.captions.RashiCaption << '\n';
    out << "Pada             " << r.captions.PadaCaption << '\n';
    out << "Lord             " << r.captions.NakshatraLord << '\n';
    out << '\n';
    for (std::size_t b = 0; b < astro::PlacedBodyCount; ++b) {
        out << PadRight(std::string(app::BodyRowCaptions[b]), 19) << r.bodies.PlanetPositionText[b] << '\n';
    }
}

}  // namespace

std::array<NorthHouse, 12> NorthHouses(const app::ChartRecord& r, int varga) {
    // The Rashi chart as its texts place it, like the South Indian boxes.
    const std::array<int, astro::BodyCount> signs = varga == 1 ? app::RashiSigns(r) : app::DivisionalSigns(varga, r);
    const int ascSign = signs[astro::BodyIndex(astro::Body::Ascendant)];
    std::array<NorthHouse, 12> houses;
    for (int h = 0; h < 12; ++h) {
        NorthHouse& house = houses[static_cast<std::size_t>(h)];
        house.sign = ((ascSign < 0 ? 0 : ascSign) + h) % 12;
        if (h == 0) house.words.emplace_back("As");
        for (std::size_t b = 0; b < astro::PlacedBodyCount; ++b) {
            if (signs[b] != house.sign) continue;
            std::string word = ShortBodyNames[b];
            if (IsMarkedRetrograde(r, b)) word += 'R';
            house.words.push_back(word);
        }
    }
    return houses;
}

std::array<std::string, 12> SquareSignBoxes(const app::ChartRecord& r, int varga) {
    if (varga == 1) return app::MakeSignBoxes(r);
    return app::SignBoxesOf(app::DivisionalSigns(varga, r), r.bodies.PlanetNameSanskrit);
}

std::string FormatChart(const app::ChartRecord& r, const ChartDrawing& drawing) {
    if (drawing.style == ChartStyle::North) {
        return northChart(NorthHouses(r, drawing.varga), VargaName(drawing.varga) + " chart (North Indian) of " + r.BirthName) +
               (r.SkyPositions ? app::SkyPositionsLine(r) + "\n" : std::string());
    }
    std::ostringstream out;
    southSquare(out, r, SquareSignBoxes(r, drawing.varga), drawing.varga);
    vedicDetails(out, r);
    if (r.SkyPositions) out << app::SkyPositionsLine(r) << '\n';
    return out.str();
}

}  // namespace charttext
