// The entry form's checks in their order, the date rule, the keystroke rules
// and the coordinate look-up phrase.
#include <gtest/gtest.h>

#include "app/BirthForm.h"
#include "support/Forms.h"

using namespace app;

namespace {

BirthFormValues completeForm() { return testdata::puneForm(); }

BirthFormValues dated(int day, int month, int year) { return testdata::withDate(completeForm(), day, month, year); }

TEST(ValidateInput, ChecksRunInOrderAndOnlyTheFirstIsReported) {
    struct Case {
        void (*spoil)(BirthFormValues&);
        int check;
        const char* message;
        FormControl focus;
    } const cases[] = {
        {[](BirthFormValues& f) { f.txtName.clear(); f.txtCity.clear(); }, 1, "Please Enter Your Name", FormControl::txtName},
        {[](BirthFormValues& f) { f.txtLatDeg.clear(); f.txtCountry.clear(); }, 2, "Please Enter Degree of Latitude", FormControl::txtLatDeg},
        {[](BirthFormValues& f) { f.txtLatMin.clear(); }, 3, "Please Enter Minutes of Latitude", FormControl::txtLatMin},
        {[](BirthFormValues& f) { f.txtLonDeg.clear(); }, 4, "Please Enter Degree of Longitude", FormControl::txtLonDeg},
        {[](BirthFormValues& f) { f.txtLonMin.clear(); }, 5, "Please Enter Minute of Longitude", FormControl::txtLonMin},
        {[](BirthFormValues& f) { f.txtCity.clear(); f.optLatNorth = false; }, 6, "Please Enter Your City name", FormControl::txtCity},
        {[](BirthFormValues& f) { f.txtState.clear(); }, 7, "Please Enter Your State name", FormControl::txtState},
        {[](BirthFormValues& f) { f.txtCountry.clear(); }, 8, "Please Enter Your Country name", FormControl::txtCountry},
        {[](BirthFormValues& f) { f.optLatNorth = f.optLatSouth = false; f.optLongEast = false; }, 9, "Please Select Direction For The Latitude", FormControl::None},
        {[](BirthFormValues& f) { f.optLongEast = f.optLongWest = false; }, 10, "Please Select Direction For The Longitude", FormControl::None},
    };
    for (const Case& c : cases) {
        BirthFormValues f = completeForm();
        c.spoil(f);
        const auto problem = ValidateInput(f);
        ASSERT_TRUE(problem.has_value()) << c.message;
        EXPECT_EQ(problem->check, c.check);
        EXPECT_EQ(problem->message, c.message);
        EXPECT_EQ(problem->icon, MessageIcon::Error) << c.message;
        EXPECT_EQ(problem->focus, c.focus) << c.message;
    }
}

TEST(ValidateInput, DirectionChecksSelectNorthAndEast) {
    BirthFormValues f = completeForm();
    f.optLatNorth = false;
    EXPECT_EQ(ValidateInput(f)->select, OptionToSelect::LatitudeNorth);
    f = completeForm();
    f.optLongEast = false;
    EXPECT_EQ(ValidateInput(f)->select, OptionToSelect::LongitudeEast);
}

TEST(ValidateInput, DateRule) {
    struct Case {
        int day, month, year;
        const char* message;  // nullptr: passes
    } const cases[] = {
        {29, 2, 2000, nullptr},
        {29, 2, 1999, "Please Enter Correct Date Or Month!"},
        {30, 2, 2000, "Please Enter Correct Date Or Month!"},
        {31, 2, 1999, "Please Enter Correct Date Or Month!"},
        {31, 2, 2000, "Please Enter Correct Date Or Month!"},
        {28, 2, 1901, nullptr},
        {31, 4, 1990, "Please Enter Correct Date Or Month !"},
        {31, 6, 1990, "Please Enter Correct Date Or Month !"},
        {31, 9, 1990, "Please Enter Correct Date Or Month !"},
        {31, 11, 1990, "Please Enter Correct Date Or Month !"},
        {31, 5, 1990, nullptr},
        {30, 4, 1990, nullptr},
        {31, 12, 2050, nullptr},
        {29, 2, 2048, nullptr},
    };
    for (const Case& c : cases) {
        const auto problem = ValidateInput(dated(c.day, c.month, c.year));
        if (c.message == nullptr) {
            EXPECT_FALSE(problem.has_value()) << c.day << "/" << c.month << "/" << c.year;
        } else {
            ASSERT_TRUE(problem.has_value()) << c.day << "/" << c.month << "/" << c.year;
            EXPECT_EQ(problem->message, c.message);
            EXPECT_EQ(problem->icon, MessageIcon::Information);
            EXPECT_EQ(problem->focus, FormControl::None);
        }
    }
}

TEST(ValidateInput, BlanksAndAnyThreeDigitCoordinatePass) {
    BirthFormValues f = completeForm();
    f.txtName = " ";
    f.txtLatDeg = "95";
    f.txtLatMin = "70";
    f.txtLonDeg = "999";
    f.cboHour = 24;
    EXPECT_FALSE(ValidateInput(f).has_value());
}

TEST(KeystrokeRules, LettersAndDigitsBoxes) {
    const char32_t lettersAccepted[] = {'A', 'Z', 'a', 'z', ' ', 8, 127};
    const char32_t lettersRefused[] = {'3', '-', '\'', '.', 22 /* Ctrl+V */, U'\u00e9', 13, '@', '[', '`', '{'};
    for (char32_t c : lettersAccepted) EXPECT_TRUE(LettersBoxAccepts(c)) << static_cast<int>(c);
    for (char32_t c : lettersRefused) EXPECT_FALSE(LettersBoxAccepts(c)) << static_cast<int>(c);
    const char32_t digitsAccepted[] = {'0', '9', 8, 127};
    const char32_t digitsRefused[] = {'.', '-', 'a', ' ', 22, '/', ':'};
    for (char32_t c : digitsAccepted) EXPECT_TRUE(DigitsBoxAccepts(c)) << static_cast<int>(c);
    for (char32_t c : digitsRefused) EXPECT_FALSE(DigitsBoxAccepts(c)) << static_cast<int>(c);
}

TEST(KeystrokeRules, WholeTexts) {
    EXPECT_TRUE(LettersBoxAcceptsText("New Delhi"));
    EXPECT_FALSE(LettersBoxAcceptsText("Pune3"));
    EXPECT_FALSE(LettersBoxAcceptsText("Z\xC3\xBCrich"));
    EXPECT_TRUE(DigitsBoxAcceptsText("073"));
    EXPECT_FALSE(DigitsBoxAcceptsText("7.3"));
}

TEST(CoordinateSearch, PhraseAndMissingFields) {
    BirthFormValues f = completeForm();
    EXPECT_EQ(BuildCoordinateSearch(f).phrase, "Pune Maharashtra India Latitude Longitude");
    const std::pair<void (*)(BirthFormValues&), const char*> missing[] = {
        {[](BirthFormValues& v) { v.txtCity.clear(); v.txtState.clear(); }, "Please Enter City"},
        {[](BirthFormValues& v) { v.txtState.clear(); }, "Please Enter State"},
        {[](BirthFormValues& v) { v.txtCountry.clear(); }, "Please Enter Country"},
    };
    for (const auto& [spoil, message] : missing) {
        BirthFormValues v = completeForm();
        spoil(v);
        const CoordinateLookup lookup = BuildCoordinateSearch(v);
        ASSERT_TRUE(lookup.problem.has_value()) << message;
        EXPECT_EQ(lookup.problem->message, message);
        EXPECT_TRUE(lookup.phrase.empty());
    }
}

}  // namespace

namespace {

TEST(ZoneSideHint, WhenZoneAndPlaceLieOnDifferentSidesOfGreenwich) {
    struct Case {
        int zone;
        bool east;
        const char* lonDeg;
        const char* lonMin;
        const char* hint;  // a part of the hint; nullptr: no hint
    } const cases[] = {
        // London in British Summer Time (+1): the zone is east, the place west.
        {16, false, "0", "7", "about 2 hours off: this zone is east of Greenwich, the place west."},
        {16, true, "0", "7", nullptr},
        {34, true, "77", "12", nullptr},  // Indian Time, East
        {34, false, "77", "12", "about 11 hours off: this zone is east of Greenwich, the place west."},
        {27, true, "73", "0", "about 10 hours off: this zone is west of Greenwich, the place east."},  // EST, -5
        {27, false, "73", "0", nullptr},
        {29, false, "0", "7", nullptr},   // Greenwich itself has no side, whichever side the place is on
        {29, true, "0", "7", nullptr},
        {61, true, "77", "12", nullptr},  // nor has Universal Time
        {61, false, "73", "0", nullptr},
        {20, true, "0", "0", "the place west"},  // longitude 0 counts as west: an eastern zone disagrees
        {20, true, "0", "", "the place west"},
        {34, false, "", "", nullptr},      // nothing typed yet: no hint on a fresh form
        {16, false, "", "", nullptr},
    };
    for (const Case& c : cases) {
        BirthFormValues f = completeForm();
        f.cboTimeZone = c.zone;
        f.optLongEast = c.east;
        f.optLongWest = !c.east;
        f.txtLonDeg = c.lonDeg;
        f.txtLonMin = c.lonMin;
        const std::string hint = ZoneSideHint(f);
        if (c.hint) {
            EXPECT_NE(hint.find(c.hint), std::string::npos) << c.zone << ": " << hint;
            EXPECT_NE(hint.find("Choose a zone on the place's side, or Universal Time with the time converted."), std::string::npos);
        } else {
            EXPECT_EQ(hint, "") << c.zone;
        }
    }
}

}  // namespace
