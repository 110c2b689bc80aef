// The connection check runs at every mouse movement over the coin: one question must cost a
// read, not a query of the network.
#include "platform/qt_connection_probe.h"

#include <QCoreApplication>
#include <QNetworkInformation>
#include <benchmark/benchmark.h>

namespace {

void BM_IsConnectedFirstQuestion(benchmark::State& state) {
    // What the first movement over the coin pays, backend loading included; measured once and
    // first, as the backend then stays loaded for the process.
    for (auto _ : state) {
        ui::QtConnectionProbe probe;
        benchmark::DoNotOptimize(probe.IsConnected());
    }
}
BENCHMARK(BM_IsConnectedFirstQuestion)->Iterations(1);

void BM_IsConnected(benchmark::State& state) {
    ui::QtConnectionProbe probe;
    // The first question loads the backend, once per run.
    const bool connected = probe.IsConnected();
    for (auto _ : state)
        benchmark::DoNotOptimize(probe.IsConnected());
    const QNetworkInformation* info = QNetworkInformation::instance();
    state.SetLabel((info ? info->backendName().toStdString() : std::string("no backend")) +
                   (connected ? ", online" : ", offline"));
}
BENCHMARK(BM_IsConnected);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
