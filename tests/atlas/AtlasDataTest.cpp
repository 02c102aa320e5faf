// The atlas on its real data: the places built from GeoNames' and the
// system's tz database read through its zone files' footers.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "app/BirthForm.h"
#include "atlas/Folding.h"
#include "atlas/SystemAtlas.h"
#include "atlas/ZoneHistory.h"

namespace {

const atlas::SystemAtlas& Atlas() {
    static const atlas::SystemAtlas data(VELORIN_TEST_ATLAS);
    return data;
}

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
        // Past the last change the zone files list, their footer's rule.
        {"Europe/London", 2045, 7, 15, 12, 0, 3600, true, "BST"},
        {"Europe/London", 2045, 12, 15, 12, 0, 0, false, "GMT"},
        {"America/New_York", 2050, 3, 14, 12, 0, -14400, true, "EDT"},
        {"Australia/Sydney", 2040, 1, 10, 12, 0, 39600, true, "AEDT"},
    };
    for (const Case& c : cases) {
        const atlas::ZoneLookup lookup = atlas::ZoneAt(c.zone, astro::LocalMinuteOf(c.year, c.month, c.day, c.hour, c.minute));
        ASSERT_TRUE(lookup.problem.empty()) << c.zone << " " << lookup.problem;
        EXPECT_EQ(lookup.facts.offsetSeconds, c.offsetSeconds) << c.zone << " " << c.year;
        EXPECT_EQ(lookup.facts.daylightSaving, c.dst) << c.zone << " " << c.year;
        EXPECT_EQ(lookup.facts.abbreviation, c.abbreviation) << c.zone << " " << c.year;
    }
    EXPECT_TRUE(atlas::ZoneAt("America/New_York", astro::LocalMinuteOf(2007, 11, 4, 1, 30)).repeated);
    EXPECT_FALSE(atlas::ZoneAt("America/New_York", astro::LocalMinuteOf(2007, 11, 4, 2, 30)).repeated);
}

TEST(ZoneAt, ASkippedTimeAndAnUnknownZoneAreRefused) {
    const std::pair<atlas::ZoneLookup, const char*> cases[] = {
        {atlas::ZoneAt("America/New_York", astro::LocalMinuteOf(2007, 3, 11, 2, 30)),
         "2:30 did not happen in America/New_York that day: the clocks went from 2:00 to 3:00"},
        // Samoa left out 30 December 2011 when it crossed the date line.
        {atlas::ZoneAt("Pacific/Apia", astro::LocalMinuteOf(2011, 12, 30, 12, 0)),
         "12:00 on 30 December 2011 did not happen in Pacific/Apia: the clocks went from 30 December 2011 0:00 to "
         "31 December 2011 0:00"},
        {atlas::ZoneAt("Asia/Bombay_Nowhere", astro::LocalMinuteOf(1990, 1, 1, 0, 0)),
         "'Asia/Bombay_Nowhere' is not a time zone of the system's time-zone database, or its file cannot be read"},
        {atlas::ZoneAt("/etc/passwd", astro::LocalMinuteOf(1990, 1, 1, 0, 0)),
         "'/etc/passwd' is not a time zone of the system's time-zone database, or its file cannot be read"},
    };
    for (const auto& [lookup, problem] : cases) EXPECT_EQ(lookup.problem, problem);
}

// Random moments of 1901-2050 at the atlas's zones agree with the C
// library's reading of the same zone files (which also follows their footer).
TEST(ZoneAt, RandomMomentsAgreeWithTheCLibrary) {
    std::vector<std::string> zones;
    Atlas().places().ForEachPlace([&](const atlas::Place& p) {
        if (zones.empty() || zones.back() != p.timeZone) zones.push_back(p.timeZone);
    });
    std::mt19937_64 random(2045);
    std::uniform_int_distribution<std::size_t> zoneIndex(0, zones.size() - 1);
    // Instants of 1902-2049 (universal time), so that their local dates stay in the form's years.
    std::uniform_int_distribution<long long> instant(-2145916800LL, 2524608000LL);
    const char* saved = std::getenv("TZ");
    const std::string savedTz = saved ? saved : "";
    int checked = 0, after2037 = 0;
    for (int i = 0; i < 3000; ++i) {
        const std::string& zone = zones[zoneIndex(random)];
        const std::time_t t = static_cast<std::time_t>(instant(random));
        ::setenv("TZ", (":" + zone).c_str(), 1);
        ::tzset();
        std::tm local{};
        ASSERT_TRUE(::localtime_r(&t, &local));
        const atlas::ZoneLookup lookup =
            atlas::ZoneAt(zone, astro::LocalMinuteOf(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min));
        // A time shown twice is taken as its first: compare only the others.
        if (!lookup.problem.empty() || lookup.repeated || local.tm_sec != 0) {
            if (lookup.repeated || !lookup.problem.empty()) continue;
        }
        EXPECT_EQ(lookup.facts.offsetSeconds, local.tm_gmtoff) << zone << " at " << t;
        EXPECT_EQ(lookup.facts.daylightSaving, local.tm_isdst > 0) << zone << " at " << t;
        ++checked;
        after2037 += local.tm_year + 1900 > 2037;
    }
    if (saved) ::setenv("TZ", savedTz.c_str(), 1); else ::unsetenv("TZ");
    ::tzset();
    EXPECT_GT(checked, 2900);
    EXPECT_GT(after2037, 200);
}

std::string firstLabel(const atlas::PlaceSearch& search) {
    return search.matches.empty() ? "refused: " + search.problem : atlas::PlaceLabel(search.matches.front());
}

// Places as people write them: the place found first, or a refusal.
TEST(PlaceStore, PlacesAsPeopleWriteThem) {
    const std::pair<const char*, const char*> cases[] = {
        {"London", "London, England, United Kingdom"},
        {"london, ontario", "London, Ontario, Canada"},
        {"London, CA", "London, Ontario, Canada"},
        {"Sao Paulo, Brazil", "S\u00e3o Paulo, Brazil"},
        {"Puno", "Puno, Peru"},
        // Former names say so.
        {"Bombay", "Bombay: now Mumbai, Maharashtra, India"},
        {"Madras, India", "Madras: now Chennai, Tamil Nadu, India"},
        {"Calcutta", "Calcutta: now Kolkata, West Bengal, India"},
        {"Leningrad", "Leningrad: now Saint Petersburg, St.-Petersburg, Russia"},
        {"Poona", "Poona: now Pune, Maharashtra, India"},
        // Countries by short form and code, divisions by ISO code and without their official words.
        {"London, UK", "London, England, United Kingdom"},
        {"New York, USA", "New York: now New York City, New York, United States"},
        {"New York, NY", "New York: now New York City, New York, United States"},
        {"Los Angeles, CA", "Los Angeles, California, United States"},
        {"Toronto, ON", "Toronto, Ontario, Canada"},
        {"Sydney, NSW", "Sydney, New South Wales, Australia"},
        {"Chennai, TN, IND", "Chennai, Tamil Nadu, India"},
        {"Kolkata, State of West Bengal, India", "Kolkata, West Bengal, India"},
        // Letters beyond Latin-1, with and without their marks.
        {"Ch\u00e2u \u0110\u1ed1c", "Ch\u00e2u \u0110\u1ed1c, An Giang, Vietnam"},
        {"Chau Doc", "Ch\u00e2u \u0110\u1ed1c, An Giang, Vietnam"},
        {"Troms\u00f8", "Troms\u00f8, Troms og Finnmark, Norway"},
        {"TROMSO", "Troms\u00f8, Troms og Finnmark, Norway"},
        {"\u0110\u00e0 N\u1eb5ng", "Da Nang, Vietnam"},
        {"Gie\u00dfen", "Gie\u00dfen, Hesse, Germany"},
        {"Giessen, DE", "Gie\u00dfen, Hesse, Germany"},
        {"St Johns, Newfoundland and Labrador", "St. John's, Newfoundland and Labrador, Canada"},
        // Refused: no place's name, a division or country unknown, a place not in the part named.
        {"Qxzwv", "refused: no place in the atlas is called 'Qxzwv'"},
        {"Poonam", "refused: no place in the atlas is called 'Poonam'; the closest names: Poonamalle"},
        {"Pune, Maharashtr", "refused: the atlas knows no state or country called 'Maharashtr'; places called so: "
                             "Pune, Maharashtra, India"},
        {" , England", "refused: give the name of a place, such as \"Pune\" or \"London, England\""},
    };
    for (const auto& [text, label] : cases) {
        const std::string got = firstLabel(Atlas().FindPlaces(text));
        EXPECT_EQ(got.substr(0, std::string(label).size()), label) << text;
    }
    // The text is a name, never the beginning of a longer one.
    const atlas::PlaceSearch poonam = Atlas().FindPlaces("Poonam");
    for (const atlas::Place& p : poonam.matches) EXPECT_EQ(atlas::SearchKey(p.foundAs.empty() ? p.name : p.foundAs), "poonam");
    const atlas::PlaceSearch gujarat = Atlas().FindPlaces("Pune, Gujarat");
    EXPECT_TRUE(gujarat.matches.empty());
    EXPECT_NE(gujarat.problem.find("Pune, Maharashtra, India"), std::string::npos) << gujarat.problem;
}

// A damaged atlas file (its pages after the schema zeroed) says so: a
// look-up is never answered with "no place" because a page could not be read.
TEST(PlaceStore, ADamagedFileSaysSo) {
    std::ifstream whole(VELORIN_TEST_ATLAS, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(whole)), std::istreambuf_iterator<char>());
    std::fill(bytes.begin() + 65536, bytes.end(), '\0');
    const std::string damaged = ::testing::TempDir() + "damaged-atlas.sqlite";
    std::ofstream(damaged, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    const atlas::PlaceStore store(damaged);
    ASSERT_EQ(store.problem(), "");
    EXPECT_EQ(store.FindPlaces("Zurich").problem, "the atlas file could not be read: database disk image is malformed");
    EXPECT_TRUE(store.PlacesStartingWith("Zu", 5).empty());
    // A failure is said once, by the search it belongs to, also when a part names no known country.
    EXPECT_TRUE(store.PlacesStartingWith("Zu, Nowhere", 5).empty());
    EXPECT_EQ(store.FindPlaces("?").problem.rfind("give the name of a place", 0), 0U) << store.FindPlaces("?").problem;
}

// Every place's name reaches the form with each of its letters: none
// becomes a blank, and the form's letter rule takes the text.
TEST(PlaceStore, EveryPlaceReachesTheFormWithItsLetters) {
    long places = 0, lost = 0;
    std::string firstLost;
    Atlas().places().ForEachPlace([&](const atlas::Place& p) {
        ++places;
        for (const auto& [name, form] : {std::pair{p.name, p.formName}, std::pair{p.state, p.formState}}) {
            const std::optional<std::string> letters = atlas::FormLettersOf(name);
            const bool whole = !form.empty() && app::LettersBoxAcceptsText(form) && (!letters || *letters == form);
            if (!whole && !name.empty()) {
                if (++lost == 1) firstLost = name + " -> '" + form + "'";
            }
        }
    });
    EXPECT_GT(places, 190000);
    EXPECT_EQ(lost, 0) << firstLost;
}

}  // namespace
