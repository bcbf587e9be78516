#include "tests/dialogs/DialogTest.h"

#include <commctrl.h>

#include <algorithm>

#include "ui/ClassFactory.h"
#include "ui/ToolBarWnd.h"

namespace {

std::function<bool(HWND)> g_step;
UINT_PTR g_timer = 0;

BOOL CALLBACK FindBox(HWND hwnd, LPARAM found) {
    wchar_t name[16] = L"";
    GetClassNameW(hwnd, name, 16);
    if (IsWindowVisible(hwnd) && std::wstring(name) == L"#32770" && !(GetWindowLongW(hwnd, GWL_STYLE) & WS_CHILD) &&
        GetWindow(hwnd, GW_ENABLEDPOPUP) == nullptr) {
        *reinterpret_cast<HWND*>(found) = hwnd;
    }
    return TRUE;
}

void CALLBACK StepTimer(HWND, UINT, UINT_PTR, DWORD) {
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindBox, reinterpret_cast<LPARAM>(&box));
    if (!box || !g_step) return;
    // The step may open the next box; it must not run twice at once.
    std::function<bool(HWND)> step = g_step;
    if (step(box) && g_timer) {
        KillTimer(nullptr, g_timer);
        g_timer = 0;
        g_step = nullptr;
    }
}

}  // namespace

void DialogTest::SetUpTestSuite() {
    const INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    RegisterWindowClassOf<CNavPaneWnd>();
    RegisterWindowClassOf<CToolBarWnd>();
}

void DialogTest::SetUp() {
    AlbumTest::SetUp();
    // Not a first run: album objects leave the autostart shortcut alone.
    HKEY key = nullptr;
    RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Arvendal\\Lumora\\Options\\Windows\\Main", 0, nullptr, 0,
                    KEY_WRITE, nullptr, &key, nullptr);
    if (key) RegCloseKey(key);
}

void DialogTest::Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void DialogTest::OnNextBox(std::function<bool(HWND box)> step) {
    g_step = std::move(step);
    if (!g_timer) g_timer = SetTimer(nullptr, 0, 40, StepTimer);
}

void DialogTest::AnswerMessageBox(int button, std::wstring* text) {
    OnNextBox([button, text](HWND box) {
        if (text) {
            wchar_t buffer[512] = L"";
            GetDlgItemTextW(box, 0xFFFF, buffer, 512);
            *text = buffer;
        }
        PostMessageW(box, WM_COMMAND, static_cast<WPARAM>(button), 0);
        return true;
    });
}

bool DialogTest::AnswerPending() { return g_timer != 0; }

std::wstring DialogTest::Picture(const wchar_t* name, int w, int h) {
    return TempFolder::File(Folder() + L"\\" + name, TempFolder::BmpBytes(w, h));
}

CNavPaneWnd* DialogTest::Pane(HWND dialog, int id) {
    return dynamic_cast<CNavPaneWnd*>(CWnd::FromHandle(GetDlgItem(dialog, id)));
}

CNavPaneItem* DialogTest::ItemWithId(CNavPaneWnd& pane, int id) {
    CNavPaneItem* found = nullptr;
    pane.ForEachItem([&](CNavPaneItem* item) {
        if (!found && item->m_nId == id) found = item;
    });
    return found;
}

CNavPaneItem* DialogTest::ItemWithText(CNavPaneWnd& pane, const std::wstring& text) {
    CNavPaneItem* found = nullptr;
    pane.ForEachItem([&](CNavPaneItem* item) {
        if (!found && item->Text() == text) found = item;
    });
    return found;
}

std::vector<CNavPaneItem*> DialogTest::Rows(CNavPaneWnd& pane) {
    std::vector<CNavPaneItem*> rows;
    for (CNavPaneItem* item = pane.FirstItem(); item; item = pane.NextSibling(item)) rows.push_back(item);
    return rows;
}

void DialogTest::StoreAlbum(const std::wstring& name, const std::vector<std::wstring>& photos) {
    StoreText(AlbumPath(name, L"Slides"), L"timeout", L"7");
    wchar_t key[16];
    for (size_t i = 0; i < photos.size(); ++i) {
        swprintf(key, 16, L"%04d", static_cast<int>(i));
        StorePhoto(name, key, photos[i]);
    }
}

std::vector<std::wstring> DialogTest::ProfilesSnapshot() {
    std::vector<std::wstring> lines;
    std::function<void(const std::wstring&)> walk = [&](const std::wstring& path) {
        for (const std::wstring& name : ValueNames(path)) lines.push_back(path + L"=" + name + L"=" + ReadText(path, name.c_str()));
        for (const std::wstring& key : SubKeys(path)) walk(path + L"\\" + key);
    };
    walk(kProfiles);
    return lines;
}

std::vector<std::wstring> DialogTest::FileNames(const CWppProfile& album) {
    std::vector<std::wstring> names;
    for (const CSlide* photo : album.Photos()) {
        const std::wstring& path = photo->GetPath().Str();
        names.push_back(path.substr(path.find_last_of(L'\\') + 1));
    }
    return names;
}
