// The calculation driver: from the entry form's values to a computed chart and
// the captions of the chart window.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "app/BirthForm.h"
#include "app/ChartRecord.h"
#include "astro/Body.h"
#include "astro/MoonChart.h"

namespace app {

// The captions of the table of positions, Surya / Sun .. Ketu / South Node.
inline constexpr std::array<std::string_view, astro::PlacedBodyCount> BodyRowCaptions = {
    "Surya / Sun",    "Chandra / Moon", "Budha / Mercury",   "Shukra / Venus",   "Mangala / Mars",
    "Guru / Jupiter", "Shani / Saturn", "Rahu / North Node", "Ketu / South Node"};

// Everything that lives from one calculation to the next.
struct ChartSession {
    ChartRecord record;
    modVedicEphemeris::MoonWorkingValues moon;
    int zoneListPosition = 0;  // zone list position of the last calculation
};

// The chart captions written into the chart window.
struct ChartWindowTexts {
    std::string lblAyanamsha, lblLagna, lblNakshatra, lblRashi, lblPada, lblLord;
    std::array<std::string, astro::BodyCount> Planet;
    std::array<std::string, 12> lblPlanets;  // sign boxes, 0 = Aries .. 11 = Pisces
};

// The birth-data header of the chart window.
struct ChartHeaderTexts {
    std::string lblName, lblCity, lblState, lblCountry, lblDOB, lblTOB, lblLatitude, lblLongitude;
};

struct CalculationOutcome {
    std::optional<InputProblem> problem;  // set: nothing was changed
    ChartWindowTexts window;
    // Whether the input passed the checks and the chart was computed.
    bool accepted() const { return !problem.has_value(); }
};

// RunCalculation: checks the input, copies it into the record, runs the
// passes in their fixed order (angles, Moon, planets, retrograde marks) and
// derives the captions.
//   Given:   the form's values and the session of the last calculation.
//   Returns: the first problem, with the session untouched; or no problem and
//            the chart window's texts (MakeChartWindowTexts) of the new record.
//   Notes:   the problems are ValidateInput's (checks 1..12), then two of
//            check 0: "Please choose the date, time and time zone from their
//            lists" for a list position outside its list, and "Please enter
//            only numbers" (focusing the box) for a coordinate box that is
//            not one to three digits 0-9. Coordinate values are not checked
//            against any range (latitude 95 degrees passes). The record takes
//            the name as typed and the city, state and country without their
//            outer blanks; its LocalTimeGiven, sky flags and file paths are
//            left as they were. The session keeps the zone's list position
//            and the Moon's working values.
CalculationOutcome RunCalculation(const BirthFormValues& form, ChartSession& session);

// RunCalculation without the chart window's texts, for what writes the
// record in another form (a batch line): the problem (the session untouched),
// or nothing when the record was computed.
std::optional<InputProblem> CalculateChart(const BirthFormValues& form, ChartSession& session);

// DeriveCaptions: the captions of the chart window from the angles and the Moon.
//   Given:   the angles' ayanamsa and Ascendant texts, the Moon's nakshatra
//            and rashi names.
//   Fills:   the ayanamsa caption (its text without the first character, the
//            minus sign), the Ascendant's sign abbreviation (the last three
//            characters of its text), the lagna name of that sign, the
//            nakshatra and rashi captions (copied as they are), and the
//            nakshatra's lord and pada (LookupLordAndPada).
//   Notes:   the lagna name and the nakshatra's lord and pada keep their
//            previous values when nothing matches, so the captions are
//            filled, not made afresh.
void DeriveCaptions(const modVedicPlanetPosition::ChartAngles& angles, const modVedicEphemeris::MoonChart& moon,
                    ChartCaptions& captions);

// The captions and sign boxes of a computed record: the record's captions
// copied, the eleven compact position texts (Surya .. Ketu, the Ascendant,
// the Midheaven) and MakeSignBoxes.
ChartWindowTexts MakeChartWindowTexts(const ChartRecord& record);

// The header the chart window writes when it opens, with the month named
// from the table: "Name: ...", "Date of Birth: <month> <day>, <year>",
// "Time of Birth: <hour> HH <minute> MM " (followed by "(UT; <LocalTimeGiven>)"
// when that is not empty), "Latitude: <d> Degree <m> Minute", the
// same for the longitude, "City: ...", "State: ...", "Country: ...".
// Numbers are written without leading zeros; the coordinates carry no
// direction; a month outside 1..12 is named "".
ChartHeaderTexts MakeChartHeaderTexts(const ChartRecord& record, const MonthNameTable& monthNames);

// The sign boxes alone (0 = Aries .. 11 = Pisces): "Asc" first in the
// Ascendant's sign, then the bodies Surya .. Ketu in order, one per line
// ("\r\n" between them), by their marked Sanskrit names. A box with nothing
// in it is ""; a body whose text names no sign is in no box.
std::array<std::string, 12> MakeSignBoxes(const ChartRecord& record);

// The signs (0 = Aries .. 11, -1 for none) the Rashi chart places the bodies
// in, read from the texts: the Ascendant's abbreviation (at index 9) and
// characters 4..6 of each compact position (Midheaven: -1, never placed).
// A text whose characters name no sign (an empty one) gives -1.
std::array<int, astro::BodyCount> RashiSigns(const ChartRecord& record);

// The sign boxes of a chart given by its signs: "Asc" first in the
// Ascendant's sign, then Surya .. Ketu with their (marked) Sanskrit names,
// "\r\n" between them. MakeSignBoxes is this for RashiSigns. A sign outside
// 0..11 (-1) puts its body in no box; the Midheaven's sign is not read.
std::array<std::string, 12> SignBoxesOf(const std::array<int, astro::BodyCount>& signs,
                                        const std::array<std::string, astro::BodyCount>& sanskritNames);

}  // namespace app
