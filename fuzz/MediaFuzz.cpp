// Any bytes as a video file: opening, the exact and key-frame grabs and the conversion
// into the pictures the engine shows fail only by their errors, never by a crash.
#include <QString>

#include <cstdint>
#include <stdexcept>
#include <string>

extern "C" {
#include <libavutil/frame.h>
#include <libavutil/log.h>
}

#include <sys/mman.h>
#include <unistd.h>

#include "video/FrameConverter.h"
#include "video/KeyFrameGrabber.h"
#include "video/MediaReader.h"

namespace {

constexpr std::int64_t kUnitsPerSecond = 10'000'000;

void GrabAround(const std::string& path)
{
    sm::MediaReader reader(path, nullptr, 1);
    reader.ElementNames();
    sm::FrameConverter converter({}, 1);
    const std::int64_t duration = reader.DurationUnits();
    for (const std::int64_t units : {std::int64_t(0), duration / 2, duration + kUnitsPerSecond}) {
        const sm::DecodedFrame frame = reader.SeekExact(units);
        if (!frame)
            continue;
        try {
            converter.Convert(*frame.frame, reader.FrameGeometry(*frame.frame),
                              {frame.before.get(), frame.after.get()});
        } catch (const std::runtime_error&) {
        }
    }
    for (int i = 0; i < 4; ++i)
        if (const sm::DecodedFrame frame = reader.NextVideoFrame(); !frame)
            break;
    for (int i = 0; i < 4; ++i)
        if (const sm::DecodedFrame frame = reader.NextAudioFrame(); !frame)
            break;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    av_log_set_level(AV_LOG_QUIET);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const int fd = ::memfd_create("fuzz-video", 0);
    if (::ftruncate(fd, 0) != 0 || ::pwrite(fd, data, size, 0) != ssize_t(size))
        return 0;
    const std::string path = "/proc/self/fd/" + std::to_string(fd);
    try {
        GrabAround(path);
    } catch (const std::runtime_error&) {
        return 0;  // not a video that opens
    }
    try {
        sm::KeyFrameGrabber grabber(QString::fromStdString(path));
        sm::Bitmap picture;
        std::int64_t frameUnits = 0;
        grabber.Grab(0, picture, frameUnits);
        grabber.Grab(kUnitsPerSecond, picture, frameUnits);
    } catch (const std::runtime_error&) {
    }
    return 0;
}
