#pragma once

#include <QObject>
#include <QString>

#include <functional>

#include "capture/AutoCapture.h"
#include "capture/RunHost.h"
#include "capture/ShotFiles.h"
#include "capture/ShotList.h"
#include "settings/Settings.h"

class QListWidget;
class QWidget;

namespace sm {

class MediaEngine;
class Prompts;
class ShotListView;
class TfrmProcess;

// The shot commands of the main window: the shot list shown in its list widget,
// automatic and manual capture, saving, stopping a run, removing shots, with the
// progress dialog they share. The runs themselves ask nothing; these commands tell the
// user how they ended. One run at a time: a capture or save started while another runs
// is refused. Closing the window during a run ends the run first (as an abort, without
// further questions) and closes the window when it has ended.
class ShotCommands : public QObject, private RunHost {
    Q_OBJECT
public:
    // showStatus writes the shot-count panel; refreshCommands brings the window's
    // command states and status up to date after a run.
    ShotCommands(QWidget& window, QListWidget& listView, MediaEngine& engine, Prompts& prompts,
                 std::function<void(const QString&)> showStatus, std::function<void()> refreshCommands);

    ShotList& Shots() { return shots_; }
    TfrmProcess& ProgressDialog() { return *progress_; }
    const RunControl& Runs() const { return control_; }

    // Automatic capture with the method, counts and CaptureSpeed of the settings; the
    // window's states are refreshed after it, and a start after the end is reported.
    AutoCaptureOutcome AutoCapture(const AppSettings& settings, int startSecond, int durationSeconds);
    // Manual capture; handles pending events afterwards.
    bool CaptureFrame();
    // Saves the rows as they stand now; prefix is read for every file. A missing folder
    // is reported; after a save the user hears how it went and may open the folder.
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
    void ReportSave(const SaveShotsResult& result, const QString& folder);

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
    std::function<void()> refreshCommands_;
    ShotList shots_;
    ShotListView* view_;
    TfrmProcess* progress_;
    RunControl control_;
};

}  // namespace sm
