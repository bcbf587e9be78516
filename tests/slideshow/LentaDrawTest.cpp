// The strip's picture, composed in memory.

#include <gtest/gtest.h>

#include "FakeAlbum.h"
#include "slideshow/LentaDraw.h"
#include "picture/PixView.h"

namespace {
const uint32_t kBack = 0xFF000000u;   // black window text colour

uint32_t At(const CPixView& v, int x, int y)
{
    const uint8_t* p = v.Bits() + (static_cast<size_t>(y) * v.Width() + x) * 4;
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}

CFakeAlbum ThreeColours()
{
    CFakeAlbum album;
    album.paths = {L"a", L"b", L"c"};
    album.thumbColours = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu};   // red, green, blue
    return album;
}
}  // namespace

TEST(LentaDraw, CurrentPhotoInTheFramedCentreCell)
{
    CFakeAlbum album = ThreeColours();
    album.index = 1;
    CPixView view;
    ASSERT_TRUE(view.Create(320, 64));
    DrawLenta(view, &album, 64, 0, kBack);

    // Centre cell 128..191; the 64 x 32 thumbnail sits at rows 16..47.
    EXPECT_EQ(0xFF00FF00u, At(view, 160, 32));
    EXPECT_EQ(0xFF0000FFu, At(view, 224, 32));   // next photo to the right
    EXPECT_EQ(0xFFFF0000u, At(view, 96, 32));    // previous to the left
    EXPECT_EQ(0xFFFF0000u, At(view, 288, 32));   // and again after the last (wrap)
    // Background above the thumbnail, inverted inside the frame bars.
    EXPECT_EQ(kBack, At(view, 100, 5));
    EXPECT_EQ(0xFFFFFFFFu, At(view, 128, 5));    // left bar
    EXPECT_EQ(0xFFFFFFFFu, At(view, 160, 1));    // top bar
    EXPECT_EQ(0xFFFF00FFu, At(view, 189, 40));   // right bar over the thumbnail: inverted green
    EXPECT_EQ(0xFF00FF00u, At(view, 188, 40));
    EXPECT_EQ(0xFFFFFFFFu, At(view, 160, 62));   // bottom bar
    EXPECT_EQ(kBack, At(view, 160, 60));
}

TEST(LentaDraw, SlideOffsetMovesTheThumbnails)
{
    CFakeAlbum album = ThreeColours();
    CPixView view;
    ASSERT_TRUE(view.Create(320, 64));
    DrawLenta(view, &album, 64, 52, kBack);
    // Photo 0 now spans 180..243.
    EXPECT_EQ(0xFFFF0000u, At(view, 200, 32));
    EXPECT_EQ(0xFFFF0000u, At(view, 240, 32));
}

// With no photos the strip draws only its background and frame.
TEST(LentaDraw, EmptyAlbumDrawsBackgroundAndFrame)
{
    CFakeAlbum album;
    album.index = 5;
    CPixView view;
    ASSERT_TRUE(view.Create(320, 64));
    DrawLenta(view, &album, 64, 0, kBack);
    DrawLenta(view, nullptr, 64, 0, kBack);
    EXPECT_EQ(0, album.thumbRequests);
    EXPECT_EQ(kBack, At(view, 160, 32));
    EXPECT_EQ(0xFFFFFFFFu, At(view, 129, 32));
}

// At 192 DPI the cells and the centre frame are twice as wide.
TEST(LentaDraw, FrameWidthFollowsTheDpi)
{
    CPixView view;
    ASSERT_TRUE(view.Create(640, 128));
    DrawLenta(view, nullptr, 128, 0, kBack, 6);
    // Centre cell from (640 - 128) / 2 = 256.
    EXPECT_EQ(0xFFFFFFFFu, At(view, 261, 64));
    EXPECT_EQ(kBack, At(view, 262, 64));
    EXPECT_EQ(0xFFFFFFFFu, At(view, 320, 122));
    EXPECT_EQ(kBack, At(view, 320, 121));
}

// An index left past the end by deleted photos is brought into range.
TEST(LentaDraw, StaleIndexNeverReadsPastTheList)
{
    CFakeAlbum album = ThreeColours();
    album.index = 10;
    CPixView view;
    ASSERT_TRUE(view.Create(320, 64));
    DrawLenta(view, &album, 64, 0, kBack);
    EXPECT_EQ(0xFFFF0000u, At(view, 160, 32));
}

// A thumbnail not made yet: the cell shows the placeholder, and the strip
// asks for its cells and their neighbours.
TEST(LentaDraw, MissingThumbnailDrawsThePlaceholder)
{
    CFakeAlbum album;
    album.paths = {L"a", L"b", L"c", L"d", L"e", L"f", L"g", L"h", L"i", L"j"};
    CPixView view;
    ASSERT_TRUE(view.Create(320, 64));
    DrawLenta(view, &album, 64, 0, kBack);
    EXPECT_EQ(0xFFA0A0A0u, At(view, 160, 32));
    EXPECT_EQ(kBack, At(view, 160, 4));   // 64 x 48, centred
    EXPECT_GE(album.thumbRequests, 6 + 2 * kLentaNeighbours);
}
