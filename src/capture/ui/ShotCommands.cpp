#include "capture/ui/ShotCommands.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QListWidget>
#include <QTimer>
#include <QWidget>

#include "capture/ManualCapture.h"
#include "capture/PictureSettings.h"
#include "capture/ui/ProcessDialog.h"
#include "capture/ui/ShotListView.h"
#include "common/ScopeExit.h"
#include "settings/Prompts.h"
#include "settings/SavedFilesReport.h"
#include "settings/Texts.h"
#include "video/DelayWithMessages.h"

namespace sm {

ShotCommands::ShotCommands(QWidget& window, QListWidget& listView, MediaEngine& engine, Prompts& prompts,
                           std::function<void(const QString&)> showStatus, std::function<void()> refreshCommands)
    : QObject(&window),
      window_(window),
      engine_(engine),
      prompts_(prompts),
      showStatus_(std::move(showStatus)),
      refreshCommands_(std::move(refreshCommands)),
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
                                     settings.CaptureSpeed,
                                     SkipRuleOf(settings)};
    sm::AutoCapture capture(engine_, shots_, *this, control_);
    const AutoCaptureOutcome outcome = capture.Run(request);
    if (outcome == AutoCaptureOutcome::Refused || outcome == AutoCaptureOutcome::NoVideo)
        return outcome;
    // The list and the commands are up to date before anything is said.
    refreshCommands_();
    if (outcome == AutoCaptureOutcome::StartAfterEnd)
        prompts_.Error(lang::kStartAfterDuration);
    if (capture.LeftOut() > 0)
        showStatus_(lang::kShotCountLeftOut.arg(shots_.RowCount()).arg(capture.LeftOut()));
    return outcome;
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
    const SaveShotsResult result
        = SaveShotsRun(settings, *this, control_, writer).Run(shots_.ShotsInDisplayOrder(), prefix);
    if (result.Outcome == SaveShotsOutcome::MissingFolder)
        prompts_.Error(lang::kOutputFolderMissing);
    else if (result.Outcome == SaveShotsOutcome::Finished && !control_.WindowClosing)
        ReportSave(result, settings.OutputFolder);
    return result.Outcome;
}

void ShotCommands::ReportSave(const SaveShotsResult& result, const QString& folder)
{
    // Rows an abort left are no failures; a failure says why.
    const QString failed = result.Failed > 0
                               ? lang::kShotsNotSaved.arg(result.Failed) + QLatin1Char('\n') + result.FirstError
                               : QString();
    ReportSavedFiles(prompts_, result.Written, failed, folder);
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
