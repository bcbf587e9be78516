#include "dialogs/MainDlg.h"

#include <shellapi.h>

#include "app/TrayMenu.h"
#include "dialogs/AboutDlg.h"
#include "dialogs/SettingsDlg.h"
#include "dialogs/Wpp.h"
#include "res/artwork.h"
#include "res/dialogs.h"
#include "res/strings.h"
#include "picture/DecodeCount.h"
#include "picture/Picture.h"
#include "ui/ButtonFaces.h"
#include "ui/ButtonWnd.h"
#include "ui/Dpi.h"
#include "ui/ResString.h"

namespace {

constexpr UINT kExitQueryCommand = 998;
constexpr UINT kCloseCommand = 999;
const wchar_t kWebSite[] = L"https://www.arvendal.example/lumora/";

// Not shared: a shared icon is cached by name, so the second size asked for
// would get the first one's picture.
HICON LoadProgramIcon(int size) {
    return static_cast<HICON>(LoadImageW(ProgramModule(), MAKEINTRESOURCEW(CWpp::kIconId), IMAGE_ICON,
                                         size, size, 0));
}

void SetControlId(HWND control, int id) {
    SetWindowLongPtrW(control, GWLP_ID, id);
}

// What each image button is called and the hint the status bar and its
// tooltip give.
struct ButtonTexts {
    int id;
    UINT name;
    UINT hint;
};
const ButtonTexts kButtonTexts[] = {
    {IDC_MAIN_START, IDS_NAME_START, IDS_HINT_START},
    {IDC_MAIN_STOP, IDS_NAME_STOP, IDS_HINT_STOP},
    {IDC_MAIN_SETTINGS, IDS_NAME_SETTINGS, IDS_HINT_SETTINGS},
    {IDC_MAIN_WEB_SITE, IDS_NAME_WEB_SITE, IDS_HINT_WEB_SITE},
    {IDC_MAIN_ABOUT, IDS_NAME_ABOUT, IDS_HINT_ABOUT},
};

const ButtonTexts* TextsOf(int id) {
    for (const ButtonTexts& texts : kButtonTexts)
        if (texts.id == id) return &texts;
    return nullptr;
}

}  // namespace

const CMainDlg::ButtonArt CMainDlg::kStartArt{IDB_ART_134, IDG_ART_136, IDB_ART_135};
const CMainDlg::ButtonArt CMainDlg::kStopArt{IDB_ART_141, IDG_ART_145, IDB_ART_142};

int CMainDlg::StatusBarId() const {
    return IDC_MAIN_STATUS;
}

INT_PTR CMainDlg::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam) {
    static const UINT decodeCountMessage = RegisterWindowMessageW(kDecodeCountMessage);
    if (msg == decodeCountMessage && msg != 0) {
        SetWindowLongPtrW(m_hwnd, DWLP_MSGRESULT, DecodesOf(static_cast<int>(wParam)));
        return TRUE;
    }
    static const UINT photoChecksMessage = RegisterWindowMessageW(kPhotoChecksMessage);
    if (msg == photoChecksMessage && msg != 0) {
        const size_t checks = m_app.Thumbnails().Outstanding() + (m_app.PhotoListPending() ? 1 : 0);
        SetWindowLongPtrW(m_hwnd, DWLP_MSGRESULT, static_cast<LONG_PTR>(checks));
        return TRUE;
    }
    static const UINT photoCountMessage = RegisterWindowMessageW(kPhotoCountMessage);
    if (msg == photoCountMessage && msg != 0) {
        SetWindowLongPtrW(m_hwnd, DWLP_MSGRESULT, static_cast<LONG_PTR>(m_app.Photos().size()));
        return TRUE;
    }
    switch (msg) {
    case WM_QUERYENDSESSION:
        SetWindowLongPtrW(m_hwnd, DWLP_MSGRESULT, TRUE);
        return TRUE;
    case WM_ENDSESSION:
        // Also when wParam is FALSE: the session may end without asking again.
        m_app.Quit();
        return 0;
    case WM_WINDOWPOSCHANGED:
        m_app.UpdateTrayIcon(CWpp::kTrayMessage, CWpp::kIconId, nullptr);
        return 0;
    case CWpp::kFolderMessage:
        m_app.OnFolderListing(wParam);
        return 0;
    case CWpp::kPhotoListMessage:
        m_app.OnPhotoListRead(wParam);
        return 0;
    case CPhotoCommands::kCopyReadyMessage:
        m_app.OnCopyReady();
        return 0;
    case CWpp::kTrayMessage:
        OnTrayCallback(static_cast<UINT>(wParam), static_cast<UINT>(lParam));
        return 0;
    case WM_MEASUREITEM:
        if (!MeasureMenuItem(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam))) break;
        SetWindowLongPtrW(m_hwnd, DWLP_MSGRESULT, TRUE);
        return TRUE;
    case WM_DRAWITEM:
        if (!DrawMenuItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) break;
        SetWindowLongPtrW(m_hwnd, DWLP_MSGRESULT, TRUE);
        return TRUE;
    case WM_DPICHANGED:
        // The base takes the suggested rectangle.
        m_dpi = LOWORD(wParam);
        DressForDpi();
        break;
    }
    return CStatusDlg<CDialog>::Dispatch(msg, wParam, lParam);
}

INT_PTR CMainDlg::OnInitDialog() {
    m_dpi = WindowDpi(m_hwnd);
    DressForDpi();
    m_tips.Create(m_hwnd);
    for (const ButtonTexts& texts : kButtonTexts) NameButton(texts.id);
    return TRUE;
}

void CMainDlg::OnDestroy() {
    m_tips.Destroy();
    for (HICON* icon : {&m_smallIcon, &m_bigIcon}) {
        if (*icon) DestroyIcon(*icon);
        *icon = nullptr;
    }
    CStatusDlg<CDialog>::OnDestroy();
}

void CMainDlg::DressForDpi() {
    // The window still shows the old icons until it has the new ones.
    const HICON oldSmall = m_smallIcon;
    const HICON oldBig = m_bigIcon;
    m_smallIcon = LoadProgramIcon(SystemMetricForDpi(SM_CXSMICON, m_dpi));
    m_bigIcon = LoadProgramIcon(SystemMetricForDpi(SM_CXICON, m_dpi));
    SendMessageW(m_hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_smallIcon));
    SendMessageW(m_hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_bigIcon));
    for (HICON icon : {oldSmall, oldBig})
        if (icon) DestroyIcon(icon);

    const struct {
        int id;
        ButtonArt art;
    } buttons[] = {{IDC_MAIN_START, kStartArt},
                   {IDC_MAIN_STOP, kStopArt},
                   {IDC_MAIN_SETTINGS, {IDB_ART_103, IDG_ART_151, IDB_ART_104}},
                   {IDC_MAIN_WEB_SITE, {IDB_ART_119, IDG_ART_120, IDB_ART_118}},
                   {IDC_MAIN_ABOUT, {IDB_ART_143, IDG_ART_153, IDB_ART_144}}};
    for (const auto& b : buttons)
        if (CButtonWnd* button = Button(b.id)) DressButton(*button, b.art);
}

INT_PTR CMainDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    switch (LOWORD(wParam)) {
    case IDOK:
    case IDC_MAIN_SETTINGS:
        OpenSettings();
        return 0;
    case IDC_MAIN_ABOUT:
        OpenAbout();
        return 0;
    case IDC_MAIN_WEB_SITE:
        OpenWebSite();
        break;
    case IDC_MAIN_START:
        StartShow();
        break;
    case IDC_MAIN_STOP:
        StopShow();
        break;
    case CTrayMenu::kNextPhoto:
        m_app.NextPhoto();
        return 0;
    case IDC_PHOTO_HIDE:
    case IDC_PHOTO_OPEN_LOCATION:
    case IDC_PHOTO_OPEN:
    case IDC_PHOTO_COPY:
    case IDC_PHOTO_FAVOURITE:
    case IDC_PHOTO_DELETE:
        if (!FocusModalDialog()) m_app.PhotoCommand(LOWORD(wParam));
        return 0;
    case CTrayMenu::kPauseHour:
        m_app.PauseByHand(!m_app.IsPausedByHand());
        return 0;
    case IDCANCEL:
        if (!m_app.OnClose()) return 0;
        break;
    case kExitQueryCommand:
        if (!m_app.RequestExit()) return 0;
        break;
    case kCloseCommand:
        m_app.Close();
        break;
    }
    return CStatusDlg<CDialog>::OnCommand(wParam, lParam);
}

INT_PTR CMainDlg::OnSysCommand(WPARAM wParam, LPARAM) {
    if (wParam == kExitQueryCommand) PostMessageW(m_hwnd, WM_COMMAND, kExitQueryCommand, 0);
    return FALSE;   // default processing for every code
}

INT_PTR CMainDlg::OnSetCursor(HWND hwnd, int, int) {
    if (hwnd && GetParent(hwnd) == m_hwnd)
        if (const ButtonTexts* texts = TextsOf(GetDlgCtrlID(hwnd)))
            SetStatusText(LoadResString(nullptr, texts->hint).c_str());
    return FALSE;   // the cursor is still set normally
}

void CMainDlg::OnTimer(UINT_PTR id) {
    if (id == CWpp::kFirstRunTimer) ShowFirstRunNotice();
}

bool CMainDlg::IsShowRunning() const {
    return Item(IDC_MAIN_STOP) != nullptr;
}

CButtonWnd* CMainDlg::Button(int id) const {
    return dynamic_cast<CButtonWnd*>(CWnd::FromHandle(Item(id)));
}

void CMainDlg::DressButton(CButtonWnd& button, const ButtonArt& art) {
    LoadBmpFromResource(nullptr, art.base, button.Image());
    ComposeButtonFaces(button.Image(), art.texture, art.overlay, m_dpi);
    InvalidateRect(button.Hwnd(), nullptr, FALSE);
}

void CMainDlg::NameButton(int id) {
    const ButtonTexts* texts = TextsOf(id);
    HWND button = Item(id);
    if (!texts || !button) return;
    SetWindowTextW(button, LoadResString(nullptr, texts->name).c_str());
    m_tips.SetWindowTip(button, LoadResString(nullptr, texts->hint).Str());
}

void CMainDlg::CancelFirstRunNotice() {
    KillTimer(m_hwnd, CWpp::kFirstRunTimer);
}

bool CMainDlg::FocusModalDialog() {
    HWND modal = m_app.GetModalDialog();
    if (!modal || !IsWindow(modal)) return false;
    SetForegroundWindow(modal);
    return true;
}

void CMainDlg::OpenSettings() {
    // A second settings dialog must not open over the first (the failed start
    // of an empty album posts this command from inside its loop).
    if (FocusModalDialog() || m_app.SettingsWaitForList()) return;
    CancelFirstRunNotice();
    CSettingsDlg settings(m_app);
    if (settings.Run(m_hwnd) == IDOK)
        m_app.GetStore().AddReplacement(L"*prof*", CWpp::AlbumPrefix(m_app.GetAlbumName()));
    // The current album, its folder or its list may have changed.
    m_app.FollowFolder();
}

void CMainDlg::OpenAbout() {
    if (FocusModalDialog()) return;
    CancelFirstRunNotice();
    CAboutDlg about(m_app);
    about.Run(m_hwnd);
    // Listings of a followed folder waited for the box to close.
    m_app.FollowFolder();
}

void CMainDlg::OpenWebSite() {
    CancelFirstRunNotice();
    ShellExecuteW(nullptr, nullptr, kWebSite, nullptr, nullptr, SW_SHOW);
}

void CMainDlg::StartShow() {
    HWND window = Item(IDC_MAIN_START);
    if (!window) return;
    // Without its object the button can show no state: the show is not tried.
    if (CButtonWnd* button = Button(IDC_MAIN_START)) {
        if (!m_app.StartShow()) return;
        DressButton(*button, kStopArt);
    }
    SetControlId(window, IDC_MAIN_STOP);
    NameButton(IDC_MAIN_STOP);
}

void CMainDlg::StopShow() {
    m_app.StopShow();
    HWND window = Item(IDC_MAIN_STOP);
    if (!window) return;
    if (CButtonWnd* button = Button(IDC_MAIN_STOP)) DressButton(*button, kStartArt);
    SetControlId(window, IDC_MAIN_START);
    NameButton(IDC_MAIN_START);
}

void CMainDlg::OnTrayCallback(UINT id, UINT mouseMessage) {
    m_app.OnTrayNotify(id, mouseMessage);
    if (id != 0) return;   // not our icon
    switch (mouseMessage) {
    case WM_LBUTTONUP:
        if (!FocusModalDialog()) RestoreFromPlacement();
        break;
    case WM_MOUSEMOVE:
        // The fullscreen show keeps its strip out of sight until asked.
        if (m_app.Maximized().GetValue()) m_app.SlideWnd().ShowStripForTray();
        break;
    case WM_RBUTTONUP:
        if (!FocusModalDialog()) ShowTrayMenu();
        break;
    }
}

void CMainDlg::RestoreFromPlacement() {
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    if (!GetWindowPlacement(m_hwnd, &placement)) return;
    if (placement.showCmd == SW_SHOWMINIMIZED)
        ShowWindow(m_hwnd, SW_RESTORE);
    else if (placement.showCmd == SW_SHOWMAXIMIZED)
        ShowWindow(m_hwnd, SW_SHOWMAXIMIZED);
}

void CMainDlg::ShowTrayMenu() {
    CTrayMenu menu(IsWindowVisible(m_hwnd) != FALSE, IsShowRunning(), m_app.IsPausedByHand(),
                   m_app.PhotoOnScreenItems());
    const UINT chosen = menu.Track(m_hwnd);
    if (chosen == CTrayMenu::kShowHide) {
        if (IsWindowVisible(m_hwnd)) {
            ShowWindow(m_hwnd, SW_MINIMIZE);
        } else {
            RestoreFromPlacement();
            // A window hidden by a tray click keeps its normal placement:
            // restoring alone would leave it hidden.
            SetWindowPos(m_hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        }
    } else if (chosen != 0) {
        PostMessageW(m_hwnd, WM_COMMAND, chosen, 0);
    }
}

void CMainDlg::ShowFirstRunNotice() {
    KillTimer(m_hwnd, CWpp::kFirstRunTimer);
    MessageBoxW(m_hwnd, L"Lumora main window is minimized to tray bar icon.", L"First run info",
                MB_OK | MB_ICONINFORMATION);
    ShowWindow(m_hwnd, SW_MINIMIZE);
}
