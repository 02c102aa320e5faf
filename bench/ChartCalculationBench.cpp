// One whole calculation, from the form's values to the sign boxes.
#include <benchmark/benchmark.h>

#include "app/ChartCalculation.h"
#include "support/Forms.h"

namespace {

using testdata::referenceForm;

void WholeCalculation(benchmark::State& state) {
    const app::BirthFormValues form = referenceForm();
    app::ChartSession session;
    for (auto _ : state) {
        app::CalculationOutcome outcome = app::RunCalculation(form, session);
        benchmark::DoNotOptimize(outcome);
    }
}
BENCHMARK(WholeCalculation);

// Births spread over the whole year range, so the retrograde look-up and the
// calendar arithmetic do not always take the same path.
void CalculationAcrossYears(benchmark::State& state) {
    app::BirthFormValues form = referenceForm();
    app::ChartSession session;
    int step = 0;
    for (auto _ : state) {
        form.cboYear = (step * 37) % app::YearListSize;
        form.cboMonth = step % 12;
        form.cboDate = step % 28;
        ++step;
        app::CalculationOutcome outcome = app::RunCalculation(form, session);
        benchmark::DoNotOptimize(outcome);
    }
}
BENCHMARK(CalculationAcrossYears);

}  // namespace
