// Any line of a batch's input. Properties checked on every input:
//  - the answer is exactly one line, ended by its only line break;
//  - it is a chart object (one that begins with "Line": 17 and the birth's
//    name) or an error object {"line": 17, "error": "...", "status": 1|2};
//  - the answer is valid UTF-8 whatever bytes came in;
//  - the line's arguments, when it is a JSON object of options, are read
//    the same way twice.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "astro/Utf8Text.h"
#include "velorin-chart/Batch.h"

namespace {

void require(bool property) {
    if (!property) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view line(reinterpret_cast<const char*>(data), size);
    // A batch splits its input at line breaks: a line holds none.
    line = line.substr(0, line.find('\n'));
    const std::string answer = velorin_chart::ChartLineOfBatchLine(line, 17);
    require(!answer.empty() && answer.back() == '\n' && answer.find('\n') == answer.size() - 1);
    require(astro::IsValidUtf8(answer));
    const bool chart = answer.rfind("{\"Line\": 17, \"BirthName\": ", 0) == 0;
    const bool error = answer.rfind("{\"line\": 17, \"error\": \"", 0) == 0 &&
                       (answer.ends_with(", \"status\": 1}\n") || answer.ends_with(", \"status\": 2}\n"));
    require(chart != error);
    std::string first, second;
    const auto once = velorin_chart::ArgumentsOfBatchLine(line, first);
    const auto again = velorin_chart::ArgumentsOfBatchLine(line, second);
    require(once == again && first == second);
    return 0;
}
