#include "velorin-chart/ChartJson.h"

#include <vector>

#include "velorin-chart/Json.h"
#include "app/DivisionalCharts.h"
#include "app/TimeBases.h"

namespace velorin_chart {

namespace {

void birthFields(JsonWriter& json, const app::ChartRecord& r) {
    const astro::BirthData& b = r.birth;
    json.key("BirthName").string(r.BirthName);
    json.key("BirthDay").integer(b.BirthDay).key("BirthMonth").integer(b.BirthMonth);
    json.key("BirthYear").integer(b.BirthYear).key("BirthHour").integer(b.BirthHour);
    json.key("BirthMinute").integer(b.BirthMinute);
    json.key("ZoneHoursAbs").integer(b.ZoneHoursAbs).key("ZoneMinutesAbs").integer(b.ZoneMinutesAbs);
    json.key("ZoneHoursSigned").integer(b.ZoneHoursSigned).key("ZoneMinutesSigned").integer(b.ZoneMinutesSigned);
    json.key("LonDegrees").integer(b.LonDegrees).key("LonMinutes").integer(b.LonMinutes);
    json.key("LatDegrees").integer(b.LatDegrees).key("LatMinutes").integer(b.LatMinutes);
    json.key("IsEast").boolean(b.IsEast).key("IsSouth").boolean(b.IsSouth);
    json.key("IsDaylightSaving").boolean(b.IsDaylightSaving);
    json.key("City").string(r.City).key("State").string(r.State).key("Country").string(r.Country);
}

void chartFields(JsonWriter& json, const app::ChartSession& session) {
    const app::ChartRecord& r = session.record;
    json.key("AyanamsaText").string(r.angles.AyanamsaText);
    json.key("AyanamsaCorrection").number(r.angles.AyanamsaCorrection);
    json.key("AscendantText").string(r.angles.AscendantText).key("MidheavenText").string(r.angles.MidheavenText);
    json.key("MoonPositionText").string(r.moon.MoonPositionText);
    json.key("NakshatraName").string(r.moon.NakshatraName).key("RashiName").string(r.moon.RashiName);
    json.key("PlanetNameEnglish").strings(r.bodies.PlanetNameEnglish);
    json.key("PlanetNameSanskrit").strings(r.bodies.PlanetNameSanskrit);
    json.key("PlanetPositionText").strings(r.bodies.PlanetPositionText);
    json.key("RetroFlags").beginArray();
    for (const bool retrograde : r.RetroFlags) json.boolean(retrograde);
    json.endArray();
    const app::ChartCaptions& c = r.captions;
    json.key("AyanamsaCaption").string(c.AyanamsaCaption).key("AscSignAbbrev").string(c.AscSignAbbrev);
    json.key("LagnaName").string(c.LagnaName).key("NakshatraCaption").string(c.NakshatraCaption);
    json.key("RashiCaption").string(c.RashiCaption).key("NakshatraLord").string(c.NakshatraLord);
    json.key("PadaCaption").string(c.PadaCaption);
    json.key("SignBoxes").strings(app::MakeSignBoxes(r));
    json.key("ZoneListPosition").integer(session.zoneListPosition);
}

void divisionalCharts(JsonWriter& json, const app::ChartRecord& r) {
    json.key("DivisionalCharts").beginObject();
    for (const int division : app::Divisions) {
        const std::array<int, astro::BodyCount> signs = app::DivisionalSigns(division, r);
        json.key("D" + std::to_string(division)).beginObject().key("Signs").beginArray();
        for (const int sign : signs) json.integer(sign);
        json.endArray().key("SignBoxes").strings(app::SignBoxesOf(signs, r.bodies.PlanetNameSanskrit)).endObject();
    }
    json.endObject();
}

// A period: its instants as Julian days (UT) and its dates as the birth's
// own zone has them.
void periodFields(JsonWriter& json, const app::DashaPeriod& period, double clock) {
    json.key("Lord").string(period.Lord);
    json.key("StartJD").number(period.StartJD).key("Start").string(app::DashaCivilDate(period.StartJD, clock));
    json.key("EndJD").number(period.EndJD).key("End").string(app::DashaCivilDate(period.EndJD, clock));
}

void vimshottari(JsonWriter& json, double moon, const app::ChartRecord& r, double yearDays) {
    const double clock = app::DashaClockOffsetDays(r.birth);
    json.key("YearDays").number(yearDays);
    json.key("Vimshottari").beginArray();
    for (const app::DashaPeriod& maha : app::VimshottariDashas(moon, app::BirthJulianDay(r.birth), yearDays)) {
        json.beginObject();
        periodFields(json, maha, clock);
        json.key("Antardasha").beginArray();
        for (const app::DashaPeriod& antar : maha.Antardasha) {
            json.beginObject();
            periodFields(json, antar, clock);
            json.endObject();
        }
        json.endArray().endObject();
    }
    json.endArray();
}

}  // namespace

std::string FormatJson(const app::ChartSession& session, JsonLayout layout, const JsonExtras& extras) {
    const app::ChartRecord& r = session.record;
    std::string out;
    out.reserve(16384);
    JsonWriter json(out);
    json.beginObject(layout == JsonLayout::Indented ? JsonWriter::Layout::Indented : JsonWriter::Layout::OneLine);
    if (extras.line) json.key("Line").integer(static_cast<long long>(*extras.line));
    birthFields(json, r);
    chartFields(json, session);
    // Derived from the chart's sidereal degrees.
    const double moon = r.bodies.SiderealLongitude[astro::BodyIndex(astro::Body::Moon)];
    json.key("MoonPada").integer(app::MoonPada(moon));
    divisionalCharts(json, r);
    const app::TimeBases bases = app::TimeBasesOf(r.birth);
    json.key("AnglesUniversalTime").number(bases.anglesHours).key("PlanetsUniversalTime").number(bases.planetsHours);
    vimshottari(json, moon, r, extras.yearDays);
    if (!extras.place.empty()) json.key("Place").raw(extras.place);
    if (!extras.check.empty()) json.key("Check").raw(extras.check);
    json.endObject();
    out += '\n';
    return out;
}

}  // namespace velorin_chart
