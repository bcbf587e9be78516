// Arithmetic of the show: stepping, opacity, placement, strip cells.

#include <gtest/gtest.h>

#include <vector>

#include "slideshow/SlideMath.h"

TEST(StepIndex, WrapsAtBothEnds)
{
    EXPECT_EQ(0, StepIndex(2, +1, 3));   // last -> first
    EXPECT_EQ(2, StepIndex(0, -1, 3));   // first -> last
    EXPECT_EQ(2, StepIndex(0, -7, 3));
    EXPECT_EQ(0, StepIndex(1, +5, 3));   // forward overshoot restarts at 0
    EXPECT_EQ(1, StepIndex(0, +1, 3));
}

TEST(StepIndex, EmptyAlbumHasNoIndex)
{
    EXPECT_EQ(-1, StepIndex(0, +1, 0));
    EXPECT_EQ(-1, IndexInRange(4, 0));
}

TEST(StepIndex, StaleIndexIsBroughtIntoRange)
{
    EXPECT_EQ(0, IndexInRange(7, 3));     // photos deleted behind the index
    EXPECT_EQ(2, IndexInRange(-1, 3));
    EXPECT_EQ(1, IndexInRange(1, 3));
    // No 32-bit overflow on the way.
    EXPECT_EQ(0, StepIndex(2147483647, 1, 3));
    EXPECT_EQ(0, StepIndex(-2147483647 - 1, -1, 3));
}

TEST(SlideOpacity, PercentToAlphaTruncates)
{
    EXPECT_EQ(204, AlphaFromPercent(80));
    EXPECT_EQ(127, AlphaFromPercent(50));
    EXPECT_EQ(25, AlphaFromPercent(10));
    EXPECT_EQ(255, AlphaFromPercent(100));
}

TEST(SlideTimer, ZeroTimeoutStillTicksEveryMinute)
{
    EXPECT_EQ(60000u, SwitchPeriodMs(0));
    EXPECT_EQ(300000u, SwitchPeriodMs(5));
    EXPECT_EQ(3600000u, SwitchPeriodMs(60));
}

TEST(Placement, TableOnWorkArea)
{
    const SlideRect area{0, 40, 1920, 1080};
    SlidePoint p = PlaceOnArea(0, 0, 30, 20, 480, 320, area);
    EXPECT_EQ(30, p.x);
    EXPECT_EQ(60, p.y);
    p = PlaceOnArea(2, 2, 30, 20, 480, 320, area);
    EXPECT_EQ(1410, p.x);
    EXPECT_EQ(740, p.y);
    p = PlaceOnArea(1, 1, 0, 0, 480, 320, area);
    EXPECT_EQ(720, p.x);
    EXPECT_EQ(400, p.y);
    p = PlaceOnArea(1, 1, -10, 15, 480, 320, area);   // from the centre
    EXPECT_EQ(710, p.x);
    EXPECT_EQ(415, p.y);
}

TEST(Placement, UnknownCodeGoesToScreenOrigin)
{
    const SlideRect area{100, 40, 1920, 1080};
    const SlidePoint p = PlaceOnArea(-1, 7, 30, 20, 480, 320, area);
    EXPECT_EQ(0, p.x);
    EXPECT_EQ(0, p.y);
}

TEST(Placement, DropInRightLowerThirdsStoresDistancesToThoseEdges)
{
    const SlideRect area{0, 40, 1920, 1080};
    const SlidePlacement p = PlacementFromRect({1400, 700, 1800, 1000}, area, {0, 0});
    EXPECT_EQ(2, p.codeX);
    EXPECT_EQ(2, p.codeY);
    EXPECT_EQ(120, p.marginX);
    EXPECT_EQ(80, p.marginY);
}

TEST(Placement, StoredPlacementPutsTheWindowBackWhereItWasDropped)
{
    const SlideRect area{0, 40, 1280, 800};
    const int lefts[] = {10, 500, 1000};
    const int tops[] = {60, 300, 600};
    for (int left : lefts)
        for (int top : tops) {
            const SlideRect dropped{left, top, left + 240, top + 160};
            const SlidePlacement p = PlacementFromRect(dropped, area, {0, 0});
            const SlidePoint back = PlaceOnArea(p.codeX, p.codeY, p.marginX, p.marginY, 240, 160, area);
            EXPECT_EQ(left, back.x) << left << "," << top;
            EXPECT_EQ(top, back.y) << left << "," << top;
        }
}

// A monitor right of the primary: its thirds start at its own left edge.
TEST(Placement, DropOnASecondMonitorCountsItsOwnThirds)
{
    const SlideRect area{1920, 0, 3200, 994};
    const SlidePlacement left = PlacementFromRect({1950, 100, 2190, 260}, area, {1920, 0});
    EXPECT_EQ(0, left.codeX);
    EXPECT_EQ(30, left.marginX);
    const SlidePlacement right = PlacementFromRect({2900, 800, 3140, 960}, area, {1920, 0});
    EXPECT_EQ(2, right.codeX);
    EXPECT_EQ(2, right.codeY);
    EXPECT_EQ(60, right.marginX);
    EXPECT_EQ(34, right.marginY);
    const SlidePoint back = PlaceOnArea(2, 2, right.marginX, right.marginY, 240, 160, area);
    EXPECT_EQ(2900, back.x);
    EXPECT_EQ(800, back.y);
}

TEST(Placement, StripUnderTheWindow)
{
    EXPECT_EQ(100, StripLeft(0, 100, 580, 320));
    EXPECT_EQ(100, StripLeft(-1, 100, 580, 320));
    EXPECT_EQ(180, StripLeft(1, 100, 580, 320));   // centred
    EXPECT_EQ(260, StripLeft(2, 100, 580, 320));
}

namespace {
std::vector<int> FadeSequence(int from, int to, int step)
{
    std::vector<int> applied{from};
    for (int a = from; a != to;) {
        a = NextFadeAlpha(a, to, step);
        applied.push_back(a);
    }
    return applied;
}
}  // namespace

TEST(FadeStep, EndsExactlyOnTheTarget)
{
    EXPECT_EQ((std::vector<int>{0, 25, 50, 75, 100, 125, 150, 175, 200, 225, 250, 255}),
              FadeSequence(0, 255, 25));
    EXPECT_EQ((std::vector<int>{204, 184, 164, 144, 127}), FadeSequence(204, 127, 20));
    EXPECT_EQ((std::vector<int>{5, 4, 3, 2, 1, 0}), FadeSequence(5, 0, 0));   // a zero step still arrives
}

TEST(LentaCells, SixCellsFirstHalfOutside)
{
    const LentaLayout l = LayOutLenta(320, 64, 0);
    EXPECT_EQ(6, l.count);
    EXPECT_EQ(3, l.half);
    EXPECT_EQ(-64, l.firstX);
    EXPECT_EQ(128, l.centreX);
    EXPECT_EQ(-64 + 52, LayOutLenta(320, 64, 52).firstX);
}

TEST(LentaCells, ClickCountsCellsFromTheCentre)
{
    EXPECT_EQ(0, LentaCellsFromCentre(128, 320, 64));
    EXPECT_EQ(0, LentaCellsFromCentre(191, 320, 64));
    EXPECT_EQ(1, LentaCellsFromCentre(192, 320, 64));
    EXPECT_EQ(-1, LentaCellsFromCentre(127, 320, 64));
    // The left edge pixel of a cell belongs to that cell.
    EXPECT_EQ(-1, LentaCellsFromCentre(64, 320, 64));
    EXPECT_EQ(-2, LentaCellsFromCentre(63, 320, 64));
    EXPECT_EQ(2, LentaCellsFromCentre(319, 320, 64));
}

TEST(LentaCells, AlbumShorterThanTheStripRepeats)
{
    std::vector<int> shown;
    for (int k = 0; k < 6; ++k)
        shown.push_back(LentaPhoto(0, 3, k, 2));
    EXPECT_EQ((std::vector<int>{1, 0, 1, 0, 1, 0}), shown);
    shown.clear();
    for (int k = 0; k < 6; ++k)
        shown.push_back(LentaPhoto(1, 3, k, 3));
    EXPECT_EQ((std::vector<int>{1, 2, 0, 1, 2, 0}), shown);
    EXPECT_EQ(0, LentaPhoto(0, 3, 3, 1));
    EXPECT_EQ(0, LentaPhoto(9, 3, 3, 4));   // stale index
    EXPECT_EQ(-1, LentaPhoto(0, 3, 3, 0));
}

TEST(LentaSlide, OffsetsOfOneCell)
{
    LentaSlide s;
    s.Start(1);
    std::vector<int> offsets{s.offset};
    while (s.Tick())
        offsets.push_back(s.offset);
    offsets.push_back(s.offset);
    EXPECT_EQ((std::vector<int>{64, 52, 41, 31, 22, 14, 7, 1, 0}), offsets);
    EXPECT_EQ(0, s.speed);
}

TEST(LentaSlide, BackwardsComesToRestToo)
{
    LentaSlide s;
    s.Start(-2);
    EXPECT_EQ(-128, s.offset);
    int ticks = 0;
    while (s.Tick())
        ++ticks;
    EXPECT_EQ(0, s.offset);
    EXPECT_LT(ticks, 30);
}
