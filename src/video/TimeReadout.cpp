#include "video/TimeReadout.h"

#include "settings/Texts.h"

namespace sm {

QString FormatDayClock(quint32 milliseconds)
{
    constexpr quint32 kMsPerDay = 86'400'000;
    const quint32 seconds = milliseconds % kMsPerDay / 1000;
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600, 2, 10, QLatin1Char('0'))
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QString FormatPositionReadout(quint32 positionMs, quint32 durationMs)
{
    return lang::kPositionReadout.arg(FormatDayClock(positionMs), FormatDayClock(durationMs));
}

}  // namespace sm
