// The command line's plain-text outputs: the export's lines, the note on
// the time bases and the zone list.
#pragma once

#include <string>
#include <string_view>

#include "app/ChartTextExport.h"
#include "app/TimeBases.h"

namespace velorin_chart {

// The 26 lines of the text export, each ended by "\n"; a separator line is empty.
std::string FormatText(const app::ChartRecord& record, const app::MonthNameTable& monthNames);

// The note printed on standard error when the time bases differ, or "".
std::string TimeBasesNote(const app::TimeBases& bases);

// The 71 zone positions with their texts (--zones).
std::string FormatZoneList();

// A value or file name as a message shows it on a terminal: control
// characters and bytes that are not UTF-8 written as \xNN (C1 controls as
// \u0085 ...), and a text of more than 512 characters cut there with "..."
// and its length. Ordinary texts and file names are shown as they are.
std::string ShownOnTerminal(std::string_view text);

}  // namespace velorin_chart
