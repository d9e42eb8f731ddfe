#pragma once

#include <QString>

namespace sm {

// Milliseconds as a time of day, "HH:nn:ss" (two digits each, seconds truncated);
// lengths of a day (86,400,000 ms) or more wrap around. 3,725,000 gives "01:02:05".
QString FormatDayClock(quint32 milliseconds);

// The playback read-out of the status bar: "Position: HH:nn:ss Duration: HH:nn:ss".
QString FormatPositionReadout(quint32 positionMs, quint32 durationMs);

}  // namespace sm
