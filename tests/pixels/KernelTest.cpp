// Row kernels: the written formulas on hand-picked values, and the vector
// paths against the scalar definitions at every loop-tail width.
#include "PixTest.h"
#include "picture/PixView.h"
#include "picture/PixelKernels.h"

#include <gtest/gtest.h>

namespace {

TEST(Blend, AlphaZeroKeepsAlpha255CopiesOtherwiseShiftsBy8)
{
    CPixView dst;
    ASSERT_TRUE(dst.Create(3, 1));
    const uint32_t white = Px(255, 255, 255, 255);
    CBmp under = SolidBmp(3, 1, white);
    under.Draw(dst, 0, 0);
    CBmp src;
    ASSERT_TRUE(src.Create(3, 1));
    src.SetPixel(0, 0, Px(1, 2, 3, 0));
    src.SetPixel(1, 0, Px(10, 20, 30, 255));
    src.SetPixel(2, 0, Px(0, 100, 200, 128));
    src.Draw(dst, 0, 0);
    CBmp out;
    out.Borrow(dst.Bits(), 3, 1);
    EXPECT_EQ(out.Pixel(0, 0), white);
    EXPECT_EQ(out.Pixel(1, 0), Px(10, 20, 30, 255));
    // (255 * 127 + v * 128) >> 8
    EXPECT_EQ(out.Pixel(2, 0), Px(126, 176, 226, 190));
}

TEST(Premultiply, TruncatesAndKeepsAlpha)
{
    CBmp b;
    ASSERT_TRUE(b.Create(3, 1));
    b.SetPixel(0, 0, Px(255, 128, 1, 128));
    b.SetPixel(1, 0, Px(9, 8, 7, 0));
    b.SetPixel(2, 0, Px(9, 8, 7, 255));
    b.Premultiply();
    EXPECT_EQ(b.Pixel(0, 0), Px(128, 64, 0, 128));
    EXPECT_EQ(b.Pixel(1, 0), Px(0, 0, 0, 0));
    EXPECT_EQ(b.Pixel(2, 0), Px(9, 8, 7, 255));
}

TEST(OpacityBlend, ScalesSourceAlphaAndDividesBy255)
{
    uint8_t dst[8] = {100, 100, 100, 77, 0, 0, 0, 5};
    const uint8_t src[8] = {200, 0, 255, 255, 255, 255, 255, 128};
    pix::OpacityBlendRow(dst, src, 2, 128);
    // v = 255*128/255 = 128; then v = 128*128/255 = 64
    EXPECT_EQ(dst[0], 150);   // (100 * 127 + 200 * 128) / 255
    EXPECT_EQ(dst[1], 49);
    EXPECT_EQ(dst[3], 77);
    EXPECT_EQ(dst[4], 64);
    EXPECT_EQ(dst[7], 5);
}

TEST(Kernels, Div255IsExact)
{
    for (uint32_t x = 0; x <= 65535; ++x)
        ASSERT_EQ(pix::Div255(x), x / 255) << x;
}

// Every vector path available on this CPU, checked against the scalar one.
class VectorKernels : public ::testing::TestWithParam<const pix::RowKernels*> {};

TEST_P(VectorKernels, MatchScalarAtEveryTailWidth)
{
    const pix::RowKernels& k = *GetParam();
    const pix::RowKernels& ref = pix::kScalarRows;
    std::mt19937 rng(99);
    for (int n = 1; n <= 33; ++n) {
        std::vector<uint8_t> src(n * 4 + 8), a(n * 4), b(n * 4);
        RandomFill(src.data(), src.size(), rng);
        for (int i = 0; i < n; i += 3)  // the alpha 0 and 255 shortcuts
            src[i * 4 + 3] = static_cast<uint8_t>(i % 2 ? 0 : 255);
        RandomFill(a.data(), a.size(), rng);
        b = a;
        k.blendOver(a.data(), src.data(), n);
        ref.blendOver(b.data(), src.data(), n);
        ASSERT_EQ(a, b) << "blend " << n;
        a.assign(src.begin(), src.begin() + n * 4);
        b = a;
        k.premultiply(a.data(), n);
        ref.premultiply(b.data(), n);
        ASSERT_EQ(a, b) << "premultiply " << n;
        const uint32_t f = 1 + rng() % 254;
        k.lerp255(a.data(), src.data(), src.data() + 4, n * 4, f);
        ref.lerp255(b.data(), src.data(), src.data() + 4, n * 4, f);
        ASSERT_EQ(a, b) << "lerp " << n;
        for (uint32_t div : {1u, 3u, 255u, 4000u, 65535u, 70000u}) {
            const uint32_t w = rng() % (div + 1);
            std::fill(a.begin(), a.end(), 0);
            std::fill(b.begin(), b.end(), 0);
            k.addScaled(a.data(), src.data(), n * 4, w, div);
            ref.addScaled(b.data(), src.data(), n * 4, w, div);
            ASSERT_EQ(a, b) << "addScaled " << n << " " << w << "/" << div;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Cpu, VectorKernels, ::testing::ValuesIn(VectorPaths()),
                         [](const ::testing::TestParamInfo<const pix::RowKernels*>& i) {
                             return std::string(i.param->name);
                         });
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(VectorKernels);

}  // namespace
