// The video window, fed by a fake engine.
#include <gtest/gtest.h>

#include "support/FakeMediaEngine.h"
#include "video/ui/VideoView.h"

namespace sm::test {
namespace {

Bitmap Filled(int width, int height, std::uint32_t rgb)
{
    Bitmap bitmap(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bitmap.setPixelRgb(x, y, rgb);
    return bitmap;
}

TEST(VideoView, FitsThePresentedPictureOnBlack)
{
    FakeMediaEngine engine;
    engine.frameAt = [](std::int64_t) { return Filled(40, 20, 0xFF0000); };
    engine.SetActive(true);
    engine.OpenMedia(QStringLiteral("clip.avi"));
    engine.Pause();
    engine.SeekTo(3);

    VideoView view;
    view.resize(100, 100);
    view.SetEngine(&engine);
    emit engine.FramePresented();
    ASSERT_EQ(view.Picture().size(), QSize(40, 20));

    const QImage shown = view.grab().toImage();
    EXPECT_EQ(shown.pixelColor(50, 50), QColor(Qt::red)) << "centred";
    EXPECT_EQ(shown.pixelColor(1, 50), QColor(Qt::red)) << "as wide as the window";
    EXPECT_EQ(shown.pixelColor(50, 10), QColor(Qt::black)) << "bars above";
    EXPECT_EQ(shown.pixelColor(50, 90), QColor(Qt::black)) << "and below";
}

TEST(VideoView, KeepsItsPictureWhenNothingCanBeGrabbed)
{
    FakeMediaEngine engine;
    VideoView view;
    view.SetEngine(&engine);
    emit engine.FramePresented();
    EXPECT_TRUE(view.Picture().isNull());
    const QImage shown = view.grab().toImage();
    EXPECT_EQ(shown.pixelColor(5, 5), QColor(Qt::black));
}

}  // namespace
}  // namespace sm::test
