#include <random>
#include <set>

#include <gtest/gtest.h>

#include "TestPictures.h"
#include "output/ColorDepth.h"
#include "output/GifColorReduction.h"
#include "output/OctreeQuantizer.h"
#include "output/PaletteMatcher.h"
#include "output/Palettes.h"

namespace sm {
namespace {

int BruteForceNearest(const std::vector<PaletteEntry>& palette, int r, int g, int b)
{
    int best = 0, bestDistance = 1 << 30;
    for (int i = 0; i < int(palette.size()); ++i) {
        const int dr = r - palette[i].red, dg = g - palette[i].green, db = b - palette[i].blue;
        const int d = dr * dr + dg * dg + db * db;
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}

TEST(PaletteMatcher, FindsExactlyWhatASearchOfTheWholePaletteFinds)
{
    std::mt19937 random(7);
    std::vector<std::vector<PaletteEntry>> palettes
        = {HalftonePalette(), StandardColors16(), {PaletteEntry{10, 10, 10, 0}}};
    // Duplicates and near neighbours test the ties (the lowest index wins).
    std::vector<PaletteEntry> clustered;
    for (int i = 0; i < 256; ++i)
        clustered.push_back(PaletteEntry{std::uint8_t(100 + random() % 8), std::uint8_t(random() % 256),
                                         std::uint8_t(i % 3 == 0 ? 50 : random() % 256), 0});
    palettes.push_back(clustered);
    for (const auto& palette : palettes) {
        PaletteMatcher matcher(palette);
        for (int i = 0; i < 200000; ++i) {
            const int r = int(random() % 256), g = int(random() % 256), b = int(random() % 256);
            ASSERT_EQ(matcher.nearest(r, g, b), BruteForceNearest(palette, r, g, b)) << r << "," << g << "," << b;
        }
    }
    EXPECT_THROW(PaletteMatcher(std::vector<PaletteEntry>{}), std::invalid_argument);
}

TEST(Palettes, FixedColoursFrameTheHalftonePaletteWhichHasNoRepeats)
{
    const auto& fixed = DefaultPaletteFixedColors();
    const auto& halftone = HalftonePalette();
    ASSERT_EQ(fixed.size(), 20u);
    ASSERT_EQ(halftone.size(), 256u);
    ASSERT_EQ(StandardColors16().size(), 16u);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(halftone[i], fixed[i]);
        EXPECT_EQ(halftone[246 + i], fixed[10 + i]);
    }
    std::set<std::uint32_t> distinct;
    for (const PaletteEntry& e : halftone)
        distinct.insert((std::uint32_t(e.red) << 16) | (e.green << 8) | e.blue);
    EXPECT_EQ(distinct.size(), 256u);
    for (int level : {0, 51, 102, 153, 204, 255})
        EXPECT_TRUE(distinct.count((std::uint32_t(level) << 16) | (51 << 8) | 204)) << "cube level " << level;
}

TEST(ColorDepth, MaxColorChoosesTheDepth)
{
    const std::pair<int, int> cases[] = {{0, 4}, {1, 8}, {2, 16}, {3, 24}, {8, 24}, {-1, 24}, {4, 24}};
    for (auto [maxColor, bits] : cases)
        EXPECT_EQ(BmpDepthForMaxColor(maxColor), bits) << maxColor;
}

TEST(ColorDepth, ConversionsKnownAnswers)
{
    Bitmap picture(3, 1, 24);
    picture.setPixelRgb(0, 0, 0xFF0000);  // pure red
    picture.setPixelRgb(1, 0, 0x7A7F85);  // a mid grey
    picture.setPixelRgb(2, 0, 0x1F3E5D);

    const Bitmap four = ConvertToDepth(picture, 4);
    EXPECT_EQ(four.bitsPerPixel(), 4);
    EXPECT_EQ(four.palette(), StandardColors16());
    EXPECT_EQ(four.row(0)[0], 0x97) << "red is index 9, grey index 7, packed high nibble first";
    EXPECT_EQ(four.row(0)[1] >> 4, 4) << "dark blue-grey is nearest to navy";

    const Bitmap eight = ConvertToDepth(picture, 8);
    EXPECT_EQ(eight.palette(), HalftonePalette());
    EXPECT_EQ(eight.pixelRgb(0, 0), 0xFF0000u);
    EXPECT_EQ(eight.pixelRgb(1, 0), 0x808080u);

    const Bitmap sixteen = ConvertToDepth(picture, 16);
    const auto value = [&](int x) { return sixteen.row(0)[2 * x] | (sixteen.row(0)[2 * x + 1] << 8); };
    EXPECT_EQ(value(0), 0xF800);
    EXPECT_EQ(value(1), (0x7A >> 3) << 11 | (0x7F >> 2) << 5 | (0x85 >> 3));

    EXPECT_EQ(ConvertToDepth(picture, 24), picture);
    EXPECT_EQ(ConvertToDepth(sixteen, 24).pixelRgb(0, 0), 0xFF0000u) << "any depth converts";
    EXPECT_THROW(ConvertToDepth(picture, 12), std::invalid_argument);
}

TEST(OctreeQuantizer, KeepsFewColoursExactlyAndNeverHoldsTooMany)
{
    OctreeQuantizer few(236);
    for (int i = 0; i < 1000; ++i)
        few.addColor(std::uint8_t(i % 3 * 100), 7, std::uint8_t(i % 3 == 1 ? 255 : 0));
    const std::vector<PaletteEntry> exact = few.palette();
    ASSERT_EQ(exact.size(), 3u);
    std::set<std::uint32_t> colours;
    for (const PaletteEntry& e : exact)
        colours.insert((std::uint32_t(e.red) << 16) | (e.green << 8) | e.blue);
    EXPECT_EQ(colours, (std::set<std::uint32_t>{0x000700, 0x6407FF, 0xC80700}));

    OctreeQuantizer many(236);
    many.addPicture(test::NoisePicture(120, 100));
    EXPECT_LE(many.leafCount(), 236);
    EXPECT_GT(many.leafCount(), 100) << "reducing merges one node at a time";
    EXPECT_EQ(int(many.palette().size()), many.leafCount());

    OctreeQuantizer one(1);
    one.addColor(0, 0, 0);
    one.addColor(255, 255, 255);
    ASSERT_EQ(one.palette().size(), 1u);
    EXPECT_EQ(one.palette()[0], (PaletteEntry{127, 127, 127, 0})) << "the mean of what was merged";
}

TEST(GifColorReduction, PaletteLayoutAndDitheringOfFlatColours)
{
    Bitmap picture(20, 10, 24);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x)
            picture.setPixelRgb(x, y, x < 10 ? 0x123456 : 0xFFFFFF);
    const std::vector<PaletteEntry> palette = GifPaletteFor(picture);
    ASSERT_EQ(palette.size(), 256u);
    EXPECT_EQ(palette[10], (PaletteEntry{0x56, 0x34, 0x12, 0})) << "octree colours start at 10";
    EXPECT_EQ(palette[11], (PaletteEntry{0xFF, 0xFF, 0xFF, 0}));
    EXPECT_EQ(palette[12], PaletteEntry{}) << "unused entries are black";
    EXPECT_EQ(palette[255], (PaletteEntry{0xFF, 0xFF, 0xFF, 0}));

    const Bitmap reduced = ReduceForGif(picture);
    ASSERT_EQ(reduced.bitsPerPixel(), 8);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x)
            ASSERT_EQ(reduced.pixelRgb(x, y), picture.pixelRgb(x, y)) << "colours in the palette stay exact";
    EXPECT_EQ(reduced.row(0)[0], 10);
    EXPECT_EQ(reduced.row(0)[19], 11) << "ties go to the lowest index";
}

TEST(GifColorReduction, DitheringSpreadsTheErrorOfAColourNotInThePalette)
{
    // Two palette greys 0 and 255 and a picture of grey 64: about a quarter of the
    // pixels become white.
    Bitmap picture(40, 40, 24);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            picture.setPixelRgb(x, y, 0x404040);
    const Bitmap dithered = DitherToPalette(picture, {PaletteEntry{0, 0, 0, 0}, PaletteEntry{255, 255, 255, 0}});
    int white = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            white += dithered.row(y)[x];
    EXPECT_NEAR(white, 1600 * 64 / 255, 20);
}

}  // namespace
}  // namespace sm
