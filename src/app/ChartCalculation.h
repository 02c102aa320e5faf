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
    bool accepted() const { return !problem.has_value(); }
};

// Checks the input, copies it into the record, runs the passes in their fixed
// order (angles, Moon, planets, retrograde marks) and derives the captions.
CalculationOutcome RunCalculation(const BirthFormValues& form, ChartSession& session);

// RunCalculation without the chart window's texts, for what writes the
// record in another form (a batch line): the problem, or nothing when the
// record was computed.
std::optional<InputProblem> CalculateChart(const BirthFormValues& form, ChartSession& session);

// The captions of the chart window from the angles and the Moon. The lagna
// name and the nakshatra's lord and pada keep their previous values when
// nothing matches, so the captions are filled, not made afresh.
void DeriveCaptions(const modVedicPlanetPosition::ChartAngles& angles, const modVedicEphemeris::MoonChart& moon,
                    ChartCaptions& captions);

// The captions and sign boxes of a computed record.
ChartWindowTexts MakeChartWindowTexts(const ChartRecord& record);

// The header the chart window writes when it opens, with the month named
// from the table.
ChartHeaderTexts MakeChartHeaderTexts(const ChartRecord& record, const MonthNameTable& monthNames);

// The sign boxes alone: "Asc" first in the Ascendant's sign, then the bodies
// Surya .. Ketu in order, one per line ("\r\n" between them).
std::array<std::string, 12> MakeSignBoxes(const ChartRecord& record);

// The signs (0 = Aries .. 11, -1 for none) the Rashi chart places the bodies
// in, read from the texts: the Ascendant's abbreviation (at index 9) and
// characters 4..6 of each compact position (Midheaven: -1, never placed).
std::array<int, astro::BodyCount> RashiSigns(const ChartRecord& record);

// The sign boxes of a chart given by its signs: "Asc" first in the
// Ascendant's sign, then Surya .. Ketu with their (marked) Sanskrit names,
// "\r\n" between them. MakeSignBoxes is this for RashiSigns.
std::array<std::string, 12> SignBoxesOf(const std::array<int, astro::BodyCount>& signs,
                                        const std::array<std::string, astro::BodyCount>& sanskritNames);

}  // namespace app
