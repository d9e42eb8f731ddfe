#include "capture/ui/ShotCommands.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QListWidget>
#include <QTimer>
#include <QWidget>

#include "capture/ManualCapture.h"
#include "capture/ui/ProcessDialog.h"
#include "capture/ui/ShotListView.h"
#include "common/ScopeExit.h"
#include "video/DelayWithMessages.h"

namespace sm {

ShotCommands::ShotCommands(QWidget& window, QListWidget& listView, MediaEngine& engine, Prompts& prompts,
                           std::function<void(const QString&)> showStatus)
    : QObject(&window),
      window_(window),
      engine_(engine),
      prompts_(prompts),
      showStatus_(std::move(showStatus)),
      view_(new ShotListView(shots_, listView, this)),
      progress_(new TfrmProcess(&window))
{
    connect(progress_, &TfrmProcess::AbortClicked, this, [this] { control_.AbortRequested = true; });
    window_.installEventFilter(this);
}

AutoCaptureOutcome ShotCommands::AutoCapture(const AppSettings& settings, int startSecond, int durationSeconds)
{
    const ScopeExit after([this] { AfterRun(); });
    const AutoCaptureRequest request{settings.CaptureMethod == 0 ? CaptureMethod::CountOfShots
                                                                 : CaptureMethod::EveryNSeconds,
                                     settings.CountFrames,
                                     settings.EveryFrame,
                                     startSecond,
                                     durationSeconds,
                                     settings.CaptureSpeed};
    return sm::AutoCapture(engine_, shots_, *this, prompts_, control_).Run(request);
}

bool ShotCommands::CaptureFrame()
{
    const bool added = sm::CaptureFrame(engine_, shots_);
    QCoreApplication::processEvents();
    return added;
}

SaveShotsOutcome ShotCommands::SaveShots(AppSettings& settings, const std::function<QString()>& prefix,
                                         const ShotFileWriter& writer)
{
    const ScopeExit after([this] { AfterRun(); });
    return SaveShotsRun(settings, *this, prompts_, control_, writer).Run(shots_.ShotsInDisplayOrder(), prefix).Outcome;
}

void ShotCommands::RemoveSelectedShots() { view_->RemoveSelectedShots(); }

bool ShotCommands::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &window_ && event->type() == QEvent::Close && control_.Running) {
        control_.AbortRequested = true;
        control_.WindowClosing = true;
        event->ignore();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void ShotCommands::AfterRun()
{
    if (control_.Running || !control_.WindowClosing)
        return;
    control_.WindowClosing = false;
    QTimer::singleShot(0, &window_, &QWidget::close);
}

void ShotCommands::SetProgress(int percent) { progress_->SetProgress(percent); }

void ShotCommands::ShowProgress()
{
    if (!progress_->isVisible())
        progress_->show();
}

void ShotCommands::HideProgress()
{
    if (progress_->isVisible())
        progress_->hide();
}

void ShotCommands::ProcessMessages() { QCoreApplication::processEvents(); }

void ShotCommands::Wait(int milliseconds) { DelayWithMessages(milliseconds); }

void ShotCommands::ShowStatus(const QString& text) { showStatus_(text); }

}  // namespace sm
