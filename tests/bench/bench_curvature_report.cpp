// One whole curvature report, from the four inputs to the finished text.
#include <benchmark/benchmark.h>

#include "calc/curvature_report.h"

namespace {

void report_from_inputs(benchmark::State& state, measure_mode mode, sight_conditions conditions = {}) {
    char buffer[report_buffer_size];
    int kilometres = 85;
    for (auto _ : state) {
        benchmark::DoNotOptimize(kilometres);
        const curvature_result result = compute_curvature(kilometres, 0, 15, 0, mode, conditions);
        compose_curvature_report(result, 0, buffer, report_buffer_size);
        benchmark::DoNotOptimize(buffer);
        benchmark::ClobberMemory();
    }
}

void height_mode_report(benchmark::State& state) { report_from_inputs(state, mode_height); }
void distance_mode_report(benchmark::State& state) { report_from_inputs(state, mode_distance); }
// Eye height and refraction both set: the exact model, no passes.
void height_mode_report_with_eye_and_refraction(benchmark::State& state) {
    report_from_inputs(state, mode_height, {2, refraction_gauss});
}

}  // namespace

BENCHMARK(height_mode_report)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(distance_mode_report)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(height_mode_report_with_eye_and_refraction)->Repetitions(10)->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
