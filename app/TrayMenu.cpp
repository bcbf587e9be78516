#include "app/TrayMenu.h"

#include "res/artwork.h"
#include "res/dialogs.h"
#include "res/strings.h"
#include "picture/Picture.h"
#include "slideshow/FavouriteStar.h"
#include "slideshow/PhotoMenu.h"
#include "ui/Dpi.h"
#include "ui/ResString.h"

namespace {

const wchar_t kName[] = L"TrayIcon";

// Menus open at the system's DPI.
int MenuSize(int size) { return ScaleForDpi(size, SystemDpi()); }

void LoadPicture(int id, int size, CBmp& picture) {
    // A missing picture leaves its item without one.
    if (LoadBmpFromResource(nullptr, id, picture)) picture.Resample(MenuSize(size), MenuSize(size));
}

// The switching page's photo between two arrows, without the arrow back.
void LoadNextPicture(int size, CBmp& picture) {
    CBmp both;
    if (!LoadBmpFromResource(nullptr, IDB_ART_154, both)) return;
    const int left = both.Width() / 4;
    const int side = both.Width() - left;
    const int top = (both.Height() - side) / 2;
    if (side <= 0 || top < 0 || !picture.Create(side, side)) return;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) picture.SetPixel(x, y, both.Pixel(left + x, top + y));
    picture.SetHasAlpha(both.HasAlpha());
    picture.Resample(MenuSize(size), MenuSize(size));
}

const CBmp* Shown(const CBmp& picture) {
    return picture.Empty() ? nullptr : &picture;
}

}  // namespace

CTrayMenu::CTrayMenu(bool windowVisible, bool showRunning, bool pausedByHand, PhotoItems photo) {
    if (FindNamedMenu(kName)) return;
    m_menu = CreateNamedMenu(kName);
    LoadPicture(IDB_ART_122, 48, m_windowPicture);
    // The window item reads "Hide" on a darker picture while the window is up.
    if (windowVisible && !m_windowPicture.Empty()) m_windowPicture.Tone(-64, 0);
    LoadPicture(showRunning ? IDB_ART_141 : IDB_ART_134, 32, m_showPicture);
    if (showRunning) LoadNextPicture(32, m_nextPicture);

    m_menu->AddItem(LoadResString(nullptr, windowVisible ? IDS_MENU_HIDE : IDS_MENU_SHOW).c_str(),
                    kShowHide, 0, MF_OWNERDRAW, false, Shown(m_windowPicture));
    UINT position = 1;
    if (showRunning)
        m_menu->AddItem(LoadResString(nullptr, IDS_MENU_NEXT_PHOTO).c_str(), kNextPhoto, position++, MF_OWNERDRAW,
                        false, Shown(m_nextPicture));
    if (showRunning && photo != PhotoItems::None) {
        m_photoMenu = std::make_unique<CMenu>(L"");
        MakeFavouriteStar(MenuSize(16), m_star);
        AddPhotoCommands(*m_photoMenu, 0, photo == PhotoItems::Favourite, Shown(m_star));
        m_photoMenu->Realise();
        m_menu->AddSubmenu(LoadResString(nullptr, IDS_MENU_THIS_PHOTO).c_str(), *m_photoMenu, position++, nullptr);
    }
    if (showRunning)
        m_menu->AddItem(LoadResString(nullptr, pausedByHand ? IDS_MENU_RESUME : IDS_MENU_PAUSE_HOUR).c_str(),
                        kPauseHour, position++, MF_OWNERDRAW, false, nullptr);
    m_menu->AddItem(LoadResString(nullptr, showRunning ? IDS_MENU_STOP_SHOW : IDS_MENU_RUN_SHOW).c_str(),
                    showRunning ? IDC_MAIN_STOP : IDC_MAIN_START, position++, MF_OWNERDRAW, false,
                    Shown(m_showPicture));
    m_menu->AddItem(LoadResString(nullptr, IDS_MENU_EXIT).c_str(), IDCANCEL, position, MF_OWNERDRAW, true,
                    static_cast<UINT>(IDB_ART_161), kExitColour);
    m_realised = m_menu->Realise();
}

CTrayMenu::~CTrayMenu() {
    if (!m_menu) return;
    m_menu->DeleteItems();
    RemoveNamedMenu(kName);
    if (m_photoMenu) m_photoMenu->DeleteItems();
}

UINT CTrayMenu::Track(HWND owner) {
    if (!m_menu || !m_realised) return 0;
    POINT cursor{};
    GetCursorPos(&cursor);
    // Without the owner in front the menu would not close on a click elsewhere.
    SetForegroundWindow(owner);
    const BOOL chosen = TrackPopupMenuEx(m_menu->Handle(), TPM_RETURNCMD | TPM_NONOTIFY,
                                         cursor.x, cursor.y, owner, nullptr);
    return chosen > 0 ? static_cast<UINT>(chosen) : 0;
}
