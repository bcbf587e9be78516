// Drawing onto device contexts: read back, blend, write, and leave the DC
// as it was.
#include "picture/BmpCompose.h"
#include "picture/GdiOwners.h"
#include "picture/PixView.h"
#include "picture/Picture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

// A 32-bit top-down DIB filled with one colour, to draw onto.
class DibDc {
public:
    DibDc(int w, int h, uint32_t fill)
    {
        if (dib_.Create(w, h))
            std::fill_n(Pixels(), w * h, fill);
    }
    HDC Dc() const { return dib_.Dc(); }
    HBITMAP Dib() const { return dib_.Bitmap(); }
    uint32_t At(int x, int y) const
    {
        GdiFlush();
        return Pixels()[y * dib_.Width() + x];
    }

private:
    uint32_t* Pixels() const { return reinterpret_cast<uint32_t*>(dib_.Bits()); }
    CDibSurface dib_;
};

CBmp Solid(int w, int h, uint32_t v)
{
    CBmp b;
    b.Create(w, h);
    b.Fill(v);
    return b;
}

TEST(DcDraw, BlendsOnlyTheRectangleWithOffsetsAndKeepsTheDc)
{
    DibDc target(4, 3, 0xFFFFFFFF);
    CBmp b = Solid(2, 2, 0x80004080);
    b.offsetX = 1;
    DrawBmp(target.Dc(), b, 1, 1);
    // Half of 0x80004080 over white: (255 * 127 + v * 128) >> 8 for each byte.
    const uint32_t want = 0xBE7E9EBEu;
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(target.At(x, y), (x >= 2 && y >= 1) ? want : 0xFFFFFFFFu) << x << "," << y;
    EXPECT_EQ(GetCurrentObject(target.Dc(), OBJ_BITMAP), target.Dib());
}

TEST(DcDraw, AnOpaquePictureIsCopiedOverItsRectangleOnly)
{
    DibDc target(4, 3, 0xFF102030);
    CBmp b = Solid(2, 2, 0xFF405060);
    b.offsetX = 1;
    DrawBmp(target.Dc(), b, 0, 1);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(target.At(x, y), (x >= 1 && x <= 2 && y >= 1) ? 0xFF405060u : 0xFF102030u) << x << "," << y;
}

TEST(DcDraw, StretchedMatchesTheInMemoryRoutine)
{
    CBmp b;
    b.Create(5, 4);
    for (int i = 0; i < 20; ++i)
        b.SetPixel(i % 5, i / 5, 0x80000000u | (i * 0x0A0B0C));
    DibDc target(9, 7, 0xFF204060);
    ASSERT_TRUE(DrawBmpStretched(target.Dc(), b, 0, 0, 9, 7, 2, 1));
    std::vector<uint32_t> want(9 * 7, 0xFF204060);
    ASSERT_TRUE(BlendStretchedBands(b, reinterpret_cast<uint8_t*>(want.data()), 9, 7, 2, 1));
    for (int i = 0; i < 63; ++i)
        EXPECT_EQ(target.At(i % 9, i / 9), want[i]) << i;
}

TEST(DcDraw, OpacityScalesSourceAlpha)
{
    DibDc target(2, 2, 0xFF000000);
    CBmp b = Solid(1, 1, 0xFFC86432);
    ASSERT_TRUE(DrawBmpWithOpacity(target.Dc(), b, 0, 0, 2, 2, 51));  // 20 %
    const uint32_t v = 51;
    const uint32_t want = 0xFF000000u | (0x32 * v / 255) | ((0x64 * v / 255) << 8) | ((0xC8 * v / 255) << 16);
    EXPECT_EQ(target.At(1, 1), want);
    EXPECT_FALSE(DrawBmpWithOpacity(target.Dc(), b, 0, 0, 0, 2, 51));
}

TEST(DcDraw, LayersAndViewsRoundTrip)
{
    DibDc target(3, 1, 0);
    CBmp b = Solid(1, 1, 0xFF010203);
    b.AddLayer();
    b.AddCopyToLayer(0)->offsetX = 2;
    DrawBmpLayer(target.Dc(), b, 0, 0, 0);
    EXPECT_EQ(target.At(2, 0), 0xFF010203u);
    CPixView view;
    ASSERT_TRUE(view.Create(2, 1));
    ASSERT_TRUE(CaptureFromDc(view, target.Dc(), 1, 0));
    b.Draw(view, 0, 0);
    ASSERT_TRUE(CopyToDc(view, target.Dc(), 0, 0));
    EXPECT_EQ(target.At(0, 0), 0xFF010203u);
    EXPECT_EQ(target.At(1, 0), 0xFF010203u);
}

}  // namespace
