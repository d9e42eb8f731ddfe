#include "output/DeviceWrite.h"

#include <QIODevice>

#include "output/EncodeError.h"

namespace sm {

void WriteBytes(QIODevice& out, const void* data, std::size_t size)
{
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const qint64 written = out.write(bytes, static_cast<qint64>(size));
        if (written <= 0)
            throw EncodeError("Cannot write the picture: " + out.errorString().toStdString());
        bytes += written;
        size -= static_cast<std::size_t>(written);
    }
}

}  // namespace sm
