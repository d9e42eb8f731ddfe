#include "settings/StartTimeText.h"

namespace sm {

namespace {

QTime ReadTime(const QString& text)
{
    for (const char* format : {"H:m:s", "H:m"}) {
        const QTime time = QTime::fromString(text.trimmed(), QLatin1String(format));
        if (time.isValid())
            return time;
    }
    return {};
}

}  // namespace

QTime ParseStartTime(const QString& text)
{
    const QTime time = ReadTime(text);
    return time.isValid() ? time : QTime(0, 0);
}

bool IsStartTimeText(const QString& text) { return ReadTime(text).isValid(); }

int StartTimeSeconds(const QString& text)
{
    const QTime time = ParseStartTime(text);
    return time.hour() * 3600 + time.minute() * 60 + time.second();
}

QString FormatStartTime(const QTime& time) { return time.toString(QStringLiteral("H:mm:ss")); }

}  // namespace sm
