#include "app/Wpp.h"

#include "app/SingleInstance.h"
#include "res/dialogs.h"
#include "res/strings.h"
#include "ui/ButtonWnd.h"
#include "ui/ClassFactory.h"
#include "ui/NavPaneWnd.h"
#include "ui/ResString.h"
#include "ui/ToolBarWnd.h"

namespace {

bool TaskbarIsRightToLeft() {
    HWND taskbar = FindWindowExW(nullptr, nullptr, L"Shell_TrayWnd", nullptr);
    return taskbar && (GetWindowLongW(taskbar, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
}

// Before any template names them; each class once per process.
void RegisterWindowClasses() {
    CButtonWnd::Register();
    RegisterWindowClassOf<CNavPaneWnd>();
    RegisterWindowClassOf<CToolBarWnd>();
    CSlideWnd::RegisterClasses();
}

}  // namespace

CWpp::CWpp() : m_mainDlg(*this), m_albumSlides(*this, this), m_taskbarRtl(TaskbarIsRightToLeft()) {
    GetStore().SetNames(L"Arvendal", L"Lumora");
    SetTitle(L"Lumora Photo Frame");
    // Never stored: every start begins at the album's first photo.
    Index().SetValue(0);
    Index().SetName(L"idx");
    // The first run creates the autostart shortcut.
    Autostart().SetValue(true);
    SetTaskbarRtl(m_taskbarRtl);
}

CWpp::~CWpp() { Thumbnails().Forget(this); }

bool CWpp::Init() {
    if (!CWppProfile::Init()) return false;
    RegisterWindowClasses();
    m_starting = true;
    Load();
    CreateMainDialog(nullptr);
    HWND main = m_mainDlg.Hwnd();
    if (!main) return false;
    StoreMainHandle(GetStore(), main);
    // Minimised, the tray layer hides the window into the tray icon.
    ShowWindow(main, IsFirstRun() ? SW_SHOW : SW_MINIMIZE);
    if (IsFirstRun()) SetTimer(main, kFirstRunTimer, 5000, nullptr);
    if (!Photos().empty()) SendMessageW(main, WM_COMMAND, IDC_MAIN_START, 0);
    // Only now: a worker reading the first photo while the show opens it
    // would make the show pass it over.
    m_starting = false;
    CheckPhotos();
    FollowFolder();
    // A followed folder with nothing in it yet: the show starts with its first picture.
    m_startWhenFilled = FollowsFolder() && Photos().empty();
    return true;
}

bool CWpp::Quit() {
    m_follower.Stop();
    // Nothing queued is made any more; a decode under way is not waited for.
    Thumbnails().Forget(this);
    return CWppProfile::Quit();
}

bool CWpp::Save() {
    return CWppProfile::Save();
}

bool CWpp::Load() {
    CWppProfile::Load();
    FillEmptyAlbum();
    if (!m_starting) CheckPhotos();
    return true;
}

void CWpp::CheckPhotos() {
    // Photos already known to be unusable go now; the workers check the rest.
    DropUnusablePhotosAndIdleShow();
    MakeThumbnails(this);
}

void CWpp::DropUnusablePhotosAndIdleShow() {
    DropUnusablePhotos();
    if (Photos().empty() && m_showRunning && m_mainDlg.Hwnd())
        SendMessageW(m_mainDlg.Hwnd(), WM_COMMAND, IDC_MAIN_STOP, 0);
}

void CWpp::OnThumbnailsArrived(bool someUnusable) {
    if (someUnusable && !GetModalDialog()) DropUnusablePhotosAndIdleShow();
    CLentaWnd& strip = m_slideWnd.Strip();
    if (strip.Exists() && IsWindowVisible(strip.Hwnd())) strip.Redraw(true);
}

void CWpp::CreateMainDialog(HWND owner) {
    m_mainDlg.ShowModeless(GetInstance(), MAKEINTRESOURCEW(IDD_MAIN), owner);
}

bool CWpp::StartShow() {
    if (Photos().empty()) {
        HWND main = m_mainDlg.Hwnd();
        ShowMessage(main, IDS_NO_PHOTOS, kCaptionError, MB_OK | MB_ICONERROR);
        if (main && !IsWindowVisible(main)) ShowWindow(main, SW_SHOWNORMAL);
        // Opens the settings dialog so that photos can be added.
        if (main) PostMessageW(main, WM_COMMAND, IDC_MAIN_SETTINGS, 0);
        return false;
    }
    m_slideWnd.SetAlbum(&m_albumSlides);
    m_showRunning = m_slideWnd.Start();
    // Without the watch the show runs as it always did.
    if (m_showRunning) m_watch.Start();
    return m_showRunning;
}

void CWpp::StopShow() {
    m_showRunning = false;
    m_watch.Stop();
    m_slideWnd.Stop();
}

void CWpp::NextPhoto() {
    if (m_showRunning) m_slideWnd.Advance();
}

void CWpp::PauseByHand(bool on) {
    if (m_showRunning) m_watch.PauseByHand(on);
}

void CWpp::FollowFolder() {
    // A dialog that closed (the About box, or settings that left the album
    // following an empty folder) does not end the wait for the first picture.
    m_startWhenFilled = m_startWhenFilled && !m_showRunning && FollowsFolder() && Photos().empty();
    m_follower.Follow(*this, m_mainDlg.Hwnd(), kFolderMessage);
}

void CWpp::OnFolderListing(WPARAM serial) {
    // The dialog's rows point at the photo entries; its end follows again.
    if (GetModalDialog()) return;
    const bool wasEmpty = Photos().empty();
    if (!m_follower.OnListing(*this, serial)) return;
    // Pictures that joined unchecked (a big batch) are checked by the workers.
    MakeThumbnails(this);
    if (m_startWhenFilled && !Photos().empty()) {
        m_startWhenFilled = false;
        SendMessageW(m_mainDlg.Hwnd(), WM_COMMAND, IDC_MAIN_START, 0);
        return;
    }
    if (!m_showRunning) return;
    // A show whose album ran empty stopped switching; the first photo back starts it again.
    if (wasEmpty && !Photos().empty())
        m_slideWnd.Step(0);
    else if (m_slideWnd.Strip().Exists())
        m_slideWnd.Strip().Redraw(true);
}
