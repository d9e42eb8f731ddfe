// The video window, fed by a fake engine.
#include <QCoreApplication>

#include <vector>

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
    const QImage shown = view.grab().toImage();
    ASSERT_EQ(view.Picture().size(), QSize(40, 20));
    EXPECT_EQ(shown.pixelColor(50, 50), QColor(Qt::red)) << "centred";
    EXPECT_EQ(shown.pixelColor(1, 50), QColor(Qt::red)) << "as wide as the window";
    EXPECT_EQ(shown.pixelColor(50, 10), QColor(Qt::black)) << "bars above";
    EXPECT_EQ(shown.pixelColor(50, 90), QColor(Qt::black)) << "and below";
}

// Counts the grabs a view makes and keeps what it tells about being seen.
class CountingEngine : public FakeMediaEngine {
public:
    int grabs = 0;
    std::vector<bool> watched;
    bool GrabTimedFrame(Bitmap& bitmap, std::int64_t& frameUnits) override
    {
        ++grabs;
        return FakeMediaEngine::GrabTimedFrame(bitmap, frameUnits);
    }
    void SetPicturesWatched(bool on) override { watched.push_back(on); }
};

// Every grab converts a whole picture: a window nobody sees grabs none, and a painted
// one grabs the newest picture once, however many were presented since.
TEST(VideoView, GrabsOnlyWhenItPaintsANewPicture)
{
    CountingEngine engine;
    engine.frameAt = [](std::int64_t second) { return Filled(40, 20, second == 3 ? 0xFF0000 : 0x0000FF); };
    engine.SetActive(true);
    engine.OpenMedia(QStringLiteral("clip.avi"));
    engine.Pause();

    VideoView view;
    view.resize(100, 100);
    view.SetEngine(&engine);
    for (int second : {1, 2, 3}) {
        engine.SeekTo(second);
        emit engine.FramePresented();
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(engine.grabs, 0) << "hidden";

    EXPECT_EQ(view.grab().toImage().pixelColor(50, 50), QColor(Qt::red)) << "the newest picture";
    view.grab();
    EXPECT_EQ(engine.grabs, 1);
}

// So that the engine may leave out decoding what nobody sees.
TEST(VideoView, TellsTheEngineWhetherItCanBeSeen)
{
    CountingEngine engine;
    QWidget window;
    auto* view = new VideoView(&window);
    view->SetEngine(&engine);
    window.show();
    window.hide();
    view->SetEngine(nullptr);
    window.show();
    EXPECT_EQ(engine.watched, (std::vector<bool>{false, true, false}));
}

TEST(VideoView, KeepsItsPictureWhenNothingCanBeGrabbed)
{
    FakeMediaEngine engine;
    VideoView view;
    view.SetEngine(&engine);
    emit engine.FramePresented();
    const QImage shown = view.grab().toImage();
    EXPECT_TRUE(view.Picture().isNull());
    EXPECT_EQ(shown.pixelColor(5, 5), QColor(Qt::black));
}

}  // namespace
}  // namespace sm::test
