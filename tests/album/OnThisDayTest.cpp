// Which photos are of this day, and the order and rounds that show them first.

#include <gtest/gtest.h>

#include <unordered_set>
#include <vector>

#include "album/OnThisDay.h"
#include "album/ShuffleRound.h"

namespace {

ExifDate Taken(int year, int month, int day)
{
    ExifDate d;
    d.year = year;
    d.month = month;
    d.day = day;
    return d;
}

TEST(OnThisDay, WithinThreeDaysInEarlierYearsAcrossTheTurnOfTheYear)
{
    const CalendarDay may10{2026, 5, 10};
    EXPECT_EQ(3, YearsAgoOnThisDay(Taken(2023, 5, 10), may10));
    EXPECT_EQ(10, YearsAgoOnThisDay(Taken(2016, 5, 7), may10));
    EXPECT_EQ(1, YearsAgoOnThisDay(Taken(2025, 5, 13), may10));
    EXPECT_EQ(0, YearsAgoOnThisDay(Taken(2025, 5, 14), may10));
    EXPECT_EQ(0, YearsAgoOnThisDay(Taken(2026, 5, 10), may10)) << "taken this year";
    EXPECT_EQ(0, YearsAgoOnThisDay(Taken(2027, 5, 10), may10)) << "a camera clock ahead";
    EXPECT_EQ(0, YearsAgoOnThisDay(ExifDate(), may10));

    EXPECT_EQ(5, YearsAgoOnThisDay(Taken(2022, 1, 1), {2026, 12, 30}));
    EXPECT_EQ(2, YearsAgoOnThisDay(Taken(2023, 12, 30), {2026, 1, 2}));
    EXPECT_EQ(0, YearsAgoOnThisDay(Taken(2025, 12, 31), {2026, 1, 2})) << "two days ago is no earlier year";
    EXPECT_EQ(2, YearsAgoOnThisDay(Taken(2024, 2, 29), {2026, 3, 2})) << "29 February kept on the 28th";
    EXPECT_EQ(2, YearsAgoOnThisDay(Taken(2024, 3, 1), {2026, 2, 26}));
}

TEST(OnThisDay, PreferredFirstThenTheRestInAlbumOrder)
{
    const std::vector<bool> preferred = {false, true, false, false, true};
    const auto at = [&](int i) { return static_cast<bool>(preferred[static_cast<size_t>(i)]); };
    std::vector<int> walk;
    for (int i = -1; walk.size() < 6;)
        walk.push_back(i = NextPreferringFirst(i, 5, at));
    EXPECT_EQ((std::vector<int>{1, 4, 0, 2, 3, 1}), walk);
    const auto none = [](int) { return false; };
    EXPECT_EQ(0, NextPreferringFirst(2, 3, none));
    EXPECT_EQ(0, NextPreferringFirst(-1, 3, none));
    EXPECT_EQ(-1, NextPreferringFirst(0, 0, none));
    const auto all = [](int) { return true; };
    EXPECT_EQ(2, NextPreferringFirst(1, 3, all));
    EXPECT_EQ(0, NextPreferringFirst(2, 3, all));
}

TEST(OnThisDay, RoundsBeginWithThePreferredAndStillShowEveryPhotoOnce)
{
    std::vector<uint64_t> photos;
    for (uint64_t k = 0; k < 30; ++k) photos.push_back(5000 + k * 7919);
    CShuffleRound round(9);
    const int shown = round.Next(photos);
    round.Shown(photos[static_cast<size_t>(shown)]);
    // Learned in the middle of a round: they come next.
    const uint64_t a = photos[static_cast<size_t>((shown + 7) % 30)];
    const uint64_t b = photos[static_cast<size_t>((shown + 21) % 30)];
    round.PreferFirst({a, b});
    for (int r = 0; r < 3; ++r) {
        std::unordered_set<uint64_t> firstTwo, all;
        const size_t turns = r == 0 ? photos.size() - 1 : photos.size();
        for (size_t t = 0; t < turns; ++t) {
            const uint64_t next = photos[static_cast<size_t>(round.Next(photos))];
            if (t < 2) firstTwo.insert(next);
            all.insert(next);
            round.Shown(next);
        }
        EXPECT_EQ((std::unordered_set<uint64_t>{a, b}), firstTwo) << "round " << r;
        EXPECT_EQ(turns, all.size()) << "round " << r;
    }
}

}  // namespace
