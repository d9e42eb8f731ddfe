#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "viewer/ViewerPosition.h"

namespace sm {
namespace {

TEST(ViewerPositionTest, OpensOnTheSelectedRowAndStopsAtBothEnds)
{
    const struct {
        const char* name;
        int count;
        int selectedRow;
        std::vector<int> steps;
        int current;
        bool canGoBack;
        bool canGoForward;
    } cases[] = {
        {"no selection shows the first row", 8, -1, {}, 0, false, true},
        {"the fifth row selected is shown first", 8, 4, {}, 4, true, true},
        {"one shot", 1, 0, {}, 0, false, false},
        {"back on the first row stays", 8, 0, {-1, -1}, 0, false, true},
        {"forward on the last row stays", 8, 6, {1, 1, 1}, 7, true, false},
        {"forward and back", 8, 2, {1, 1, -1}, 3, true, true},
        {"one shot, both ways", 1, -1, {1, -1}, 0, false, false},
    };
    for (const auto& c : cases) {
        ViewerPosition position(c.count, c.selectedRow);
        for (int step : c.steps)
            position.Move(step);
        EXPECT_EQ(position.Current(), c.current) << c.name;
        EXPECT_EQ(position.CanGoBack(), c.canGoBack) << c.name;
        EXPECT_EQ(position.CanGoForward(), c.canGoForward) << c.name;
    }
}

TEST(ViewerPositionTest, PictureIsCentredWhereItIsSmallerThanTheBox)
{
    const struct {
        QSize picture;
        QSize box;
        QPoint origin;
    } cases[] = {
        {{320, 240}, {772, 481}, {226, 120}},
        {{1920, 1080}, {772, 481}, {0, 0}},
        {{1000, 100}, {772, 481}, {0, 190}},  // wider than the box, centred only up and down
        {{772, 481}, {772, 481}, {0, 0}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PictureOrigin(c.picture, c.box), c.origin) << c.picture.width() << " x " << c.picture.height();
}

}  // namespace
}  // namespace sm
