#pragma once

// Holds TfrmProcess: windows keep their form names, which users and tests know; files say what they are.

#include <QDialog>

class QProgressBar;
class QPushButton;

namespace sm {

// The progress dialog that long runs share: created once, shown without blocking,
// always on top, centred on the screen. Its abort button reports AbortClicked; its
// close box only hides it, so the run goes on.
class TfrmProcess : public QDialog {
    Q_OBJECT
public:
    explicit TfrmProcess(QWidget* parent = nullptr);

    // Shows the percentage in the bar's text "进度...[N%]".
    void SetProgress(int percent);
    int Progress() const;

signals:
    void AbortClicked();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QProgressBar* ProgBar = nullptr;
    QPushButton* btnAbort = nullptr;
};

}  // namespace sm
