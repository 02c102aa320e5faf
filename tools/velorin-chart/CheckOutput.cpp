#include "CheckOutput.h"

#include <cstdio>

#include "ChartOutput.h"
#include "app/ZoneTable.h"
#include "astro/MoonChart.h"
#include "astro/PositionText.h"
#include "astro/Utf8Text.h"

namespace velorin_chart {

namespace {

std::string optionalNumber(const std::optional<double>& value) { return value ? JsonNumber(*value) : "null"; }

std::string signName(int sign) { return std::string(app::SignAbbrev[static_cast<std::size_t>(sign)]); }

std::string nakshatraName(int nakshatra) {
    return std::string(modVedicEphemeris::NakshatraNames[static_cast<std::size_t>(nakshatra)]);
}

std::string padded(std::string text, std::size_t width) {
    // Widths count characters: the degree mark is two bytes.
    const std::size_t shown = astro::CharCount(text);
    if (shown < width) text.append(width - shown, ' ');
    return text;
}

}  // namespace

std::string CheckJson(const sky::ChartCheck& check) {
    std::string out = "{\"Instant\": " + JsonString(check.instant) + ", \"DeltaTSeconds\": " +
                      JsonNumber(check.deltaTSeconds) + ", \"Ayanamsa\": " + JsonNumber(check.ayanamsa) +
                      ", \"Bodies\": [";
    for (std::size_t b = 0; b < check.bodies.size(); ++b) {
        const sky::BodyCheck& body = check.bodies[b];
        if (b) out += ", ";
        const bool known = body.skyLongitude.has_value();
        out += "{\"Name\": " + JsonString(body.name) + ", \"SkyLongitude\": " + optionalNumber(body.skyLongitude) +
               ", \"ChartLongitude\": " + JsonNumber(body.chartLongitude) +
               ", \"DifferenceArcmin\": " + optionalNumber(body.differenceArcmin) +
               ", \"SkySign\": " + (known ? JsonString(signName(*body.skySign)) : "null") +
               ", \"SignDiffers\": " + (known ? (body.signDiffers ? "true" : "false") : "null") +
               ", \"SkyNakshatra\": " + (known ? JsonString(nakshatraName(*body.skyNakshatra)) : "null") +
               ", \"NakshatraDiffers\": " + (known ? (body.nakshatraDiffers ? "true" : "false") : "null") + "}";
    }
    out += "], \"Notes\": [";
    for (std::size_t n = 0; n < check.notes.size(); ++n) {
        if (n) out += ", ";
        out += JsonString(check.notes[n]);
    }
    out += "]}";
    return out;
}

std::string FormatCheck(const sky::ChartCheck& check) {
    char line[160];
    std::snprintf(line, sizeof line, "delta T %.1f s, Lahiri ayanamsa %s", check.deltaTSeconds,
                  modVedicPlanetPosition::FormatSignedAngle(check.ayanamsa).c_str());
    std::string out = "\nThe chart beside the sky at " + check.instant + " (" + line + "):\n";
    out += padded("", 11) + padded("Chart", 17) + padded("Sky", 17) + padded("Chart - sky", 13) + "Sky nakshatra\n";
    for (const sky::BodyCheck& body : check.bodies) {
        out += padded(body.name, 11) + padded(modVedicPlanetPosition::FormatSignPosition(body.chartLongitude), 17);
        if (!body.skyLongitude) {
            out += "none here\n";
            continue;
        }
        std::snprintf(line, sizeof line, "%+.1f'", *body.differenceArcmin);
        out += padded(modVedicPlanetPosition::FormatSignPosition(*body.skyLongitude), 17) + padded(line, 13) +
               nakshatraName(*body.skyNakshatra);
        if (body.signDiffers) out += "  (another sign)";
        else if (body.nakshatraDiffers) out += "  (another nakshatra)";
        out += '\n';
    }
    for (const std::string& note : check.notes) out += "- " + note + "\n";
    return out;
}

}  // namespace velorin_chart
