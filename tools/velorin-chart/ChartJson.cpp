#include "velorin-chart/ChartJson.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <string_view>
#include <vector>

#include "velorin-chart/Json.h"
#include "app/DivisionalCharts.h"
#include "app/TimeBases.h"

namespace velorin_chart {

namespace {

// The bodies' names as they stand inside a JSON string, escaped once for
// the eight sets of sign boxes of a line.
using JsonNames = std::array<std::string, astro::BodyCount>;
JsonNames jsonNames(const std::array<std::string, astro::BodyCount>& names) {
    JsonNames escaped;
    for (std::size_t body = 0; body < names.size(); ++body) AppendJsonStringContent(escaped[body], names[body]);
    return escaped;
}

// The twelve sign boxes of a chart's signs, each the names of the bodies in
// the sign (the Ascendant first) with CR LF between them, as SignBoxesOf makes
// them, written without making the texts first.
void signBoxes(JsonWriter& json, const std::array<int, astro::BodyCount>& signs, const JsonNames& names) {
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
            out += names[body];
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

void chartFields(JsonWriter& json, const app::ChartSession& session, const JsonNames& names) {
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
    signBoxes(json, app::RashiSigns(r), names);
    json.key("ZoneListPosition").integer(session.zoneListPosition);
}

void divisionalCharts(JsonWriter& json, const app::ChartRecord& r, const JsonNames& names) {
    json.key("DivisionalCharts").beginObject();
    for (const int division : app::Divisions) {
        const std::array<int, astro::BodyCount> signs = app::DivisionalSigns(division, r);
        char key[8] = "D";
        const char* const keyEnd = std::to_chars(key + 1, key + sizeof key, division).ptr;
        std::string& out = json.key(std::string_view(key, static_cast<std::size_t>(keyEnd - key))).beginObject().key("Signs").rawValue();
        // The signs -1..11, written as the writer's one-line array would be.
        out += '[';
        for (std::size_t body = 0; body < signs.size(); ++body) {
            if (body != 0) out += ", ";
            char number[4];
            out.append(number, std::to_chars(number, number + sizeof number, signs[body]).ptr);
        }
        out += ']';
        json.key("SignBoxes");
        signBoxes(json, signs, names);
        json.endObject();
    }
    json.endObject();
}

// The texts of a period's boundary: its Julian day (UT) and its civil date
// as the birth's own zone has it. A period starts where another ends, so
// boundaries are kept rather than written afresh: the last two, and the end
// of the period whose sub-periods are being written, which the last of them
// ends at too (90 periods share 83 boundaries).
class BoundaryTexts {
public:
    explicit BoundaryTexts(const app::DashaInstant& birth) : birth_(birth) {}
    struct Texts {
        double julianDay = 0;
        std::size_t numberSize = 0, dateSize = 0;  // 0: nothing kept yet
        std::array<char, JsonNumberRoom> number;
        std::array<char, app::CalendarDateRoom> dateText;
    };
    // `outer`: the end of a period with sub-periods, kept until they are written.
    const Texts& of(double julianDay, bool outer = false) {
        for (const Texts& kept : kept_) {
            if (kept.numberSize != 0 && kept.julianDay == julianDay) return kept;
        }
        Texts& fresh = outer ? kept_[2] : kept_[next_];
        if (!outer) next_ = 1 - next_;
        fresh.julianDay = julianDay;
        fresh.numberSize = static_cast<std::size_t>(WriteJsonNumber(fresh.number.data(), julianDay) - fresh.number.data());
        fresh.dateSize = static_cast<std::size_t>(
            app::WriteDashaCivilDate(julianDay, birth_, fresh.dateText.data()) - fresh.dateText.data());
        return fresh;
    }

private:
    app::DashaInstant birth_;
    std::array<Texts, 3> kept_;  // the last two, and the outer period's end
    std::size_t next_ = 0;
};

// The longest name of a lord.
constexpr std::size_t LongestLord = [] {
    std::size_t longest = 0;
    for (const app::DashaLord& lord : app::DashaLords) longest = std::max(longest, std::char_traits<char>::length(lord.name));
    return longest;
}();

// The room a period's fields take at most: a separator, the keys and quotes,
// the lord, two numbers and two dates in their full rooms, and what follows.
constexpr std::size_t PeriodRoom = sizeof ", " + sizeof "{\"Lord\": \"" + LongestLord + sizeof "\", \"StartJD\": " +
                                   sizeof ", \"Start\": \"" + sizeof "\", \"EndJD\": " + sizeof ", \"End\": \"" +
                                   sizeof "\"" + sizeof ", \"Antardasha\": [" +
                                   2 * (JsonNumberRoom + std::tuple_size_v<decltype(BoundaryTexts::Texts::dateText)>);

// A period's fields, written at `at` (PeriodRoom of room) with what comes
// before and after them: the same bytes as the writer's one-line objects.
// Lords and dates are plain letters and digits, which JSON takes as they
// are. The pieces of known size are copied whole (the numbers and dates from
// their full rooms, the end overwritten by what follows): a call of the
// library's copy for every few bytes would cost more than the bytes.
template <std::size_t AfterSize>
char* writePeriodFields(char* at, bool afterAnother, const app::DashaSpan& period, bool outer, BoundaryTexts& boundaries,
                        const char (&after)[AfterSize]) {
    using Texts = BoundaryTexts::Texts;
    const auto literal = [&at](const auto& text) {
        std::memcpy(at, text, sizeof text - 1);
        at += sizeof text - 1;
    };
    const auto whole = [&at](const auto& room, std::size_t size) {  // the room is copied, `size` of it kept
        std::memcpy(at, room.data(), room.size());
        at += size;
    };
    if (afterAnother) literal(", ");
    literal("{\"Lord\": \"");
    for (const char* c = app::DashaLords[period.lord].name; *c != 0; ++c) *at++ = *c;  // a few letters
    const Texts& start = boundaries.of(period.StartJD);
    literal("\", \"StartJD\": ");
    whole(start.number, start.numberSize);
    literal(", \"Start\": \"");
    whole(start.dateText, start.dateSize);
    const Texts& end = boundaries.of(period.EndJD, outer);
    literal("\", \"EndJD\": ");
    whole(end.number, end.numberSize);
    literal(", \"End\": \"");
    whole(end.dateText, end.dateSize);
    literal("\"");
    literal(after);
    return at;
}

// The 90 periods are written in place, in the room made for them at once.
void vimshottari(JsonWriter& json, double moon, const app::ChartRecord& r, double yearDays) {
    const app::DashaInstant birth = app::DashaInstantOf(r);
    BoundaryTexts boundaries(birth);
    json.key("YearDays").number(yearDays);
    std::string& text = json.key("Vimshottari").rawValue();
    const app::VimshottariSpans spans = app::VimshottariPeriods(moon, birth.julianDay, yearDays);
    constexpr std::size_t room = 1 + 9 * (10 * PeriodRoom + 2) + 1;  // [ ... ]: nine of a period, its nine and ]}
    const std::size_t old = text.size();
    text.resize(old + room);
    char* at = text.data() + old;
    *at++ = '[';
    for (std::size_t k = 0; k < spans.maha.size(); ++k) {
        at = writePeriodFields(at, k != 0, spans.maha[k], true, boundaries, ", \"Antardasha\": [");
        for (std::size_t j = 0; j < spans.antar[k].size(); ++j) {
            at = writePeriodFields(at, j != 0, spans.antar[k][j], false, boundaries, "}");
        }
        *at++ = ']';
        *at++ = '}';
    }
    *at++ = ']';
    text.resize(static_cast<std::size_t>(at - text.data()));
}

}  // namespace

std::string FormatJson(const app::ChartSession& session, JsonLayout layout, const JsonExtras& extras) {
    std::string out;
    out.reserve(16384);
    AppendJson(out, session, layout, extras);
    return out;
}

void AppendJson(std::string& out, const app::ChartSession& session, JsonLayout layout, const JsonExtras& extras) {
    const app::ChartRecord& r = session.record;
    JsonWriter json(out);
    json.beginObject(layout == JsonLayout::Indented ? JsonWriter::Layout::Indented : JsonWriter::Layout::OneLine);
    if (extras.line) json.key("Line").integer(static_cast<long long>(*extras.line));
    birthFields(json, r);
    const JsonNames names = jsonNames(r.bodies.PlanetNameSanskrit);
    chartFields(json, session, names);
    // Derived from the chart's sidereal degrees.
    const double moon = r.bodies.SiderealLongitude[astro::BodyIndex(astro::Body::Moon)];
    json.key("MoonPada").integer(app::MoonPada(moon));
    if (extras.vargas) divisionalCharts(json, r, names);
    const app::TimeBases bases = app::TimeBasesOf(r.birth);
    json.key("AnglesUniversalTime").number(bases.anglesHours).key("PlanetsUniversalTime").number(bases.planetsHours);
    if (extras.dasha) vimshottari(json, moon, r, extras.yearDays);
    if (!extras.place.empty()) json.key("Place").raw(extras.place);
    if (!extras.panchanga.empty()) json.key("Panchanga").raw(extras.panchanga);
    if (!extras.check.empty()) json.key("Check").raw(extras.check);
    json.endObject();
    out += '\n';
}

}  // namespace velorin_chart
