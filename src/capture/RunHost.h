#pragma once

#include <QString>

namespace sm {

// What a long run on the window thread (capture, saving) needs of the window around
// it: the shared progress dialog, the status text, and the waits that keep the window
// answering. The window implements it, HeadlessRunHost stands in where there is no
// window, and tests script it.
class RunHost {
public:
    virtual ~RunHost() = default;

    // Sets the progress dialog's bar, in percent.
    virtual void SetProgress(int percent) = 0;
    // Shows the progress dialog, without blocking, if it is hidden.
    virtual void ShowProgress() = 0;
    // Hides the progress dialog if it is shown.
    virtual void HideProgress() = 0;
    // Handles the pending events once.
    virtual void ProcessMessages() = 0;
    // Returns after at least that long, handling events all along.
    virtual void Wait(int milliseconds) = 0;
    // Writes the shot-count text of the status bar.
    virtual void ShowStatus(const QString& text) = 0;
};

// The stop request and the one-run-at-a-time rule that the runs of one window share.
// Between runs AbortRequested is true; the abort button and the stop command set it
// at any time, and a run looks at it before each item.
struct RunControl {
    bool AbortRequested = true;
    bool Running = false;
    // The window was asked to close during a run: the run ends as after an abort and
    // asks the user nothing more; the window closes when it has ended.
    bool WindowClosing = false;
};

// Holds the run slot of a RunControl for its lifetime, unless another run holds it
// already (Entered() is then false and nothing changes). Leaving the slot marks the
// control idle: AbortRequested true again.
class RunScope {
public:
    explicit RunScope(RunControl& control) : control_(control), entered_(!control.Running)
    {
        if (entered_)
            control_.Running = true;
    }
    ~RunScope()
    {
        if (entered_) {
            control_.Running = false;
            control_.AbortRequested = true;
        }
    }
    RunScope(const RunScope&) = delete;
    RunScope& operator=(const RunScope&) = delete;

    bool Entered() const { return entered_; }

private:
    RunControl& control_;
    bool entered_;
};

}  // namespace sm
