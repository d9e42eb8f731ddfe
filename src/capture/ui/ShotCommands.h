#pragma once

#include <QObject>
#include <QString>

#include <functional>

#include "app/Settings.h"
#include "capture/AutoCapture.h"
#include "capture/ShotList.h"
#include "common/RunHost.h"
#include "output/SaveShots.h"

class QListWidget;
class QWidget;

namespace sm {

class MediaEngine;
class Prompts;
class ShotListView;
class TfrmProcess;

// The shot commands of the main window: the shot list shown in its list widget,
// automatic and manual capture, saving, stopping a run, removing shots, with the
// progress dialog they share. One run at a time: a capture or save started while
// another runs is refused. Closing the window during a run ends the run first (as
// an abort, without further questions) and closes the window when it has ended.
class ShotCommands : public QObject, private RunHost {
    Q_OBJECT
public:
    ShotCommands(QWidget& window, QListWidget& listView, MediaEngine& engine, Prompts& prompts,
                 std::function<void(const QString&)> showStatus);

    ShotList& Shots() { return shots_; }
    TfrmProcess& ProgressDialog() { return *progress_; }
    const RunControl& Runs() const { return control_; }

    // Automatic capture with the method, counts and CaptureSpeed of the settings.
    AutoCaptureOutcome AutoCapture(const AppSettings& settings, int startSecond, int durationSeconds);
    // Manual capture; handles pending events afterwards.
    bool CaptureFrame();
    // Saves the rows as they stand now; prefix is read for every file.
    SaveShotsOutcome SaveShots(AppSettings& settings, const std::function<QString()>& prefix,
                               const ShotFileWriter& writer);
    // Asks a running capture or save to stop before its next item.
    void StopCapture() { control_.AbortRequested = true; }
    void RemoveSelectedShots();
    void ClearShots() { shots_.ClearShots(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Closes the window when that was asked for during the run that just ended.
    void AfterRun();

    void SetProgress(int percent) override;
    void ShowProgress() override;
    void HideProgress() override;
    void ProcessMessages() override;
    void Wait(int milliseconds) override;
    void ShowStatus(const QString& text) override;

    QWidget& window_;
    MediaEngine& engine_;
    Prompts& prompts_;
    std::function<void(const QString&)> showStatus_;
    ShotList shots_;
    ShotListView* view_;
    TfrmProcess* progress_;
    RunControl control_;
};

}  // namespace sm
