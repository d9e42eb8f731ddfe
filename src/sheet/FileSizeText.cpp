#include "sheet/FileSizeText.h"

#include <QFileInfo>

#include <cmath>

namespace sm {

std::int64_t FileSizeOf(const QString& path)
{
    if (path.isEmpty())
        return -1;
    const QFileInfo info(QFileInfo(path).absoluteFilePath());
    return info.exists() ? std::int64_t(info.size()) : -1;
}

QString FileSizeText(std::int64_t bytes)
{
    constexpr std::int64_t kKilo = 1024;
    constexpr std::int64_t kMega = 1024 * 1024;
    float value = 0;
    float fraction = 0;
    QString unit;
    if (bytes <= kMega) {
        value = float(bytes) / float(kKilo);
        unit = QStringLiteral(" KB");
        if (bytes <= kKilo)
            fraction = value - std::trunc(value);
    } else {
        value = float(bytes) / float(kMega);
        unit = QStringLiteral(" MB");
        fraction = value - std::trunc(value);
    }
    // nearbyint rounds halves to even in the default rounding mode.
    if (fraction == 0)
        return QString::number(std::int64_t(std::nearbyint(value))) + unit;
    auto whole = std::int64_t(std::trunc(value));
    auto tenths = std::int64_t(std::nearbyint(fraction * 10.0f));
    if (tenths == 10) {
        ++whole;
        tenths = 0;
    }
    return QString::number(whole) + QLatin1Char('.') + QString::number(std::abs(tenths)) + unit;
}

}  // namespace sm
