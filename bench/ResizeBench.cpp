// The bilinear scaler against libswscale's bilinear scaler on the same 24-bit
// pictures and sizes, so one run shows both side by side.

#include <cstdint>
#include <random>
#include <stdexcept>

#include <benchmark/benchmark.h>

extern "C" {
#include <libswscale/swscale.h>
}

#include "common/Bitmap.h"
#include "imaging/Resize.h"

namespace {

constexpr int kSourceWidth = 1920;
constexpr int kSourceHeight = 1080;

const sm::Bitmap& SourcePicture()
{
    static const sm::Bitmap picture = [] {
        sm::Bitmap b(kSourceWidth, kSourceHeight, 24);
        std::mt19937 rng(1);
        for (std::size_t i = 0; i < b.byteSize(); ++i)
            b.bits()[i] = std::uint8_t(rng());
        return b;
    }();
    return picture;
}

void BM_ResampleBilinear(benchmark::State& state)
{
    const sm::Bitmap& source = SourcePicture();
    sm::Bitmap destination(int(state.range(0)), int(state.range(1)), 24);
    for (auto _ : state) {
        sm::ResampleBilinear(source, destination);
        benchmark::DoNotOptimize(destination.bits());
    }
}

void BM_SwscaleBilinear(benchmark::State& state)
{
    const sm::Bitmap& source = SourcePicture();
    sm::Bitmap destination(int(state.range(0)), int(state.range(1)), 24);
    SwsContext* context
        = sws_getContext(kSourceWidth, kSourceHeight, AV_PIX_FMT_BGR24, destination.width(), destination.height(),
                         AV_PIX_FMT_BGR24, SWS_BILINEAR, nullptr, nullptr, nullptr);
    if (!context) {
        state.SkipWithError("sws_getContext failed");
        return;
    }
    const std::uint8_t* const in[] = {source.bits()};
    const int inStride[] = {int(source.stride())};
    std::uint8_t* const out[] = {destination.bits()};
    const int outStride[] = {int(destination.stride())};
    for (auto _ : state) {
        sws_scale(context, in, inStride, 0, kSourceHeight, out, outStride);
        benchmark::DoNotOptimize(destination.bits());
    }
    sws_freeContext(context);
}

}  // namespace

BENCHMARK(BM_ResampleBilinear)->Args({320, 240})->Args({1280, 720})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SwscaleBilinear)->Args({320, 240})->Args({1280, 720})->Unit(benchmark::kMicrosecond);
