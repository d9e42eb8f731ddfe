#pragma once

#include <QString>

#include <cstdint>
#include <vector>

#include "common/Bitmap.h"

namespace sm::test {

// Container and codec of a generated video.
enum class VideoFormat {
    H264Mp4,   // H.264 with B-frames in MP4 (MPEG-4 part 2 when libx264 is missing)
    H264Mkv,   // H.264 with B-frames in Matroska (keeps a start time other than 0)
    Mpeg4Avi,  // MPEG-4 part 2 in AVI
    Mpeg2Ts,   // MPEG-2 with B-frames in an MPEG transport stream
    Ffv1Mkv,   // lossless FFV1 in Matroska: any size, including 1 x 1
    H264Raw,   // a bare H.264 stream: no container, no timestamps, no duration
};

// A stretch of frames that show one flat colour instead of the pattern: a black screen,
// a white slate, a card (Y, Cb, Cr with limited range: black 16/128/128, white 235/128/128).
struct FlatStretch {
    double fromSeconds = 0;  // the first frame shown at or after this
    double toSeconds = 0;    // up to the last frame shown before this
    std::uint8_t y = 16, cb = 128, cr = 128;
};

struct TestVideoOptions {
    VideoFormat format = VideoFormat::H264Mp4;
    // The coded size; the display size follows from the aspect ratio and rotation.
    int width = 160;
    int height = 96;
    int fps = 25;
    double durationSeconds = 2.0;
    int gopSize = 25;
    // Clockwise rotation (0, 90, 180, 270) a player applies to show the video upright,
    // stored as display-matrix side data.
    int rotationDegrees = 0;
    int sarNum = 1;
    int sarDen = 1;
    // The container's own aspect ratio, when it differs from the stream's (0: the same).
    int containerSarNum = 0;
    int containerSarDen = 0;
    // Timestamp of the first frame (and sample).
    double startSeconds = 0.0;
    // From the middle frame on, every timestamp jumps this far ahead (a broken stream).
    double timestampJumpSeconds = 0.0;
    bool video = true;
    bool audio = false;         // a 440 Hz sine
    double audioSeconds = 0.0;  // the sound's length when it differs from the pictures'
    std::vector<FlatStretch> flat;
};

// Width and height the video is meant to be seen at (aspect ratio and rotation applied).
void DisplaySize(const TestVideoOptions& options, int& width, int& height);

// Writes a video whose frame n, seen upright at its display size, shows n as a pattern
// of black and white cells that ReadFrameIndex reads back. Throws std::runtime_error.
void WriteTestVideo(const QString& path, const TestVideoOptions& options);

// The frame index shown in a picture made by WriteTestVideo (at any scale), or -1 when
// the picture does not show the pattern upright (rotated, mirrored or garbled).
int ReadFrameIndex(const Bitmap& picture);

// The largest index the pattern can carry.
inline constexpr int kMaxFrameIndex = (1 << 13) - 1;

}  // namespace sm::test
