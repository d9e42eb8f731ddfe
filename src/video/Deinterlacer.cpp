#include "video/Deinterlacer.h"

extern "C" {
#include <libavutil/frame.h>
}

namespace sm {
namespace {

// One picture for each picture; only pictures marked interlaced are deinterlaced, so
// that neighbours marked progressive merely pass.
constexpr const char* kChain = "bwdif=mode=send_frame:parity=auto:deint=interlaced";

bool Matches(const AVFrame* neighbour, const AVFrame& picture)
{
    return neighbour && neighbour->width == picture.width && neighbour->height == picture.height
           && neighbour->format == picture.format;
}

// A reference to the picture marked as the deinterlacer should take it.
FramePtr Marked(const AVFrame& picture, bool interlaced)
{
    FramePtr marked = RefFrame(picture);
    marked->interlaced_frame = interlaced ? 1 : 0;
    // A repeated field on a progressive neighbour would let the picture pass unchanged.
    marked->repeat_pict = 0;
    return marked;
}

}  // namespace

bool IsInterlaced(const AVFrame& picture) { return picture.interlaced_frame != 0; }

// The chain started afresh for each picture runs on the calling thread alone: starting
// and ending a pool of threads for every picture would cost more than the picture.
Deinterlacer::Deinterlacer(int threads) : chain_(kChain, threads), single_(kChain, 1) {}

FramePtr Deinterlacer::Take(FilterChain& chain, std::int64_t pts)
{
    FramePtr wanted;
    while (FramePtr out = chain.Receive())
        if (out->pts == pts)
            wanted = std::move(out);
    return wanted;
}

FramePtr Deinterlacer::Deinterlace(const AVFrame& picture, const AVFrame* before, const AVFrame* after)
{
    if (!Matches(before, picture))
        before = nullptr;
    if (!Matches(after, picture))
        after = nullptr;
    if (!before && !after)
        return Alone(picture);
    // The deinterlacer compares a picture with the one before and the one after it; a
    // missing one is stood in for by the other, which tells motion as well.
    const AVFrame& previous = before ? *before : *after;
    const AVFrame& next = after ? *after : *before;
    const FilterChain::Readiness readiness = chain_.Prepare(picture);
    if (readiness == FilterChain::Readiness::Failed)
        return nullptr;
    const FramePtr current = Marked(picture, true);
    // The very first picture a deinterlacer sees is filled in from its own lines only;
    // a fresh chain spends that on a copy, so that every picture is treated alike.
    if (readiness == FilterChain::Readiness::Rebuilt)
        chain_.Send(*current, nextPts_++);
    // The neighbours are marked progressive so that they pass through without work.
    // Whatever the chain remembers from earlier pictures leaves it before the picture's
    // own result, which is told by its timestamp.
    chain_.Send(*Marked(previous, false), nextPts_++);
    const std::int64_t pts = nextPts_++;
    chain_.Send(*current, pts);
    chain_.Send(*Marked(next, false), nextPts_++);
    return Take(chain_, pts);
}

FramePtr Deinterlacer::Alone(const AVFrame& picture)
{
    // Only the first picture of a fresh chain is filled in from its own lines, which is
    // all a picture without neighbours has; the chain is started afresh for each.
    FilterChain::Readiness readiness = single_.Prepare(picture);
    if (readiness == FilterChain::Readiness::Ready)
        readiness = single_.Restart();
    if (readiness == FilterChain::Readiness::Failed)
        return nullptr;
    const FramePtr current = Marked(picture, true);
    single_.Send(*current, 0);
    single_.Send(*current, 1);
    return Take(single_, 0);
}

}  // namespace sm
