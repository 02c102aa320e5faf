#include "app/ChartTextExport.h"

#include "app/BirthForm.h"

namespace app {

std::array<std::string, ExportLineCount> MakeExportLines(const ChartRecord& r) {
    const auto number = [](int value) { return std::to_string(value); };
    const std::string month(MonthNameOf(r.BirthMonth));

    std::array<std::string, ExportLineCount> lines;
    lines[0] = "Name: " + r.BirthName;
    lines[1] = "Date of Birth: " + month + " " + number(r.BirthDay) + ", " + number(r.BirthYear);
    lines[2] = "Time of Birth: " + number(r.BirthHour) + " Hour " + number(r.BirthMinute) + " Minute";
    lines[3] = "Latitude: " + number(r.LatDegrees) + " Degree " + number(r.LatMinutes) + " Minute ";
    lines[4] = "Longitude: " + number(r.LonDegrees) + " Degree " + number(r.LonMinutes) + " Minute ";
    lines[5] = "City: " + r.City;
    lines[6] = "State: " + r.State;
    lines[7] = "Country: " + r.Country;
    lines[8] = std::string(ExportSeparatorLine);
    lines[9] = "Planetary Position";
    for (std::size_t body = 0; body <= 8; ++body) {
        lines[10 + body] = r.PlanetNameEnglish[body] + " " + r.PlanetPositionText[body];
    }
    lines[19] = std::string(ExportSeparatorLine);
    lines[20] = "Ayanamsa: " + r.AyanamsaCaption;
    lines[21] = "Lagna / Asc: " + r.LagnaName;
    lines[22] = "Nakshatra: " + r.NakshatraCaption;
    lines[23] = "Rashi / Moon Sign: " + r.RashiName;
    lines[24] = "Pada: " + r.PadaCaption;
    lines[25] = "Lord: " + r.NakshatraLord;
    return lines;
}

std::string MakeExportFileText(const ChartRecord& record) {
    std::string text;
    for (const std::string& line : MakeExportLines(record)) {
        text += line;
        text += "\r\n";
    }
    return text;
}

}  // namespace app
