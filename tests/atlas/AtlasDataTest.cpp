// The atlas on the system's data: the geonames places and the tz database.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <string>

#include "app/ZoneTable.h"
#include "atlas/GeonamesPlaces.h"
#include "atlas/ZoneHistory.h"

namespace {

TEST(ZoneAt, TheHistoryOfTheZones) {
    struct Case {
        const char* zone;
        int year, month, day, hour, minute;
        int offsetSeconds;
        bool dst;
        const char* abbreviation;
    } const cases[] = {
        {"Asia/Kolkata", 1943, 1, 1, 12, 0, 23400, true, "+0630"},
        {"Asia/Kolkata", 1990, 5, 15, 10, 30, 19800, false, "IST"},
        {"Asia/Kolkata", 1905, 5, 15, 10, 30, 19270, false, "MMT"},
        {"Europe/London", 1985, 7, 15, 14, 0, 3600, true, "BST"},
        {"Europe/London", 1941, 7, 15, 14, 0, 7200, true, "BDST"},
        {"Europe/Madrid", 1990, 7, 15, 14, 0, 7200, true, "CEST"},
        {"Europe/Madrid", 1990, 1, 15, 14, 0, 3600, false, "CET"},
        {"Asia/Kathmandu", 1990, 1, 15, 14, 0, 20700, false, "+0545"},
        {"Pacific/Honolulu", 1961, 3, 1, 12, 0, -36000, false, "HST"},
        // The United States' rule of 2007: summer time from the second Sunday of March.
        {"America/New_York", 2006, 3, 20, 12, 0, -18000, false, "EST"},
        {"America/New_York", 2007, 3, 20, 12, 0, -14400, true, "EDT"},
        // 1:30 twice on 4 November 2007: the first, still in summer time.
        {"America/New_York", 2007, 11, 4, 1, 30, -14400, true, "EDT"},
    };
    for (const Case& c : cases) {
        const atlas::ZoneLookup lookup = atlas::ZoneAt(c.zone, c.year, c.month, c.day, c.hour, c.minute);
        ASSERT_TRUE(lookup.problem.empty()) << c.zone << " " << lookup.problem;
        EXPECT_EQ(lookup.facts.offsetSeconds, c.offsetSeconds) << c.zone << " " << c.year;
        EXPECT_EQ(lookup.facts.daylightSaving, c.dst) << c.zone << " " << c.year;
        EXPECT_EQ(lookup.facts.abbreviation, c.abbreviation) << c.zone << " " << c.year;
    }
    EXPECT_TRUE(atlas::ZoneAt("America/New_York", 2007, 11, 4, 1, 30).repeated);
    EXPECT_FALSE(atlas::ZoneAt("America/New_York", 2007, 11, 4, 2, 30).repeated);
}

TEST(ZoneAt, ASkippedTimeAndAnUnknownZoneAreRefused) {
    EXPECT_EQ(atlas::ZoneAt("America/New_York", 2007, 3, 11, 2, 30).problem,
              "2:30 did not happen in America/New_York that day: the clocks went from 2:00 to 3:00");
    EXPECT_EQ(atlas::ZoneAt("Asia/Bombay_Nowhere", 1990, 1, 1, 0, 0).problem,
              "'Asia/Bombay_Nowhere' is not a time zone of the system's time-zone database");
}

TEST(GeonamesPlaces, SeveralLondonsTheBiggestFirstAndAPlaceWithAnAccent) {
    const atlas::GeonamesPlaces places;
    const atlas::PlaceSearch london = atlas::FindPlaces(places, "London");
    ASSERT_GE(london.matches.size(), 2u);
    EXPECT_EQ(atlas::PlaceLabel(london.matches[0]), "London, England, United Kingdom");
    EXPECT_EQ(london.matches[0].timeZone, "Europe/London");
    EXPECT_EQ(atlas::PlaceLabel(london.matches[1]), "London, Ontario, Canada");
    const atlas::PlaceSearch ontario = atlas::FindPlaces(places, "london, ontario");
    ASSERT_EQ(ontario.matches.size(), 1u);
    EXPECT_EQ(ontario.matches[0].timeZone, "America/Toronto");

    const atlas::PlaceSearch saoPaulo = atlas::FindPlaces(places, "Sao Paulo, Brazil");
    ASSERT_FALSE(saoPaulo.matches.empty());
    EXPECT_EQ(saoPaulo.matches[0].name, "S\u00e3o Paulo");
    EXPECT_NEAR(saoPaulo.matches[0].latitude, -23.5475, 0.01);

    EXPECT_NE(atlas::FindPlaces(places, "Pune, Gujarat").problem.find("Pune, Maharashtra, India"), std::string::npos);
}

// The library would give names in the language of the process's locale
// ("Indien"); the atlas reads them in English whatever the user's language.
TEST(GeonamesPlaces, NamesAreEnglishInEveryLanguage) {
    const char* language = std::getenv("LANGUAGE");
    const std::string saved = language ? language : "";
    ::setenv("LANGUAGE", "de", 1);
    const std::string locale = std::setlocale(LC_ALL, nullptr);
    std::setlocale(LC_ALL, "C.UTF-8");
    const atlas::PlaceSearch pune = atlas::FindPlaces(atlas::GeonamesPlaces(), "Pune, India");
    std::setlocale(LC_ALL, locale.c_str());
    if (language) ::setenv("LANGUAGE", saved.c_str(), 1); else ::unsetenv("LANGUAGE");
    ASSERT_FALSE(pune.matches.empty()) << pune.problem;
    EXPECT_EQ(pune.matches[0].country, "India");
}

}  // namespace
