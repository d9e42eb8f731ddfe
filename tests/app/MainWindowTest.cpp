#include <gtest/gtest.h>

#include "support/QtPrinters.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QSplitter>
#include <QStackedWidget>
#include <QTabBar>
#include <QTest>
#include <QTimeEdit>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

#include <memory>
#include <stdexcept>

#include "app/ui/MainWindow.h"
#include "batch/ui/BatchWindow.h"
#include "capture/ShotList.h"
#include "settings/SettingsStore.h"
#include "settings/Texts.h"
#include "settings/VideoOpenFilters.h"
#include "support/FakeMediaEngine.h"
#include "support/ScriptedPrompts.h"
#include "support/TempFolder.h"

namespace sm {
namespace {

using test::FakeMediaEngine;
using test::ScriptedPrompts;
using test::TempFolder;

class MainWindowTest : public ::testing::Test {
protected:
    std::unique_ptr<TfrmMain> create()
    {
        auto window = std::make_unique<TfrmMain>(folder.path(), prompts, engine);
        window->session().SetWait([](int) {});  // opening a video needs no pause here
        return window;
    }
    std::unique_ptr<TfrmMain> createShown()
    {
        auto window = create();
        window->show();
        return window;
    }

    template <typename T>
    static T* child(const TfrmMain& window, const char* name)
    {
        T* found = window.findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    static void addShots(TfrmMain& window, int count)
    {
        for (int i = 0; i < count; ++i)
            window.shots().AddShot(Bitmap(8, 6, 24), QStringLiteral("00:00:%1").arg(i, 2, 10, QLatin1Char('0')));
    }

    TempFolder folder;
    ScriptedPrompts prompts;
    FakeMediaEngine engine;
};

TEST_F(MainWindowTest, CommandTable)
{
    const struct {
        const char* name;
        QString caption;
        const char* shortcut;
        const char* category;
        QString hint;
    } commands[] = {
        {"ActOpenVideo", "打开...", "Ctrl+O", "File", "打开视频"},
        {"ActSaveShots", "保存截图", "", "File", "保存所有截图"},
        {"ActBatch", "批量处理", "", "File", "批处理"},
        {"ActMakeThumb", "生成缩略图", "Ctrl+M", "File", "生成缩略图"},
        {"ActExit", "退出", "", "File", "退出程序"},
        {"ActAutoCapture", "自动捕捉", "F8", "Shots", "自动捕捉一个序列"},
        {"ActHandSnapshot", "手动捕捉帧", "", "Shots", ""},
        {"ActStopCapture", "停止捕捉", "F9", "Shots", ""},
        {"ActCaptureFrame", "截图", "F10", "Shots", "捕捉当前帧"},
        {"ActRemoveSelShots", "移除选定截图", "Ctrl+Del", "Shots", ""},
        {"ActRemoveAllShots", "清除所有截图", "Shift+Del", "Shots", ""},
        {"ActPlayVideo", "播放", "F5", "Video", "播放视频"},
        {"ActPauseVideo", "暂停", "F6", "Video", ""},
        {"ActStopVideo", "停止", "F7", "Video", ""},
        {"ActViewShots", "图片查看器", "", "Tools", "查看截图"},
        {"ActStandardOptions", "标准选项", "", "Tools", ""},
        {"ActHelpManual", "帮助手册", "F1", "Help", ""},
        {"ActHomePage", "主页", "Ctrl+F1", "Help", ""},
        {"ActCheckUpdates", "检查更新", "", "Help", ""},
        {"ActAboutSoft", "关于...", "", "Help", ""},
    };
    auto window = create();
    for (const auto& c : commands) {
        const QAction* act = window->action(QLatin1String(c.name));
        ASSERT_NE(act, nullptr) << c.name;
        EXPECT_EQ(act->text(), c.caption) << c.name;
        EXPECT_EQ(act->shortcut().toString(), QLatin1String(c.shortcut)) << c.name;
        EXPECT_EQ(act->property("category").toString(), QLatin1String(c.category)) << c.name;
        if (!c.hint.isEmpty()) {
            EXPECT_EQ(act->toolTip(), c.hint) << c.name;
        }
    }
    // The stop command is reached by its key only.
    EXPECT_EQ(window->action("ActStopCapture")->associatedObjects(), QObjectList{window.get()});
}

QStringList Entries(const QList<QAction*>& actions)
{
    QStringList names;
    for (const QAction* a : actions)
        names << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
    return names;
}

TEST_F(MainWindowTest, MenusAndToolBarPointAtTheCommands)
{
    auto window = create();
    const QList<QAction*> menus = window->menuBar()->actions();
    ASSERT_EQ(menus.size(), 5);
    const QStringList titles = {"文件(&F)", "截图(&S)", "视频(&V)", "工具(&T)", "帮助(&H)"};
    const QStringList entries[5] = {
        {"ActOpenVideo", "ActSaveShots", "ActBatch", "ActMakeThumb", "-", "ActExit"},
        {"ActAutoCapture", "ActHandSnapshot", "-", "ActRemoveSelShots", "ActRemoveAllShots"},
        {"ActPlayVideo", "ActPauseVideo", "ActStopVideo"},
        {"ActStandardOptions", "ActViewShots"},
        {"ActHelpManual", "miFeedback", "ActHomePage", "-", "ActCheckUpdates", "ActAboutSoft"},
    };
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(menus[i]->text(), titles[i]);
        EXPECT_EQ(Entries(menus[i]->menu()->actions()), entries[i]) << i;
    }

    const auto* toolBar = child<QToolBar>(*window, "ToolBarMain");
    EXPECT_EQ(Entries(toolBar->actions()),
              (QStringList{"ActOpenVideo", "ActAutoCapture", "ActRemoveSelShots", "ActSaveShots", "-", "ActViewShots",
                           "ActMakeThumb", "ActBatch", "-", "ActStandardOptions", "ActExit"}));
    QStringList captions;
    for (QAction* a : toolBar->actions())
        if (!a->isSeparator())
            captions << qobject_cast<QToolButton*>(toolBar->widgetForAction(a))->text();
    EXPECT_EQ(captions,
              (QStringList{"打开文件", "捕捉", "移除", "保存截图", "查看捷图", "缩略图", "批处理", "选项", "退出"}));
    for (QAction* a : toolBar->actions())
        if (const auto* button = qobject_cast<QToolButton*>(toolBar->widgetForAction(a))) {
            EXPECT_EQ(button->size(), QSize(55, 48)) << a->objectName().toStdString();
            EXPECT_EQ(button->iconSize(), QSize(26, 28)) << a->objectName().toStdString();
            EXPECT_EQ(a->icon().actualSize(QSize(26, 28)), QSize(26, 28)) << a->objectName().toStdString();
        }

    const auto* nav = child<QToolBar>(*window, "ToolBarNav");
    QStringList navEntries;
    for (QAction* a : nav->actions())
        navEntries << (a->isSeparator()            ? QStringLiteral("-")
                       : a->objectName().isEmpty() ? nav->widgetForAction(a)->objectName()
                                                   : a->objectName());
    EXPECT_EQ(navEntries, (QStringList{"ActPlayVideo", "ActPauseVideo", "ActStopVideo", "btnBackward", "btnForward",
                                       "-", "ActCaptureFrame"}));
}

TEST_F(MainWindowTest, CommandStatesFollowShotsAndEngine)
{
    enum class Engine { Inactive, Stopped, Playing };
    const QStringList shotCommands
        = {"ActSaveShots", "ActMakeThumb", "ActViewShots", "ActRemoveSelShots", "ActRemoveAllShots"};
    const QStringList alwaysOn
        = {"ActOpenVideo",       "ActBatch",      "ActExit",     "ActHandSnapshot", "ActStopCapture",
           "ActStandardOptions", "ActHelpManual", "ActHomePage", "ActCheckUpdates", "ActAboutSoft"};
    for (const Engine state : {Engine::Inactive, Engine::Stopped, Engine::Playing}) {
        for (const int shots : {0, 2}) {
            SCOPED_TRACE(testing::Message() << "engine " << int(state) << ", shots " << shots);
            engine.SetActive(state != Engine::Inactive);
            if (state == Engine::Playing)
                engine.Play();
            auto window = createShown();
            addShots(*window, shots);
            window->UpdateCommandStates();

            for (const QString& name : shotCommands)
                EXPECT_EQ(window->action(name)->isEnabled(), shots > 0) << name.toStdString();
            for (const QString& name : alwaysOn)
                EXPECT_TRUE(window->action(name)->isEnabled()) << name.toStdString();
            const bool active = state != Engine::Inactive;
            const bool playing = state == Engine::Playing;
            EXPECT_EQ(window->action("ActAutoCapture")->isEnabled(), active);
            EXPECT_EQ(window->action("ActCaptureFrame")->isEnabled(), active);
            EXPECT_EQ(window->action("ActPlayVideo")->isEnabled(), !playing);
            EXPECT_EQ(window->action("ActPauseVideo")->isEnabled(), playing);
            EXPECT_EQ(window->action("ActStopVideo")->isEnabled(), playing);
            EXPECT_EQ(child<QToolButton>(*window, "btnBackward")->isEnabled(), playing);
            EXPECT_EQ(child<QToolButton>(*window, "btnForward")->isEnabled(), playing);
            EXPECT_EQ(window->statusText(0), QStringLiteral("已捕捉 %1 张截图").arg(shots));
        }
    }
}

TEST_F(MainWindowTest, PageOneControlsStartWithTheirDefaultsAndTabsSwitchPages)
{
    auto window = createShown();
    const auto* count = child<QSpinBox>(*window, "seCountFrames");
    const auto* every = child<QSpinBox>(*window, "seEveryFrame");
    const auto* quality = child<QSpinBox>(*window, "SpinCompress");
    EXPECT_EQ(std::make_pair(count->minimum(), count->maximum()), std::make_pair(1, 999));
    EXPECT_EQ(std::make_pair(every->minimum(), every->maximum()), std::make_pair(2, 3600));
    EXPECT_EQ(std::make_pair(quality->minimum(), quality->maximum()), std::make_pair(10, 100));
    EXPECT_EQ(count->value(), 12);
    EXPECT_EQ(every->value(), 60);
    EXPECT_EQ(quality->value(), 90);
    EXPECT_EQ(child<QTimeEdit>(*window, "meStartTime")->displayFormat(), "HH:mm:ss");
    EXPECT_EQ(child<QLineEdit>(*window, "edPrefix")->text(), "shots_");
    EXPECT_TRUE(child<QLineEdit>(*window, "seOutput")->isReadOnly());
    EXPECT_EQ(child<QComboBox>(*window, "cbSaveFormat")->count(), 5);
    EXPECT_EQ(child<QComboBox>(*window, "cbPngCompress")->count(), 10);
    EXPECT_EQ(child<QComboBox>(*window, "cbColors")->itemText(3), "真彩(24位)");

    auto* tabs = child<QTabBar>(*window, "TabBarLeft");
    auto* pages = child<QStackedWidget>(*window, "pcMain");
    EXPECT_EQ(tabs->tabText(0), "自动");
    EXPECT_EQ(tabs->tabText(1), "手动");
    EXPECT_EQ(pages->currentIndex(), 0);
    tabs->setCurrentIndex(1);
    EXPECT_EQ(pages->currentIndex(), 1);
    EXPECT_NE(child<QWidget>(*window, "plVideo"), nullptr);
    EXPECT_NE(child<QWidget>(*window, "TrackBar"), nullptr);

    const auto* list = child<QListWidget>(*window, "lvPicList");
    EXPECT_EQ(list->viewMode(), QListView::IconMode);
    EXPECT_EQ(list->iconSize(), QSize(100, 100));
    EXPECT_EQ(list->gridSize(), QSize(108, 124));
    EXPECT_EQ(list->selectionMode(), QAbstractItemView::ExtendedSelection);
}

TEST_F(MainWindowTest, SettingsToControlsShowsOutOfRangeIndexesAsNoSelection)
{
    auto window = createShown();
    AppSettings& s = window->settings();
    s.CaptureMethod = 1;
    s.SaveFormat = 7;
    s.OutputFolder = QStringLiteral("ab");
    s.JpgCompress = 55;
    s.PngCompress = 12;
    s.MaxColor = 8;
    s.StartTime = QStringLiteral("1:02:05");
    s.CountFrames = 30;
    s.EveryFrame = 90;
    window->SettingsToControls();

    EXPECT_TRUE(child<QRadioButton>(*window, "rbEveryFrame")->isChecked());
    EXPECT_EQ(s.CaptureMethod, 1);
    EXPECT_EQ(child<QComboBox>(*window, "cbSaveFormat")->currentIndex(), -1);
    EXPECT_EQ(child<QStackedWidget>(*window, "pcCompress")->currentWidget()->objectName(), "tsNoOptions");
    EXPECT_EQ(s.OutputFolder, folder.path() + "OutPic");
    EXPECT_EQ(child<QLineEdit>(*window, "seOutput")->text(), folder.path() + "OutPic");
    EXPECT_EQ(child<QSpinBox>(*window, "SpinCompress")->value(), 55);
    EXPECT_EQ(child<QComboBox>(*window, "cbPngCompress")->currentIndex(), -1);
    EXPECT_EQ(child<QComboBox>(*window, "cbColors")->currentIndex(), -1);
    EXPECT_EQ(child<QTimeEdit>(*window, "meStartTime")->time(), QTime(1, 2, 5));
    EXPECT_EQ(child<QSpinBox>(*window, "seCountFrames")->value(), 30);
    EXPECT_EQ(child<QSpinBox>(*window, "seEveryFrame")->value(), 90);

    s.CaptureMethod = 0;
    s.MaxColor = 1;
    window->SettingsToControls();
    EXPECT_TRUE(child<QRadioButton>(*window, "rbCountFrames")->isChecked());
    EXPECT_EQ(child<QComboBox>(*window, "cbColors")->currentIndex(), 1);
}

TEST_F(MainWindowTest, ControlsToSettingsAndLiveBindings)
{
    auto window = createShown();
    AppSettings& s = window->settings();

    child<QRadioButton>(*window, "rbEveryFrame")->click();
    EXPECT_EQ(s.CaptureMethod, 1);
    child<QRadioButton>(*window, "rbCountFrames")->click();
    EXPECT_EQ(s.CaptureMethod, 0);
    child<QLineEdit>(*window, "seOutput")->setText("/data/shots/");
    EXPECT_EQ(s.OutputFolder, "/data/shots/");
    child<QSpinBox>(*window, "seCountFrames")->setValue(25);
    EXPECT_EQ(s.CountFrames, 25);
    child<QSpinBox>(*window, "seEveryFrame")->setValue(120);
    EXPECT_EQ(s.EveryFrame, 120);
    // The format and compression boxes reach the settings only through ControlsToSettings.
    child<QComboBox>(*window, "cbSaveFormat")->setCurrentIndex(1);
    EXPECT_EQ(s.SaveFormat, 0);

    child<QSpinBox>(*window, "SpinCompress")->setValue(70);
    child<QComboBox>(*window, "cbPngCompress")->setCurrentIndex(3);
    child<QComboBox>(*window, "cbColors")->setCurrentIndex(0);
    child<QTimeEdit>(*window, "meStartTime")->setTime(QTime(0, 5, 0));
    child<QRadioButton>(*window, "rbEveryFrame")->setChecked(true);
    window->ControlsToSettings();
    EXPECT_EQ(s.SaveFormat, 1);
    EXPECT_EQ(s.JpgCompress, 70);
    EXPECT_EQ(s.PngCompress, 3);
    EXPECT_EQ(s.MaxColor, 0);
    EXPECT_EQ(s.StartTime, "0:05:00");
    EXPECT_EQ(s.CaptureMethod, 1);
    EXPECT_EQ(s.OutputFolder, "/data/shots/");
}

TEST_F(MainWindowTest, FormatBoxSwitchesTheCompressionPage)
{
    auto window = createShown();
    auto* format = child<QComboBox>(*window, "cbSaveFormat");
    const auto* pages = child<QStackedWidget>(*window, "pcCompress");
    const char* expected[] = {"tsJpg", "tsPng", "tsBmp", "tsNoOptions", "tsNoOptions"};
    for (int i = 0; i < 5; ++i) {
        format->setCurrentIndex(i);
        EXPECT_EQ(pages->currentWidget()->objectName(), QLatin1String(expected[i])) << i;
    }
}

TEST_F(MainWindowTest, FirstStartWritesAllThreeSectionsAtExit)
{
    {
        auto window = createShown();
        EXPECT_EQ(window->settings().JpgCompress, 90);
        EXPECT_TRUE(engine.muted());  // StopSound defaults to true
    }
    const QByteArray text = folder.read("Settings.dat");
    EXPECT_TRUE(text.startsWith("[Settings]\n"));
    EXPECT_TRUE(text.contains("\n[TimeFont]\n"));
    EXPECT_TRUE(text.contains("\n[AddonFont]\n"));
}

TEST_F(MainWindowTest, FormatChosenBeforeExitIsShownAtTheNextStart)
{
    {
        auto window = createShown();
        child<QComboBox>(*window, "cbSaveFormat")->setCurrentIndex(3);
        child<QSpinBox>(*window, "seCountFrames")->setValue(40);
    }
    auto window = createShown();
    EXPECT_EQ(child<QComboBox>(*window, "cbSaveFormat")->currentIndex(), 3);
    EXPECT_EQ(child<QStackedWidget>(*window, "pcCompress")->currentWidget()->objectName(), "tsNoOptions");
    EXPECT_EQ(child<QSpinBox>(*window, "seCountFrames")->value(), 40);
}

TEST_F(MainWindowTest, MaximizedStateIgnoresTheStoredSize)
{
    folder.write("Settings.dat", "[Settings]\nStopSound=0\nWinWidth=300\nWinHeight=200\nWinState=2\n");
    QSize maximized;
    {
        auto window = createShown();
        EXPECT_TRUE(window->windowState().testFlag(Qt::WindowMaximized));
        EXPECT_FALSE(engine.muted());
        maximized = window->size();
        EXPECT_NE(maximized, QSize(300, 200));
    }
    AppSettings saved;
    LoadSettings(folder.path(), saved);
    EXPECT_EQ(saved.WinState, 2);
    EXPECT_EQ(QSize(saved.WinWidth, saved.WinHeight), maximized);
}

TEST_F(MainWindowTest, NormalStateRestoresAndSavesTheSize)
{
    folder.write("Settings.dat", "[Settings]\nWinWidth=700\nWinHeight=560\nWinState=0\n");
    {
        auto window = createShown();
        EXPECT_EQ(window->size(), QSize(700, 560));
        window->resize(820, 610);
    }
    AppSettings saved;
    LoadSettings(folder.path(), saved);
    EXPECT_EQ(QSize(saved.WinWidth, saved.WinHeight), QSize(820, 610));
    EXPECT_EQ(saved.WinState, 0);
}

TEST_F(MainWindowTest, FormatsOnlyTheCommandLineWritesAreNoneOfTheWindowsAndNeverStored)
{
    for (const char* format : {"5", "6"}) {
        folder.write("Settings.dat", QByteArray("[Settings]\nSaveFormat=") + format + "\n");
        auto window = createShown();
        EXPECT_EQ(window->settings().SaveFormat, -1) << format;  // saved as JPEG, as any unknown value
        EXPECT_EQ(child<QComboBox>(*window, "cbSaveFormat")->currentIndex(), -1);
        EXPECT_TRUE(window->close());
        window.reset();
        EXPECT_TRUE(folder.read("Settings.dat").contains("SaveFormat=-1")) << format;
    }
}

TEST_F(MainWindowTest, UnwritableFolderKeepsTheOldFileAndClosesNormally)
{
    const QByteArray old = "[Settings]\nSaveFormat=2\n";
    folder.write("Settings.dat", old);
    auto window = createShown();
    child<QComboBox>(*window, "cbSaveFormat")->setCurrentIndex(4);
    EXPECT_TRUE(window->close());
    {
        test::ReadOnlyFolder readOnly(folder.path());
        if (!readOnly.effective())
            GTEST_SKIP() << "cannot make a folder read-only here";
        EXPECT_NO_THROW(window.reset());
    }
    EXPECT_EQ(folder.read("Settings.dat"), old);
}

TEST_F(MainWindowTest, CloseClearsTheGraph)
{
    engine.SetActive(true);
    auto window = createShown();
    engine.calls.clear();
    EXPECT_TRUE(window->close());
    EXPECT_EQ(engine.calls, (std::vector<QString>{"Stop", "ClearGraph"}));
}

void Drop(QWidget& target, const QList<QUrl>& urls)
{
    // A drop reaches the widget that accepted the drag's entry, as from a file manager.
    QMimeData data;
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &enter);
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &drop);
}

TEST_F(MainWindowTest, DropOpensOnlyTheFirstFile)
{
    auto window = createShown();
    addShots(*window, 3);
    const QString first = folder.file("first.avi");
    const QString second = folder.file("second.avi");
    Drop(*window, {QUrl::fromLocalFile(first), QUrl::fromLocalFile(second)});

    EXPECT_EQ(window->windowTitle(), "Stillmark (" + first + ")");
    for (const QString& call : engine.calls)
        EXPECT_FALSE(call.contains("second")) << call.toStdString();
    EXPECT_EQ(window->statusText(0), "已捕捉 0 张截图");
    EXPECT_TRUE(prompts.shown.empty());

    // Nothing to open: no file, or only a web link.
    addShots(*window, 2);
    engine.calls.clear();
    Drop(*window, {});
    Drop(*window, {QUrl("https://example.com/clip.mp4")});
    EXPECT_TRUE(engine.calls.empty());
    EXPECT_EQ(window->windowTitle(), "Stillmark (" + first + ")");
    EXPECT_EQ(window->shots().RowCount(), 2);
}

TEST_F(MainWindowTest, DropOnAnyControlOpensTheVideo)
{
    auto window = createShown();
    const QString path = folder.file("clip.avi");
    for (const char* name : {"lvPicList", "edPrefix", "seOutput"}) {
        window->setWindowTitle(QString());
        QWidget* target = child<QWidget>(*window, name);
        if (auto* area = qobject_cast<QAbstractScrollArea*>(target))
            target = area->viewport();
        Drop(*target, {QUrl::fromLocalFile(path)});
        EXPECT_EQ(window->windowTitle(), "Stillmark (" + path + ")") << name;
    }
}

TEST_F(MainWindowTest, OpenCommandUsesTheVideoFiltersAndDiscardsShotsWithoutAsking)
{
    auto window = createShown();
    EXPECT_EQ(window->windowTitle(), "Stillmark 3.0.1");
    addShots(*window, 2);
    window->UpdateCommandStates();

    engine.calls.clear();
    prompts.fileAnswers.push_back(std::nullopt);
    window->action("ActOpenVideo")->trigger();
    EXPECT_EQ(prompts.lastFilters, VideoOpenFilters());
    EXPECT_TRUE(engine.calls.empty());
    EXPECT_EQ(child<QListWidget>(*window, "lvPicList")->count(), 2);

    const QString path = folder.file("clip.avi");
    prompts.fileAnswers.push_back(path);
    window->action("ActOpenVideo")->trigger();
    EXPECT_EQ(engine.calls.front(), "SetActive(0)");
    EXPECT_EQ(child<QListWidget>(*window, "lvPicList")->count(), 0);
    EXPECT_EQ(window->windowTitle(), "Stillmark (" + path + ")");
    EXPECT_TRUE(prompts.texts("confirm").isEmpty());
    EXPECT_FALSE(window->action("ActSaveShots")->isEnabled());
}

TEST_F(MainWindowTest, TheOpenDialogStartsInTheFolderOfTheLastVideoOpened)
{
    auto window = createShown();
    ASSERT_TRUE(QDir(folder.path()).mkdir("other"));
    const QString first = folder.file("a.avi");
    const QString second = folder.file("other/b.avi");
    auto askOnce = [&] {
        prompts.fileAnswers = {std::nullopt};
        window->action("ActOpenVideo")->trigger();
        return prompts.lastStartFolder;
    };
    EXPECT_EQ(askOnce(), QString());
    prompts.fileAnswers = {first};
    window->action("ActOpenVideo")->trigger();
    EXPECT_EQ(askOnce(), QDir::cleanPath(folder.path()));
    Drop(*window, {QUrl::fromLocalFile(second)});
    EXPECT_EQ(askOnce(), folder.file("other"));
}

TEST_F(MainWindowTest, AfterABatchTheCaptionAndVideoNameFollowTheVideoTheEngineHolds)
{
    // The batch's videos; "missing" has no file, "bad" no graph.
    const struct {
        QStringList batch;
        QString named;
    } cases[] = {
        {{"b.avi", "c.avi"}, "c.avi"},
        {{"missing.avi"}, "a.avi"},         // nothing loaded: the opened video stays
        {{"b.avi", "bad.avi"}, "bad.avi"},  // named as after an open that failed
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.named.toStdString());
        engine.onOpen = [this](const QString& path) {
            engine.failOpen = path.endsWith("bad.avi");
            engine.filterNames = QFileInfo(path).fileName() + "\r";
        };
        auto window = createShown();
        window->settings().CaptureSpeed = 0;
        window->settings().OutputFolder = folder.path();
        for (const char* name : {"a.avi", "b.avi", "c.avi", "bad.avi"})
            folder.write(name, {});
        window->OpenVideoFile(folder.file("a.avi"));
        QTimer::singleShot(0, window.get(), [&] {
            auto* batch = window->findChild<TfrmBatch*>();
            QStringList paths;
            for (const QString& name : c.batch)
                paths << folder.file(name);
            batch->AddFiles(paths);
            batch->findChild<QPushButton*>("btnProcess")->click();
            batch->reject();
        });
        window->action("ActBatch")->trigger();
        const QString named = folder.file(c.named);
        EXPECT_EQ(window->windowTitle(), "Stillmark (" + named + ")");
        EXPECT_EQ(window->session().VideoFileName, named);
        EXPECT_EQ(window->session().DecoderList, engine.IsActive() ? c.named + "\r" : QString());
    }
}

TEST_F(MainWindowTest, ClearAllShotsAsksFirst)
{
    auto window = createShown();
    addShots(*window, 2);
    window->UpdateCommandStates();
    auto* list = child<QListWidget>(*window, "lvPicList");

    prompts.confirmAnswers = {false};
    window->action("ActRemoveAllShots")->trigger();
    EXPECT_EQ(prompts.texts("confirm"), QStringList{"确定要删除这些图片吗？"});
    EXPECT_EQ(list->count(), 2);

    prompts.confirmAnswers = {true};
    window->action("ActRemoveAllShots")->trigger();
    EXPECT_EQ(list->count(), 0);
    EXPECT_EQ(window->statusText(0), "已捕捉 0 张截图");
    EXPECT_FALSE(window->action("ActRemoveAllShots")->isEnabled());
}

TEST_F(MainWindowTest, CommandsThatSelectTheLeftTab)
{
    engine.SetActive(true);
    auto window = createShown();
    const auto* pages = child<QStackedWidget>(*window, "pcMain");
    window->action("ActHandSnapshot")->trigger();
    EXPECT_EQ(pages->currentIndex(), 1);
    EXPECT_EQ(child<QTabBar>(*window, "TabBarLeft")->currentIndex(), 1);
    window->settings().CaptureSpeed = 0;  // the capture it starts need not wait between shots
    window->action("ActAutoCapture")->trigger();
    EXPECT_EQ(pages->currentIndex(), 0);
    window->action("ActPlayVideo")->trigger();
    EXPECT_EQ(pages->currentIndex(), 1);
}

TEST_F(MainWindowTest, HelpCommandsHandTheirTargetsToTheDesktop)
{
    auto window = createShown();
    window->action("ActHelpManual")->trigger();
    window->action("ActHomePage")->trigger();
    window->action("ActCheckUpdates")->trigger();
    window->findChild<QAction*>("miFeedback")->trigger();
    EXPECT_EQ(prompts.texts("shell"),
              (QStringList{folder.path() + "help.chm", lang::kHomePageUrl, lang::kHomePageUrl, lang::kFeedbackUrl}));
}

// Prompts whose desktop hand-over fails, as a broken desktop setup would.
class FailingShellPrompts : public ScriptedPrompts {
public:
    void OpenWithShell(const QString&) override { throw std::runtime_error("no desktop"); }
};

TEST_F(MainWindowTest, AnErrorInACommandIsShownAndGoesNoFurther)
{
    FailingShellPrompts failing;
    TfrmMain window(folder.path(), failing, engine);
    window.show();
    window.action("ActHelpManual")->trigger();
    window.findChild<QAction*>("miFeedback")->trigger();
    EXPECT_EQ(failing.texts("error"), (QStringList{"no desktop", "no desktop"}));
}

TEST_F(MainWindowTest, DeleteKeyInTheListRemovesTheSelection)
{
    for (const Qt::KeyboardModifiers pad : {Qt::NoModifier, Qt::KeypadModifier}) {
        SCOPED_TRACE(int(pad));
        auto window = createShown();
        addShots(*window, 3);
        window->UpdateCommandStates();
        auto* list = child<QListWidget>(*window, "lvPicList");
        list->item(1)->setSelected(true);
        window->activateWindow();
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Delete, pad);
        ASSERT_EQ(list->count(), 2);
        EXPECT_EQ(list->item(0)->text(), "00:00:00");
        EXPECT_EQ(list->item(1)->text(), "00:00:02");
        EXPECT_EQ(window->statusText(0), "已捕捉 2 张截图");
    }
}

TEST_F(MainWindowTest, CtrlDelAndShiftDelRunTheirCommandsFromEveryControl)
{
    auto window = createShown();
    QApplication::setActiveWindow(window.get());
    auto* list = child<QListWidget>(*window, "lvPicList");
    prompts.confirmAnswers.assign(8, false);
    for (const char* name : {"edPrefix", "seCountFrames", "meStartTime", "lvPicList"}) {
        SCOPED_TRACE(name);
        addShots(*window, 2);
        window->UpdateCommandStates();
        list->item(0)->setSelected(true);
        child<QWidget>(*window, name)->setFocus();
        QWidget* focused = QApplication::focusWidget();
        ASSERT_NE(focused, nullptr);

        QTest::keyClick(focused, Qt::Key_Delete, Qt::ShiftModifier);
        EXPECT_EQ(prompts.texts("confirm").size(), 1);
        prompts.shown.clear();
        QTest::keyClick(focused, Qt::Key_Delete, Qt::ControlModifier);
        EXPECT_EQ(list->count(), 1);
        window->shots().ClearShots();
    }
}

TEST_F(MainWindowTest, LeftPanelStartsAtItsWidthAndOnlyWidens)
{
    auto window = createShown();
    auto* splitter = child<QSplitter>(*window, "splLeft");
    const auto* panel = child<QWidget>(*window, "plLeft");
    ASSERT_EQ(splitter->widget(0), panel);
    EXPECT_EQ(splitter->widget(1), child<QListWidget>(*window, "lvPicList"));
    EXPECT_EQ(panel->width(), 240);
    splitter->setSizes({400, 300});
    EXPECT_EQ(panel->width(), 400);
    splitter->setSizes({100, 600});
    EXPECT_EQ(panel->width(), 240);
}

TEST_F(MainWindowTest, TallWindowKeepsThePanelRowsAtTheTop)
{
    auto window = createShown();
    const QList<QWidget*> rows = {child<QWidget>(*window, "gbCaptureMethod"), child<QWidget>(*window, "gbOutput"),
                                  child<QWidget>(*window, "cbSaveFormat"), child<QWidget>(*window, "SpinCompress")};
    auto places = [&] {
        QList<QRect> at;
        for (const QWidget* row : rows)
            at << QRect(row->mapTo(window.get(), QPoint(0, 0)), row->size());
        return at;
    };
    const QList<QRect> standard = places();
    window->resize(window->width(), 1400);
    QApplication::processEvents();
    ASSERT_GT(child<QWidget>(*window, "plLeft")->height(), 1000);
    EXPECT_EQ(places(), standard);
}

}  // namespace
}  // namespace sm
