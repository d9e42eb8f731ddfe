#pragma once

#include <QStringList>

#include <cstdio>

#include <jpeglib.h>

#include <benchmark/benchmark.h>

#include "common/Bitmap.h"

namespace sm::bench {

// Generates a test-pattern video with the ffmpeg command line unless `path` exists;
// `encoderArguments` choose the codec. The video appears under its name only when
// complete, so an interrupted run does not leave a short one behind. When it cannot be
// generated, the benchmark is marked as skipped and false returned.
bool EnsureTestVideo(benchmark::State& state, const char* path, int width, int height, int seconds,
                     const QStringList& encoderArguments);
// The same for a video the ffmpeg command line makes with `arguments` (its input and
// output options, without the output file).
bool EnsureVideo(benchmark::State& state, const char* path, const QStringList& arguments);

// The floor our JPEG encoder is measured against: the picture compressed at `quality`
// by the bare library into whatever destination `info` already has.
void CompressWithBareLibrary(jpeg_compress_struct& info, const Bitmap& picture, int quality);

}  // namespace sm::bench
