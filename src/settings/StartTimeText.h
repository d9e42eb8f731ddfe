#pragma once

#include <QString>
#include <QTime>

namespace sm {

// The start time of automatic capture as the settings file writes it, "H:mm:ss"
// ("0:00:00", "1:02:05"). Reading also accepts one-digit minutes and seconds and a
// missing seconds part; text that is no time of day reads as midnight.
QTime ParseStartTime(const QString& text);
// Whether the text reads as a time of day in one of the forms ParseStartTime accepts.
bool IsStartTimeText(const QString& text);
// The start time of such a text in seconds after midnight.
int StartTimeSeconds(const QString& text);
QString FormatStartTime(const QTime& time);

}  // namespace sm
