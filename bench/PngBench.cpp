// PNG at every level on a video frame, a photo-like and a synthetic picture, measured
// in one run beside two references writing the same picture at level 9: ImageMagick
// (its library, the encoding alone, asked for quality 91: level 9 and the Sub filter,
// and for quality 95: level 9 with libpng's choice of filter per row) and the bare
// libpng with zlib at level 9 and the Sub filter on every row. Each label gives the
// file size and the row filters the file holds: ImageMagick 6.9 writes unfiltered rows
// when asked for Sub alone. Times are wall-clock; the CPU column counts every thread.

#include <set>
#include <string>
#include <vector>

#include <QByteArray>

#include <Magick++.h>
#include <benchmark/benchmark.h>
#include <png.h>
#include <zlib.h>

#include "BenchPictures.h"
#include "common/Bitmap.h"
#include "output/PngEncoder.h"

namespace {

using sm::bench::BenchPicture;
using sm::bench::BenchPictureName;

std::uint32_t BigEndian(const unsigned char* at)
{
    return std::uint32_t(at[0]) << 24 | std::uint32_t(at[1]) << 16 | std::uint32_t(at[2]) << 8 | at[3];
}

// The distinct filter types of a PNG file's rows, such as "1" or "1,3"; "?" when the
// file cannot be read this simply (interlaced or not 8 bits per sample).
std::string RowFilters(const unsigned char* file, std::size_t size)
{
    std::uint32_t width = 0, height = 0, channels = 0;
    std::vector<unsigned char> data;
    for (std::size_t at = 8; at + 12 <= size;) {
        const std::uint32_t length = BigEndian(file + at);
        const std::string type(reinterpret_cast<const char*>(file + at + 4), 4);
        const unsigned char* body = file + at + 8;
        if (type == "IHDR" && body[8] == 8 && body[12] == 0) {
            static const std::uint32_t channelsOf[7] = {1, 0, 3, 1, 2, 0, 4};
            width = BigEndian(body);
            height = BigEndian(body + 4);
            channels = channelsOf[body[9] % 7];
        } else if (type == "IDAT") {
            data.insert(data.end(), body, body + length);
        }
        at += 12 + std::size_t(length);
    }
    const std::size_t rowBytes = 1 + std::size_t(width) * channels;
    std::vector<unsigned char> rows(rowBytes * height);
    uLongf rowsSize = uLongf(rows.size());
    if (channels == 0 || uncompress(rows.data(), &rowsSize, data.data(), uLong(data.size())) != Z_OK)
        return "?";
    std::set<int> filters;
    for (std::size_t y = 0; y < height; ++y)
        filters.insert(rows[y * rowBytes]);
    std::string text;
    for (int filter : filters)
        text += (text.empty() ? "" : ",") + std::to_string(filter);
    return text;
}

void Label(benchmark::State& state, const unsigned char* file, std::size_t size)
{
    state.SetLabel(std::string(BenchPictureName(state.range(0))) + ", " + std::to_string(size) + " bytes, filters "
                   + RowFilters(file, size));
}

void BM_PngLevel(benchmark::State& state)
{
    sm::PngEncoder encoder;
    encoder.setCompressionLevel(int(state.range(1)));
    const QByteArray file = sm::bench::MeasureEncoding(
        state, [&](const sm::Bitmap& picture, QIODevice& out) { encoder.encode(picture, out); });
    Label(state, reinterpret_cast<const unsigned char*>(file.constData()), std::size_t(file.size()));
}

// The picture is handed over before the clock starts; what is timed is the writing of
// the PNG file into memory.
void BM_PngImageMagick(benchmark::State& state)
{
    static const bool initialized = (Magick::InitializeMagick(nullptr), true);
    (void)initialized;
    const sm::Bitmap* picture = BenchPicture(state, state.range(0));
    if (!picture)
        return;
    std::vector<unsigned char> bgr;
    for (int y = 0; y < picture->height(); ++y)
        bgr.insert(bgr.end(), picture->row(y), picture->row(y) + 3 * picture->width());
    Magick::Image image(std::size_t(picture->width()), std::size_t(picture->height()), "BGR", Magick::CharPixel,
                        bgr.data());
    image.magick("PNG");
    image.quality(std::size_t(state.range(1)));
    Magick::Blob file;
    for (auto _ : state) {
        image.write(&file);
        benchmark::DoNotOptimize(file.data());
    }
    Label(state, static_cast<const unsigned char*>(file.data()), file.length());
}

void AppendToVector(png_structp png, png_bytep data, png_size_t length)
{
    auto* file = static_cast<std::vector<unsigned char>*>(png_get_io_ptr(png));
    file->insert(file->end(), data, data + length);
}

void BM_PngBareLibpngLevel9Sub(benchmark::State& state)
{
    const sm::Bitmap* picture = BenchPicture(state, state.range(0));
    if (!picture)
        return;
    std::vector<unsigned char> file;
    file.reserve(8 * 1024 * 1024);
    for (auto _ : state) {
        file.clear();
        png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
        png_infop info = png_create_info_struct(png);
        png_set_write_fn(png, &file, &AppendToVector, nullptr);
        png_set_compression_level(png, 9);
        png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
        png_set_IHDR(png, info, png_uint_32(picture->width()), png_uint_32(picture->height()), 8, PNG_COLOR_TYPE_RGB,
                     PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_BASE, PNG_FILTER_TYPE_BASE);
        png_write_info(png, info);
        png_set_bgr(png);
        for (int y = 0; y < picture->height(); ++y)
            png_write_row(png, picture->row(y));
        png_write_end(png, nullptr);
        png_destroy_write_struct(&png, &info);
        benchmark::DoNotOptimize(file.data());
    }
    Label(state, file.data(), file.size());
}

using sm::bench::kPhotoLike;
using sm::bench::kTestPattern;
using sm::bench::kVideoFrame;

}  // namespace

BENCHMARK(BM_PngLevel)
    ->ArgsProduct({{kVideoFrame, kPhotoLike, kTestPattern}, benchmark::CreateDenseRange(0, 9, 1)})
    ->UseRealTime()
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PngImageMagick)
    ->ArgsProduct({{kVideoFrame, kPhotoLike, kTestPattern}, {91, 95}})
    ->UseRealTime()
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PngBareLibpngLevel9Sub)
    ->DenseRange(kTestPattern, kVideoFrame)
    ->UseRealTime()
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);
