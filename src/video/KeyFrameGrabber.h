#pragma once

#include <QString>

#include <cstdint>
#include <memory>

#include "common/Bitmap.h"
#include "video/PictureOptions.h"

namespace sm {

class FrameConverter;
class MediaReader;

// Takes key frames out of one file without playing it, as pictures of the display size
// the engine shows. Used by one thread at a time.
class KeyFrameGrabber {
public:
    // Throws std::runtime_error when the file cannot be read as media. The pictures are
    // converted as `pictures` asks.
    explicit KeyFrameGrabber(const QString& path, const PictureOptions& pictures = {});
    ~KeyFrameGrabber();
    KeyFrameGrabber(const KeyFrameGrabber&) = delete;
    KeyFrameGrabber& operator=(const KeyFrameGrabber&) = delete;

    // The first key frame shown at or after the position (100-ns units; the last key
    // frame when none follows) and its own time. False, leaving both unchanged, when
    // there is none (or its picture format cannot be converted).
    bool Grab(std::int64_t units, Bitmap& picture, std::int64_t& frameUnits);

private:
    std::unique_ptr<MediaReader> reader_;
    std::unique_ptr<FrameConverter> converter_;
    // The last grab: dense shots in a long group of pictures ask for one key frame again.
    std::int64_t lastAsked_ = -1;
    std::int64_t lastUnits_ = 0;
    Bitmap lastPicture_;
};

}  // namespace sm
