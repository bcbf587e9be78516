// Captions drawn into a presented photo: where they land and what they leave alone.
#include "picture/Caption.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

CBmp Filled(int w, int h, uint32_t bgra)
{
    CBmp b;
    b.Create(w, h);
    b.Fill(bgra);
    return b;
}

// Pixels of `after` that differ from `before` inside and outside `r`.
struct Changes {
    int inside = 0, outside = 0;
    RECT bounds = {100000, 100000, -1, -1};
};

Changes Compare(const CBmp& before, const CBmp& after, const RECT& r)
{
    Changes c;
    for (int y = 0; y < before.Height(); ++y)
        for (int x = 0; x < before.Width(); ++x) {
            if (before.Pixel(x, y) == after.Pixel(x, y))
                continue;
            const POINT pt = {x, y};
            ++(PtInRect(&r, pt) ? c.inside : c.outside);
            c.bounds = {std::min<LONG>(c.bounds.left, x), std::min<LONG>(c.bounds.top, y),
                        std::max<LONG>(c.bounds.right, x), std::max<LONG>(c.bounds.bottom, y)};
        }
    return c;
}

TEST(Caption, HeightFollowsTheFrameWithNinePointsAtLeast)
{
    EXPECT_EQ(CaptionHeight(300, 96), 15);
    EXPECT_EQ(CaptionHeight(100, 96), 12);
    EXPECT_EQ(CaptionHeight(100, 192), 24);
    EXPECT_EQ(CaptionHeight(1080, 96), 54);
}

TEST(Caption, LightTextInTheLowerLeftOfADarkPhoto)
{
    const CBmp dark = Filled(400, 300, 0xFF202020);
    CBmp shown(dark);
    const RECT all = {0, 0, 400, 300};
    ASSERT_TRUE(DrawCaption(shown, all, L"4 July 2019", 300, 96));
    const Changes c = Compare(dark, shown, all);
    ASSERT_GT(c.inside, 100) << "no caption drawn";
    EXPECT_GE(c.bounds.left, 0);
    EXPECT_LT(c.bounds.right, 200) << "a short caption stays on the left";
    EXPECT_GT(c.bounds.top, 240) << "the caption stays in the lower part";
    uint32_t brightest = 0;
    for (int y = c.bounds.top; y <= c.bounds.bottom; ++y)
        for (int x = c.bounds.left; x <= c.bounds.right; ++x)
            brightest = std::max(brightest, shown.Pixel(x, y) & 0xFF);
    EXPECT_GT(brightest, 0xC0u) << "the text is not light";
}

TEST(Caption, ShadowDarkensALightPhoto)
{
    const CBmp light = Filled(400, 300, 0xFFF0F0F0);
    CBmp shown(light);
    ASSERT_TRUE(DrawCaption(shown, {0, 0, 400, 300}, L"Lake shore", 300, 96));
    uint32_t darkest = 0xFF;
    for (int y = 200; y < 300; ++y)
        for (int x = 0; x < 200; ++x)
            darkest = std::min(darkest, shown.Pixel(x, y) & 0xFF);
    EXPECT_LT(darkest, 0xA0u) << "no shadow around the text";
}

TEST(Caption, StaysOnThePhotoOfAFullscreenFrame)
{
    // A fullscreen frame: the photo in the middle, transparent edges around it.
    const CBmp frame = Filled(600, 400, 0x00000000);
    CBmp shown(frame);
    const RECT photo = {100, 50, 500, 350};
    const std::wstring longText(300, L'W');
    ASSERT_TRUE(DrawCaption(shown, photo, longText.c_str(), 400, 96));
    const Changes c = Compare(frame, shown, photo);
    EXPECT_GT(c.inside, 100);
    EXPECT_EQ(c.outside, 0) << "the caption reached the transparent edge";
    EXPECT_EQ(shown.Pixel(99, 340), 0u);
}

TEST(Caption, NothingForAnEmptyTextOrATinyPhoto)
{
    const CBmp dark = Filled(400, 300, 0xFF202020);
    CBmp shown(dark);
    EXPECT_FALSE(DrawCaption(shown, {0, 0, 400, 300}, L"", 300, 96));
    EXPECT_FALSE(DrawCaption(shown, {0, 0, 400, 300}, nullptr, 300, 96));
    EXPECT_FALSE(DrawCaption(shown, {0, 0, 20, 20}, L"2019", 300, 96));
    EXPECT_FALSE(DrawCaption(shown, {500, 0, 900, 300}, L"2019", 300, 96));
    EXPECT_EQ(Compare(dark, shown, {0, 0, 400, 300}).inside, 0);
}

}  // namespace
