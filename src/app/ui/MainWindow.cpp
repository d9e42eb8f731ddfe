#include "app/ui/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabBar>
#include <QTimeEdit>
#include <QToolButton>
#include <QUrl>

#include <utility>

#include "app/ui/AboutBox.h"
#include "app/ui/CommandKeys.h"
#include "app/ui/OptionsDialog.h"
#include "batch/ui/BatchWindow.h"
#include "capture/ui/ShotCommands.h"
#include "common/PathText.h"
#include "common/ScopeExit.h"
#include "common/ui/CenterOnScreen.h"
#include "output/Encoders.h"
#include "output/ImageFormats.h"
#include "settings/GuardedCommand.h"
#include "settings/Prompts.h"
#include "settings/SettingsStore.h"
#include "settings/StartTimeText.h"
#include "settings/Texts.h"
#include "settings/VideoOpenFilters.h"
#include "sheet/ui/ThumbWindow.h"
#include "video/MediaEngine.h"
#include "video/PlaybackControl.h"
#include "viewer/ui/ShotViewer.h"

namespace sm {

TfrmMain::TfrmMain(QString appDir, Prompts& prompts, MediaEngine& engine, QWidget* parent)
    : QMainWindow(parent), prompts_(prompts), engine_(engine)
{
    setObjectName(QStringLiteral("frmMain"));
    appDir_ = WithTrailingSeparator(appDir);
    setWindowTitle(lang::kProductName + QLatin1Char(' ') + lang::kVersion);
    // A settings file that cannot be read leaves the defaults in force.
    try {
        LoadSettings(appDir_, settings_);
    } catch (const std::exception&) {
        settings_ = AppSettings{};
    }
    // A format only the command line offers is none of this window's: as with any value
    // its format box does not know, no format is selected and shots are saved as JPEG.
    if (ImageFormatFor(settings_.SaveFormat).commandLineOnly)
        settings_.SaveFormat = -1;
    encoders_ = std::make_unique<Encoders>();

    createActions();
    createMenus();
    createToolBar();
    createStatusBar();
    createShotList();
    shotCommands_ = new ShotCommands(
        *this, *lvPicList, engine_, prompts_, [this](const QString& text) { setStatusText(0, text); },
        [this] { UpdateCommandStates(); });
    setCentralWidget(createPanelSplitter());
    new CommandKeysFirst(*this, {action("ActRemoveSelShots"), action("ActRemoveAllShots")});
    bindControls();
    bindPlayback();
    // Files dropped anywhere on the window open a video: no child takes a drop itself.
    for (QWidget* child : findChildren<QWidget*>())
        child->setAcceptDrops(false);
    setAcceptDrops(true);

    engine_.SetMuted(settings_.StopSound);
    restoreWindowSize();
}

TfrmMain::~TfrmMain() { runDestroyStep(); }

void TfrmMain::restoreWindowSize()
{
    // A minimized or maximized window keeps its stored size out of play: it returns
    // to the standard size when restored.
    const AppSettings standard;
    if (settings_.WinState == 0)
        resize(settings_.WinWidth, settings_.WinHeight);
    else
        resize(standard.WinWidth, standard.WinHeight);
    CenterOnScreen(*this);
    if (settings_.WinState == 1)
        setWindowState(Qt::WindowMinimized);
    else if (settings_.WinState == 2)
        setWindowState(Qt::WindowMaximized);
}

void TfrmMain::storeWindowSize()
{
    settings_.WinWidth = width();
    settings_.WinHeight = height();
    const Qt::WindowStates state = windowState();
    settings_.WinState = state.testFlag(Qt::WindowMinimized) ? 1 : state.testFlag(Qt::WindowMaximized) ? 2 : 0;
}

void TfrmMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!shown_) {
        shown_ = true;
        runShowStep();
    }
}

void TfrmMain::runShowStep()
{
    SettingsToControls();
    selectLeftTab(0);
    showCompressionPage(cbSaveFormat->currentIndex());
    UpdateCommandStates();
}

void TfrmMain::closeEvent(QCloseEvent* event)
{
    try {
        engine_.Stop();
        engine_.ClearGraph();
    } catch (const std::exception&) {
        // Closing never fails on a graph that will not stop.
    }
    event->accept();
}

void TfrmMain::runDestroyStep()
{
    try {
        storeWindowSize();
        ControlsToSettings();
        SaveSettings(appDir_, settings_);
    } catch (...) {
        // A settings file that cannot be written keeps its old content; the program
        // still ends normally.
    }
}

void TfrmMain::bindControls()
{
    connect(rbEveryFrame, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            settings_.CaptureMethod = 1;
    });
    connect(rbCountFrames, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            settings_.CaptureMethod = 0;
    });
    connect(seOutput, &QLineEdit::textChanged, this, [this](const QString& text) { settings_.OutputFolder = text; });
    connect(seCountFrames, &QSpinBox::valueChanged, this, [this](int value) { settings_.CountFrames = value; });
    connect(seEveryFrame, &QSpinBox::valueChanged, this, [this](int value) { settings_.EveryFrame = value; });
    connect(cbSaveFormat, &QComboBox::currentIndexChanged, this, &TfrmMain::showCompressionPage);
}

void TfrmMain::SettingsToControls()
{
    if (settings_.OutputFolder.size() < 3)
        settings_.OutputFolder = appDir_ + QStringLiteral("OutPic");
    if (settings_.CaptureMethod != 0)
        rbEveryFrame->setChecked(true);
    else
        rbCountFrames->setChecked(true);
    // Indexes outside a box's entries leave it without a selection.
    auto select = [](QComboBox* box, int index) { box->setCurrentIndex(index < box->count() ? index : -1); };
    select(cbSaveFormat, settings_.SaveFormat);
    seOutput->setText(settings_.OutputFolder);
    SpinCompress->setValue(settings_.JpgCompress);
    select(cbPngCompress, settings_.PngCompress);
    select(cbColors, settings_.MaxColor);
    meStartTime->setTime(ParseStartTime(settings_.StartTime));
    seCountFrames->setValue(settings_.CountFrames);
    seEveryFrame->setValue(settings_.EveryFrame);
}

void TfrmMain::ControlsToSettings()
{
    settings_.CaptureMethod = rbCountFrames->isChecked() ? 0 : 1;
    settings_.OutputFolder = seOutput->text();
    settings_.SaveFormat = cbSaveFormat->currentIndex();
    settings_.JpgCompress = SpinCompress->value();
    settings_.PngCompress = cbPngCompress->currentIndex();
    settings_.MaxColor = cbColors->currentIndex();
    settings_.StartTime = FormatStartTime(meStartTime->time());
    settings_.CountFrames = seCountFrames->value();
    settings_.EveryFrame = seEveryFrame->value();
}

void TfrmMain::showCompressionPage(int formatIndex)
{
    // JPG, PNG and BMP have a page each; every other index shows the empty page.
    const int emptyPage = pcCompress->count() - 1;
    pcCompress->setCurrentIndex(formatIndex >= 0 && formatIndex < emptyPage ? formatIndex : emptyPage);
}

void TfrmMain::selectLeftTab(int index)
{
    TabBarLeft->setCurrentIndex(index);
    pcMain->setCurrentIndex(index);
}

int TfrmMain::shotCount() const { return shotCommands_->Shots().RowCount(); }

ShotList& TfrmMain::shots() { return shotCommands_->Shots(); }

void TfrmMain::UpdateCommandStates()
{
    const bool hasShots = shotCount() > 0;
    for (const char* name : {"ActSaveShots", "ActMakeThumb", "ActViewShots", "ActRemoveSelShots", "ActRemoveAllShots"})
        action(QLatin1String(name))->setEnabled(hasShots);

    const bool active = engine_.IsActive();
    const bool playing = active && engine_.GetPlayState() == PlayState::Playing;
    action("ActAutoCapture")->setEnabled(active);
    action("ActCaptureFrame")->setEnabled(active);
    action("ActPlayVideo")->setEnabled(!playing);
    action("ActPauseVideo")->setEnabled(playing);
    action("ActStopVideo")->setEnabled(playing);
    btnBackward->setEnabled(playing);
    btnForward->setEnabled(playing);

    setStatusText(0, lang::kShotCount.arg(shotCount()));
}

namespace {

// The first local file of a drop; web links and other addresses are no video to open.
QString FirstDroppedFile(const QMimeData& data)
{
    for (const QUrl& url : data.urls())
        if (url.isLocalFile() && !url.toLocalFile().isEmpty())
            return url.toLocalFile();
    return QString();
}

}  // namespace

void TfrmMain::dragEnterEvent(QDragEnterEvent* event)
{
    if (!FirstDroppedFile(*event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void TfrmMain::dropEvent(QDropEvent* event)
{
    const QString path = FirstDroppedFile(*event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    RunGuarded(prompts_, [&] { OpenVideoFile(path); });
}

void TfrmMain::OpenVideoFile(const QString& path)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const ScopeExit restore([this] {
        QApplication::restoreOverrideCursor();
        UpdateCommandStates();
    });
    engine_.SetActive(false);
    ClearShots();
    NameVideo(path);
    lastVideoFolder_ = QDir::toNativeSeparators(QFileInfo(path).absolutePath());
    LoadVideo(path);
    session_.DecoderList = engine_.ListFilterNames();
}

void TfrmMain::NameVideo(const QString& path)
{
    session_.VideoFileName = path;
    setWindowTitle(lang::kProductName + QStringLiteral(" (") + path + QLatin1Char(')'));
}

void TfrmMain::ActOpenVideoExecute()
{
    const std::optional<QString> path = prompts_.OpenFile(QString(), VideoOpenFilters(), lastVideoFolder_);
    if (path)
        OpenVideoFile(*path);
}

void TfrmMain::btnOutputFolderClick()
{
    const std::optional<QString> folder = prompts_.ChooseFolder(lang::kChooseOutputFolder, seOutput->text());
    if (folder)
        seOutput->setText(*folder);
}

void TfrmMain::ActExitExecute() { close(); }

void TfrmMain::ActSaveShotsExecute()
{
    if (shotCount() == 0)
        return;
    ControlsToSettings();
    const SaveShotsOutcome outcome = shotCommands_->SaveShots(
        settings_, [this] { return edPrefix->text(); }, BitmapFileWriter(settings_, *encoders_));
    if (outcome == SaveShotsOutcome::MissingFolder)
        seOutput->setFocus();
}

void TfrmMain::ActBatchExecute()
{
    {
        const BatchMainParts parts{session_,
                                   *encoders_,
                                   [this] { return edPrefix->text(); },
                                   [this](const QString& prefix) { edPrefix->setText(prefix); },
                                   [this](const Bitmap& shot, const QString& label) { shots().AddShot(shot, label); },
                                   [this](bool loaded) { playback_->VideoOpened(loaded); },
                                   {}};
        TfrmBatch batch(settings_, prompts_, parts, this);
        batch.exec();
    }
    // A run leaves the last video it loaded in the engine: the caption and what a sheet
    // tells about the video follow it, so that they name the video a capture takes from.
    if (!session_.EngineFileName.isEmpty() && session_.EngineFileName != session_.VideoFileName) {
        NameVideo(session_.EngineFileName);
        session_.DecoderList = engine_.ListFilterNames();
    }
    UpdateCommandStates();
}

void TfrmMain::ActMakeThumbExecute()
{
    if (shotCount() == 0)
        return;
    TfrmThumb thumb(settings_, shots(), {session_.VideoFileName, session_.VideoDuration, session_.DecoderList},
                    prompts_, *encoders_, lastSheetFolder_, this);
    thumb.exec();
}

void TfrmMain::ActAutoCaptureExecute()
{
    selectLeftTab(0);
    if (!engine_.IsActive())
        return;
    ControlsToSettings();
    const QTime start = meStartTime->time();
    const int startSecond = start.hour() * 3600 + start.minute() * 60 + start.second();
    if (shotCommands_->AutoCapture(settings_, startSecond, int(session_.SeriesSpan()))
        == AutoCaptureOutcome::StartAfterEnd)
        meStartTime->setFocus();
}

void TfrmMain::ActHandSnapshotExecute() { selectLeftTab(1); }

void TfrmMain::ActStopCaptureExecute() { shotCommands_->StopCapture(); }

void TfrmMain::ActCaptureFrameExecute()
{
    shotCommands_->CaptureFrame();
    UpdateCommandStates();
}

void TfrmMain::ActRemoveSelShotsExecute()
{
    RemoveSelectedShots();
    UpdateCommandStates();
}

void TfrmMain::ActRemoveAllShotsExecute()
{
    if (!prompts_.Confirm(lang::kConfirmDeleteShots))
        return;
    ClearShots();
    UpdateCommandStates();
}

void TfrmMain::ActViewShotsExecute()
{
    if (shotCount() == 0)
        return;
    int firstSelected = -1;
    for (int row = 0; row < lvPicList->count() && firstSelected < 0; ++row)
        if (lvPicList->item(row)->isSelected())
            firstSelected = row;
    TfrmView view(shots().ShotsInDisplayOrder(), firstSelected, this);
    view.exec();
}

void TfrmMain::ActStandardOptionsExecute()
{
    TfrmOption options(settings_, prompts_, this);
    options.exec();
}

void TfrmMain::ActHelpManualExecute() { prompts_.OpenWithShell(appDir_ + lang::kHelpFile); }

void TfrmMain::ActHomePageExecute() { prompts_.OpenWithShell(lang::kHomePageUrl); }

void TfrmMain::mnuFeedbackClick() { prompts_.OpenWithShell(lang::kFeedbackUrl); }

void TfrmMain::ActAboutSoftExecute()
{
    TfrmAbout about(appDir_, prompts_, this);
    about.exec();
}

void TfrmMain::ClearShots() { shotCommands_->ClearShots(); }

void TfrmMain::RemoveSelectedShots() { shotCommands_->RemoveSelectedShots(); }

}  // namespace sm
