// Every picture format on two 1920 x 1080 pictures, a test pattern and a photo-like
// texture, with the bare JPEG library beside our JPEG encoder. Set
// STILLMARK_BENCH_PICTURES to a folder to also get both pictures there as PPM files,
// for comparing with other tools.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <random>

#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <QFile>

#include <benchmark/benchmark.h>
#include <jpeglib.h>

#include "BenchSupport.h"
#include "common/Bitmap.h"
#include "output/BmpWriter.h"
#include "output/ColorDepth.h"
#include "output/Encoders.h"
#include "output/TiffWriter.h"

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

// Colour bars over a grey ramp, a fine checkerboard and thin lines: flat areas and
// hard edges.
sm::Bitmap TestPattern()
{
    static const std::uint32_t bars[8]
        = {0xC0C0C0, 0xC0C000, 0x00C0C0, 0x00C000, 0xC000C0, 0xC00000, 0x0000C0, 0x101010};
    sm::Bitmap picture(kWidth, kHeight, 24);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            std::uint32_t rgb;
            if (y < kHeight * 2 / 3)
                rgb = bars[x * 8 / kWidth];
            else if (y < kHeight * 5 / 6)
                rgb = 0x010101u * std::uint32_t(x * 255 / (kWidth - 1));
            else if (x < kWidth / 2)
                rgb = ((x / 4 + y / 4) & 1) ? 0xFFFFFF : 0;
            else
                rgb = (x % 16 == 0 || y % 16 == 0) ? 0xFFFF00 : 0x202080;
            picture.setPixelRgb(x, y, rgb);
        }
    return picture;
}

// Overlapping waves of every channel with a fine grain: smooth gradients and no two
// neighbours alike, as in a photograph.
sm::Bitmap PhotoLike()
{
    sm::Bitmap picture(kWidth, kHeight, 24);
    std::mt19937 random(5);
    std::uniform_int_distribution<int> grain(-6, 6);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const double u = x / 160.0, v = y / 120.0;
            const double r = std::sin(u) + std::sin(v * 1.3 + u * 0.4) + std::sin(std::hypot(u - 6, v - 4) * 1.7);
            const double g = std::sin(u * 0.7 - v) + std::cos(v * 2.1) + std::sin(std::hypot(u - 2, v - 7) * 1.1);
            const double b = std::cos(u * 1.9) + std::sin(v * 0.6 + u * 0.2) + std::cos(std::hypot(u - 9, v - 1));
            auto channel = [&](double w) {
                const int value = int(128 + 40 * w) + grain(random);
                return std::uint32_t(value < 0 ? 0 : (value > 255 ? 255 : value));
            };
            picture.setPixelRgb(x, y, (channel(r) << 16) | (channel(g) << 8) | channel(b));
        }
    return picture;
}

void DumpAsPpm(const sm::Bitmap& picture, const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return;
    file.write(QByteArray("P6\n") + QByteArray::number(picture.width()) + " " + QByteArray::number(picture.height())
               + "\n255\n");
    QByteArray row(3 * picture.width(), 0);
    for (int y = 0; y < picture.height(); ++y) {
        const std::uint8_t* p = picture.row(y);
        for (int x = 0; x < picture.width(); ++x) {
            row[3 * x] = char(p[3 * x + 2]);
            row[3 * x + 1] = char(p[3 * x + 1]);
            row[3 * x + 2] = char(p[3 * x]);
        }
        file.write(row);
    }
}

const sm::Bitmap& Picture(std::int64_t which)
{
    static const sm::Bitmap pictures[2] = {TestPattern(), PhotoLike()};
    static const bool dumped = [] {
        const QString folder = qEnvironmentVariable("STILLMARK_BENCH_PICTURES");
        if (!folder.isEmpty()) {
            DumpAsPpm(pictures[0], QDir(folder).filePath("pattern.ppm"));
            DumpAsPpm(pictures[1], QDir(folder).filePath("photo.ppm"));
        }
        return true;
    }();
    (void)dumped;
    return pictures[which];
}

const char* PictureName(std::int64_t which) { return which == 0 ? "pattern" : "photo"; }

// Runs `encode` into a memory buffer that keeps its capacity between runs.
template <typename Encode>
void MeasureEncoding(benchmark::State& state, Encode&& encode)
{
    const sm::Bitmap& picture = Picture(state.range(0));
    QByteArray bytes;
    bytes.reserve(8 * 1024 * 1024);
    for (auto _ : state) {
        bytes.resize(0);
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        encode(picture, buffer);
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetLabel(std::string(PictureName(state.range(0))) + ", " + std::to_string(bytes.size()) + " bytes");
}

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
    const sm::Bitmap& picture = Picture(state.range(0));
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
    state.SetLabel(std::string(PictureName(state.range(0))) + ", " + std::to_string(size) + " bytes");
}

void BM_PngLevel(benchmark::State& state)
{
    sm::PngEncoder encoder;
    encoder.setCompressionLevel(int(state.range(1)));
    MeasureEncoding(state, [&](const sm::Bitmap& picture, QIODevice& out) { encoder.encode(picture, out); });
}

void BM_Gif(benchmark::State& state)
{
    sm::GifEncoder encoder;
    MeasureEncoding(state, [&](const sm::Bitmap& picture, QIODevice& out) { encoder.encode(picture, out); });
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

}  // namespace

BENCHMARK(BM_JpegQuality90)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JpegQuality90BareLibrary)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PngLevel)->Args({0, 9})->Args({1, 9})->Args({0, 1})->Args({1, 1})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Gif)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Bmp24)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Bmp8Halftone)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Tif)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
