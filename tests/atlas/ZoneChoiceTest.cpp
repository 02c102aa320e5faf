// Which zone row and daylight-saving choice give a birth's true instant.
#include <gtest/gtest.h>

#include <chrono>
#include <set>
#include <tuple>
#include <utility>

#include "app/ZoneTable.h"
#include "atlas/FormFill.h"
#include "atlas/PlaceApplication.h"
#include "atlas/ZoneChoice.h"

namespace {

atlas::LocalBirth local(int y, int mo, int d, int h, int mi, int lonDegrees, int lonMinutes, bool east) {
    return {std::chrono::year{y} / mo / d, std::chrono::hours{h} + std::chrono::minutes{mi}, lonDegrees, lonMinutes, east};
}

atlas::LocalBirth birthAt(int lonDegrees, int lonMinutes, bool east, int hour = 12) {
    return local(1990, 1, 15, hour, 0, lonDegrees, lonMinutes, east);
}

using Choices = std::set<std::pair<int, bool>>;

Choices rightChoices(const atlas::LocalBirth& birth, int offsetSeconds) {
    Choices right;
    for (int k = 0; k < app::ZoneCount; ++k) {
        for (bool dst : {false, true}) {
            if (atlas::IsRightChoice(birth, offsetSeconds, k, dst)) right.insert({k, dst});
        }
    }
    return right;
}

int at(const char* abbreviation) { return app::ZonePositionOf(abbreviation); }

// The rules the README states, on whole sets of rows.
TEST(IsRightChoice, EastOfGreenwichTheRowOfTheOffsetOrOneHourLessWithDaylightSaving) {
    const atlas::LocalBirth east = birthAt(77, 12, true);
    EXPECT_EQ(rightChoices(east, 19800), (Choices{{at("IST"), false}}));
    // +6:30: North Sumatra Time as it is, or Indian Time with daylight saving.
    EXPECT_EQ(rightChoices(east, 23400), (Choices{{at("IST"), true}, {52, false}}));
    // A western offset at an eastern place: no row takes it there.
    EXPECT_TRUE(rightChoices(east, -5 * 3600).empty());
    // Seconds in the offset: no row.
    EXPECT_TRUE(rightChoices(east, 19270).empty());
}

TEST(IsRightChoice, WestOfGreenwichOnlyWesternRowsAndGreenwich) {
    for (const atlas::LocalBirth& west : {birthAt(74, 0, false), birthAt(0, 0, true), birthAt(0, 0, false)}) {
        const Choices right = rightChoices(west, -5 * 3600);
        ASSERT_FALSE(right.empty());
        for (const auto& [position, dst] : right) {
            const app::ZoneRow& row = app::ZoneTable[static_cast<std::size_t>(position)];
            const int size = row.hours * 60 + row.minutes;  // minutes to add to local time
            EXPECT_EQ(size, dst ? 6 * 60 : 5 * 60) << row.name;
        }
        // An eastern offset: only Greenwich (or Universal Time) with daylight saving, for +1.
        EXPECT_EQ(rightChoices(west, 3600), (Choices{{at("GMT"), true}, {at("UT"), true}}));
        EXPECT_TRUE(rightChoices(west, 7200).empty());
    }
}

TEST(IsRightChoice, AcrossMidnightTheDateCounts) {
    // 00:30 at +5:30 is 19:00 UT the day before: still right with Indian Time.
    EXPECT_EQ(rightChoices(birthAt(77, 12, true, 0), 19800), (Choices{{at("IST"), false}}));
    atlas::LocalBirth late = birthAt(74, 0, false, 23);
    late.time += std::chrono::minutes{30};
    EXPECT_TRUE(rightChoices(late, -5 * 3600).count({at("EST"), false}));
}

TEST(ChooseZone, TheZonesOwnAbbreviationThenItsStandardOffsetThenAnyRightRowStandardNamesFirst) {
    struct Case {
        const char* what;
        atlas::LocalBirth birth;
        atlas::ZoneFacts facts;
        int position;
        bool dst;
    } const cases[] = {
        {"India", birthAt(77, 12, true), {19800, false, "IST"}, at("IST"), false},
        {"India in the war", birthAt(88, 22, true), {23400, true, "+0630"}, at("IST"), true},
        {"London in summer, west of Greenwich", birthAt(0, 7, false), {3600, true, "BST"}, at("GMT"), true},
        {"Cambridge in summer, east of Greenwich", birthAt(0, 7, true), {3600, true, "BST"}, at("BST"), false},
        {"Madrid in winter", birthAt(3, 42, false), {3600, false, "CET"}, at("GMT"), true},
        {"Honolulu 1961", birthAt(157, 52, false), {-36000, false, "HST"}, at("AHST"), false},
        {"New York in summer", birthAt(74, 0, false), {-14400, true, "EDT"}, at("EDT"), false},
        {"New York in winter", birthAt(74, 0, false), {-18000, false, "EST"}, at("EST"), false},
        // A standard time's row before another country's summer time of the same size.
        {"Johannesburg", birthAt(28, 3, true), {7200, false, "SAST"}, at("EET"), false},
        {"Moscow 1990 in winter", birthAt(37, 37, true), {10800, false, "MSK"}, at("BAT"), false},
    };
    for (const Case& c : cases) {
        const atlas::ZoneChoice choice = atlas::ChooseZone(c.birth, c.facts);
        EXPECT_FALSE(choice.universalTimeConversion) << c.what;
        EXPECT_EQ(choice.zonePosition, c.position) << c.what;
        EXPECT_EQ(choice.daylightSaving, c.dst) << c.what;
        EXPECT_TRUE(choice.clock == c.birth.clock()) << c.what;
        EXPECT_TRUE(atlas::IsRightChoice(c.birth, c.facts.offsetSeconds, choice.zonePosition, choice.daylightSaving));
    }
}

TEST(ChooseZone, WithoutARightRowTheBirthIsConvertedToUniversalTime) {
    struct Case {
        const char* what;
        atlas::LocalBirth birth;
        int offsetSeconds;
        int year, month, day, hour, minute, roundedSeconds;
    } const cases[] = {
        {"Madrid in summer", local(1990, 7, 15, 14, 0, 3, 42, false), 7200, 1990, 7, 15, 12, 0, 0},
        {"London, double summer time", local(1941, 7, 15, 14, 0, 0, 7, false), 7200, 1941, 7, 15, 12, 0, 0},
        {"Kathmandu", local(1990, 1, 15, 0, 10, 85, 19, true), 20700, 1990, 1, 14, 18, 25, 0},
        {"Madras time", local(1905, 5, 15, 10, 30, 80, 17, true), 19270, 1905, 5, 15, 5, 9, 10},
        {"Madras time, 20 s", local(1905, 5, 15, 10, 30, 80, 17, true), 19240, 1905, 5, 15, 5, 9, 20},
        {"half a minute rounds up", local(1905, 5, 15, 10, 30, 80, 17, true), 19230, 1905, 5, 15, 5, 10, 30},
        {"and a minute later", local(1905, 5, 15, 10, 31, 80, 17, true), 19230, 1905, 5, 15, 5, 11, 30},
        {"west, into the next day", local(1990, 12, 31, 23, 0, 74, 0, false), -5 * 3600 - 30 * 60, 1991, 1, 1, 4, 30, 0},
    };
    for (const Case& c : cases) {
        const atlas::ZoneChoice choice = atlas::ChooseZone(c.birth, {c.offsetSeconds, false, ""});
        EXPECT_TRUE(choice.universalTimeConversion) << c.what;
        EXPECT_EQ(choice.zonePosition, at("UT")) << c.what;
        EXPECT_FALSE(choice.daylightSaving) << c.what;
        EXPECT_TRUE(choice.clock == astro::LocalMinuteOf(c.year, c.month, c.day, c.hour, c.minute)) << c.what;
        // The form's own clock comes back from the converted one.
        EXPECT_TRUE(atlas::LocalClockOfConversion(choice.clock, c.offsetSeconds) == c.birth.clock()) << c.what;
        EXPECT_EQ(choice.roundedSeconds, c.roundedSeconds) << c.what;
        EXPECT_TRUE(choice.problem.empty()) << c.what;
    }
    // 1 January 1901 at 0:10 in Nepal is still 1900 in universal time.
    const atlas::ZoneChoice early = atlas::ChooseZone(local(1901, 1, 1, 0, 10, 85, 19, true), {20700, false, ""});
    EXPECT_NE(early.problem.find("31 December 1900 18:25"), std::string::npos) << early.problem;
}

TEST(ChoiceSentence, SaysTheOffsetTheChoiceAndWhatWasRounded) {
    const atlas::LocalBirth madras = local(1905, 5, 15, 10, 30, 80, 17, true);
    const atlas::ZoneFacts mmt{19270, false, "MMT"};
    EXPECT_EQ(atlas::ChoiceSentence(madras, mmt, atlas::ChooseZone(madras, mmt)),
              "+5:21:10 on 15 May 1905 10:30: zone 61 Universal Time, no daylight saving, birth converted to "
              "15 May 1905 5:09 UT (10 s rounded away); no zone of the list gives this offset at a place east of Greenwich");
    const atlas::LocalBirth pune = local(1990, 5, 15, 10, 30, 73, 51, true);
    const atlas::ZoneFacts ist{19800, false, "IST"};
    EXPECT_EQ(atlas::ChoiceSentence(pune, ist, atlas::ChooseZone(pune, ist)),
              "+5:30 on 15 May 1990 10:30: zone 34 Indian Time, no daylight saving");
    // The clock as the user gave it, an hour of 24 too.
    const atlas::LocalBirth midnight = local(1990, 5, 15, 24, 30, 73, 51, true);
    EXPECT_EQ(atlas::GivenZoneSentence(midnight, ist, 34, false),
              "+5:30 on 15 May 1990 24:30: zone 34 Indian Time, no daylight saving, as given");
    EXPECT_EQ(atlas::OffsetText(-36000), "-10:00");
    EXPECT_EQ(atlas::ZoneRowText(34, true), "zone 34 Indian Time, daylight saving");
    EXPECT_EQ(atlas::ZoneRowText(99, false), "zone 99, no daylight saving");  // no row there to read
    // Greenwich itself (0:00, whatever its option) counts as west.
    const atlas::LocalBirth greenwich = local(1990, 5, 15, 10, 30, 0, 0, true);
    const atlas::ZoneFacts nepal{20700, false, ""};
    EXPECT_NE(atlas::ChoiceSentence(greenwich, nepal, atlas::ChooseZone(greenwich, nepal)).find("west of Greenwich"),
              std::string::npos);
}

}  // namespace

// The coordinates the place list and the look-up window write: minutes in
// two digits for the latitude and the longitude alike, 0:00 north and east.
TEST(CoordinatesText, MinutesInTwoDigitsBothWays) {
    const std::tuple<double, double, const char*> cases[] = {
        {3.1412, 101.68653, "3:08N 101:41E"},   {-0.9, -0.12574, "0:54S 0:08W"},
        {51.50853, -0.12574, "51:31N 0:08W"},   {0.0, 0.0, "0:00N 0:00E"},
        {-33.86785, 151.20732, "33:52S 151:12E"}, {0.004, -179.999, "0:00N 180:00W"},
    };
    for (const auto& [latitude, longitude, text] : cases) {
        atlas::Place place;
        place.latitude = latitude;
        place.longitude = longitude;
        EXPECT_EQ(atlas::CoordinatesText(place), text) << latitude << " " << longitude;
    }
}
