// Drawing onto views: clipping and offsets, the banded stretch, and the
// union and multiply composites.
#include "PixTest.h"
#include "picture/BmpCompose.h"
#include "picture/PixView.h"

#include <gtest/gtest.h>

namespace {

uint32_t ViewPx(const CPixView& v, int x, int y)
{
    uint32_t p;
    std::memcpy(&p, v.Bits() + (static_cast<size_t>(y) * v.Width() + x) * 4, 4);
    return p;
}

std::vector<uint8_t> ViewBytes(const CPixView& v)
{
    return std::vector<uint8_t>(v.Bits(), v.Bits() + static_cast<size_t>(v.Width()) * v.Height() * 4);
}

TEST(Draw, AddsOffsetsAndClipsToTheView)
{
    CPixView view;
    ASSERT_TRUE(view.Create(4, 3));
    CBmp b = SolidBmp(3, 3, Px(9, 9, 9, 255));
    b.offsetX = 1;
    b.offsetY = -1;
    b.Draw(view, 2, 0);  // lands at (3, -1): one column, two rows visible
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(ViewPx(view, x, y), (x == 3 && y < 2) ? Px(9, 9, 9, 255) : 0u) << x << "," << y;
    const std::vector<uint8_t> drawn = ViewBytes(view);
    b.Draw(view, -100, 100);  // nowhere near: nothing
    EXPECT_EQ(ViewBytes(view), drawn);
}

TEST(Draw, LayerPiecesDrawInOrderWithTheirOffsets)
{
    CPixView view;
    ASSERT_TRUE(view.Create(3, 1));
    CBmp b = SolidBmp(1, 1, Px(1, 1, 1, 255));
    b.AddLayer();
    b.AddCopyToLayer(0);
    b.Fill(Px(2, 2, 2, 255));
    b.offsetX = 1;
    b.AddCopyToLayer(0)->offsetX = 0;
    b.DrawLayer(view, 1, 0, 0);
    EXPECT_EQ(ViewPx(view, 0, 0), 0u);
    EXPECT_EQ(ViewPx(view, 1, 0), Px(2, 2, 2, 255));  // later piece drawn over the first
    const std::vector<uint8_t> drawn = ViewBytes(view);
    b.DrawLayer(view, 0, 0, 5);  // no such layer: nothing
    EXPECT_EQ(ViewBytes(view), drawn);
}

TEST(BandedStretch, OwnSizeKeepsBandsAndShiftsTheMiddle)
{
    std::mt19937 rng(5);
    CBmp src = RandomBmp(6, 5, rng);
    src.Mask(0x00FFFFFF);
    src.ScaleAlpha(0, 255);  // opaque, so the blend shows the stretched bytes
    std::vector<uint8_t> dst(6 * 5 * 4, 0);
    ASSERT_TRUE(BlendStretchedBands(src, dst.data(), 6, 5, 2, 1));
    const uint8_t* s = src.Bits();
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x)
            for (int c = 0; c < 3; ++c) {
                const int v = s[(y * 6 + x) * 4 + c];
                const bool bandRow = y < 1 || y >= 4, bandCol = x < 2 || x >= 4;
                const int m = bandRow ? v : (v * 255) >> 8;  // vertical middle: f = 0, still >> 8
                const int a = bandRow ? 255 : 254;            // and so is its alpha
                const int expect = bandCol ? (m * a) >> 8 : ((m * 255) * a / 256) >> 8;
                ASSERT_EQ(dst[(y * 6 + x) * 4 + c], expect) << x << "," << y << " c" << c;
            }
}

TEST(BandedStretch, BandsWiderThanTheTargetOrSourceStayInsideTheBuffers)
{
    // Literal loops would read and write past both buffers here. The target
    // sits between guard bytes; an opaque source of one colour covers it
    // (within the rounding of the two passes).
    constexpr size_t kGuard = 64;
    constexpr uint8_t kBack = 17;
    const uint32_t colour = Px(40, 120, 200, 255);
    const CBmp src = SolidBmp(4, 3, colour);
    for (int w : {1, 2, 3, 7})
        for (int h : {1, 2, 5})
            for (int band : {0, 1, 2, 3, 10}) {
                const size_t bytes = static_cast<size_t>(w) * h * 4;
                std::vector<uint8_t> buffer(kGuard + bytes + kGuard, kBack);
                uint8_t* dst = buffer.data() + kGuard;
                ASSERT_TRUE(BlendStretchedBands(src, dst, w, h, band, band));
                for (size_t i = 0; i < kGuard; ++i) {
                    ASSERT_EQ(buffer[i], kBack) << "before the target, " << w << "x" << h << " band " << band;
                    ASSERT_EQ(buffer[kGuard + bytes + i], kBack)
                        << "after the target, " << w << "x" << h << " band " << band;
                }
                for (size_t i = 0; i < bytes; ++i) {
                    const int want = i % 4 == 3 ? kBack : static_cast<int>(colour >> (i % 4 * 8) & 0xFF);
                    ASSERT_NEAR(dst[i], want, 5) << "byte " << i << ", " << w << "x" << h << " band " << band;
                }
            }
    CPixView view;
    ASSERT_TRUE(view.Create(2, 2));
    EXPECT_TRUE(src.DrawStretched(view, -1, 1, 9, 9, 4, 4));
    EXPECT_EQ(ViewPx(view, 0, 0), 0u);
    EXPECT_EQ(ViewPx(view, 1, 0), 0u);
    EXPECT_NEAR(static_cast<int>(ViewPx(view, 0, 1) & 0xFF), 40, 5);
    EXPECT_NEAR(static_cast<int>(ViewPx(view, 1, 1) >> 8 & 0xFF), 120, 5);
    EXPECT_FALSE(src.DrawStretched(view, 0, 0, 0, 5, 1, 1));
}

TEST(Composite, UnionWeightsAndAlpha)
{
    CPixView view;
    ASSERT_TRUE(view.Create(4, 1));
    const uint32_t init[4] = {Px(10, 20, 30, 0), Px(100, 100, 100, 200), Px(100, 100, 100, 50), Px(5, 5, 5, 5)};
    std::memcpy(view.Bits(), init, 16);
    const uint32_t src[4] = {Px(1, 2, 3, 40), Px(200, 0, 50, 100), Px(200, 0, 50, 100), Px(9, 9, 9, 0)};
    view.UnionComposite(reinterpret_cast<const uint8_t*>(src), 0, 0, 4, 1);
    EXPECT_EQ(ViewPx(view, 0, 0), src[0]);  // transparent destination takes the source
    // sa + da >= 255: ws = 100, wd = 155
    EXPECT_EQ(ViewPx(view, 1, 0), Px((200 * 100 + 100 * 155) >> 8, (100 * 155) >> 8, (50 * 100 + 100 * 155) >> 8,
                                     300 - ((100 * 200 * 258) >> 16)));
    // sa + da < 255: ws = 100*255/150, wd = 50*255/150
    EXPECT_EQ(ViewPx(view, 2, 0), Px((200 * 170 + 100 * 85) >> 8, (100 * 85) >> 8, (50 * 170 + 100 * 85) >> 8,
                                     150 - ((100 * 50 * 258) >> 16)));
    EXPECT_EQ(ViewPx(view, 3, 0), init[3]);
}

TEST(Composite, MultiplyFormulaAndClipping)
{
    CPixView view;
    ASSERT_TRUE(view.Create(2, 1));
    const uint32_t init[2] = {Px(200, 100, 0, 128), Px(7, 7, 7, 0)};
    std::memcpy(view.Bits(), init, 8);
    const uint32_t src[3] = {Px(0, 0, 0, 255), Px(100, 50, 255, 200), Px(1, 1, 1, 255)};
    view.MultiplyComposite(reinterpret_cast<const uint8_t*>(src), -1, 0, 3, 1);
    const int u = 200 * 128 / 255, wd = (255 - u) * 128 / 255, ws = 255 - u - wd;
    auto mul = [&](int d, int s) { return static_cast<uint8_t>((d * wd + (d * s / 255) * u + s * ws) / 255); };
    EXPECT_EQ(ViewPx(view, 0, 0), Px(mul(200, 100), mul(100, 50), mul(0, 255), 200 + 128 - u));
    EXPECT_EQ(ViewPx(view, 1, 0), src[2]);  // transparent destination takes the source
}

}  // namespace
