// The settings dialog over a stored album under Wine, in-process as the
// program opens it from its main window: the time until it is on screen, the
// time until the photo rows it shows have their thumbnails, and the longest
// gap between two messages the UI thread took meanwhile. A second thread
// posts a probe every few milliseconds, so an idle UI thread never shows a
// gap and a busy one cannot hide it.
//
//   dialog_timing store FOLDER COUNT   the album "Bench" of FOLDER\IMG_00001.jpg...
//   dialog_timing open                 one timed opening
// Each prints one JSON line.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <atomic>
#include <cstdio>
#include <cwchar>
#include <string>

#include "album/Slide.h"
#include "album/Thumbnails.h"
#include "bench/BenchClock.h"
#include "dialogs/SettingsDlg.h"
#include "dialogs/Wpp.h"
#include "res/dialogs.h"
#include "ui/ClassFactory.h"
#include "ui/NavPaneWnd.h"
#include "ui/ToolBarWnd.h"

namespace {

const wchar_t kProgramKey[] = L"Software\\Arvendal";
const wchar_t kProfilesKey[] = L"Software\\Arvendal\\Lumora\\Profiles";
const wchar_t kSlidesKey[] = L"Software\\Arvendal\\Lumora\\Profiles\\Bench\\Slides";
// Present: not a first run, so the album objects leave the autostart
// shortcut alone.
const wchar_t kNotFirstRunKey[] = L"Software\\Arvendal\\Lumora\\Options\\Windows\\Main";

const UINT kProbe = WM_APP + 0x51;
const DWORD kProbeEveryMs = 5;
const double kGiveUpMs = 180000;

bool SetText(HKEY key, const wchar_t* subKey, const wchar_t* name, const std::wstring& text)
{
    return RegSetKeyValueW(key, subKey, name, REG_SZ, text.c_str(),
                           static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

int Store(const std::wstring& folder, int count)
{
    RegDeleteTreeW(HKEY_CURRENT_USER, kProgramKey);
    HKEY slides = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kSlidesKey, 0, nullptr, 0, KEY_WRITE, nullptr, &slides, nullptr) !=
        ERROR_SUCCESS) {
        std::fprintf(stderr, "dialog_timing: cannot write the registry\n");
        return 1;
    }
    bool stored = SetText(slides, nullptr, L"timeout", L"7");
    wchar_t key[16], file[32];
    for (int n = 0; n < count && stored; ++n) {
        swprintf(key, 16, L"%04d", n);
        swprintf(file, 32, L"\\IMG_%05d.jpg", n + 1);
        stored = SetText(slides, key, L"pic_path", folder + file);
    }
    RegCloseKey(slides);
    HKEY options = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kNotFirstRunKey, 0, nullptr, 0, KEY_WRITE, nullptr, &options,
                        nullptr) == ERROR_SUCCESS)
        RegCloseKey(options);
    if (!stored || !SetText(HKEY_CURRENT_USER, kProfilesKey, L"Profile", L"Bench")) {
        std::fprintf(stderr, "dialog_timing: cannot write the registry\n");
        return 1;
    }
    std::printf("{\"stored\": %d}\n", count);
    return 0;
}

struct Prober {
    DWORD uiThread;
    std::atomic<bool> stop{false};
};

DWORD WINAPI ProbeLoop(void* param)
{
    auto* prober = static_cast<Prober*>(param);
    while (!prober->stop) {
        PostThreadMessageW(prober->uiThread, kProbe, 0, 0);
        Sleep(kProbeEveryMs);
    }
    return 0;
}

// Every photo row on screen has its thumbnail (or is known unusable), and the
// pane has drawn what arrived.
bool ShownRowsReady(CNavPaneWnd& pane, CThumbnails& thumbnails, int* shownRows)
{
    RECT client;
    GetClientRect(pane.Hwnd(), &client);
    bool ready = true;
    int shown = 0;
    pane.ForEachRow([&](CNavPaneItem* item, const NavRow& row) {
        if (row.top >= client.bottom) return false;
        if (row.top + row.height <= 0) return true;
        ++shown;
        const auto* photo = dynamic_cast<CSlide*>(item->m_pData);
        if (photo && thumbnails.KnownState(photo->GetPath()) == CThumbnails::Known::No) ready = false;
        return ready;
    });
    *shownRows = shown;
    return ready && shown > 0 && !GetUpdateRect(pane.Hwnd(), nullptr, FALSE);
}

int Open()
{
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    // As the program starts: its workers check every photo from here on.
    CWpp app;
    app.ReinitAlbum();
    app.Load();
    const int rows = static_cast<int>(app.Photos().size());
    const INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    RegisterWindowClassOf<CNavPaneWnd>();
    RegisterWindowClassOf<CToolBarWnd>();
    std::shared_ptr<CThumbnails> thumbnails = CThumbnails::Shared();

    const double start = NowMs();
    CSettingsDlg dialog(app);
    HWND hwnd = dialog.ShowModeless(nullptr, MAKEINTRESOURCEW(IDD_SETTINGS), nullptr);
    if (!hwnd) {
        std::fprintf(stderr, "dialog_timing: no dialog\n");
        return 1;
    }
    ShowWindow(hwnd, SW_SHOW);
    RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    const double visible = NowMs() - start;

    auto* pane = dynamic_cast<CNavPaneWnd*>(CWnd::FromHandle(GetDlgItem(hwnd, IDC_PAGE_ITEMS)));
    if (!pane) {
        std::fprintf(stderr, "dialog_timing: no photo pane\n");
        return 1;
    }
    Prober prober;
    prober.uiThread = GetCurrentThreadId();
    HANDLE probeThread = CreateThread(nullptr, 0, ProbeLoop, &prober, 0, nullptr);

    double filled = -1, maxGap = 0, maxDispatch = 0, last = NowMs();
    int shownRows = 0;
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        const double taken = NowMs();
        if (taken - last > maxGap) maxGap = taken - last;
        last = taken;
        if (msg.message != kProbe && !IsDialogMessageW(hwnd, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (NowMs() - taken > maxDispatch) maxDispatch = NowMs() - taken;
        if (ShownRowsReady(*pane, *thumbnails, &shownRows)) {
            filled = NowMs() - start;
            break;
        }
        if (taken - start > kGiveUpMs) break;
    }
    prober.stop = true;
    if (probeThread) {
        WaitForSingleObject(probeThread, INFINITE);
        CloseHandle(probeThread);
    }
    std::printf("{\"rows\": %d, \"shown_rows\": %d, \"visible_ms\": %.1f, \"filled_ms\": %.1f, "
                "\"max_gap_ms\": %.1f, \"max_dispatch_ms\": %.1f}\n",
                rows, shownRows, visible, filled, maxGap, maxDispatch);
    std::fflush(stdout);
    return filled < 0 ? 1 : 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc == 4 && std::wcscmp(argv[1], L"store") == 0) return Store(argv[2], _wtoi(argv[3]));
    if (argc == 2 && std::wcscmp(argv[1], L"open") == 0) return Open();
    std::fprintf(stderr, "usage: dialog_timing store FOLDER COUNT | dialog_timing open\n");
    return 2;
}
