#pragma once

#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <functional>
#include <vector>

#include "video/MediaEngine.h"

namespace sm::test {

// A fresh folder holding an empty file for a test to open as a video: the fake engine
// reads nothing, but opening a video checks that its file is there.
struct PlaceholderVideo {
    QTemporaryDir folder;
    QString path = folder.filePath(QStringLiteral("clip.part1.avi"));
    bool created = folder.isValid() && QFile(path).open(QIODevice::WriteOnly);
};

// A media engine without video: it keeps the state a real engine keeps and records
// every call, and "decodes" a frame for a position with a function the test sets.
class FakeMediaEngine : public MediaEngine {
public:
    // Called for every seek; returns the frame presented at that second (a seek in
    // 100-ns units presents it at the exact target). An empty bitmap means "no frame"
    // (GrabFrame then fails).
    std::function<Bitmap(std::int64_t second)> frameAt = [](std::int64_t) { return Bitmap(); };
    std::int64_t durationSeconds = 100;
    int videoWidth = 640;
    int videoHeight = 480;
    bool failOpen = false;  // OpenMedia throws
    // Called as a file is opened, before failOpen is looked at: a test gives each of
    // several files its own duration, frames or failure here.
    std::function<void(const QString& path)> onOpen = [](const QString&) {};
    QString filterNames = QStringLiteral("Video Renderer\rDecoder\r");
    std::vector<QString> calls;  // "SetActive(1)", "Play", "SeekTo(8)", ...
    // A slow decoder: after each seek, that many GrabSeekFrame calls find the frame still
    // being decoded; meanwhile each of them adds to the decoder's work, unless it is stuck.
    int slowGrabs = 0;
    bool decoderStuck = false;
    PictureOptions pictureOptions;  // the last set, kept out of `calls`

    bool SetActive(bool on) override;
    bool IsActive() const override { return active_; }
    void ClearGraph() override;
    void OpenMedia(const QString& path) override;
    bool Play() override;
    bool Pause() override;
    bool Stop() override;
    PlayState GetPlayState() const override { return active_ ? state_ : PlayState::Uninitialized; }
    std::int64_t GetDuration() const override { return opened_ ? durationSeconds : 0; }
    std::int64_t GetStopPosition() const override { return GetDuration() * 10'000'000; }
    bool SeekTo(std::int64_t seconds) override;
    bool SeekToUnits(std::int64_t units) override;
    bool GrabTimedFrame(Bitmap& bitmap, std::int64_t& frameUnits) override;
    bool GrabTimedSeekFrame(Bitmap& bitmap, int waitMs, std::int64_t& frameUnits) override;
    SeekProgress GetSeekProgress() const override { return {slowGrabsLeft_ > 0, work_}; }
    void GetVideoSize(int& width, int& height) const override;
    QString ListFilterNames() const override { return active_ ? filterNames : QString(); }
    void SetMuted(bool muted) override;
    void SetPictureOptions(const PictureOptions& options) override { pictureOptions = options; }

    bool muted() const { return muted_; }
    std::int64_t position() const { return position_; }
    // Sends a position report as a playing engine would.
    void report(quint32 positionMs) { emit PositionReport(positionMs, quint32(durationSeconds * 1000)); }
    // Lets time pass: a playing engine moves on by that many seconds and presents the
    // frame there, as playback after a seek would.
    void elapse(std::int64_t seconds);

private:
    bool active_ = false;
    bool opened_ = false;
    bool muted_ = false;
    PlayState state_ = PlayState::Stopped;
    std::int64_t position_ = 0;
    Bitmap presented_;
    std::int64_t presentedUnits_ = 0;  // where the presented frame lies
    Bitmap seekFrame_;
    std::int64_t seekFrameUnits_ = 0;
    int slowGrabsLeft_ = 0;
    std::uint64_t work_ = 0;
};

}  // namespace sm::test
