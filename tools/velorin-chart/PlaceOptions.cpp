#include "velorin-chart/PlaceOptions.h"

#include <cstdio>

#include "astro/DecimalDigits.h"
#include "atlas/FormFill.h"
#include "atlas/PlaceApplication.h"
#include "atlas/ZoneChoice.h"
#include "velorin-chart/Json.h"

namespace velorin_chart {

namespace {

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
    const auto byHand = [&](const char* option) { return options.givenByHand.count(option) > 0; };
    atlas::PlaceRequest request;
    request.query = options.placeQuery;
    request.zoneName = options.timeZoneName;
    request.kept = {byHand("--lat"), byHand("--lon"), byHand("--city"), byHand("--state"),
                    byHand("--country"), byHand("--zone"), byHand("--dst")};
    const app::BirthFormValues given = options.form;  // the date and time as the client gave them
    const atlas::PlaceApplication applied = atlas::ApplyPlace(options.form, request, data);
    if (!applied.problem.empty()) {
        outcome.problem = (options.placeQuery.empty() ? "--tz: " : "--place: ") + applied.problem;
        return outcome;
    }
    if (applied.fill.dateMissing) return outcome;  // the form's date check says what is wrong
    outcome.note = applied.note;
    outcome.remarks = applied.remarks;
    const std::string clock = astro::ClockText(given.cboHour, given.cboMinute);
    if (applied.fill.converted) {
        outcome.localTimeGiven = clock + " local, " + applied.place.timeZone + " " +
                                 atlas::OffsetText(applied.fill.facts.offsetSeconds);
    }

    const atlas::Place& place = applied.place;
    std::string note = outcome.note;
    for (const std::string& remark : outcome.remarks) note += ". " + remark;
    JsonWriter json(outcome.json);
    json.beginObject();
    json.key("Name").string(place.name).key("State").string(place.state).key("Country").string(place.country);
    json.key("Latitude").raw(degreesJson(place.latitude)).key("Longitude").raw(degreesJson(place.longitude));
    json.key("TimeZone").string(place.timeZone);
    json.key("UtcOffsetMinutes").number(applied.fill.facts.offsetSeconds / 60.0);
    json.key("DaylightSaving").boolean(applied.fill.facts.daylightSaving);
    // The zone the chart uses (the atlas's unless one was given by hand).
    json.key("ZoneListPosition").integer(options.form.cboTimeZone);
    json.key("UniversalTimeConversion").boolean(applied.fill.converted);
    // The birth's own clock, as given (the chart's date and time are universal time after a conversion).
    json.key("LocalDate")
        .string(std::to_string(app::FirstListYear + given.cboYear) + "-" + astro::TwoDigits(given.cboMonth + 1) + "-" +
                astro::TwoDigits(given.cboDate + 1))
        .key("LocalTime")
        .string(clock);
    json.key("Note").string(note);
    json.endObject();
    return outcome;
}

std::string FormatPlaceList(const ChartOptions& options, const atlas::Atlas& data, std::string& problem) {
    const atlas::PlaceSearch search = data.FindPlaces(options.placeQuery);
    if (search.matches.empty()) {
        problem = "--place: " + search.problem;
        return {};
    }
    const atlas::LocalBirth birth = atlas::LocalBirthOf(options.form);
    std::string out;
    for (const atlas::Place& place : search.matches) {
        out += atlas::PlaceLabel(place) + ": " + atlas::CoordinatesText(place) + "; " + place.timeZone;
        const atlas::ZoneLookup zone = data.ZoneAtLocal(place.timeZone, birth.clock());
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
