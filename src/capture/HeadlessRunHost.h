#pragma once

#include <QString>

#include "capture/RunHost.h"
#include "video/DelayWithMessages.h"

namespace sm {

// The run host of a run without a window (a command-line tool, the benchmarks, tests):
// there is no dialog and no status bar, so the last progress and status are only kept;
// events are handled as the window would handle them, and the waits go to the clock
// given, real waits by default.
class HeadlessRunHost : public RunHost {
public:
    explicit HeadlessRunHost(WaitFunction wait = {});

    int Progress() const { return progress_; }
    const QString& Status() const { return status_; }

    void SetProgress(int percent) override { progress_ = percent; }
    void ShowProgress() override {}
    void HideProgress() override {}
    // Handles the pending events when an application object exists.
    void ProcessMessages() override;
    void Wait(int milliseconds) override { wait_(milliseconds); }
    void ShowStatus(const QString& text) override { status_ = text; }

private:
    WaitFunction wait_;
    int progress_ = 0;
    QString status_;
};

}  // namespace sm
