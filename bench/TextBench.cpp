// Stamping a time label the way saving does: the default time font (Verdana 8, white),
// shadow on, opacity 80, at the bottom right of a full-HD shot.

#include <benchmark/benchmark.h>

#include "common/Bitmap.h"
#include "imaging/TextStamp.h"

namespace {

void BM_StampTimeLabel(benchmark::State& state)
{
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
