#pragma once

namespace sm {

// The high-dynamic-range transfer a video's stream declares.
enum class HdrTransfer { None, Pq, Hlg };

// What a video's colours are, as far as showing them truthfully goes.
struct VideoColor {
    HdrTransfer hdr = HdrTransfer::None;
    // The Dolby Vision profile the file declares; 0 when it declares none.
    int dolbyVisionProfile = 0;
    // Whether the pictures' colours cannot be shown exactly: Dolby Vision profile 5
    // carries no base layer a player without Dolby Vision can show as it is.
    bool ColorsInexact() const { return dolbyVisionProfile == 5; }

    friend bool operator==(const VideoColor&, const VideoColor&) = default;
};

}  // namespace sm
