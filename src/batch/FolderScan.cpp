#include "batch/FolderScan.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include "common/PathText.h"
#include "settings/VideoOpenFilters.h"

namespace sm {

namespace {

const QString kAllFiles = QStringLiteral("*.*");

// From the last dot of the name, the dot included; empty when there is no dot.
QString ExtensionOf(const QString& fileName)
{
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : fileName.mid(dot);
}

}  // namespace

bool MatchesScanMask(const QString& fileName, const QString& mask)
{
    if (mask == kAllFiles)
        return true;
    return ExtensionOf(fileName).toLower() == mask.mid(1).toLower();
}

QStringList ScanMasks()
{
    const QString allVideo = VideoOpenFilters().constFirst();
    return QStringList{kAllFiles} + allVideo.mid(allVideo.indexOf(QLatin1Char('|')) + 1).split(QLatin1Char(';'));
}

QStringList ScanFolder(const QString& folder, const QString& mask, bool includeSubfolders)
{
    QStringList found;
    QStringList pending{WithTrailingSeparator(folder)};
    QSet<QString> scanned;
    // Leaving out QDir::Hidden and QDir::System drops dot entries and special files.
    const QDir::Filters filter = QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot;
    for (qsizetype i = 0; i < pending.size(); ++i) {
        const QString base = pending[i];
        // A link back up the tree would otherwise queue the same folders forever.
        const QString canonical = QFileInfo(base).canonicalFilePath();
        if (canonical.isEmpty() || scanned.contains(canonical))
            continue;
        scanned.insert(canonical);
        for (const QFileInfo& entry : QDir(base).entryInfoList(filter, QDir::Name)) {
            const QString name = entry.fileName();
            if (entry.isDir()) {
                if (includeSubfolders && !name.startsWith(QLatin1Char('.')))
                    pending.append(base + name + QDir::separator());
            } else if (MatchesScanMask(name, mask)) {
                found.append(base + name);
            }
        }
    }
    return found;
}

}  // namespace sm
