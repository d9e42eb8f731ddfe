#include "BenchPictures.h"

#include <cmath>
#include <cstring>
#include <memory>
#include <random>

#include <QDir>
#include <QFile>
#include <QProcess>

#include "BenchSupport.h"

namespace sm::bench {

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
const char* const kFrameVideo = "/tmp/stillmark-bench/frame-h264-1080p.mp4";

// Flat areas and hard edges.
Bitmap TestPattern()
{
    static const std::uint32_t bars[8]
        = {0xC0C0C0, 0xC0C000, 0x00C0C0, 0x00C000, 0xC000C0, 0xC00000, 0x0000C0, 0x101010};
    Bitmap picture(kWidth, kHeight, 24);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            std::uint32_t rgb;
            if (y < kHeight * 2 / 3)
                rgb = bars[x * 8 / kWidth];
            else if (y < kHeight * 5 / 6)
                rgb = 0x010101u * std::uint32_t(x * 255 / (kWidth - 1));
            else if (x < kWidth / 2)
                rgb = ((x / 4 + y / 4) & 1) ? 0xFFFFFF : 0;
            else
                rgb = (x % 16 == 0 || y % 16 == 0) ? 0xFFFF00 : 0x202080;
            picture.setPixelRgb(x, y, rgb);
        }
    return picture;
}

// Smooth gradients of every channel with a fine grain, as in a photograph.
Bitmap PhotoLike()
{
    Bitmap picture(kWidth, kHeight, 24);
    std::mt19937 random(5);
    std::uniform_int_distribution<int> grain(-6, 6);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const double u = x / 160.0, v = y / 120.0;
            const double r = std::sin(u) + std::sin(v * 1.3 + u * 0.4) + std::sin(std::hypot(u - 6, v - 4) * 1.7);
            const double g = std::sin(u * 0.7 - v) + std::cos(v * 2.1) + std::sin(std::hypot(u - 2, v - 7) * 1.1);
            const double b = std::cos(u * 1.9) + std::sin(v * 0.6 + u * 0.2) + std::cos(std::hypot(u - 9, v - 1));
            auto channel = [&](double w) {
                const int value = int(128 + 40 * w) + grain(random);
                return std::uint32_t(value < 0 ? 0 : (value > 255 ? 255 : value));
            };
            picture.setPixelRgb(x, y, (channel(r) << 16) | (channel(g) << 8) | channel(b));
        }
    return picture;
}

// The frame one second into a two-second test video: moving shapes, text and the
// block noise of the video encoder. An empty bitmap when ffmpeg fails.
Bitmap VideoFrame(benchmark::State& state)
{
    if (!EnsureTestVideo(state, kFrameVideo, kWidth, kHeight, 2, {"-c:v", "libx264", "-preset", "veryfast"}))
        return {};
    QProcess ffmpeg;
    ffmpeg.start(QStringLiteral("ffmpeg"), {"-v", "error", "-ss", "1", "-i", kFrameVideo, "-frames:v", "1", "-f",
                                            "rawvideo", "-pix_fmt", "bgr24", "-"});
    ffmpeg.waitForFinished(-1);
    const QByteArray raw = ffmpeg.readAllStandardOutput();
    Bitmap frame(kWidth, kHeight, 24);
    if (raw.size() != qsizetype(frame.byteSize())) {
        state.SkipWithError("cannot decode the video frame");
        return {};
    }
    std::memcpy(frame.bits(), raw.constData(), frame.byteSize());
    return frame;
}

void DumpAsPpm(const Bitmap& picture, const char* name)
{
    const QString folder = qEnvironmentVariable("STILLMARK_BENCH_PICTURES");
    QFile file(QDir(folder).filePath(QString::fromUtf8(name) + ".ppm"));
    if (folder.isEmpty() || picture.isEmpty() || !file.open(QIODevice::WriteOnly))
        return;
    file.write(QByteArray("P6\n") + QByteArray::number(picture.width()) + " " + QByteArray::number(picture.height())
               + "\n255\n");
    QByteArray row(3 * picture.width(), 0);
    for (int y = 0; y < picture.height(); ++y) {
        const std::uint8_t* p = picture.row(y);
        for (int x = 0; x < picture.width(); ++x) {
            row[3 * x] = char(p[3 * x + 2]);
            row[3 * x + 1] = char(p[3 * x + 1]);
            row[3 * x + 2] = char(p[3 * x]);
        }
        file.write(row);
    }
}

}  // namespace

const Bitmap* BenchPicture(benchmark::State& state, std::int64_t kind)
{
    static std::unique_ptr<Bitmap> pictures[3];
    std::unique_ptr<Bitmap>& picture = pictures[kind];
    if (!picture) {
        picture = std::make_unique<Bitmap>(kind == kTestPattern ? TestPattern()
                                           : kind == kPhotoLike ? PhotoLike()
                                                                : VideoFrame(state));
        DumpAsPpm(*picture, BenchPictureName(kind));
    }
    if (picture->isEmpty()) {
        if (!state.error_occurred())
            state.SkipWithError("the picture could not be made");
        return nullptr;
    }
    return picture.get();
}

const char* BenchPictureName(std::int64_t kind)
{
    return kind == kTestPattern ? "pattern" : (kind == kPhotoLike ? "photo" : "frame");
}

}  // namespace sm::bench
