#pragma once

#include <QIcon>
#include <QString>

namespace sm {

// The picture of a command or navigation button, drawn by the program (no image
// files); a null icon for a name without one.
QIcon CommandIcon(const QString& name);

}  // namespace sm
