#include "support/FakeMediaEngine.h"

namespace sm::test {

bool FakeMediaEngine::SetActive(bool on)
{
    calls.push_back(QStringLiteral("SetActive(%1)").arg(on));
    active_ = on;
    if (!on) {
        opened_ = false;
        state_ = PlayState::Stopped;
        presented_ = Bitmap();
        seekFrame_ = Bitmap();
    }
    return true;
}

void FakeMediaEngine::ClearGraph()
{
    calls.push_back(QStringLiteral("ClearGraph"));
    opened_ = false;
    state_ = PlayState::Stopped;
}

void FakeMediaEngine::OpenMedia(const QString& path)
{
    calls.push_back(QStringLiteral("OpenMedia(%1)").arg(path));
    onOpen(path);
    if (failOpen)
        throw std::runtime_error("cannot open");
    opened_ = true;
    position_ = 0;
}

bool FakeMediaEngine::Play()
{
    calls.push_back(QStringLiteral("Play"));
    if (active_)
        state_ = PlayState::Playing;
    return active_;
}

bool FakeMediaEngine::Pause()
{
    calls.push_back(QStringLiteral("Pause"));
    if (active_)
        state_ = PlayState::Paused;
    return active_;
}

bool FakeMediaEngine::Stop()
{
    calls.push_back(QStringLiteral("Stop"));
    if (active_)
        state_ = PlayState::Stopped;
    return active_;
}

bool FakeMediaEngine::SeekTo(std::int64_t seconds)
{
    calls.push_back(QStringLiteral("SeekTo(%1)").arg(seconds));
    if (!opened_)
        return false;
    position_ = seconds;
    slowGrabsLeft_ = slowGrabs;
    seekFrame_ = frameAt(seconds);
    seekFrameUnits_ = seconds * 10'000'000;
    if (state_ != PlayState::Stopped && !seekFrame_.isEmpty()) {
        presented_ = seekFrame_;
        presentedUnits_ = seconds * 10'000'000;
    }
    return true;
}

void FakeMediaEngine::elapse(std::int64_t seconds)
{
    if (state_ != PlayState::Playing || !opened_)
        return;
    position_ += seconds;
    Bitmap frame = frameAt(position_);
    if (!frame.isEmpty()) {
        presented_ = std::move(frame);
        presentedUnits_ = position_ * 10'000'000;
    }
}

bool FakeMediaEngine::SeekToUnits(std::int64_t units)
{
    calls.push_back(QStringLiteral("SeekToUnits(%1)").arg(units));
    if (!SeekTo(units / 10'000'000))
        return false;
    if (state_ != PlayState::Stopped && !seekFrame_.isEmpty())
        presentedUnits_ = units;
    return true;
}

bool FakeMediaEngine::GrabTimedFrame(Bitmap& bitmap, std::int64_t& frameUnits)
{
    if (presented_.isEmpty())
        return false;
    bitmap = presented_;
    frameUnits = presentedUnits_;
    return true;
}

bool FakeMediaEngine::GrabTimedSeekFrame(Bitmap& bitmap, int, std::int64_t& frameUnits)
{
    if (slowGrabsLeft_ > 0) {
        --slowGrabsLeft_;
        if (!decoderStuck)
            ++work_;
        return false;
    }
    if (seekFrame_.isEmpty())
        return false;
    bitmap = seekFrame_;
    frameUnits = seekFrameUnits_;
    return true;
}

void FakeMediaEngine::GetVideoSize(int& width, int& height) const
{
    if (!opened_)
        return;
    width = videoWidth;
    height = videoHeight;
}

void FakeMediaEngine::SetMuted(bool muted)
{
    calls.push_back(QStringLiteral("SetMuted(%1)").arg(muted));
    muted_ = muted;
}

}  // namespace sm::test
