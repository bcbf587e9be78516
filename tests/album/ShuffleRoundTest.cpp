// The random round of a shuffled album, without windows or store.

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "album/ShuffleRound.h"

namespace {

std::vector<uint64_t> Keys(int count, uint64_t first = 1000)
{
    std::vector<uint64_t> keys;
    for (int i = 0; i < count; ++i) keys.push_back(first + static_cast<uint64_t>(i) * 7919);
    return keys;
}

// The next `n` photos the timer would show.
std::vector<uint64_t> Play(CShuffleRound& round, const std::vector<uint64_t>& photos, int n)
{
    std::vector<uint64_t> shown;
    for (int i = 0; i < n; ++i) {
        const int at = round.Next(photos);
        if (at < 0) break;
        round.Shown(photos[static_cast<size_t>(at)]);
        shown.push_back(photos[static_cast<size_t>(at)]);
    }
    return shown;
}

bool SameSet(std::vector<uint64_t> a, std::vector<uint64_t> b)
{
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    return a == b;
}

TEST(ShuffleRound, EveryPhotoOncePerRoundInFreshOrdersThatNeverRepeatAcrossTheBoundary)
{
    const std::vector<uint64_t> photos = Keys(20);
    for (uint32_t seed = 0; seed < 200; ++seed) {
        CShuffleRound round(seed);
        const std::vector<uint64_t> first = Play(round, photos, 20);
        const std::vector<uint64_t> second = Play(round, photos, 20);
        ASSERT_TRUE(SameSet(photos, first)) << seed;
        ASSERT_TRUE(SameSet(photos, second)) << seed;
        EXPECT_NE(first, second) << seed;
        EXPECT_NE(photos, first) << seed;
        EXPECT_NE(first.back(), second.front()) << seed;
    }
    // Two photos: the boundary rule alone decides, and each still comes once per round.
    CShuffleRound pair(3);
    const std::vector<uint64_t> two = Keys(2);
    const std::vector<uint64_t> shown = Play(pair, two, 12);
    for (size_t i = 0; i + 1 < shown.size(); ++i) EXPECT_NE(shown[i], shown[i + 1]) << i;
    for (size_t i = 0; i < shown.size(); i += 2) EXPECT_TRUE(SameSet(two, {shown[i], shown[i + 1]})) << i;
}

TEST(ShuffleRound, NoOneAndSamePathTwiceNeitherFailNorLoop)
{
    CShuffleRound round(9);
    EXPECT_EQ(-1, round.Next({}));
    const std::vector<uint64_t> one = Keys(1);
    for (int i = 0; i < 5; ++i) {
        ASSERT_EQ(0, round.Next(one));
        round.Shown(one[0]);
    }
    // The same file listed twice is one photo: it has one turn per round.
    const std::vector<uint64_t> twice = {5, 6, 5};
    CShuffleRound dup(1);
    EXPECT_TRUE(SameSet({5, 6}, Play(dup, twice, 2)));
}

TEST(ShuffleRound, RebuiltFromTheStoredRoundGoesOnInTheSameOrder)
{
    const std::vector<uint64_t> photos = Keys(15);
    CShuffleRound round(77);
    std::vector<uint64_t> done = Play(round, photos, 5);
    // A strip click shows a photo out of turn: it joins the round there.
    const uint64_t clicked = *std::find_if(photos.begin(), photos.end(), [&](uint64_t p) { return !round.HadTurn(p); });
    round.Shown(clicked);
    done.push_back(clicked);

    CShuffleRound rebuilt;
    const uint64_t last = round.Last();
    rebuilt.Restore(round.Seed(), done, &last);
    const std::vector<uint64_t> rest = Play(round, photos, 9);
    EXPECT_EQ(rest, Play(rebuilt, photos, 9));
    EXPECT_EQ(std::count(rest.begin(), rest.end(), clicked), 0);
    done.insert(done.end(), rest.begin(), rest.end());
    EXPECT_TRUE(SameSet(photos, done));
    // Both begin the same new round, kept off the photo on screen.
    EXPECT_EQ(Play(round, photos, 15), Play(rebuilt, photos, 15));
}

TEST(ShuffleRound, PhotosAddedJoinTheRestOfTheRoundAndRemovedOnesLeaveIt)
{
    std::vector<uint64_t> photos = Keys(10);
    CShuffleRound round(5);
    const std::vector<uint64_t> done = Play(round, photos, 4);
    std::vector<uint64_t> expected;
    for (uint64_t p : photos)
        if (!round.HadTurn(p)) expected.push_back(p);
    // One shown and one not shown go; three arrive, in the middle of the list.
    const uint64_t goneUnshown = expected.back();
    expected.pop_back();
    photos.erase(std::find(photos.begin(), photos.end(), goneUnshown));
    photos.erase(std::find(photos.begin(), photos.end(), done.front()));
    const std::vector<uint64_t> added = Keys(3, 55);
    photos.insert(photos.begin() + 3, added.begin(), added.end());
    expected.insert(expected.end(), added.begin(), added.end());

    const std::vector<uint64_t> rest = Play(round, photos, static_cast<int>(expected.size()));
    EXPECT_TRUE(SameSet(expected, rest));
    // Then a whole new round of the album as it is now.
    EXPECT_TRUE(SameSet(photos, Play(round, photos, static_cast<int>(photos.size()))));
}

}  // namespace
