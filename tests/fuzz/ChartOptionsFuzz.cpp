// Any argument vector for the command line (arguments separated by NUL bytes):
// the parser gives options or a usage error, never anything else.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "ChartOptions.h"
#include "app/ChartCalculation.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> args(1);
    for (std::size_t i = 0; i < size && args.size() <= 64; ++i) {
        if (data[i] == 0) {
            args.emplace_back();
        } else {
            args.back() += static_cast<char>(data[i]);
        }
    }
    const velorin_chart::ParseResult parsed = velorin_chart::ParseChartOptions(args);
    if (!parsed.ok()) {
        if (parsed.usageError.empty()) __builtin_trap();
        return 0;
    }
    if (parsed.options.command == velorin_chart::Command::Chart && parsed.options.openPath.empty()) {
        app::ChartSession session;
        (void)app::RunCalculation(parsed.options.form, session);
    }
    return 0;
}
