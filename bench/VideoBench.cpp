// Exact seek and grab at twelve positions of long generated videos, measured in one
// run beside the ffmpeg command line grabbing the same frames and beside two floors:
// decoding every picture from each target's key frame up to the target with the bare
// libavcodec, and decoding only what the engine decodes (it leaves out the unseen
// pictures nothing refers to). The engine's pictures are compared with the command
// line's. No case depends on another having run, so that repetitions of all of them
// may be interleaved at random (see README).

#include <QBuffer>
#include <QByteArray>
#include <QProcess>

#include <cstring>
#include <map>
#include <stdexcept>
#include <vector>

#include <benchmark/benchmark.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include "BenchSupport.h"
#include "common/Bitmap.h"
#include "output/JpegEncoder.h"
#include "video/AvError.h"
#include "video/AvHandles.h"
#include "video/FfmpegEngine.h"
#include "video/MediaReader.h"
#include "video/SeekSeries.h"

namespace {

struct BenchVideo {
    const char* name;
    const char* path;
    int width;
    int height;
    int seconds;
    QStringList encoderArguments;
};

// The H.264 video is 2 minutes rather than 10: generating 10 minutes of 1080p takes
// over 20 minutes on two shared cores, and what a seek costs depends on the distance
// to the key frame before it (at most 10 s here), not on the length of the file.
const BenchVideo kVideos[] = {
    {"h264_1080p",
     "/tmp/stillmark-bench/h264-1080p.mp4",
     1920,
     1080,
     120,
     {"-c:v", "libx264", "-preset", "veryfast", "-bf", "3", "-g", "250", "-keyint_min", "250", "-sc_threshold", "0"}},
    {"mpeg4_480p", "/tmp/stillmark-bench/mpeg4-480p.avi", 640, 480, 600, {"-c:v", "mpeg4", "-q:v", "3", "-g", "250"}},
};

// Twelve positions spread over the video, at differing distances from the key frames.
std::vector<int> Positions(const BenchVideo& video)
{
    std::vector<int> seconds;
    for (int i = 1; i <= 12; ++i)
        seconds.push_back(video.seconds * i / 13);
    return seconds;
}

bool Generated(const BenchVideo& video, benchmark::State& state)
{
    return sm::bench::EnsureTestVideo(state, video.path, video.width, video.height, video.seconds,
                                      video.encoderArguments);
}

// An active engine with the video open, as the program has it after opening the file.
void OpenInEngine(sm::FfmpegEngine& engine, const BenchVideo& video)
{
    engine.SetActive(true);
    engine.OpenMedia(QString::fromUtf8(video.path));
}

sm::Bitmap CommandLineFrame(const BenchVideo& video, int second)
{
    QProcess ffmpeg;
    ffmpeg.start(QStringLiteral("ffmpeg"), {"-v", "error", "-ss", QString::number(second), "-i", video.path,
                                            "-frames:v", "1", "-f", "rawvideo", "-pix_fmt", "bgr24", "-"});
    ffmpeg.waitForFinished(-1);
    const QByteArray raw = ffmpeg.readAllStandardOutput();
    sm::Bitmap bitmap(video.width, video.height);
    if (raw.size() != qsizetype(bitmap.stride()) * video.height)
        return {};
    std::memcpy(bitmap.bits(), raw.constData(), std::size_t(raw.size()));
    return bitmap;
}

std::vector<sm::Bitmap> CommandLineFrames(const BenchVideo& video)
{
    std::vector<sm::Bitmap> frames;
    for (int second : Positions(video))
        frames.push_back(CommandLineFrame(video, second));
    return frames;
}

// The command line's frames of each video, for the engine's comparison: those of the
// last command-line case, or grabbed for the comparison (outside any timing).
std::map<int, std::vector<sm::Bitmap>>& ReferenceFrames()
{
    static std::map<int, std::vector<sm::Bitmap>> frames;
    return frames;
}

const std::vector<sm::Bitmap>& ReferenceFrames(int videoIndex)
{
    auto found = ReferenceFrames().find(videoIndex);
    if (found == ReferenceFrames().end())
        found = ReferenceFrames().emplace(videoIndex, CommandLineFrames(kVideos[videoIndex])).first;
    return found->second;
}

void CountIdenticalToCommandLine(benchmark::State& state, const std::vector<sm::Bitmap>& frames)
{
    const std::vector<sm::Bitmap>& reference = ReferenceFrames(int(state.range(0)));
    int identical = 0;
    for (std::size_t i = 0; i < frames.size() && i < reference.size(); ++i)
        identical += !frames[i].isEmpty() && frames[i] == reference[i];
    state.counters["identical_to_command_line"] = identical;
}

void BM_CommandLineGrab(benchmark::State& state)
{
    const BenchVideo& video = kVideos[state.range(0)];
    if (!Generated(video, state))
        return;
    std::vector<sm::Bitmap> frames;
    for (auto _ : state)
        frames = CommandLineFrames(video);
    ReferenceFrames()[int(state.range(0))] = std::move(frames);
    state.SetLabel(video.name);
}

void BM_EngineSeekGrab(benchmark::State& state)
{
    const BenchVideo& video = kVideos[state.range(0)];
    if (!Generated(video, state))
        return;
    std::vector<sm::Bitmap> frames;
    for (auto _ : state) {
        frames.clear();
        sm::FfmpegEngine engine;
        OpenInEngine(engine, video);
        for (int second : Positions(video)) {
            engine.SeekTo(second);
            sm::Bitmap frame;
            engine.GrabSeekFrame(frame, 60000);
            frames.push_back(std::move(frame));
        }
    }
    CountIdenticalToCommandLine(state, frames);
    state.SetLabel(video.name);
}

// The twelve shots of a capture at CaptureSpeed 0, each encoded as JPEG at quality 90
// as a save would. Arg 1: 1 takes them through the engine's series (several seconds
// decoded at once), 0 one seek after another. The CPU time is the whole process's.
void BM_EngineSeekGrabSeriesJpeg(benchmark::State& state)
{
    const BenchVideo& video = kVideos[state.range(0)];
    if (!Generated(video, state))
        return;
    const bool engineSeries = state.range(1) != 0;
    sm::JpegEncoder encoder;
    encoder.setQuality(90);
    std::vector<sm::Bitmap> frames;
    for (auto _ : state) {
        frames.clear();
        sm::FfmpegEngine engine;
        OpenInEngine(engine, video);
        const std::vector<int> positions = Positions(video);
        const std::vector<std::int64_t> seconds(positions.begin(), positions.end());
        const std::unique_ptr<sm::SeekSeries> series
            = engineSeries ? engine.StartSeekSeries(seconds) : std::make_unique<sm::EngineSeekSeries>(engine, seconds);
        for (std::size_t i = 0; i < seconds.size(); ++i) {
            series->SeekNext();
            sm::Bitmap frame;
            series->GrabSeekFrame(frame, 60000);
            QBuffer jpeg;
            jpeg.open(QIODevice::WriteOnly);
            if (!frame.isEmpty())
                encoder.encode(frame, jpeg);
            frames.push_back(std::move(frame));
        }
    }
    CountIdenticalToCommandLine(state, frames);
    state.SetLabel(std::string(video.name) + (engineSeries ? " series" : " one by one"));
}

// Seeks to the key frame before each target and decodes the pictures up to it: every
// one, or (skipUnseen) without the pictures the engine's seek leaves out.
void DecodeFloor(benchmark::State& state, bool skipUnseen)
{
    const BenchVideo& video = kVideos[state.range(0)];
    if (!Generated(video, state))
        return;
    std::int64_t decoded = 0;
    for (auto _ : state) {
        AVFormatContext* raw = nullptr;
        sm::ThrowIfAvError(avformat_open_input(&raw, video.path, nullptr, nullptr), "open");
        sm::InputFormatPtr format(raw);
        sm::ThrowIfAvError(avformat_find_stream_info(raw, nullptr), "stream info");
        const int index
            = sm::ThrowIfAvError(av_find_best_stream(raw, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0), "stream");
        AVStream* stream = raw->streams[index];
        const AVCodec* codec = avcodec_find_decoder(stream->codecpar->codec_id);
        sm::CodecContextPtr decoder(avcodec_alloc_context3(codec));
        avcodec_parameters_to_context(decoder.get(), stream->codecpar);
        decoder->pkt_timebase = stream->time_base;
        decoder->thread_count = 0;
        decoder->thread_type = FF_THREAD_FRAME | FF_THREAD_SLICE;
        sm::ThrowIfAvError(avcodec_open2(decoder.get(), codec, nullptr), "decoder");
        sm::PacketPtr packet = sm::MakePacket();
        sm::FramePtr frame = sm::MakeFrame();
        for (int second : Positions(video)) {
            const std::int64_t target = av_rescale_q(second, AVRational{1, 1}, stream->time_base)
                                        + (stream->start_time != AV_NOPTS_VALUE ? stream->start_time : 0);
            av_seek_frame(raw, index, target, AVSEEK_FLAG_BACKWARD);
            avcodec_flush_buffers(decoder.get());
            bool reached = false;
            while (!reached && av_read_frame(raw, packet.get()) >= 0) {
                if (packet->stream_index == index) {
                    if (skipUnseen)
                        decoder->skip_frame
                            = sm::SkippableBeforeTarget(*packet, target) ? AVDISCARD_NONREF : AVDISCARD_DEFAULT;
                    avcodec_send_packet(decoder.get(), packet.get());
                }
                av_packet_unref(packet.get());
                while (!reached && avcodec_receive_frame(decoder.get(), frame.get()) == 0) {
                    ++decoded;
                    reached = frame->best_effort_timestamp >= target;
                }
            }
        }
    }
    state.counters["pictures_decoded"] = double(decoded) / double(state.iterations());
    state.SetLabel(video.name);
}

void BM_DecodeFloor(benchmark::State& state) { DecodeFloor(state, false); }
void BM_DecodeFloorSkippingUnseen(benchmark::State& state) { DecodeFloor(state, true); }

}  // namespace

// Arg: the video (0 H.264 1080p, 1 MPEG-4 480p). One pass of twelve grabs each; the
// README's command repeats and interleaves them.
BENCHMARK(BM_CommandLineGrab)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EngineSeekGrab)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EngineSeekGrabSeriesJpeg)
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();
BENCHMARK(BM_DecodeFloor)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeFloorSkippingUnseen)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond);
