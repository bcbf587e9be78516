#include "dialogs/AboutDlg.h"

#include <shellapi.h>

#include "res/artwork.h"
#include "res/dialogs.h"
#include "picture/GdiOwners.h"
#include "picture/Picture.h"
#include "ui/Shortcut.h"
#include "ui/VersionInfo.h"
#include "ui/Wnd.h"

const wchar_t CAboutDlg::kProductSite[] = L"https://lumora-frame.example/";
const wchar_t CAboutDlg::kMakerSite[] = L"https://arvendal.example/";
const wchar_t CAboutDlg::kRightsNotice[] = L"Copyright (C) Arvendal. All rights reserved.";

namespace {

const UINT kTrayMessage = 40001;
const UINT kProgramIcon = IDI_ART_FRAME;
// Half transparent: alpha x 127 / 255.
const int kBackgroundAlpha = 127;

HICON LoadOwnIcon(int size) {
    return static_cast<HICON>(
        LoadImageW(ProgramModule(), MAKEINTRESOURCEW(kProgramIcon), IMAGE_ICON, size, size, 0));
}

}  // namespace

CAboutDlg::~CAboutDlg() { FreeIcons(); }

INT_PTR CAboutDlg::Run(HWND owner) { return ShowModal(nullptr, MAKEINTRESOURCEW(IDD_ABOUT), owner); }

INT_PTR CAboutDlg::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_ERASEBKGND:
        PaintBackground(reinterpret_cast<HDC>(wParam));
        SetWindowLongPtrW(m_hwnd, DWLP_MSGRESULT, TRUE);
        return TRUE;
    case WM_CTLCOLORSTATIC: {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetBkMode(dc, TRANSPARENT);
        if (GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) == IDC_ABOUT_PICTURE) return FALSE;
        return reinterpret_cast<INT_PTR>(GetStockObject(NULL_BRUSH));
    }
    case WM_WINDOWPOSCHANGED:
        OnPositionChanged();
        return 0;
    default:
        return CDialog::Dispatch(msg, wParam, lParam);
    }
}

INT_PTR CAboutDlg::OnInitDialog() {
    m_smallIcon = LoadOwnIcon(16);
    if (m_smallIcon) SendMessageW(m_hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_smallIcon));
    m_bigIcon = LoadOwnIcon(64);
    if (m_bigIcon) SendDlgItemMessageW(m_hwnd, IDC_ABOUT_PICTURE, STM_SETICON, reinterpret_cast<WPARAM>(m_bigIcon), 0);

    const tstr version = tstr(L"Version ") + ReadVersionString(ModulePath(nullptr), kVersionProductVersion);
    SetDlgItemTextW(m_hwnd, IDC_ABOUT_VERSION, version.c_str());
    SetDlgItemTextW(m_hwnd, IDC_ABOUT_TITLE, m_app.GetTitle().c_str());
    SetDlgItemTextW(m_hwnd, IDC_ABOUT_RIGHTS, kRightsNotice);

    if (LoadBmpFromResource(nullptr, IDB_ART_122, m_background)) m_background.ScaleAlpha(kBackgroundAlpha, 0);
    return TRUE;
}

INT_PTR CAboutDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    switch (LOWORD(wParam)) {
    case IDC_ABOUT_VISIT_PRODUCT:
        ShellExecuteW(m_hwnd, nullptr, kProductSite, nullptr, nullptr, SW_SHOW);
        return 0;
    case IDC_ABOUT_VISIT_MAKER:
        ShellExecuteW(m_hwnd, nullptr, kMakerSite, nullptr, nullptr, SW_SHOW);
        return 0;
    case IDOK:
    case IDCANCEL:
        End(LOWORD(wParam));
        return 0;
    default:
        return CDialog::OnCommand(wParam, lParam);
    }
}

void CAboutDlg::OnDestroy() {
    if (m_app.GetModalDialog() == m_hwnd) m_app.SetModalDialog(nullptr);
    FreeIcons();
}

// Off-screen first, so the texts never flicker over a half-drawn picture.
void CAboutDlg::PaintBackground(HDC dc) {
    RECT client;
    GetClientRect(m_hwnd, &client);
    CMemoryDC canvas(dc, client.right, client.bottom);
    if (!canvas.Valid()) {
        FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
        return;
    }
    FillRect(canvas.Get(), &client, GetSysColorBrush(COLOR_BTNFACE));
    if (HWND anchor = Item(IDC_ABOUT_PICTURE)) {
        RECT at;
        GetWindowRect(anchor, &at);
        MapWindowPoints(nullptr, m_hwnd, reinterpret_cast<POINT*>(&at), 2);
        DrawBmp(canvas.Get(), m_background, at.left, at.top);
    }
    BitBlt(dc, 0, 0, client.right, client.bottom, canvas.Get(), 0, 0, SRCCOPY);
}

void CAboutDlg::OnPositionChanged() {
    m_app.UpdateTrayIcon(kTrayMessage, kProgramIcon, nullptr);
    m_app.SetModalDialog(IsWindowVisible(m_hwnd) ? m_hwnd : nullptr);
}

void CAboutDlg::FreeIcons() {
    if (m_smallIcon) DestroyIcon(m_smallIcon);
    if (m_bigIcon) DestroyIcon(m_bigIcon);
    m_smallIcon = m_bigIcon = nullptr;
}
