#include "tests/dialogs/DialogTest.h"

#include <commctrl.h>

#include <algorithm>

#include "ui/ClassFactory.h"
#include "ui/ToolBarWnd.h"

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

void DialogTest::AnswerMessageBox(int button, std::wstring* text) {
    OnNextBox("a message box", [button, text](HWND box) {
        if (text) {
            wchar_t buffer[512] = L"";
            GetDlgItemTextW(box, 0xFFFF, buffer, 512);
            *text = buffer;
        }
        PostMessageW(box, WM_COMMAND, static_cast<WPARAM>(button), 0);
        return true;
    });
}

std::wstring DialogTest::Picture(const wchar_t* name, int w, int h) {
    return TempFolder::File(Folder() + L"\\" + name, BmpBytes(w, h));
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

std::vector<std::wstring> DialogTest::FileNames(const CWppProfile& album) {
    std::vector<std::wstring> names;
    for (const CSlide* photo : album.Photos()) {
        const std::wstring& path = photo->GetPath().Str();
        names.push_back(path.substr(path.find_last_of(L'\\') + 1));
    }
    return names;
}
