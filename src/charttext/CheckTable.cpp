#include "charttext/CheckTable.h"

#include <cstdio>

#include "astro/MoonChart.h"
#include "astro/PositionText.h"
#include "charttext/TextLayout.h"

namespace charttext {

namespace {

std::string nakshatraName(int nakshatra) {
    return std::string(modVedicEphemeris::NakshatraNames[static_cast<std::size_t>(nakshatra)]);
}

}  // namespace

std::string FormatCheck(const sky::ChartCheck& check) {
    char line[160];
    std::snprintf(line, sizeof line, "delta T %.1f s, Lahiri ayanamsa %s", check.deltaTSeconds,
                  modVedicPlanetPosition::FormatSignedAngle(check.ayanamsa).c_str());
    std::string out = "\nThe chart beside the sky at " + check.instant + " (" + line + "):\n";
    out += PadRight("", 11) + PadRight("Chart", 17) + PadRight("Sky", 17) + PadRight("Chart - sky", 13) + "Sky nakshatra\n";
    for (const sky::BodyCheck& body : check.bodies) {
        out += PadRight(body.name, 11) + PadRight(modVedicPlanetPosition::FormatSignPosition(body.chartLongitude), 17);
        if (!body.skyLongitude) {
            out += "none here\n";
            continue;
        }
        std::snprintf(line, sizeof line, "%+.1f'", *body.differenceArcmin);
        out += PadRight(modVedicPlanetPosition::FormatSignPosition(*body.skyLongitude), 17) + PadRight(line, 13) +
               nakshatraName(*body.skyNakshatra);
        if (body.signDiffers) out += "  (another sign)";
        else if (body.nakshatraDiffers) out += "  (another nakshatra)";
        out += '\n';
    }
    for (const std::string& note : check.notes) out += "- " + note + "\n";
    return out;
}

}  // namespace charttext
