#include "video/KeyFrameGrabber.h"

#include <QFile>

#include <stdexcept>

#include "video/FrameConverter.h"
#include "video/MediaReader.h"

namespace sm {

KeyFrameGrabber::KeyFrameGrabber(const QString& path, const PictureOptions& pictures)
    : reader_(std::make_unique<MediaReader>(QFile::encodeName(path).toStdString(), nullptr)),
      converter_(std::make_unique<FrameConverter>(pictures))
{
    reader_->SetAudioWanted(false);
}

KeyFrameGrabber::~KeyFrameGrabber() = default;

bool KeyFrameGrabber::Grab(std::int64_t units, Bitmap& picture, std::int64_t& frameUnits)
{
    // The last key frame was the first at or after the last position asked for, so it is
    // the answer for every position from there up to its own time.
    if (!lastPicture_.isEmpty() && units >= lastAsked_ && units <= lastUnits_) {
        picture = lastPicture_;
        frameUnits = lastUnits_;
        return true;
    }
    const DecodedFrame frame = reader_->SeekKeyFrame(units);
    if (!frame)
        return false;
    try {
        picture = converter_->Convert(*frame.frame, reader_->FrameGeometry(*frame.frame));
    } catch (const std::runtime_error&) {
        // A picture format the scaler cannot read counts as no picture, as in playback.
        return false;
    }
    frameUnits = frame.timeUnits;
    lastAsked_ = units;
    lastUnits_ = frame.timeUnits;
    lastPicture_ = picture;
    return true;
}

}  // namespace sm
