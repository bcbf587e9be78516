// The random round of a shuffled album, without windows or store.

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "album/ShuffleRound.h"

namespace {

using Keys = std::vector<uint64_t>;

Keys Photos(int count, uint64_t first = 1000)
{
    Keys keys;
    for (int i = 0; i < count; ++i) keys.push_back(first + static_cast<uint64_t>(i) * 7919);
    return keys;
}

// The next `n` photos the timer would show.
Keys Play(CShuffleRound& round, const Keys& photos, size_t n)
{
    Keys shown;
    for (int at; shown.size() < n && (at = round.Next(photos)) >= 0;) {
        round.Shown(photos[static_cast<size_t>(at)]);
        shown.push_back(photos[static_cast<size_t>(at)]);
    }
    return shown;
}

bool SameSet(Keys a, Keys b)
{
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    return a == b;
}

TEST(ShuffleRound, EveryPhotoOncePerRoundInFreshOrdersThatNeverRepeatAcrossTheBoundary)
{
    for (int count : {1, 2, 3, 20}) {
        const Keys photos = Photos(count);
        for (uint32_t seed = 0; seed < 100; ++seed) {
            CShuffleRound round(seed);
            const Keys first = Play(round, photos, photos.size()), second = Play(round, photos, photos.size());
            ASSERT_TRUE(SameSet(photos, first) && SameSet(photos, second)) << count << " " << seed;
            if (count < 2) continue;
            EXPECT_NE(first.back(), second.front()) << count << " " << seed;
            if (count == 20) {
                EXPECT_TRUE(first != second && first != photos) << seed;
            }
        }
    }
    CShuffleRound empty;
    EXPECT_EQ(-1, empty.Next({}));
}

TEST(ShuffleRound, RebuiltFromTheStoredRoundGoesOnInTheSameOrder)
{
    const Keys photos = Photos(15);
    CShuffleRound round(77);
    Keys done = Play(round, photos, 5);
    // A strip click shows a photo out of turn: it joins the round there.
    done.push_back(*std::find_if(photos.begin(), photos.end(), [&](uint64_t p) { return !round.HadTurn(p); }));
    round.Shown(done.back());

    CShuffleRound rebuilt;
    const uint64_t last = round.Last();
    rebuilt.Restore(round.Seed(), done, &last);
    const Keys rest = Play(round, photos, 9);
    EXPECT_EQ(rest, Play(rebuilt, photos, 9));
    done.insert(done.end(), rest.begin(), rest.end());
    EXPECT_TRUE(SameSet(photos, done));
    EXPECT_EQ(Play(round, photos, 15), Play(rebuilt, photos, 15));
}

TEST(ShuffleRound, PhotosAddedJoinTheRestOfTheRoundAndRemovedOnesLeaveIt)
{
    Keys photos = Photos(10);
    CShuffleRound round(5);
    const Keys done = Play(round, photos, 4);
    Keys expected;
    std::copy_if(photos.begin(), photos.end(), std::back_inserter(expected), [&](uint64_t p) { return !round.HadTurn(p); });
    // One shown and one not shown go; three arrive in the middle of the list.
    photos.erase(std::find(photos.begin(), photos.end(), expected.back()));
    photos.erase(std::find(photos.begin(), photos.end(), done.front()));
    expected.pop_back();
    const Keys added = Photos(3, 55);
    photos.insert(photos.begin() + 3, added.begin(), added.end());
    expected.insert(expected.end(), added.begin(), added.end());
    EXPECT_TRUE(SameSet(expected, Play(round, photos, expected.size())));
    EXPECT_TRUE(SameSet(photos, Play(round, photos, photos.size())));
}

}  // namespace

namespace {

TEST(ShuffleRound, FavouritesComeTwiceAsOftenAndSeldomTwiceInARow)
{
    const Keys photos = Photos(12);
    // Photos 2, 5 and 9 are favourites.
    const auto favourite = [](int i) { return i == 2 || i == 5 || i == 9; };
    CShuffleRound round(7);
    std::vector<int> shown(photos.size(), 0);
    int previous = -1;
    int repeats = 0;
    for (int step = 0; step < 1500; ++step) {
        const int at = round.Next(photos, favourite);
        ASSERT_GE(at, 0);
        repeats += at == previous;
        previous = at;
        ++shown[static_cast<size_t>(at)];
        round.Shown(photos[static_cast<size_t>(at)]);
    }
    // 1500 steps are 100 rounds of 15 turns.
    for (int i = 0; i < 12; ++i) EXPECT_EQ(favourite(i) ? 200 : 100, shown[static_cast<size_t>(i)]) << i;
    // Only where a round ends with both turns of one favourite.
    EXPECT_LT(repeats, 15);
}

}  // namespace
