// Position texts: examples of the long, signed and compact forms worked by
// hand, and the boundaries where a wrong floor, rounding or byte count shows.
#include <gtest/gtest.h>

#include "astro/PositionText.h"
#include "astro/Utf8Text.h"

using namespace modVedicPlanetPosition;

namespace {

struct LongCase {
    double degrees;
    const char* text;
};

// Worked by hand: the sign is floor(degrees / 30), then the whole degrees,
// minutes and seconds of the rest, each truncated (5.15625: 5 degrees, 0.15625
// x 60 = 9.375 minutes, 0.375 x 60 = 22.5 seconds shown as 22). 5.05 and
// 346.15 lie just below their decimal values as doubles.
const LongCase LongCases[] = {
    {0, "0° 0' 0\" Ari"},
    {30, "0° 0' 0\" Tau"},
    {5.15625, "5° 9' 22\" Ari"},  // 22.5 seconds shows 22
    {359.5, "29° 30' 0\" Pis"},
    {123.456789, "3° 27' 24\" Leo"},
    {5.05, "5° 2' 59\" Ari"},
    {346.15, "16° 8' 59\" Pis"},
    {359.99, "29° 59' 24\" Pis"},
    {360, "0° 0' 0\" "},  // sign index 12: no abbreviation
    {-30.5, "0° 30' 0\" Tau"},  // the absolute value is used
    {29.999999999, "29° 59' 59\" Ari"},
};

TEST(FormatSignPosition, HandWorkedExamplesAndBoundaries) {
    for (const LongCase& c : LongCases) {
        EXPECT_EQ(FormatSignPosition(c.degrees), c.text) << c.degrees;
    }
}

TEST(FormatSignPosition, OutOfRangeInputTerminates) {
    // Never produced by the passes; must still end and give some text. A value
    // that is not finite stops a debug build at its check.
    EXPECT_NE(FormatSignPosition(1e300).find("\u00B0"), std::string::npos);
    EXPECT_DEBUG_DEATH(EXPECT_FALSE(FormatSignPosition(std::numeric_limits<double>::infinity()).empty()), "NaN or infinite");
}

TEST(FormatSignedAngle, WorkedExamples) {
    const std::pair<double, const char*> cases[] = {
        {-23.5, "-23° 30' 0\""},
        {-0.5, "0° 30' 0\""},  // the minus rides on the whole degrees and is lost at 0
        {23.5, "23° 30' 0\""},
        {0, "0° 0' 0\""},
        {-23.726507864124716, "-23° 43' 35\""},
    };
    for (const auto& [angle, text] : cases) EXPECT_EQ(FormatSignedAngle(angle), text) << angle;
}

TEST(CompactPosition, WorkedExamplesAndPadding) {
    const std::pair<const char*, const char*> cases[] = {
        {"5° 9' 22\" Ari", "05 Ari 09"},
        {"29° 59' 59\" Pis", "29 Pis 59"},
        {"0° 0' 0\" Ari", "00 Ari 00"},
        {"  12° 34' 56\" Leo", "12 Leo 34"},  // trimmed before the marks are searched
        {"12° 34' 56\" Leo  ", "12 o 34"},    // the sign is cut from the untrimmed text
        {"0° 0' 0\" ", "00 0\" 00"},             // no abbreviation: the last three characters are taken
    };
    for (const auto& [longText, compact] : cases) EXPECT_EQ(CompactPosition(longText), compact) << longText;
}

TEST(CompactPosition, EveryLongTextGivesNineCharactersWithTheSignAt4To6) {
    for (int tenths = 0; tenths < 3600; tenths += 7) {
        const std::string longText = FormatSignPosition(tenths / 10.0);
        const std::string compact = CompactPosition(longText);
        ASSERT_EQ(astro::CharCount(compact), 9U) << longText;
        EXPECT_EQ(astro::SubChars(compact, 3, 3), astro::LastChars(longText, 3)) << longText;
    }
}

TEST(CompactPosition, TextsWithoutMarksGiveEmptyPieces) {
    EXPECT_EQ(CompactPosition(""), "0  0");
    EXPECT_EQ(CompactPosition("Ari"), "0 Ari 0");
    EXPECT_EQ(CompactPosition("'5° x"), "'5 ° x 0");  // minute mark before the degree mark
}

TEST(Utf8Text, CountsCharactersNotBytes) {
    EXPECT_EQ(astro::CharCount("5° 9'"), 5U);
    EXPECT_EQ(astro::LastChars("9°", 1), "°");
    EXPECT_EQ(astro::SubChars("-23° 43'", 1), "23° 43'");
    EXPECT_EQ(astro::SubChars("ab", 5, 2), "");
    EXPECT_EQ(astro::TrimBlanks("  a b  "), "a b");
}

}  // namespace
