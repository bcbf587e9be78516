// CBmp lifetime, layers and the simple per-pixel operations.
#include "PixTest.h"

#include <gtest/gtest.h>

namespace {

TEST(BmpLifetime, CreateGivesTransparentBlackAndResetEmpties)
{
    CBmp b;
    EXPECT_TRUE(b.Empty());
    ASSERT_TRUE(b.Create(3, 2));
    EXPECT_EQ(b.ByteSize(), 24);
    EXPECT_EQ(Bytes(b), std::vector<uint8_t>(24, 0));
    b.offsetX = 4;
    b.AddLayer();
    b.SetHasAlpha(true);
    b.Reset();
    EXPECT_TRUE(b.Empty());
    EXPECT_EQ(b.Width() + b.Height() + b.ByteSize() + b.offsetX + b.LayerCount(), 0);
    EXPECT_FALSE(b.HasAlpha());
}

TEST(BmpLifetime, RefusesSizesThatDoNotFit)
{
    CBmp b;
    EXPECT_FALSE(b.Create(0, 5));
    EXPECT_FALSE(b.Create(-1, 5));
    EXPECT_FALSE(b.Create(40000, 40000));  // more than 2 GB
    EXPECT_TRUE(b.Empty());
}

TEST(BmpLifetime, CopyFromTakesPixelsNameOffsetsAlphaButNotLayers)
{
    CBmp a = SolidBmp(2, 2, Px(1, 2, 3, 4));
    a.name = L"face";
    a.offsetX = 5;
    a.offsetY = 6;
    a.SetHasAlpha(true);
    a.AddLayer();
    CBmp b;
    ASSERT_TRUE(b.CopyFrom(a));
    EXPECT_EQ(Bytes(b), Bytes(a));
    EXPECT_EQ(b.name, L"face");
    EXPECT_EQ(b.offsetX + b.offsetY, 11);
    EXPECT_TRUE(b.HasAlpha());
    EXPECT_EQ(b.LayerCount(), 0);
    CBmp empty;
    EXPECT_FALSE(b.CopyFrom(empty));
    EXPECT_EQ(b.Width(), 2);  // copying nothing keeps what was there
}

TEST(BmpLifetime, AlphaRuleKeepsAnyAlphaElseMakesOpaque)
{
    CBmp b = SolidBmp(2, 1, Px(1, 2, 3, 0));
    b.ApplyAlphaRule();
    EXPECT_FALSE(b.HasAlpha());
    EXPECT_EQ(b.Pixel(1, 0), Px(1, 2, 3, 255));
    b.SetPixel(0, 0, Px(1, 2, 3, 0));
    b.SetPixel(1, 0, Px(1, 2, 3, 1));
    b.ApplyAlphaRule();
    EXPECT_TRUE(b.HasAlpha());
    EXPECT_EQ(b.Pixel(0, 0), Px(1, 2, 3, 0));
}

TEST(BmpLayers, CopiesGoToExistingLayersOnly)
{
    CBmp b = SolidBmp(1, 1, Px(9, 9, 9, 9));
    EXPECT_EQ(b.AddCopyToLayer(0), nullptr);
    EXPECT_FALSE(b.HasLayer(0));
    b.AddLayer();
    b.AddLayer();
    EXPECT_TRUE(b.HasLayer(1));
    EXPECT_FALSE(b.HasLayer(2));
    EXPECT_FALSE(b.HasLayer(-1));
    EXPECT_FALSE(b.LayerFilled(1));
    CBmp* piece = b.AddCopyToLayer(1);
    ASSERT_NE(piece, nullptr);
    EXPECT_EQ(piece->Pixel(0, 0), Px(9, 9, 9, 9));
    EXPECT_TRUE(b.LayerFilled(1));
    CBmp copy(b);  // a C++ copy is deep, layers included
    EXPECT_EQ(copy.LayerCount(), 2);
    EXPECT_NE(copy.GetLayer(1)[0].get(), piece);
}

TEST(BmpOps, FillMaskTone)
{
    CBmp b = SolidBmp(2, 1, Px(0, 127, 255, 7));
    b.Mask(0xFF00FFFF);
    EXPECT_EQ(b.Pixel(0, 0), Px(0, 127, 0, 7));
    b.Fill(Px(0, 127, 255, 7));
    b.Tone(10, 0);  // contrast 0 keeps spread: v + 10
    EXPECT_EQ(b.Pixel(1, 0), Px(10, 137, 255, 7));
    b.Tone(0, -127);  // no contrast: all 127
    EXPECT_EQ(b.Pixel(0, 0), Px(127, 127, 127, 7));
    b.Fill(Px(0, 200, 255, 0));
    b.Tone(-5, 127);  // doubles distance from 127, clamped
    EXPECT_EQ(b.Pixel(0, 0), Px(0, 255, 255, 0));
    // colour form: red lowest, top byte cleared
    EXPECT_EQ(ToneColour(0xFF000000u | 100 | (127 << 8) | (200 << 16), 0, 127), 73u | (127 << 8) | (255u << 16));
}

TEST(BmpOps, ScaleAlphaWrapsOutOfRangeTo255)
{
    CBmp b;
    ASSERT_TRUE(b.Create(3, 1));
    b.SetPixel(0, 0, Px(1, 1, 1, 100));
    b.SetPixel(1, 0, Px(1, 1, 1, 255));
    b.SetPixel(2, 0, Px(1, 1, 1, 10));
    b.ScaleAlpha(128, 5);
    EXPECT_EQ(b.Pixel(0, 0) >> 24, 5u + 128 * 100 / 255);
    EXPECT_EQ(b.Pixel(1, 0) >> 24, 133u);
    b.ScaleAlpha(255, -200);  // 133-200 < 0 -> 255
    EXPECT_EQ(b.Pixel(1, 0) >> 24, 255u);
    EXPECT_EQ(b.Pixel(0, 0) & 0xFFFFFF, Px(1, 1, 1, 0));
}

CBmp Numbered(int w, int h)
{
    CBmp b;
    b.Create(w, h);
    for (int i = 0; i < w * h; ++i)
        b.SetPixel(i % w, i / w, Px(static_cast<uint8_t>(i + 1), 0, 0, static_cast<uint8_t>(100 + i)));
    return b;
}

TEST(BmpOps, ShiftMovesOneLinearRunAndWrapsRows)
{
    CBmp b = Numbered(3, 2);
    b.Shift(1, 0);
    EXPECT_EQ(b.Pixel(0, 0), 0u);
    EXPECT_EQ(b.Pixel(1, 0), Px(1, 0, 0, 100));
    EXPECT_EQ(b.Pixel(0, 1), Px(3, 0, 0, 102));  // last of row 0 is first of row 1
    b = Numbered(3, 2);
    b.Shift(0, -1);
    EXPECT_EQ(b.Pixel(0, 0), Px(4, 0, 0, 103));
    EXPECT_EQ(b.Pixel(2, 1), 0u);
    b.Shift(100, 100);
    EXPECT_EQ(Bytes(b), std::vector<uint8_t>(24, 0));
}

TEST(BmpOps, ShiftColourRotatesAndKeepsAlphaInPlace)
{
    CBmp b = Numbered(3, 2);
    ASSERT_TRUE(b.ShiftColourKeepAlpha(-1, 3));  // dy 3 mod 2 = 1 -> rotate by 2 pixels
    const int expect[6] = {5, 6, 1, 2, 3, 4};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(b.Pixel(i % 3, i / 3), Px(static_cast<uint8_t>(expect[i]), 0, 0, static_cast<uint8_t>(100 + i)));
}

TEST(BmpOps, ChannelCopyOverCommonAreaAndExtract)
{
    CBmp a = SolidBmp(3, 2, Px(1, 2, 3, 4));
    CBmp b = Numbered(2, 3);
    a.ChannelCopy(b, 3);
    EXPECT_EQ(a.Pixel(0, 0), Px(1, 2, 3, 100));
    EXPECT_EQ(a.Pixel(1, 1), Px(1, 2, 3, 103));  // b's row 1 starts at index 2
    EXPECT_EQ(a.Pixel(2, 1), Px(1, 2, 3, 4));
    a.ChannelCopy(b, 4);
    EXPECT_EQ(a.Pixel(0, 0), Px(1, 2, 3, 100));
    CBmp g;
    ASSERT_TRUE(a.ExtractChannel(1, g));
    EXPECT_EQ(g.Pixel(2, 1), Px(0, 2, 0, 0));
    EXPECT_FALSE(a.ExtractChannel(4, g));
}

}  // namespace
