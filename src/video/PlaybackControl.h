#pragma once

#include <QObject>
#include <QString>

#include "video/TrackBarView.h"
#include "video/VideoSession.h"

namespace sm {

// Drives playback of the session's video from the main window's commands, the two
// ten-second steps and the position bar, and turns the engine's position reports and
// graph events into the bar's position and the status read-out.
class PlaybackControl : public QObject {
    Q_OBJECT
public:
    static constexpr int kStepSeconds = 10;

    // The session and the bar belong to the caller and outlive this object.
    PlaybackControl(VideoSession& session, TrackBarView& bar, QObject* parent = nullptr);

    // Starts playback and returns true when a video is open (the engine is active);
    // returns false and does nothing otherwise, so that the caller can offer to open one.
    bool PlayVideo();
    void PauseVideo();
    // Stops, seeks to the start and puts the bar at 0.
    void StopVideo();
    // Moves ten seconds back or forward from the bar's position, clamped to the bar's
    // range, and plays from there. Does nothing without a video or when the bar is
    // already at the end it would move towards.
    void StepBackward();
    void StepForward();
    // The left button was released on the bar: seeks to the same fraction of the
    // video as the bar's position is of its maximum. Does nothing while the bar has
    // no range yet.
    void TrackBarReleased();
    // A video was just opened (or failed to open): the bar and the read-out start over
    // at its position 0 and its own duration, or say that the file could not be opened.
    void VideoOpened(bool loaded);

signals:
    // Text for the status bar's second panel: the read-out or a graph event's text.
    void StatusText(const QString& text);

private:
    void Step(int seconds);
    void OnPositionReport(quint32 positionMs, quint32 durationMs);
    void OnGraphEvent(int code);

    VideoSession& session_;
    TrackBarView& bar_;
};

}  // namespace sm
