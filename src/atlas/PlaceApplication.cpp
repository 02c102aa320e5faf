#include "atlas/PlaceApplication.h"

#include "app/ZoneTable.h"
#include "astro/DecimalDigits.h"

namespace atlas {

namespace {

// The coordinates the form holds, as decimal degrees (north and east positive).
double formDegrees(const std::string& degrees, const std::string& minutes, bool negative) {
    const int d = astro::ParseDigits(degrees, 1, 3).value_or(0);
    const int m = astro::ParseDigits(minutes, 1, 3).value_or(0);
    return (negative ? -1 : 1) * (d + m / 60.0);
}

}  // namespace

PlaceApplication ApplyPlace(app::BirthFormValues& form, const PlaceRequest& request, const Atlas& data) {
    PlaceApplication result;
    Place& place = result.place;
    const bool fromAtlas = request.chosen || !request.query.empty();
    if (request.chosen) {
        place = *request.chosen;
    } else if (!request.query.empty()) {
        PlaceSearch search = data.FindPlaces(request.query);
        if (search.matches.empty()) {
            result.problem = search.problem;
            return result;
        }
        place = search.matches.front();
        result.others.assign(search.matches.begin() + 1, search.matches.end());
        if (!result.others.empty()) {
            std::string others = "other places called so: ";
            for (std::size_t i = 0; i < result.others.size() && i < 5; ++i) {
                others += (i ? "; " : "") + PlaceLabel(result.others[i]);
            }
            if (result.others.size() > 5) others += "; and " + std::to_string(result.others.size() - 5) + " more";
            result.remarks.push_back(others + " (--place-list lists them; name the state or country to choose)");
        }
    } else {
        place.name = form.txtCity;
        place.state = form.txtState;
        place.country = form.txtCountry;
        place.latitude = formDegrees(form.txtLatDeg, form.txtLatMin, form.optLatSouth);
        place.longitude = formDegrees(form.txtLonDeg, form.txtLonMin, form.optLongWest);
    }
    if (!request.zoneName.empty()) place.timeZone = request.zoneName;

    KeptFields kept = request.kept;
    if (!fromAtlas) kept.latitude = kept.longitude = kept.city = kept.state = kept.country = true;
    result.fill = FillFormFromPlace(form, place, data, kept);
    if (!result.fill.problem.empty()) {
        result.problem = result.fill.problem;
        return result;
    }
    if (result.fill.dateMissing) return result;  // the form's date check says what is wrong

    std::string label = fromAtlas ? PlaceLabel(place) + ": " : std::string();
    label += CoordinateText(form.txtLatDeg, form.txtLatMin, form.optLatSouth ? 'S' : 'N') + " " +
             CoordinateText(form.txtLonDeg, form.txtLonMin, form.optLongWest ? 'W' : 'E') + "; ";
    result.note = label + result.fill.sentence;
    // A zone or daylight saving given by hand: is the chart still for the true instant?
    const int offsetNow = result.fill.converted ? 0 : result.fill.facts.offsetSeconds;
    if ((request.kept.zone || request.kept.daylightSaving) &&
        !IsRightChoice(LocalBirthOf(form), offsetNow, form.cboTimeZone, form.chkDST)) {
        const ZoneChoice& choice = result.fill.choice;
        result.remarks.push_back("as given by hand, " + ZoneRowText(form.cboTimeZone, form.chkDST) +
                                 " does not give the birth's true instant (" + OffsetText(result.fill.facts.offsetSeconds) +
                                 " in " + place.timeZone + "): the Ascendant, Moon or planets are for another time; the atlas chooses " +
                                 ZoneRowText(choice.zonePosition, choice.daylightSaving) +
                                 (choice.universalTimeConversion ? " with the birth converted to universal time" : ""));
    }
    return result;
}

}  // namespace atlas
