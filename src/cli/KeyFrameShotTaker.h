#pragma once

#include <QString>

#include "batch/BatchRun.h"
#include "capture/RunHost.h"
#include "imaging/PictureQuality.h"
#include "video/PictureOptions.h"

namespace sm {

// Takes the shots of the video at `path` from its key frames, for speed: for each second
// the first key frame shown at or after it (the last key frame when none follows), with
// the second and label of that frame's own time truncated to whole seconds, never the
// second asked for. The stop request of `control` is honoured before each shot, as the
// hooks' ConfirmStop decides when there is one. A file
// that cannot be read gives no shot. The pictures are converted as `pictures` asks. A
// key frame that `skip` rejects is replaced by the first later key frame it keeps, before
// LaterPictureLimit of the second asked for: only key frames are looked at, so that the
// shots stay as quick to take.
BatchShotTaker KeyFrameShotTaker(const QString& path, const RunControl& control, const PictureOptions& pictures = {},
                                 const SkipRule& skip = {});

}  // namespace sm
