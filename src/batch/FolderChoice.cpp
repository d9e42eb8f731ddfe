#include "batch/FolderChoice.h"

#include <QDir>
#include <QFileInfo>

#include "batch/BatchFileList.h"
#include "batch/FolderScan.h"
#include "common/PathText.h"
#include "settings/Settings.h"

namespace sm {

void AddChosenFolder(const FolderChoice& choice, QString& initDir, BatchFileList& files)
{
    const QString folder = WithTrailingSeparator(choice.folder);
    initDir = folder;
    files.AddFiles(ScanFolder(folder, choice.mask, choice.includeSubfolders));
}

QString ExistingStartFolder(const QString& folder)
{
    QString candidate = QDir::cleanPath(QDir::fromNativeSeparators(folder));
    if (!QDir::isAbsolutePath(candidate))
        return DefaultFolder();
    while (!QFileInfo(candidate).isDir()) {
        const QString parent = QFileInfo(candidate).path();
        if (parent == candidate)
            return DefaultFolder();
        candidate = parent;
    }
    return WithTrailingSeparator(candidate);
}

}  // namespace sm
