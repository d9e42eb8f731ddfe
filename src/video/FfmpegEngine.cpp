#include "video/FfmpegEngine.h"

#include <QFile>

#include <stdexcept>
#include <thread>

extern "C" {
#include <libavutil/log.h>
}

#include "settings/Texts.h"
#include "video/MediaReader.h"
#include "video/Player.h"
#include "video/SeriesDecoder.h"

namespace sm {
namespace {

constexpr std::int64_t kUnitsPerMs = 10'000;
constexpr std::int64_t kUnitsPerSecond = 10'000'000;
constexpr int kPositionReportMs = 1000;
constexpr int kMaxFilterNameLength = 128;
// A series decodes ahead of its caller as far as this many bytes of pictures, and at
// least one picture for each worker.
constexpr std::size_t kSeriesAheadBytes = std::size_t(64) << 20;

quint32 ToReportedMs(std::int64_t units)
{
    return quint32(std::clamp<std::int64_t>(units / kUnitsPerMs, 0, 0xFFFFFFFFLL));
}

}  // namespace

FfmpegEngine::FfmpegEngine(QObject* parent) : MediaEngine(parent)
{
    positionTimer_.setInterval(kPositionReportMs);
    connect(&positionTimer_, &QTimer::timeout, this, &FfmpegEngine::ReportPosition);
}

FfmpegEngine::~FfmpegEngine() { ClearGraph(); }

void FfmpegEngine::ReportOnlyFatalErrors() { av_log_set_level(AV_LOG_FATAL); }

bool FfmpegEngine::SetActive(bool on)
{
    ClearGraph();
    active_ = on;
    return true;
}

void FfmpegEngine::ClearGraph()
{
    positionTimer_.stop();
    player_.reset();
    ++graphId_;
}

void FfmpegEngine::OpenMedia(const QString& path)
{
    if (!active_)
        throw std::runtime_error("open media: the engine is not active");
    ClearGraph();
    const quint64 graph = graphId_;
    PlayerEvents events;
    events.framePresented = [this, graph] {
        QMetaObject::invokeMethod(
            this,
            [this, graph] {
                if (graph == graphId_)
                    emit FramePresented();
            },
            Qt::QueuedConnection);
    };
    events.graphEvent = [this, graph](int code) {
        QMetaObject::invokeMethod(
            this,
            [this, graph, code] {
                if (graph == graphId_)
                    emit GraphEvent(code);
            },
            Qt::QueuedConnection);
    };
    std::string file = QFile::encodeName(path).toStdString();
    player_ = std::make_unique<Player>(file, muted_, watched_, pictureOptions_, std::move(events));
    path_ = std::move(file);
}

bool FfmpegEngine::Play()
{
    if (!player_)
        return false;
    player_->Play();
    positionTimer_.start();
    return true;
}

bool FfmpegEngine::Pause()
{
    positionTimer_.stop();
    if (!player_)
        return false;
    player_->Pause();
    return true;
}

bool FfmpegEngine::Stop()
{
    positionTimer_.stop();
    if (!player_)
        return false;
    player_->Stop();
    return true;
}

PlayState FfmpegEngine::GetPlayState() const
{
    if (!active_)
        return PlayState::Uninitialized;
    return player_ ? player_->State() : PlayState::Stopped;
}

std::int64_t FfmpegEngine::GetDuration() const
{
    // Truncated to milliseconds, then to seconds.
    return player_ ? player_->DurationUnits() / kUnitsPerMs / 1000 : 0;
}

std::int64_t FfmpegEngine::GetPictureEnd() const { return player_ ? player_->PictureEndUnits() / kUnitsPerSecond : 0; }

std::int64_t FfmpegEngine::GetStopPosition() const { return player_ ? player_->DurationUnits() : 0; }

bool FfmpegEngine::SeekTo(std::int64_t seconds) { return SeekToUnits(seconds * kUnitsPerSecond); }

bool FfmpegEngine::SeekToUnits(std::int64_t units)
{
    if (!player_)
        return false;
    player_->Seek(std::max<std::int64_t>(0, units));
    return true;
}

bool FfmpegEngine::GrabTimedFrame(Bitmap& bitmap, std::int64_t& frameUnits)
{
    return player_ && player_->GrabPresented(bitmap, frameUnits);
}

bool FfmpegEngine::GrabTimedSeekFrame(Bitmap& bitmap, int waitMs, std::int64_t& frameUnits)
{
    return player_ && player_->GrabSeekFrame(bitmap, waitMs, frameUnits);
}

SeekProgress FfmpegEngine::GetSeekProgress() const { return player_ ? player_->SeekProgress() : sm::SeekProgress{}; }

bool FfmpegEngine::StepSeekFrame()
{
    if (!player_)
        return false;
    player_->StepSeek();
    return true;
}

std::unique_ptr<SeekSeries> FfmpegEngine::StartSeekSeries(std::vector<std::int64_t> seconds, const SkipRule& skip)
{
    if (!player_ || !player_->HasVideo())
        return MediaEngine::StartSeekSeries(std::move(seconds), skip);
    // One stretch a processor, each decoded on one thread; fewer seconds than
    // processors share the processors out among their decoders.
    const int processors = processors_ > 0 ? processors_ : int(std::max(1U, std::thread::hardware_concurrency()));
    SeriesLimits limits;
    limits.workers = std::max(1, int(std::min<std::size_t>(std::size_t(processors), seconds.size())));
    limits.decoderThreads = std::max(1, processors / limits.workers);
    const DisplayGeometry geometry = player_->Geometry();
    const std::size_t pictureBytes
        = std::max<std::size_t>(1, Bitmap::strideFor(geometry.displayWidth, 24) * std::size_t(geometry.displayHeight));
    limits.ahead = int(std::clamp<std::size_t>(kSeriesAheadBytes / pictureBytes, std::size_t(limits.workers),
                                               std::max<std::size_t>(std::size_t(limits.workers), seconds.size())));
    return std::make_unique<SeriesDecoder>(path_, std::move(seconds), limits, pictureOptions_, skip);
}

void FfmpegEngine::GetVideoSize(int& width, int& height) const
{
    if (!player_ || !player_->HasVideo())
        return;
    const DisplayGeometry geometry = player_->Geometry();
    width = geometry.displayWidth;
    height = geometry.displayHeight;
}

QString FfmpegEngine::ListFilterNames() const
{
    if (!active_)
        return {};
    // The chain in the order it was built: the renderer and the grabber of every graph,
    // then (the source has no input and is not listed) what the file needs.
    QStringList names{lang::kVideoRendererName, lang::kFrameGrabberName};
    if (player_) {
        const ChainNames chain = player_->ElementNames();
        names << lang::kDemultiplexerName.arg(QString::fromStdString(chain.demultiplexer));
        if (!chain.videoDecoder.empty())
            names << lang::kDecoderName.arg(QString::fromStdString(chain.videoDecoder));
        if (!chain.audioDecoder.empty())
            names << lang::kDecoderName.arg(QString::fromStdString(chain.audioDecoder));
        if (player_->HasAudio())
            names << lang::kAudioRendererName;
    }
    QString text;
    for (const QString& name : names)
        text += name.left(kMaxFilterNameLength) + QChar(13);
    return text;
}

void FfmpegEngine::SetMuted(bool muted)
{
    muted_ = muted;
    if (player_)
        player_->SetMuted(muted);
}

VideoColor FfmpegEngine::GetVideoColor() const
{
    return player_ && player_->HasVideo() ? player_->Color() : VideoColor();
}

MediaFacts FfmpegEngine::GetMediaFacts() const { return player_ ? player_->Facts() : MediaFacts(); }

void FfmpegEngine::SetPictureOptions(const PictureOptions& options)
{
    pictureOptions_ = options;
    if (player_)
        player_->SetPictureOptions(options);
}

void FfmpegEngine::SetPicturesWatched(bool watched)
{
    watched_ = watched;
    if (player_)
        player_->SetPicturesWatched(watched);
}

void FfmpegEngine::ReportPosition()
{
    if (!player_ || player_->State() != PlayState::Playing)
        return;
    emit PositionReport(ToReportedMs(player_->PositionUnits()), ToReportedMs(player_->DurationUnits()));
}

}  // namespace sm
