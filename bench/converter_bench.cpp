#include "core/converter.h"

#include <benchmark/benchmark.h>

namespace {

// One conversion per keystroke in the entry box.
void BM_ConvertAmount(benchmark::State& state, const char* entry) {
    for (auto _ : state)
        benchmark::DoNotOptimize(calc::ConvertAmount(entry));
}

BENCHMARK_CAPTURE(BM_ConvertAmount, grouped, "1234,56");
BENCHMARK_CAPTURE(BM_ConvertAmount, half_cent_franc, "500");
BENCHMARK_CAPTURE(BM_ConvertAmount, half_cent_euro, "0,03279785");

} // namespace
