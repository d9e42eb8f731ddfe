#pragma once

#include "video/AvHandles.h"
#include "video/FilterChain.h"
#include "video/VideoColor.h"

namespace sm {

// The HDR transfer of a picture's or stream's transfer characteristic (FFmpeg's code).
HdrTransfer HdrTransferOf(int transferCharacteristic);

// Turns HDR pictures (PQ or HLG) into the SDR pictures a screen shows of them: linear
// light, BT.2020 primaries to BT.709, the mobius tone curve, then the BT.709 transfer.
// Used by one thread at a time.
class ToneMapper {
public:
    // The filters use that many threads (0: as many as suit the processors).
    explicit ToneMapper(int threads);

    // The picture tone-mapped, as full-range 24-bit BGR of the same size; null when it
    // cannot be (an unknown pixel format, say).
    FramePtr ToneMap(const AVFrame& picture);

private:
    FilterChain chain_;
    std::int64_t nextPts_ = 0;
};

}  // namespace sm
