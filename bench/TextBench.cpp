// Stamping a time label the way saving does: the default time font (Verdana 8, white),
// shadow on, opacity 80, at the bottom right of a full-HD shot.

#include <memory>

#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include "common/Bitmap.h"
#include "imaging/TextStamp.h"

namespace {

// QtGui text rendering needs an application object; the benchmark makes an offscreen one.
void EnsureGuiApplication()
{
    static std::unique_ptr<QGuiApplication> app;
    if (QCoreApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "stillmark_bench";
    static char* argv[] = {name, nullptr};
    app = std::make_unique<QGuiApplication>(argc, argv);
}

void BM_StampTimeLabel(benchmark::State& state)
{
    EnsureGuiApplication();
    sm::Bitmap shot(1920, 1080, 24);
    sm::FontDesc font{QStringLiteral("Verdana"), sm::clWhite, 8, 1, 0, 0};
    const QString label = QStringLiteral("01:23:45");
    for (auto _ : state) {
        sm::StampText(shot, label, font, 9, 0, 0, 0, 80, true);
        benchmark::DoNotOptimize(shot.bits());
    }
}
BENCHMARK(BM_StampTimeLabel)->Unit(benchmark::kMicrosecond);

}  // namespace
