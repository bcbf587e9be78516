// Captions in the shown picture, and the photos of this day: what the worker
// draws, what the album's settings make the caption say, and the order that
// shows this day's photos first.

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "FakeAlbum.h"
#include "ShowTest.h"
#include "album/OnThisDay.h"
#include "album/WppProfile.h"
#include "slideshow/AlbumSlides.h"
#include "slideshow/CaptionText.h"
#include "slideshow/SlideJob.h"
#include "slideshow/SlideWnd.h"
#include "tests/album/ThumbnailKit.h"
#include "tests/settings/RegistryTest.h"

namespace {

const wchar_t kDate[] = L"Thursday, 4 July 2019";

CBmp Slide(const std::wstring& path, const std::wstring& caption, bool fullscreen)
{
    SlideResult result;
    result.job.path = path;
    result.job.maxW = 400;
    result.job.maxH = 300;
    result.job.fullscreen = fullscreen;
    result.job.areaW = 600;
    result.job.areaH = 400;
    result.job.caption = caption;
    MakeSlide(DecodeSlideHere, result);
    EXPECT_EQ(SlideOutcome::Ready, result.outcome);
    return std::move(result.photo);
}

// Pixels that differ inside `r` and outside it.
std::pair<int, int> Changed(const CBmp& a, const CBmp& b, const RECT& r)
{
    std::pair<int, int> n{0, 0};
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.Pixel(x, y) != b.Pixel(x, y))
                ++(PtInRect(&r, POINT{x, y}) ? n.first : n.second);
    return n;
}

TEST(SlideCaption, DrawnIntoTheLowerLeftOfThePhotoOnly)
{
    TempFolder folder;
    const std::wstring dark = folder.Path() + L"\\dark.bmp";
    ASSERT_TRUE(WriteBmp(dark, 400, 300, RGB(30, 30, 40)));
    const CBmp plain = Slide(dark, L"", false);
    const CBmp captioned = Slide(dark, kDate, false);
    ASSERT_EQ(400, captioned.Width());
    const std::pair<int, int> n = Changed(plain, captioned, {0, 240, 300, 300});
    EXPECT_GT(n.first, 200) << "no caption in the lower left";
    EXPECT_EQ(0, n.second) << "the caption reached beyond the lower left";

    // Fullscreen: stretched over the work area, and only on the side the
    // presentation keeps opaque.
    const CBmp wide = Slide(dark, L"", true);
    const CBmp wideCaptioned = Slide(dark, std::wstring(200, L'W').c_str(), true);
    ASSERT_EQ(600, wideCaptioned.Width());
    const std::pair<int, int> f = Changed(wide, wideCaptioned, {0, 0, 150, 400});
    EXPECT_GT(f.first, 200);
    EXPECT_EQ(0, f.second) << "the caption reached the transparent middle";
}

// Dates by file name ("2023-12-09 ..."), as a thumbnail worker reads them.
ThumbOutcome DatedThumbnail(ThumbJob& job, CBmp& out)
{
    const size_t at = job.path.find_last_of(L'\\') + 1;
    std::string text(job.path.begin() + static_cast<std::ptrdiff_t>(at), job.path.end());
    text = text.substr(0, 10) + " 12:00:00";
    if (text.size() > 4)
        text[4] = text[7] = ':';
    job.taken = ParseExifDate(text.data(), text.size());
    out.Create(4, 4);
    out.Fill(0xFF808080u);
    return ThumbOutcome::Made;
}

class OnThisDay : public RegistryTest {
protected:
    void SetUp() override
    {
        RegistryTest::SetUp();
        const CalendarDay today{2026, 12, 9};
        SetTodayForTest(&today);
        for (const wchar_t* name : {L"2020-06-01 lake.jpg", L"2023-12-09 snow.jpg", L"no date.jpg",
                                    L"2025-12-12 party.jpg", L"2026-12-09 today.jpg", L"2021-12-05 fog.jpg"}) {
            m_paths.push_back(std::wstring(L"C:\\Photos\\Winter\\") + name);
            m_album->AddPhoto(tstr(m_paths.back()));
        }
        m_album->OnThisDay().SetValue(1);
        m_album->MakeThumbnails();
        ASSERT_TRUE(PumpUntilDone(*m_thumbnails)) << "the dates did not come";
    }
    void TearDown() override
    {
        SetTodayForTest(nullptr);
        RegistryTest::TearDown();
    }
    std::wstring Caption(int index) const { return m_slides.CaptionFor(tstr(m_paths[static_cast<size_t>(index)])); }

    std::shared_ptr<CThumbnails> m_thumbnails = CThumbnails::Shared(DatedThumbnail);
    std::unique_ptr<CWppProfile> m_album{CWppProfile::NewAlbumObject(L"Days")};
    CAlbumSlides m_slides{*m_album, nullptr};
    std::vector<std::wstring> m_paths;
};

TEST_F(OnThisDay, PhotosOfThisDayComeFirstInOrderAndInEveryRound)
{
    // 1 (three years ago) and 3 (a year ago, three days off) are of this day.
    std::vector<int> walk;
    for (int at = 5; walk.size() < 7;)
        walk.push_back(at = m_slides.NextToShow(at));
    EXPECT_EQ((std::vector<int>{1, 3, 0, 2, 4, 5, 1}), walk);
    m_album->OnThisDay().SetValue(0);
    EXPECT_EQ(0, m_slides.NextToShow(5));
    EXPECT_EQ(1, m_slides.NextToShow(0));

    m_album->OnThisDay().SetValue(1);
    m_album->Shuffle().SetValue(1);
    for (int round = 0; round < 4; ++round) {
        std::set<int> first, all;
        for (int turn = 0; turn < 6; ++turn) {
            const int at = m_slides.NextToShow(0);
            if (turn < 2)
                first.insert(at);
            all.insert(at);
            m_slides.PhotoShown(at);
        }
        EXPECT_EQ((std::set<int>{1, 3}), first) << "round " << round;
        EXPECT_EQ(6u, all.size()) << "round " << round;
    }
}

TEST_F(OnThisDay, CaptionSaysHowLongAgoAndNothingWithoutCaptionOrDate)
{
    EXPECT_EQ(L"", Caption(1)) << "\"Caption\" 0 shows none";
    m_album->Caption().SetValue(static_cast<int>(CaptionKind::kFileName));
    EXPECT_EQ(L"3 years ago today \x2014 2023-12-09 snow.jpg", Caption(1));
    EXPECT_EQ(L"1 year ago today \x2014 2025-12-12 party.jpg", Caption(3));
    EXPECT_EQ(L"2026-12-09 today.jpg", Caption(4));
    m_album->Caption().SetValue(static_cast<int>(CaptionKind::kDate));
    EXPECT_EQ(L"", Caption(2)) << "a photo without a date has no date caption";
    EXPECT_NE(std::wstring::npos, Caption(1).find(L"2023"));
    m_album->OnThisDay().SetValue(0);
    EXPECT_EQ(std::wstring::npos, Caption(1).find(L"ago"));
}

// The frame as the user sees it, on a dark and a light photo.
class CaptionOnScreen : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(CSlideWnd::RegisterClasses()); }
    void TearDown() override { show.Stop(); }

    // The brightest and darkest red in the lower left of the frame, as shot.
    std::pair<int, int> Shot(const std::wstring& name, COLORREF colour)
    {
        const std::wstring path = folder.Path() + L"\\" + name + L".bmp";
        EXPECT_TRUE(WriteBmp(path, 480, 360, colour));
        album.paths = {path.c_str()};
        album.caption = kDate;
        album.settings.sizeX = 480;
        album.settings.sizeY = 360;
        album.settings.sliderVis = 100;
        show.SetAlbum(&album);
        MovePointer(0, 0);
        EXPECT_TRUE(show.Start());
        CBmp shot;
        EXPECT_TRUE(Screenshot(show, name, shot));
        RECT frame{};
        GetWindowRect(show.Hwnd(), &frame);
        Keep(name);
        std::pair<int, int> range{0, 255};
        for (int y = frame.bottom - 40; y < frame.bottom; ++y)
            for (int x = frame.left; x < frame.left + 200; ++x) {
                range.first = std::max(range.first, At(shot, x, y).r);
                range.second = std::min(range.second, At(shot, x, y).r);
            }
        show.Stop();
        return range;
    }

    // Another shot into the folder LUMORA_KEEP_SHOTS names, to be looked at.
    static void Keep(const std::wstring& name)
    {
        wchar_t keep[MAX_PATH] = L"", display[64] = L"";
        if (!GetEnvironmentVariableW(L"LUMORA_KEEP_SHOTS", keep, MAX_PATH))
            return;
        GetEnvironmentVariableW(L"DISPLAY", display, 64);
        const std::wstring png = std::wstring(keep) + L"/" + name + L".png";
        unixside::Start(L"/bin/sh", L"-c \"import -window root -display " + std::wstring(display) + L" " + png + L"\"");
        EXPECT_TRUE(unixside::AwaitPath(unixside::DosPath(png), true));
    }

    TempFolder folder;
    CFakeAlbum album;
    CSlideWnd show;
};

TEST_F(CaptionOnScreen, ReadsOnDarkAndLightPhotos)
{
    EXPECT_GT(Shot(L"caption_dark", RGB(25, 30, 45)).first, 200) << "no light text on the dark photo";
    EXPECT_LT(Shot(L"caption_light", RGB(235, 230, 215)).second, 150) << "no shadow on the light photo";
}

}  // namespace
