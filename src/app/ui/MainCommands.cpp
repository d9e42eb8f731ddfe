// The command table of the main window: its actions, menus, tool bar and status bar.

#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include "app/ui/CommandIcons.h"
#include "app/ui/MainWindow.h"
#include "settings/GuardedCommand.h"
#include "settings/Texts.h"

namespace sm {

namespace {

constexpr int kToolButtonWidth = 55;
constexpr int kToolButtonHeight = 48;
constexpr int kStatusShotsWidth = 240;
constexpr int kStatusVideoWidth = 50;

}  // namespace

QAction* TfrmMain::addCommand(const QString& name, const QString& caption, const QKeySequence& shortcut,
                              const QString& category, void (TfrmMain::*handler)())
{
    auto* act = new QAction(caption, this);
    act->setObjectName(name);
    act->setShortcut(shortcut);
    act->setProperty("category", category);
    act->setIcon(CommandIcon(name));
    // Every command runs guarded: an error reaches the user as a message box and
    // never the event loop.
    connect(act, &QAction::triggered, this, [this, handler] { RunGuarded(prompts_, [&] { (this->*handler)(); }); });
    // Shortcuts work whether or not the command sits in a menu or on a button.
    addAction(act);
    return act;
}

void TfrmMain::createActions()
{
    using namespace lang;
    const QString file = QStringLiteral("File");
    const QString shots = QStringLiteral("Shots");
    const QString video = QStringLiteral("Video");
    const QString tools = QStringLiteral("Tools");
    const QString help = QStringLiteral("Help");
    auto hint = [](QAction* act, const QString& text) { act->setToolTip(text); };

    hint(addCommand("ActOpenVideo", kActOpenVideo, QKeySequence(Qt::CTRL | Qt::Key_O), file,
                    &TfrmMain::ActOpenVideoExecute),
         kHintOpenVideo);
    hint(addCommand("ActSaveShots", kActSaveShots, {}, file, &TfrmMain::ActSaveShotsExecute), kHintSaveShots);
    hint(addCommand("ActBatch", kActBatch, {}, file, &TfrmMain::ActBatchExecute), kToolBatch);
    hint(addCommand("ActMakeThumb", kActMakeThumb, QKeySequence(Qt::CTRL | Qt::Key_M), file,
                    &TfrmMain::ActMakeThumbExecute),
         kHintMakeThumb);
    hint(addCommand("ActExit", kActExit, {}, file, &TfrmMain::ActExitExecute), kHintExit);
    hint(addCommand("ActAutoCapture", kActAutoCapture, QKeySequence(Qt::Key_F8), shots,
                    &TfrmMain::ActAutoCaptureExecute),
         kHintAutoCapture);
    addCommand("ActHandSnapshot", kActHandSnapshot, {}, shots, &TfrmMain::ActHandSnapshotExecute);
    // The progress dialog takes the focus while a run goes on; the stop key must still
    // reach the run from there.
    addCommand("ActStopCapture", kActStopCapture, QKeySequence(Qt::Key_F9), shots, &TfrmMain::ActStopCaptureExecute)
        ->setShortcutContext(Qt::ApplicationShortcut);
    hint(addCommand("ActCaptureFrame", kActCaptureFrame, QKeySequence(Qt::Key_F10), shots,
                    &TfrmMain::ActCaptureFrameExecute),
         kHintCaptureFrame);
    addCommand("ActRemoveSelShots", kActRemoveSelShots, QKeySequence(Qt::CTRL | Qt::Key_Delete), shots,
               &TfrmMain::ActRemoveSelShotsExecute);
    addCommand("ActRemoveAllShots", kActRemoveAllShots, QKeySequence(Qt::SHIFT | Qt::Key_Delete), shots,
               &TfrmMain::ActRemoveAllShotsExecute);
    hint(addCommand("ActPlayVideo", kActPlayVideo, QKeySequence(Qt::Key_F5), video, &TfrmMain::ActPlayVideoExecute),
         kHintPlayVideo);
    addCommand("ActPauseVideo", kActPauseVideo, QKeySequence(Qt::Key_F6), video, &TfrmMain::ActPauseVideoExecute);
    addCommand("ActStopVideo", kActStopVideo, QKeySequence(Qt::Key_F7), video, &TfrmMain::ActStopVideoExecute);
    hint(addCommand("ActViewShots", kActViewShots, {}, tools, &TfrmMain::ActViewShotsExecute), kHintViewShots);
    addCommand("ActStandardOptions", kActStandardOptions, {}, tools, &TfrmMain::ActStandardOptionsExecute);
    addCommand("ActHelpManual", kActHelpManual, QKeySequence(Qt::Key_F1), help, &TfrmMain::ActHelpManualExecute);
    addCommand("ActHomePage", kActHomePage, QKeySequence(Qt::CTRL | Qt::Key_F1), help, &TfrmMain::ActHomePageExecute);
    addCommand("ActCheckUpdates", kActCheckUpdates, {}, help, &TfrmMain::ActHomePageExecute);
    addCommand("ActAboutSoft", kActAboutSoft, {}, help, &TfrmMain::ActAboutSoftExecute);

    // Tool buttons show the icon text; where the tool bar has its own caption it goes there.
    action("ActOpenVideo")->setIconText(kToolOpenVideo);
    action("ActAutoCapture")->setIconText(kToolAutoCapture);
    action("ActRemoveSelShots")->setIconText(kToolRemoveSelShots);
    action("ActViewShots")->setIconText(kToolViewShots);
    action("ActMakeThumb")->setIconText(kToolMakeThumb);
    action("ActBatch")->setIconText(kToolBatch);
    action("ActStandardOptions")->setIconText(kToolStandardOptions);
}

void TfrmMain::createMenus()
{
    using namespace lang;
    QMenu* file = menuBar()->addMenu(kMenuFile);
    file->addActions({action("ActOpenVideo"), action("ActSaveShots"), action("ActBatch"), action("ActMakeThumb")});
    file->addSeparator();
    file->addAction(action("ActExit"));

    QMenu* shots = menuBar()->addMenu(kMenuShots);
    shots->addActions({action("ActAutoCapture"), action("ActHandSnapshot")});
    shots->addSeparator();
    shots->addActions({action("ActRemoveSelShots"), action("ActRemoveAllShots")});

    QMenu* video = menuBar()->addMenu(kMenuVideo);
    video->addActions({action("ActPlayVideo"), action("ActPauseVideo"), action("ActStopVideo")});

    QMenu* tools = menuBar()->addMenu(kMenuTools);
    tools->addActions({action("ActStandardOptions"), action("ActViewShots")});

    QMenu* help = menuBar()->addMenu(kMenuHelp);
    help->addAction(action("ActHelpManual"));
    QAction* feedback = help->addAction(kMenuFeedback);
    feedback->setObjectName(QStringLiteral("miFeedback"));
    connect(feedback, &QAction::triggered, this, [this] { RunGuarded(prompts_, [this] { mnuFeedbackClick(); }); });
    help->addAction(action("ActHomePage"));
    help->addSeparator();
    help->addActions({action("ActCheckUpdates"), action("ActAboutSoft")});
}

void TfrmMain::createToolBar()
{
    ToolBarMain = new QToolBar(this);
    ToolBarMain->setObjectName(QStringLiteral("ToolBarMain"));
    ToolBarMain->setIconSize(QSize(26, 28));
    ToolBarMain->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    ToolBarMain->setMovable(false);
    ToolBarMain->addActions(
        {action("ActOpenVideo"), action("ActAutoCapture"), action("ActRemoveSelShots"), action("ActSaveShots")});
    ToolBarMain->addSeparator();
    ToolBarMain->addActions({action("ActViewShots"), action("ActMakeThumb"), action("ActBatch")});
    ToolBarMain->addSeparator();
    ToolBarMain->addActions({action("ActStandardOptions"), action("ActExit")});
    for (QAction* act : ToolBarMain->actions())
        if (QWidget* button = ToolBarMain->widgetForAction(act); button && !act->isSeparator())
            button->setFixedSize(kToolButtonWidth, kToolButtonHeight);
    addToolBar(Qt::TopToolBarArea, ToolBarMain);
}

void TfrmMain::createStatusBar()
{
    statusBar()->setObjectName(QStringLiteral("StatBarMain"));
    const int widths[2] = {kStatusShotsWidth, kStatusVideoWidth};
    const char* names[2] = {"StatPanelShots", "StatPanelVideo"};
    for (int i = 0; i < 2; ++i) {
        statusPanels_[i] = new QLabel(statusBar());
        statusPanels_[i]->setObjectName(QLatin1String(names[i]));
        statusPanels_[i]->setMinimumWidth(widths[i]);
    }
    statusPanels_[0]->setFixedWidth(kStatusShotsWidth);
    statusBar()->addWidget(statusPanels_[0]);
    statusBar()->addWidget(statusPanels_[1], 1);
}

QAction* TfrmMain::action(const QString& name) const { return findChild<QAction*>(name, Qt::FindDirectChildrenOnly); }

QString TfrmMain::statusText(int panel) const { return statusPanels_[panel]->text(); }

void TfrmMain::setStatusText(int panel, const QString& text) { statusPanels_[panel]->setText(text); }

}  // namespace sm
