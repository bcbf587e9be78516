// One album's settings: placement defaults, photo size limits, clamping of
// stored values, and the stored layout.

#include "tests/album/AlbumTest.h"

namespace {

using AlbumSettings = AlbumTest;

TEST_F(AlbumSettings, UnplacedAlbumGoesRightAndBottomOrLeftWithRightToLeftTaskbar)
{
    auto album = OpenAlbum();
    EXPECT_EQ(2ul, album->PlacementX().GetValue());
    EXPECT_EQ(2ul, album->PlacementY().GetValue());

    CWppProfile::SetTaskbarRtl(true);
    album = OpenAlbum();
    EXPECT_EQ(0ul, album->PlacementX().GetValue());
    EXPECT_EQ(2ul, album->PlacementY().GetValue());

    StoreText(kSlides, L"PlacementX", L"1");
    StoreText(kSlides, L"PlacementY", L"0");
    album = OpenAlbum();
    EXPECT_EQ(1ul, album->PlacementX().GetValue());
    EXPECT_EQ(0ul, album->PlacementY().GetValue());
}

TEST_F(AlbumSettings, PhotoSizeIsScreenQuarterWithinLimits)
{
    EXPECT_EQ(480ul, CWppProfile::PhotoSizeFor(1920));
    EXPECT_EQ(270ul, CWppProfile::PhotoSizeFor(1080));
    EXPECT_EQ(1000ul, CWppProfile::PhotoSizeFor(5120));
    EXPECT_EQ(720ul, CWppProfile::PhotoSizeFor(2880));
    EXPECT_EQ(100ul, CWppProfile::PhotoSizeFor(399));
    EXPECT_EQ(100ul, CWppProfile::PhotoSizeFor(0));   // metrics unavailable

    // On the test display of 1280 x 800.
    ASSERT_EQ(1280, GetSystemMetrics(SM_CXSCREEN));
    ASSERT_EQ(800, GetSystemMetrics(SM_CYSCREEN));
    CWppProfile album;
    EXPECT_EQ(320ul, album.SizeX().GetValue());
    EXPECT_EQ(200ul, album.SizeY().GetValue());
}

TEST_F(AlbumSettings, StoredValuesOutOfRangeAreClamped)
{
    StoreText(kSlides, L"ThumbSize", L"500");
    StoreText(kSlides, L"timeout", L"90");
    StoreText(kSlides, L"SliderVis", L"0");
    StoreText(kSlides, L"SliderVisIn", L"-5");   // unsigned: far above the maximum
    StoreText(kSlides, L"SizeX", L"5000");
    StoreText(kSlides, L"SizeY", L"50");
    auto album = OpenAlbum();
    EXPECT_EQ(150ul, album->ThumbSize().GetValue());
    EXPECT_EQ(60ul, album->Timeout().GetValue());
    EXPECT_EQ(10ul, album->SliderVis().GetValue());
    EXPECT_EQ(100ul, album->SliderVisIn().GetValue());
    EXPECT_EQ(1000ul, album->SizeX().GetValue());
    EXPECT_EQ(100ul, album->SizeY().GetValue());
}

TEST_F(AlbumSettings, ValuesOfWrongTypeStillLoadInRange)
{
    const DWORD number = 500;
    WriteRaw(kSlides.c_str(), L"ThumbSize", REG_DWORD, &number, sizeof number);
    const BYTE odd[3] = {'9', 0, '9'};
    WriteRaw(kSlides.c_str(), L"timeout", REG_BINARY, odd, sizeof odd);
    auto album = OpenAlbum();
    EXPECT_GE(album->ThumbSize().GetValue(), 16ul);
    EXPECT_LE(album->ThumbSize().GetValue(), 150ul);
    EXPECT_LE(album->Timeout().GetValue(), 60ul);
}

TEST_F(AlbumSettings, CleanAccountSavesDefaultAlbumWithoutDefaultedValues)
{
    auto album = OpenAlbum();
    EXPECT_EQ(L"Default", album->GetAlbumName().Str());
    album->Save();
    EXPECT_EQ(L"Default", ReadText(kProfiles, L"Profile"));
    const std::vector<std::wstring> expected = {L"PlacementX", L"PlacementY", L"SizeX",   L"SizeY",
                                                L"SliderVis",  L"SliderVisIn", L"ThumbSize", L"timeout"};
    EXPECT_EQ(expected, ValueNames(kSlides));
    EXPECT_EQ(L"64", ReadText(kSlides, L"ThumbSize"));
    EXPECT_EQ(L"2", ReadText(kSlides, L"PlacementX"));
    EXPECT_EQ(L"5", ReadText(kSlides, L"timeout"));
    EXPECT_TRUE(SubKeys(kSlides).empty());
}

TEST_F(AlbumSettings, MarginsAndFullscreenAreWrittenOnlyAwayFromDefault)
{
    auto album = OpenAlbum();
    album->MarginX().SetValue(31);
    album->Maximized().SetValue(1);
    album->Save();
    EXPECT_EQ(L"31", ReadText(kSlides, L"MarginX"));
    EXPECT_EQ(L"1", ReadText(kSlides, L"Maximized"));
    EXPECT_FALSE(ReadRaw(kSlides.c_str(), L"MarginY").found);

    album->MarginX().SetValue(30);
    album->Save();
    EXPECT_FALSE(ReadRaw(kSlides.c_str(), L"MarginX").found);
}

// Albums stored before the frame knew its monitor have none: the primary
// one, and nothing is written for it until the frame is dropped somewhere.
TEST_F(AlbumSettings, MonitorIsStoredOnlyOnceChosen)
{
    auto album = OpenAlbum();
    EXPECT_EQ(L"", album->Monitor().GetValue().Str());
    album->Save();
    EXPECT_FALSE(ReadRaw(kSlides.c_str(), L"Monitor").found);

    album->Monitor().SetValue(tstr(L"\\\\.\\DISPLAY2"));
    album->Save();
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), ReadRaw(kSlides.c_str(), L"Monitor").type);
    EXPECT_EQ(L"\\\\.\\DISPLAY2", ReadText(kSlides, L"Monitor"));
    EXPECT_EQ(L"\\\\.\\DISPLAY2", OpenAlbum()->Monitor().GetValue().Str());
}

// Albums stored before the setting keep the frame out of capture and store
// nothing for it until it is turned off.
TEST_F(AlbumSettings, HideFromCaptureIsOnAndStoredOnlyWhenOff)
{
    auto album = OpenAlbum();
    EXPECT_EQ(1, album->HideFromCapture().GetValue());
    album->Save();
    EXPECT_FALSE(ReadRaw(kSlides.c_str(), L"HideFromCapture").found);

    album->HideFromCapture().SetValue(0);
    album->Save();
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), ReadRaw(kSlides.c_str(), L"HideFromCapture").type);
    EXPECT_EQ(L"0", ReadText(kSlides, L"HideFromCapture"));
    EXPECT_EQ(0, OpenAlbum()->HideFromCapture().GetValue());
}

// Albums stored before captions load without caption or "on this day" and
// store neither until one is chosen; a number of another type is no choice.
TEST_F(AlbumSettings, CaptionAndOnThisDayAreStoredOnlyWhenChosen)
{
    auto album = OpenAlbum();
    EXPECT_EQ(0, album->Caption().GetValue());
    EXPECT_EQ(0, album->OnThisDay().GetValue());
    album->Save();
    EXPECT_FALSE(ReadRaw(kSlides.c_str(), L"Caption").found);
    EXPECT_FALSE(ReadRaw(kSlides.c_str(), L"OnThisDay").found);

    album->Caption().SetValue(2);
    album->OnThisDay().SetValue(1);
    album->Save();
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), ReadRaw(kSlides.c_str(), L"Caption").type);
    EXPECT_EQ(L"2", ReadText(kSlides, L"Caption"));
    EXPECT_EQ(L"1", ReadText(kSlides, L"OnThisDay"));
    auto again = OpenAlbum();
    EXPECT_EQ(2, again->Caption().GetValue());
    EXPECT_EQ(1, again->OnThisDay().GetValue());

    const DWORD number = 3;
    WriteRaw(kSlides.c_str(), L"Caption", REG_DWORD, &number, sizeof number);
    EXPECT_EQ(0, OpenAlbum()->Caption().GetValue());
}

// Albums stored before shuffling store none of its values and load unshuffled.
TEST_F(AlbumSettings, ShuffleAndItsRoundAreStoredOnlyWhileOnAndSurviveBadValues)
{
    const wchar_t* const names[] = {L"Shuffle", L"ShuffleSeed", L"ShufflePos", L"ShuffleShown"};
    auto album = OpenAlbum();
    for (const wchar_t* path : {L"C:\\a.jpg", L"C:\\b.jpg", L"C:\\c.jpg", L"C:\\d.jpg", L"C:\\e.jpg"})
        album->AddPhoto(path);
    album->Shuffle().SetValue(1);
    album->PhotoShown(4);
    album->Index().SetValue(1);
    album->PhotoShown(1);
    album->Save();
    EXPECT_EQ(L"1", ReadText(kSlides, L"ShufflePos"));
    EXPECT_EQ(L"21", ReadText(kSlides, L"ShuffleShown"));   // photos 1 and 4
    auto again = OpenAlbum();
    EXPECT_EQ(album->Round().Seed(), again->Round().Seed());
    EXPECT_EQ(1, again->Index().GetValue());

    StoreText(kSlides, L"ShufflePos", L"4000000000");
    StoreText(kSlides, L"ShuffleShown", L"zz?");
    StoreText(kSlides, L"ShuffleSeed", L"-");
    album = OpenAlbum();
    const int next = album->NextInRound();
    EXPECT_TRUE(next >= 0 && next < 5) << next;
    album->Shuffle().SetValue(0);
    album->Save();
    for (const wchar_t* name : names) EXPECT_FALSE(ReadRaw(kSlides.c_str(), name).found) << name;
}

TEST_F(AlbumSettings, CurrentPhotoIndexIsNeverStored)
{
    auto album = OpenAlbum();
    album->AddPhoto(L"C:\\a.jpg");
    album->AddPhoto(L"C:\\b.jpg");
    album->Index().SetValue(1);
    album->Save();
    EXPECT_FALSE(ReadRaw(kSlides.c_str(), L"idx").found);
    EXPECT_EQ(0, OpenAlbum()->Index().GetValue());
}

// The index is only wrapped by a step; deleting photos can leave it past the end.
TEST_F(AlbumSettings, CurrentPhotoIndexPastTheEndComesBackToFirst)
{
    auto album = OpenAlbum();
    EXPECT_EQ(nullptr, album->CurrentPhoto());
    CSlide* first = album->AddPhoto(L"C:\\a.jpg");
    CSlide* second = album->AddPhoto(L"C:\\b.jpg");
    album->Index().SetValue(1);
    EXPECT_EQ(second, album->CurrentPhoto());
    album->Photos().Delete(second);
    EXPECT_EQ(first, album->CurrentPhoto());
    EXPECT_EQ(0, album->Index().GetValue());
    album->Index().SetValue(-3);
    EXPECT_EQ(0, album->CurrentIndex());
}

}  // namespace
