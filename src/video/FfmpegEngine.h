#pragma once

#include <QTimer>

#include <memory>
#include <string>

#include "video/MediaEngine.h"

namespace sm {

class Player;

// The media engine on the FFmpeg libraries: a "graph" of source, demultiplexer,
// decoders, frame grabber, video renderer and sound renderer for one file at a time,
// decoded and played on threads of its own. Lives on the UI thread.
class FfmpegEngine : public MediaEngine {
    Q_OBJECT
public:
    explicit FfmpegEngine(QObject* parent = nullptr);
    ~FfmpegEngine() override;

    // From now on the decoding libraries report only the errors that end them, for the
    // whole process: a damaged file makes the decoders talk, which a program without a
    // window would otherwise pass on to its user.
    static void ReportOnlyFatalErrors();

    bool SetActive(bool on) override;
    bool IsActive() const override { return active_; }
    void ClearGraph() override;
    void OpenMedia(const QString& path) override;

    bool Play() override;
    bool Pause() override;
    bool Stop() override;
    PlayState GetPlayState() const override;
    std::int64_t GetDuration() const override;
    std::int64_t GetPictureEnd() const override;
    std::int64_t GetStopPosition() const override;
    bool SeekTo(std::int64_t seconds) override;
    bool SeekToUnits(std::int64_t units) override;

    bool GrabTimedFrame(Bitmap& bitmap, std::int64_t& frameUnits) override;
    bool GrabTimedSeekFrame(Bitmap& bitmap, int waitMs, std::int64_t& frameUnits) override;
    SeekProgress GetSeekProgress() const override;
    bool StepSeekFrame() override;
    // Decodes several seconds at once, one reader of the file for each processor it has.
    std::unique_ptr<SeekSeries> StartSeekSeries(std::vector<std::int64_t> seconds, const SkipRule& skip = {}) override;
    void GetVideoSize(int& width, int& height) const override;
    QString ListFilterNames() const override;
    VideoColor GetVideoColor() const override;
    MediaFacts GetMediaFacts() const override;
    void SetMuted(bool muted) override;
    void SetPictureOptions(const PictureOptions& options) override;
    void SetPicturesWatched(bool watched) override;
    // How many processors a series keeps busy (0, at first: all of them); fewer where
    // other work shares them, such as the other videos of a command-line run.
    void SetProcessors(int count) { processors_ = count; }

private:
    void ReportPosition();

    bool active_ = false;
    bool muted_ = false;
    bool watched_ = true;
    int processors_ = 0;
    PictureOptions pictureOptions_;
    // Counts graphs, so that events of a released graph still on their way are dropped.
    quint64 graphId_ = 0;
    std::unique_ptr<Player> player_;
    std::string path_;  // the file of player_
    QTimer positionTimer_;
};

}  // namespace sm
