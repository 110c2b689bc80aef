// Cutting a window to its picture, as the assistant's arrow does at every step of the tour:
// the arrow itself, and a full-screen picture for scale.
#include "platform/pop_up.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

namespace {

void BM_RegionFromArrow(benchmark::State& state) {
    const QImage arrow(QStringLiteral(ARROW_PICTURE));
    if (arrow.isNull()) {
        state.SkipWithError("the arrow picture is missing");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(assistant::RegionFromPicture(arrow));
    state.counters["pixels"] = arrow.width() * arrow.height();
}
BENCHMARK(BM_RegionFromArrow);

// A screen-sized picture with a round shape on a plain ground: one run or two per row.
void BM_RegionFromScreenPicture(benchmark::State& state) {
    QImage picture(1920, 1080, QImage::Format_RGB32);
    picture.fill(Qt::magenta);
    {
        QPainter painter(&picture);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::yellow);
        painter.drawEllipse(QRect(160, 40, 1600, 1000));
        painter.setBrush(Qt::magenta);
        painter.drawEllipse(QRect(760, 340, 400, 400));
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(assistant::RegionFromPicture(picture));
    state.counters["pixels"] = picture.width() * picture.height();
}
BENCHMARK(BM_RegionFromScreenPicture)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
