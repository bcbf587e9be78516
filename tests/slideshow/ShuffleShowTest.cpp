// A shuffled album on the real slide window, switched by its timer, with its
// round kept in the (Wine) registry across a restart.

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "album/WppProfile.h"
#include "slideshow/AlbumSlides.h"
#include "slideshow/SlideWnd.h"
#include "tests/settings/RegistryTest.h"
#include "tests/slideshow/ShowTest.h"

namespace {

// The album and its show as the program builds them at start-up, from the store.
struct Running {
    std::unique_ptr<CWppProfile> album{CWppProfile::NewAlbumObject(L"Shuffled")};
    CAlbumSlides slides{*album, nullptr};
    CSlideWnd show;
    Running() {
        album->Load();
        show.SetAlbum(&slides);
        EXPECT_TRUE(show.Start());
        EXPECT_TRUE(Settled(show));
    }
    std::wstring Shown() const { return show.CurrentPath().Str(); }
    std::wstring Switch() {
        SendMessageW(show.Hwnd(), WM_TIMER, CSlideWnd::kSwitchTimer, 0);
        EXPECT_TRUE(Settled(show));
        return Shown();
    }
};

class ShuffledShow : public RegistryTest {
protected:
    std::wstring Picture() {
        const std::wstring path = m_folder.Path() + L"\\photo" + std::to_wstring(++m_made) + L".bmp";
        EXPECT_TRUE(WriteBmp(path, 40 + m_made, 30, RGB(10 * m_made, 80, 120)));
        return path;
    }
    void StoreAlbum(int photos) {
        std::unique_ptr<CWppProfile> album(CWppProfile::NewAlbumObject(L"Shuffled"));
        for (int i = 0; i < photos; ++i) {
            m_paths.push_back(Picture());
            album->AddPhoto(tstr(m_paths.back()));
        }
        album->Shuffle().SetValue(1);
        ASSERT_TRUE(album->Save());
    }

    TempFolder m_folder;
    int m_made = 0;
    std::vector<std::wstring> m_paths;
};

TEST_F(ShuffledShow, EveryPhotoOnceInARoundThatGoesOnAfterARestart) {
    StoreAlbum(20);
    std::vector<std::wstring> shown;
    {
        Running first;
        shown.push_back(first.Shown());
        for (int i = 0; i < 7; ++i) shown.push_back(first.Switch());
        ASSERT_TRUE(first.album->Save());   // as at exit
    }
    Running second;
    EXPECT_EQ(shown.back(), second.Shown());
    for (int i = 0; i < 12; ++i) shown.push_back(second.Switch());

    EXPECT_EQ(20u, std::set<std::wstring>(shown.begin(), shown.end()).size());
    EXPECT_TRUE(std::is_permutation(shown.begin(), shown.end(), m_paths.begin()));
    EXPECT_NE(m_paths, shown);
    // A new round, never beginning with the photo on screen; the timer runs on.
    EXPECT_NE(shown.back(), second.Switch());
    EXPECT_TRUE(KillTimer(second.show.Hwnd(), CSlideWnd::kSwitchTimer));
}

TEST_F(ShuffledShow, PhotosDeletedAndAddedDuringTheRound) {
    StoreAlbum(4);
    Running four;
    const std::wstring onScreen = four.Shown();
    CColReg<CSlide*>& photos = four.album->Photos();
    for (size_t i = photos.size(); i-- > 0;)
        if (photos[i]->GetPath().Str() != onScreen) photos.DeleteIndex(i);
    const std::wstring added = Picture();
    four.album->AddPhoto(tstr(added));
    EXPECT_EQ(added, four.Switch());
    EXPECT_EQ(onScreen, four.Switch());
    EXPECT_EQ(added, four.Switch());
}

// Fault: each step of a switch keyed and ranked the whole album again, so a
// shuffled album on a sleeping share froze the program for minutes.
TEST_F(ShuffledShow, ASwitchThroughPhotosAllOutOfReachKeysEachPhotoAFewTimes) {
    StoreAlbum(1);
    Running running;
    const std::wstring onScreen = running.Shown();
    const int away = 600;
    for (int i = 0; i < away; ++i) running.album->AddPhoto(tstr(L"V:\\asleep\\photo" + std::to_wstring(i) + L".jpg"));
    const uint64_t before = CShuffleRound::KeysMade();
    EXPECT_EQ(onScreen, running.Switch());
    EXPECT_FALSE(running.show.Switching());
    EXPECT_LT(CShuffleRound::KeysMade() - before, 4u * away);
}

}  // namespace
