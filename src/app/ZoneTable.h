// The fixed lookup tables of a chart: the 71 named time zones with their
// corrections to universal time, the twelve sign abbreviations, and the
// 36-row sign-and-nakshatra table with lords and pada counts.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace app {

inline constexpr int ZoneCount = 71;

struct ZoneRow {
    std::string_view name;       // display text, never parsed
    std::int16_t hours;          // hours to add to local time to obtain UT
    std::int16_t minutes;        // 0, +30 or -30, same sign as hours
};

extern const std::array<ZoneRow, ZoneCount> ZoneTable;

// The abbreviation in a row's text ("Indian Time, IST, +5.3" gives "IST"): the
// text between its first and second comma without outer blanks; "" when the
// text has fewer than two commas.
std::string_view ZoneAbbreviation(const ZoneRow& row);

// The list position (0..70) of the one row with this abbreviation, compared
// exactly (case counts); -1 when no row or several rows have it (NST), and
// for "".
int ZonePositionOf(std::string_view abbreviation);

inline constexpr std::array<std::string_view, 12> SignAbbrev = {"Ari", "Tau", "Gem", "Can", "Leo", "Vir",
                                                                "Lib", "Sco", "Sag", "Cap", "Aqu", "Pis"};

// Lagna (Ascendant sign) names, indexed like SignAbbrev.
inline constexpr std::array<std::string_view, 12> LagnaNames = {"Mesha", "Vrishabha", "Mithuna", "Kataka",
                                                                "Simha", "Kanya",     "Thula",   "Vrishcika",
                                                                "Dhanush", "Makara",  "Kumbha",  "Meena"};

struct SignNakshatraRow {
    std::string_view nakshatra;
    std::string_view lord;
    std::string_view padas;  // how many of its four padas lie in the sign (row / 3)
};

inline constexpr std::array<SignNakshatraRow, 36> SignNakshatraTable = {{
    {"Aswini", "Ketu", "4"},
    {"Bharani", "Venus", "4"},
    {"Krittika", "Sun", "1"},
    {"Krittika", "Sun", "3"},
    {"Rohini", "Moon", "4"},
    {"Mrigsira", "Mars", "2"},
    {"Mrigsira", "Mars", "2"},
    {"Ardra", "Rahu", "4"},
    {"Punarvasu", "Jupiter", "3"},
    {"Punarvasu", "Jupiter", "1"},
    {"Pushya", "Saturn", "4"},
    {"Aslesha", "Mercury", "4"},
    {"Magha", "Ketu", "4"},
    {"Purbha Phalguni", "Venus", "4"},
    {"Uttara Phalguni", "Sun", "1"},
    {"Uttara Phalguni", "Sun", "3"},
    {"Hasta", "Moon", "4"},
    {"Chitra", "Mars", "2"},
    {"Chitra", "Mars", "2"},
    {"Swati", "Rahu", "4"},
    {"Vishakha", "Jupiter", "3"},
    {"Vishakha", "Jupiter", "1"},
    {"Anuradha", "Saturn", "4"},
    {"Jyeshtha", "Mercury", "4"},
    {"Mula", "Ketu", "4"},
    {"Purva Ashadha", "Venus", "4"},
    {"Uttara Ashadha", "Sun", "1"},
    {"Uttara Ashadha", "Sun", "3"},
    {"Shravana", "Moon", "4"},
    {"Dhanistha", "Mars", "2"},
    {"Dhanishtha", "Mars", "2"},
    {"Shatbisha", "Rahu", "4"},
    {"Poorva Bhadrapada", "Jupiter", "3"},
    {"Poorva Bhadrapada", "Jupiter", "1"},
    {"Uttara Bhadrapada", "Saturn", "4"},
    {"Revati", "Mercury", "4"},
}};

// Index (0 = "Ari" .. 11 = "Pis") of a sign abbreviation in SignAbbrev,
// compared exactly (case counts); -1 for any other text.
int SignIndexOf(std::string_view abbrev);

// Lord and pada caption of the Moon's nakshatra. Nothing changes (the previous
// values stay) when the Ascendant's abbreviation is not a sign or the
// nakshatra is in no row; otherwise the first row with that nakshatra rules.
// The pada caption is that row's count of padas in its sign ("1" .. "4"),
// not the pada the Moon stands in; the Ascendant's sign only decides whether
// anything is looked up, so a nakshatra split between two signs always gives
// its first row (Krittika "Sun", "1").
void LookupLordAndPada(std::string_view nakshatraCaption, std::string_view ascSignAbbrev, std::string& nakshatraLord,
                       std::string& padaCaption);

}  // namespace app
