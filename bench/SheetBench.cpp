// Composing a thumbnail sheet from full-HD shots with time stamps and, for the 3 x 4
// sheet of the defaults, the information block on top.

#include <benchmark/benchmark.h>

#include "sheet/SheetComposition.h"

namespace {

void ComposeSheet(benchmark::State& state, int rows, int cols, int tileWidth, int tileHeight, bool block)
{
    sm::AppSettings settings;
    settings.ThumbRows = rows, settings.ThumbCols = cols;
    settings.ThumbWidth = tileWidth, settings.ThumbHeight = tileHeight;
    settings.Addon = block;
    auto shot = std::make_shared<sm::Bitmap>(1920, 1080, 24);
    for (int y = 0; y < shot->height(); ++y)
        for (int x = 0; x < shot->width(); ++x)
            shot->row(y)[3 * x] = std::uint8_t(x ^ y);
    std::vector<sm::SheetShot> shots(std::size_t(rows * cols), sm::SheetShot{QStringLiteral("01:23:45"), shot});
    std::vector<sm::InfoLine> lines;
    for (const QString& text : sm::FixedInfoLineTexts())
        lines.push_back({text});
    const sm::VideoFacts video{QStringLiteral("/tmp/holiday.avi"), 3723, QStringLiteral("H.264 decoder\r")};
    sm::Bitmap sheet, scratch;
    for (auto _ : state) {
        sm::ComposeThumbSheet(sheet, scratch, shots, lines, video, settings);
        benchmark::DoNotOptimize(sheet.bits());
    }
}

void BM_ComposeSheet3x4(benchmark::State& state) { ComposeSheet(state, 4, 3, 120, 90, true); }
void BM_ComposeSheet10x10(benchmark::State& state) { ComposeSheet(state, 10, 10, 320, 180, false); }
BENCHMARK(BM_ComposeSheet3x4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ComposeSheet10x10)->Unit(benchmark::kMillisecond);

}  // namespace
