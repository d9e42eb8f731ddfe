#include <QSignalSpy>

#include <gtest/gtest.h>

#include "capture/MarkedFrame.h"
#include "capture/ShotList.h"

namespace sm {
namespace {

using test::MarkedFrame;
using test::MarkOf;

TEST(BitmapListTest, KeepsOwnCopiesWithTheirTagsUntilCleared)
{
    TBitmapList list;
    Bitmap picture = MarkedFrame(7);
    EXPECT_EQ(list.Add(picture, 42), 0);
    EXPECT_EQ(list.Add(MarkedFrame(8), -1), 1);
    picture.setPixelRgb(0, 0, 0x123456);  // the stored copy must not follow

    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(MarkOf(list[0].Bitmap.expand()), 7);
    EXPECT_EQ(list[0].Tag, 42);
    EXPECT_EQ(list[1].Tag, -1);
    EXPECT_THROW(list[2], std::out_of_range);
    EXPECT_THROW(list[-1], std::out_of_range);

    const auto held = list[1].Bitmap;
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(MarkOf(held.expand()), 8) << "a picture handed out stays valid after Clear";
    EXPECT_EQ(list.Add(MarkedFrame(9), 0), 0) << "indices start again after Clear";
}

// The captions of the rows in display order, with the mark of each row's picture.
std::vector<std::pair<QString, int>> Rows(const ShotList& shots)
{
    std::vector<std::pair<QString, int>> rows;
    for (int r = 0; r < shots.RowCount(); ++r)
        rows.emplace_back(shots.Row(r).Caption, MarkOf(shots.RowBitmap(r).expand()));
    return rows;
}

using RowList = std::vector<std::pair<QString, int>>;

TEST(ShotListTest, RowsStandInCaptionOrderWithEqualCaptionsInTakingOrder)
{
    ShotList shots;
    QSignalSpy inserted(&shots, &ShotList::RowInserted);
    EXPECT_EQ(shots.AddShot(MarkedFrame(1), "00:20:00"), 0);
    EXPECT_EQ(shots.AddShot(MarkedFrame(2), "00:10:00"), 0);
    EXPECT_EQ(shots.AddShot(MarkedFrame(3), "00:10:00"), 1);
    EXPECT_EQ(shots.AddShot(MarkedFrame(4), "00:15:00"), 2);

    EXPECT_EQ(Rows(shots), (RowList{{"00:10:00", 2}, {"00:10:00", 3}, {"00:15:00", 4}, {"00:20:00", 1}}));
    ASSERT_EQ(inserted.count(), 4);
    EXPECT_EQ(inserted[3][0].toInt(), 2);
    EXPECT_EQ(shots.ShotBitmaps().Count(), 4);
    EXPECT_EQ(shots.ImgPicList().size(), 4u);
    for (int r = 0; r < shots.RowCount(); ++r) {
        EXPECT_EQ(shots.Row(r).ImageIndex, shots.Row(r).StoreIndex) << "row " << r;
        EXPECT_EQ(shots.ShotBitmaps()[shots.Row(r).StoreIndex].Tag, 0);
    }
    const Bitmap& thumb = shots.ImgPicList()[0];
    EXPECT_EQ(thumb.width(), 100);
    EXPECT_EQ(thumb.height(), 100);
}

TEST(ShotListTest, RemovingAMiddleRowKeepsEveryOtherRowOnItsOwnPicture)
{
    ShotList shots;
    shots.AddShot(MarkedFrame(10), "00:00:10");
    shots.AddShot(MarkedFrame(20), "00:00:20");
    shots.AddShot(MarkedFrame(30), "00:00:30");
    QSignalSpy removed(&shots, &ShotList::RowRemoved);

    shots.SetSelected(1, true);
    shots.RemoveSelectedShots();

    EXPECT_EQ(Rows(shots), (RowList{{"00:00:10", 10}, {"00:00:30", 30}}));
    EXPECT_EQ(shots.Row(1).StoreIndex, 2) << "indices are not renumbered";
    EXPECT_EQ(shots.ShotBitmaps().Count(), 3) << "the removed picture stays until the list is cleared";
    EXPECT_EQ(shots.ImgPicList().size(), 3u);
    ASSERT_EQ(removed.count(), 1);
    EXPECT_EQ(removed[0][0].toInt(), 1);

    shots.AddShot(MarkedFrame(25), "00:00:25");
    EXPECT_EQ(Rows(shots), (RowList{{"00:00:10", 10}, {"00:00:25", 25}, {"00:00:30", 30}}));
    EXPECT_EQ(shots.Row(1).StoreIndex, 3);
}

TEST(ShotListTest, RemovingWithoutSelectionDoesNothingAndRemovingEveryRowEmptiesAllLayers)
{
    ShotList shots;
    shots.AddShot(MarkedFrame(1), "00:00:01");
    shots.AddShot(MarkedFrame(2), "00:00:02");
    shots.AddShot(MarkedFrame(3), "00:00:03");
    const auto generation = shots.Generation();

    shots.RemoveSelectedShots();
    EXPECT_EQ(shots.RowCount(), 3);

    QSignalSpy cleared(&shots, &ShotList::Cleared);
    for (int left = 3; left > 0; --left) {
        shots.SetSelected(left - 1, true);
        shots.RemoveSelectedShots();
        EXPECT_EQ(shots.RowCount(), left - 1);
    }
    EXPECT_EQ(shots.ShotBitmaps().Count(), 0);
    EXPECT_TRUE(shots.ImgPicList().empty());
    EXPECT_EQ(cleared.count(), 1);
    EXPECT_NE(shots.Generation(), generation);
}

TEST(ShotListTest, RemovesEverySelectedRowAtOnce)
{
    ShotList shots;
    for (int s = 1; s <= 5; ++s)
        shots.AddShot(MarkedFrame(s), QStringLiteral("00:00:0%1").arg(s));
    shots.SetSelected(0, true);
    shots.SetSelected(2, true);
    shots.SetSelected(4, true);
    shots.RemoveSelectedShots();
    EXPECT_EQ(Rows(shots), (RowList{{"00:00:02", 2}, {"00:00:04", 4}}));
    EXPECT_FALSE(shots.Row(0).Selected);
}

TEST(ShotListTest, ClearingEmptiesEveryLayerAndStartsANewGeneration)
{
    ShotList shots;
    shots.AddShot(MarkedFrame(1), "00:00:01");
    const auto kept = shots.RowBitmap(0);
    const auto generation = shots.Generation();
    QSignalSpy cleared(&shots, &ShotList::Cleared);

    shots.ClearShots();

    EXPECT_EQ(shots.RowCount(), 0);
    EXPECT_EQ(shots.ShotBitmaps().Count(), 0);
    EXPECT_TRUE(shots.ImgPicList().empty());
    EXPECT_EQ(cleared.count(), 1);
    EXPECT_NE(shots.Generation(), generation);
    EXPECT_EQ(MarkOf(kept.expand()), 1);
}

}  // namespace
}  // namespace sm
