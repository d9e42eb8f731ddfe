// HDR pictures tone-mapped and interlaced pictures deinterlaced in the engine's one
// conversion, against the ffmpeg command line's own chain and the progressive source.
// Both groups start the ffmpeg command line.
#include <cmath>
#include <cstring>

extern "C" {
#include <libavutil/frame.h>
}

#include "EngineFixture.h"
#include "support/CommandLineVideo.h"
#include "video/FrameConverter.h"
#include "video/KeyFrameGrabber.h"
#include "video/SeekSeries.h"

namespace sm::test {
namespace {

constexpr std::int64_t kUnitsPerSecond = 10'000'000;

double MeanDifference(const Bitmap& a, const Bitmap& b)
{
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width() * 3; ++x)
            sum += std::abs(int(a.row(y)[x]) - int(b.row(y)[x]));
    return sum / (double(a.width()) * a.height() * 3);
}

// The picture of the second, from a seek or from the engine's series.
Bitmap Shot(FfmpegEngine& engine, std::int64_t second, bool series)
{
    Bitmap picture;
    if (series) {
        std::unique_ptr<SeekSeries> run = engine.StartSeekSeries({second});
        run->SeekNext();
        run->GrabSeekFrame(picture, 20000);
    } else if (engine.SeekTo(second)) {
        engine.GrabSeekFrame(picture, 20000);
    }
    return picture;
}

struct ToneCase {
    const char* name;
    BarsTransfer transfer;
    bool series;
};

void PrintTo(const ToneCase& c, std::ostream* os) { *os << c.name; }

class ToneMappedPictures : public EngineTest, public ::testing::WithParamInterface<ToneCase> {
protected:
    static constexpr int kWidth = 128;
    static constexpr int kHeight = 72;

    Bitmap Picture(const QString& path, bool toneMapping)
    {
        engine.SetPictureOptions({toneMapping, true});
        engine.OpenMedia(path);
        return Shot(engine, 0, GetParam().series);
    }
};

// The pictures of a tone-mapped video match the command line's chain on the same
// frame; an SDR video's are what they are without tone mapping, byte for byte.
TEST_P(ToneMappedPictures, MatchTheCommandLineChain)
{
    const ToneCase& c = GetParam();
    const QString path = dir.filePath(QStringLiteral("bars.mkv"));
    WriteColorBars(path, c.transfer, kWidth, kHeight);
    const Bitmap mapped = Picture(path, true);
    const Bitmap plain = Picture(path, false);
    ASSERT_EQ(mapped.width(), kWidth);
    ASSERT_EQ(mapped.height(), kHeight);
    if (c.transfer == BarsTransfer::Sdr) {
        EXPECT_TRUE(mapped == plain);
        EXPECT_EQ(engine.GetVideoColor().hdr, HdrTransfer::None);
        return;
    }
    EXPECT_EQ(engine.GetVideoColor().hdr, c.transfer == BarsTransfer::Pq ? HdrTransfer::Pq : HdrTransfer::Hlg);
    const Bitmap reference = CommandLinePicture(
        path,
        QStringLiteral("zscale=t=linear:npl=100,format=gbrpf32le,zscale=p=bt709,tonemap=tonemap=mobius:desat=0,"
                       "zscale=t=bt709:m=bt709:r=tv,format=rgb24"),
        kWidth, kHeight);
    ASSERT_FALSE(reference.isEmpty());
    EXPECT_LE(MeanDifference(mapped, reference), 2.0);
    // Untouched, the pictures are washed out: far from what the chain shows.
    EXPECT_GT(MeanDifference(plain, reference), 10.0);
    const int y = ColorBarRow(kHeight);
    for (int x : ColorBarCentres(kWidth)) {
        for (int channel = 0; channel < 3; ++channel) {
            const int got = mapped.row(y)[x * 3 + channel];
            const int want = reference.row(y)[x * 3 + channel];
            EXPECT_LE(std::abs(got - want), 6) << "bar at x " << x << ", channel " << channel;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Transfers, ToneMappedPictures,
    ::testing::Values(ToneCase{"PqShot", BarsTransfer::Pq, false}, ToneCase{"PqSeries", BarsTransfer::Pq, true},
                      ToneCase{"HlgShot", BarsTransfer::Hlg, false}, ToneCase{"HlgSeries", BarsTransfer::Hlg, true},
                      ToneCase{"SdrShot", BarsTransfer::Sdr, false}, ToneCase{"SdrSeries", BarsTransfer::Sdr, true}),
    [](const auto& info) { return std::string(info.param.name); });

struct DiscCase {
    const char* name;
    DiscVideo kind;
    int width, height, speed;
};

void PrintTo(const DiscCase& c, std::ostream* os) { *os << c.name; }

class DeinterlacedPictures : public EngineTest, public ::testing::WithParamInterface<DiscCase> {};

// The column where the disc is brightest on the middle row.
int DiscPeakX(const Bitmap& picture)
{
    const std::uint8_t* row = picture.row(picture.height() / 2);
    int peak = 0;
    for (int x = 1; x < picture.width(); ++x)
        if (row[x * 3 + 1] > row[peak * 3 + 1])
            peak = x;
    return peak;
}

// Seeks, the series and key frames give shots as smooth as the progressive source,
// each showing the moment of its frame's first field; left woven they are combed.
TEST_P(DeinterlacedPictures, ShotsAreAsSmoothAsTheSourceAndShowTheirFrame)
{
    const DiscCase& c = GetParam();
    const QString source = dir.filePath(QStringLiteral("source.mkv"));
    const QString woven = dir.filePath(QStringLiteral("woven.mkv"));
    WriteMovingDisc(source, DiscVideo::Progressive, c.width, c.height, c.speed, 27);
    WriteMovingDisc(woven, c.kind, c.width, c.height, c.speed, 27);
    KeyFrameGrabber keyFrames(woven);
    for (std::int64_t second : {0, 1}) {
        SCOPED_TRACE(second);
        engine.OpenMedia(source);
        const double smooth = CombMeasure(Shot(engine, second, false));
        engine.SetPictureOptions({true, false});
        engine.OpenMedia(woven);
        EXPECT_GT(CombMeasure(Shot(engine, second, false)), 1.5 * smooth) << "the woven pictures are combed";
        engine.SetPictureOptions({true, true});
        engine.OpenMedia(woven);
        const Bitmap shot = Shot(engine, second, false);
        ASSERT_FALSE(shot.isEmpty());
        EXPECT_NEAR(CombMeasure(shot), smooth, 0.1 * smooth);
        EXPECT_NEAR(DiscPeakX(shot), DiscCentreX(c.speed, int(second) * 50), 2);
        EXPECT_TRUE(Shot(engine, second, true) == shot) << "the series gives the seek's picture";
        Bitmap keyFrame;
        std::int64_t units = 0;
        ASSERT_TRUE(keyFrames.Grab(second * kUnitsPerSecond, keyFrame, units));
        EXPECT_NEAR(CombMeasure(keyFrame), smooth, 0.1 * smooth) << "a key frame alone";
    }
}

INSTANTIATE_TEST_SUITE_P(Interlaced, DeinterlacedPictures,
                         ::testing::Values(DiscCase{"Mpeg2Pal", DiscVideo::InterlacedMpeg2, 720, 576, 8},
                                           DiscCase{"H264FullHd", DiscVideo::InterlacedH264, 1920, 1080, 16}),
                         [](const auto& info) { return std::string(info.param.name); });

// Flat pictures of every small width (and some odd larger ones) through the filters: the
// libraries write only into buffers of their own, and the pictures come out whole and flat.
TEST(PictureFilters, EveryWidthComesOutFlatAndWhole)
{
    FrameConverter converter;
    std::vector<int> widths{199, 360, 541, 1366};
    for (int width = 1; width <= 64; ++width)
        widths.push_back(width);
    for (const bool hdr : {true, false}) {
        for (int width : widths) {
            for (int height : {1, 4, 6}) {
                FramePtr frame = MakeFrame();
                frame->format = hdr ? AV_PIX_FMT_YUV420P10LE : AV_PIX_FMT_YUV420P;
                frame->width = width;
                frame->height = height;
                frame->color_trc = hdr ? AVCOL_TRC_SMPTE2084 : AVCOL_TRC_BT709;
                frame->interlaced_frame = hdr ? 0 : 1;
                ASSERT_GE(av_frame_get_buffer(frame.get(), 0), 0);
                for (int plane = 0; plane < 3; ++plane) {
                    const int shift = plane == 0 ? 0 : 1;
                    for (int y = 0; y < (height + shift) >> shift; ++y) {
                        std::uint8_t* row = frame->data[plane] + y * frame->linesize[plane];
                        const int samples = (width + shift) >> shift;
                        for (int x = 0; x < samples; ++x) {
                            if (hdr)
                                reinterpret_cast<std::uint16_t*>(row)[x] = plane == 0 ? 500 : 512;
                            else
                                row[x] = plane == 0 ? 150 : 128;
                        }
                    }
                }
                const DisplayGeometry geometry = ComputeDisplayGeometry(width, height, 1, 1, nullptr);
                for (const FrameNeighbours& neighbours : {FrameNeighbours{}, FrameNeighbours{frame.get(), nullptr}}) {
                    const Bitmap picture = converter.Convert(*frame, geometry, neighbours);
                    ASSERT_EQ(picture.width(), width);
                    ASSERT_EQ(picture.height(), height);
                    for (int y = 0; y < height; ++y) {
                        // The tone-mapping chain dithers its float pictures to 8 bits.
                        for (int x = 0; x < width * 3; ++x)
                            ASSERT_NEAR(picture.row(y)[x], picture.row(0)[x % 3], 4) << width << " x " << height;
                        for (std::size_t pad = std::size_t(width) * 3; pad < picture.stride(); ++pad)
                            ASSERT_EQ(picture.row(y)[pad], 0) << "row padding stays zero at width " << width;
                    }
                }
            }
        }
    }
}

}  // namespace
}  // namespace sm::test
