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

// The fastest level that still codes the residuals by their frequency: higher levels
// cost several times the time for a few percent.
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

void UndoPrediction(Bitmap& bitmap)
{
    const std::size_t stride = bitmap.stride();
    for (int y = 1; y < bitmap.height(); ++y) {
        std::uint8_t* __restrict row = bitmap.row(y);
        const std::uint8_t* __restrict above = bitmap.row(y - 1);
        for (std::size_t i = 0; i < stride; ++i)
            row[i] = std::uint8_t(row[i] + above[i]);
    }
}

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
    const int chunkRows = int(std::max<std::size_t>(1, kChunkBytes / stride));
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
    if (target.byteSize() == 0)
        return;
    const std::size_t written = ZSTD_decompress(target.bits(), target.byteSize(), packed_.data(), packed_.size());
    if (ZSTD_isError(written) || written != target.byteSize())
        throw std::runtime_error("a packed picture is damaged");
    UndoPrediction(target);
}

Bitmap PackedBitmap::expand() const
{
    Bitmap bitmap;
    expandInto(bitmap);
    return bitmap;
}

}  // namespace sm
