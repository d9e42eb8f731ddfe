// The work an automatic capture does beyond its mandated waits (seek, grab, thumbnail,
// list), on a full-HD H.264 video; saving 100 full-HD shots as JPEG q90 with time stamps
// beside encoding the same pictures into files with the bare JPEG library, and from the
// packed shot store beside a store of plain copies; packing and expanding one shot; and
// the peak memory of 999 stored shots, packed and as plain copies.

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <map>
#include <random>
#include <vector>

#include <benchmark/benchmark.h>

#include <jpeglib.h>
#include <unistd.h>

#include "BenchSupport.h"
#include "capture/AutoCapture.h"
#include "capture/HeadlessRunHost.h"
#include "capture/ShotFiles.h"
#include "capture/ShotList.h"
#include "common/PackedBitmap.h"
#include "output/Encoders.h"
#include "settings/Settings.h"
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
    bool GrabTimedSeekFrame(sm::Bitmap& bitmap, int waitMs, std::int64_t& frameUnits) override
    {
        return Timed("GrabSeekFrame", [&] { return engine_.GrabTimedSeekFrame(bitmap, waitMs, frameUnits); });
    }
    sm::SeekProgress GetSeekProgress() const override { return engine_.GetSeekProgress(); }
    bool StepSeekFrame() override { return engine_.StepSeekFrame(); }
    std::unique_ptr<sm::SeekSeries> StartSeekSeries(std::vector<std::int64_t> seconds,
                                                    const sm::SkipRule& skip = {}) override
    {
        return passSeries_ ? engine_.StartSeekSeries(std::move(seconds), skip)
                           : MediaEngine::StartSeekSeries(std::move(seconds), skip);
    }
    void GetVideoSize(int& width, int& height) const override { engine_.GetVideoSize(width, height); }
    QString ListFilterNames() const override { return engine_.ListFilterNames(); }
    void SetMuted(bool muted) override { engine_.SetMuted(muted); }
    void SetPicturesWatched(bool watched) override { engine_.SetPicturesWatched(watched); }

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

// Args: CaptureSpeed in seconds, 1 when the engine's own series takes shots without
// settling (0: one seek after another), and 1 when the played pictures are watched (0:
// the video view is hidden, as the main window's is during the run). The time beyond the 12 x CaptureSpeed seconds
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
    ffmpeg.SetPicturesWatched(state.range(2) != 0);
    ffmpeg.OpenMedia(QString::fromUtf8(kVideoPath));
    TimedEngine engine(ffmpeg, state.range(1) != 0);
    sm::ShotList shots;
    MeasuredWait wait;
    sm::HeadlessRunHost host(wait.Function());
    sm::RunControl control;
    const sm::AutoCaptureRequest request{sm::CaptureMethod::CountOfShots, 12,           60, 0,
                                         int(engine.GetDuration()),       captureSpeed, {}};
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
    ->Args({0, 0, 0})
    ->Args({0, 1, 0})
    ->Args({1, 1, 0})
    ->Args({2, 1, 0})
    ->Args({2, 1, 1})
    ->Iterations(1)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// The pictures of the shots, as plain copies: the store of shots as it was before it
// packed them.
std::vector<sm::ShotToSave> PlainCopies(const std::vector<sm::ShotToSave>& shots)
{
    std::vector<sm::ShotToSave> plain;
    for (const sm::ShotToSave& shot : shots)
        plain.push_back({shot.Label, std::make_shared<const sm::Bitmap>(shot.Picture.expand())});
    return plain;
}

// What a shot costs besides the engine: the grab's copy of a full-HD frame, then its
// thumbnail, its packed copy and its row as the frame goes into the shot list. The frame
// is a captured one when BM_AutoCaptureTwelveShots ran, else black.
void BM_GrabCopyAndAddShotFullHd(benchmark::State& state)
{
    const sm::Bitmap presented
        = CapturedShots().empty() ? sm::Bitmap(1920, 1080, 24) : CapturedShots()[0].Picture.expand();
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

// The settings of the saving benchmarks: JPEG q90 at the shots' own size, stamped or not.
sm::AppSettings JpegSaveSettings(const QTemporaryDir& folder, bool stamped)
{
    sm::AppSettings settings;
    settings.OutputFolder = folder.path();
    settings.SaveFormat = 0;
    settings.JpgCompress = 90;
    settings.NeedResize = false;
    settings.AddTimeStamp = stamped;
    return settings;
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
    sm::AppSettings settings = JpegSaveSettings(folder, state.range(0) != 0);
    sm::Encoders encoders;
    sm::HeadlessRunHost host;
    sm::RunControl control;
    int written = 0;
    for (auto _ : state) {
        sm::SaveShotsRun run(settings, host, control, sm::BitmapFileWriter(settings, encoders));
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
    const std::vector<sm::ShotToSave> shots = PlainCopies(HundredShots());
    if (shots.empty()) {
        state.SkipWithError("needs the shots of BM_AutoCaptureTwelveShots");
        return;
    }
    QTemporaryDir folder;
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    sm::Bitmap unused;  // the pictures are plain: each is read where it is
    for (auto _ : state) {
        for (std::size_t i = 0; i < shots.size(); ++i) {
            const sm::Bitmap& picture = shots[i].Picture.expandedIn(unused);
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

double ProcessCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// The save of 100 shots from the packed shot store beside the same save from plain
// copies of the same pictures, JPEG q90 with time stamps, the two alternating within
// every iteration so that both see the same load; the processor time of the process is
// reported beside the wall time, as it suffers less from other work on the machine.
// Arg 0 saves the shots at their own size, 1 shrinks them to 320 x 240 first (the
// hardest case for the packed store: the expansion then costs more than the rest).
void BM_SaveHundredShotsPackedVsPlain(benchmark::State& state)
{
    const std::vector<sm::ShotToSave> packed = HundredShots();
    if (packed.empty()) {
        state.SkipWithError("needs the shots of BM_AutoCaptureTwelveShots");
        return;
    }
    const std::vector<sm::ShotToSave> plain = PlainCopies(packed);
    QTemporaryDir folder;
    sm::AppSettings settings = JpegSaveSettings(folder, true);
    settings.NeedResize = state.range(0) != 0;
    settings.ShotsWidth = 320;
    settings.ShotsHeight = 240;
    sm::Encoders encoders;
    sm::HeadlessRunHost host;
    sm::RunControl control;
    struct Spent {
        double wallMs = 0, cpuMs = 0;
        int files = 0;
    };
    const auto save = [&](const std::vector<sm::ShotToSave>& shots, Spent& spent) {
        QElapsedTimer clock;
        clock.start();
        const double cpuStart = ProcessCpuMs();
        sm::SaveShotsRun run(settings, host, control, sm::BitmapFileWriter(settings, encoders));
        spent.files = run.Run(shots, [] { return QStringLiteral("bench_"); }).Written;
        spent.cpuMs += ProcessCpuMs() - cpuStart;
        spent.wallMs += double(clock.nsecsElapsed()) / 1e6;
    };
    Spent fromPlain, fromPacked;
    int round = 0;
    for (auto _ : state) {
        if (round++ % 2 == 0) {
            save(plain, fromPlain);
            save(packed, fromPacked);
        } else {
            save(packed, fromPacked);
            save(plain, fromPlain);
        }
    }
    const double iterations = double(state.iterations());
    state.counters["plain_ms"] = fromPlain.wallMs / iterations;
    state.counters["packed_ms"] = fromPacked.wallMs / iterations;
    state.counters["packed_over_plain"] = fromPacked.wallMs / fromPlain.wallMs;
    state.counters["plain_cpu_ms"] = fromPlain.cpuMs / iterations;
    state.counters["packed_cpu_ms"] = fromPacked.cpuMs / iterations;
    state.counters["packed_over_plain_cpu"] = fromPacked.cpuMs / fromPlain.cpuMs;
    state.counters["files"] = std::min(fromPlain.files, fromPacked.files);
}
BENCHMARK(BM_SaveHundredShotsPackedVsPlain)->Arg(0)->Arg(1)->Iterations(4)->Unit(benchmark::kMillisecond);

// A full-HD picture of fine grain over gradients, no two neighbours alike: far harder to
// pack than a video frame.
sm::Bitmap GrainPicture()
{
    sm::Bitmap picture(1920, 1080, 24);
    std::mt19937 random(11);
    std::uniform_int_distribution<int> grain(-8, 8);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width() * 3; ++x)
            picture.row(y)[x] = std::uint8_t(std::clamp(x / 24 + y / 8 + (x % 3) * 40 + grain(random), 0, 255));
    return picture;
}

// Arg 0: a captured frame of the video, 1: the grain picture. Packing one full-HD shot,
// with the share of its size that it keeps.
const sm::Bitmap& ShotToPack(benchmark::State& state)
{
    static const sm::Bitmap grain = GrainPicture();
    static sm::Bitmap frame;
    if (state.range(0) == 1)
        return grain;
    if (frame.isEmpty() && !CapturedShots().empty())
        frame = CapturedShots()[0].Picture.expand();
    if (frame.isEmpty())
        state.SkipWithError("needs the shots of BM_AutoCaptureTwelveShots");
    return frame;
}

void BM_PackShotFullHd(benchmark::State& state)
{
    const sm::Bitmap& picture = ShotToPack(state);
    std::size_t packedSize = 0;
    for (auto _ : state)
        packedSize = sm::PackedBitmap(picture).packedSize();
    state.counters["packed_percent"]
        = picture.isEmpty() ? 0.0 : 100.0 * double(packedSize) / double(picture.byteSize());
}
BENCHMARK(BM_PackShotFullHd)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Expanding one full-HD shot into a reused bitmap, as saving does, beside the plain copy
// that saving made of it before.
void BM_ExpandShotFullHd(benchmark::State& state)
{
    const sm::Bitmap& picture = ShotToPack(state);
    const sm::PackedBitmap packed(picture);
    sm::Bitmap work;
    for (auto _ : state) {
        packed.expandInto(work);
        benchmark::DoNotOptimize(work.bits());
    }
}
BENCHMARK(BM_ExpandShotFullHd)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_CopyPlainShotFullHd(benchmark::State& state)
{
    const sm::Bitmap& picture = ShotToPack(state);
    sm::Bitmap work;
    for (auto _ : state) {
        work = picture;
        benchmark::DoNotOptimize(work.bits());
    }
}
BENCHMARK(BM_CopyPlainShotFullHd)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Arg 1: the shot list as it is, 0: a store of plain copies with the same thumbnails.
// 999 full-HD shots cycling through the captured frames, each read back once, in a
// process of its own (stillmark_shot_memory) whose peak resident memory is reported.
void BM_ShotStorePeakMemory(benchmark::State& state)
{
    const std::vector<sm::ShotToSave>& twelve = CapturedShots();
    if (twelve.empty()) {
        state.SkipWithError("needs the shots of BM_AutoCaptureTwelveShots");
        return;
    }
    QTemporaryDir folder;
    const QString framesPath = QDir(folder.path()).filePath(QStringLiteral("frames.raw"));
    QFile frames(framesPath);
    if (!frames.open(QIODevice::WriteOnly)) {
        state.SkipWithError("cannot write the frames");
        return;
    }
    for (const sm::ShotToSave& shot : twelve) {
        const sm::Bitmap picture = shot.Picture.expand();
        const std::int32_t size[2] = {picture.width(), picture.height()};
        frames.write(reinterpret_cast<const char*>(size), sizeof size);
        frames.write(reinterpret_cast<const char*>(picture.bits()), qint64(picture.byteSize()));
    }
    frames.close();
    const QString store = state.range(0) != 0 ? QStringLiteral("packed") : QStringLiteral("plain");
    std::map<QString, double> figures;
    for (auto _ : state) {
        QProcess child;
        child.start(QCoreApplication::applicationDirPath() + QStringLiteral("/stillmark_shot_memory"),
                    {framesPath, store, QStringLiteral("999")});
        if (!child.waitForFinished(-1) || child.exitCode() != 0) {
            state.SkipWithError("stillmark_shot_memory failed");
            return;
        }
        for (const QString& line : QString::fromLatin1(child.readAllStandardOutput()).split('\n'))
            if (const QStringList parts = line.split(' '); parts.size() == 2)
                figures[parts[0]] = parts[1].toDouble();
    }
    state.counters["peak_MiB"] = figures["peak_kib"] / 1024;
    state.counters["add_ms_per_shot"] = figures["add_ms_per_shot"];
    state.counters["read_ms_per_shot"] = figures["read_ms_per_shot"];
}
BENCHMARK(BM_ShotStorePeakMemory)->Arg(1)->Arg(0)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
