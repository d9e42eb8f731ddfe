#pragma once

// Holds TfrmBatch: windows keep their form names, which users and tests know; files say what they are.

#include <QDialog>
#include <QStringList>

#include <functional>
#include <optional>

#include "batch/BatchFileList.h"
#include "batch/BatchRun.h"
#include "batch/FolderChoice.h"
#include "capture/RunHost.h"
#include "video/DelayWithMessages.h"

class QCheckBox;
class QLabel;
class QListView;
class QMenu;
class QProgressBar;
class QPushButton;
class QStackedWidget;
class QToolButton;

namespace sm {

class Prompts;
class VideoSession;
struct AppSettings;
struct Encoders;

// What a run from the batch window uses of the main window: its video session and
// encoders, its name prefix box and its shot list.
struct BatchMainParts {
    VideoSession& Session;
    Encoders& FileEncoders;
    std::function<QString()> Prefix;
    std::function<void(const QString& prefix)> SetPrefix;
    // Appends a shot to the main window's shot list (Add2List).
    std::function<void(const Bitmap& shot, const QString& label)> AddShot;
    // The run has left another video in the session, or none when loaded is false: the
    // main window's track bar and read-out start over with it.
    std::function<void(bool loaded)> VideoOpened;
    // The waits of a run (settling and the pause after each video); real ones when empty.
    WaitFunction Wait;
};

// The batch window: the list of video files to process, filled from the open
// dialog, from a folder scan or by dropping files anywhere on the window, and the
// progress page of a run. It reads and writes InitDir and SaveDirectly in the
// settings it is given. The process button runs RunBatch over the list and tells the
// user how it went; closing the window during a run asks to abort it, and the window
// closes once the run has ended, aborted or not.
class TfrmBatch : public QDialog, private RunHost {
    Q_OBJECT
public:
    // Asks for a folder to scan, starting at the given folder; nothing on cancel.
    using FolderChooser = std::function<std::optional<FolderChoice>(const QString& initDir, QWidget* parent)>;

    TfrmBatch(AppSettings& settings, Prompts& prompts, BatchMainParts mainParts, QWidget* parent = nullptr,
              FolderChooser chooseFolder = {});

    BatchFileList& files() { return files_; }
    // Adds the paths the window was handed, each once, ticked.
    void AddFiles(const QStringList& paths);

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* createFilesPage();
    QWidget* createProgressPage();
    void createButtons();
    // Runs a command so that no error escapes into the event loop.
    void guarded(const std::function<void()>& command);

    void btnAddClick();
    void mnuSelectFolderClick();
    void btnRemoveClick();
    void btnListClick();
    void btnProcessClick();
    void btnAbortClick();
    BatchRunEvents runEvents();
    // The closing steps of a run, however it ended.
    void finishRun();
    void reportRun(const BatchRunResult& result);
    void setStatusRed(bool red);
    void cbSaveDirectlyClick(bool checked);
    void showFilesPage();

    void SetProgress(int) override {}
    void ShowProgress() override {}
    void HideProgress() override {}
    void ProcessMessages() override;
    void Wait(int milliseconds) override;
    void ShowStatus(const QString&) override {}

    AppSettings& settings_;
    Prompts& prompts_;
    BatchMainParts main_;
    FolderChooser chooseFolder_;
    BatchFileList files_;
    RunControl control_;
    bool closeAfterRun_ = false;  // the window was closed during the run; it closes when the run ends

    QStackedWidget* pcMain = nullptr;
    QListView* clistFiles = nullptr;
    QCheckBox* cbSaveDirectly = nullptr;
    QCheckBox* cbThumbnails = nullptr;
    QToolButton* btnAdd = nullptr;
    QToolButton* JvSpeedButton1 = nullptr;
    QMenu* pMenuS = nullptr;
    QToolButton* btnRemove = nullptr;
    QPushButton* btnList = nullptr;
    QPushButton* btnProcess = nullptr;
    QPushButton* btnAbort = nullptr;
    QPushButton* btnClose = nullptr;
    QProgressBar* FileProgress = nullptr;
    QProgressBar* PicProgress = nullptr;
    QLabel* lbStatusMes = nullptr;
    QLabel* lbFilename = nullptr;
};

}  // namespace sm
