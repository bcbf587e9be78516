// How long the real program's UI thread stalls while its show switches
// photos: a thread sends WM_NULL to the main window every 5 ms and keeps the
// longest round trip, while the show is switched by its timer and by the
// tray menu's "Next photo". Prints "name value" lines for bench/switch_bench.py.
//
//   switch_timing <album folder> <switches> [lumora.exe]
//
// The album is made from the folder at a first start (a fresh account), then
// shown in a 640 x 480 frame at a second one; without an exe, this build's.

#include <windows.h>

#include <atomic>
#include <cstdio>
#include <string>

#include "app/TrayMenu.h"
#include "dialogs/MainDlg.h"
#include "picture/DecodeCount.h"
#include "bench/EmptyThumbnailCache.h"
#include "slideshow/SlideWnd.h"
#include "tests/app/LumoraProcess.h"

using namespace lumora_test;

namespace {

const DWORD kPingEveryMs = 5;
// Long enough for the slowest decode of the peer to end before the next switch.
const DWORD kSwitchGapMs = 4000;

double Now()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return double(now.QuadPart) / double(frequency.QuadPart);
}

struct Pinger {
    HWND target = nullptr;
    std::atomic<bool> stop{false};
    std::atomic<long> longestUs{0};

    static DWORD WINAPI Main(void* param)
    {
        Pinger& p = *static_cast<Pinger*>(param);
        while (!p.stop) {
            const double sent = Now();
            DWORD_PTR ignored = 0;
            SendMessageTimeoutW(p.target, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &ignored);
            const long us = static_cast<long>((Now() - sent) * 1e6);
            if (us > p.longestUs)
                p.longestUs = us;
            Sleep(kPingEveryMs);
        }
        return 0;
    }
};

void Print(const char* name, double value)
{
    printf("%s %.6g\n", name, value);
    fflush(stdout);
}

int Fail(const char* what)
{
    printf("failed %s\n", what);
    return 1;
}

bool Start(CLumoraProcess& lumora, const std::wstring& exe)
{
    return exe.empty() ? lumora.Start() : lumora.Start(exe);
}

// Polls until done() holds or a minute passed.
template <class Done>
bool PollUntil(Done done)
{
    for (int i = 0; i < 6000; ++i) {
        if (done())
            return true;
        Sleep(10);
    }
    return false;
}

bool PhotoShown(HWND slide)
{
    RECT rect;
    return slide && IsWindowVisible(slide) && GetWindowRect(slide, &rect) &&
           !(rect.right - rect.left == 200 && rect.bottom - rect.top == 200);
}

long Decodes(HWND main, DecodeKind kind)
{
    static const UINT message = RegisterWindowMessageW(CMainDlg::kDecodeCountMessage);
    DWORD_PTR count = 0;
    SendMessageTimeoutW(main, message, static_cast<WPARAM>(kind), 0, SMTO_NORMAL, 60000, &count);
    return static_cast<long>(count);
}

// The longest stall of `switches` switches made by `post`, in ms.
template <class Post>
double LongestStall(Pinger& pinger, int switches, Post post)
{
    long longest = 0;
    for (int i = 0; i < switches; ++i) {
        pinger.longestUs = 0;
        post();
        Sleep(kSwitchGapMs);
        if (pinger.longestUs > longest)
            longest = pinger.longestUs;
    }
    return longest / 1000.0;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3) {
        fprintf(stderr, "switch_timing <album folder> <switches> [lumora.exe]\n");
        return 2;
    }
    const std::wstring folder = argv[1];
    const int switches = static_cast<int>(wcstol(argv[2], nullptr, 10));
    const std::wstring exe = argc > 3 ? argv[3] : L"";

    ResetRegistry();
    EmptyThumbnailCache();
    WriteValue(L"Options", L"InstallPath", folder);
    WriteValue(L"Options\\Common", L"ConfirmExit", L"0");
    {
        CLumoraProcess first;
        HWND main = nullptr;
        if (!Start(first, exe) || !PollUntil([&] { return (main = first.FindMainWindow()) != nullptr; }) ||
            !PollUntil([&] { return PhotoShown(first.FindShownWindow(L"SlideWnd")); }))
            return Fail("first start");
        if (HWND box = first.FindDialog(L"First run info"))
            PressButton(box, IDOK);
        PostMessageW(main, WM_COMMAND, IDCANCEL, 0);
        DWORD code = 1;
        if (!first.WaitExit(code, 60000))
            return Fail("first exit");
    }
    MarkNotFirstRun();
    WriteValue(L"Profiles\\Default\\Slides", L"SizeX", L"640");
    WriteValue(L"Profiles\\Default\\Slides", L"SizeY", L"480");

    CLumoraProcess lumora;
    HWND main = nullptr;
    HWND slide = nullptr;
    if (!Start(lumora, exe) || !PollUntil([&] { return (main = lumora.FindMainWindow()) != nullptr; }) ||
        !PollUntil([&] { return PhotoShown(slide = lumora.FindShownWindow(L"SlideWnd")); }))
        return Fail("show");
    // The thumbnail workers are done: only the show's work is measured.
    Sleep(kSwitchGapMs);
    const long before = Decodes(main, DecodeKind::kShownFull);

    Pinger pinger;
    pinger.target = main;
    HANDLE thread = CreateThread(nullptr, 0, Pinger::Main, &pinger, 0, nullptr);
    if (!thread)
        return Fail("pinger");
    Print("timer_stall_ms", LongestStall(pinger, switches, [&] {
              PostMessageW(slide, WM_TIMER, CSlideWnd::kSwitchTimer, 0);
          }));
    Print("next_stall_ms", LongestStall(pinger, switches, [&] {
              PostMessageW(main, WM_COMMAND, CTrayMenu::kNextPhoto, 0);
          }));
    pinger.stop = true;
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    Print("shown_decodes_per_switch", double(Decodes(main, DecodeKind::kShownFull) - before) / (2 * switches));

    PostMessageW(main, WM_COMMAND, IDCANCEL, 0);
    DWORD code = 1;
    lumora.WaitExit(code, 60000);
    return 0;
}
