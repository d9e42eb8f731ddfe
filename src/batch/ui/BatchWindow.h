#pragma once

#include <QDialog>
#include <QStringList>

#include <functional>
#include <optional>

#include "batch/BatchFileList.h"
#include "batch/FolderChoice.h"

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
struct AppSettings;

// The batch window: the list of video files to process, filled from the open
// dialog, from a folder scan or by dropping files anywhere on the window, and the
// progress page of a run. It reads and writes InitDir and SaveDirectly in the
// settings it is given.
class TfrmBatch : public QDialog {
    Q_OBJECT
public:
    // Asks for a folder to scan, starting at the given folder; nothing on cancel.
    using FolderChooser = std::function<std::optional<FolderChoice>(const QString& initDir, QWidget* parent)>;

    TfrmBatch(AppSettings& settings, Prompts& prompts, QWidget* parent = nullptr, FolderChooser chooseFolder = {});

    BatchFileList& files() { return files_; }
    // Adds the paths the window was handed, each once, ticked.
    void AddFiles(const QStringList& paths);

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
    void cbSaveDirectlyClick(bool checked);
    void showFilesPage();

    AppSettings& settings_;
    Prompts& prompts_;
    FolderChooser chooseFolder_;
    BatchFileList files_;

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
