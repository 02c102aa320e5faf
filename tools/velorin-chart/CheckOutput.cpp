#include "velorin-chart/CheckOutput.h"

#include "velorin-chart/Json.h"
#include "app/ZoneTable.h"
#include "astro/MoonChart.h"

namespace velorin_chart {

namespace {

std::string signName(int sign) { return std::string(app::SignAbbrev[static_cast<std::size_t>(sign)]); }

std::string nakshatraName(int nakshatra) {
    return std::string(modVedicEphemeris::NakshatraNames[static_cast<std::size_t>(nakshatra)]);
}

}  // namespace

std::string CheckJson(const sky::ChartCheck& check) {
    std::string out;
    JsonWriter json(out);
    json.beginObject().key("Instant").string(check.instant).key("DeltaTSeconds").number(check.deltaTSeconds);
    json.key("Ayanamsa").number(check.ayanamsa).key("Bodies").beginArray();
    for (const sky::BodyCheck& body : check.bodies) {
        // The sky has no value for an Ascendant beyond the poles: null there.
        const bool known = body.skyLongitude.has_value();
        json.beginObject().key("Name").string(body.name).key("SkyLongitude");
        known ? json.number(*body.skyLongitude) : json.null();
        json.key("ChartLongitude").number(body.chartLongitude).key("DifferenceArcmin");
        known ? json.number(*body.differenceArcmin) : json.null();
        json.key("SkySign");
        known ? json.string(signName(*body.skySign)) : json.null();
        json.key("SignDiffers");
        known ? json.boolean(body.signDiffers) : json.null();
        json.key("SkyNakshatra");
        known ? json.string(nakshatraName(*body.skyNakshatra)) : json.null();
        json.key("NakshatraDiffers");
        known ? json.boolean(body.nakshatraDiffers) : json.null();
        json.endObject();
    }
    json.endArray().key("Notes").strings(check.notes).endObject();
    return out;
}

}  // namespace velorin_chart
