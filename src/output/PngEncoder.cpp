#include "output/PngEncoder.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <future>
#include <memory>
#include <new>

#include <QIODevice>

#include <libdeflate.h>

#include "common/Bitmap.h"
#include "output/DeviceWrite.h"
#include "output/EncodeError.h"

// The image data is compressed by libdeflate, which at zlib's ratio takes a fraction of
// zlib's time: the default level 9 stays quick on a full-HD frame.

namespace sm {

namespace {

constexpr std::size_t kMaxIdatChunk = 65535;
constexpr std::uint8_t kFilterSub = 1;
constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

struct ZlibStream {
    std::unique_ptr<std::uint8_t[]> bytes;
    std::size_t size = 0;
};

// Our levels 0 to 9 are libdeflate's (0 stores; past 9 its parsers take several times
// longer). Its level 1 matches through one hash table, 2 to 4 parse greedily and 5 to 9
// lazily, and a later way can come out larger than an earlier one: lazy parsing on fine
// grain, greedy parsing on flat synthetic areas. So levels 2 to 4 also compress at
// level 1, levels 5 to 9 at level 4, on a second thread, and the smaller stream is kept:
// a lazy level is never larger than level 4, a greedy one never larger than level 1.
int FallbackLevel(int level) { return level >= 5 ? 4 : (level >= 2 ? 1 : 0); }

ZlibStream Compress(const std::uint8_t* data, std::size_t size, int level)
{
    const std::unique_ptr<libdeflate_compressor, decltype(&libdeflate_free_compressor)> compressor(
        libdeflate_alloc_compressor(level), &libdeflate_free_compressor);
    if (!compressor)
        throw std::bad_alloc();
    const std::size_t capacity = libdeflate_zlib_compress_bound(compressor.get(), size);
    ZlibStream stream{std::make_unique_for_overwrite<std::uint8_t[]>(capacity), 0};
    stream.size = libdeflate_zlib_compress(compressor.get(), data, size, stream.bytes.get(), capacity);
    if (stream.size == 0)
        throw EncodeError("PNG encoder: the image data could not be compressed");
    return stream;
}

ZlibStream CompressAtLevel(const std::uint8_t* data, std::size_t size, int level)
{
    std::future<ZlibStream> fallback;
    if (const int other = FallbackLevel(level))
        fallback = std::async(std::launch::async, &Compress, data, size, other);
    ZlibStream stream = Compress(data, size, level);
    if (fallback.valid()) {
        ZlibStream other = fallback.get();
        if (other.size < stream.size)
            stream = std::move(other);
    }
    return stream;
}

// The rows as PNG stores them: a filter byte, then R, G, B with each byte less the
// same channel of the pixel to its left.
std::unique_ptr<std::uint8_t[]> SubFilteredRows(const Bitmap& picture, std::size_t rowBytes)
{
    const int bytesPerPixel = picture.bitsPerPixel() / 8;
    auto rows = std::make_unique_for_overwrite<std::uint8_t[]>(rowBytes * std::size_t(picture.height()));
    for (int y = 0; y < picture.height(); ++y) {
        const std::uint8_t* in = picture.row(y);
        std::uint8_t* out = rows.get() + rowBytes * std::size_t(y);
        *out++ = kFilterSub;
        std::uint8_t red = 0, green = 0, blue = 0;
        for (int x = 0; x < picture.width(); ++x, in += bytesPerPixel, out += 3) {
            out[0] = std::uint8_t(in[2] - red);
            out[1] = std::uint8_t(in[1] - green);
            out[2] = std::uint8_t(in[0] - blue);
            red = in[2];
            green = in[1];
            blue = in[0];
        }
    }
    return rows;
}

void PutBigEndian(std::uint8_t* at, std::uint32_t value)
{
    at[0] = std::uint8_t(value >> 24);
    at[1] = std::uint8_t(value >> 16);
    at[2] = std::uint8_t(value >> 8);
    at[3] = std::uint8_t(value);
}

void WriteChunk(QIODevice& out, const char (&type)[5], const std::uint8_t* data, std::size_t size)
{
    std::uint8_t head[8];
    PutBigEndian(head, std::uint32_t(size));
    std::memcpy(head + 4, type, 4);
    std::uint32_t crc = libdeflate_crc32(0, head + 4, 4);
    if (size > 0)  // given no data, libdeflate restarts the sum
        crc = libdeflate_crc32(crc, data, size);
    std::uint8_t tail[4];
    PutBigEndian(tail, crc);
    WriteBytes(out, head, sizeof head);
    WriteBytes(out, data, size);
    WriteBytes(out, tail, sizeof tail);
}

void WriteHeader(QIODevice& out, const Bitmap& picture)
{
    std::uint8_t header[13] = {};
    PutBigEndian(header, std::uint32_t(picture.width()));
    PutBigEndian(header + 4, std::uint32_t(picture.height()));
    header[8] = 8;  // bits per sample
    header[9] = 2;  // colour type RGB; compression, filter method and interlacing stay 0
    WriteBytes(out, kSignature, sizeof kSignature);
    WriteChunk(out, "IHDR", header, sizeof header);
}

}  // namespace

void PngEncoder::setCompressionLevel(int level) { level_ = std::clamp(level, 0, 9); }

void PngEncoder::encode(const Bitmap& picture, QIODevice& out) const
{
    if (picture.bitsPerPixel() != 24 && picture.bitsPerPixel() != 32)
        throw EncodeError("The PNG encoder takes 24- or 32-bit pictures");
    if (picture.isEmpty())
        throw EncodeError("A PNG picture needs at least one pixel");
    const std::size_t rowBytes = 1 + 3 * std::size_t(picture.width());
    const std::size_t dataBytes = rowBytes * std::size_t(picture.height());
    const ZlibStream stream = CompressAtLevel(SubFilteredRows(picture, rowBytes).get(), dataBytes, level_);
    WriteHeader(out, picture);
    for (std::size_t at = 0; at < stream.size; at += kMaxIdatChunk)
        WriteChunk(out, "IDAT", stream.bytes.get() + at, std::min(kMaxIdatChunk, stream.size - at));
    WriteChunk(out, "IEND", nullptr, 0);
}

}  // namespace sm
