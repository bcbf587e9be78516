#include "dialogs/MainDlg.h"

#include <shellapi.h>

#include "app/Wpp.h"
#include "dialogs/AboutDlg.h"
#include "dialogs/SettingsDlg.h"
#include "res/dialogs.h"
#include "res/strings.h"
#include "ui/ResString.h"
#include "ui/Wnd.h"

namespace {

constexpr UINT kMenuShowHide = 1050;
constexpr UINT kExitQueryCommand = 998;
constexpr UINT kCloseCommand = 999;
const wchar_t kWebSite[] = L"https://www.arvendal.example/lumora/";

HICON LoadProgramIcon(int size) {
    return static_cast<HICON>(LoadImageW(ProgramModule(), MAKEINTRESOURCEW(CWpp::kIconId), IMAGE_ICON,
                                         size, size, LR_SHARED));
}

}  // namespace

int CMainDlg::StatusBarId() const {
    return IDC_MAIN_STATUS;
}

INT_PTR CMainDlg::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam) {
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
    case CWpp::kTrayMessage:
        OnTrayCallback(static_cast<UINT>(wParam), static_cast<UINT>(lParam));
        return 0;
    default:
        return CStatusDlg<CDialog>::Dispatch(msg, wParam, lParam);
    }
}

INT_PTR CMainDlg::OnInitDialog() {
    // Shared icons: the system owns them, nothing to free.
    SendMessageW(m_hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(LoadProgramIcon(16)));
    SendMessageW(m_hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(LoadProgramIcon(32)));
    return TRUE;
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
    if (hwnd && GetParent(hwnd) == m_hwnd) {
        UINT text = 0;
        switch (GetDlgCtrlID(hwnd)) {
        case IDC_MAIN_START: text = IDS_HINT_START; break;
        case IDC_MAIN_STOP: text = IDS_HINT_STOP; break;
        case IDC_MAIN_SETTINGS: text = IDS_HINT_SETTINGS; break;
        case IDC_MAIN_WEB_SITE: text = IDS_HINT_WEB_SITE; break;
        case IDC_MAIN_ABOUT: text = IDS_HINT_ABOUT; break;
        }
        if (text) SetStatusText(LoadResString(nullptr, text).c_str());
    }
    return FALSE;   // the cursor is still set normally
}

void CMainDlg::OnTimer(UINT_PTR id) {
    if (id == CWpp::kFirstRunTimer) ShowFirstRunNotice();
}

bool CMainDlg::IsShowRunning() const {
    return Item(IDC_MAIN_STOP) != nullptr;
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
    if (FocusModalDialog()) return;
    CancelFirstRunNotice();
    CSettingsDlg settings(m_app);
    if (settings.Run(m_hwnd) == IDOK)
        m_app.GetStore().AddReplacement(L"*prof*", CWpp::AlbumPrefix(m_app.GetAlbumName()));
}

void CMainDlg::OpenAbout() {
    if (FocusModalDialog()) return;
    CancelFirstRunNotice();
    CAboutDlg about(m_app);
    about.Run(m_hwnd);
}

void CMainDlg::OpenWebSite() {
    CancelFirstRunNotice();
    ShellExecuteW(nullptr, nullptr, kWebSite, nullptr, nullptr, SW_SHOW);
}

void CMainDlg::StartShow() {
    HWND button = Item(IDC_MAIN_START);
    if (!m_app.StartShow()) return;
    if (button) SetWindowLongPtrW(button, GWLP_ID, IDC_MAIN_STOP);
}

void CMainDlg::StopShow() {
    m_app.StopShow();
    if (HWND button = Item(IDC_MAIN_STOP)) SetWindowLongPtrW(button, GWLP_ID, IDC_MAIN_START);
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
    // Stand-in: a plain popup menu until the owner-drawn menus exist.
    HMENU menu = CreatePopupMenu();
    if (!menu) return;
    const bool visible = IsWindowVisible(m_hwnd) != FALSE;
    const bool running = IsShowRunning();
    AppendMenuW(menu, MF_STRING, kMenuShowHide,
                LoadResString(nullptr, visible ? IDS_MENU_HIDE : IDS_MENU_SHOW).c_str());
    AppendMenuW(menu, MF_STRING, running ? IDC_MAIN_STOP : IDC_MAIN_START,
                LoadResString(nullptr, running ? IDS_MENU_STOP_SHOW : IDS_MENU_RUN_SHOW).c_str());
    AppendMenuW(menu, MF_STRING, IDCANCEL, LoadResString(nullptr, IDS_MENU_EXIT).c_str());
    POINT cursor = {};
    GetCursorPos(&cursor);
    SetForegroundWindow(m_hwnd);
    const int chosen = static_cast<int>(
        TrackPopupMenuEx(menu, TPM_RETURNCMD | TPM_NONOTIFY, cursor.x, cursor.y, m_hwnd, nullptr));
    DestroyMenu(menu);
    if (chosen == static_cast<int>(kMenuShowHide)) {
        if (IsWindowVisible(m_hwnd)) {
            ShowWindow(m_hwnd, SW_MINIMIZE);
        } else {
            RestoreFromPlacement();
            SetWindowPos(m_hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        }
    } else if (chosen > 0) {
        PostMessageW(m_hwnd, WM_COMMAND, static_cast<WPARAM>(chosen), 0);
    }
}

void CMainDlg::ShowFirstRunNotice() {
    KillTimer(m_hwnd, CWpp::kFirstRunTimer);
    MessageBoxW(m_hwnd, L"Lumora main window is minimized to tray bar icon.", L"First run info",
                MB_OK | MB_ICONINFORMATION);
    ShowWindow(m_hwnd, SW_MINIMIZE);
}
