#pragma once

// Holds TfrmSelDir: windows keep their form names, which users and tests know; files say what they are.

#include <QDialog>
#include <QString>

#include <optional>

#include "batch/FolderChoice.h"

class QCheckBox;
class QComboBox;
class QFileSystemModel;
class QPushButton;
class QTreeView;

namespace sm {

// The folder dialog of the batch window: a place to start from (the home folder,
// the file system root and every mounted medium), the folder tree of that place, the
// mask of the files wanted and whether subfolders count too.
class TfrmSelDir : public QDialog {
    Q_OBJECT
public:
    explicit TfrmSelDir(QWidget* parent = nullptr);

    // Shows the folder in the tree, or its nearest existing parent when it is gone:
    // current, selected, its parents expanded and scrolled into view.
    void SetFolder(const QString& folder);
    // The folder chosen in the tree; the place itself while no folder in it is chosen.
    QString CurrentFolder() const;
    FolderChoice Choice() const;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fillPlaces();
    void showPlace(int index);
    // Expands the tree down to the folder SetFolder chose and scrolls it into view,
    // unless another folder has become current since.
    void revealSetFolder();

    QComboBox* DriveList = nullptr;
    QTreeView* TreeViewMain = nullptr;
    QFileSystemModel* folders_ = nullptr;
    QComboBox* cbFilterType = nullptr;
    QCheckBox* cbInSubDir = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;
    QString setFolder_;  // the folder SetFolder made current, as the model names it
};

// Runs the folder dialog modally, starting at initDir; the choice on OK.
std::optional<FolderChoice> RunSelDir(const QString& initDir, QWidget* parent);

}  // namespace sm
