// Soft ellipse, blur and gradient.
#include "PixTest.h"

#include <gtest/gtest.h>

namespace {

TEST(SoftEllipse, FullColourAtCentreOldPixelsAtRimZeroRadiusNothing)
{
    CBmp b = SolidBmp(9, 9, Px(0, 0, 0, 0));
    const std::vector<uint8_t> blank = Bytes(b);
    b.SoftEllipse(4, 4, 0, 3, 0xFFFFFFFF);
    b.SoftEllipse(4, 4, 3, 0, 0xFFFFFFFF);
    EXPECT_EQ(Bytes(b), blank);
    b.SoftEllipse(4, 4, 4, 2, Px(64, 128, 192, 255));
    EXPECT_EQ(b.Pixel(4, 4), Px(64, 128, 192, 255));
    // (dx=2, dy=1): t = (1*64*16 + 4*64*4) / 64 = 32 -> half way
    EXPECT_EQ(b.Pixel(6, 5), Px(32, 64, 96, 127));
    EXPECT_EQ(b.Pixel(4, 6), 0u);  // dy = ry is outside the rectangle
    EXPECT_EQ(b.Pixel(0, 4), 0u);  // dx = rx: t = 64, untouched
}

TEST(SoftEllipse, ClipsAtTheImageEdges)
{
    CBmp b = SolidBmp(3, 3, 0);
    b.SoftEllipse(-1, 1, 3, 3, 0xFFFFFFFF);
    EXPECT_NE(b.Pixel(0, 1), 0u);
    // Radii whose products pass 64 bits: t = 128 * 99998^2 / 200000^2 = 31.
    b.SoftEllipse(100000, 100000, 200000, 200000, 0xFFFFFFFF);
    EXPECT_EQ(b.Pixel(2, 2) >> 24, 255u * (64 - 31) / 64);
}

TEST(Blur, ColourIsTheClippedBoxAverageAlphaIsKernelWeighted)
{
    CBmp b = SolidBmp(5, 1, Px(0, 0, 0, 255));
    b.SetPixel(2, 0, Px(90, 30, 3, 255));
    ASSERT_TRUE(b.Blur(1));
    EXPECT_EQ(b.Pixel(2, 0) & 0xFFFFFF, Px(30, 10, 1, 0));
    EXPECT_EQ(b.Pixel(0, 0) & 0xFFFFFF, 0u);
    EXPECT_EQ(b.Pixel(1, 0) & 0xFFFFFF, Px(30, 10, 1, 0));
    // 3x3 kernel of radius 2 disc: centre alpha 255*... weighted sum / count / 255
    CBmp k = SolidBmp(3, 3, 0x00FFFFFF);
    k.SoftEllipse(1, 1, 2, 2, 0xFFFFFFFF);
    const uint32_t edge = k.Pixel(0, 1) >> 24, centre = k.Pixel(1, 1) >> 24;
    EXPECT_EQ(b.Pixel(0, 0) >> 24, (255 * (centre + edge)) / 2 / 255);
}

TEST(Blur, UniformImageStaysUniformInColour)
{
    CBmp b = SolidBmp(6, 4, Px(10, 20, 30, 255));
    ASSERT_TRUE(b.Blur(2));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            ASSERT_EQ(b.Pixel(x, y) & 0xFFFFFF, Px(10, 20, 30, 0));
}

uint32_t Rgba(uint8_t r, uint8_t g, uint8_t b, uint8_t a)
{
    return r | (g << 8) | (b << 16) | (static_cast<uint32_t>(a) << 24);
}

TEST(Gradient, LinearBetweenTwoPointsWithExtends)
{
    CBmp b = SolidBmp(12, 1, Px(1, 1, 1, 1));
    const BmpPoint pts[2] = {{2, 0}, {10, 0}};
    const uint32_t cols[2] = {Rgba(0, 0, 0, 0), Rgba(200, 100, 8, 255)};
    b.Gradient(pts, cols, 2, false, false);
    EXPECT_EQ(b.Pixel(0, 0), Px(1, 1, 1, 1));  // outside every band, no extends
    EXPECT_EQ(b.Pixel(2, 0), 0u);
    EXPECT_EQ(b.Pixel(6, 0), Px(4, 50, 100, 127));  // half way, truncated
    EXPECT_EQ(b.Pixel(10, 0), Px(8, 100, 200, 255));
    EXPECT_EQ(b.Pixel(11, 0), Px(1, 1, 1, 1));
    b.Gradient(pts, cols, 2, true, true);
    EXPECT_EQ(b.Pixel(0, 0), 0u);
    EXPECT_EQ(b.Pixel(11, 0), Px(8, 100, 200, 255));
    b.Gradient(pts, cols, 1, true, true);  // fewer than two points: nothing
    EXPECT_EQ(b.Pixel(11, 0), Px(8, 100, 200, 255));
}

TEST(Gradient, WideImagesKeepExactEdgeAlpha)
{
    // C*U - C*S passes 2^31 on rows wider than about 4600 pixels.
    const int w = 9000;
    CBmp b = SolidBmp(w, 1, 0);
    const BmpPoint pts[2] = {{0, 0}, {w - 1, 0}};
    const uint32_t cols[2] = {Rgba(0, 0, 0, 255), Rgba(0, 0, 0, 0)};
    b.Gradient(pts, cols, 2, false, false);
    for (int x : {0, 1, w / 2, w - 2, w - 1}) {
        const long long u = static_cast<long long>(x) * 2 * (w - 1);
        const long long s = static_cast<long long>(x - (w - 1)) * 2 * (w - 1);
        EXPECT_EQ(b.Pixel(x, 0) >> 24, static_cast<uint32_t>((0 * u - 255 * s) / (u - s))) << x;
    }
}

}  // namespace
