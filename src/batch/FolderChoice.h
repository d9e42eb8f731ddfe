#pragma once

#include <QString>

namespace sm {

class BatchFileList;

// What the folder dialog hands back on OK: the folder, the mask typed or picked in
// its filter box and whether subfolders are scanned too.
struct FolderChoice {
    QString folder;
    QString mask;
    bool includeSubfolders = false;
};

// Remembers the chosen folder (with a trailing separator) as the dialog's next start
// folder, also when nothing in it matches, and adds the files the scan finds.
void AddChosenFolder(const FolderChoice& choice, QString& initDir, BatchFileList& files);

// The folder a folder dialog starts in: the folder itself when it exists, else its
// nearest existing parent, else the home folder.
QString ExistingStartFolder(const QString& folder);

}  // namespace sm
