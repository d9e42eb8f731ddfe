#pragma once

#include "capture/ShotList.h"
#include "video/MediaEngine.h"

namespace sm {

// Adds the frame the engine shows now as a shot labelled with that frame's own time,
// truncated to whole seconds, so that picture and label agree. The play state is left
// as it is. Returns false, adding nothing, without a video or a decoded frame; never
// throws.
bool CaptureFrame(MediaEngine& engine, ShotList& shots);

}  // namespace sm
