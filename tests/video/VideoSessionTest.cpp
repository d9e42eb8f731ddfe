#include <gtest/gtest.h>

#include "support/FakeMediaEngine.h"
#include "video/VideoSession.h"

using namespace sm;
using sm::test::FakeMediaEngine;
using sm::test::PlaceholderVideo;

TEST(ShotPrefixForVideo, TakesTheFileNameUpToItsFirstDot)
{
    const struct {
        const char* path;
        const char* prefix;
    } cases[] = {
        {"/videos/clip.part1.avi", "clip_"},
        {"/videos/holiday.mp4", "holiday_"},
        {"/videos/no_extension", "no_extension_"},
        {"/videos.d/film", "film_"},
        {"relative/假期.mkv", "假期_"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ShotPrefixForVideo(QString::fromUtf8(c.path)), QString::fromUtf8(c.prefix)) << c.path;
}

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
    AppSettings settings;
    QString prefix = QStringLiteral("shots_");
};

TEST_F(LoadVideoTest, LoadsIntoAFreshStoppedGraphAndTakesTheVideosValues)
{
    settings.ToneMapping = false;
    ASSERT_TRUE(session.LoadVideo(clip.path, settings, prefix));

    // The released graph is given a second to wind down before the new one is built.
    EXPECT_EQ(engine.calls, (std::vector<QString>{"SetActive(0)", "Wait(1000)", "SetActive(1)", "ClearGraph",
                                                  "OpenMedia(" + clip.path + ")"}));
    EXPECT_EQ(engine.GetPlayState(), PlayState::Stopped) << "loading does not start playback";
    EXPECT_EQ(settings.ShotsWidth, 720);
    EXPECT_EQ(settings.ShotsHeight, 576);
    EXPECT_EQ(prefix, QStringLiteral("clip_"));
    EXPECT_EQ(session.VideoDuration, 3725);
    EXPECT_EQ(engine.pictureOptions, (PictureOptions{false, true})) << "the pictures follow the settings";
}

TEST_F(LoadVideoTest, AMissingFileOrAFolderFailsAndLeavesTheEngineAsItWas)
{
    engine.SetActive(true);
    engine.calls.clear();

    EXPECT_FALSE(session.LoadVideo(clip.folder.filePath(QStringLiteral("gone.avi")), settings, prefix));
    EXPECT_FALSE(session.LoadVideo(clip.folder.path(), settings, prefix));

    EXPECT_TRUE(engine.calls.empty());
    EXPECT_TRUE(engine.IsActive());
    EXPECT_EQ(prefix, QStringLiteral("shots_"));
    EXPECT_EQ(settings.ShotsWidth, AppSettings().ShotsWidth);
    EXPECT_EQ(session.VideoDuration, 0);
}

TEST_F(LoadVideoTest, AGraphThatCannotBeBuiltFailsWithTheEngineInactive)
{
    engine.failOpen = true;

    EXPECT_FALSE(session.LoadVideo(clip.path, settings, prefix));

    EXPECT_FALSE(engine.IsActive());
    EXPECT_EQ(engine.calls.back(), QStringLiteral("SetActive(0)"));
    EXPECT_EQ(prefix, QStringLiteral("shots_"));
    EXPECT_EQ(settings.ShotsWidth, AppSettings().ShotsWidth);
}
