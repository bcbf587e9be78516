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

const wchar_t kAlbum[] = L"Shuffled";

class ShuffledShow : public RegistryTest {
protected:
    // The album as the program finds it at start-up: from the store.
    struct Running {
        std::unique_ptr<CWppProfile> album{CWppProfile::NewAlbumObject(kAlbum)};
        CAlbumSlides slides{*album, nullptr};
        CSlideWnd show;
        Running() {
            album->Load();
            show.SetAlbum(&slides);
        }
        std::wstring Switch() {
            SendMessageW(show.Hwnd(), WM_TIMER, CSlideWnd::kSwitchTimer, 0);
            return show.CurrentPath().Str();
        }
    };

    // A new picture file each time.
    std::wstring Picture() {
        const std::wstring path = m_folder.Path() + L"\\photo" + std::to_wstring(++m_made) + L".bmp";
        EXPECT_TRUE(WriteSolidBmp(path, 40 + m_made, 30, RGB(10 * m_made, 80, 120)));
        return path;
    }
    // A shuffled album of new pictures stored in place of any other.
    void StoreAlbum(int photos) {
        SHDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Arvendal");
        m_paths.clear();
        std::unique_ptr<CWppProfile> album(CWppProfile::NewAlbumObject(kAlbum));
        for (int i = 0; i < photos; ++i) {
            m_paths.push_back(Picture());
            album->AddPhoto(tstr(m_paths.back()));
        }
        album->Shuffle().SetValue(1);
        album->Timeout().SetValue(1);
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
        ASSERT_TRUE(first.show.Start());
        shown.push_back(first.show.CurrentPath().Str());
        for (int i = 0; i < 7; ++i) shown.push_back(first.Switch());
        // Exit saves the album; the photo on screen is the last of those shown.
        ASSERT_TRUE(first.album->Save());
    }
    Running second;
    ASSERT_TRUE(second.show.Start());
    EXPECT_EQ(shown.back(), second.show.CurrentPath().Str());
    for (int i = 0; i < 12; ++i) shown.push_back(second.Switch());

    EXPECT_EQ(20u, std::set<std::wstring>(shown.begin(), shown.end()).size());
    EXPECT_TRUE(std::is_permutation(shown.begin(), shown.end(), m_paths.begin()));
    EXPECT_NE(m_paths, shown);
    // A new round, never beginning with the photo on screen; the timer runs on.
    EXPECT_NE(shown.back(), second.Switch());
    EXPECT_TRUE(KillTimer(second.show.Hwnd(), CSlideWnd::kSwitchTimer));
}

TEST_F(ShuffledShow, OneAndTwoPhotosAndPhotosDeletedDuringTheRound) {
    StoreAlbum(1);
    {
        Running one;
        ASSERT_TRUE(one.show.Start());
        EXPECT_EQ(m_paths[0], one.Switch());
        EXPECT_EQ(m_paths[0], one.Switch());
    }
    StoreAlbum(2);
    {
        Running two;
        ASSERT_TRUE(two.show.Start());
        std::wstring before = two.show.CurrentPath().Str();
        for (int i = 0; i < 6; ++i) {
            const std::wstring now = two.Switch();
            EXPECT_NE(before, now) << i;
            before = now;
        }
    }
    StoreAlbum(4);
    Running four;
    ASSERT_TRUE(four.show.Start());
    const std::wstring onScreen = four.show.CurrentPath().Str();
    // The photos not shown yet go and a new one comes: it is the round's last.
    CColReg<CSlide*>& photos = four.album->Photos();
    for (size_t i = photos.size(); i-- > 0;)
        if (photos[i]->GetPath().Str() != onScreen) photos.DeleteIndex(i);
    const std::wstring added = Picture();
    four.album->AddPhoto(tstr(added));
    EXPECT_EQ(added, four.Switch());
    EXPECT_EQ(onScreen, four.Switch());
}

}  // namespace
