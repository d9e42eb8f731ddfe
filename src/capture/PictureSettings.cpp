#include "capture/PictureSettings.h"

namespace sm {

PictureOptions PictureOptionsOf(const AppSettings& settings) { return {settings.ToneMapping, settings.Deinterlace}; }

}  // namespace sm
