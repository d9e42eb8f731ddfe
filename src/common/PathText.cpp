#include "common/PathText.h"

#include <QDir>
#include <QFileInfo>

namespace sm {

QString WithTrailingSeparator(const QString& folder)
{
    QString native = QDir::toNativeSeparators(folder);
    if (!native.endsWith(QDir::separator()))
        native += QDir::separator();
    return native;
}

QString FileNameOf(const QString& path) { return QFileInfo(path).fileName(); }

QString BaseNameOf(const QString& path)
{
    const QString name = FileNameOf(path);
    const qsizetype dot = name.indexOf(QLatin1Char('.'));
    return dot < 0 ? name : name.left(dot);
}

}  // namespace sm
