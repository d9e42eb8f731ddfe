#pragma once

// Holds TfrmView: windows keep their form names, which users and tests know; files say what they are.

#include <QDialog>

#include <vector>

#include "capture/Shot.h"
#include "viewer/ViewerPosition.h"

class QLabel;
class QScrollArea;
class QToolButton;

namespace sm {

class PictureCanvas;

// The shot viewer: one shot at a time at its natural size, centred in a scroll box,
// with previous and next buttons, the arrow keys and the shot's time label in the
// status bar. It shows the shots it was given and changes nothing in the list.
class TfrmView : public QDialog {
    Q_OBJECT
public:
    // shots in the list's display order; selectedRow is the list's first selected row,
    // or -1 when none is selected.
    TfrmView(std::vector<ShotToSave> shots, int selectedRow, QWidget* parent = nullptr);

    int Current() const { return position_.Current(); }

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Moves by the button's Tag (-1 previous, 1 next) and shows the new row.
    void ToolBtnPreClick(const QToolButton& sender);
    // Shows row Current: the buttons' states, the picture unless the shot's is empty,
    // and its label in the status bar (on opening only together with a picture).
    void ShowCurrent(bool moved);

    std::vector<ShotToSave> shots_;
    ViewerPosition position_;

    QToolButton* ToolBtnPre = nullptr;
    QToolButton* ToolBtnNext = nullptr;
    QToolButton* ToolBtnExit = nullptr;
    QScrollArea* ScrollMain = nullptr;
    PictureCanvas* canvas_ = nullptr;  // holds the picture control ImgView
    QLabel* statusText_ = nullptr;
};

}  // namespace sm
