#include "output/WebpWriter.h"

#include <algorithm>
#include <new>
#include <string>

#include <webp/encode.h>

#include "common/Bitmap.h"
#include "output/DeviceWrite.h"
#include "output/EncodeError.h"

namespace sm {

namespace {

// The encoder's own default speed and size trade-off, the one its command line uses too.
constexpr int kMethod = 4;

struct PictureFreer {
    WebPPicture* picture;
    ~PictureFreer() { WebPPictureFree(picture); }
};

struct MemoryFreer {
    WebPMemoryWriter* memory;
    ~MemoryFreer() { WebPMemoryWriterClear(memory); }
};

}  // namespace

void RequireWebpSize(int width, int height)
{
    if (width < 1 || height < 1 || width > kMaxWebpSide || height > kMaxWebpSide)
        throw EncodeError("A WebP picture must be 1 to " + std::to_string(kMaxWebpSide) + " pixels each way, not "
                          + std::to_string(width) + " x " + std::to_string(height));
}

void WriteWebp(const Bitmap& picture, int quality, QIODevice& out)
{
    if (picture.bitsPerPixel() != 24)
        throw EncodeError("A WebP file takes a 24-bit picture");
    RequireWebpSize(picture.width(), picture.height());

    WebPConfig config;
    if (!WebPConfigInit(&config))
        throw EncodeError("The WebP library does not match its header");
    config.quality = float(std::clamp(quality, 0, 100));
    config.method = kMethod;

    WebPPicture webp;
    if (!WebPPictureInit(&webp))
        throw EncodeError("The WebP library does not match its header");
    PictureFreer freePicture{&webp};
    webp.width = picture.width();
    webp.height = picture.height();
    if (!WebPPictureImportBGR(&webp, picture.bits(), int(picture.stride())))
        throw std::bad_alloc();

    WebPMemoryWriter memory;
    WebPMemoryWriterInit(&memory);
    MemoryFreer freeMemory{&memory};
    webp.writer = WebPMemoryWrite;
    webp.custom_ptr = &memory;
    if (!WebPEncode(&config, &webp)) {
        if (webp.error_code == VP8_ENC_ERROR_OUT_OF_MEMORY)
            throw std::bad_alloc();
        throw EncodeError("The WebP encoder failed (error " + std::to_string(int(webp.error_code)) + ")");
    }
    WriteBytes(out, memory.mem, memory.size);
}

}  // namespace sm
