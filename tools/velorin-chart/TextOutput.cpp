#include "velorin-chart/TextOutput.h"

#include <cstdio>

#include "app/ZoneTable.h"
#include "astro/Utf8Text.h"

namespace velorin_chart {

std::string FormatText(const app::ChartRecord& record, const app::MonthNameTable& monthNames) {
    std::string out;
    for (const std::string& line : app::MakeExportLines(record, monthNames)) {
        if (line != app::ExportSeparatorLine) out += line;
        out += '\n';
    }
    if (record.SkyPositions) {
        out += app::SkyPositionsLine(record);
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

namespace {

// Characters that change how the text around them is shown without being
// seen themselves: direction marks and overrides (a name could read
// backwards), zero-width characters, the soft hyphen, line and paragraph
// separators, interlinear annotation and tag characters.
bool isFormatCharacter(char32_t c) {
    return c == 0x00AD || c == 0x061C || c == 0x180E || (c >= 0x200B && c <= 0x200F) || (c >= 0x2028 && c <= 0x202E) ||
           (c >= 0x2060 && c <= 0x2069) || c == 0xFEFF || (c >= 0xFFF9 && c <= 0xFFFB) || (c >= 0xE0000 && c <= 0xE007F);
}

}  // namespace

std::string ShownOnTerminal(std::string_view text) {
    constexpr std::size_t MostCharacters = 512;
    std::string shown;
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size();) {
        if (characters == MostCharacters) {
            shown += "... (" + std::to_string(astro::CharCount(text)) + " characters)";
            break;
        }
        const astro::Utf8Char next = astro::DecodeUtf8(text, i);
        char escaped[16];
        if (next.length == 0 || next.code < 0x20 || next.code == 0x7F) {
            std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned char>(text[i]));
            shown += escaped;
            ++i;
        } else if ((next.code >= 0x80 && next.code <= 0x9F) || isFormatCharacter(next.code)) {
            std::snprintf(escaped, sizeof escaped, next.code > 0xFFFF ? "\\U%08X" : "\\u%04X", static_cast<unsigned>(next.code));
            shown += escaped;
            i += next.length;
        } else {
            shown.append(text.substr(i, next.length));
            i += next.length;
        }
        ++characters;
    }
    return shown;
}

}  // namespace velorin_chart
