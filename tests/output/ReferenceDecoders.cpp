#include "ReferenceDecoders.h"

#include <csetjmp>
#include <cstring>

#include <gif_lib.h>
#include <jpeglib.h>
#include <png.h>
#include <zlib.h>

#include <gtest/gtest.h>

namespace sm::test {

namespace {

std::uint32_t BigEndian32(const std::uint8_t* p)
{
    return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) | p[3];
}

std::uint32_t LittleEndian32(const QByteArray& file, int at)
{
    const auto* p = reinterpret_cast<const std::uint8_t*>(file.constData()) + at;
    return p[0] | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[3]) << 24);
}

std::uint16_t LittleEndian16(const QByteArray& file, int at)
{
    const auto* p = reinterpret_cast<const std::uint8_t*>(file.constData()) + at;
    return std::uint16_t(p[0] | (p[1] << 8));
}

struct JpegErrorJump {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

void JpegFail(j_common_ptr info) { std::longjmp(reinterpret_cast<JpegErrorJump*>(info->err)->jump, 1); }

bool DecodeJpegInto(jpeg_decompress_struct& info, const QByteArray& file, JpegFile& out)
{
    if (setjmp(reinterpret_cast<JpegErrorJump*>(info.err)->jump))
        return false;
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(file.constData()),
                 static_cast<unsigned long>(file.size()));
    jpeg_read_header(&info, TRUE);
    out.components = info.num_components;
    out.jfifMarker = info.saw_JFIF_marker;
    out.progressive = info.progressive_mode;
    info.out_color_space = JCS_EXT_BGR;
    jpeg_start_decompress(&info);
    out.picture = Bitmap(int(info.output_width), int(info.output_height), 24);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = out.picture.row(int(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    return true;
}

struct PngSource {
    const QByteArray* file;
    std::size_t at;
};

void PngRead(png_structp png, png_bytep data, png_size_t length)
{
    auto* source = static_cast<PngSource*>(png_get_io_ptr(png));
    if (source->at + length > std::size_t(source->file->size()))
        png_error(png, "truncated");
    std::memcpy(data, source->file->constData() + source->at, length);
    source->at += length;
}

bool DecodePngInto(png_structp png, png_infop info, PngSource& source, PngFile& out)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_read_fn(png, &source, &PngRead);
    png_read_info(png, info);
    out.colorType = png_get_color_type(png, info);
    out.bitDepth = png_get_bit_depth(png, info);
    out.interlace = png_get_interlace_type(png, info);
    png_set_bgr(png);
    const int width = int(png_get_image_width(png, info)), height = int(png_get_image_height(png, info));
    out.picture = Bitmap(width, height, 24);
    for (int y = 0; y < height; ++y)
        png_read_row(png, out.picture.row(y), nullptr);
    png_read_end(png, nullptr);
    return true;
}

// Walks the chunks and inflates the image data to find each row's filter byte and
// whether the deflate stream holds stored blocks only.
void InspectPngChunks(const QByteArray& file, PngFile& out)
{
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(file.constData());
    std::vector<std::uint8_t> idat;
    for (std::size_t at = 8; at + 12 <= std::size_t(file.size());) {
        const std::uint32_t length = BigEndian32(bytes + at);
        const std::string name(reinterpret_cast<const char*>(bytes + at + 4), 4);
        out.chunkNames.push_back(name);
        if (name == "IDAT") {
            out.idatSizes.push_back(length);
            idat.insert(idat.end(), bytes + at + 8, bytes + at + 8 + length);
        }
        at += 12 + length;
    }
    if (out.picture.isEmpty() || idat.size() < 3)
        return;
    const std::size_t rowBytes = 1 + 3 * std::size_t(out.picture.width());
    std::vector<std::uint8_t> raw(rowBytes * std::size_t(out.picture.height()));
    uLongf rawSize = raw.size();
    if (uncompress(raw.data(), &rawSize, idat.data(), idat.size()) != Z_OK || rawSize != raw.size()) {
        ADD_FAILURE() << "PNG image data does not inflate to the expected size";
        return;
    }
    for (int y = 0; y < out.picture.height(); ++y)
        out.rowFilters.push_back(raw[std::size_t(y) * rowBytes]);
    // Stored blocks: after the 2-byte zlib header each block starts with BFINAL and
    // BTYPE 00, is byte-aligned, and carries LEN and NLEN.
    out.storedOnly = true;
    std::size_t at = 2;
    for (;;) {
        if (at + 5 > idat.size() || ((idat[at] >> 1) & 3) != 0) {
            out.storedOnly = false;
            break;
        }
        const bool last = idat[at] & 1;
        const std::size_t length = idat[at + 1] | (idat[at + 2] << 8);
        at += 5 + length;
        if (last)
            break;
    }
}

int GifRead(GifFileType* gif, GifByteType* data, int length)
{
    auto* source = static_cast<PngSource*>(gif->UserData);
    const std::size_t available = std::size_t(source->file->size()) - source->at;
    const std::size_t n = std::min(available, std::size_t(length));
    std::memcpy(data, source->file->constData() + source->at, n);
    source->at += n;
    return int(n);
}

}  // namespace

JpegFile DecodeJpeg(const QByteArray& file)
{
    JpegFile out;
    jpeg_decompress_struct info{};
    JpegErrorJump errors{};
    info.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = &JpegFail;
    jpeg_create_decompress(&info);
    if (!DecodeJpegInto(info, file, out)) {
        ADD_FAILURE() << "libjpeg cannot decode the file";
        out.picture = Bitmap();
    }
    jpeg_destroy_decompress(&info);
    return out;
}

PngFile DecodePng(const QByteArray& file)
{
    PngFile out;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    PngSource source{&file, 8};
    if (file.size() < 8 || png_sig_cmp(reinterpret_cast<png_const_bytep>(file.constData()), 0, 8) != 0) {
        ADD_FAILURE() << "not a PNG signature";
    } else {
        png_set_sig_bytes(png, 8);
        if (!DecodePngInto(png, info, source, out)) {
            ADD_FAILURE() << "libpng cannot decode the file";
            out.picture = Bitmap();
        }
        InspectPngChunks(file, out);
    }
    png_destroy_read_struct(&png, &info, nullptr);
    return out;
}

GifFile DecodeGif(const QByteArray& file)
{
    GifFile out;
    PngSource source{&file, 0};
    int error = 0;
    GifFileType* gif = DGifOpen(&source, &GifRead, &error);
    if (!gif) {
        ADD_FAILURE() << "giflib cannot open the file: " << GifErrorString(error);
        return out;
    }
    if (DGifSlurp(gif) != GIF_OK || gif->ImageCount != 1 || !gif->SColorMap) {
        ADD_FAILURE() << "giflib cannot read the file: " << GifErrorString(gif->Error);
    } else {
        const SavedImage& image = gif->SavedImages[0];
        const int width = image.ImageDesc.Width, height = image.ImageDesc.Height;
        out.colorMapSize = gif->SColorMap->ColorCount;
        out.picture = Bitmap(width, height, 8);
        for (int i = 0; i < gif->SColorMap->ColorCount; ++i) {
            const GifColorType c = gif->SColorMap->Colors[i];
            out.picture.palette().push_back(PaletteEntry{c.Blue, c.Green, c.Red, 0});
        }
        for (int y = 0; y < height; ++y)
            std::memcpy(out.picture.row(y), image.RasterBits + std::size_t(y) * width, std::size_t(width));
    }
    DGifCloseFile(gif, &error);
    return out;
}

BmpFile DecodeBmp(const QByteArray& file)
{
    BmpFile out;
    if (file.size() < 54 || file[0] != 'B' || file[1] != 'M') {
        ADD_FAILURE() << "not a BMP file";
        return out;
    }
    out.fileSizeField = LittleEndian32(file, 2);
    out.pixelOffset = LittleEndian32(file, 10);
    out.infoSize = LittleEndian32(file, 14);
    const int width = int(LittleEndian32(file, 18));
    const int height = int(LittleEndian32(file, 22));
    out.bitCount = LittleEndian16(file, 28);
    out.compression = LittleEndian32(file, 30);
    out.imageSize = LittleEndian32(file, 34);
    out.colorsUsed = LittleEndian32(file, 46);
    int at = 14 + int(out.infoSize);
    if (out.compression == 3) {
        for (int i = 0; i < 3; ++i, at += 4)
            out.masks.push_back(LittleEndian32(file, at));
    }
    Bitmap picture(width, std::abs(height), out.bitCount);
    if (out.bitCount <= 8) {
        const int entries = out.colorsUsed ? int(out.colorsUsed) : (1 << out.bitCount);
        for (int i = 0; i < entries; ++i, at += 4) {
            const auto* p = reinterpret_cast<const std::uint8_t*>(file.constData()) + at;
            picture.palette().push_back(PaletteEntry{p[0], p[1], p[2], 0});
        }
    }
    if (std::uint32_t(at) != out.pixelOffset
        || out.pixelOffset + picture.stride() * std::size_t(picture.height()) > std::size_t(file.size())) {
        ADD_FAILURE() << "BMP headers and pixel data do not line up";
        return out;
    }
    for (int y = 0; y < picture.height(); ++y) {
        const int fileRow = height > 0 ? picture.height() - 1 - y : y;
        std::memcpy(picture.row(y), file.constData() + out.pixelOffset + std::size_t(fileRow) * picture.stride(),
                    picture.stride());
    }
    out.picture = std::move(picture);
    return out;
}

}  // namespace sm::test
