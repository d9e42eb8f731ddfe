#include "video/PlaybackControl.h"

#include <algorithm>

#include "settings/Texts.h"
#include "video/TimeReadout.h"

namespace sm {

namespace {

// total x part / whole without overflowing 64 bits for any video length.
std::int64_t ScaleByFraction(std::int64_t total, std::int64_t part, std::int64_t whole)
{
    return total / whole * part + total % whole * part / whole;
}

}  // namespace

PlaybackControl::PlaybackControl(VideoSession& session, TrackBarView& bar, QObject* parent)
    : QObject(parent), session_(session), bar_(bar)
{
    MediaEngine& engine = session_.Engine();
    connect(&engine, &MediaEngine::PositionReport, this, &PlaybackControl::OnPositionReport);
    connect(&engine, &MediaEngine::GraphEvent, this, &PlaybackControl::OnGraphEvent);
}

bool PlaybackControl::PlayVideo()
{
    MediaEngine& engine = session_.Engine();
    if (!engine.IsActive())
        return false;
    engine.Play();
    return true;
}

void PlaybackControl::PauseVideo() { session_.Engine().Pause(); }

void PlaybackControl::StopVideo()
{
    MediaEngine& engine = session_.Engine();
    engine.Stop();
    engine.SeekTo(0);
    bar_.SetPosition(0);
}

void PlaybackControl::StepBackward() { Step(-kStepSeconds); }

void PlaybackControl::StepForward() { Step(kStepSeconds); }

void PlaybackControl::Step(int seconds)
{
    MediaEngine& engine = session_.Engine();
    if (!engine.IsActive())
        return;
    const int position = bar_.Position();
    if ((seconds < 0 && position <= bar_.Minimum()) || (seconds > 0 && position >= bar_.Maximum()))
        return;
    if (engine.GetPlayState() == PlayState::Playing)
        engine.Stop();
    bar_.SetPosition(position + seconds);
    engine.SeekTo(bar_.Position());
    engine.Play();
}

void PlaybackControl::TrackBarReleased()
{
    const int maximum = bar_.Maximum();
    if (maximum <= 0)
        return;
    MediaEngine& engine = session_.Engine();
    engine.SeekToUnits(ScaleByFraction(engine.GetStopPosition(), bar_.Position(), maximum));
}

void PlaybackControl::VideoOpened(bool loaded)
{
    constexpr std::int64_t kUnitsPerMs = 10'000;
    bar_.SetMaximum(loaded ? int(session_.VideoDuration) : 0);
    bar_.SetPosition(0);
    session_.LastPositionMs = 0;
    if (!loaded) {
        emit StatusText(lang::kVideoNotOpened);
        return;
    }
    const std::int64_t durationMs = session_.Engine().GetStopPosition() / kUnitsPerMs;
    emit StatusText(FormatPositionReadout(0, quint32(std::clamp<std::int64_t>(durationMs, 0, 0xFFFFFFFFLL))));
}

void PlaybackControl::OnPositionReport(quint32 positionMs, quint32 durationMs)
{
    // While the user holds the bar, it shows where they are dragging to.
    if (bar_.IsHeld())
        return;
    bar_.SetMaximum(int(durationMs / 1000));
    bar_.SetPosition(int(positionMs / 1000));
    session_.LastPositionMs = positionMs;
    emit StatusText(FormatPositionReadout(positionMs, durationMs));
}

void PlaybackControl::OnGraphEvent(int code) { emit StatusText(MediaEngine::EventText(code)); }

}  // namespace sm
