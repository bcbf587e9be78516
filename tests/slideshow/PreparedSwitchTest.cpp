// The photo the next switch shows is made ready on the slide worker: the UI
// thread never waits for a decode. A gate holds the worker's decodes back.

#include <gtest/gtest.h>

#include <atomic>
#include <memory>

#include "FakeAlbum.h"
#include "ShowTest.h"
#include "tests/support/BmpFile.h"
#include "album/WppProfile.h"
#include "slideshow/AlbumSlides.h"
#include "tests/album/ThumbnailKit.h"
#include "picture/DecodeCount.h"
#include "slideshow/SlideWnd.h"

namespace {

struct Gate {
    HANDLE open = CreateEventW(nullptr, TRUE, TRUE, nullptr);
    DWORD uiThread = GetCurrentThreadId();
    std::atomic<int> started{0};
    std::atomic<int> finished{0};
    std::atomic<int> onUi{0};
};

// Kept alive by the decode itself: a worker may finish after its test.
SlideDecode GatedDecode(const std::shared_ptr<Gate>& gate)
{
    return [gate](const SlideJob& job, CBmp& out) {
        ++gate->started;
        gate->onUi += GetCurrentThreadId() == gate->uiThread;
        WaitForSingleObject(gate->open, kWaitMs);
        const bool decoded = DecodeSlideHere(job, out);
        ++gate->finished;
        return decoded;
    };
}

class PreparedSwitch : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(CSlideWnd::RegisterClasses()); }
    void SetUp() override
    {
        red = File(L"red.bmp", 400, 300);
        green = File(L"green.bmp", 300, 400);
        blue = File(L"blue.bmp", 200, 100);
        album.paths = {red.c_str(), green.c_str(), blue.c_str()};
        show.SetAlbum(&album);
        show.SetDecode(GatedDecode(gate));
    }
    void TearDown() override
    {
        SetEvent(gate->open);
        show.Stop();
    }
    std::wstring File(const wchar_t* name, int w, int h)
    {
        const std::wstring path = folder.Path() + L"\\" + name;
        EXPECT_TRUE(WriteBmp(path, w, h, RGB(w % 256, h % 256, 90)));
        return path;
    }
    void StartWithNextReady()
    {
        ASSERT_TRUE(show.Start());
        ASSERT_TRUE(Settled(show));
        ASSERT_TRUE(WaitUntil("the next photo decoded", [&] { return show.NextReady(); }));
    }
    void Switch() { SendMessageW(show.Hwnd(), WM_TIMER, CSlideWnd::kSwitchTimer, 0); }
    SIZE Shown() const { return {show.CurrentImage().Width(), show.CurrentImage().Height()}; }

    std::shared_ptr<Gate> gate = std::make_shared<Gate>();
    TempFolder folder;
    std::wstring red, green, blue;
    CFakeAlbum album;
    CSlideWnd show;
};

}  // namespace

TEST_F(PreparedSwitch, NextPhotoIsShownAtOnceAndAPhotoNotReadyKeepsTheOneOnScreen)
{
    StartWithNextReady();
    EXPECT_EQ(2, gate->started.load());
    ResetEvent(gate->open);
    Switch();   // ready: shown without the worker
    EXPECT_FALSE(show.Switching());
    EXPECT_EQ(green, show.CurrentPath().Str());
    EXPECT_EQ(180, Shown().cx);

    Switch();   // "Next photo" again: its decode is held back
    EXPECT_TRUE(show.Switching());
    EXPECT_EQ(green, show.CurrentPath().Str());
    EXPECT_EQ(1, album.index);
    ASSERT_TRUE(WaitUntil("the held decode of the blue photo", [&] { return gate->started == 3; }));
    EXPECT_EQ(180, Shown().cx);
    SetEvent(gate->open);
    ASSERT_TRUE(Settled(show));
    EXPECT_EQ(blue, show.CurrentPath().Str());
    EXPECT_EQ(2, album.index);
    EXPECT_EQ(0, gate->onUi.load());
}

// One decode per switch: repaints, resizes and the switch itself decode nothing.
TEST_F(PreparedSwitch, EachSwitchDecodesOnePhoto)
{
    show.SetDecode(DecodeSlideHere);
    StartWithNextReady();
    const long before = DecodesOf(static_cast<int>(DecodeKind::kShownFull));
    for (int i = 0; i < 4; ++i) {
        Switch();
        ASSERT_TRUE(Settled(show));
        SetWindowPos(show.Hwnd(), nullptr, 0, 0, 50, 60, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        RedrawWindow(show.Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        ASSERT_TRUE(WaitUntil("the next photo decoded", [&] { return show.NextReady(); }));
    }
    EXPECT_EQ(before + 4, DecodesOf(static_cast<int>(DecodeKind::kShownFull)));
}

// Fault: a photo replaced or deleted after its decode was shown as decoded.
TEST_F(PreparedSwitch, PhotoReplacedOrDeletedAfterItsDecodeIsDecodedAgainOrSkipped)
{
    StartWithNextReady();
    File(L"green.bmp", 200, 100);
    Switch();
    ASSERT_TRUE(Settled(show));
    EXPECT_EQ(green, show.CurrentPath().Str());
    EXPECT_EQ(320, Shown().cx);
    EXPECT_EQ(160, Shown().cy);

    ASSERT_TRUE(WaitUntil("the next photo decoded", [&] { return show.NextReady(); }));
    ASSERT_TRUE(DeleteFileW(blue.c_str()));
    Switch();
    ASSERT_TRUE(Settled(show));
    EXPECT_EQ(red, show.CurrentPath().Str());
    EXPECT_EQ(0, album.index);
}

TEST_F(PreparedSwitch, AlbumEditedWhileItsDecodeIsUnderWayDropsTheResult)
{
    StartWithNextReady();
    ResetEvent(gate->open);
    show.Step(+2);   // blue, not prepared
    ASSERT_TRUE(WaitUntil("the decode under way", [&] { return gate->started.load() == 3; }));
    const std::wstring other = File(L"other.bmp", 100, 100);
    album.paths[2] = other.c_str();
    show.AlbumChanged();
    SetEvent(gate->open);
    ASSERT_TRUE(Settled(show));
    EXPECT_EQ(other, show.CurrentPath().Str());
    EXPECT_EQ(240, Shown().cx);
    EXPECT_EQ(2, album.index);
}

// Fault: photos dropped before the one on screen while the next one was
// decoded sent the switch to whatever then stood at the old index.
TEST_F(PreparedSwitch, PhotosLeavingBeforeTheOneOnScreenLeaveTheSwitchOnItsPhoto)
{
    const std::wstring first = File(L"first.bmp", 100, 100), last = File(L"last.bmp", 100, 100);
    album.paths = {first.c_str(), red.c_str(), green.c_str(), blue.c_str(), last.c_str()};
    album.index = 1;
    StartWithNextReady();
    ResetEvent(gate->open);
    Switch();   // green, ready
    ASSERT_TRUE(WaitUntil("blue's decode under way", [&] { return gate->started.load() == 3; }));
    Switch();   // blue, still held back
    ASSERT_TRUE(show.Switching());
    album.paths = {green.c_str(), blue.c_str(), last.c_str()};
    album.index = 0;
    show.AlbumChanged();
    SetEvent(gate->open);
    ASSERT_TRUE(Settled(show));
    EXPECT_EQ(blue, show.CurrentPath().Str());
    EXPECT_EQ(1, album.index);
}

TEST_F(PreparedSwitch, ResultArrivingAfterTheWindowIsGoneIsFreed)
{
    ResetEvent(gate->open);
    ASSERT_TRUE(show.Start());
    ASSERT_TRUE(WaitUntil("the first decode under way", [&] { return gate->started.load() == 1; }));
    EXPECT_FALSE(IsWindowVisible(show.Hwnd()));   // shown with its photo
    show.Stop();
    SetEvent(gate->open);
    EXPECT_TRUE(WaitUntil("the late result freed",
                          [&] { return gate->finished.load() == 1 && CResultCount::Alive() == 0; }));
}

// Fault: a photo whose thumbnail came from its EXIF block stayed "usable"
// although its picture never decoded, and every round passed over it.
TEST_F(PreparedSwitch, PhotoWithAThumbnailButNoPictureLeavesTheAlbum)
{
    CWppProfile photos;
    for (const std::wstring& path : {red, green}) photos.AddPhoto(tstr(path));
    photos.MakeThumbnails();
    ASSERT_TRUE(PumpUntilDone(photos.Thumbnails()));
    ASSERT_EQ(CThumbnails::Known::Usable, photos.Thumbnails().KnownState(tstr(green)));
    CAlbumSlides slides(photos, nullptr);
    show.SetAlbum(&slides);
    const std::wstring cut = green;
    show.SetDecode([cut](const SlideJob& job, CBmp& out) { return job.path != cut && DecodeSlideHere(job, out); });
    ASSERT_TRUE(show.Start());
    ASSERT_TRUE(Settled(show));
    show.Step(+1);
    ASSERT_TRUE(Settled(show));
    EXPECT_EQ(red, show.CurrentPath().Str());
    photos.DropUnusablePhotos();
    ASSERT_EQ(1u, photos.Photos().size());
    EXPECT_EQ(red, photos.Photos()[0]->GetPath().Str());
}
