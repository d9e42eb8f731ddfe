#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <random>

#include "capture/ShotPicture.h"
#include "common/Bitmap.h"
#include "common/PackedBitmap.h"

using namespace sm;

namespace {

enum class Fill { Noise, Flat, Gradient };

// Every byte of the rows is set, the row padding included, so a round trip that loses
// or shifts any byte shows.
Bitmap Picture(int width, int height, int bpp, Fill fill, int paletteSize = 0)
{
    Bitmap b(width, height, bpp);
    std::mt19937 random(unsigned(width * 131 + height * 7 + bpp));
    for (int y = 0; y < height; ++y)
        for (std::size_t i = 0; i < b.stride(); ++i)
            b.row(y)[i] = fill == Fill::Noise  ? std::uint8_t(random())
                          : fill == Fill::Flat ? std::uint8_t(0x5A)
                                               : std::uint8_t(int(i) / 3 + y + int(random() % 8 == 0));
    for (int i = 0; i < paletteSize; ++i)
        b.palette().push_back(PaletteEntry{std::uint8_t(i), std::uint8_t(255 - i), std::uint8_t(i * 7), 0});
    return b;
}

}  // namespace

TEST(PackedBitmap, ExpandsToExactlyThePictureThatWasPacked)
{
    struct Case {
        const char* name;
        Bitmap picture;
    };
    const Case cases[] = {
        {"1x1", Picture(1, 1, 24, Fill::Noise)},
        {"odd width with padding", Picture(37, 11, 24, Fill::Noise)},
        {"full-HD noise", Picture(1920, 1080, 24, Fill::Noise)},
        {"rows left over after the last whole chunk", Picture(1000, 301, 24, Fill::Gradient)},
        {"flat", Picture(640, 480, 24, Fill::Flat)},
        {"32-bit", Picture(13, 9, 32, Fill::Noise)},
        {"16-bit", Picture(5, 3, 16, Fill::Noise)},
        {"8-bit with palette", Picture(21, 6, 8, Fill::Noise, 256)},
        {"1-bit with palette", Picture(9, 4, 1, Fill::Noise, 2)},
        {"empty", Bitmap()},
        {"no rows", Bitmap(5, 0, 24)},
    };
    for (const Case& c : cases) {
        const PackedBitmap packed(c.picture);
        EXPECT_EQ(packed.expand(), c.picture) << c.name;
        EXPECT_EQ(packed.isEmpty(), c.picture.isEmpty()) << c.name;

        Bitmap sameShape = Picture(c.picture.width(), c.picture.height(), c.picture.bitsPerPixel(), Fill::Flat);
        packed.expandInto(sameShape);  // reuses the memory, overwrites every byte
        EXPECT_EQ(sameShape, c.picture) << c.name;
        Bitmap otherShape = Picture(3, 3, 8, Fill::Noise, 4);
        packed.expandInto(otherShape);
        EXPECT_EQ(otherShape, c.picture) << c.name;
    }
}

TEST(PackedBitmap, AVideoLikePictureTakesAFractionOfItsSize)
{
    const Bitmap smooth = Picture(1920, 1080, 24, Fill::Gradient);
    EXPECT_LT(PackedBitmap(smooth).packedSize(), smooth.byteSize() / 4);
}

TEST(ShotPicture, PackedPlainAndAbsentPicturesReadAlike)
{
    const Bitmap picture = Picture(7, 5, 24, Fill::Noise);
    const ShotPicture packed(std::make_shared<const PackedBitmap>(picture));
    const auto plainBitmap = std::make_shared<const Bitmap>(picture);
    const ShotPicture plain(plainBitmap);
    Bitmap work;
    for (const ShotPicture* p : {&packed, &plain}) {
        EXPECT_TRUE(bool(*p));
        EXPECT_FALSE(p->isEmpty());
        EXPECT_EQ(p->width(), 7);
        EXPECT_EQ(p->height(), 5);
        EXPECT_EQ(p->expand(), picture);
        EXPECT_EQ(p->expandedIn(work), picture);
    }
    EXPECT_EQ(&plain.expandedIn(work), plainBitmap.get()) << "a plain picture is read where it is";

    const ShotPicture absent;
    EXPECT_FALSE(bool(absent));
    EXPECT_TRUE(absent.isEmpty());
    EXPECT_EQ(absent.expand(), Bitmap());
    EXPECT_TRUE(ShotPicture(std::make_shared<Bitmap>()).isEmpty());
}
