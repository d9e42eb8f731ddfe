// Which pictures count as blank or blurred, at every size and depth a shot can have.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <random>

#include "imaging/PictureQuality.h"

namespace sm {
namespace {

Bitmap Painted(int width, int height, const std::function<std::uint32_t(int x, int y)>& rgb, int bits = 24)
{
    Bitmap picture(width, height, bits);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.setPixelRgb(x, y, rgb(x, y));
    return picture;
}

std::uint32_t Grey(int level)
{
    const auto v = std::uint32_t(std::clamp(level, 0, 255));
    return v << 16 | v << 8 | v;
}

TEST(PictureQuality, BlankAndBlurredPictures)
{
    std::mt19937 random(7);
    std::uniform_int_distribution<int> noise(-9, 9);
    const struct {
        const char* name;
        Bitmap picture;
        bool blank;
        bool blurred;
    } cases[] = {
        {"black", Painted(1920, 1080, [](int, int) { return 0U; }), true, true},
        {"white", Painted(1280, 720, [](int, int) { return 0xFFFFFFU; }), true, true},
        {"one-colour card", Painted(720, 576, [](int, int) { return 0x3050A0U; }), true, true},
        {"noisy black", Painted(640, 360, [&](int, int) { return Grey(10 + noise(random)); }), true, true},
        {"white slate with a line of text",
         Painted(640, 360, [](int x, int y) { return y > 170 && y < 190 && x % 9 < 4 ? 0U : 0xFFFFFFU; }), true, false},
        // Sharp edges everywhere: 16-pixel checks, and bars of colour on a 32-bit picture.
        {"checks", Painted(1920, 1080, [](int x, int y) { return (x / 16 + y / 16) % 2 ? 0xFFFFFFU : 0U; }), false,
         false},
        {"bars",
         Painted(
             1000, 562, [](int x, int) { return x / 125 % 2 ? 0xC0C000U : 0x0000C0U; }, 32),
         false, false},
        // Soft all over: a slow gradient and a wide swell, as far out of focus as can be.
        {"gradient", Painted(1920, 1080, [](int x, int) { return Grey(x * 255 / 1919); }), false, true},
        {"swell", Painted(960, 540, [](int x, int y) { return Grey(int(128 + 100 * std::sin(x / 90.0 + y / 70.0))); }),
         false, true},
        // Too small to tell blur; blank by its few samples; odd sizes read within bounds.
        {"1 x 1", Painted(1, 1, [](int, int) { return 0x808080U; }), true, false},
        {"2 x 200", Painted(2, 200, [](int, int) { return 0U; }), true, false},
        {"541 x 7 checks", Painted(541, 7, [](int x, int y) { return (x + y) % 2 ? 0xFFFFFFU : 0U; }), false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ReducedLuma luma = ReduceLuma(c.picture);
        EXPECT_EQ(luma.width, std::max(1, c.picture.width() / std::max(1, (c.picture.width() + 80) / 160)));
        EXPECT_EQ(IsBlank(luma), c.blank);
        EXPECT_EQ(IsBlurred(luma), c.blurred);
        EXPECT_EQ(Rejects({true, false, 5}, c.picture), c.blank);
        EXPECT_EQ(Rejects({false, true, 5}, c.picture), c.blurred);
        EXPECT_FALSE(Rejects({false, false, 5}, c.picture));
    }
    // Pictures of other depths are never judged, nor is an empty one.
    EXPECT_FALSE(Rejects({true, true, 5}, Bitmap(64, 64, 8)));
    EXPECT_FALSE(Rejects({true, true, 5}, Bitmap()));
}

}  // namespace
}  // namespace sm
