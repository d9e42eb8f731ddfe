#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "common/Bitmap.h"
#include "video/AvHandles.h"
#include "video/Deinterlacer.h"
#include "video/DisplayGeometry.h"
#include "video/PictureOptions.h"
#include "video/ToneMapper.h"

namespace sm {

// Whether the picture can be converted for the geometry: its size is the geometry's
// coded size and the scaler reads its pixel format. Cheap enough to ask of every picture.
bool IsConvertible(const AVFrame& frame, const DisplayGeometry& geometry);

// The pictures decoded just before and after one, for deinterlacing it; either may be
// null.
struct FrameNeighbours {
    const AVFrame* before = nullptr;
    const AVFrame* after = nullptr;
};

// Turns decoded pictures into 24-bit bitmaps as they are meant to be seen: square
// pixels, upright, as the options ask deinterlaced (pictures marked interlaced) and
// tone-mapped to SDR (HDR pictures). Keeps its scaler and filters between calls while
// the input stays the same. Used by one thread at a time.
class FrameConverter {
public:
    // The filters use that many threads (0: as many as suit the processors).
    explicit FrameConverter(const PictureOptions& options = {}, int filterThreads = 0);

    const PictureOptions& Options() const { return options_; }
    void SetOptions(const PictureOptions& options) { options_ = options; }

    // The frame in the display size of the geometry (which must match the frame's coded
    // size). Throws std::runtime_error when the picture cannot be converted; a picture
    // the filters cannot take is converted as it is.
    Bitmap Convert(const AVFrame& frame, const DisplayGeometry& geometry, const FrameNeighbours& neighbours = {});

private:
    void PrepareScaler(const AVFrame& frame, int width, int height);

    PictureOptions options_;
    Deinterlacer deinterlacer_;
    ToneMapper toneMapper_;

    ScalerPtr scaler_;
    int sourceWidth_ = 0;
    int sourceHeight_ = 0;
    int sourceFormat_ = -1;
    int colorspace_ = -1;
    int colorRange_ = -1;
    int targetWidth_ = 0;
    int targetHeight_ = 0;
    static constexpr std::size_t kScalerAlign = 64;
    std::vector<std::uint8_t> scratch_;  // the scaler's output rows
};

// The bitmap turned clockwise by 90, 180 or 270 degrees (a copy for 0).
Bitmap TurnClockwise(const Bitmap& source, int degrees);
// The same for 24-bit rows of w pixels, `stride` bytes apart.
Bitmap TurnClockwise(const std::uint8_t* pixels, std::size_t stride, int w, int h, int degrees);

}  // namespace sm
