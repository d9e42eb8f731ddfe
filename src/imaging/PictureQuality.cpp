#include "imaging/PictureQuality.h"

#include <algorithm>
#include <array>

namespace sm {
namespace {

// Each block is sampled on a grid of at most this many points a side: enough to average
// out noise and fine detail at the reduced scale, and a cost that does not grow with
// the picture.
constexpr int kMaxPointsPerSide = 4;

// The sample offsets inside a block of `step` pixels, evenly spaced.
std::vector<int> BlockOffsets(int step)
{
    const int spacing = std::max(1, (step + kMaxPointsPerSide - 1) / kMaxPointsPerSide);
    std::vector<int> offsets;
    for (int offset = spacing / 2; offset < step; offset += spacing)
        offsets.push_back(offset);
    return offsets;
}

}  // namespace

ReducedLuma ReduceLuma(const Bitmap& picture)
{
    ReducedLuma luma;
    const int bytesPerPixel = picture.bitsPerPixel() / 8;
    if (picture.isEmpty() || (bytesPerPixel != 3 && bytesPerPixel != 4))
        return luma;
    const int step = std::max(1, (picture.width() + kReducedLumaWidth / 2) / kReducedLumaWidth);
    luma.width = std::max(1, picture.width() / step);
    luma.height = std::max(1, picture.height() / step);
    luma.samples.resize(std::size_t(luma.width) * std::size_t(luma.height));
    // A picture narrower or lower than one block gives one sample a side from what it has.
    const std::vector<int> columns = BlockOffsets(std::min(step, picture.width()));
    const std::vector<int> rows = BlockOffsets(std::min(step, picture.height()));
    const std::uint32_t points = std::uint32_t(columns.size() * rows.size());
    // The channels are summed apart and weighted once a block: fewer operations a pixel.
    std::vector<std::uint32_t> sums(std::size_t(luma.width) * 3);
    for (int ry = 0; ry < luma.height; ++ry) {
        std::fill(sums.begin(), sums.end(), 0U);
        for (int offset : rows) {
            const std::uint8_t* row = picture.row(ry * step + offset);
            for (int rx = 0; rx < luma.width; ++rx) {
                const std::uint8_t* block = row + std::size_t(rx) * std::size_t(step) * std::size_t(bytesPerPixel);
                std::uint32_t blue = 0, green = 0, red = 0;
                for (int column : columns) {
                    const std::uint8_t* pixel = block + std::size_t(column) * std::size_t(bytesPerPixel);
                    blue += pixel[0];
                    green += pixel[1];
                    red += pixel[2];
                }
                std::uint32_t* sum = sums.data() + std::size_t(rx) * 3;
                sum[0] += blue;
                sum[1] += green;
                sum[2] += red;
            }
        }
        std::uint8_t* out = luma.samples.data() + std::size_t(ry) * std::size_t(luma.width);
        const std::uint32_t divisor = points * 256U;
        for (int rx = 0; rx < luma.width; ++rx) {
            const std::uint32_t* sum = sums.data() + std::size_t(rx) * 3;
            // BT.601 weights in 1/256: blue, green, red.
            out[rx] = std::uint8_t((29U * sum[0] + 150U * sum[1] + 77U * sum[2] + divisor / 2) / divisor);
        }
    }
    return luma;
}

bool IsBlank(const ReducedLuma& luma)
{
    if (luma.samples.empty())
        return false;
    std::array<std::uint32_t, 256> histogram{};
    for (std::uint8_t sample : luma.samples)
        ++histogram[sample];
    const std::size_t total = luma.samples.size();
    std::size_t below = 0;
    int median = 0;
    while (median < 255 && (below + histogram[std::size_t(median)]) * 2 < total + 1)
        below += histogram[std::size_t(median++)];
    // The band is centred on the median, moved inwards where it would leave 0 to 255, so
    // that black and white pictures get a band as wide as grey ones.
    const int low = std::clamp(median - kBlankBandLevels / 2, 0, 256 - kBlankBandLevels);
    std::size_t inBand = 0;
    for (int level = low; level < low + kBlankBandLevels; ++level)
        inBand += histogram[std::size_t(level)];
    return inBand * 100 >= total * std::size_t(kBlankSharePercent);
}

double LaplacianVariance(const ReducedLuma& luma)
{
    const int w = luma.width;
    const int h = luma.height;
    if (w < 3 || h < 3)
        return 0.0;
    std::int64_t sum = 0;
    std::int64_t squares = 0;
    for (int y = 1; y < h - 1; ++y) {
        const std::uint8_t* above = luma.samples.data() + std::size_t(y - 1) * std::size_t(w);
        const std::uint8_t* row = above + w;
        const std::uint8_t* below = row + w;
        for (int x = 1; x < w - 1; ++x) {
            const int response = above[x] + below[x] + row[x - 1] + row[x + 1] - 4 * row[x];
            sum += response;
            squares += response * response;
        }
    }
    const double count = double(w - 2) * double(h - 2);
    const double mean = double(sum) / count;
    return double(squares) / count - mean * mean;
}

bool IsBlurred(const ReducedLuma& luma)
{
    return luma.width >= 3 && luma.height >= 3 && LaplacianVariance(luma) < kBlurredBelow;
}

bool Rejects(const SkipRule& rule, const Bitmap& picture)
{
    if (!rule.On())
        return false;
    const ReducedLuma luma = ReduceLuma(picture);
    if (luma.samples.empty())
        return false;
    return (rule.SkipBlank && IsBlank(luma)) || (rule.SkipBlurred && IsBlurred(luma));
}

}  // namespace sm
