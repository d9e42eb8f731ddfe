#pragma once

#include <cstdint>
#include <string>

#include <QBuffer>
#include <QByteArray>

#include <benchmark/benchmark.h>

#include "common/Bitmap.h"

namespace sm::bench {

// The 1920 x 1080 pictures the encoders are measured on, by the number a benchmark
// passes as its first argument.
enum BenchPictureKind : std::int64_t {
    kTestPattern = 0,  // colour bars, a grey ramp, a fine checkerboard and thin lines
    kPhotoLike = 1,    // overlapping waves with a fine grain: no two neighbours alike
    kVideoFrame = 2,   // a frame of a generated H.264 test video, as a capture saves it
};

// The picture, made once. The video frame needs the ffmpeg command line; when it cannot
// be had, the benchmark is marked as skipped and nullptr returned. Set
// STILLMARK_BENCH_PICTURES to a folder to also get each picture there as a PPM file,
// for comparing with other tools.
const Bitmap* BenchPicture(benchmark::State& state, std::int64_t kind);
const char* BenchPictureName(std::int64_t kind);

// Runs `encode` on picture state.range(0) into a memory buffer that keeps its capacity
// between runs, labels the benchmark with the picture and the size of the file and
// returns the file (empty when the picture could not be made).
template <typename Encode>
QByteArray MeasureEncoding(benchmark::State& state, Encode&& encode)
{
    const Bitmap* picture = BenchPicture(state, state.range(0));
    if (!picture)
        return {};
    QByteArray bytes;
    bytes.reserve(8 * 1024 * 1024);
    for (auto _ : state) {
        bytes.resize(0);
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        encode(*picture, buffer);
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetLabel(std::string(BenchPictureName(state.range(0))) + ", " + std::to_string(bytes.size()) + " bytes");
    return bytes;
}

}  // namespace sm::bench
