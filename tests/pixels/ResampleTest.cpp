// The resampler against a straightforward reading of its written rules.
#include "PixTest.h"
#include "picture/PixelKernels.h"
#include "picture/Resample.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using Buf = std::vector<uint8_t>;
using i64 = long long;

// One pass along an axis of length n -> m. rows: src is lines wide and n
// high, the result lines x m; otherwise src is n wide and lines high.
Buf RefPass(const Buf& src, int lines, int n, int m, bool rows, bool shift256)
{
    Buf out(static_cast<size_t>(lines) * m * 4, 0);
    auto S = [&](int k, int l, int c) -> int {
        return rows ? src[(static_cast<size_t>(k) * lines + l) * 4 + c] : src[(static_cast<size_t>(l) * n + k) * 4 + c];
    };
    auto O = [&](int k, int l, int c) -> uint8_t& {
        return rows ? out[(static_cast<size_t>(k) * lines + l) * 4 + c] : out[(static_cast<size_t>(l) * m + k) * 4 + c];
    };
    for (int l = 0; l < lines; ++l)
        for (int c = 0; c < 4; ++c) {
            if (n < m) {
                for (int i = 0; i < m; ++i) {
                    const i64 s = static_cast<i64>(i) * (n - 1) / (m - 1);
                    const i64 f = static_cast<i64>(i) * (n - 1) * 255 / (m - 1) % 255;
                    const int a = S(static_cast<int>(s), l, c);
                    if (shift256)
                        O(i, l, c) = static_cast<uint8_t>(
                            f == 0 ? (a * 255) >> 8 : (S(static_cast<int>(s) + 1, l, c) * f + a * (255 - f)) >> 8);
                    else
                        O(i, l, c) =
                            static_cast<uint8_t>(f == 0 ? a : (S(static_cast<int>(s) + 1, l, c) * f + a * (255 - f)) / 255);
                }
            } else {
                for (int i = 0; i < n; ++i) {
                    const i64 b = static_cast<i64>(i) * m, e = b + m, t = b / n, d = e / n;
                    const int v = S(i, l, c);
                    if (t == d) {
                        O(static_cast<int>(t), l, c) += static_cast<uint8_t>(v * m / n);
                    } else {
                        if (b != n * d)
                            O(static_cast<int>(t), l, c) += static_cast<uint8_t>(v * (n * d - b) / n);
                        if (e % n != 0)
                            O(static_cast<int>(d), l, c) += static_cast<uint8_t>(v * (e % n) / n);
                    }
                }
            }
        }
    return out;
}

Buf RefResample(const Buf& src, int w, int h, int w2, int h2)
{
    const Buf mid = RefPass(src, w, h, h2, true, false);
    return RefPass(mid, h2, w, w2, false, true);
}

Buf Resampled(const Buf& src, int w, int h, int w2, int h2)
{
    uint8_t* p = ResamplePixels(src.data(), w, h, w2, h2);
    EXPECT_NE(p, nullptr);
    Buf out(p, p + static_cast<size_t>(w2) * h2 * 4);
    std::free(p);
    return out;
}

// Every kernel path this CPU can run.
std::vector<const pix::RowKernels*> Paths()
{
    std::vector<const pix::RowKernels*> paths{&pix::kScalarRows};
    const std::vector<const pix::RowKernels*> vector = VectorPaths();
    paths.insert(paths.end(), vector.begin(), vector.end());
    return paths;
}

class ResampleDiff : public ::testing::TestWithParam<const pix::RowKernels*> {
protected:
    void SetUp() override { pix::ForceKernels(GetParam()); }
    void TearDown() override { pix::ForceKernels(nullptr); }
};

TEST_P(ResampleDiff, RandomSizesMatchTheWrittenRules)
{
    std::mt19937 rng(20240611);
    auto dim = [&](int big) { return 1 + static_cast<int>(rng() % (rng() % 4 == 0 ? big : 40)); };
    for (int round = 0; round < 400; ++round) {
        const int w = dim(300), h = dim(300);
        int w2 = dim(300), h2 = dim(300);
        switch (round % 5) {  // same-size and 1-pixel edges on purpose
        case 0: w2 = w; break;
        case 1: h2 = h; break;
        case 2: w2 = 1; break;
        case 3: h2 = 1 + (round % 2); break;
        default: break;
        }
        Buf src(static_cast<size_t>(w) * h * 4);
        RandomFill(src.data(), src.size(), rng);
        ASSERT_EQ(Resampled(src, w, h, w2, h2), RefResample(src, w, h, w2, h2))
            << w << "x" << h << " -> " << w2 << "x" << h2;
    }
}

TEST_P(ResampleDiff, ProductsBeyond32BitsStayExact)
{
    // i*(H-1)*255 and i*W' pass 2^31 here; a 32-bit product gives other bytes.
    std::mt19937 rng(7);
    const struct {
        int w, h, w2, h2;
    } cases[] = {{1, 40000, 1, 65535}, {2, 9000, 1, 65000}, {60000, 1, 59999, 1}, {65535, 1, 40001, 2},
                 {100000, 1, 99999, 1}, {1, 70000, 2, 3}};
    for (const auto& c : cases) {
        Buf src(static_cast<size_t>(c.w) * c.h * 4);
        RandomFill(src.data(), src.size(), rng);
        EXPECT_EQ(Resampled(src, c.w, c.h, c.w2, c.h2), RefResample(src, c.w, c.h, c.w2, c.h2))
            << c.w << "x" << c.h << " -> " << c.w2 << "x" << c.h2;
    }
}

INSTANTIATE_TEST_SUITE_P(Kernels, ResampleDiff, ::testing::ValuesIn(Paths()),
                         [](const ::testing::TestParamInfo<const pix::RowKernels*>& i) {
                             return std::string(i.param->name);
                         });

TEST(Resample, SameSizeOrBadSizeLeavesTheBufferAlone)
{
    std::mt19937 rng(1);
    CBmp b = RandomBmp(5, 4, rng);
    const uint8_t* before = b.Bits();
    const Buf bytes = Bytes(b);
    EXPECT_TRUE(b.Resample(5, 4));
    EXPECT_TRUE(b.Resample(0, 3));
    EXPECT_TRUE(b.Resample(3, -1));
    EXPECT_EQ(b.Bits(), before);
    EXPECT_EQ(Bytes(b), bytes);
}

TEST(Resample, OneRowEnlargedToThreeCopiesTheRow)
{
    std::mt19937 rng(2);
    CBmp b = RandomBmp(7, 1, rng);
    const Buf row = Bytes(b);
    ASSERT_TRUE(b.Resample(7, 3));
    for (int y = 0; y < 3; ++y)
        EXPECT_TRUE(std::equal(row.begin(), row.end(), b.Bits() + y * 28)) << y;
}

TEST(Resample, HorizontalEnlargeDarkensByAtMostOneLevel)
{
    CBmp b = SolidBmp(2, 1, Px(200, 100, 1, 255));
    ASSERT_TRUE(b.Resample(5, 1));
    for (int x = 0; x < 5; ++x)
        EXPECT_EQ(b.Pixel(x, 0), Px(199, 99, 0, 254)) << x;
}

TEST(Resample, KeepsOffsetsFlagsAndUpdatesSize)
{
    std::mt19937 rng(3);
    CBmp b = RandomBmp(6, 4, rng);
    b.offsetX = 3;
    b.offsetY = -2;
    b.SetHasAlpha(true);
    ASSERT_TRUE(b.Resample(2, 9));
    EXPECT_EQ(b.Width(), 2);
    EXPECT_EQ(b.Height(), 9);
    EXPECT_EQ(b.ByteSize(), 72);
    EXPECT_EQ(b.offsetX, 3);
    EXPECT_EQ(b.offsetY, -2);
    EXPECT_TRUE(b.HasAlpha());
}

TEST(Resample, TargetTooLargeToAllocateLeavesTheImageUnchanged)
{
    std::mt19937 rng(4);
    CBmp b = RandomBmp(3, 3, rng);
    const Buf bytes = Bytes(b);
    EXPECT_FALSE(b.Resample(60000, 60000));
    EXPECT_EQ(b.Width(), 3);
    EXPECT_EQ(Bytes(b), bytes);
}

}  // namespace
