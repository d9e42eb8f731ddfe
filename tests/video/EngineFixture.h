#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "support/TestVideo.h"
#include "video/FfmpegEngine.h"

namespace sm::test {

// An active engine and a folder for generated videos.
class EngineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        engine.SetActive(true);
    }

    QString Make(const QString& name, const TestVideoOptions& options)
    {
        const QString path = dir.filePath(name);
        WriteTestVideo(path, options);
        return path;
    }

    // How long a test waits for what must happen before it calls it a failure: only a
    // hang takes that long, however loaded the machine.
    static constexpr int kPatienceMs = 60000;

    // Processes events until the condition holds or the time is up.
    template <typename Condition>
    static bool WaitUntil(Condition condition, int ms = kPatienceMs)
    {
        QDeadlineTimer deadline(ms);
        while (!condition()) {
            if (deadline.hasExpired())
                return false;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
        return true;
    }

    // Processes events for at least that long.
    static void ProcessEventsFor(int ms)
    {
        QDeadlineTimer least(ms);
        do
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        while (!least.hasExpired());
    }

    // Lets the player run on for at least `ms`, then pauses it and waits for the picture
    // of a seek, so that its threads have gone on past what they did before, and delivers
    // the events they raised meanwhile: a check that some event did not come then holds
    // however slow the machine is.
    void LetThePlayerRunOn(int ms)
    {
        ProcessEventsFor(ms);
        engine.Pause();
        engine.SeekTo(0);
        Bitmap picture;
        engine.GrabSeekFrame(picture, kPatienceMs);
        QCoreApplication::processEvents();
    }

    // The index shown by the seek picture (after waiting for it) or -1.
    int SeekFrameIndex()
    {
        Bitmap picture;
        return engine.GrabSeekFrame(picture, kPatienceMs) ? ReadFrameIndex(picture) : -1;
    }

    int PresentedIndex()
    {
        Bitmap picture;
        return engine.GrabFrame(picture) ? ReadFrameIndex(picture) : -1;
    }

    // Whether the presented picture's reported time is the time of the frame it shows
    // (the generated videos run at 25 frames a second).
    bool PresentedTimeMatchesPicture()
    {
        Bitmap picture;
        std::int64_t units = -1;
        return engine.GrabTimedFrame(picture, units) && ReadFrameIndex(picture) >= 0
               && units == ReadFrameIndex(picture) * std::int64_t(400'000);
    }

    QTemporaryDir dir;
    FfmpegEngine engine;
};

}  // namespace sm::test
