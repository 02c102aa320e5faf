// velorin-chart: computes a birth chart from the command line.
#include <iostream>
#include <string>
#include <vector>

#include "ChartOptions.h"
#include "ChartOutput.h"
#include "app/ChartCalculation.h"

int main(int argc, char** argv) {
    using namespace velorin_chart;
    const std::vector<std::string> args(argv + 1, argv + argc);
    const ParseResult parsed = ParseChartOptions(args);
    if (!parsed.ok()) {
        std::cerr << "velorin-chart: " << parsed.usageError << "\n" << UsageText;
        return 2;
    }
    const ChartOptions& options = parsed.options;
    switch (options.command) {
        case Command::Help:
            std::cout << UsageText;
            return 0;
        case Command::Zones:
            std::cout << FormatZoneList();
            return 0;
        case Command::Example:
        case Command::Chart:
            break;
    }

    app::ChartSession session;
    const app::CalculationOutcome outcome = app::RunCalculation(options.form, session);
    if (!outcome.accepted()) {
        std::cerr << outcome.problem->message << "\n";
        return 1;
    }
    switch (options.format) {
        case OutputFormat::Text: std::cout << FormatText(session.record); break;
        case OutputFormat::Json: std::cout << FormatJson(session); break;
        case OutputFormat::Chart: std::cout << FormatChart(session); break;
    }
    if (options.command == Command::Example) {
        // Kept off stdout for JSON so that the output stays one JSON object.
        std::ostream& hint = options.format == OutputFormat::Json ? std::cerr : std::cout;
        hint << "\nThis is the built-in example. For your own chart, run: velorin-chart --help\n";
    }
    return 0;
}
