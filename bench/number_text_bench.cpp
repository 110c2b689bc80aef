#include "core/number_text.h"

#include <benchmark/benchmark.h>

namespace {

void BM_NumberText(benchmark::State& state) {
    const double values[] = {15.0, 3.3333333333333335, 1234567.89, 1.5e-7, 1.2345678901234567e157};
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(calc::NumberText(values[i++ % 5]));
    }
}

void BM_ReadNumber(benchmark::State& state) {
    const char* texts[] = {"15", "3,33333333333333", "1234567,89", "1,5E-07", " -12, "};
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(calc::ReadNumber(texts[i++ % 5]));
    }
}

BENCHMARK(BM_NumberText);
BENCHMARK(BM_ReadNumber);

} // namespace
