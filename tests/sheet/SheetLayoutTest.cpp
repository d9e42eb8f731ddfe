// The sheet's geometry and which shot lands in which cell.
#include <gtest/gtest.h>

#include "sheet/SheetComposition.h"
#include "sheet/SheetLayout.h"
#include "sheet/SheetPixelSize.h"

namespace sm {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;

// A small sheet: 2 columns x 3 rows of 100 x 80 tiles, gap 5, no stamp.
AppSettings Example()
{
    AppSettings s;
    s.ThumbCols = 2;
    s.ThumbRows = 3;
    s.ThumbWidth = 100;
    s.ThumbHeight = 80;
    s.ThumbSpace = 5;
    s.AddTimeStamp = false;
    s.AddonFont.size = 10;
    return s;
}

std::shared_ptr<const Bitmap> Solid(std::uint32_t rgb, int width = 64, int height = 48)
{
    auto b = std::make_shared<Bitmap>(width, height, 24);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            b->setPixelRgb(x, y, rgb);
    return b;
}

std::uint32_t CellCentre(const Bitmap& sheet, const AppSettings& s, int row, int column, int header = 0)
{
    const QPoint c = CellCorner(s, row, column, header);
    return sheet.pixelRgb(c.x() + s.ThumbWidth / 2, c.y() + s.ThumbHeight / 2);
}

TEST(SheetPixelSizeTest, CountsTheGapOnceMoreThanTheTiles)
{
    AppSettings s;
    EXPECT_EQ(SheetPixelSize(s), QSize(372, 375));
    s.ThumbSpace = 0;
    s.ThumbCols = 1;
    EXPECT_EQ(SheetPixelSize(s), QSize(120, 360));
    s.ThumbWidth = 9999;
    s.ThumbCols = 300000;
    EXPECT_THROW(SheetPixelSize(s), std::overflow_error);
}

TEST(SheetLayout, PlacesTheGridTheBlockAndTheCells)
{
    AppSettings s = Example();
    EXPECT_EQ(ThumbSheetLayout(s, 2).size, QSize(215, 260));
    EXPECT_EQ(CellCorner(s, 1, 1, 0), QPoint(110, 90));
    EXPECT_EQ(InfoBlockHeight(2, s.AddonFont), 34);
    EXPECT_EQ(InfoBlockHeight(0, s.AddonFont), 6);

    s.Addon = true;
    s.TxtLocation = 0;
    SheetLayout top = ThumbSheetLayout(s, 2);
    EXPECT_EQ(top.size, QSize(215, 294));
    EXPECT_EQ(top.blockTop, 0);
    EXPECT_EQ(CellCorner(s, 0, 0, top.headerOffset), QPoint(5, 39));
    s.TxtLocation = 1;
    SheetLayout bottom = ThumbSheetLayout(s, 2);
    EXPECT_EQ(bottom.blockTop, 260);
    EXPECT_EQ(CellCorner(s, 0, 0, bottom.headerOffset), QPoint(5, 5));
}

TEST(SheetLayout, RefusesASheetBeyondTheLimitBeforeTouchingTheBitmap)
{
    const struct {
        int tile, count, gap;
    } cases[] = {
        {9999, 999, 999},    // what the edits accept: 10 million pixels a side
        {65000, 1, 500},     // one side just over 65500
        {16384, 2, 0},       // 32768 x 32768 is over 2^28 pixels
        {2000000, 2000, 0},  // beyond 32 bits, from a hand-edited settings file
        {-10, 3, 0},         // a negative size
    };
    for (const auto& c : cases) {
        AppSettings s = Example();
        s.ThumbWidth = s.ThumbHeight = c.tile;
        s.ThumbCols = s.ThumbRows = c.count;
        s.ThumbSpace = c.gap;
        Bitmap sheet(3, 2, 24), scratch;
        EXPECT_THROW(ComposeThumbSheet(sheet, scratch, {}, {}, {}, s), SheetTooLargeError) << c.tile;
        EXPECT_THROW(ComposeBatchSheet(sheet, TBitmapList(), s), SheetTooLargeError) << c.tile;
        EXPECT_EQ(sheet.width(), 3);
    }
    AppSettings s = Example();
    s.ThumbWidth = 16384, s.ThumbHeight = 8192, s.ThumbCols = s.ThumbRows = 1, s.ThumbSpace = 0;
    EXPECT_EQ(BatchSheetLayout(s).size, QSize(16384, 8192));  // exactly 2^27 pixels
}

TEST(SheetTiles, SkipUntickedShotsAndLeaveCellsWithoutAShotWhite)
{
    const std::uint32_t colours[] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0x00FFFF};
    AppSettings s = Example();
    s.ThumbCols = s.ThumbRows = 2;
    std::vector<SheetShot> shots;
    for (int i = 0; i < 5; ++i)
        shots.push_back({QStringLiteral("00:00:0%1").arg(i), Solid(colours[i]), i != 1});
    Bitmap sheet, scratch;
    ComposeThumbSheet(sheet, scratch, shots, {}, {}, s);
    EXPECT_EQ(CellCentre(sheet, s, 0, 0), colours[0]);
    EXPECT_EQ(CellCentre(sheet, s, 0, 1), colours[2]);
    EXPECT_EQ(CellCentre(sheet, s, 1, 0), colours[3]);
    EXPECT_EQ(CellCentre(sheet, s, 1, 1), colours[4]);

    shots.resize(3);
    shots[1].Ticked = true;
    shots[2].Picture = std::make_shared<Bitmap>();  // an empty picture is passed over
    ComposeThumbSheet(sheet, scratch, shots, {}, {}, s);
    EXPECT_EQ(CellCentre(sheet, s, 0, 1), colours[1]);
    EXPECT_EQ(CellCentre(sheet, s, 1, 0), kWhite);
    EXPECT_EQ(CellCentre(sheet, s, 1, 1), kWhite);
}

TEST(SheetTiles, GapsStayWhiteAndTheFillColourStaysInsideTiles)
{
    AppSettings s = Example();
    s.ThumbWidth = 120, s.ThumbHeight = 90, s.ThumbCols = s.ThumbRows = 2;
    s.ResizeType = 1;
    s.FillColor = RgbColor(255, 0, 0);
    std::vector<SheetShot> shots(4, SheetShot{QString(), Solid(0x00FF00, 160, 90)});
    Bitmap sheet, scratch;
    ComposeThumbSheet(sheet, scratch, shots, {}, {}, s);
    const QPoint corner = CellCorner(s, 1, 1, 0);
    EXPECT_EQ(sheet.pixelRgb(corner.x() + 60, corner.y() + 1), 0xFF0000u);   // band above the 16:9 picture
    EXPECT_EQ(sheet.pixelRgb(corner.x() + 60, corner.y() + 45), 0x00FF00u);  // the picture spans the width
    EXPECT_EQ(sheet.pixelRgb(corner.x() - 1, corner.y() + 1), kWhite);
    EXPECT_EQ(sheet.pixelRgb(0, 0), kWhite);

    s.ThumbSpace = 0;  // tiles abut and touch the edges
    ComposeThumbSheet(sheet, scratch, shots, {}, {}, s);
    EXPECT_EQ(sheet.width(), 240);
    EXPECT_EQ(sheet.pixelRgb(0, 45), 0x00FF00u);
    EXPECT_EQ(sheet.pixelRgb(239, 45), 0x00FF00u);
}

TEST(SheetTiles, BatchSheetTakesTheStoreInOrderAndAnEmptyStoreDrawsNothing)
{
    AppSettings s = Example();
    s.ThumbCols = s.ThumbRows = 2;
    Bitmap sheet;
    TBitmapList store;
    ComposeBatchSheet(sheet, store, s);
    EXPECT_EQ(sheet.width(), 215);
    EXPECT_EQ(CellCentre(sheet, s, 0, 0), kWhite);
    store.Add(*Solid(0xFF0000), 5);
    store.Add(*Solid(0x0000FF), 65);
    ComposeBatchSheet(sheet, store, s);
    EXPECT_EQ(CellCentre(sheet, s, 0, 0), 0xFF0000u);
    EXPECT_EQ(CellCentre(sheet, s, 0, 1), 0x0000FFu);
    EXPECT_EQ(CellCentre(sheet, s, 1, 0), kWhite);
}

TEST(InfoBlock, TheCommandLinesBlockMakesTheBatchSheetItsHeightTallerAtTheChosenEdge)
{
    AppSettings s = Example();
    TBitmapList store;
    store.Add(*Solid(0xFF0000), 5);
    Bitmap plain, sheet;
    ComposeBatchSheet(plain, store, s);
    const QStringList lines{QStringLiteral("one"), QStringLiteral("two"), QString()};
    const int block = int(InfoBlockHeight(3, s.AddonFont));
    for (const int location : {0, 1}) {
        SCOPED_TRACE(location);
        s.TxtLocation = location;
        ComposeBatchSheet(sheet, store, s, lines);
        EXPECT_EQ(sheet.width(), plain.width());
        EXPECT_EQ(sheet.height(), plain.height() + block);
        const int header = location == 0 ? block : 0;
        // The first tile starts one gap below the block on top, one gap below the edge otherwise.
        EXPECT_EQ(sheet.pixelRgb(s.ThumbSpace, header + s.ThumbSpace), 0xFF0000u);
        EXPECT_EQ(sheet.pixelRgb(s.ThumbSpace, header + s.ThumbSpace - 1), kWhite);
    }
}

TEST(InfoBlock, AStripOfSixPixelsRemainsWithEveryLineUnticked)
{
    AppSettings s = Example();
    s.Addon = true;
    s.TxtLocation = 1;
    std::vector<InfoLine> lines;
    for (const QString& text : FixedInfoLineTexts())
        lines.push_back({text, false});
    Bitmap sheet, scratch;
    ComposeThumbSheet(sheet, scratch, {}, lines, {}, s);
    EXPECT_EQ(sheet.height(), 266);
    for (int y = 260; y < 266; ++y)
        EXPECT_EQ(sheet.pixelRgb(100, y), kWhite);

    lines[0].Ticked = true;  // one line in black: ink inside the block's first line
    s.TxtLocation = 0;
    s.AddonFont.size = 12;
    ComposeThumbSheet(sheet, scratch, {}, lines, {QStringLiteral("/v/WWWWWWWW.avi"), 0, QString()}, s);
    EXPECT_EQ(sheet.height(), 260 + 22);
    bool ink = false;
    for (int y = 2; y < 18 && !ink; ++y)
        for (int x = 2; x < 200 && !ink; ++x)
            ink = sheet.pixelRgb(x, y) != kWhite;
    EXPECT_TRUE(ink);
}

}  // namespace
}  // namespace sm
