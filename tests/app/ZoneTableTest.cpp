// The zone table and the lord-and-pada lookup.
#include <gtest/gtest.h>

#include <string_view>

#include "app/ZoneTable.h"

using namespace app;

namespace {

TEST(ZoneTable, CorrectionsAreTheNegativeOfTheNamedOffset) {
    struct Case {
        int position;
        const char* name;
        int hours, minutes;
    } const cases[] = {
        {0, "Alaska/Hawaii Daylight Time,AHDT,-9.0", 9, 0},
        {34, "Indian Time, IST, +5.3", -5, -30},
        {50, "Newfoundland Standard Time,NST,-3.5", 3, 30},
        {32, "Hawaiian Standard Time,HST,-10.5", 10, 30},
        {70, "Yukon War Time,YWT,-8.0", 8, 0},
        {29, "Greenwich Mean Time,GMT,0.0", 0, 0},
        {61, "Universal Time, UT, 0.0", 0, 0},
        {46, "New Zealand Std Summer Time,NZST,+13.0", -13, 0},
    };
    for (const Case& c : cases) {
        const ZoneRow& row = ZoneTable[static_cast<std::size_t>(c.position)];
        EXPECT_EQ(row.name, c.name) << c.position;
        EXPECT_EQ(row.hours, c.hours) << c.position;
        EXPECT_EQ(row.minutes, c.minutes) << c.position;
    }
}

// The offset written at the end of a zone's name, "+5.3" or "-9.5": hours
// ahead of Greenwich, the decimal digit standing for the half hour (".5", and
// ".3" in Indian Time's "+5.3", which is 5:30).
struct NamedOffset {
    int hours = 0, minutes = 0;  // both with the sign of the offset
    bool parsed = false;
};
NamedOffset offsetInName(std::string_view name) {
    const std::size_t comma = name.rfind(',');
    std::string_view text = name.substr(comma + 1);
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    NamedOffset offset;
    int sign = 1;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        sign = text.front() == '-' ? -1 : 1;
        text.remove_prefix(1);
    }
    const std::size_t dot = text.find('.');
    if (comma == std::string_view::npos || dot == std::string_view::npos || dot == 0 || text.size() != dot + 2) {
        return offset;
    }
    int hours = 0;
    for (char c : text.substr(0, dot)) {
        if (c < '0' || c > '9') return offset;
        hours = hours * 10 + (c - '0');
    }
    const char tenth = text[dot + 1];
    if (tenth != '0' && tenth != '3' && tenth != '5') return offset;
    offset.hours = sign * hours;
    offset.minutes = tenth == '0' ? 0 : sign * 30;
    offset.parsed = true;
    return offset;
}

TEST(ZoneTable, EveryRowCorrectsByTheOffsetItsNameStates) {
    for (const ZoneRow& row : ZoneTable) {
        const NamedOffset named = offsetInName(row.name);
        ASSERT_TRUE(named.parsed) << row.name;
        // The correction is what is added to local time to obtain UT.
        EXPECT_EQ(row.hours, -named.hours) << row.name;
        EXPECT_EQ(row.minutes, -named.minutes) << row.name;
    }
}

TEST(ZoneTable, MinutesCarryTheSignOfTheHoursAndEveryRowIsDistinct) {
    for (std::size_t k = 0; k < ZoneTable.size(); ++k) {
        const ZoneRow& row = ZoneTable[k];
        EXPECT_TRUE(row.minutes == 0 || row.minutes == 30 || row.minutes == -30) << k;
        if (row.minutes != 0) {
            EXPECT_EQ(row.minutes > 0, row.hours > 0) << k;
        }
        for (std::size_t j = 0; j < k; ++j) EXPECT_NE(row.name, ZoneTable[j].name) << k;
    }
}

TEST(SignNakshatraTable, PadasOfEachSignAddUpToNine) {
    for (int sign = 0; sign < 12; ++sign) {
        int padas = 0;
        for (int row = 3 * sign; row < 3 * sign + 3; ++row) padas += SignNakshatraTable[static_cast<std::size_t>(row)].padas[0] - '0';
        EXPECT_EQ(padas, 9) << SignAbbrev[static_cast<std::size_t>(sign)];
    }
}

TEST(LookupLordAndPada, FirstRowOfTheNakshatraRules) {
    struct Case {
        const char* nakshatra;
        const char* lord;
        const char* pada;
    } const cases[] = {
        {"Krittika", "Sun", "1"},   {"Mrigsira", "Mars", "2"},  {"Revati", "Mercury", "4"},
        {"Dhanishtha", "Mars", "2"}, {"Dhanistha", "Mars", "2"}, {"Uttara Ashadha", "Sun", "1"},
    };
    for (const Case& c : cases) {
        std::string lord, pada;
        LookupLordAndPada(c.nakshatra, "Ari", lord, pada);
        EXPECT_EQ(lord, c.lord) << c.nakshatra;
        EXPECT_EQ(pada, c.pada) << c.nakshatra;
    }
}

TEST(LookupLordAndPada, KeepsPreviousValuesWhenNothingMatches) {
    std::string lord = "Saturn", pada = "4";
    LookupLordAndPada("Revati", "", lord, pada);  // not a sign: no lookup at all
    EXPECT_EQ(lord, "Saturn");
    EXPECT_EQ(pada, "4");
    LookupLordAndPada("revati", "Pis", lord, pada);  // case-sensitive
    EXPECT_EQ(lord, "Saturn");
    EXPECT_EQ(pada, "4");
}

// A zone is found by the abbreviation in its row's text, blanks round it
// ignored ("Universal Time, UT, 0.0"); one that names several rows is none.
TEST(ZonePositionOf, TheOneRowOfAnAbbreviation) {
    const std::pair<const char*, int> cases[] = {{"IST", 34}, {"UT", 61}, {"GMT", 29}, {"BST", 16},
                                                 {"NST", -1}, {"XYZ", -1}, {"", -1}, {"ist", -1}};
    for (const auto& [abbreviation, position] : cases) EXPECT_EQ(ZonePositionOf(abbreviation), position) << abbreviation;
    EXPECT_EQ(ZoneAbbreviation(ZoneTable[61]), "UT");
}

}  // namespace
