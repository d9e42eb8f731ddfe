#include "capture/PictureSettings.h"

#include <algorithm>

namespace sm {

PictureOptions PictureOptionsOf(const AppSettings& settings) { return {settings.ToneMapping, settings.Deinterlace}; }

SkipRule SkipRuleOf(const AppSettings& settings)
{
    return {settings.SkipBlank, settings.SkipBlurred,
            std::clamp(settings.SkipSeconds, kMinSkipSeconds, kMaxSkipSeconds)};
}

}  // namespace sm
