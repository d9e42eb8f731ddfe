#include "output/PngEncoder.h"

#include <algorithm>
#include <string>

#include <QIODevice>

#include <png.h>

#include "common/Bitmap.h"
#include "output/DeviceWrite.h"
#include "output/EncodeError.h"

namespace sm {

namespace {

constexpr std::size_t kMaxIdatChunk = 65535;
constexpr png_uint_32 kMaxPngSide = 0x7FFFFFFF;

struct PngSink {
    QIODevice* out;
    std::string failure;
};

PngSink& SinkOf(png_structp png) { return *static_cast<PngSink*>(png_get_error_ptr(png)); }

void OnError(png_structp png, png_const_charp message)
{
    PngSink& sink = SinkOf(png);
    if (sink.failure.empty())
        sink.failure = std::string("PNG encoder: ") + message;
    png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

void OnWrite(png_structp png, png_bytep data, png_size_t length)
{
    PngSink& sink = SinkOf(png);
    try {
        WriteBytes(*sink.out, data, length);
        return;
    } catch (const EncodeError& e) {
        sink.failure = e.what();
    }
    png_error(png, "write failed");
}

void OnFlush(png_structp) {}

// Returns false with sink.failure set. Holds no C++ objects across the setjmp point.
bool Encode(png_structp png, png_infop info, const Bitmap& picture, int level)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_user_limits(png, kMaxPngSide, kMaxPngSide);
    png_set_write_fn(png, png_get_error_ptr(png), &OnWrite, &OnFlush);
    png_set_compression_buffer_size(png, kMaxIdatChunk);
    png_set_compression_level(png, level);
    // The largest hash table: the same deflate level, found in less time.
    png_set_compression_mem_level(png, 9);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
    png_set_IHDR(png, info, static_cast<png_uint_32>(picture.width()), static_cast<png_uint_32>(picture.height()), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_BASE, PNG_FILTER_TYPE_BASE);
    png_write_info(png, info);
    png_set_bgr(png);
    if (picture.bitsPerPixel() == 32)
        png_set_filler(png, 0, PNG_FILLER_AFTER);
    for (int y = 0; y < picture.height(); ++y)
        png_write_row(png, picture.row(y));
    png_write_end(png, nullptr);
    return true;
}

}  // namespace

void PngEncoder::setCompressionLevel(int level) { level_ = std::clamp(level, 0, 9); }

void PngEncoder::encode(const Bitmap& picture, QIODevice& out) const
{
    if (picture.bitsPerPixel() != 24 && picture.bitsPerPixel() != 32)
        throw EncodeError("The PNG encoder takes 24- or 32-bit pictures");
    if (picture.isEmpty())
        throw EncodeError("A PNG picture needs at least one pixel");
    PngSink sink{&out, {}};
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &sink, &OnError, &OnWarning);
    if (!png)
        throw std::bad_alloc();
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        throw std::bad_alloc();
    }
    const bool done = Encode(png, info, picture, level_);
    png_destroy_write_struct(&png, &info);
    if (!done)
        throw EncodeError(sink.failure.empty() ? std::string("PNG encoder failed") : sink.failure);
}

}  // namespace sm
