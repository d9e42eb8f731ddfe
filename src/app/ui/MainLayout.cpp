// The controls of the main window: the left panel with its two pages, and the shot list.

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QSplitter>
#include <QStackedWidget>
#include <QTabBar>
#include <QTimeEdit>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/ui/CommandIcons.h"
#include "app/ui/CommandKeys.h"
#include "app/ui/MainWindow.h"
#include "common/ColorValue.h"
#include "common/Named.h"
#include "settings/Texts.h"

namespace sm {

namespace {

constexpr int kLeftPanelWidth = 240;
constexpr int kListIconSize = 100;
constexpr int kListSpacingX = 108;
constexpr int kListSpacingY = 124;

QLabel* Caption(const QString& text, QWidget* parent) { return new QLabel(text, parent); }

}  // namespace

QWidget* TfrmMain::createPanelSplitter()
{
    // The panel starts at its standard width; the user may widen it (to see the video
    // of the "手动" page larger) but not narrow it. The width is not kept across runs.
    auto* splitter = Named(new QSplitter(Qt::Horizontal, this), "splLeft");
    splitter->setChildrenCollapsible(false);
    splitter->addWidget(createLeftPanel());
    splitter->addWidget(lvPicList);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({kLeftPanelWidth, width() - kLeftPanelWidth});
    return splitter;
}

QWidget* TfrmMain::createLeftPanel()
{
    auto* panel = Named(new QWidget(this), "plLeft");
    panel->setMinimumWidth(kLeftPanelWidth);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(0);

    TabBarLeft = Named(new QTabBar(panel), "TabBarLeft");
    TabBarLeft->addTab(lang::kTabAuto);
    TabBarLeft->addTab(lang::kTabHand);
    TabBarLeft->setExpanding(false);
    layout->addWidget(TabBarLeft);

    pcMain = Named(new QStackedWidget(panel), "pcMain");
    pcMain->setFrameShape(QFrame::StyledPanel);
    pcMain->addWidget(createAutoPage());
    pcMain->addWidget(createHandPage());
    layout->addWidget(pcMain, 1);
    connect(TabBarLeft, &QTabBar::currentChanged, pcMain, &QStackedWidget::setCurrentIndex);
    return panel;
}

QWidget* TfrmMain::createAutoPage()
{
    using namespace lang;
    auto* page = Named(new QWidget, "tsAuto");
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);

    auto* method = Named(new QGroupBox(kGroupCaptureMethod, page), "gbCaptureMethod");
    auto* methodLayout = new QGridLayout(method);
    methodLayout->setHorizontalSpacing(4);
    rbCountFrames = Named(new QRadioButton(kRbCountFrames, method), "rbCountFrames");
    seCountFrames = Named(new QSpinBox(method), "seCountFrames");
    seCountFrames->setRange(1, 999);
    seCountFrames->setValue(12);
    rbEveryFrame = Named(new QRadioButton(kRbEveryFrame, method), "rbEveryFrame");
    seEveryFrame = Named(new QSpinBox(method), "seEveryFrame");
    seEveryFrame->setRange(2, 3600);
    seEveryFrame->setValue(60);
    meStartTime = Named(new QTimeEdit(method), "meStartTime");
    meStartTime->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    meStartTime->setButtonSymbols(QAbstractSpinBox::UpDownArrows);

    auto* countRow = new QHBoxLayout;
    countRow->addWidget(rbCountFrames);
    countRow->addWidget(seCountFrames);
    countRow->addStretch();
    methodLayout->addLayout(countRow, 0, 0, 1, 2);
    methodLayout->addWidget(Caption(kLbCountFramesTail, method), 1, 0, 1, 2, Qt::AlignRight);
    methodLayout->addWidget(rbEveryFrame, 2, 0, 1, 2);
    auto* everyRow = new QHBoxLayout;
    everyRow->addStretch();
    everyRow->addWidget(seEveryFrame);
    everyRow->addWidget(Caption(kLbEveryFrameTail, method));
    methodLayout->addLayout(everyRow, 3, 0, 1, 2);
    methodLayout->addWidget(Caption(kLbStartTime, method), 4, 0);
    methodLayout->addWidget(meStartTime, 4, 1);
    layout->addWidget(method);

    auto* output = Named(new QGroupBox(kGroupOutput, page), "gbOutput");
    auto* outputLayout = new QGridLayout(output);
    outputLayout->setHorizontalSpacing(4);
    outputLayout->addWidget(Caption(kLbOutputFolder, output), 0, 0, 1, 2);
    seOutput = Named(new QLineEdit(output), "seOutput");
    seOutput->setReadOnly(true);
    auto* browse = Named(new QToolButton(output), "btnChooseOutput");
    browse->setText(QStringLiteral("..."));
    browse->setToolTip(kChooseOutputFolder);
    connect(browse, &QToolButton::clicked, this, &TfrmMain::btnOutputFolderClick);
    auto* folderRow = new QHBoxLayout;
    folderRow->setSpacing(2);
    folderRow->addWidget(seOutput, 1);
    folderRow->addWidget(browse);
    outputLayout->addLayout(folderRow, 1, 0, 1, 2);
    outputLayout->addWidget(Caption(kLbPrefix, output), 2, 0);
    edPrefix = Named(new QLineEdit(kDefaultPrefix, output), "edPrefix");
    outputLayout->addWidget(edPrefix, 2, 1);
    outputLayout->addWidget(Caption(kLbSaveFormat, output), 3, 0);
    cbSaveFormat = Named(new QComboBox(output), "cbSaveFormat");
    cbSaveFormat->addItems({"JPG", "PNG", "BMP", "GIF", "TIF"});
    outputLayout->addWidget(cbSaveFormat, 3, 1);

    // One page per format; GIF and TIF share the empty one.
    pcCompress = Named(new QStackedWidget(output), "pcCompress");
    // The empty page would otherwise soak up a tall window's spare height inside the group.
    pcCompress->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    auto formatPage = [this](const char* name, const QString& caption, QWidget* control) {
        auto* formatPageWidget = Named(new QWidget, name);
        auto* row = new QHBoxLayout(formatPageWidget);
        row->setContentsMargins(0, 0, 0, 0);
        if (control) {
            row->addWidget(new QLabel(caption, formatPageWidget));
            row->addWidget(control, 1);
        }
        pcCompress->addWidget(formatPageWidget);
    };
    SpinCompress = Named(new QSpinBox, "SpinCompress");
    SpinCompress->setRange(10, 100);
    SpinCompress->setValue(90);
    cbPngCompress = Named(new QComboBox, "cbPngCompress");
    for (int level = 0; level <= 9; ++level)
        cbPngCompress->addItem(QString::number(level));
    cbPngCompress->setCurrentIndex(5);
    cbColors = Named(new QComboBox, "cbColors");
    cbColors->addItems({kColors16, kColors256, kColorsTrue16, kColorsTrue24});
    cbColors->setCurrentIndex(3);
    formatPage("tsJpg", kLbJpgQuality, SpinCompress);
    formatPage("tsPng", kLbPngCompress, cbPngCompress);
    formatPage("tsBmp", kLbColors, cbColors);
    formatPage("tsNoOptions", QString(), nullptr);
    outputLayout->addWidget(pcCompress, 4, 0, 1, 2);
    layout->addWidget(output);
    layout->addStretch();
    return page;
}

QWidget* TfrmMain::createHandPage()
{
    auto* page = Named(new QWidget, "tsHand");
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(2, 2, 2, 2);

    plVideo = Named(new QWidget(page), "plVideo");
    plVideo->setAutoFillBackground(true);
    QPalette black = plVideo->palette();
    black.setColor(QPalette::Window, Qt::black);
    plVideo->setPalette(black);
    plVideo->setMinimumHeight(160);
    auto* videoLayout = new QVBoxLayout(plVideo);
    videoLayout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(plVideo, 1);

    TrackBar = Named(new QSlider(Qt::Horizontal, page), "TrackBar");
    TrackBar->setRange(0, 0);
    layout->addWidget(TrackBar);

    ToolBarNav = Named(new QToolBar(page), "ToolBarNav");
    ToolBarNav->setIconSize(QSize(20, 20));
    ToolBarNav->addActions({action("ActPlayVideo"), action("ActPauseVideo"), action("ActStopVideo")});
    auto stepButton = [this](const char* name, const QString& caption, void (TfrmMain::*handler)()) {
        auto* button = Named(new QToolButton(ToolBarNav), name);
        button->setText(caption);
        button->setToolTip(caption);
        button->setIcon(CommandIcon(QLatin1String(name)));
        connect(button, &QToolButton::clicked, this, handler);
        ToolBarNav->addWidget(button);
        return button;
    };
    btnBackward = stepButton("btnBackward", lang::kBtnBackward, &TfrmMain::btnBackwardClick);
    btnForward = stepButton("btnForward", lang::kBtnForward, &TfrmMain::btnForwardClick);
    ToolBarNav->addSeparator();
    ToolBarNav->addAction(action("ActCaptureFrame"));
    layout->addWidget(ToolBarNav);
    return page;
}

void TfrmMain::createShotList()
{
    lvPicList = Named(new QListWidget(this), "lvPicList");
    lvPicList->setViewMode(QListView::IconMode);
    lvPicList->setIconSize(QSize(kListIconSize, kListIconSize));
    lvPicList->setGridSize(QSize(kListSpacingX, kListSpacingY));
    lvPicList->setResizeMode(QListView::Adjust);
    lvPicList->setMovement(QListView::Static);
    lvPicList->setFlow(QListView::LeftToRight);
    lvPicList->setWrapping(true);
    lvPicList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lvPicList->setSortingEnabled(true);
    lvPicList->sortItems(Qt::AscendingOrder);
    const std::uint32_t workspace = ColorToRGB(clAppWorkSpace);
    QPalette palette = lvPicList->palette();
    palette.setColor(QPalette::Base, QColor(RedOf(workspace), GreenOf(workspace), BlueOf(workspace)));
    lvPicList->setPalette(palette);
    connect(lvPicList, &QListWidget::itemDoubleClicked, action("ActViewShots"), &QAction::trigger);
    // A plain Delete in the list removes the selection; Ctrl+Del and Shift+Del belong
    // to their commands.
    lvPicList->installEventFilter(new DeleteKeyCommand(action("ActRemoveSelShots"), lvPicList));
}

}  // namespace sm
