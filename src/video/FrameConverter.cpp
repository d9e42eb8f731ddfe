#include "video/FrameConverter.h"

#include <cstring>
#include <stdexcept>

extern "C" {
#include <libavutil/frame.h>
#include <libavutil/pixdesc.h>
#include <libswscale/swscale.h>
}

namespace sm {
namespace {

bool IsFullRange(const AVFrame& frame)
{
    if (frame.color_range == AVCOL_RANGE_JPEG)
        return true;
    switch (frame.format) {
    case AV_PIX_FMT_YUVJ420P:
    case AV_PIX_FMT_YUVJ422P:
    case AV_PIX_FMT_YUVJ444P:
    case AV_PIX_FMT_YUVJ440P:
    case AV_PIX_FMT_YUVJ411P:
        return true;
    default:
        return false;
    }
}

}  // namespace

FrameConverter::FrameConverter(const PictureOptions& options, int filterThreads)
    : options_(options), deinterlacer_(filterThreads), toneMapper_(filterThreads)
{
}

bool IsConvertible(const AVFrame& frame, const DisplayGeometry& geometry)
{
    return frame.width > 0 && frame.height > 0 && frame.width == geometry.codedWidth
           && frame.height == geometry.codedHeight && av_pix_fmt_desc_get(AVPixelFormat(frame.format))
           && sws_isSupportedInput(AVPixelFormat(frame.format)) > 0;
}

void FrameConverter::PrepareScaler(const AVFrame& frame, int width, int height)
{
    if (scaler_ && frame.width == sourceWidth_ && frame.height == sourceHeight_ && frame.format == sourceFormat_
        && frame.colorspace == colorspace_ && frame.color_range == colorRange_ && width == targetWidth_
        && height == targetHeight_)
        return;
    scaler_.reset(sws_getContext(frame.width, frame.height, AVPixelFormat(frame.format), width, height,
                                 AV_PIX_FMT_BGR24, SWS_BICUBIC, nullptr, nullptr, nullptr));
    if (!scaler_)
        throw std::runtime_error("unsupported picture format");
    // The matrix and range the picture declares; untagged pictures get the default.
    const int matrix = frame.colorspace >= 0 && frame.colorspace < AVCOL_SPC_NB ? frame.colorspace : SWS_CS_DEFAULT;
    const int* coefficients = sws_getCoefficients(matrix);
    sws_setColorspaceDetails(scaler_.get(), coefficients, IsFullRange(frame) ? 1 : 0,
                             sws_getCoefficients(SWS_CS_DEFAULT), 1, 0, 1 << 16, 1 << 16);
    sourceWidth_ = frame.width;
    sourceHeight_ = frame.height;
    sourceFormat_ = frame.format;
    colorspace_ = frame.colorspace;
    colorRange_ = frame.color_range;
    targetWidth_ = width;
    targetHeight_ = height;
}

Bitmap FrameConverter::Convert(const AVFrame& frame, const DisplayGeometry& geometry, const FrameNeighbours& neighbours)
{
    if (!IsConvertible(frame, geometry))
        throw std::runtime_error("picture does not match its stream");
    const int width = geometry.stretchedWidth;
    const int height = geometry.stretchedHeight;
    // The filters give pictures of the frame's own size; where they fail, the picture
    // is shown as it is rather than not at all.
    const AVFrame* picture = &frame;
    FramePtr deinterlaced;
    FramePtr toneMapped;
    try {
        if (options_.deinterlace && IsInterlaced(frame)) {
            deinterlaced = deinterlacer_.Deinterlace(frame, neighbours.before, neighbours.after);
            if (deinterlaced)
                picture = deinterlaced.get();
        }
        if (options_.toneMapping && HdrTransferOf(frame.color_trc) != HdrTransfer::None) {
            toneMapped = toneMapper_.ToneMap(*picture);
            if (toneMapped)
                picture = toneMapped.get();
        }
    } catch (const std::runtime_error&) {
        // What was filtered before the failure stands.
    }
    // A tone-mapped picture is 24-bit already, in a buffer of the filters' own.
    if (toneMapped && picture->width == width && picture->height == height)
        return TurnClockwise(picture->data[0], std::size_t(picture->linesize[0]), width, height,
                             geometry.clockwiseDegrees);
    PrepareScaler(*picture, width, height);
    // The scaler writes whole vector blocks, past the end of a row and so past the end of
    // the last one: it gets rows aligned for its vectors and slack after them, and the
    // picture is copied out of them.
    const std::size_t stride = (std::size_t(width) * 3 + kScalerAlign - 1) / kScalerAlign * kScalerAlign;
    const std::size_t size = stride * std::size_t(height) + kScalerAlign;
    if (scratch_.size() < size)
        scratch_.resize(size);
    std::uint8_t* planes[4] = {scratch_.data(), nullptr, nullptr, nullptr};
    const int strides[4] = {int(stride), 0, 0, 0};
    if (sws_scale(scaler_.get(), picture->data, picture->linesize, 0, picture->height, planes, strides) <= 0)
        throw std::runtime_error("picture conversion failed");
    return TurnClockwise(scratch_.data(), stride, width, height, geometry.clockwiseDegrees);
}

Bitmap TurnClockwise(const Bitmap& source, int degrees)
{
    return TurnClockwise(source.bits(), source.stride(), source.width(), source.height(), degrees);
}

Bitmap TurnClockwise(const std::uint8_t* pixels, std::size_t stride, int w, int h, int degrees)
{
    const bool quarter = degrees == 90 || degrees == 270;
    Bitmap turned(quarter ? h : w, quarter ? w : h);
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* from = pixels + stride * std::size_t(y);
        if (degrees == 0) {
            std::memcpy(turned.row(y), from, std::size_t(w) * 3);
            continue;
        }
        for (int x = 0; x < w; ++x) {
            int tx = x, ty = y;
            if (degrees == 90) {
                tx = h - 1 - y;
                ty = x;
            } else if (degrees == 180) {
                tx = w - 1 - x;
                ty = h - 1 - y;
            } else {
                tx = y;
                ty = w - 1 - x;
            }
            std::memcpy(turned.row(ty) + std::size_t(tx) * 3, from + std::size_t(x) * 3, 3);
        }
    }
    return turned;
}

}  // namespace sm
