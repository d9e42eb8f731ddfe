#include "common/PackedBitmap.h"

#include <algorithm>
#include <memory>
#include <new>
#include <stdexcept>
#include <string>

#include <zstd.h>
#include <zstd_errors.h>

namespace sm {

namespace {

// The first of the fast levels: on video frames it packs and expands a third faster
// than level 1 for a tenth more bytes, and every shot saved is expanded once more.
constexpr int kCompressionLevel = 1;
// Rows are predicted into a buffer of about this size before they are compressed, so
// packing needs no second full-size copy.
constexpr std::size_t kChunkBytes = 256 * 1024;

struct CompressorFree {
    void operator()(ZSTD_CCtx* context) const { ZSTD_freeCCtx(context); }
};

void ThrowOnError(std::size_t result)
{
    if (!ZSTD_isError(result))
        return;
    if (ZSTD_getErrorCode(result) == ZSTD_error_memory_allocation)
        throw std::bad_alloc();
    throw std::runtime_error(std::string("picture compression failed: ") + ZSTD_getErrorName(result));
}

// Each byte is stored as its difference to the byte one row above (row 0 as it is):
// neighbouring rows of a picture are alike, so the differences cluster around zero and
// compress far better than the pixels, whatever the depth.
void PredictRows(const Bitmap& bitmap, int firstRow, int rowCount, std::uint8_t* __restrict out)
{
    const std::size_t stride = bitmap.stride();
    for (int y = firstRow; y < firstRow + rowCount; ++y, out += stride) {
        const std::uint8_t* __restrict row = bitmap.row(y);
        if (y == 0) {
            std::copy(row, row + stride, out);
            continue;
        }
        const std::uint8_t* __restrict above = row - stride;
        for (std::size_t i = 0; i < stride; ++i)
            out[i] = std::uint8_t(row[i] - above[i]);
    }
}

// The inverse of PredictRows for a run of rows, from their differences into the bitmap,
// whose row above the first is already in place.
void UndoPrediction(const std::uint8_t* __restrict differences, int firstRow, int rowCount, Bitmap& bitmap)
{
    const std::size_t stride = bitmap.stride();
    for (int y = firstRow; y < firstRow + rowCount; ++y, differences += stride) {
        std::uint8_t* __restrict row = bitmap.row(y);
        if (y == 0) {
            std::copy(differences, differences + stride, row);
            continue;
        }
        const std::uint8_t* __restrict above = row - stride;
        for (std::size_t i = 0; i < stride; ++i)
            row[i] = std::uint8_t(differences[i] + above[i]);
    }
}

struct DecompressorFree {
    void operator()(ZSTD_DCtx* context) const { ZSTD_freeDCtx(context); }
};

int ChunkRows(std::size_t stride) { return int(std::max<std::size_t>(1, kChunkBytes / stride)); }

}  // namespace

PackedBitmap::PackedBitmap(const Bitmap& bitmap)
    : width_(bitmap.width()), height_(bitmap.height()), bitsPerPixel_(bitmap.bitsPerPixel()), palette_(bitmap.palette())
{
    const std::size_t total = bitmap.byteSize();
    if (total == 0)
        return;
    const std::unique_ptr<ZSTD_CCtx, CompressorFree> context(ZSTD_createCCtx());
    if (!context)
        throw std::bad_alloc();
    ThrowOnError(ZSTD_CCtx_setParameter(context.get(), ZSTD_c_compressionLevel, kCompressionLevel));
    ThrowOnError(ZSTD_CCtx_setPledgedSrcSize(context.get(), total));

    // The bound is never exceeded, so every call below has room for all it produces;
    // the buffer is left uninitialised so that only the pages written are ever touched.
    const std::size_t bound = ZSTD_compressBound(total);
    const std::unique_ptr<std::uint8_t[]> out(new std::uint8_t[bound]);
    ZSTD_outBuffer output{out.get(), bound, 0};
    const std::size_t stride = bitmap.stride();
    const int chunkRows = ChunkRows(stride);
    std::vector<std::uint8_t> chunk(stride * std::size_t(std::min(chunkRows, height_)));
    for (int y = 0; y < height_; y += chunkRows) {
        const int rows = std::min(chunkRows, height_ - y);
        PredictRows(bitmap, y, rows, chunk.data());
        ZSTD_inBuffer input{chunk.data(), stride * std::size_t(rows), 0};
        const bool last = y + rows == height_;
        std::size_t remaining;
        do {
            remaining = ZSTD_compressStream2(context.get(), &output, &input, last ? ZSTD_e_end : ZSTD_e_continue);
            ThrowOnError(remaining);
        } while (last ? remaining != 0 : input.pos < input.size);
    }
    packed_.assign(out.get(), out.get() + output.pos);
}

void PackedBitmap::expandInto(Bitmap& target) const
{
    if (target.width() != width_ || target.height() != height_ || target.bitsPerPixel() != bitsPerPixel_)
        target = Bitmap(width_, height_, bitsPerPixel_);
    target.palette() = palette_;
    const std::size_t total = target.byteSize();
    if (total == 0)
        return;
    const auto damaged = [] { return std::runtime_error("a packed picture is damaged"); };
    if (ZSTD_getFrameContentSize(packed_.data(), packed_.size()) != total)
        throw damaged();
    const std::unique_ptr<ZSTD_DCtx, DecompressorFree> context(ZSTD_createDCtx());
    if (!context)
        throw std::bad_alloc();
    // A chunk of rows at a time is decompressed into a buffer small enough to stay in
    // the cache and added up into the picture from there, so the picture's memory is
    // passed over once.
    const std::size_t stride = target.stride();
    const int chunkRows = ChunkRows(stride);
    std::vector<std::uint8_t> chunk(stride * std::size_t(std::min(chunkRows, height_)));
    ZSTD_inBuffer input{packed_.data(), packed_.size(), 0};
    for (int y = 0; y < height_; y += chunkRows) {
        const int rows = std::min(chunkRows, height_ - y);
        ZSTD_outBuffer output{chunk.data(), stride * std::size_t(rows), 0};
        while (output.pos < output.size) {
            const std::size_t before = output.pos;
            const std::size_t result = ZSTD_decompressStream(context.get(), &output, &input);
            if (ZSTD_isError(result) || (output.pos == before && input.pos == input.size))
                throw damaged();
        }
        UndoPrediction(chunk.data(), y, rows, target);
    }
}

Bitmap PackedBitmap::expand() const
{
    Bitmap bitmap;
    expandInto(bitmap);
    return bitmap;
}

}  // namespace sm
