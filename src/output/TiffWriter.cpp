#include "output/TiffWriter.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <vector>

#include <QIODevice>

#include "common/SafeFileWrite.h"
#include "output/DeviceWrite.h"
#include "output/LittleEndianBytes.h"
#include "output/TiffLayout.h"

namespace sm {

namespace {

enum FieldType : std::uint16_t { Ascii = 2, Short = 3, Long = 4, Rational = 5 };

enum Tag : std::uint16_t {
    NewSubfileType = 254,
    ImageWidth = 256,
    ImageLength = 257,
    BitsPerSample = 258,
    Compression = 259,
    PhotometricInterpretation = 262,
    StripOffsets = 273,
    SamplesPerPixel = 277,
    RowsPerStrip = 278,
    StripByteCounts = 279,
    XResolution = 282,
    YResolution = 283,
    PlanarConfiguration = 284,
    ResolutionUnit = 296,
    Software = 305,
    ColorMap = 320,
};

// The program's name in the ten bytes the layouts reserve for the Software field,
// ended by the zero byte that readers require of an ASCII value.
constexpr char kSoftware[10] = {'S', 't', 'i', 'l', 'l', 'm', 'a', 'r', 'k', '\0'};

// 87.7 pixels per inch.
constexpr std::uint32_t kResolutionNumerator = 877;
constexpr std::uint32_t kResolutionDenominator = 10;
constexpr std::uint16_t kResolutionUnitInch = 2;

// Pixel rows are written in pieces of about this size.
constexpr std::size_t kChunkBytes = 1 << 20;

// A directory entry; a SHORT value lands in the first two bytes of the value field.
void WriteEntry(LittleEndianBytes& out, Tag tag, FieldType type, std::uint32_t count, std::uint32_t value)
{
    out.u16(tag);
    out.u16(type);
    out.u32(count);
    out.u32(value);
}

void WriteResolutions(LittleEndianBytes& out)
{
    for (int i = 0; i < 2; ++i) {
        out.u32(kResolutionNumerator);
        out.u32(kResolutionDenominator);
    }
}

// The colour map holds all 2^b entries: red values, then green, then blue, each an
// 8-bit component times 256.
void WriteColorMap(LittleEndianBytes& out, const std::vector<PaletteEntry>& palette, std::uint32_t entries)
{
    auto component = [&](std::uint32_t i, std::uint8_t PaletteEntry::*channel) {
        return std::uint16_t(i < palette.size() ? (palette[i].*channel) * 256 : 0);
    };
    for (std::uint8_t PaletteEntry::*channel : {&PaletteEntry::red, &PaletteEntry::green, &PaletteEntry::blue})
        for (std::uint32_t i = 0; i < entries; ++i)
            out.u16(component(i, channel));
}

void WriteDirectory(LittleEndianBytes& out, const TiffLayout& t)
{
    const bool rgb = t.kind == TiffLayout::Rgb;
    // 2 RGB, 3 palette colour, 1 black is zero.
    const std::uint16_t photometric = rgb ? 2 : t.kind == TiffLayout::Palette ? 3 : 1;
    out.u16(t.directoryEntries);
    WriteEntry(out, NewSubfileType, Long, 1, 0);
    WriteEntry(out, ImageWidth, Short, 1, t.width);
    WriteEntry(out, ImageLength, Short, 1, t.height);
    if (rgb)
        WriteEntry(out, BitsPerSample, Short, 3, t.bitsPerSampleOffset);
    else
        WriteEntry(out, BitsPerSample, Short, 1, std::uint32_t(t.bitsPerPixel));
    WriteEntry(out, Compression, Short, 1, 1);  // none
    WriteEntry(out, PhotometricInterpretation, Short, 1, photometric);
    WriteEntry(out, StripOffsets, Long, 1, t.stripOffset);
    WriteEntry(out, SamplesPerPixel, Short, 1, rgb ? 3 : 1);
    WriteEntry(out, RowsPerStrip, Long, 1, t.height);
    WriteEntry(out, StripByteCounts, Long, 1, t.stripBytes);
    WriteEntry(out, XResolution, Rational, 1, t.xResolutionOffset);
    WriteEntry(out, YResolution, Rational, 1, t.yResolutionOffset);
    if (rgb)
        WriteEntry(out, PlanarConfiguration, Short, 1, 1);  // chunky
    WriteEntry(out, ResolutionUnit, Short, 1, kResolutionUnitInch);
    WriteEntry(out, Software, Ascii, sizeof kSoftware, t.softwareOffset);
    if (t.kind == TiffLayout::Palette)
        WriteEntry(out, ColorMap, Short, 3 * t.colorMapEntries, t.colorMapOffset);
    out.u32(0);  // no further directory
}

// The bilevel layout declares index 0 black; a bitmap whose first palette entry is
// the lighter one has its bits inverted so the file shows the same picture.
bool InvertBilevel(const Bitmap& bitmap)
{
    auto luma = [&](std::size_t i) {
        if (i >= bitmap.palette().size())
            return 0;
        const PaletteEntry& e = bitmap.palette()[i];
        return 299 * e.red + 587 * e.green + 114 * e.blue;
    };
    return luma(0) > luma(1);
}

// One row of the strip: RGB rows in red, green, blue order without a fourth byte,
// index rows as stored.
void FillStripRow(const Bitmap& bitmap, int y, const TiffLayout& t, bool invert, std::uint8_t* out)
{
    const std::uint8_t* in = bitmap.row(y);
    if (t.kind == TiffLayout::Rgb) {
        const int step = bitmap.bitsPerPixel() / 8;
        for (std::uint32_t x = 0; x < t.width; ++x, in += step, out += 3) {
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
        }
        return;
    }
    std::memcpy(out, in, t.rowBytes);
    if (invert)
        for (std::uint32_t i = 0; i < t.rowBytes; ++i)
            out[i] = std::uint8_t(~out[i]);
}

void WriteStrip(const Bitmap& bitmap, const TiffLayout& t, QIODevice& out)
{
    const bool invert = t.kind == TiffLayout::Bilevel && InvertBilevel(bitmap);
    const int rowsPerChunk = int(std::clamp<std::size_t>(kChunkBytes / t.rowBytes, 1, t.height));
    std::vector<std::uint8_t> chunk(std::size_t(rowsPerChunk) * t.rowBytes);
    for (int y = 0; y < int(t.height);) {
        const int rows = std::min(rowsPerChunk, int(t.height) - y);
        for (int i = 0; i < rows; ++i, ++y)
            FillStripRow(bitmap, y, t, invert, chunk.data() + std::size_t(i) * t.rowBytes);
        WriteBytes(out, chunk.data(), std::size_t(rows) * t.rowBytes);
    }
}

void WriteTiff(const Bitmap& bitmap, QIODevice& out)
{
    const TiffLayout t = PlanTiffLayout(bitmap.width(), bitmap.height(), bitmap.bitsPerPixel());
    LittleEndianBytes bytes;
    bytes.raw("II", 2);
    bytes.u16(42);
    bytes.u32(t.directoryOffset);
    if (t.kind == TiffLayout::Palette)
        WriteColorMap(bytes, bitmap.palette(), t.colorMapEntries);
    if (t.kind != TiffLayout::Bilevel) {
        WriteResolutions(bytes);
        if (t.kind == TiffLayout::Rgb)
            for (int i = 0; i < 3; ++i)
                bytes.u16(8);
        bytes.raw(kSoftware, sizeof kSoftware);
    }
    bytes.writeTo(out);
    WriteStrip(bitmap, t, out);
    if (t.kind == TiffLayout::Bilevel) {
        WriteResolutions(bytes);
        bytes.raw(kSoftware, sizeof kSoftware);
    }
    WriteDirectory(bytes, t);
    bytes.writeTo(out);
}

}  // namespace

void WriteTiffStream(const Bitmap& bitmap, QIODevice& stream)
{
    if (!stream.isSequential() && stream.pos() != 0)
        throw std::invalid_argument("A TIFF file must start at position 0");
    WriteTiff(bitmap, stream);
}

void WriteTiffFile(const Bitmap& bitmap, const QString& fileName)
{
    WriteFileAtomically(fileName, [&](QIODevice& out) { WriteTiffStream(bitmap, out); });
}

}  // namespace sm
