#include "output/BmpWriter.h"

#include <string>

#include <QIODevice>

#include "common/Bitmap.h"
#include "output/DeviceWrite.h"
#include "output/EncodeError.h"
#include "output/LittleEndianBytes.h"

namespace sm {

namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kRgbCompression = 0;
constexpr std::uint32_t kBitFieldsCompression = 3;
constexpr std::uint32_t kMasks565[3] = {0xF800, 0x07E0, 0x001F};

}  // namespace

BmpLayout BmpLayoutFor(int width, int height, int bitsPerPixel)
{
    if (width < 1 || height < 1)
        throw EncodeError("A BMP picture needs at least one pixel");
    BmpLayout layout;
    layout.paletteEntries = bitsPerPixel <= 8 ? (1u << bitsPerPixel) : 0;
    const std::uint64_t masks = bitsPerPixel == 16 ? sizeof(kMasks565) : 0;
    const std::uint64_t headers = kFileHeaderSize + kInfoHeaderSize + masks + 4ull * layout.paletteEntries;
    const std::uint64_t stride = Bitmap::strideFor(width, bitsPerPixel);
    const std::uint64_t image = stride * static_cast<std::uint64_t>(height);
    if (headers + image > 0xFFFFFFFFull)
        throw EncodeError("A BMP file cannot hold a picture of " + std::to_string(width) + " x "
                          + std::to_string(height) + " at " + std::to_string(bitsPerPixel) + " bits");
    layout.pixelOffset = static_cast<std::uint32_t>(headers);
    layout.imageSize = static_cast<std::uint32_t>(image);
    layout.fileSize = static_cast<std::uint32_t>(headers + image);
    return layout;
}

void WriteBmp(const Bitmap& picture, QIODevice& out)
{
    const int bits = picture.bitsPerPixel();
    const BmpLayout layout = BmpLayoutFor(picture.width(), picture.height(), bits);

    LittleEndianBytes header;
    header.u16('B' | ('M' << 8));
    header.u32(layout.fileSize);
    header.u32(0);  // reserved
    header.u32(layout.pixelOffset);
    header.u32(kInfoHeaderSize);
    header.u32(static_cast<std::uint32_t>(picture.width()));
    header.u32(static_cast<std::uint32_t>(picture.height()));  // positive: bottom row first
    header.u16(1);                                             // planes
    header.u16(static_cast<std::uint16_t>(bits));
    header.u32(bits == 16 ? kBitFieldsCompression : kRgbCompression);
    header.u32(layout.imageSize);
    header.u32(0);  // horizontal resolution, not given
    header.u32(0);  // vertical resolution, not given
    header.u32(0);  // colours used: all 2^bits of a palette
    header.u32(0);  // important colours: all
    if (bits == 16)
        for (std::uint32_t mask : kMasks565)
            header.u32(mask);
    for (std::uint32_t i = 0; i < layout.paletteEntries; ++i) {
        const PaletteEntry e = i < picture.palette().size() ? picture.palette()[i] : PaletteEntry{};
        const std::uint8_t quad[4] = {e.blue, e.green, e.red, 0};
        header.raw(quad, sizeof quad);
    }
    header.writeTo(out);
    for (int y = picture.height() - 1; y >= 0; --y)
        WriteBytes(out, picture.row(y), picture.stride());
}

}  // namespace sm
