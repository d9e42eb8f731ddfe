#pragma once

#include <QString>

#include <functional>
#include <vector>

#include "capture/RunHost.h"

namespace sm::test {

// A run host without a window: waits return at once after calling onWait, and
// everything the run shows is recorded.
class ScriptedRunHost : public RunHost {
public:
    std::vector<int> progress;      // every bar value, in order
    std::vector<int> waits;         // every wait, in milliseconds
    std::vector<QString> statuses;  // every status text
    bool visible = false;
    int timesShown = 0;
    int timesHidden = 0;
    int messageRounds = 0;
    // Called inside the n-th wait (0-based) and inside every round of pending events.
    std::function<void(int waitIndex)> onWait = [](int) {};
    std::function<void()> onProcessMessages = [] {};

    void SetProgress(int percent) override { progress.push_back(percent); }
    void ShowProgress() override
    {
        if (!visible)
            ++timesShown;
        visible = true;
    }
    void HideProgress() override
    {
        if (visible)
            ++timesHidden;
        visible = false;
    }
    void ProcessMessages() override
    {
        ++messageRounds;
        onProcessMessages();
    }
    void Wait(int milliseconds) override
    {
        waits.push_back(milliseconds);
        onWait(int(waits.size()) - 1);
    }
    void ShowStatus(const QString& text) override { statuses.push_back(text); }
};

}  // namespace sm::test
