// Key-frame shots name the time of the frame they show, not the second asked for.
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "cli/KeyFrameShotTaker.h"
#include "support/TestVideo.h"

namespace sm {
namespace {

TEST(KeyFrameShotTaker, EachShotIsTheNextKeyFrameLabelledWithItsOwnTruncatedTime)
{
    // 25 frames a second, a key frame every 30 frames: at 0, 1.2, 2.4, 3.6, 4.8, 6.0 s.
    const struct {
        test::VideoFormat format;
        const char* name;
    } formats[] = {
        {test::VideoFormat::H264Mp4, "clip.mp4"},
        {test::VideoFormat::H264Mkv, "clip.mkv"},
        {test::VideoFormat::Mpeg2Ts, "clip.ts"},
    };
    // 1 s twice: the second answer comes from the first; 7 s has no key frame after it.
    const std::vector<int> asked = {0, 1, 1, 2, 3, 4, 6, 7};
    const std::vector<int> frames = {0, 30, 30, 60, 90, 120, 150, 150};
    const std::vector<int> labels = {0, 1, 1, 2, 3, 4, 6, 6};
    for (const auto& f : formats) {
        SCOPED_TRACE(f.name);
        QTemporaryDir dir;
        test::TestVideoOptions options;
        options.format = f.format;
        options.durationSeconds = 6.5;
        options.gopSize = 30;
        options.startSeconds = f.format == test::VideoFormat::H264Mkv ? 0.5 : 0.0;
        const QString path = dir.filePath(QString::fromUtf8(f.name));
        test::WriteTestVideo(path, options);

        RunControl control;
        control.AbortRequested = false;
        std::vector<TakenShot> shots;
        std::vector<int> after;
        ShotSeriesHooks hooks;
        hooks.AfterShot = [&after](int index) { after.push_back(index); };
        const ShotSeriesResult result = KeyFrameShotTaker(path, control)(
            asked, [&shots](TakenShot&& shot) { shots.push_back(std::move(shot)); }, hooks);

        EXPECT_EQ(result.Outcome, ShotSeriesOutcome::Completed);
        EXPECT_EQ(result.Taken, int(asked.size()));
        ASSERT_EQ(shots.size(), asked.size());
        for (std::size_t i = 0; i < shots.size(); ++i) {
            EXPECT_EQ(test::ReadFrameIndex(shots[i].Picture), frames[i]) << "asked " << asked[i];
            EXPECT_EQ(shots[i].Second, labels[i]) << "asked " << asked[i];
            EXPECT_EQ(shots[i].Index, int(i));
            EXPECT_EQ(shots[i].Label, QStringLiteral("00:00:0%1").arg(labels[i])) << "asked " << asked[i];
        }
        EXPECT_EQ(after, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}));
    }
}

TEST(KeyFrameShotTaker, StopsBeforeAShotWhenAskedAndGivesNothingForAFileThatIsNoVideo)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("clip.mp4");
    test::WriteTestVideo(path, {});
    RunControl control;
    control.AbortRequested = false;
    int taken = 0;
    ShotSeriesHooks hooks;
    hooks.AfterShot = [&control](int) { control.AbortRequested = true; };
    const ShotSeriesResult stopped = KeyFrameShotTaker(path, control)(
        {0, 1}, [&taken](TakenShot&&) { ++taken; }, hooks);
    EXPECT_EQ(stopped.Outcome, ShotSeriesOutcome::Aborted);
    EXPECT_EQ(taken, 1);

    control.AbortRequested = false;
    const ShotSeriesResult none
        = KeyFrameShotTaker(dir.filePath("missing.mp4"), control)({0, 1}, [&taken](TakenShot&&) { ++taken; }, {});
    EXPECT_EQ(none.Taken, 0);
    EXPECT_EQ(none.LeftOut, 2);
}

}  // namespace
}  // namespace sm
