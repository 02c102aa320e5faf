#include "app/ChartCalculation.h"

#include <cstdint>

#include "app/ZoneTable.h"
#include "astro/ChartAngles.h"
#include "astro/MoonChart.h"
#include "astro/PlanetPositions.h"
#include "astro/Retrogrades.h"
#include "astro/Utf8Text.h"

namespace app {

namespace {

// A coordinate box holds at most three digits; anything else cannot come from
// the form's keystrokes and is refused rather than read as 0.
std::optional<std::int16_t> coordinateValue(std::string_view text) {
    if (text.empty() || text.size() > CoordinateMaxLength || !DigitsBoxAcceptsText(text)) return std::nullopt;
    int value = 0;
    for (char c : text) value = value * 10 + (c - '0');
    return static_cast<std::int16_t>(value);
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
    r.BirthMonth = static_cast<std::int16_t>(form.cboMonth + 1);
    r.BirthDay = static_cast<std::int16_t>(form.cboDate + 1);
    r.BirthYear = static_cast<std::int16_t>(FirstListYear + form.cboYear);
    r.BirthHour = static_cast<std::int16_t>(form.cboHour);
    r.BirthMinute = static_cast<std::int16_t>(form.cboMinute);

    const ZoneRow& zone = ZoneTable[static_cast<std::size_t>(form.cboTimeZone)];
    r.ZoneHoursAbs = static_cast<std::int16_t>(zone.hours < 0 ? -zone.hours : zone.hours);
    r.ZoneMinutesAbs = static_cast<std::int16_t>(zone.minutes < 0 ? -zone.minutes : zone.minutes);
    r.ZoneHoursSigned = zone.hours;
    r.ZoneMinutesSigned = zone.minutes;

    r.LonDegrees = *coordinateValue(form.txtLonDeg);
    r.LonMinutes = *coordinateValue(form.txtLonMin);
    r.LatDegrees = *coordinateValue(form.txtLatDeg);
    r.LatMinutes = *coordinateValue(form.txtLatMin);
    r.IsEast = form.optLongEast;
    r.IsSouth = form.optLatSouth;
    r.IsDaylightSaving = form.chkDST;
    r.City = trimmed(form.txtCity);
    r.State = trimmed(form.txtState);
    r.Country = trimmed(form.txtCountry);
}

void deriveCaptions(ChartRecord& r) {
    // The ayanamsa is held as a negative correction; the caption drops the minus.
    r.AyanamsaCaption = std::string(astro::SubChars(r.AyanamsaText, 1));
    r.AscSignAbbrev = std::string(astro::LastChars(r.AscendantText, 3));
    const int ascSign = SignIndexOf(r.AscSignAbbrev);
    if (ascSign >= 0) r.LagnaName = std::string(LagnaNames[static_cast<std::size_t>(ascSign)]);
    r.NakshatraCaption = r.NakshatraName;
    r.RashiCaption = r.RashiName;
    LookupLordAndPada(r.NakshatraCaption, r.AscSignAbbrev, r.NakshatraLord, r.PadaCaption);
}

// Characters 4..6 of a compact position text: the sign abbreviation.
std::string_view compactSign(std::string_view compact) { return astro::SubChars(compact, 3, 3); }

}  // namespace

std::array<std::string, 12> MakeSignBoxes(const ChartRecord& record) {
    std::array<std::string, 12> boxes;
    const int ascSign = SignIndexOf(record.AscSignAbbrev);
    if (ascSign >= 0) boxes[static_cast<std::size_t>(ascSign)] = "Asc";
    for (std::size_t body = 0; body <= 8; ++body) {
        const int sign = SignIndexOf(compactSign(record.PlanetPositionText[body]));
        if (sign < 0) continue;
        std::string& box = boxes[static_cast<std::size_t>(sign)];
        if (box.empty()) {
            box = record.PlanetNameSanskrit[body];
        } else {
            box += "\r\n";
            box += record.PlanetNameSanskrit[body];
        }
    }
    return boxes;
}

ChartWindowTexts MakeChartWindowTexts(const ChartRecord& record) {
    ChartWindowTexts texts;
    texts.lblAyanamsha = record.AyanamsaCaption;
    texts.lblLagna = record.LagnaName;
    texts.lblNakshatra = record.NakshatraCaption;
    texts.lblRashi = record.RashiCaption;
    texts.lblPada = record.PadaCaption;
    texts.lblLord = record.NakshatraLord;
    texts.Planet = record.PlanetPositionText;
    texts.lblPlanets = MakeSignBoxes(record);
    return texts;
}

ChartHeaderTexts MakeChartHeaderTexts(const ChartRecord& r) {
    const auto number = [](int value) { return std::to_string(value); };
    const std::string month(MonthNameOf(r.BirthMonth));
    ChartHeaderTexts h;
    h.lblName = "Name: " + r.BirthName;
    h.lblDOB = "Date of Birth: " + month + " " + number(r.BirthDay) + ", " + number(r.BirthYear);
    h.lblTOB = "Time of Birth: " + number(r.BirthHour) + " HH " + number(r.BirthMinute) + " MM ";
    h.lblLatitude = "Latitude: " + number(r.LatDegrees) + " Degree " + number(r.LatMinutes) + " Minute";
    h.lblLongitude = "Longitude: " + number(r.LonDegrees) + " Degree " + number(r.LonMinutes) + " Minute";
    h.lblCity = "City: " + r.City;
    h.lblState = "State: " + r.State;
    h.lblCountry = "Country: " + r.Country;
    return h;
}

CalculationOutcome RunCalculation(const BirthFormValues& form, ChartSession& session) {
    CalculationOutcome outcome;
    outcome.problem = ValidateInput(form);
    if (!outcome.problem) outcome.problem = checkListsAndNumbers(form);
    if (outcome.problem) return outcome;

    ChartRecord& r = session.record;
    copyFormIntoRecord(form, r);
    session.zoneListPosition = form.cboTimeZone;

    modVedicPlanetPosition::ComputeChartAngles(r, r);
    modVedicEphemeris::ComputeMoonChart(r, session.moon, r);
    modVedicPlanetPosition::ComputePlanetPositions(r, r, r.MoonPositionText, r);
    modRetrogrades::MarkRetrogrades(r, r.RetroFlags, r.PlanetNameSanskrit);

    deriveCaptions(r);
    outcome.window = MakeChartWindowTexts(r);
    return outcome;
}

}  // namespace app
