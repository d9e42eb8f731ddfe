#pragma once

// Holds TfrmMain: windows keep their form names, which users and tests know; files say what they are.

#include <QMainWindow>
#include <QString>

#include <memory>

#include "settings/Settings.h"
#include "video/VideoSession.h"

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QRadioButton;
class QSlider;
class QSpinBox;
class QStackedWidget;
class QTabBar;
class QTimeEdit;
class QToolBar;
class QToolButton;
class QWidget;

namespace sm {

class MediaEngine;
class PlaybackControl;
class Prompts;
class ShotCommands;
class ShotList;
struct Encoders;

// The program's main window: the command table, the shot list, the capture and
// output controls and the video page. It owns the settings from its create step
// (the constructor, which loads Settings.dat from appDir) to its destroy step (the
// destructor, which saves them back).
class TfrmMain : public QMainWindow {
    Q_OBJECT
public:
    TfrmMain(QString appDir, Prompts& prompts, MediaEngine& engine, QWidget* parent = nullptr);
    ~TfrmMain() override;

    AppSettings& settings() { return settings_; }
    // The open video: its file name, duration, decoder names and last reported position.
    VideoSession& session() { return session_; }
    // The shots, in the list's display order; readers resolve each row's picture here.
    ShotList& shots();
    // The encoder objects every picture file of the program is written with.
    Encoders& encoders() { return *encoders_; }
    const QString& appDir() const { return appDir_; }
    // The command of that name (e.g. "ActOpenVideo"); nullptr when there is none.
    QAction* action(const QString& name) const;
    // The text of status panel 0 (shot count) or 1 (playback read-out).
    QString statusText(int panel) const;
    void setStatusText(int panel, const QString& text);

    // Enables and disables the commands for the shot list's row count and the engine's
    // state, and writes the shot count into the status bar.
    void UpdateCommandStates();
    // Copies the settings into the controls of page 1.
    void SettingsToControls();
    // Copies the controls of page 1 into the settings.
    void ControlsToSettings();
    // Opens a video as the open command does after its dialog: discards the shots,
    // loads the file and refreshes the command states however it ends.
    void OpenVideoFile(const QString& path);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private slots:
    void ActOpenVideoExecute();
    void ActSaveShotsExecute();
    void ActBatchExecute();
    void ActMakeThumbExecute();
    void ActAutoCaptureExecute();
    void ActHandSnapshotExecute();
    void ActStopCaptureExecute();
    void ActCaptureFrameExecute();
    void ActRemoveSelShotsExecute();
    void ActRemoveAllShotsExecute();
    void ActPlayVideoExecute();
    void ActPauseVideoExecute();
    void ActStopVideoExecute();
    void btnBackwardClick();
    void btnForwardClick();
    void ActViewShotsExecute();
    void ActStandardOptionsExecute();
    void ActHelpManualExecute();
    void ActHomePageExecute();
    void mnuFeedbackClick();
    void ActAboutSoftExecute();
    void ActExitExecute();
    void btnOutputFolderClick();

private:
    // Window construction, in MainCommands.cpp and MainLayout.cpp.
    void createActions();
    QAction* addCommand(const QString& name, const QString& caption, const QKeySequence& shortcut,
                        const QString& category, void (TfrmMain::*handler)());
    void createMenus();
    void createToolBar();
    void createStatusBar();
    QWidget* createPanelSplitter();
    QWidget* createLeftPanel();
    QWidget* createAutoPage();
    QWidget* createHandPage();
    void createShotList();
    void bindControls();
    void bindPlayback();  // in MainPlayback.cpp, with LoadVideo and the playback commands

    void runShowStep();
    void runDestroyStep();
    void restoreWindowSize();
    void storeWindowSize();
    void showCompressionPage(int formatIndex);
    void selectLeftTab(int index);
    int shotCount() const;

    // Shot list and video session routines.
    void ClearShots();
    void RemoveSelectedShots();
    bool LoadVideo(const QString& path);
    // Makes `path` the video the window names: VideoFileName and the caption.
    void NameVideo(const QString& path);

    Prompts& prompts_;
    MediaEngine& engine_;
    VideoSession session_{engine_};
    PlaybackControl* playback_ = nullptr;
    AppSettings settings_;
    bool shown_ = false;

    // Session values.
    QString appDir_;  // the program's folder, with a trailing separator
    // Where the open and the sheet's save dialog start: the folder of the last video opened
    // and of the last sheet saved (the dialog's own choice until then).
    QString lastVideoFolder_;
    QString lastSheetFolder_;

    std::unique_ptr<Encoders> encoders_;
    // The shot list with its commands and the progress dialog; a child of the window.
    ShotCommands* shotCommands_ = nullptr;

    // Controls other routines reach.
    QToolBar* ToolBarMain = nullptr;
    QToolBar* ToolBarNav = nullptr;
    QLabel* statusPanels_[2] = {nullptr, nullptr};
    QTabBar* TabBarLeft = nullptr;
    QStackedWidget* pcMain = nullptr;
    QRadioButton* rbCountFrames = nullptr;
    QRadioButton* rbEveryFrame = nullptr;
    QSpinBox* seCountFrames = nullptr;
    QSpinBox* seEveryFrame = nullptr;
    QTimeEdit* meStartTime = nullptr;
    QLineEdit* seOutput = nullptr;
    QLineEdit* edPrefix = nullptr;
    QComboBox* cbSaveFormat = nullptr;
    QStackedWidget* pcCompress = nullptr;
    QSpinBox* SpinCompress = nullptr;
    QComboBox* cbPngCompress = nullptr;
    QComboBox* cbColors = nullptr;
    QWidget* plVideo = nullptr;
    QSlider* TrackBar = nullptr;
    QToolButton* btnBackward = nullptr;
    QToolButton* btnForward = nullptr;
    QListWidget* lvPicList = nullptr;
};

}  // namespace sm
