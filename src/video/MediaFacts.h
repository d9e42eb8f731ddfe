#pragma once

#include <QString>

#include <cstdint>

namespace sm {

// What an open media file says of itself: its picture, sound and bit rate, as the
// container and the streams declare them. Texts and numbers are empty or 0 where the file
// does not say (no pictures, no sound, no rate given).
struct MediaFacts {
    int DisplayWidth = 0;  // the display size: rotation and sample aspect ratio applied
    int DisplayHeight = 0;
    int FrameRateNum = 0;  // the average frame rate as a fraction
    int FrameRateDen = 0;
    QString VideoCodec;    // the format's short name: "h264"
    QString VideoProfile;  // "High"
    QString AudioCodec;    // "aac"
    int AudioSampleRate = 0;
    QString AudioChannels;     // the channel layout: "stereo", "5.1"
    std::int64_t BitRate = 0;  // the whole file's, bits a second

    friend bool operator==(const MediaFacts&, const MediaFacts&) = default;
};

}  // namespace sm
