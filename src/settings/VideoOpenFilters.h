#pragma once

#include <QStringList>

namespace sm {

// The filters of the open-video dialog, in order, each as "description|patterns".
QStringList VideoOpenFilters();
// The patterns of the first filter, "所有视频文件", in order ("*.wmv", "*.asf", ...):
// the older formats first, then today's common containers.
QStringList AllVideoPatterns();

}  // namespace sm
