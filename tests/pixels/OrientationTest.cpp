// The eight EXIF orientations on pixels, for every width and height that
// reaches a loop tail.
#include "PixTest.h"
#include "picture/Orientation.h"

#include <gtest/gtest.h>

namespace {

// Pixel (x, y) holds its own coordinates.
CBmp Labelled(int w, int h)
{
    CBmp b;
    b.Create(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b.SetPixel(x, y, static_cast<uint32_t>(x << 16 | y));
    return b;
}

// Where the upright picture's pixel (x, y) was stored, written out from the
// EXIF definitions one by one.
uint32_t StoredAt(int o, int x, int y, int w, int h)
{
    int sx = x, sy = y;
    switch (o) {
    case 2: sx = w - 1 - x; break;
    case 3: sx = w - 1 - x; sy = h - 1 - y; break;
    case 4: sy = h - 1 - y; break;
    case 5: sx = y; sy = x; break;
    case 6: sx = y; sy = h - 1 - x; break;   // stored turned left: its bottom-left is shown top-left
    case 7: sx = w - 1 - y; sy = h - 1 - x; break;
    case 8: sx = w - 1 - y; sy = x; break;   // stored turned right: its top-right is shown top-left
    }
    return static_cast<uint32_t>(sx << 16 | sy);
}

TEST(Orientation, EveryValueOnEverySmallSize)
{
    for (int o = 1; o <= 8; ++o)
        for (int w = 1; w <= 33; ++w)
            for (int h : {1, 2, 3, 7, 16, 33}) {
                CBmp b = Labelled(w, h);
                b.SetHasAlpha(true);
                ASSERT_TRUE(OrientUpright(b, o));
                const FitSize up = UprightSize(w, h, o);
                ASSERT_EQ(b.Width(), up.width);
                ASSERT_EQ(b.Height(), up.height);
                EXPECT_EQ(up.width, o >= 5 ? h : w);
                EXPECT_TRUE(b.HasAlpha());
                for (int y = 0; y < up.height; ++y)
                    for (int x = 0; x < up.width; ++x)
                        ASSERT_EQ(b.Pixel(x, y), StoredAt(o, x, y, w, h)) << o << " " << w << "x" << h;
            }
}

TEST(Orientation, OtherValuesAndEmptyPicturesAreLeftAlone)
{
    CBmp b = Labelled(4, 2);
    for (int o : {0, 1, 9, -6}) {
        ASSERT_TRUE(OrientUpright(b, o));
        EXPECT_EQ(b.Width(), 4);
        EXPECT_EQ(b.Pixel(3, 1), StoredAt(1, 3, 1, 4, 2));
    }
    CBmp empty;
    EXPECT_TRUE(OrientUpright(empty, 6));
    EXPECT_TRUE(empty.Empty());
}

}  // namespace
