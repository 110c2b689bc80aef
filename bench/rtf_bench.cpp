#include "core/rtf.h"

#include <benchmark/benchmark.h>
#include <cstdint>
#include <string>

namespace {

// A long session's tape: sums, results in euros, separator lines.
std::string Tape(int lines) {
    std::string tape;
    tape.reserve(static_cast<std::size_t>(lines) * 40);
    for (int i = 0; i < lines; ++i) {
        switch (i % 4) {
        case 0:
            tape += std::to_string(i % 97) + " + 3 =  " + std::to_string(i % 97 + 3);
            break;
        case 1:
            tape += " x 4 =  " + std::to_string((i % 97 + 3) * 4);
            break;
        case 2:
            tape += "100 F =  15,24 \xE2\x82\xAC";
            break;
        default:
            tape += " ---------------------------------------------------------";
            break;
        }
        tape += "\r\n";
    }
    return tape;
}

void BM_RtfWrite100kLines(benchmark::State& state) {
    const std::string tape = Tape(100000);
    for (auto _ : state) {
        std::string rtf = calc::WriteRtf(tape);
        benchmark::DoNotOptimize(rtf.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(tape.size()));
}
BENCHMARK(BM_RtfWrite100kLines)->Unit(benchmark::kMillisecond);

void BM_RtfRead100kLines(benchmark::State& state) {
    const std::string rtf = calc::WriteRtf(Tape(100000));
    for (auto _ : state) {
        calc::RtfReadResult r = calc::ReadRtf(rtf);
        benchmark::DoNotOptimize(r.text.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(rtf.size()));
}
BENCHMARK(BM_RtfRead100kLines)->Unit(benchmark::kMillisecond);

} // namespace
