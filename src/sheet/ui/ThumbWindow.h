#pragma once

// Holds TfrmThumb: windows keep their form names, which users and tests know; files say what they are.

#include <QDialog>
#include <QString>

#include <functional>
#include <vector>

#include "common/Bitmap.h"
#include "settings/Settings.h"
#include "sheet/InfoBlock.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QScrollArea;
class QSpinBox;
class QStackedWidget;
class QTabBar;
class QTableWidget;
class QTimer;
class QToolButton;
class QWidget;

namespace sm {

class Prompts;
class ShotList;
struct Encoders;

// The thumbnail window: lays the shots of the shot list out as one sheet, previews it,
// rebuilds it 2.4 s after the last change of the grid and saves it in five file types.
// The settings it changes stay in `settings`; the user lines go to AddText when it closes.
// The save dialog starts in `saveFolder`, which each save sets to the folder written to.
class TfrmThumb : public QDialog {
    Q_OBJECT
public:
    TfrmThumb(AppSettings& settings, const ShotList& shots, VideoFacts video, Prompts& prompts, Encoders& encoders,
              QString& saveFolder, QWidget* parent = nullptr);
    ~TfrmThumb() override;

    const Bitmap& SheetBitmap() const { return sheetBitmap_; }
    QString statusText() const;

    // Composes, shows and reports the sheet.
    void ActShots2ThumbExecute();
    // Asks for a file name and type and writes the previewed sheet.
    void ActSaveExecute();
    // One 600 ms tick of the delayed rebuild: the fourth after the last change rebuilds.
    void TimerMakeTimer();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* createSettingsPage();
    QWidget* createShotsPage();
    QWidget* createAttachmentPage();
    void bindControls();

    void FormShow();
    void LoadSheetSettings();
    void StoreSheetSettings();
    void InitAspectRatio(const Bitmap& bitmap);
    void UpdateSaveState();
    void CenterPreview();
    void StartRebuildCount();
    void LockedSizeChanged(QSpinBox* changed);
    void ngPicsSelectCell(int row);
    void SubmitNewLine();
    std::vector<InfoLine> InfoLines() const;
    void guarded(const std::function<void()>& handler);

    AppSettings& settings_;
    const ShotList& shots_;
    VideoFacts video_;
    Prompts& prompts_;
    Encoders& encoders_;
    QString& saveFolder_;
    bool shown_ = false;

    Bitmap sheetBitmap_;
    Bitmap scratchBitmap_;
    double aspectRatio_ = 0;
    bool updating_ = true;
    int timerTicks_ = 0;
    int saveFilterIndex_ = 0;

    QAction* ActShots2Thumb = nullptr;
    QAction* ActSave = nullptr;
    QAction* ActExit = nullptr;
    QTimer* TimerMake = nullptr;
    QTabBar* TabBarLeft = nullptr;
    QStackedWidget* pcLEFTM = nullptr;
    QSpinBox* edtThumbWidth = nullptr;
    QSpinBox* edtThumbHeight = nullptr;
    QCheckBox* cbAspectRatio = nullptr;
    QSpinBox* edtRows = nullptr;
    QSpinBox* edtCols = nullptr;
    QSpinBox* edtSpace = nullptr;
    QTableWidget* ngPics = nullptr;
    QCheckBox* cbAddon = nullptr;
    QComboBox* cbLocation = nullptr;
    QListWidget* cbAddText = nullptr;
    QLineEdit* edNewInfo = nullptr;
    QToolButton* btnAddInfo = nullptr;
    QToolButton* btnSubmit = nullptr;
    QToolButton* btnDelInfo = nullptr;
    QScrollArea* ScrollMain = nullptr;
    QLabel* ImgView = nullptr;
    QLabel* sbThumb = nullptr;
};

}  // namespace sm
