// The viewer as the user meets it: opened from the main window on the selected shot,
// stepping through shots of any size, a shot without a picture among them.
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>

#include "app/ui/MainWindow.h"
#include "capture/ShotList.h"
#include "settings/Texts.h"
#include "support/FakeMediaEngine.h"
#include "support/ScriptedPrompts.h"
#include "viewer/ViewerPosition.h"
#include "viewer/ui/ShotViewer.h"

namespace sm {
namespace {

ShotToSave Shot(const char* label, int width, int height)
{
    return ShotToSave{QLatin1String(label), std::make_shared<const Bitmap>(width, height, 24)};
}

void PressKey(QWidget& window, Qt::Key key)
{
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &window;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
}

struct ViewerControls {
    explicit ViewerControls(const TfrmView& view)
        : previous(view.findChild<QToolButton*>("ToolBtnPre")),
          next(view.findChild<QToolButton*>("ToolBtnNext")),
          picture(view.findChild<QLabel*>("ImgView")),
          status(view.findChild<QLabel*>("SBarViewText")),
          box(view.findChild<QScrollArea*>("ScrollMain"))
    {
    }
    QSize pictureSize() const { return picture->pixmap().size(); }

    QToolButton* previous;
    QToolButton* next;
    QLabel* picture;
    QLabel* status;
    QScrollArea* box;
};

TEST(ShotViewerTest, StepsThroughShotsOfAnySizeAndKeepsThePictureOfAShotWithoutOne)
{
    TfrmView view({Shot("00:00:01", 320, 240), Shot("00:00:02", 0, 0), Shot("00:00:03", 1920, 1080)}, -1);
    view.show();
    QApplication::processEvents();
    const ViewerControls c(view);
    ASSERT_TRUE(c.previous && c.next && c.picture && c.status && c.box);
    EXPECT_EQ(view.windowTitle(), lang::kViewerCaption);
    EXPECT_EQ(c.status->text(), "00:00:01");
    EXPECT_FALSE(c.previous->isEnabled());
    EXPECT_TRUE(c.next->isEnabled());
    EXPECT_EQ(c.picture->pos(), PictureOrigin({320, 240}, c.box->viewport()->size()));

    c.next->click();
    EXPECT_EQ(c.status->text(), "00:00:02");
    EXPECT_EQ(c.pictureSize(), QSize(320, 240)) << "the previous picture stays";

    PressKey(view, Qt::Key_Right);
    QApplication::processEvents();
    EXPECT_EQ(c.status->text(), "00:00:03");
    EXPECT_EQ(c.pictureSize(), QSize(1920, 1080));
    EXPECT_EQ(c.picture->pos(), QPoint(0, 0));
    EXPECT_GT(c.box->horizontalScrollBar()->maximum(), 0);
    EXPECT_GT(c.box->verticalScrollBar()->maximum(), 0);
    EXPECT_FALSE(c.next->isEnabled());
    PressKey(view, Qt::Key_Down);
    EXPECT_EQ(c.status->text(), "00:00:03") << "no wrap-around";

    PressKey(view, Qt::Key_Up);
    PressKey(view, Qt::Key_Left);
    QApplication::processEvents();
    EXPECT_EQ(c.status->text(), "00:00:01");
    EXPECT_EQ(c.box->horizontalScrollBar()->maximum(), 0) << "a small picture again needs no scrolling";
    EXPECT_EQ(c.picture->pos(), PictureOrigin({320, 240}, c.box->viewport()->size()));
}

TEST(ShotViewerTest, TheMainWindowOpensItOnTheFirstSelectedShot)
{
    QTemporaryDir folder;
    test::ScriptedPrompts prompts;
    test::FakeMediaEngine engine;
    TfrmMain window(folder.path(), prompts, engine);
    window.show();
    // Records what the modal viewer shows, then closes it.
    QString shown;
    auto inspectViewer = [&shown] {
        QTimer::singleShot(0, [&shown] {
            if (auto* view = qobject_cast<TfrmView*>(QApplication::activeModalWidget())) {
                shown = view->findChild<QLabel*>("SBarViewText")->text();
                view->close();
            }
        });
    };

    inspectViewer();
    window.action("ActViewShots")->trigger();
    QApplication::processEvents();
    EXPECT_TRUE(shown.isEmpty()) << "an empty list opens no viewer";

    for (int second : {3, 1, 4, 5, 2})
        window.shots().AddShot(Bitmap(40, 30, 24), QStringLiteral("00:00:0%1").arg(second));
    window.UpdateCommandStates();
    auto* list = window.findChild<QListWidget*>("lvPicList");
    list->item(4)->setSelected(true);
    list->item(2)->setSelected(true);
    inspectViewer();
    window.action("ActViewShots")->trigger();
    EXPECT_EQ(shown, "00:00:03");
}

}  // namespace
}  // namespace sm
