// Thumbnails in memory: one shared block per file, least recently drawn
// dropped first, unusable photos remembered.

#include <gtest/gtest.h>

#include "picture/ThumbMemory.h"

namespace {

std::shared_ptr<const CBmp> Thumb(int w, int h)
{
    auto bmp = std::make_shared<CBmp>();
    EXPECT_TRUE(bmp->Create(w, h));
    return bmp;
}

const size_t kThumbBytes = 64 * 48 * 4;

TEST(ThumbMemory, LeastRecentlyDrawnGoFirstWithinTheBudget)
{
    CThumbMemory memory(3 * kThumbBytes + 600);
    memory.Put(L"a", Thumb(64, 48));
    memory.Put(L"b", Thumb(64, 48));
    memory.Put(L"c", Thumb(64, 48));
    std::shared_ptr<const CBmp> drawn;
    EXPECT_EQ(CThumbMemory::Known::Usable, memory.Look(L"a", &drawn));  // a is drawn again
    memory.Put(L"d", Thumb(64, 48));
    EXPECT_EQ(CThumbMemory::Known::No, memory.Look(L"b"));
    EXPECT_EQ(CThumbMemory::Known::Usable, memory.Look(L"a"));
    EXPECT_EQ(CThumbMemory::Known::Usable, memory.Look(L"c"));
    EXPECT_LE(memory.Bytes(), 3 * kThumbBytes + 600);
    // A holder keeps its block alive after it left the memory.
    memory.Put(L"e", Thumb(64, 48));
    memory.Put(L"f", Thumb(64, 48));
    EXPECT_EQ(CThumbMemory::Known::No, memory.Look(L"a"));
    EXPECT_EQ(64, drawn->Width());
}

TEST(ThumbMemory, EveryHolderSharesOneBlockAndUnusablePhotosAreRemembered)
{
    CThumbMemory memory(1 << 20);
    memory.Put(L"photo", Thumb(64, 48));
    memory.Put(L"broken", nullptr);
    std::shared_ptr<const CBmp> one, two;
    memory.Look(L"photo", &one);
    memory.Look(L"photo", &two);
    EXPECT_EQ(one.get(), two.get());
    EXPECT_EQ(CThumbMemory::Known::Unusable, memory.Look(L"broken", &one));
    // A file made usable again replaces what was known.
    memory.Put(L"broken", Thumb(10, 10));
    EXPECT_EQ(CThumbMemory::Known::Usable, memory.Look(L"broken"));
    EXPECT_EQ(2u, memory.Count());
}

// Even a thumbnail larger than the whole budget is kept until the next one.
TEST(ThumbMemory, TheLatestStaysEvenOverBudget)
{
    CThumbMemory memory(100);
    memory.Put(L"a", Thumb(64, 48));
    EXPECT_EQ(CThumbMemory::Known::Usable, memory.Look(L"a"));
    memory.Put(L"b", Thumb(64, 48));
    EXPECT_EQ(CThumbMemory::Known::No, memory.Look(L"a"));
    EXPECT_EQ(1u, memory.Count());
}

}  // namespace
