// The work an automatic capture does beyond its mandated waits (seek, grab, thumbnail,
// list), on a full-HD H.264 video, and saving 100 full-HD shots as JPEG q90 with time
// stamps beside encoding the same pictures into files with the bare JPEG library.

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>
#include <map>
#include <vector>

#include <benchmark/benchmark.h>

#include <jpeglib.h>
#include <unistd.h>

#include "BenchSupport.h"
#include "app/Settings.h"
#include "capture/AutoCapture.h"
#include "capture/HeadlessRunHost.h"
#include "capture/ShotList.h"
#include "output/Encoders.h"
#include "output/SaveShots.h"
#include "video/DelayWithMessages.h"
#include "video/FfmpegEngine.h"
#include "video/SeekSeries.h"

namespace {

constexpr int kVideoSeconds = 24;
const char* const kVideoPath = "/tmp/stillmark-bench/capture-h264-1080p-24s.mp4";

// A full-HD H.264 video with B-frames and a key frame every 10 s, made once.
bool EnsureVideo(benchmark::State& state)
{
    return sm::bench::EnsureTestVideo(state, kVideoPath, 1920, 1080, kVideoSeconds,
                                      {"-c:v", "libx264", "-preset", "veryfast", "-bf", "3", "-g", "250", "-keyint_min",
                                       "250", "-sc_threshold", "0"});
}

// Waits as the program does and adds up the time really spent waiting, which may
// overshoot what was asked for.
struct MeasuredWait {
    double waitedMs = 0;
    sm::WaitFunction Function()
    {
        return [this](int milliseconds) {
            QElapsedTimer clock;
            clock.start();
            sm::DelayWithMessages(milliseconds);
            waitedMs += double(clock.nsecsElapsed()) / 1e6;
        };
    }
};

// Passes every call on to the real engine and adds up the time each kind of call takes.
// Without passSeries, a series of seeks is taken one seek after another through the
// timed calls, as an engine without a series of its own does.
class TimedEngine : public sm::MediaEngine {
public:
    TimedEngine(sm::MediaEngine& engine, bool passSeries) : engine_(engine), passSeries_(passSeries) {}

    std::map<std::string, double> millis;

    bool SetActive(bool on) override { return engine_.SetActive(on); }
    bool IsActive() const override { return engine_.IsActive(); }
    void ClearGraph() override { engine_.ClearGraph(); }
    void OpenMedia(const QString& path) override { engine_.OpenMedia(path); }
    bool Play() override
    {
        return Timed("Play", [&] { return engine_.Play(); });
    }
    bool Pause() override { return engine_.Pause(); }
    bool Stop() override
    {
        return Timed("Stop", [&] { return engine_.Stop(); });
    }
    sm::PlayState GetPlayState() const override { return engine_.GetPlayState(); }
    std::int64_t GetDuration() const override { return engine_.GetDuration(); }
    std::int64_t GetStopPosition() const override { return engine_.GetStopPosition(); }
    bool SeekTo(std::int64_t seconds) override
    {
        return Timed("SeekTo", [&] { return engine_.SeekTo(seconds); });
    }
    bool SeekToUnits(std::int64_t units) override { return engine_.SeekToUnits(units); }
    bool GrabTimedFrame(sm::Bitmap& bitmap, std::int64_t& frameUnits) override
    {
        return engine_.GrabTimedFrame(bitmap, frameUnits);
    }
    bool GrabSeekFrame(sm::Bitmap& bitmap, int waitMs) override
    {
        return Timed("GrabSeekFrame", [&] { return engine_.GrabSeekFrame(bitmap, waitMs); });
    }
    sm::SeekProgress GetSeekProgress() const override { return engine_.GetSeekProgress(); }
    std::unique_ptr<sm::SeekSeries> StartSeekSeries(std::vector<std::int64_t> seconds) override
    {
        return passSeries_ ? engine_.StartSeekSeries(std::move(seconds))
                           : MediaEngine::StartSeekSeries(std::move(seconds));
    }
    void GetVideoSize(int& width, int& height) const override { engine_.GetVideoSize(width, height); }
    QString ListFilterNames() const override { return engine_.ListFilterNames(); }
    void SetMuted(bool muted) override { engine_.SetMuted(muted); }

private:
    template <typename Call>
    bool Timed(const char* name, Call call)
    {
        QElapsedTimer clock;
        clock.start();
        const bool result = call();
        millis[name] += double(clock.nsecsElapsed()) / 1e6;
        return result;
    }

    sm::MediaEngine& engine_;
    bool passSeries_;
};

// Twelve shots of the video, taken once and shared by the save benchmarks.
std::vector<sm::ShotToSave>& CapturedShots()
{
    static std::vector<sm::ShotToSave> shots;
    return shots;
}

// Args: CaptureSpeed in seconds, and 1 when the engine's own series takes shots without
// settling (0: one seek after another). The time beyond the 12 x CaptureSpeed seconds
// of mandated waits is reported per shot; the CPU column is the whole process's time on
// every core (the engine decodes on threads of its own), so that the work done for the
// pictures played during the waits shows beside the work of CaptureSpeed 0.
void BM_AutoCaptureTwelveShots(benchmark::State& state)
{
    if (!EnsureVideo(state))
        return;
    const int captureSpeed = int(state.range(0));
    sm::FfmpegEngine ffmpeg;
    ffmpeg.SetActive(true);
    ffmpeg.OpenMedia(QString::fromUtf8(kVideoPath));
    TimedEngine engine(ffmpeg, state.range(1) != 0);
    sm::ShotList shots;
    MeasuredWait wait;
    sm::HeadlessRunHost host(wait.Function());
    sm::RunControl control;
    const sm::AutoCaptureRequest request{sm::CaptureMethod::CountOfShots, 12,          60, 0,
                                         int(engine.GetDuration()),       captureSpeed};
    double beyondWaitsMs = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        sm::AutoCapture(engine, shots, host, control).Run(request);
        beyondWaitsMs += double(clock.nsecsElapsed()) / 1e6 - 12.0 * 1000 * captureSpeed;
    }
    if (shots.RowCount() != 12)
        state.SkipWithError("the capture did not take twelve shots");
    CapturedShots() = shots.ShotsInDisplayOrder();
    const double shotsTaken = 12.0 * double(state.iterations());
    const double overshootMs = wait.waitedMs - 12.0 * 1000 * captureSpeed * double(state.iterations());
    state.counters["ms_per_shot_beyond_waits"] = beyondWaitsMs / shotsTaken;
    state.counters["ms_per_shot_of_wait_overshoot"] = overshootMs / shotsTaken;
    for (const auto& [call, ms] : engine.millis)
        state.counters["ms_per_shot_in_" + call] = ms / shotsTaken;
}
BENCHMARK(BM_AutoCaptureTwelveShots)
    ->Args({0, 0})
    ->Args({0, 1})
    ->Args({1, 1})
    ->Args({2, 1})
    ->Iterations(1)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// What a shot costs besides the engine: the grab's copy of a full-HD frame, then its
// thumbnail and row as the frame goes into the shot list.
void BM_GrabCopyAndAddShotFullHd(benchmark::State& state)
{
    const sm::Bitmap presented(1920, 1080, 24);
    sm::ShotList shots;
    for (auto _ : state) {
        if (shots.RowCount() == 12) {
            state.PauseTiming();
            shots.ClearShots();
            state.ResumeTiming();
        }
        sm::Bitmap grabbed = presented;
        shots.AddShot(std::move(grabbed), QStringLiteral("00:00:08"));
    }
}
BENCHMARK(BM_GrabCopyAndAddShotFullHd)->Unit(benchmark::kMillisecond);

// 100 shots cycling through the twelve captured frames.
std::vector<sm::ShotToSave> HundredShots()
{
    std::vector<sm::ShotToSave> hundred;
    const std::vector<sm::ShotToSave>& twelve = CapturedShots();
    for (int i = 0; i < 100 && !twelve.empty(); ++i)
        hundred.push_back(twelve[std::size_t(i) % twelve.size()]);
    return hundred;
}

// Arg 1 stamps the time labels (as the goal asks), 0 leaves them out.
void BM_SaveHundredShotsJpeg90(benchmark::State& state)
{
    const std::vector<sm::ShotToSave> shots = HundredShots();
    if (shots.empty()) {
        state.SkipWithError("needs the shots of BM_AutoCaptureTwelveShots");
        return;
    }
    QTemporaryDir folder;
    sm::AppSettings settings;
    settings.OutputFolder = folder.path();
    settings.SaveFormat = 0;
    settings.JpgCompress = 90;
    settings.NeedResize = false;
    settings.AddTimeStamp = state.range(0) != 0;
    sm::Encoders encoders;
    sm::Bitmap conversion;
    sm::HeadlessRunHost host;
    sm::RunControl control;
    int written = 0;
    for (auto _ : state) {
        sm::SaveShotsRun run(settings, host, control, sm::BitmapFileWriter(settings, encoders, conversion));
        written = run.Run(shots, [] { return QStringLiteral("bench_"); }).Written;
    }
    state.counters["files"] = written;
}
BENCHMARK(BM_SaveHundredShotsJpeg90)->Arg(1)->Arg(0)->Iterations(3)->Unit(benchmark::kMillisecond);

// The floor: the same 100 pictures encoded by the JPEG library straight into files.
// Arg 1 also flushes each file to the disk before the next, as a safe save does.
void BM_SaveHundredShotsBareJpegLibrary(benchmark::State& state)
{
    const bool syncEachFile = state.range(0) != 0;
    const std::vector<sm::ShotToSave> shots = HundredShots();
    if (shots.empty()) {
        state.SkipWithError("needs the shots of BM_AutoCaptureTwelveShots");
        return;
    }
    QTemporaryDir folder;
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    for (auto _ : state) {
        for (std::size_t i = 0; i < shots.size(); ++i) {
            const sm::Bitmap& picture = *shots[i].Picture;
            const QByteArray name
                = QDir(folder.path()).filePath(QStringLiteral("bare_%1.jpg").arg(i + 1)).toLocal8Bit();
            std::FILE* file = std::fopen(name.constData(), "wb");
            jpeg_stdio_dest(&info, file);
            sm::bench::CompressWithBareLibrary(info, picture, 90);
            if (syncEachFile) {
                std::fflush(file);
                fdatasync(fileno(file));
            }
            std::fclose(file);
        }
    }
    jpeg_destroy_compress(&info);
}
BENCHMARK(BM_SaveHundredShotsBareJpegLibrary)->Arg(0)->Arg(1)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
