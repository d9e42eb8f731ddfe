#include <gtest/gtest.h>

#include "support/FakeMediaEngine.h"
#include "video/VideoSession.h"

using namespace sm;
using sm::test::FakeMediaEngine;
using sm::test::PlaceholderVideo;

class LoadVideoTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(clip.created);
        engine.durationSeconds = 3725;
        engine.videoWidth = 720;
        engine.videoHeight = 576;
        session.SetWait(
            [this](int milliseconds) { engine.calls.push_back(QStringLiteral("Wait(%1)").arg(milliseconds)); });
    }

    PlaceholderVideo clip;
    FakeMediaEngine engine;
    VideoSession session{engine};
};

TEST_F(LoadVideoTest, LoadsIntoAFreshStoppedGraphAndTakesTheVideosValues)
{
    const LoadedVideo found = session.LoadVideo(clip.path, PictureOptions{false, true});
    ASSERT_TRUE(found.Loaded);

    // The released graph is given a second to wind down before the new one is built.
    EXPECT_EQ(engine.calls, (std::vector<QString>{"SetActive(0)", "Wait(1000)", "SetActive(1)", "ClearGraph",
                                                  "OpenMedia(" + clip.path + ")"}));
    EXPECT_EQ(engine.GetPlayState(), PlayState::Stopped) << "loading does not start playback";
    EXPECT_EQ(found.NativeSize, QSize(720, 576));
    EXPECT_EQ(found.Duration, 3725);
    EXPECT_EQ(session.VideoDuration, 3725);
    EXPECT_EQ(engine.pictureOptions, (PictureOptions{false, true})) << "the pictures are converted as asked";
}

TEST_F(LoadVideoTest, AMissingFileOrAFolderFailsAndLeavesTheEngineAsItWas)
{
    engine.SetActive(true);
    engine.calls.clear();

    EXPECT_FALSE(session.LoadVideo(clip.folder.filePath(QStringLiteral("gone.avi"))).Loaded);
    EXPECT_FALSE(session.LoadVideo(clip.folder.path()).Loaded);

    EXPECT_TRUE(engine.calls.empty());
    EXPECT_TRUE(engine.IsActive());
    EXPECT_EQ(session.VideoDuration, 0);
}

TEST_F(LoadVideoTest, AGraphThatCannotBeBuiltFailsWithTheEngineInactive)
{
    engine.failOpen = true;

    EXPECT_FALSE(session.LoadVideo(clip.path).Loaded);

    EXPECT_FALSE(engine.IsActive());
    EXPECT_EQ(engine.calls.back(), QStringLiteral("SetActive(0)"));
}
