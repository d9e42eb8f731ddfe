#pragma once

#include "output/JpegEncoder.h"
#include "output/PngEncoder.h"

namespace sm {

// The encoder objects that live as long as the main window and serve every file saved;
// calls must not overlap.
struct Encoders {
    JpegEncoder jpeg;
    PngEncoder png;
};

}  // namespace sm
