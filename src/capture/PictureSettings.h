#pragma once

#include "settings/Settings.h"
#include "video/PictureOptions.h"

namespace sm {

// How pictures are converted by the settings ToneMapping and Deinterlace.
PictureOptions PictureOptionsOf(const AppSettings& settings);

}  // namespace sm
