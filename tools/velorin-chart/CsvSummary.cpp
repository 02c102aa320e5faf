// The summary table a batch writes with --format csv: a row a line.
#include <string>

#include "app/DivisionalCharts.h"
#include "astro/DecimalDigits.h"
#include "charttext/VedicDetails.h"
#include "velorin-chart/Batch.h"

namespace velorin_chart {

namespace {

// A cell as RFC 4180 writes it, a text a spreadsheet could take for a
// formula made plain text.
void appendCell(std::string& out, std::string_view text, bool first = false, bool guarded = true) {
    if (!first) out += ',';
    std::string cell;
    if (guarded && !text.empty() && (text.front() == '=' || text.front() == '+' || text.front() == '-' || text.front() == '@' ||
                          text.front() == '\t' || text.front() == '\r')) {
        cell += '\'';
    }
    cell += text;
    if (cell.find_first_of(",\"\r\n") == std::string::npos) {
        out += cell;
        return;
    }
    out += '"';
    for (const char c : cell) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

}  // namespace

std::string AnswerOfError(const LineSettings& settings, std::size_t lineNumber, const std::string& error, int status) {
    if (!settings.csvSummary) return ErrorLine(lineNumber, error, status);
    std::string out;
    appendCell(out, std::to_string(lineNumber), true);
    for (int i = 0; i < 11; ++i) out += ',';
    appendCell(out, error, false, false);  // the program's own words ("--time: is required")
    out += "\r\n";
    return out;
}

void AppendCsvSummaryRow(std::string& out, std::size_t lineNumber, const app::ChartRecord& record) {
    const astro::BirthData& b = record.birth;
    const charttext::VedicDetails details =
        charttext::MakeVedicDetails(record, app::DashaInstantOf(record).julianDay, app::DaysPerYear, false);
    const charttext::BodyDetail& lagna = details.rows.at(0);
    const charttext::BodyDetail& moon = details.rows.at(1 + astro::BodyIndex(astro::Body::Moon));
    std::string time = astro::ClockText(b.BirthHour, b.BirthMinute);
    if (!record.LocalTimeGiven.empty()) time += " UT (" + record.LocalTimeGiven + ")";
    std::string place = record.City;
    for (const std::string* part : {&record.State, &record.Country}) {
        if (!part->empty()) place += (place.empty() ? "" : ", ") + *part;
    }
    const app::DashaBalance& balance = details.balance;
    appendCell(out, std::to_string(lineNumber), true);
    appendCell(out, record.BirthName);
    appendCell(out, std::to_string(b.BirthYear) + "-" + astro::TwoDigits(b.BirthMonth) + "-" + astro::TwoDigits(b.BirthDay));
    appendCell(out, time);
    appendCell(out, place);
    appendCell(out, lagna.sign);
    appendCell(out, lagna.degrees);
    appendCell(out, record.moon.RashiName);
    appendCell(out, moon.nakshatra);
    appendCell(out, std::to_string(details.moonPada));
    appendCell(out, balance.Lord);
    appendCell(out, std::to_string(balance.years) + " years " + std::to_string(balance.months) + " months " +
                        std::to_string(balance.days) + " days");
    appendCell(out, "");
    out += "\r\n";
}

}  // namespace velorin_chart
