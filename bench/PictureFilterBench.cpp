// HDR tone mapping and deinterlacing in the engine's picture conversion, each measured
// beside the same grabs without it in one run: a 3840 x 2160 10-bit HEVC PQ grab beside
// the ffmpeg command line's tone-mapping chain on that one frame alone, the series'
// speed-up on that video with and without tone mapping, and twelve exact and key-frame
// grabs of a 576i MPEG-2 and a 1080i H.264 video with and without deinterlacing.

#include <QProcess>

#include <cstdlib>
#include <memory>
#include <vector>

#include <benchmark/benchmark.h>

#include "BenchSupport.h"
#include "common/Bitmap.h"
#include "video/FfmpegEngine.h"
#include "video/KeyFrameGrabber.h"
#include "video/SeekSeries.h"

namespace {

constexpr std::int64_t kUnitsPerSecond = 10'000'000;
constexpr int kSeconds = 12;
// The grab of the tone-mapping group: a key frame, as the command line's -ss lands on.
constexpr int kGrabSecond = 6;
const char* const kToneMapChain = "zscale=t=linear:npl=100,format=gbrpf32le,zscale=p=bt709,"
                                  "tonemap=tonemap=mobius:desat=0,zscale=t=bt709:m=bt709:r=tv,format=rgb24";

struct FilterVideo {
    const char* name;
    const char* path;
    QStringList arguments;
};

// Test patterns carried to PQ the way a phone's HDR10 is tagged, a key frame every 2 s.
const FilterVideo kHdrVideo{
    "hevc10_pq_2160p",
    "/tmp/stillmark-bench/hevc10-pq-2160p-gop2s.mkv",
    {"-f", "lavfi", "-i", "testsrc2=size=3840x2160:rate=25:duration=12", "-vf",
     "zscale=tin=bt709:pin=bt709:min=bt709:rin=tv:t=smpte2084:p=bt2020:m=bt2020nc:r=tv:npl=100,format=yuv420p10le",
     "-c:v", "libx265", "-preset", "ultrafast", "-x265-params", "keyint=50:min-keyint=50:scenecut=0:log-level=error",
     "-color_primaries", "bt2020", "-color_trc", "smpte2084", "-colorspace", "bt2020nc"}};

// Test patterns at 50 frames a second woven into 25 interlaced frames, top field first.
const FilterVideo kInterlacedVideos[] = {
    {"mpeg2_576i",
     "/tmp/stillmark-bench/mpeg2-576i.mkv",
     {"-f", "lavfi", "-i", "testsrc2=size=720x576:rate=50:duration=12", "-vf", "interlace=scan=tff:lowpass=0", "-c:v",
      "mpeg2video", "-q:v", "3", "-g", "12", "-flags", "+ildct+ilme", "-top", "1", "-pix_fmt", "yuv420p"}},
    {"h264_1080i",
     "/tmp/stillmark-bench/h264-1080i.mkv",
     {"-f", "lavfi", "-i", "testsrc2=size=1920x1080:rate=50:duration=12", "-vf", "interlace=scan=tff:lowpass=0", "-c:v",
      "libx264", "-preset", "veryfast", "-g", "50", "-flags", "+ildct+ilme", "-x264opts", "tff=1", "-pix_fmt",
      "yuv420p"}},
};

bool Generated(const FilterVideo& video, benchmark::State& state)
{
    return sm::bench::EnsureVideo(state, video.path, video.arguments);
}

std::vector<std::int64_t> Positions()
{
    std::vector<std::int64_t> seconds;
    for (int i = 1; i <= 12; ++i)
        seconds.push_back(kSeconds * i / 13);
    return seconds;
}

void Open(sm::FfmpegEngine& engine, const FilterVideo& video, const sm::PictureOptions& options)
{
    engine.SetActive(true);
    engine.SetPictureOptions(options);
    engine.OpenMedia(QString::fromUtf8(video.path));
}

// Arg: 0 without tone mapping, 1 with. One exact grab of a fresh engine, as a shot of
// the command line takes it.
void BM_ToneMapGrab(benchmark::State& state)
{
    if (!Generated(kHdrVideo, state))
        return;
    for (auto _ : state) {
        sm::FfmpegEngine engine;
        Open(engine, kHdrVideo, {state.range(0) != 0, true});
        engine.SeekTo(kGrabSecond);
        sm::Bitmap picture;
        engine.GrabSeekFrame(picture, 120000);
        benchmark::DoNotOptimize(picture);
    }
    state.SetLabel(std::string(kHdrVideo.name) + (state.range(0) ? " tone-mapped" : " as it is"));
}

// The command line's chain on the same frame alone, the tone mapping's budget beside
// the grab without it.
void BM_CommandLineToneMapChain(benchmark::State& state)
{
    if (!Generated(kHdrVideo, state))
        return;
    for (auto _ : state) {
        QProcess ffmpeg;
        ffmpeg.start(QStringLiteral("ffmpeg"),
                     {"-v", "error", "-ss", QString::number(kGrabSecond), "-i", kHdrVideo.path, "-vf", kToneMapChain,
                      "-frames:v", "1", "-f", "rawvideo", "-pix_fmt", "rgb24", "-"});
        ffmpeg.waitForFinished(-1);
        benchmark::DoNotOptimize(ffmpeg.readAllStandardOutput());
    }
    state.SetLabel(kHdrVideo.name);
}

// Args: 1 through the engine's series, 0 one seek after another; tone mapping off or on.
// Twelve exact grabs; the CPU time is the whole process's.
void BM_ToneMapSeries(benchmark::State& state)
{
    if (!Generated(kHdrVideo, state))
        return;
    const bool engineSeries = state.range(0) != 0;
    for (auto _ : state) {
        sm::FfmpegEngine engine;
        Open(engine, kHdrVideo, {state.range(1) != 0, true});
        const std::unique_ptr<sm::SeekSeries> series
            = engineSeries ? engine.StartSeekSeries(Positions())
                           : std::make_unique<sm::EngineSeekSeries>(engine, Positions());
        for (std::size_t i = 0; i < Positions().size(); ++i) {
            series->SeekNext();
            sm::Bitmap picture;
            series->GrabSeekFrame(picture, 120000);
            benchmark::DoNotOptimize(picture);
        }
    }
    state.SetLabel(std::string(kHdrVideo.name) + (engineSeries ? " series" : " one by one")
                   + (state.range(1) ? " tone-mapped" : " as it is"));
}

// Args: the video (0 576i MPEG-2, 1 1080i H.264); deinterlacing off or on. Twelve exact
// grabs of one engine, each with its picture decoded and converted.
void BM_DeinterlaceGrab(benchmark::State& state)
{
    const FilterVideo& video = kInterlacedVideos[state.range(0)];
    if (!Generated(video, state))
        return;
    for (auto _ : state) {
        sm::FfmpegEngine engine;
        Open(engine, video, {true, state.range(1) != 0});
        for (std::int64_t second : Positions()) {
            engine.SeekTo(second);
            sm::Bitmap picture;
            engine.GrabSeekFrame(picture, 60000);
            benchmark::DoNotOptimize(picture);
        }
    }
    state.counters["pictures"] = double(Positions().size());
    state.SetLabel(std::string(video.name) + (state.range(1) ? " deinterlaced" : " woven"));
}

// The same for the key frames of the command line's --keyframes, each deinterlaced
// without neighbours.
void BM_DeinterlaceKeyFrames(benchmark::State& state)
{
    const FilterVideo& video = kInterlacedVideos[state.range(0)];
    if (!Generated(video, state))
        return;
    for (auto _ : state) {
        sm::KeyFrameGrabber grabber(QString::fromUtf8(video.path), {true, state.range(1) != 0});
        for (std::int64_t second : Positions()) {
            sm::Bitmap picture;
            std::int64_t units = 0;
            grabber.Grab(second * kUnitsPerSecond, picture, units);
            benchmark::DoNotOptimize(picture);
        }
    }
    state.counters["pictures"] = double(Positions().size());
    state.SetLabel(std::string(video.name) + (state.range(1) ? " deinterlaced" : " woven"));
}

}  // namespace

BENCHMARK(BM_ToneMapGrab)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CommandLineToneMapChain)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ToneMapSeries)
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime();
BENCHMARK(BM_DeinterlaceGrab)
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_DeinterlaceKeyFrames)
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
