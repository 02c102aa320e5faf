#include "atlas/FormFill.h"

#include <cmath>

#include "astro/DecimalDigits.h"

namespace atlas {

LocalBirth LocalBirthOf(const app::BirthFormValues& form) {
    LocalBirth birth;
    birth.date = std::chrono::year{app::FirstListYear + form.cboYear} /
                 std::chrono::month{static_cast<unsigned>(form.cboMonth + 1)} /
                 std::chrono::day{static_cast<unsigned>(form.cboDate + 1)};
    birth.time = std::chrono::hours{form.cboHour} + std::chrono::minutes{form.cboMinute};
    birth.lonDegrees = astro::ParseDigits(form.txtLonDeg, 1, 3).value_or(0);
    birth.lonMinutes = astro::ParseDigits(form.txtLonMin, 1, 3).value_or(0);
    birth.east = form.optLongEast;
    return birth;
}

void FillCoordinate(double degrees, std::string& whole, std::string& minutes, bool& positive, bool& negative) {
    const long long total = std::llround(std::fabs(degrees) * 60.0);
    whole = std::to_string(total / 60);
    minutes = std::to_string(total % 60);
    positive = degrees >= 0 || total == 0;
    negative = !positive;
}

std::string CoordinateText(const std::string& degrees, const std::string& minutes, char direction) {
    return degrees + ":" + (minutes.size() < 2 ? "0" : "") + minutes + direction;
}

std::string CoordinatesText(const Place& place) {
    std::string latDeg, latMin, lonDeg, lonMin;
    bool north = true, south = false, east = true, west = false;
    FillCoordinate(place.latitude, latDeg, latMin, north, south);
    FillCoordinate(place.longitude, lonDeg, lonMin, east, west);
    return CoordinateText(latDeg, latMin, south ? 'S' : 'N') + " " + CoordinateText(lonDeg, lonMin, west ? 'W' : 'E');
}

FormFill FillFormFromPlace(app::BirthFormValues& form, const Place& place, const Atlas& data, const KeptFields& kept) {
    app::BirthFormValues filled = form;
    if (!kept.latitude) FillCoordinate(place.latitude, filled.txtLatDeg, filled.txtLatMin, filled.optLatNorth, filled.optLatSouth);
    if (!kept.longitude) FillCoordinate(place.longitude, filled.txtLonDeg, filled.txtLonMin, filled.optLongEast, filled.optLongWest);
    // The atlas's names in the form's letters (a place made elsewhere has only its own).
    const auto letters = [](const std::string& atlasForm, const std::string& name) {
        return atlasForm.empty() ? name : atlasForm;
    };
    if (!kept.city) filled.txtCity = letters(place.formName, place.name);
    if (!kept.state) filled.txtState = letters(place.formState, place.state);
    if (!kept.country) filled.txtCountry = letters(place.formCountry, place.country);

    FormFill fill;
    if (app::DateRuleCheck(filled.cboMonth, filled.cboDate, app::FirstListYear + filled.cboYear) != 0) {
        fill.dateMissing = true;
        form = filled;
        return fill;
    }
    // The zone row depends on the side of Greenwich of the longitude charted.
    const LocalBirth birth = LocalBirthOf(filled);
    const ZoneLookup zone = data.ZoneAtLocal(place.timeZone, birth.clock());
    if (!zone.problem.empty()) {
        fill.problem = zone.problem;
        return fill;
    }
    fill.facts = zone.facts;
    fill.repeated = zone.repeated;
    fill.choice = ChooseZone(birth, zone.facts);
    // A conversion out of range matters only when it would be made.
    if (!fill.choice.problem.empty() && !kept.zone) {
        fill.problem = fill.choice.problem;
        return fill;
    }
    if (!kept.zone) filled.cboTimeZone = fill.choice.zonePosition;
    // The atlas's daylight saving goes with its row: with a row kept,
    // daylight saving is as the user set it.
    if (!kept.daylightSaving) filled.chkDST = !kept.zone && fill.choice.daylightSaving;
    fill.converted = fill.choice.universalTimeConversion && !kept.zone;
    if (fill.converted) {
        const astro::CivilParts entered = astro::PartsOf(fill.choice.clock);
        filled.cboYear = astro::YearOf(entered.date) - app::FirstListYear;
        filled.cboMonth = astro::MonthOf(entered.date) - 1;
        filled.cboDate = astro::DayOf(entered.date) - 1;
        filled.cboHour = static_cast<int>(entered.time.hours().count());
        filled.cboMinute = static_cast<int>(entered.time.minutes().count());
    }
    fill.sentence = place.timeZone + " " +
                    (kept.zone ? GivenZoneSentence(birth, zone.facts, filled.cboTimeZone, filled.chkDST)
                               : ChoiceSentence(birth, zone.facts, fill.choice));
    if (zone.repeated) fill.sentence += "; that time happened twice (the clocks went back), the first is taken";
    form = filled;
    return fill;
}

}  // namespace atlas
