#include "velorin-chart/ChartJson.h"

#include <array>
#include <vector>

#include "velorin-chart/Json.h"
#include "app/DivisionalCharts.h"
#include "app/TimeBases.h"

namespace velorin_chart {

namespace {

// The twelve sign boxes of a chart's signs, each the names of the bodies in
// the sign (the Ascendant first) with CR LF between them, as SignBoxesOf makes
// them, written without making the texts first.
void signBoxes(JsonWriter& json, const std::array<int, astro::BodyCount>& signs,
               const std::array<std::string, astro::BodyCount>& names) {
    std::string& out = json.rawValue();
    out += '[';
    const int ascendant = signs[astro::BodyIndex(astro::Body::Ascendant)];
    for (int sign = 0; sign < 12; ++sign) {
        out += sign == 0 ? "\"" : ", \"";
        bool first = true;
        if (ascendant == sign) {
            out += "Asc";
            first = false;
        }
        for (std::size_t body = 0; body < astro::PlacedBodyCount; ++body) {
            if (signs[body] != sign) continue;
            if (!first) out += "\\r\\n";
            first = false;
            AppendJsonStringContent(out, names[body]);
        }
        out += '"';
    }
    out += ']';
}

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
    json.key("Positions").string(r.SkyPositions ? "sky" : "chart");
    if (r.SkyPositions) json.key("Node").string(r.SkyTrueNode ? "true" : "mean");
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
    json.key("SignBoxes");
    signBoxes(json, app::RashiSigns(r), r.bodies.PlanetNameSanskrit);
    json.key("ZoneListPosition").integer(session.zoneListPosition);
}

void divisionalCharts(JsonWriter& json, const app::ChartRecord& r) {
    json.key("DivisionalCharts").beginObject();
    for (const int division : app::Divisions) {
        const std::array<int, astro::BodyCount> signs = app::DivisionalSigns(division, r);
        json.key("D" + std::to_string(division)).beginObject().key("Signs").beginArray();
        for (const int sign : signs) json.integer(sign);
        json.endArray().key("SignBoxes");
        signBoxes(json, signs, r.bodies.PlanetNameSanskrit);
        json.endObject();
    }
    json.endObject();
}

// The texts of a period's boundary: its Julian day (UT) and its civil date
// as the birth's own zone has it. A period starts where another ends, so the
// last two boundaries are kept rather than written afresh (90 periods share
// about 90 boundaries).
class BoundaryTexts {
public:
    explicit BoundaryTexts(double clock) : clock_(clock) {}
    struct Texts {
        double julianDay = 0;
        std::string number, date;
    };
    const Texts& of(double julianDay) {
        for (const Texts& kept : kept_) {
            if (!kept.number.empty() && kept.julianDay == julianDay) return kept;
        }
        Texts& fresh = kept_[next_];
        next_ = 1 - next_;
        fresh.julianDay = julianDay;
        fresh.number.clear();  // its room is used again
        AppendJsonNumber(fresh.number, julianDay);
        fresh.date = app::DashaCivilDate(julianDay, clock_);
        return fresh;
    }

private:
    double clock_;
    std::array<Texts, 2> kept_;
    std::size_t next_ = 0;
};

// A period's fields, written straight into the text (a batch line holds 90
// periods): the same bytes as the writer's one-line objects. Lords and
// dates are plain letters and digits, which JSON takes as they are.
void appendPeriodFields(std::string& out, const app::DashaPeriod& period, BoundaryTexts& boundaries) {
    out += "{\"Lord\": \"";
    out += period.Lord;
    out += '"';
    for (const auto& [name, julianDay] : {std::pair{"Start", period.StartJD}, std::pair{"End", period.EndJD}}) {
        const BoundaryTexts::Texts& boundary = boundaries.of(julianDay);
        out += ", \"";
        out += name;
        out += "JD\": ";
        out += boundary.number;
        out += ", \"";
        out += name;
        out += "\": \"";
        out += boundary.date;
        out += '"';
    }
}

void vimshottari(JsonWriter& json, double moon, const app::ChartRecord& r, double yearDays) {
    BoundaryTexts boundaries(app::DashaClockOffsetDays(r));
    json.key("YearDays").number(yearDays);
    std::string& text = json.key("Vimshottari").rawValue();
    text += '[';
    bool firstMaha = true;
    for (const app::DashaPeriod& maha : app::VimshottariDashas(moon, app::DashaJulianDay(r), yearDays)) {
        if (!firstMaha) text += ", ";
        firstMaha = false;
        appendPeriodFields(text, maha, boundaries);
        text += ", \"Antardasha\": [";
        bool firstAntar = true;
        for (const app::DashaPeriod& antar : maha.Antardasha) {
            if (!firstAntar) text += ", ";
            firstAntar = false;
            appendPeriodFields(text, antar, boundaries);
            text += '}';
        }
        text += "]}";
    }
    text += ']';
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
    if (extras.vargas) divisionalCharts(json, r);
    const app::TimeBases bases = app::TimeBasesOf(r.birth);
    json.key("AnglesUniversalTime").number(bases.anglesHours).key("PlanetsUniversalTime").number(bases.planetsHours);
    if (extras.dasha) vimshottari(json, moon, r, extras.yearDays);
    if (!extras.place.empty()) json.key("Place").raw(extras.place);
    if (!extras.check.empty()) json.key("Check").raw(extras.check);
    json.endObject();
    out += '\n';
    return out;
}

}  // namespace velorin_chart
