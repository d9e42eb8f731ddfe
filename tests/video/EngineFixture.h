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

    // Processes events until the condition holds or the time is up.
    template <typename Condition>
    static bool WaitUntil(Condition condition, int ms)
    {
        QDeadlineTimer deadline(ms);
        while (!condition()) {
            if (deadline.hasExpired())
                return false;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
        return true;
    }

    // The index shown by the seek picture (after waiting for it) or -1.
    int SeekFrameIndex()
    {
        Bitmap picture;
        return engine.GrabSeekFrame(picture, 10000) ? ReadFrameIndex(picture) : -1;
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
