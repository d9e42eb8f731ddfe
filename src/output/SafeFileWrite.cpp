#include "output/SafeFileWrite.h"

#include <QSaveFile>

#include "output/EncodeError.h"

namespace sm {

void WriteFileAtomically(const QString& fileName, const std::function<void(QIODevice&)>& write)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw EncodeError("Cannot create " + fileName.toStdString() + ": " + file.errorString().toStdString());
    write(file);
    if (!file.commit())
        throw EncodeError("Cannot write " + fileName.toStdString() + ": " + file.errorString().toStdString());
}

}  // namespace sm
