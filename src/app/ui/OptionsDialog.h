#pragma once

// Holds TfrmOption: windows keep their form names, which users and tests know; files say what they are.

#include <QDialog>

#include "settings/OptionValues.h"
#include "settings/Settings.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTabWidget;

namespace sm {

class ColorButton;
class Prompts;

// The options dialog: the time stamp, resizing of saved shots, the capture speed,
// sound, the two batch options and the thumbnail-sheet grid. It shows the settings
// when created and writes them back only on OK; Cancel and the close box keep every
// setting, the time-stamp font included.
class TfrmOption : public QDialog {
    Q_OBJECT
public:
    TfrmOption(AppSettings& settings, Prompts& prompts, QWidget* parent = nullptr);

private:
    QWidget* createStandardPage();
    QWidget* createThumbnailPage();
    void SettingsToControls();
    void btnFontClick();
    void btnOKClick();

    AppSettings& settings_;
    Prompts& prompts_;
    // What OK stores; its TimeFont is the font dialog's working copy.
    OptionValues values_;

    QTabWidget* pcLEFTM = nullptr;
    QCheckBox* cbAddTime = nullptr;
    QPushButton* btnFont = nullptr;
    QSpinBox* seTimeTrans = nullptr;
    QComboBox* cbTimePosit = nullptr;
    QCheckBox* cbResize = nullptr;
    QSpinBox* seShotsWidth = nullptr;
    QSpinBox* seShotsHeight = nullptr;
    QSpinBox* seSpeed = nullptr;
    QCheckBox* cbStopSound = nullptr;
    QCheckBox* cbAdd2List = nullptr;
    QCheckBox* cbAggregate = nullptr;
    QCheckBox* cbSkipShots = nullptr;  // SkipBlank and SkipBlurred together
    QSpinBox* edtThumbWidth = nullptr;
    QSpinBox* edtThumbHeight = nullptr;
    QComboBox* cbResizeType = nullptr;
    ColorButton* cbFillColor = nullptr;
    QSpinBox* edtRows = nullptr;
    QSpinBox* edtCols = nullptr;
    QSpinBox* edtSpace = nullptr;
};

}  // namespace sm
