// The plan of a preview track: its cues, where each picture goes, and the track file's text.
#include <gtest/gtest.h>

#include "support/QtPrinters.h"

#include "cli/PreviewTrack.h"

namespace sm {
namespace {

TEST(PreviewTrackPlan, CuesCoverTheVideoAndCellsTileTheSprites)
{
    const struct {
        std::int64_t durationMs;
        PreviewTrackShape shape;
        QSize display;
        int pictureHeight;
        std::vector<QSize> sprites;
    } cases[] = {
        {125'000, {}, {1920, 1080}, 180, {{3200, 360}}},
        {125'000, {10, 320, 3, 3}, {1920, 1080}, 180, {{960, 540}, {960, 360}}},
        {120'000, {10, 320, 4, 3}, {640, 480}, 240, {{1280, 720}}},  // a whole number of intervals
        {2'000, {}, {1920, 803}, 134, {{320, 134}}},                 // shorter than one interval
        {400, {1, 16, 2, 2}, {10'000, 10}, 2, {{16, 2}}},            // at least 2 pixels high
        {3'601'000,
         {1, 100, 100, 6},
         {100, 75},
         76,
         {{10'000, 456}, {10'000, 456}, {10'000, 456}, {10'000, 456}, {10'000, 456}, {10'000, 456}, {100, 76}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.durationMs);
        const PreviewTrackPlan plan = PlanPreviewTrack(c.durationMs, c.display, c.shape);
        EXPECT_EQ(plan.picture, QSize(c.shape.Width, c.pictureHeight));
        EXPECT_EQ(plan.sprites, c.sprites);
        ASSERT_FALSE(plan.cues.empty());
        EXPECT_EQ(plan.cues.back().endMs, c.durationMs);
        std::int64_t end = 0;
        for (std::size_t k = 0; k < plan.cues.size(); ++k) {
            const PreviewCue& cue = plan.cues[k];
            EXPECT_EQ(cue.startMs, end);
            EXPECT_EQ(cue.second, int(k) * c.shape.Every);
            EXPECT_EQ(cue.startMs, cue.second * 1000LL);
            EXPECT_GT(cue.endMs, cue.startMs);
            end = cue.endMs;
            ASSERT_LT(std::size_t(cue.sprite), plan.sprites.size());
            EXPECT_TRUE(QRect(QPoint(0, 0), plan.sprites[std::size_t(cue.sprite)]).contains(cue.cell)) << k;
            EXPECT_EQ(cue.cell.size(), plan.picture);
            if (k > 0 && plan.cues[k - 1].sprite == cue.sprite) {
                EXPECT_FALSE(plan.cues[k - 1].cell.intersects(cue.cell)) << k;
            }
        }
    }
}

TEST(PreviewTrackText, TimesGridsNamesAndTheFile)
{
    EXPECT_EQ(VttTimestamp(0), "00:00:00.000");
    EXPECT_EQ(VttTimestamp(125'000), "00:02:05.000");
    EXPECT_EQ(VttTimestamp(3'723'004), "01:02:03.004");
    EXPECT_EQ(VttTimestamp(360'000'001), "100:00:00.001");

    EXPECT_EQ(ParsePreviewGrid("10x10"), QSize(10, 10));
    EXPECT_EQ(ParsePreviewGrid("3X2"), QSize(3, 2));
    for (const char* bad : {"0x3", "3x0", "101x1", "3x", "x3", "3*3", "3x3x3", " 3x3", ""})
        EXPECT_FALSE(ParsePreviewGrid(QString::fromUtf8(bad))) << bad;

    EXPECT_EQ(SpriteFileName("/o/", "/v/clip.part1.avi", 7, ".png"), "/o/clip_sprite_007.png");
    EXPECT_EQ(PreviewTrackFileName("/o/", "/v/clip.part1.avi"), "/o/clip.vtt");

    const PreviewTrackPlan plan = PlanPreviewTrack(2'500, {1920, 1080}, {1, 320, 1, 2});
    EXPECT_EQ(VttText(plan, {QString::fromUtf8("a b#%ü_sprite_001.jpg"), "x-->y_sprite_002.jpg"}),
              "WEBVTT\n"
              "\n00:00:00.000 --> 00:00:01.000\na%20b%23%25%C3%BC_sprite_001.jpg#xywh=0,0,320,180\n"
              "\n00:00:01.000 --> 00:00:02.000\na%20b%23%25%C3%BC_sprite_001.jpg#xywh=0,180,320,180\n"
              "\n00:00:02.000 --> 00:00:02.500\nx--%3Ey_sprite_002.jpg#xywh=0,0,320,180\n");
}

}  // namespace
}  // namespace sm
