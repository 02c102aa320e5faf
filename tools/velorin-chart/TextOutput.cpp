#include "velorin-chart/TextOutput.h"

#include "app/ZoneTable.h"

namespace velorin_chart {

std::string FormatText(const app::ChartRecord& record, const app::MonthNameTable& monthNames) {
    std::string out;
    for (const std::string& line : app::MakeExportLines(record, monthNames)) {
        if (line != app::ExportSeparatorLine) out += line;
        out += '\n';
    }
    return out;
}

std::string TimeBasesNote(const app::TimeBases& bases) {
    const std::string sentence = app::TimeBasesSentence(bases);
    return sentence.empty() ? sentence : "velorin-chart: note: " + sentence + "\n";
}

std::string FormatZoneList() {
    std::string out;
    for (std::size_t k = 0; k < app::ZoneTable.size(); ++k) {
        out += std::to_string(k) + "\t" + std::string(app::ZoneTable[k].name) + "\n";
    }
    return out;
}

}  // namespace velorin_chart
