#include "dialogs/Wpp.h"

#include "album/AlbumBackup.h"
#include "res/dialogs.h"
#include "res/strings.h"
#include "ui/ButtonWnd.h"
#include "ui/ClassFactory.h"
#include "ui/NavPaneWnd.h"
#include "ui/ResString.h"
#include "ui/SingleInstance.h"
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
    // The window and the show do not wait for a long stored list.
    if (!InitWithoutPhotos()) return false;
    // A save the registry let neither finish nor undo is undone before the
    // album is read; only now, once no other instance runs.
    bool unfinished = false;
    if (CAlbumBackup::RestoreUnfinished(GetStore(), &unfinished) && unfinished) PointAt(StoredCurrentAlbumName());
    RegisterWindowClasses();
    m_starting = true;
    Load();
    CreateMainDialog(nullptr);
    HWND main = m_mainDlg.Hwnd();
    if (!main) return false;
    StoreMainHandle(GetStore(), main);
    if (PhotoListPending() && !ReadPhotoListAhead(main, kPhotoListMessage)) {
        RebuildPhotoList();
        CWppProfile::Load();
    }
    // Minimised, the tray layer hides the window into the tray icon.
    ShowWindow(main, IsFirstRun() ? SW_SHOW : SW_MINIMIZE);
    if (IsFirstRun()) SetTimer(main, kFirstRunTimer, 5000, nullptr);
    if (!Photos().empty()) SendMessageW(main, WM_COMMAND, IDC_MAIN_START, 0);
    // Only now: a worker reading the first photo while the show opens it
    // would make the show pass it over.
    m_starting = false;
    if (PhotoListPending()) {
        // The one photo read ahead may be out of reach: the whole list can do better.
        m_startWhenListed = !m_showRunning;
        return true;
    }
    FollowPhotoList();
    return true;
}

void CWpp::FollowPhotoList() {
    CheckPhotos();
    FollowFolder();
    // A followed folder with nothing in it yet: the show starts with its first picture.
    m_startWhenFilled = FollowsFolder() && Photos().empty();
}

void CWpp::OnPhotoListRead(WPARAM serial) {
    if (!TakePhotoList(serial)) return;
    HWND main = m_mainDlg.Hwnd();
    // Before the check, as at start-up: the show passes over what it cannot use.
    if (m_startWhenListed && !m_showRunning && !Photos().empty())
        SendMessageW(main, WM_COMMAND, IDC_MAIN_START, 0);
    else if (m_showRunning && m_slideWnd.CurrentPath().IsEmpty())
        m_slideWnd.Step(0);
    else if (m_showRunning && m_slideWnd.Strip().Exists())
        m_slideWnd.Strip().Redraw(true);
    m_startWhenListed = false;
    FollowPhotoList();
    if (m_settingsWhenListed) PostMessageW(main, WM_COMMAND, IDC_MAIN_SETTINGS, 0);
    m_settingsWhenListed = false;
}

bool CWpp::SettingsWaitForList() {
    m_settingsWhenListed = m_settingsWhenListed || PhotoListPending();
    return PhotoListPending();
}

bool CWpp::Quit() {
    // A list still being read stays as stored: nothing half-read is saved.
    StopReadingPhotoList();
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
    if (PhotoListPending()) return;
    // Photos already known to be unusable go now; the workers check the rest.
    DropUnusablePhotosAndIdleShow();
    MakeThumbnails(this);
}

void CWpp::DropUnusablePhotosAndIdleShow() {
    // The list read ahead is checked once it is whole.
    if (PhotoListPending()) return;
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
    m_slideWnd.SetCommandTarget(m_mainDlg.Hwnd());
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
    // The listing would meet a list still being read.
    if (PhotoListPending()) return;
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

void CWpp::PhotoCommand(UINT id) {
    if (m_showRunning) m_photoCommands.Run(id, m_slideWnd.CommandPhoto(), PhotoCommandOwner());
}

CTrayMenu::PhotoItems CWpp::PhotoOnScreenItems() {
    const tstr& path = m_slideWnd.CurrentPath();
    if (!m_showRunning || path.IsEmpty()) return CTrayMenu::PhotoItems::None;
    const int index = IndexOfPhoto(path);
    return index >= 0 && Photos()[static_cast<size_t>(index)]->IsFavourite() ? CTrayMenu::PhotoItems::Favourite
                                                                            : CTrayMenu::PhotoItems::Plain;
}

HWND CWpp::PhotoCommandOwner() const {
    HWND frame = m_slideWnd.Hwnd();
    return m_showRunning && frame && IsWindowVisible(frame) ? frame : m_mainDlg.Hwnd();
}
