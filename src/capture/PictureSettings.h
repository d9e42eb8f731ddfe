#pragma once

#include "imaging/PictureQuality.h"
#include "settings/Settings.h"
#include "video/PictureOptions.h"

namespace sm {

// How pictures are converted by the settings ToneMapping and Deinterlace.
PictureOptions PictureOptionsOf(const AppSettings& settings);

// Which shots a series replaces by later pictures, by the settings SkipBlank, SkipBlurred
// and SkipSeconds (a hand-edited value outside 1 to 60 taken as the nearer end).
SkipRule SkipRuleOf(const AppSettings& settings);

}  // namespace sm
