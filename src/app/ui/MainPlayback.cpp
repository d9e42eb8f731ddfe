// The main window's video page: loading a video into the session and the playback
// commands, steps, position bar and read-out.

#include <QLayout>
#include <QLineEdit>

#include "app/ui/MainWindow.h"
#include "capture/PictureSettings.h"
#include "capture/ShotFiles.h"
#include "settings/GuardedCommand.h"
#include "video/PlaybackControl.h"
#include "video/ui/SliderTrackBar.h"
#include "video/ui/VideoView.h"

namespace sm {

void TfrmMain::bindPlayback()
{
    auto* view = new VideoView(plVideo);
    view->SetEngine(&engine_);
    plVideo->layout()->addWidget(view);

    auto* bar = new SliderTrackBar(*TrackBar, this);
    playback_ = new PlaybackControl(session_, *bar, this);
    connect(playback_, &PlaybackControl::StatusText, this, [this](const QString& text) { setStatusText(1, text); });
    connect(bar, &SliderTrackBar::Released, this,
            [this] { RunGuarded(prompts_, [this] { playback_->TrackBarReleased(); }); });
}

bool TfrmMain::LoadVideo(const QString& path)
{
    const LoadedVideo found = session_.LoadVideo(path, PictureOptionsOf(settings_));
    if (found.Loaded) {
        // The resize option starts from the video's own size.
        if (found.NativeSize) {
            settings_.ShotsWidth = found.NativeSize->width();
            settings_.ShotsHeight = found.NativeSize->height();
        }
        edPrefix->setText(ShotPrefixForVideo(path));
    }
    playback_->VideoOpened(found.Loaded);
    return found.Loaded;
}

void TfrmMain::ActPlayVideoExecute()
{
    selectLeftTab(1);
    // With no video open, play offers the open dialog; the video it opens waits
    // stopped for the next play.
    if (!playback_->PlayVideo())
        ActOpenVideoExecute();
    UpdateCommandStates();
}

void TfrmMain::ActPauseVideoExecute()
{
    playback_->PauseVideo();
    UpdateCommandStates();
}

void TfrmMain::ActStopVideoExecute()
{
    playback_->StopVideo();
    UpdateCommandStates();
}

void TfrmMain::btnBackwardClick()
{
    RunGuarded(prompts_, [this] { playback_->StepBackward(); });
}

void TfrmMain::btnForwardClick()
{
    RunGuarded(prompts_, [this] { playback_->StepForward(); });
}

}  // namespace sm
