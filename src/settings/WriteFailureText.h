#pragma once

#include <QString>

#include "common/SafeFileWrite.h"

namespace sm {

// What the user is told about a file that was not written: the file and the cause, in
// the user's words for the common ones (no permission, disk full, folder missing, name
// too long, file in use, out of memory), with the system's own text in brackets.
QString WriteFailureText(const WriteFailure& failure);

}  // namespace sm
