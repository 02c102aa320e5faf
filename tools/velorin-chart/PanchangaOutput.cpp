#include "velorin-chart/PanchangaOutput.h"

#include <charconv>
#include <string_view>

#include "astro/MoonChart.h"
#include "velorin-chart/Json.h"

namespace velorin_chart {

std::string PanchangaJson(const sky::Panchanga& p) {
    std::string out;
    JsonWriter json(out);
    const auto when = [&p](double t) { return sky::ClockText(t, p.clockOffsetDays); };
    const auto time = [&](const std::optional<double>& t) -> JsonWriter& { return t ? json.string(when(*t)) : json.null(); };
    json.beginObject().key("Positions").string(p.positions == sky::PanchangaPositions::Sky ? "sky" : "chart");
    json.key("Sunrise");
    time(p.sun.sunrise);
    json.key("Sunset");
    time(p.sun.sunset);
    json.key("Tithi").beginObject().key("Number").integer(p.tithi).key("Name").string(sky::TithiName(p.tithi));
    json.key("Paksha").string(sky::PakshaName(p.tithi));
    // Four decimals, written as they are in every locale.
    char elapsed[16];
    const char* end = std::to_chars(elapsed, elapsed + sizeof elapsed, p.tithiElapsed, std::chars_format::fixed, 4).ptr;
    json.key("Elapsed").raw(std::string_view(elapsed, static_cast<std::size_t>(end - elapsed)));
    json.key("Ends").string(when(p.tithiEnds)).endObject();
    json.key("Vara").beginObject().key("Number").integer(p.vara);
    json.key("Name").string(sky::VaraNames[static_cast<std::size_t>(p.vara - 1)]).endObject();
    json.key("Nakshatra").beginObject().key("Number").integer(p.nakshatra);
    json.key("Name").string(modVedicEphemeris::NakshatraNames[static_cast<std::size_t>(p.nakshatra - 1)]);
    json.key("Pada").integer(p.pada).key("Ends").string(when(p.nakshatraEnds)).endObject();
    json.key("Yoga").beginObject().key("Number").integer(p.yoga);
    json.key("Name").string(sky::YogaNames[static_cast<std::size_t>(p.yoga - 1)]);
    json.key("Ends").string(when(p.yogaEnds)).endObject();
    json.key("Karana").beginObject().key("Number").integer(p.karana).key("Name").string(sky::KaranaName(p.karana));
    json.key("Ends").string(when(p.karanaEnds)).endObject();
    json.endObject();
    return out;
}

std::string PanchangaText(const sky::Panchanga& panchanga) {
    std::string text = "\n";
    for (const std::string& line : sky::PanchangaLines(panchanga)) text += line + "\n";
    return text;
}

}  // namespace velorin_chart
