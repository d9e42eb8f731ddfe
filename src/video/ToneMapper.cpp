#include "video/ToneMapper.h"

extern "C" {
#include <libavutil/frame.h>
#include <libavutil/pixfmt.h>
}

namespace sm {
namespace {

// Nominal peak 100 cd/m², no desaturation; the result's tags name the BT.709 matrix
// and limited range as a player's do, which the RGB result does not depend on.
constexpr const char* kChain = "zscale=t=linear:npl=100,format=gbrpf32le,zscale=p=bt709,"
                               "tonemap=tonemap=mobius:desat=0,zscale=t=bt709:m=bt709:r=tv,format=bgr24";

}  // namespace

HdrTransfer HdrTransferOf(int transferCharacteristic)
{
    switch (transferCharacteristic) {
    case AVCOL_TRC_SMPTE2084:
        return HdrTransfer::Pq;
    case AVCOL_TRC_ARIB_STD_B67:
        return HdrTransfer::Hlg;
    default:
        return HdrTransfer::None;
    }
}

ToneMapper::ToneMapper(int threads) : chain_(kChain, threads) {}

FramePtr ToneMapper::ToneMap(const AVFrame& picture)
{
    if (chain_.Prepare(picture) == FilterChain::Readiness::Failed)
        return nullptr;
    // HDR video is BT.2020 in limited range unless it says otherwise.
    FramePtr tagged = RefFrame(picture);
    if (tagged->color_primaries == AVCOL_PRI_UNSPECIFIED)
        tagged->color_primaries = AVCOL_PRI_BT2020;
    if (tagged->colorspace == AVCOL_SPC_UNSPECIFIED)
        tagged->colorspace = AVCOL_SPC_BT2020_NCL;
    if (tagged->color_range == AVCOL_RANGE_UNSPECIFIED)
        tagged->color_range = AVCOL_RANGE_MPEG;
    chain_.Send(*tagged, nextPts_++);
    FramePtr mapped;
    while (FramePtr out = chain_.Receive())
        mapped = std::move(out);
    if (mapped)
        mapped->color_range = AVCOL_RANGE_JPEG;
    return mapped;
}

}  // namespace sm
