#include "common/SafeFileWrite.h"

#include <QSaveFile>

namespace sm {

void WriteFileAtomically(const QString& fileName, const std::function<void(QIODevice&)>& write)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw FileWriteError("Cannot create " + fileName.toStdString() + ": " + file.errorString().toStdString());
    write(file);
    if (!file.commit())
        throw FileWriteError("Cannot write " + fileName.toStdString() + ": " + file.errorString().toStdString());
}

}  // namespace sm
