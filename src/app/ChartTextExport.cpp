#include "app/ChartTextExport.h"

#include "app/BirthForm.h"

namespace app {

std::array<std::string, ExportLineCount> MakeExportLines(const ChartRecord& r, const MonthNameTable& monthNames) {
    const auto number = [](int value) { return std::to_string(value); };
    const std::string month = MonthNameIn(monthNames, r.birth.BirthMonth);

    std::array<std::string, ExportLineCount> lines;
    lines[0] = "Name: " + r.BirthName;
    lines[1] = "Date of Birth: " + month + " " + number(r.birth.BirthDay) + ", " + number(r.birth.BirthYear);
    lines[2] = "Time of Birth: " + number(r.birth.BirthHour) + " Hour " + number(r.birth.BirthMinute) + " Minute";
    if (!r.LocalTimeGiven.empty()) lines[2] += " (UT; " + r.LocalTimeGiven + ")";
    lines[3] = "Latitude: " + number(r.birth.LatDegrees) + " Degree " + number(r.birth.LatMinutes) + " Minute ";
    lines[4] = "Longitude: " + number(r.birth.LonDegrees) + " Degree " + number(r.birth.LonMinutes) + " Minute ";
    lines[5] = "City: " + r.City;
    lines[6] = "State: " + r.State;
    lines[7] = "Country: " + r.Country;
    lines[8] = std::string(ExportSeparatorLine);
    lines[9] = "Planetary Position";
    for (std::size_t body = 0; body < astro::PlacedBodyCount; ++body) {
        lines[10 + body] = r.bodies.PlanetNameEnglish[body] + " " + r.bodies.PlanetPositionText[body];
    }
    lines[19] = std::string(ExportSeparatorLine);
    lines[20] = "Ayanamsa: " + r.captions.AyanamsaCaption;
    lines[21] = "Lagna / Asc: " + r.captions.LagnaName;
    lines[22] = "Nakshatra: " + r.captions.NakshatraCaption;
    lines[23] = "Rashi / Moon Sign: " + r.moon.RashiName;
    lines[24] = "Pada: " + r.captions.PadaCaption;
    lines[25] = "Lord: " + r.captions.NakshatraLord;
    return lines;
}

std::string SkyPositionsLine(const ChartRecord& record) {
    return std::string("Positions: the sky at the true birth instant (apparent, Lahiri ayanamsa, ") +
           (record.SkyTrueNode ? "true" : "mean") + " node), not the chart's own rules";
}

std::string MakeExportFileText(const ChartRecord& record, const MonthNameTable& monthNames) {
    std::string text;
    for (const std::string& line : MakeExportLines(record, monthNames)) {
        text += line;
        text += "\r\n";
    }
    if (record.SkyPositions) {
        text += SkyPositionsLine(record);
        text += "\r\n";
    }
    return text;
}

}  // namespace app
