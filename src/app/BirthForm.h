// The values of the birth-data entry form, the contents of its lists, its
// keystroke rules and its input checks, independent of any widget toolkit.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace app {

// The program's title (message boxes, headings); its version and its
// windows' caption are in app/Version.h.
inline constexpr std::string_view ApplicationTitle = "Velorin";

inline constexpr std::array<std::string_view, 12> MonthNames = {"January", "February", "March",     "April",
                                                                "May",     "June",     "July",      "August",
                                                                "September", "October", "November", "December"};

// The English name of month 1..12 ("January" .. "December"), or "" for any
// other number (0, 13, negatives).
std::string_view MonthNameOf(int month);

// Full month names, January first, as the chart window's header and the text
// export write them: the user's locale gives them (the entry form's list
// stays English).
using MonthNameTable = std::array<std::string, 12>;
// The table filled with the English MonthNames: the names when no locale is
// loaded or the locale gives none.
MonthNameTable EnglishMonthNames();

// The name of month 1..12 in the table (1 is its first entry), or "" for
// any other number.
std::string MonthNameIn(const MonthNameTable& names, int month);

// List sizes and the value of a list position: the day list holds "1".."31",
// the year list "1901".."2050", the hour list "0".."24", the minute list "0".."59".
inline constexpr int DayListSize = 31;
inline constexpr int MonthListSize = 12;
inline constexpr int FirstListYear = 1901;
inline constexpr int YearListSize = 150;
inline constexpr int HourListSize = 25;
inline constexpr int MinuteListSize = 60;
inline constexpr std::size_t CoordinateMaxLength = 3;

// What the form shows. Lists are pick-lists, so a list is fully described by
// its position; a freshly loaded form has every position at 0 (1 January 1901,
// 0:0, the first zone), North and East selected and empty text boxes.
struct BirthFormValues {
    std::string txtName;
    int cboDate = 0;
    int cboMonth = 0;
    int cboYear = 0;
    int cboHour = 0;
    int cboMinute = 0;
    int cboTimeZone = 0;
    std::string txtLatDeg, txtLatMin, txtLonDeg, txtLonMin;
    std::string txtCity, txtState, txtCountry;
    bool optLatNorth = true;
    bool optLatSouth = false;
    bool optLongEast = true;
    bool optLongWest = false;
    bool chkDST = false;
};

enum class MessageIcon { Information, Error, Critical, Question };

enum class FormControl { None, txtName, txtLatDeg, txtLatMin, txtLonDeg, txtLonMin, txtCity, txtState, txtCountry };

// An option the form selects when a direction check fails.
enum class OptionToSelect { None, LatitudeNorth, LongitudeEast };

// The first failing check of ValidateInput and what the form does about it.
struct InputProblem {
    int check = 0;          // 1..12 in the order the checks run
    std::string message;
    MessageIcon icon = MessageIcon::Error;
    FormControl focus = FormControl::None;
    OptionToSelect select = OptionToSelect::None;
};

// ValidateInput: the checks the form runs before a calculation.
//   Given:   the form's values.
//   Returns: the first failing check, or nothing when all pass. Checks 1..8
//            find an empty box (name, latitude degrees and minutes,
//            longitude degrees and minutes, city, state, country, in that
//            order) and focus it; 9 and 10 find neither direction option of
//            the latitude or the longitude chosen and select North or East;
//            11 and 12 are DateRuleCheck's, with the Information icon and no
//            focus. Every other problem has the Error icon.
//   Notes:   only emptiness of the text boxes, the direction options and the
//            date rule are checked: a box of blanks is not empty, and any
//            coordinate value of up to three digits passes (latitude 95,
//            minutes 75). List positions are not checked here; the year is
//            FirstListYear + cboYear.
std::optional<InputProblem> ValidateInput(const BirthFormValues& form);

// DateRuleCheck: whether a day exists in its month.
//   Given:   list positions (month 0 = January .. 11, day 0 = day 1 .. 30)
//            and the year itself (1901..2050 from the form).
//   Returns: 0 when the date is acceptable, otherwise the number of the
//            failing check: 11 for February past its 28th day (29th in a
//            leap year), 12 for day 31 in April, June, September or November.
//   Notes:   every fourth year is a leap year, without the century rule (the
//            calendar agrees for 1901..2050). Positions outside the lists are
//            not checked as such: a February position past the month's days
//            gives 11, any other gives 0 (day 32 of a 30-day month too).
int DateRuleCheck(int monthPosition, int dayPosition, int year);

// The most characters a name or place box holds, and a chart file keeps
// (one line of a chart file, 1 KiB, one byte a character): every chart file
// the program writes, and every one of that bound written elsewhere, opens to
// exactly what it holds.
inline constexpr std::size_t MaxTextLength = 1024;

// Characters that cannot be typed into the form and never reach a window, a
// file or a terminal: the C0 controls, DEL and the C1 controls (code points
// U+0000..U+001F and U+007F..U+009F).
bool IsControlCharacter(char32_t code);

// TextFieldProblem: what is wrong with a text for a name or place box.
//   Given:   the text's bytes.
//   Returns: nothing when it can be taken, otherwise a phrase that follows
//            the field's name, the first that applies of "is not valid UTF-8
//            text", "contains a control character" (IsControlCharacter) and
//            "is longer than 1024 characters" (MaxTextLength, counted in
//            characters, not bytes).
//   Notes:   an empty text and a text of blanks pass.
std::optional<std::string> TextFieldProblem(std::string_view text);

// Keystroke rules: character codes a letters box or a digits box lets through
// (letters, blank, backspace and 127; digits, backspace and 127).
bool LettersBoxAccepts(char32_t code);
bool DigitsBoxAccepts(char32_t code);

inline constexpr std::string_view LettersOnlyMessage = "Please enter only letters";
inline constexpr std::string_view NumbersOnlyMessage = "Please enter only numbers";
inline constexpr std::string_view TooLongMessage = "Please enter at most 1024 characters";

// Whether a whole text could have been typed into a letters or digits box:
// every byte an ASCII letter or blank, or every byte a digit 0-9. Backspace
// and DEL edit the box and are refused in a text, as is every byte of a
// character outside ASCII; an empty text passes.
bool LettersBoxAcceptsText(std::string_view text);
bool DigitsBoxAcceptsText(std::string_view text);

// ZoneSideHint: a passive hint for the form, once a longitude has been typed,
// when the chosen zone and the place's East/West option lie on different
// sides of Greenwich (a longitude of 0 counts as west): the Ascendant and the
// Moon then take the zone as lying on the place's side, the planets as the
// zone says, twice the zone's size apart.
//   Given:   the form's zone position, longitude boxes and East option.
//   Returns: a sentence that says by how many hours they will be off (twice
//            the zone's size, a whole number) and what to choose instead; ""
//            when they agree, when the zone is Greenwich itself, or before a
//            longitude is typed.
//   Notes:   "before a longitude is typed" means both longitude boxes are
//            empty; boxes of zeros alone (one may be empty) are a longitude
//            of 0. The place is east only with East chosen and a longitude
//            other than 0. A zone position outside the list gives "".
std::string ZoneSideHint(const BirthFormValues& form);

// The coordinate look-up: the first missing place field, or the search phrase
// "city state country Latitude Longitude".
//   Given:   the form's city, state and country boxes.
//   Returns: with an empty box, a problem numbered 1..3 ("Please Enter City",
//            "Please Enter State", "Please Enter Country"), focusing it, and
//            no phrase; otherwise no problem and the phrase, the boxes as
//            typed (not trimmed: a box of blanks is not empty).
struct CoordinateLookup {
    std::optional<InputProblem> problem;
    std::string phrase;
};
CoordinateLookup BuildCoordinateSearch(const BirthFormValues& form);

}  // namespace app
