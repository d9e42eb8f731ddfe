#include "imaging/TimeLabel.h"

namespace sm {

QString FormatTimeLabel(std::int32_t seconds)
{
    const std::int32_t hours = seconds / 3600;
    const std::int32_t rest = seconds - hours * 3600;
    const std::int32_t minutes = rest / 60;
    const std::int32_t secs = rest - minutes * 60;
    return QString::asprintf("%.2d:%.2d:%.2d", int(hours), int(minutes), int(secs));
}

}  // namespace sm
