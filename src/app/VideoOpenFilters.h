#pragma once

#include <QStringList>

namespace sm {

// The filters of the open-video dialog, in order, each as "description|patterns".
QStringList VideoOpenFilters();

}  // namespace sm
