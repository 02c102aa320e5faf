// Any bytes as a chart file: the reader gives lines, the form takes what it
// can, and the calculation gives a chart or a refusal.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "app/ChartCalculation.h"
#include "app/ChartFile.h"
#include "astro/Utf8Text.h"
#include "support/Forms.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    app::BirthFormValues form = testdata::referenceForm();
    const app::ChartFileLines lines = app::ReadChartFileLines(bytes);
    for (const auto& line : lines) {
        // A decoded line holds at most one character per byte kept (a character
        // may take up to three bytes of UTF-8).
        if (line && astro::CharCount(*line) > app::MaxChartFileLineBytes) __builtin_trap();
    }
    app::ApplyChartFile(lines, form);
    app::ChartSession session;
    const app::CalculationOutcome outcome = app::RunCalculation(form, session);
    if (outcome.accepted()) {
        // What was read writes back to a file that reads back the same.
        const std::string again = app::MakeChartFileBytes(session.record, form.cboTimeZone);
        app::BirthFormValues reread;
        app::ApplyChartFile(app::ReadChartFileLines(again), reread);
        if (reread.cboYear != form.cboYear || reread.cboTimeZone != form.cboTimeZone) __builtin_trap();
    }
    return 0;
}
