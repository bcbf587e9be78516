// Which picture sizes may be decoded, and at what JPEG reduction.
#include "picture/PictureLimits.h"

#include <gtest/gtest.h>

namespace {

const uint64_t kPlenty = 1ull << 46;  // a 64-bit process

TEST(Limits, PixelCountAndAddressSpace)
{
    EXPECT_TRUE(DecodeFits(10000, 18000, kPlenty));  // exactly the limit
    EXPECT_FALSE(DecodeFits(10000, 18001, kPlenty));
    EXPECT_FALSE(DecodeFits(30000, 30000, kPlenty));
    EXPECT_FALSE(DecodeFits(0xFFFFFFFFu, 0xFFFFFFFFu, kPlenty));  // the product would not fit 32 bits
    EXPECT_FALSE(DecodeFits(0, 100, kPlenty));
    EXPECT_TRUE(DecodeFits(60000, 1, kPlenty));
    // 12 MP needs 48 MB twice over and the margin.
    EXPECT_TRUE(DecodeFits(4032, 3024, 200ull << 20));
    EXPECT_FALSE(DecodeFits(4032, 3024, 150ull << 20));
    EXPECT_FALSE(DecodeFits(1, 1, 0));
}

TEST(Limits, ReductionsRoundUpLikeTheDecoders)
{
    EXPECT_EQ(ReducedSide(4032, 8), 504u);
    EXPECT_EQ(ReducedSide(1, 8), 1u);
    EXPECT_EQ(ReducedSide(4033, 8), 505u);
    EXPECT_EQ(ReducedSide(0xFFFFFFFFu, 2), 0x80000000u);

    EXPECT_EQ(ReductionWithinLimits(4032, 3024, kPlenty), 1);
    EXPECT_EQ(ReductionWithinLimits(30000, 30000, kPlenty), 4);  // 15000^2 is still too many
    EXPECT_EQ(ReductionWithinLimits(65535, 65535, kPlenty), 8);
    EXPECT_EQ(ReductionWithinLimits(65535, 65535, 100ull << 20), 0);

    // A header without a size leaves the picture to the decoder.
    EXPECT_EQ(ReductionForHeader(0, 0, false, kPlenty), 1);
    EXPECT_EQ(ReductionForHeader(30000, 30000, true, kPlenty), 4);
    EXPECT_EQ(ReductionForHeader(30000, 30000, false, kPlenty), 0);
    EXPECT_EQ(ReductionForHeader(65535, 65535, true, 100ull << 20), 0);

    EXPECT_EQ(ReductionKeeping(4032, 3024, 64, 48, 1), 8);
    EXPECT_EQ(ReductionKeeping(4032, 3024, 1000, 750, 1), 4);
    EXPECT_EQ(ReductionKeeping(4032, 3024, 1920, 1440, 1), 2);
    EXPECT_EQ(ReductionKeeping(4032, 3024, 4032, 3024, 1), 1);
    EXPECT_EQ(ReductionKeeping(4032, 3024, 4032, 3024, 4), 4);  // the limit's reduction is kept
}

// Decodes that look at once share the free space: what one promised, the
// next cannot count on; a decode that cannot wait takes its room anyway.
TEST(Limits, DecodesShareOneBudget)
{
    CDecodeBudget budget;
    const uint64_t free = 300ull << 20;  // a 4032 x 3024 decode takes 93 MB and a 64 MB margin
    {
        const CDecodePromise first(budget, 4032, 3024, free, false);
        const CDecodePromise second(budget, 4032, 3024, free, false);
        const CDecodePromise third(budget, 4032, 3024, free, false);
        const CDecodePromise shown(budget, 4032, 3024, free, true);
        EXPECT_TRUE(first.Kept());
        EXPECT_TRUE(second.Kept());
        EXPECT_FALSE(third.Kept());
        EXPECT_TRUE(shown.Kept());
        EXPECT_EQ(budget.Promised(), 3 * 97542144ull);
    }
    EXPECT_EQ(budget.Promised(), 0u);
    EXPECT_FALSE(CDecodePromise(budget, 0xFFFFFFFFu, 0xFFFFFFFFu, free, true).Kept());
}

}  // namespace
