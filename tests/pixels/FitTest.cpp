// Shown size of photos and thumbnail sizes.
#include "PixTest.h"
#include "picture/Fit.h"

#include <gtest/gtest.h>

namespace {

void ExpectFit(int w, int h, int ew, int eh)
{
    const FitSize f = FitPhoto(w, h, 480, 320, false, 1, 1);
    EXPECT_EQ(f.width, ew) << w << "x" << h;
    EXPECT_EQ(f.height, eh) << w << "x" << h;
}

TEST(Fit, ScalesToWidthThenReducesToHeight)
{
    ExpectFit(480, 320, 480, 320);    // unchanged
    ExpectFit(240, 160, 480, 320);    // enlarged
    ExpectFit(1000, 1000, 320, 320);  // 480x480, then reduced
    ExpectFit(240, 400, 192, 320);    // high enough: never enlarged
    ExpectFit(480, 100, 480, 100);    // exactly as wide: kept
    ExpectFit(100000, 30000, 480, 144);
    ExpectFit(0, 10, 0, 10);
}

TEST(Fit, FullscreenTakesTheWorkArea)
{
    const FitSize f = FitPhoto(100, 100, 480, 320, true, 1920, 1040);
    EXPECT_EQ(f.width, 1920);
    EXPECT_EQ(f.height, 1040);
}

TEST(Thumbnail, SixtyFourOnTheLongerSideAtLeastOneOnTheOther)
{
    const struct {
        int w, h, tw, th;
    } cases[] = {{200, 100, 64, 32}, {100, 200, 32, 64}, {64, 64, 64, 64}, {10000, 10, 64, 1}, {10, 10000, 1, 64}};
    for (const auto& c : cases) {
        CBmp b = SolidBmp(c.w, c.h, Px(50, 60, 70, 255));
        ASSERT_TRUE(MakeThumbnailOf(b)) << c.w << "x" << c.h;
        EXPECT_EQ(b.Width(), c.tw) << c.w << "x" << c.h;
        EXPECT_EQ(b.Height(), c.th) << c.w << "x" << c.h;
    }
    CBmp empty;
    EXPECT_FALSE(MakeThumbnailOf(empty));
}

}  // namespace
