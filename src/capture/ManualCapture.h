#pragma once

#include <QtGlobal>

#include "capture/ShotList.h"
#include "video/MediaEngine.h"

namespace sm {

// Adds the frame the engine shows now as a shot labelled with the last reported
// position, truncated to whole seconds. The play state is left as it is. Returns
// false, adding nothing, without a video or a decoded frame; never throws.
bool CaptureFrame(MediaEngine& engine, ShotList& shots, quint32 lastPositionMs);

}  // namespace sm
