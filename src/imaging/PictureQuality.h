#pragma once

#include <cstdint>
#include <vector>

#include "common/Bitmap.h"

namespace sm {

inline constexpr int kMinSkipSeconds = 1;
inline constexpr int kMaxSkipSeconds = 60;

// Which shots a series replaces by a later picture (the settings SkipBlank, SkipBlurred
// and SkipSeconds): how far after its second it looks, in whole seconds.
struct SkipRule {
    bool SkipBlank = false;
    bool SkipBlurred = false;
    int SkipSeconds = 5;

    bool On() const { return SkipBlank || SkipBlurred; }
    friend bool operator==(const SkipRule&, const SkipRule&) = default;
};

// The luma of a picture reduced to about kReducedLumaWidth samples across, each the mean
// of a block of the picture, row 0 at the top.
struct ReducedLuma {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> samples;
};

inline constexpr int kReducedLumaWidth = 160;
// A picture is blank when at least this share of its reduced samples (in percent) lies
// in a band of kBlankBandLevels levels around their median.
inline constexpr int kBlankSharePercent = 90;
inline constexpr int kBlankBandLevels = 24;
// A picture is blurred when the variance of the Laplacian of its reduced luma lies below
// this (see the README for how it was chosen).
inline constexpr double kBlurredBelow = 50.0;

// A 24- or 32-bit picture's reduced luma; an empty one for other depths or an empty picture.
ReducedLuma ReduceLuma(const Bitmap& picture);

// Black, white, grey or a card of one colour: nearly every sample at one level.
bool IsBlank(const ReducedLuma& luma);
// The variance of the 4-neighbour Laplacian over the inner samples; 0 when there are
// fewer than 3 x 3 samples.
double LaplacianVariance(const ReducedLuma& luma);
// Too soft to be worth keeping; a picture too small to tell is not.
bool IsBlurred(const ReducedLuma& luma);

// Whether the rule replaces this picture when it can: blank (with SkipBlank) or blurred
// (with SkipBlurred). An empty picture or one of another depth is never replaced.
bool Rejects(const SkipRule& rule, const Bitmap& picture);

}  // namespace sm
