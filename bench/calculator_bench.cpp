// One calculator key on a long tape. Each iteration presses the key and then takes back what it
// wrote, so the tape keeps its length and the figure is the key's own cost at that length.
#include "calculator_rig.h"
#include "core/calculator.h"

#include <benchmark/benchmark.h>

namespace {

void fillTape(test::CalculatorRig& rig, long lines) {
    std::string text;
    for (long i = 0; i < lines; ++i)
        text += (i % 5 == 4) ? " ---------------------------------------------------------\r\n"
                             : "1234,5 + 6789 =  8023,5\r\n";
    rig.tape.setText(text);
}

void BM_DigitKey(benchmark::State& state) {
    test::CalculatorRig rig;
    fillTape(rig, state.range(0));
    rig.display.setText("12");
    for (auto _ : state) {
        rig.calc.Num_Click(7);
        rig.tape.chop(1);
        rig.display.setText("12");
    }
}

void BM_OperatorKey(benchmark::State& state) {
    test::CalculatorRig rig;
    fillTape(rig, state.range(0));
    rig.display.setText("12");
    for (auto _ : state) {
        rig.calc.CmdOperation_Click(0);
        rig.tape.chop(3);
        rig.calc.PendingOperator.clear();
    }
}

void BM_EqualsKey(benchmark::State& state) {
    test::CalculatorRig rig;
    fillTape(rig, state.range(0));
    const std::size_t length = rig.tape.size();
    for (auto _ : state) {
        rig.calc.Accumulator = 12;
        rig.calc.PendingOperator = "+";
        rig.display.setText("3,5");
        rig.calc.CmdOperation_Click(4);
        rig.tape.chop(rig.tape.size() - length);
    }
}

void BM_ResetKey(benchmark::State& state) {
    test::CalculatorRig rig;
    fillTape(rig, state.range(0));
    const std::size_t length = rig.tape.size();
    for (auto _ : state) {
        rig.calc.CmdReset_Click();
        rig.tape.chop(rig.tape.size() - length + 2);
        rig.tape.append("\r\n");
    }
}

BENCHMARK(BM_DigitKey)->Arg(1'000)->Arg(100'000);
BENCHMARK(BM_OperatorKey)->Arg(1'000)->Arg(100'000);
BENCHMARK(BM_EqualsKey)->Arg(1'000)->Arg(100'000);
BENCHMARK(BM_ResetKey)->Arg(1'000)->Arg(100'000);

} // namespace
