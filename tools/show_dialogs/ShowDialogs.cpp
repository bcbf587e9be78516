// Opens one dialog on the test display and keeps it up for a while, for
// looking at it: show_dialogs <settings|album|about|addfolder> [page id] [seconds].
// Photos come from the folder in LUMORA_SHOT_PICTURES (Windows path); with
// LUMORA_SHOT_FOLLOW set the album follows that folder.

#include <windows.h>
#include <commctrl.h>

#include <cwchar>
#include <memory>
#include <string>

#include "album/FolderScan.h"
#include "dialogs/AboutDlg.h"
#include "dialogs/AddFolderDlg.h"
#include "dialogs/AlbumDlg.h"
#include "dialogs/SettingsDlg.h"
#include "dialogs/Wpp.h"
#include "res/dialogs.h"
#include "ui/ClassFactory.h"
#include "ui/NavPaneWnd.h"
#include "ui/ToolBarWnd.h"

namespace {

void RunFor(HWND window, int seconds) {
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    const DWORD end = GetTickCount() + static_cast<DWORD>(seconds) * 1000;
    MSG msg;
    while (GetTickCount() < end && IsWindow(window)) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!IsDialogMessageW(window, &msg)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
        Sleep(20);
    }
}

void ChoosePage(HWND dialog, int page) {
    auto* pages = dynamic_cast<CNavPaneWnd*>(CWnd::FromHandle(GetDlgItem(dialog, IDC_PAGE_LIST)));
    if (!pages || !page) return;
    pages->ForEachItem([&](CNavPaneItem* item) {
        if (item->m_nId == page) pages->SetCurrent(item);
    });
    pages->Redraw(true);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring what = argc > 1 ? argv[1] : L"settings";
    const int page = argc > 2 ? _wtoi(argv[2]) : 0;
    const int seconds = argc > 3 ? _wtoi(argv[3]) : 8;
    const INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    RegisterWindowClassOf<CNavPaneWnd>();
    RegisterWindowClassOf<CToolBarWnd>();

    CWpp app;
    app.ReinitAlbum();
    app.Load();
    if (app.Photos().empty()) {
        wchar_t folder[MAX_PATH] = L"";
        GetEnvironmentVariableW(L"LUMORA_SHOT_PICTURES", folder, MAX_PATH);
        // LUMORA_SHOT_FOLLOW: the album follows that folder.
        if (GetEnvironmentVariableW(L"LUMORA_SHOT_FOLLOW", nullptr, 0)) {
            app.Folder().SetValue(folder);
            app.Subfolders().SetValue(1);
            for (const PictureFile& file : ListPictureTree(folder, true, nullptr).files) app.AddPhoto(file.path);
        } else {
            app.ScanFolder(folder);
        }
        // A second album to list; the application's save names the current one.
        CWppProfile other;
        other.SetSingleInstance(false);
        other.PointAt(L"Holidays at the sea");
        other.Save();
        app.Save();
    }
    if (what == L"addfolder") {
        CAddFolderDlg dialog;
        RunFor(dialog.ShowModeless(nullptr, MAKEINTRESOURCEW(IDD_ADD_FOLDER), nullptr), seconds);
    } else if (what == L"about") {
        CAboutDlg about(app);
        RunFor(about.ShowModeless(nullptr, MAKEINTRESOURCEW(IDD_ABOUT), nullptr), seconds);
    } else if (what == L"album") {
        CCollector<CWppProfile*> albums;
        CAlbumDlg dialog(&app, albums);
        HWND window = dialog.ShowModeless(nullptr, MAKEINTRESOURCEW(IDD_ALBUM), nullptr);
        ChoosePage(window, page);
        RunFor(window, seconds);
        albums.RemoveAll();
    } else {
        CSettingsDlg dialog(app);
        HWND window = dialog.ShowModeless(nullptr, MAKEINTRESOURCEW(IDD_SETTINGS), nullptr);
        ChoosePage(window, page);
        RunFor(window, seconds);
    }
    return 0;
}
