#pragma once

namespace sm {

// How decoded pictures are turned into what a screen shows (the settings ToneMapping
// and Deinterlace).
struct PictureOptions {
    bool toneMapping = true;  // HDR pictures (PQ or HLG) tone-mapped to SDR
    bool deinterlace = true;  // interlaced pictures deinterlaced, one picture for each

    friend bool operator==(const PictureOptions&, const PictureOptions&) = default;
};

}  // namespace sm
