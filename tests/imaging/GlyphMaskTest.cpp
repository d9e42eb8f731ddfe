#include <gtest/gtest.h>

#include "FakeRasterizer.h"
#include "imaging/TextRenderer.h"

namespace sm {
namespace {

using Rows = std::vector<std::vector<int>>;

// A renderer on a small canvas whose glyphs are given pixel by pixel.
struct MaskBench {
    Bitmap picture{8, 8, 24};
    Canvas canvas{picture};
    test::FakeRasterizer raster;
    TIAFontEx font{&canvas, raster};

    // A mask whose pixels are exactly `rows` (no supersampling).
    TIAMask& MaskOf(const Rows& rows)
    {
        raster.ink = rows;
        font.SetQuality(3);
        font.mask().Build("x");
        return font.mask();
    }
};

Rows Read(const TIAMask& mask)
{
    Rows rows;
    for (int r = 0; r < mask.height(); ++r)
        rows.emplace_back(mask.Lines(r), mask.Lines(r) + mask.width());
    return rows;
}

TEST(GlyphMask, QualityPicksTheSupersamplingScale)
{
    MaskBench bench;
    TIAMask& mask = bench.font.mask();
    EXPECT_EQ(mask.quality(), 1);
    EXPECT_EQ(mask.scale(), 3);
    const struct {
        int quality, scale;
    } cases[] = {{0, 4}, {1, 3}, {2, 2}, {3, 1}, {7, 1}, {-1, 1}};
    for (const auto& c : cases) {
        mask.SetQuality(c.quality);
        EXPECT_EQ(mask.scale(), c.scale) << "quality " << c.quality;
    }
}

TEST(GlyphMask, FullyInkedBlocksAverageTo255ExceptAtQuality1)
{
    const struct {
        int quality, expected;
    } cases[] = {{0, 255}, {1, 254}, {2, 255}, {3, 255}};
    for (const auto& c : cases) {
        MaskBench bench;
        bench.font.SetQuality(c.quality);
        const int s = bench.font.mask().scale();
        bench.raster.ink = Rows(2 * s, std::vector<int>(3 * s, 255));
        bench.font.mask().Build("x");
        EXPECT_EQ(Read(bench.font.mask()), Rows(2, std::vector<int>(3, c.expected))) << "quality " << c.quality;
    }
}

TEST(GlyphMask, Quality1HalvesTheTopRightAndBottomLeftSamplesBeforeSumming)
{
    MaskBench bench;
    bench.raster.ink = {{255, 0, 0, 0, 0, 255}, {0, 0, 0, 0, 0, 0}, {0, 0, 255, 1, 0, 0}};
    bench.font.mask().Build("x");
    // Block 0: two full-weight corners, 510 shr 3. Block 1: (255 shr 1) + (1 shr 1) = 127,
    // not (255 + 1) shr 1 = 128, so 15 rather than 16.
    EXPECT_EQ(Read(bench.font.mask()), Rows({{63, 15}}));
    EXPECT_EQ(bench.font.mask().hiResRowBytes(), 8);
    EXPECT_EQ(bench.font.mask().rowBytes(), 4);
}

TEST(GlyphMask, MeasureRoundsTheSupersampledExtentUp)
{
    MaskBench bench;
    bench.raster.extent = [](const LogicalFont&, const QString&) { return QSize(10, 7); };
    EXPECT_EQ(bench.font.mask().Measure("ab").size, QSize(4, 3));
    bench.canvas.font.size = 8;
    bench.raster.extent = nullptr;
    bench.font.SetQuality(0);
    // A size-8 font is 11 pixels high, drawn at 44.
    EXPECT_EQ(bench.font.mask().Measure("ab").size, QSize(22, 11));
}

TEST(GlyphMask, ItalicTextIsWidenedByThirtyPercentOfAnAverageCharacter)
{
    const struct {
        int width;
        QString text;
        int expected;
    } cases[] = {
        {100, QStringLiteral("abcdefghij"), 103},
        {15, QStringLiteral("a"), 19},       // 4.5 rounds to the even 4
        {5, QStringLiteral("a"), 7},         // 1.5 rounds to the even 2
        {100, QStringLiteral("视频"), 108},  // four bytes of stored text: 7.5 rounds to 8
        {80, QStringLiteral("中文"), 86},
    };
    for (const auto& c : cases) {
        MaskBench bench;
        bench.font.SetQuality(3);
        bench.canvas.font.style = FontDesc::Italic;
        const int width = c.width;
        bench.raster.extent = [width](const LogicalFont&, const QString&) { return QSize(width, 20); };
        EXPECT_EQ(bench.font.mask().Measure(c.text).size, QSize(c.expected, 20)) << c.width;
        EXPECT_EQ(bench.font.mask().Measure(QString()).size, QSize(c.width, 20));
    }
}

TEST(GlyphMask, RotatedTextMeasuresAsTheBoundingBoxWithTheStartPointInside)
{
    MaskBench bench;
    bench.font.SetQuality(3);
    bench.raster.extent = [](const LogicalFont&, const QString&) { return QSize(40, 12); };
    bench.font.Effect().SetAngle(90);
    EXPECT_EQ(bench.font.TextExtent("x"), QSize(12, 40));

    // Drawn at 90 degrees the text starts at the bottom left of its box and runs up.
    bench.raster.ink = Rows(12, std::vector<int>(40, 255));
    bench.font.TextOut(0, 0, "x");
    ASSERT_EQ(bench.raster.starts.size(), 1u);
    EXPECT_EQ(bench.raster.starts[0], QPoint(0, 40));
    EXPECT_EQ(bench.raster.drawnFonts[0].escapement, 900);
    EXPECT_EQ(bench.font.CurrentFont().escapement, 0);

    // An odd height puts the corners near x.5, so the exchange holds up to rounding.
    bench.raster.extent = [](const LogicalFont&, const QString&) { return QSize(40, 13); };
    EXPECT_NEAR(bench.font.TextWidth("x"), 13, 1);
    EXPECT_EQ(bench.font.TextHeight("x"), 40);
}

TEST(GlyphMask, SupersampledRotatedTextStartsAtTheScaledOrigin)
{
    MaskBench bench;
    bench.font.SetQuality(0);
    bench.canvas.font.size = 8;  // 11 pixels, 44 supersampled; "ab" is 88 x 44
    bench.font.Effect().SetAngle(90);
    bench.font.TextOut(0, 0, "ab");
    ASSERT_EQ(bench.raster.starts.size(), 1u);
    EXPECT_EQ(bench.raster.starts[0], QPoint(0, 22 * 4));
    EXPECT_EQ(bench.raster.drawnFonts[0].height, 44);
}

TEST(GlyphMask, LinesOutsideTheMaskAreRefused)
{
    MaskBench bench;
    TIAMask& mask = bench.MaskOf({{1, 2}, {3, 4}, {5, 6}});
    EXPECT_EQ(mask.Lines(0)[0], 1);
    EXPECT_EQ(mask.Lines(2)[1], 6);
    for (int r : {-1, 3}) {
        try {
            mask.Lines(r);
            ADD_FAILURE() << "row " << r << " was handed out";
        } catch (const EInvalidLine& e) {
            EXPECT_STREQ(e.what(), "Invalid line!");
        }
    }
}

TEST(GlyphMask, OutlineKeepsTheRingAndSkipsMasksUnderThreeByThree)
{
    MaskBench bench;
    const Rows three = {{10, 0, 20}, {0, 99, 0}, {255, 255, 255}};
    // |255 - 0| + |0 - 0| + |255 - 20| + |255 - 10|, shifted right by 2.
    bench.MaskOf(three).Outline();
    EXPECT_EQ(Read(bench.font.mask()), Rows({{10, 0, 20}, {0, (255 + 235 + 245) >> 2, 0}, {255, 255, 255}}));

    for (const Rows& small : {Rows{{9, 200, 9}, {200, 9, 200}}, Rows{{9, 200}, {200, 9}, {9, 200}}}) {
        bench.MaskOf(small).Outline();
        EXPECT_EQ(Read(bench.font.mask()), small);
    }
}

TEST(GlyphMask, BlurMovesTowardTheClampedFiveByFiveMeanByTheRoundedWeight)
{
    // One inked centre pixel: its 5 x 5 mean is round(255 / 25) = 10, and it moves
    // floor((10 - 255) x w / 256) with w = round(amount x 2.55), halves to even.
    const struct {
        int amount, centre;
    } cases[] = {{10, 230}, {30, 182}, {50, 132}, {70, 84}, {90, 34}, {100, 10}};
    for (const auto& c : cases) {
        MaskBench bench;
        Rows rows(5, std::vector<int>(5, 0));
        rows[2][2] = 255;
        bench.MaskOf(rows).Blur(c.amount);
        const Rows blurred = Read(bench.font.mask());
        EXPECT_EQ(blurred[2][2], c.centre) << "amount " << c.amount;
        if (c.amount == 100) {  // every position of the 5 x 5 sees the centre once
            EXPECT_EQ(blurred, Rows(5, std::vector<int>(5, 10)));
        }
    }
}

TEST(GlyphMask, BlurOnTinyMasksClampsItsIndices)
{
    MaskBench bench;
    // Width 2: offsets clamp to columns (0, 0, 0, 1, 1) and (0, 0, 1, 1, 1).
    bench.MaskOf({{0, 250}}).Blur(100);
    EXPECT_EQ(Read(bench.font.mask()), Rows({{100, 150}}));
    bench.MaskOf({{0}, {250}}).Blur(100);
    EXPECT_EQ(Read(bench.font.mask()), Rows({{100}, {150}}));
    bench.MaskOf({{77}}).Blur(100);
    EXPECT_EQ(Read(bench.font.mask()), Rows({{77}}));
}

TEST(GlyphMask, MirrorsReverseAndTwiceRestore)
{
    MaskBench bench;
    const Rows rows = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {10, 11, 12}, {13, 14, 15}};
    TIAMask& mask = bench.MaskOf(rows);
    mask.MirrorHorz();
    EXPECT_EQ(Read(mask)[0], std::vector<int>({3, 2, 1}));
    mask.MirrorHorz();
    EXPECT_EQ(Read(mask), rows);
    mask.MirrorVert();
    EXPECT_EQ(Read(mask), Rows({{13, 14, 15}, {10, 11, 12}, {7, 8, 9}, {4, 5, 6}, {1, 2, 3}}));
    mask.MirrorVert();
    EXPECT_EQ(Read(mask), rows);
}

TEST(GlyphMask, SprayOnlyPicksValuesFromInsideTheMask)
{
    MaskBench bench;
    const Rows rows = {{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, 12}};
    bench.MaskOf(rows).Spray(100);
    for (const auto& row : Read(bench.font.mask()))
        for (int v : row)
            EXPECT_TRUE(v >= 1 && v <= 12) << v;
    const Rows flat(3, std::vector<int>(4, 42));
    bench.MaskOf(flat).Spray(100);
    EXPECT_EQ(Read(bench.font.mask()), flat);
}

TEST(GlyphMask, AssignCopiesSizeQualityAndPixels)
{
    MaskBench bench;
    TIAMask copy(&bench.font);
    copy.Assign(bench.MaskOf({{1, 2, 3, 4, 5}, {6, 7, 8, 9, 10}}));
    bench.MaskOf({{0}});
    EXPECT_EQ(copy.quality(), 3);
    EXPECT_EQ(copy.rowBytes(), 8);
    EXPECT_EQ(Read(copy), Rows({{1, 2, 3, 4, 5}, {6, 7, 8, 9, 10}}));
}

TEST(GlyphMask, AMaskTooLargeToAddressFailsCatchablyAndLeavesTheMaskAsItWas)
{
    MaskBench bench;
    TIAMask& mask = bench.MaskOf({{1, 2}});
    mask.SetQuality(0);
    EXPECT_THROW(mask.Render("x", QSize(600'000'000, 1), QPoint()), std::length_error);
    mask.SetQuality(3);
    EXPECT_THROW(mask.Render("x", QSize(1 << 20, 1 << 20), QPoint()), std::bad_alloc);
    EXPECT_EQ(Read(mask), Rows({{1, 2}}));
}

TEST(GlyphMask, WithoutACanvasNothingIsMeasuredOrRendered)
{
    test::FakeRasterizer raster;
    TIAFontEx font(nullptr, raster);
    EXPECT_EQ(font.mask().Measure("abc").size, QSize(0, 0));
    font.mask().Build("abc");
    EXPECT_EQ(font.mask().width(), 0);
    EXPECT_TRUE(raster.starts.empty());
}

}  // namespace
}  // namespace sm
