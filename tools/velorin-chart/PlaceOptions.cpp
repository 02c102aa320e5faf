#include "velorin-chart/PlaceOptions.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "app/BirthForm.h"
#include "app/ZoneTable.h"
#include "astro/DecimalDigits.h"
#include "atlas/FormLetters.h"
#include "atlas/FormFill.h"
#include "atlas/ZoneChoice.h"
#include "velorin-chart/Json.h"

namespace velorin_chart {

namespace {

std::string coordinateText(const std::string& degrees, const std::string& minutes, char direction) {
    return degrees + ":" + (minutes.size() < 2 ? "0" : "") + minutes + direction;
}

// The coordinates the form holds, as decimal degrees (north and east positive).
double formDegrees(const std::string& degrees, const std::string& minutes, bool negative) {
    const int d = astro::ParseDigits(degrees, 1, 3).value_or(0);
    const int m = astro::ParseDigits(minutes, 1, 3).value_or(0);
    return (negative ? -1 : 1) * (d + m / 60.0);
}

std::string choiceText(int position, bool dst) {
    const std::string_view name = app::ZoneTable[static_cast<std::size_t>(position)].name;
    return "zone " + std::to_string(position) + " " + std::string(name.substr(0, name.find(','))) +
           (dst ? ", daylight saving" : ", no daylight saving");
}

// Degrees to the atlas's own five decimals (about a metre), without trailing zeros.
std::string degreesJson(double degrees) {
    char text[32];
    std::snprintf(text, sizeof text, "%.5f", degrees);
    std::string out = text;
    while (out.back() == '0') out.pop_back();
    if (out.back() == '.') out.pop_back();
    return out == "-0" ? "0" : out;
}

}  // namespace

PlaceOutcome ApplyPlace(ChartOptions& options, const atlas::Atlas& data) {
    PlaceOutcome outcome;
    if (options.placeQuery.empty() && options.timeZoneName.empty()) return outcome;
    app::BirthFormValues& form = options.form;
    const auto byHand = [&](const char* option) { return options.givenByHand.count(option) > 0; };

    atlas::Place place;
    if (!options.placeQuery.empty()) {
        atlas::PlaceSearch search = atlas::FindPlaces(data, options.placeQuery);
        if (search.matches.empty()) {
            outcome.problem = "--place: " + search.problem;
            return outcome;
        }
        place = search.matches.front();
        if (search.matches.size() > 1) {
            std::string others = "other places called so: ";
            for (std::size_t i = 1; i < search.matches.size() && i <= 5; ++i) {
                others += (i > 1 ? "; " : "") + atlas::PlaceLabel(search.matches[i]);
            }
            if (search.matches.size() > 6) others += "; and " + std::to_string(search.matches.size() - 6) + " more";
            outcome.remarks.push_back(others + " (--place-list lists them; name the state or country to choose)");
        }
    } else {
        place.name = form.txtCity;
        place.state = form.txtState;
        place.country = form.txtCountry;
        place.latitude = formDegrees(form.txtLatDeg, form.txtLatMin, form.optLatSouth);
        place.longitude = formDegrees(form.txtLonDeg, form.txtLonMin, form.optLongWest);
    }
    if (!options.timeZoneName.empty()) place.timeZone = options.timeZoneName;

    atlas::KeptFields kept;
    const bool coordinatesByHand = options.placeQuery.empty();
    kept.latitude = coordinatesByHand || byHand("--lat");
    kept.longitude = coordinatesByHand || byHand("--lon");
    kept.city = coordinatesByHand || byHand("--city");
    kept.state = coordinatesByHand || byHand("--state");
    kept.country = coordinatesByHand || byHand("--country");
    kept.zone = byHand("--zone");
    kept.daylightSaving = byHand("--dst");
    const atlas::FormFill fill = atlas::FillFormFromPlace(form, place, data, kept);
    if (!fill.problem.empty()) {
        outcome.problem = (options.timeZoneName.empty() ? "--place: " : "--tz: ") + fill.problem;
        return outcome;
    }
    if (fill.dateMissing) return outcome;  // the form's date check says what is wrong
    const atlas::ZoneChoice& choice = fill.choice;
    const atlas::ZoneFacts& facts = fill.facts;

    std::string label = options.placeQuery.empty() ? std::string() : atlas::PlaceLabel(place) + ": ";
    label += coordinateText(form.txtLatDeg, form.txtLatMin, form.optLatSouth ? 'S' : 'N') + " " +
             coordinateText(form.txtLonDeg, form.txtLonMin, form.optLongWest ? 'W' : 'E') + "; ";
    outcome.note = label + fill.sentence;
    // A zone or daylight saving given by hand: is the chart still for the true instant?
    const int offsetNow = fill.converted ? 0 : facts.offsetSeconds;
    if ((byHand("--zone") || byHand("--dst")) &&
        !atlas::IsRightChoice(atlas::LocalBirthOf(form), offsetNow, form.cboTimeZone, form.chkDST)) {
        outcome.remarks.push_back("as given by hand, " + choiceText(form.cboTimeZone, form.chkDST) +
                                  " does not give the birth's true instant (" + atlas::OffsetText(facts.offsetSeconds) +
                                  " in " + place.timeZone + "): the Ascendant, Moon or planets are for another time; the atlas chooses " +
                                  choiceText(choice.zonePosition, choice.daylightSaving) +
                                  (choice.universalTimeConversion ? " with the birth converted to universal time" : ""));
    }

    std::string note = outcome.note;
    for (const std::string& remark : outcome.remarks) note += ". " + remark;
    JsonWriter json(outcome.json);
    json.beginObject();
    json.key("Name").string(place.name).key("State").string(place.state).key("Country").string(place.country);
    json.key("Latitude").raw(degreesJson(place.latitude)).key("Longitude").raw(degreesJson(place.longitude));
    json.key("TimeZone").string(place.timeZone);
    json.key("UtcOffsetMinutes").number(facts.offsetSeconds / 60.0);
    json.key("DaylightSaving").boolean(facts.daylightSaving);
    // The zone the chart uses (the atlas's unless one was given by hand).
    json.key("ZoneListPosition").integer(form.cboTimeZone);
    json.key("UniversalTimeConversion").boolean(fill.converted);
    json.key("Note").string(note);
    json.endObject();
    return outcome;
}

std::string FormatPlaceList(const ChartOptions& options, const atlas::Atlas& data, std::string& problem) {
    const atlas::PlaceSearch search = atlas::FindPlaces(data, options.placeQuery);
    if (search.matches.empty()) {
        problem = "--place: " + search.problem;
        return {};
    }
    const atlas::LocalBirth birth = atlas::LocalBirthOf(options.form);
    std::string out;
    for (const atlas::Place& place : search.matches) {
        out += atlas::PlaceLabel(place) + ": " + atlas::CoordinatesText(place) + "; " + place.timeZone;
        const atlas::ZoneLookup zone =
            data.ZoneAtLocal(place.timeZone, birth.year, birth.month, birth.day, birth.hour, birth.minute);
        if (zone.problem.empty()) {
            out += " " + atlas::OffsetText(zone.facts.offsetSeconds) + (zone.facts.daylightSaving ? " daylight saving" : "");
        } else {
            out += " (" + zone.problem + ")";
        }
        out += "; " + std::to_string(place.population) + " people\n";
    }
    return out;
}

}  // namespace velorin_chart
