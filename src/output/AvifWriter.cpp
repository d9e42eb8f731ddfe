#include "output/AvifWriter.h"

#include <algorithm>
#include <memory>
#include <new>
#include <string>
#include <thread>

#include <avif/avif.h>

#include "common/Bitmap.h"
#include "output/DeviceWrite.h"
#include "output/EncodeError.h"

namespace sm {

namespace {

// The encoder's speed, 0 (slowest, smallest files) to 10: a middle choice, about a
// quarter of a second of processor time for a 1080p shot.
constexpr int kSpeed = 6;

struct ImageDeleter {
    void operator()(avifImage* image) const { avifImageDestroy(image); }
};
struct EncoderDeleter {
    void operator()(avifEncoder* encoder) const { avifEncoderDestroy(encoder); }
};

struct DataFreer {
    avifRWData* data;
    ~DataFreer() { avifRWDataFree(data); }
};

// A JPEG-like quality 0..100 on the encoder's quantizer scale, 63 (worst) to 0 (best).
int QuantizerFor(int quality) { return ((100 - std::clamp(quality, 0, 100)) * 63 + 50) / 100; }

void Check(avifResult result, const char* what)
{
    if (result == AVIF_RESULT_OUT_OF_MEMORY)
        throw std::bad_alloc();
    if (result != AVIF_RESULT_OK)
        throw EncodeError(std::string("AVIF ") + what + ": " + avifResultToString(result));
}

}  // namespace

void RequireAvifSize(int width, int height)
{
    if (width < 1 || height < 1 || width > kMaxAvifSide || height > kMaxAvifSide
        || std::int64_t(width) * height > kMaxAvifPixels)
        throw EncodeError("An AVIF picture must be 1 to " + std::to_string(kMaxAvifSide)
                          + " pixels each way and at most " + std::to_string(kMaxAvifPixels) + " pixels in all, not "
                          + std::to_string(width) + " x " + std::to_string(height));
}

void WriteAvif(const Bitmap& picture, int quality, QIODevice& out)
{
    if (picture.bitsPerPixel() != 24)
        throw EncodeError("An AVIF file takes a 24-bit picture");
    const int width = picture.width(), height = picture.height();
    RequireAvifSize(width, height);

    std::unique_ptr<avifImage, ImageDeleter> image(
        avifImageCreate(uint32_t(width), uint32_t(height), 8, AVIF_PIXEL_FORMAT_YUV420));
    if (!image)
        throw std::bad_alloc();
    // The pictures are a screen's colours: sRGB, full range, the matrix JPEG uses.
    image->colorPrimaries = AVIF_COLOR_PRIMARIES_BT709;
    image->transferCharacteristics = AVIF_TRANSFER_CHARACTERISTICS_SRGB;
    image->matrixCoefficients = AVIF_MATRIX_COEFFICIENTS_BT601;
    image->yuvRange = AVIF_RANGE_FULL;

    avifRGBImage rgb;
    avifRGBImageSetDefaults(&rgb, image.get());
    rgb.format = AVIF_RGB_FORMAT_BGR;
    rgb.depth = 8;
    rgb.pixels = const_cast<uint8_t*>(picture.bits());
    rgb.rowBytes = uint32_t(picture.stride());
    Check(avifImageRGBToYUV(image.get(), &rgb), "colour conversion");

    std::unique_ptr<avifEncoder, EncoderDeleter> encoder(avifEncoderCreate());
    if (!encoder)
        throw std::bad_alloc();
    encoder->maxThreads = int(std::max(1U, std::thread::hardware_concurrency()));
    encoder->speed = kSpeed;
    encoder->minQuantizer = encoder->maxQuantizer = QuantizerFor(quality);
    encoder->autoTiling = AVIF_TRUE;

    avifRWData data = AVIF_DATA_EMPTY;
    DataFreer freeData{&data};
    Check(avifEncoderWrite(encoder.get(), image.get(), &data), "encoding");
    WriteBytes(out, data.data, data.size);
}

}  // namespace sm
