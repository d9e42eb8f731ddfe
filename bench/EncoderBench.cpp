// Every picture format but PNG (PngBench.cpp) on two 1920 x 1080 pictures, a test
// pattern and a photo-like texture, with the bare JPEG library beside our JPEG encoder,
// and WebP on a captured 1080p frame beside the cwebp command line.

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cstdlib>
#include <string>

#include <benchmark/benchmark.h>
#include <jpeglib.h>

#include "BenchPictures.h"
#include "BenchSupport.h"
#include "common/Bitmap.h"
#include "output/BmpWriter.h"
#include "output/ColorDepth.h"
#include "output/Encoders.h"
#include "output/ImageFormats.h"
#include "output/TiffWriter.h"
#include "output/WebpWriter.h"

namespace {

using sm::bench::MeasureEncoding;

void BM_JpegQuality90(benchmark::State& state)
{
    sm::JpegEncoder encoder;
    encoder.setQuality(90);
    MeasureEncoding(state, [&](const sm::Bitmap& picture, QIODevice& out) { encoder.encode(picture, out); });
}

// The library called directly into its own memory destination: what the encoder's
// overhead is measured against.
void BM_JpegQuality90BareLibrary(benchmark::State& state)
{
    const sm::Bitmap& picture = *sm::bench::BenchPicture(state, state.range(0));
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* memory = nullptr;
    unsigned long size = 0;
    for (auto _ : state) {
        jpeg_mem_dest(&info, &memory, &size);
        sm::bench::CompressWithBareLibrary(info, picture, 90);
        benchmark::DoNotOptimize(memory);
    }
    jpeg_destroy_compress(&info);
    std::free(memory);
    state.SetLabel(std::string(sm::bench::BenchPictureName(state.range(0))) + ", " + std::to_string(size) + " bytes");
}

void BM_Gif(benchmark::State& state)
{
    sm::Encoders encoders;
    MeasureEncoding(state, [&](const sm::Bitmap& picture, QIODevice& out) {
        sm::WriteImage(picture, sm::ImageFormatFor(3), 0, encoders, out);
    });
}

void BM_Bmp24(benchmark::State& state)
{
    MeasureEncoding(state, [](const sm::Bitmap& picture, QIODevice& out) { sm::WriteBmp(picture, out); });
}

void BM_Bmp8Halftone(benchmark::State& state)
{
    MeasureEncoding(
        state, [](const sm::Bitmap& picture, QIODevice& out) { sm::WriteBmp(sm::ConvertToDepth(picture, 8), out); });
}

void BM_Tif(benchmark::State& state)
{
    MeasureEncoding(state, [](const sm::Bitmap& picture, QIODevice& out) { sm::WriteTiffStream(picture, out); });
}

// WebP at the default quality (JpgCompress 90) and the encoder's method 4.
constexpr int kWebpQuality = 90;

void BM_WebpQuality90(benchmark::State& state)
{
    const QByteArray file = MeasureEncoding(
        state, [](const sm::Bitmap& picture, QIODevice& out) { sm::WriteWebp(picture, kWebpQuality, out); });
    state.counters["bytes"] = double(file.size());
}

// The cwebp command line at the same quality and method on the same picture, handed to
// it as a PNG file. Its time is the encoding time it reports itself (-v), which leaves out
// reading the file and turning it into the encoder's colours, while ours counts that
// conversion: the comparison is at no advantage to ours.
void BM_CwebpQuality90(benchmark::State& state)
{
    const sm::Bitmap* picture = sm::bench::BenchPicture(state, state.range(0));
    QTemporaryDir folder;
    if (!picture || !folder.isValid())
        return;
    const QString input = folder.filePath("shot.png");
    const QString output = folder.filePath("shot.webp");
    {
        sm::Encoders encoders;
        QFile file(input);
        file.open(QIODevice::WriteOnly);
        sm::WriteImage(*picture, sm::ImageFormatFor(1), 1, encoders, file);
    }
    const QRegularExpression encodeTime(QStringLiteral("Time to encode picture: *([0-9.]+)s"));
    for (auto _ : state) {
        QProcess cwebp;
        cwebp.start(QStringLiteral("cwebp"),
                    {"-v", "-q", QString::number(kWebpQuality), "-m", "4", input, "-o", output});
        const QRegularExpressionMatch match
            = encodeTime.match(cwebp.waitForFinished(-1) ? QString::fromUtf8(cwebp.readAllStandardError()) : QString());
        if (cwebp.exitCode() != 0 || !match.hasMatch()) {
            state.SkipWithError("cwebp is missing or failed");
            return;
        }
        state.SetIterationTime(match.captured(1).toDouble());
    }
    const qint64 bytes = QFileInfo(output).size();
    state.SetLabel(std::string(sm::bench::BenchPictureName(state.range(0))) + ", " + std::to_string(bytes) + " bytes");
    state.counters["bytes"] = double(bytes);
}

}  // namespace

BENCHMARK(BM_JpegQuality90)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JpegQuality90BareLibrary)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Gif)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Bmp24)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Bmp8Halftone)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Tif)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WebpQuality90)->Arg(sm::bench::kVideoFrame)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CwebpQuality90)->Arg(sm::bench::kVideoFrame)->Unit(benchmark::kMillisecond)->UseManualTime();
