#include "app/ChartCalculation.h"

#include <cstdint>

#include "app/ZoneTable.h"
#include "astro/ChartAngles.h"
#include "astro/MoonChart.h"
#include "astro/PlanetPositions.h"
#include "astro/Retrogrades.h"
#include "astro/DecimalDigits.h"
#include "astro/Utf8Text.h"

namespace app {

namespace {

// A coordinate box holds at most three digits; anything else cannot come from
// the form's keystrokes and is refused rather than read as 0.
std::optional<std::int16_t> coordinateValue(std::string_view text) {
    const std::optional<int> value = astro::ParseDigits(text, 1, CoordinateMaxLength);
    if (!value) return std::nullopt;
    return static_cast<std::int16_t>(*value);
}

bool inList(int position, int size) { return position >= 0 && position < size; }

std::optional<InputProblem> checkListsAndNumbers(const BirthFormValues& form) {
    if (!inList(form.cboDate, DayListSize) || !inList(form.cboMonth, MonthListSize) ||
        !inList(form.cboYear, YearListSize) || !inList(form.cboHour, HourListSize) ||
        !inList(form.cboMinute, MinuteListSize) || !inList(form.cboTimeZone, ZoneCount)) {
        return InputProblem{0, "Please choose the date, time and time zone from their lists", MessageIcon::Error,
                            FormControl::None, OptionToSelect::None};
    }
    const std::pair<const std::string*, FormControl> boxes[] = {{&form.txtLatDeg, FormControl::txtLatDeg},
                                                                {&form.txtLatMin, FormControl::txtLatMin},
                                                                {&form.txtLonDeg, FormControl::txtLonDeg},
                                                                {&form.txtLonMin, FormControl::txtLonMin}};
    for (const auto& [text, control] : boxes) {
        if (!coordinateValue(*text)) {
            return InputProblem{0, std::string(NumbersOnlyMessage), MessageIcon::Error, control, OptionToSelect::None};
        }
    }
    return std::nullopt;
}

std::string trimmed(std::string_view text) { return std::string(astro::TrimBlanks(text)); }

void copyFormIntoRecord(const BirthFormValues& form, ChartRecord& r) {
    r.BirthName = form.txtName;
    r.birth.BirthMonth = static_cast<std::int16_t>(form.cboMonth + 1);
    r.birth.BirthDay = static_cast<std::int16_t>(form.cboDate + 1);
    r.birth.BirthYear = static_cast<std::int16_t>(FirstListYear + form.cboYear);
    r.birth.BirthHour = static_cast<std::int16_t>(form.cboHour);
    r.birth.BirthMinute = static_cast<std::int16_t>(form.cboMinute);

    const ZoneRow& zone = ZoneTable[static_cast<std::size_t>(form.cboTimeZone)];
    r.birth.ZoneHoursAbs = static_cast<std::int16_t>(zone.hours < 0 ? -zone.hours : zone.hours);
    r.birth.ZoneMinutesAbs = static_cast<std::int16_t>(zone.minutes < 0 ? -zone.minutes : zone.minutes);
    r.birth.ZoneHoursSigned = zone.hours;
    r.birth.ZoneMinutesSigned = zone.minutes;

    r.birth.LonDegrees = *coordinateValue(form.txtLonDeg);
    r.birth.LonMinutes = *coordinateValue(form.txtLonMin);
    r.birth.LatDegrees = *coordinateValue(form.txtLatDeg);
    r.birth.LatMinutes = *coordinateValue(form.txtLatMin);
    r.birth.IsEast = form.optLongEast;
    r.birth.IsSouth = form.optLatSouth;
    r.birth.IsDaylightSaving = form.chkDST;
    r.City = trimmed(form.txtCity);
    r.State = trimmed(form.txtState);
    r.Country = trimmed(form.txtCountry);
}

}  // namespace

// The captions of the chart window from the passes' results. The lagna name
// and the nakshatra's lord and pada keep their previous values when nothing
// matches, so the captions are filled, not made afresh.
void DeriveCaptions(const modVedicPlanetPosition::ChartAngles& angles, const modVedicEphemeris::MoonChart& moon,
                    ChartCaptions& captions) {
    // The ayanamsa is held as a negative correction; the caption drops the minus.
    captions.AyanamsaCaption = std::string(astro::SubChars(angles.AyanamsaText, 1));
    captions.AscSignAbbrev = std::string(astro::LastChars(angles.AscendantText, 3));
    const int ascSign = SignIndexOf(captions.AscSignAbbrev);
    if (ascSign >= 0) captions.LagnaName = std::string(LagnaNames[static_cast<std::size_t>(ascSign)]);
    captions.NakshatraCaption = moon.NakshatraName;
    captions.RashiCaption = moon.RashiName;
    LookupLordAndPada(captions.NakshatraCaption, captions.AscSignAbbrev, captions.NakshatraLord, captions.PadaCaption);
}

namespace {

// Characters 4..6 of a compact position text: the sign abbreviation.
std::string_view compactSign(std::string_view compact) { return astro::SubChars(compact, 3, 3); }

}  // namespace

std::array<int, astro::BodyCount> RashiSigns(const ChartRecord& record) {
    std::array<int, astro::BodyCount> signs{};
    signs.fill(-1);
    signs[astro::BodyIndex(astro::Body::Ascendant)] = SignIndexOf(record.captions.AscSignAbbrev);
    for (std::size_t body = 0; body < astro::PlacedBodyCount; ++body) {
        signs[body] = SignIndexOf(compactSign(record.bodies.PlanetPositionText[body]));
    }
    return signs;
}

std::array<std::string, 12> SignBoxesOf(const std::array<int, astro::BodyCount>& signs,
                                        const std::array<std::string, astro::BodyCount>& sanskritNames) {
    std::array<std::string, 12> boxes;
    const int ascSign = signs[astro::BodyIndex(astro::Body::Ascendant)];
    if (ascSign >= 0 && ascSign < 12) boxes[static_cast<std::size_t>(ascSign)] = "Asc";
    for (std::size_t body = 0; body < astro::PlacedBodyCount; ++body) {
        const int sign = signs[body];
        if (sign < 0 || sign > 11) continue;
        std::string& box = boxes[static_cast<std::size_t>(sign)];
        if (!box.empty()) box += "\r\n";
        box += sanskritNames[body];
    }
    return boxes;
}

std::array<std::string, 12> MakeSignBoxes(const ChartRecord& record) {
    return SignBoxesOf(RashiSigns(record), record.bodies.PlanetNameSanskrit);
}

ChartWindowTexts MakeChartWindowTexts(const ChartRecord& record) {
    ChartWindowTexts texts;
    texts.lblAyanamsha = record.captions.AyanamsaCaption;
    texts.lblLagna = record.captions.LagnaName;
    texts.lblNakshatra = record.captions.NakshatraCaption;
    texts.lblRashi = record.captions.RashiCaption;
    texts.lblPada = record.captions.PadaCaption;
    texts.lblLord = record.captions.NakshatraLord;
    texts.Planet = record.bodies.PlanetPositionText;
    texts.lblPlanets = MakeSignBoxes(record);
    return texts;
}

ChartHeaderTexts MakeChartHeaderTexts(const ChartRecord& r, const MonthNameTable& monthNames) {
    const auto number = [](int value) { return std::to_string(value); };
    const std::string month = MonthNameIn(monthNames, r.birth.BirthMonth);
    ChartHeaderTexts h;
    h.lblName = "Name: " + r.BirthName;
    h.lblDOB = "Date of Birth: " + month + " " + number(r.birth.BirthDay) + ", " + number(r.birth.BirthYear);
    h.lblTOB = "Time of Birth: " + number(r.birth.BirthHour) + " HH " + number(r.birth.BirthMinute) + " MM ";
    if (!r.LocalTimeGiven.empty()) h.lblTOB += "(UT; " + r.LocalTimeGiven + ")";
    h.lblLatitude = "Latitude: " + number(r.birth.LatDegrees) + " Degree " + number(r.birth.LatMinutes) + " Minute";
    h.lblLongitude = "Longitude: " + number(r.birth.LonDegrees) + " Degree " + number(r.birth.LonMinutes) + " Minute";
    h.lblCity = "City: " + r.City;
    h.lblState = "State: " + r.State;
    h.lblCountry = "Country: " + r.Country;
    return h;
}

std::optional<InputProblem> CalculateChart(const BirthFormValues& form, ChartSession& session) {
    std::optional<InputProblem> problem = ValidateInput(form);
    if (!problem) problem = checkListsAndNumbers(form);
    if (problem) return problem;

    ChartRecord& r = session.record;
    copyFormIntoRecord(form, r);
    session.zoneListPosition = form.cboTimeZone;

    r.angles = modVedicPlanetPosition::ComputeChartAngles(r.birth);
    modVedicEphemeris::ComputeMoonChart(r.birth, session.moon, r.moon);
    r.bodies = modVedicPlanetPosition::ComputePlanetPositions(r.birth, r.angles, r.moon.MoonPositionText);
    modRetrogrades::MarkRetrogrades(r.birth, r.RetroFlags, r.bodies.PlanetNameSanskrit);
    // The one table of sidereal degrees: the Moon's and the angles' come from their passes.
    r.bodies.SiderealLongitude[astro::BodyIndex(astro::Body::Moon)] = session.moon.MoonLongitude;
    r.bodies.SiderealLongitude[astro::BodyIndex(astro::Body::Ascendant)] = r.angles.AscendantLongitude;
    r.bodies.SiderealLongitude[astro::BodyIndex(astro::Body::Midheaven)] = r.angles.MidheavenLongitude;

    DeriveCaptions(r.angles, r.moon, r.captions);
    return std::nullopt;
}

CalculationOutcome RunCalculation(const BirthFormValues& form, ChartSession& session) {
    CalculationOutcome outcome;
    outcome.problem = CalculateChart(form, session);
    if (!outcome.problem) outcome.window = MakeChartWindowTexts(session.record);
    return outcome;
}

}  // namespace app
