// One start of the real program under Wine, timed from outside: until its
// main window is up, until the first photo is on the desktop, until the
// strip's five thumbnails are drawn once the pointer enters the slide window;
// then the pictures it decoded (it answers a registered message), its private
// bytes with the settings dialog open, and its exit with the album saved.
// Prints "name value" lines for bench/library_bench.py.
//
//   start_timing <cold|warm> <album folder> <photos> [fill] [strip] [settings]
//                [idle=<seconds>] [soak=<switches>] [exe=<program>] [exit]
//
// cold: a fresh account (first run, the album found through "InstallPath")
// and an empty thumbnail cache; warm: the registry and cache the last run
// left. fill: waits until every photo has its thumbnail on disk. idle: the
// program's CPU over that long with the pointer away and no switch due.
// soak: that many "Next photo" switches, with the strip shown and hidden,
// and the settings dialog opened and closed, between two counts of private
// bytes, handles, GDI and USER objects. exe: another build's program.

#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>

#include <cstdio>
#include <functional>
#include <string>

#include "app/TrayMenu.h"
#include "dialogs/MainDlg.h"
#include "picture/DecodeCount.h"
#include "bench/EmptyThumbnailCache.h"
#include "res/dialogs.h"
#include "tests/app/LumoraProcess.h"

using namespace lumora_test;

namespace {

const DWORD kPollMs = 10;
// A start of 12,000 photos that has not happened in this long has failed.
const double kGiveUpSeconds = 600;

class CClock {
public:
    CClock() {
        QueryPerformanceFrequency(&m_frequency);
        QueryPerformanceCounter(&m_start);
    }
    double Seconds() const {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        return double(now.QuadPart - m_start.QuadPart) / double(m_frequency.QuadPart);
    }

private:
    LARGE_INTEGER m_frequency, m_start;
};

// GetWindowText reads another process's title without a message, so a busy
// UI thread does not delay the finding.
std::wstring Title(HWND hwnd) {
    wchar_t text[128] = {};
    GetWindowTextW(hwnd, text, 128);
    return text;
}

std::wstring ClassName(HWND hwnd) {
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    return name;
}

HWND FindWindowOf(const CLumoraProcess& lumora, const std::function<bool(HWND)>& match) {
    for (HWND hwnd : lumora.Windows())
        if (match(hwnd)) return hwnd;
    return nullptr;
}

HWND MainWindow(const CLumoraProcess& lumora) {
    return FindWindowOf(lumora, [](HWND hwnd) {
        return ClassName(hwnd) == L"#32770" && Title(hwnd) == kTitle && GetDlgItem(hwnd, 1033);
    });
}

HWND ShownDialog(const CLumoraProcess& lumora, const std::wstring& caption) {
    return FindWindowOf(lumora, [&](HWND hwnd) {
        return IsWindowVisible(hwnd) && ClassName(hwnd) == L"#32770" && Title(hwnd) == caption;
    });
}

// The first run's notice would hold the exit behind a modal box.
void DismissFirstRunNotice(const CLumoraProcess& lumora) {
    if (HWND box = ShownDialog(lumora, L"First run info")) PressButton(box, IDOK);
}

// Polls until done() holds; false when the program ended or the wait ran out.
bool PollUntil(const CLumoraProcess& lumora, const std::function<bool()>& done, DWORD pollMs = kPollMs) {
    const CClock waited;
    while (!done()) {
        if (!lumora.Running() || waited.Seconds() > kGiveUpSeconds) return false;
        DismissFirstRunNotice(lumora);
        Sleep(pollMs);
    }
    return true;
}

// True once the window's thread has handled everything sent before.
bool Answers(HWND hwnd, UINT timeoutMs) {
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutW(hwnd, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &ignored) != 0;
}

long Decodes(HWND main, DecodeKind kind) {
    static const UINT message = RegisterWindowMessageW(CMainDlg::kDecodeCountMessage);
    DWORD_PTR count = 0;
    SendMessageTimeoutW(main, message, static_cast<WPARAM>(kind), 0, SMTO_NORMAL, 60000, &count);
    return static_cast<long>(count);
}

void Print(const char* name, double value) {
    printf("%s %.6g\n", name, value);
    fflush(stdout);
}

// The slide window shows at its first size before the first photo is decoded;
// the photo gives it its own.
bool PhotoShown(HWND slide) {
    RECT rect;
    return slide && IsWindowVisible(slide) && GetWindowRect(slide, &rect) &&
           !(rect.right - rect.left == 200 && rect.bottom - rect.top == 200);
}

// A strip cell's middle in the placeholder's grey means its thumbnail is not
// drawn yet; the strip's own background there means the strip is not drawn.
bool StripCellsDrawn(HWND strip, int cells) {
    RECT rect;
    if (!GetWindowRect(strip, &rect)) return false;
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (width < cells || height <= 0) return false;
    HDC screen = GetDC(nullptr);
    bool drawn = true;
    const COLORREF placeholder = RGB(0xA0, 0xA0, 0xA0);
    const COLORREF background = GetSysColor(COLOR_WINDOWTEXT);
    const int cell = width / cells;
    for (int i = 0; i < cells && drawn; ++i) {
        const COLORREF middle = GetPixel(screen, rect.left + i * cell + cell / 2, rect.top + height / 2);
        drawn = middle != CLR_INVALID && middle != placeholder && middle != background;
    }
    ReleaseDC(nullptr, screen);
    return drawn;
}

struct Memory {
    uint64_t now = 0;
    uint64_t peak = 0;
};

Memory PrivateBytes(DWORD pid) {
    Memory memory;
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (!process) return memory;
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof(counters);
    const bool read = GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                                           sizeof(counters)) != FALSE;
    CloseHandle(process);
    if (!read) return memory;
    // Windows gives both the commit charge; Wine fills in only PagefileUsage
    // for another process (its anonymous resident memory).
    memory.now = counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
    memory.peak = counters.PeakPagefileUsage;
    return memory;
}

// The decode helpers of the program, together.
Memory HelpersPrivateBytes(DWORD parent) {
    Memory total;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        if (entry.th32ParentProcessID != parent) continue;
        const Memory helper = PrivateBytes(entry.th32ProcessID);
        total.now += helper.now;
        total.peak += helper.peak;
    }
    CloseHandle(snapshot);
    return total;
}

bool HasOption(int argc, wchar_t** argv, const wchar_t* option) {
    for (int i = 4; i < argc; ++i)
        if (wcscmp(argv[i], option) == 0) return true;
    return false;
}

// The text after "<name>=", or empty.
std::wstring OptionValue(int argc, wchar_t** argv, const wchar_t* name) {
    const size_t length = wcslen(name);
    for (int i = 4; i < argc; ++i)
        if (wcsncmp(argv[i], name, length) == 0 && argv[i][length] == L'=') return argv[i] + length + 1;
    return std::wstring();
}

double CpuSeconds(DWORD pid) {
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, pid);
    FILETIME created, ended, kernel, user;
    const bool read = process && GetProcessTimes(process, &created, &ended, &kernel, &user);
    if (process) CloseHandle(process);
    if (!read) return 0;
    const auto seconds = [](const FILETIME& t) {
        return double((uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

struct Resources {
    double privateMb;
    DWORD handles, gdi, user;
};

Resources CountResources(DWORD pid) {
    Resources counts = {PrivateBytes(pid).now / 1048576.0, 0, 0, 0};
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, pid);
    if (!process) return counts;
    GetProcessHandleCount(process, &counts.handles);
    counts.gdi = GetGuiResources(process, GR_GDIOBJECTS);
    counts.user = GetGuiResources(process, GR_USEROBJECTS);
    CloseHandle(process);
    return counts;
}

void PrintResources(const char* when, const Resources& counts) {
    const std::string at(when);
    Print((at + "_private_mb").c_str(), counts.privateMb);
    Print((at + "_handles").c_str(), counts.handles);
    Print((at + "_gdi").c_str(), counts.gdi);
    Print((at + "_user").c_str(), counts.user);
}

// The pointer over the slide window until the strip is up, then away.
// The frame is looked for anew: a change of fullscreen makes its window again.
bool ShowAndHideStrip(const CLumoraProcess& lumora) {
    RECT rect;
    if (!GetWindowRect(lumora.FindShownWindow(L"SlideWnd"), &rect)) return false;
    SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    const bool shown = PollUntil(lumora, [&] { return lumora.FindShownWindow(L"DX_BandWnd") != nullptr; });
    SetCursorPos(0, 0);
    return shown;
}

struct ControlSearch {
    int id;
    HWND found;
};

BOOL CALLBACK FindControlStep(HWND child, LPARAM param) {
    auto* search = reinterpret_cast<ControlSearch*>(param);
    if (GetDlgCtrlID(child) != search->id) return TRUE;
    search->found = child;
    return FALSE;
}

// With the fullscreen box turned over and OK: the show is placed anew in the
// other mode.
bool ToggleFullscreenInSettings(const CLumoraProcess& lumora, HWND main) {
    PostMessageW(main, WM_COMMAND, IDC_MAIN_SETTINGS, 0);
    HWND settings = nullptr;
    if (!PollUntil(lumora, [&] { return (settings = ShownDialog(lumora, L"Lumora options")) != nullptr; }))
        return false;
    Answers(settings, 60000);
    // The box sits on a page, a child dialog of its own.
    ControlSearch search = {IDC_FULLSCREEN, nullptr};
    EnumChildWindows(settings, FindControlStep, reinterpret_cast<LPARAM>(&search));
    if (!search.found) return false;
    SendMessageW(search.found, BM_CLICK, 0, 0);
    PressButton(settings, IDOK);
    return PollUntil(lumora, [&] { return !IsWindow(settings); }) && Answers(main, 60000);
}

// One round of what the soak repeats: `switches` photos, the strip every
// tenth (in the window only: a fullscreen frame lets the pointer through),
// and at the end the settings dialog turning fullscreen on or off.
bool SoakRound(const CLumoraProcess& lumora, HWND main, long switches, bool& fullscreen) {
    for (long i = 0; i < switches; ++i) {
        // A switch is done once its photo was decoded for the screen.
        const long shown = Decodes(main, DecodeKind::kShownFull);
        PostMessageW(main, WM_COMMAND, CTrayMenu::kNextPhoto, 0);
        if (!PollUntil(lumora, [&] { return Decodes(main, DecodeKind::kShownFull) > shown; }, 5)) return false;
        if (!fullscreen && i % 10 == 9 && !ShowAndHideStrip(lumora)) return false;
    }
    fullscreen = !fullscreen;
    return ToggleFullscreenInSettings(lumora, main);
}

int Fail(const char* what) {
    printf("failed %s\n", what);
    return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) {
        fprintf(stderr, "start_timing <cold|warm> <album folder> <photos> [fill] [strip] [settings] [exit]\n");
        return 2;
    }
    const bool cold = wcscmp(argv[1], L"cold") == 0;
    const std::wstring folder = argv[2];
    const long photos = wcstol(argv[3], nullptr, 10);
    if (cold) {
        ResetRegistry();
        EmptyThumbnailCache();
        WriteValue(L"Options", L"InstallPath", folder);
    }
    WriteValue(L"Options\\Common", L"ConfirmExit", L"0");

    CLumoraProcess lumora;
    const std::wstring exe = OptionValue(argc, argv, L"exe");
    const CClock clock;
    if (!(exe.empty() ? lumora.Start() : lumora.Start(exe))) return Fail("to start");
    // Later starts put the main window straight into the tray: there it counts once made.
    HWND main = nullptr;
    if (!PollUntil(lumora, [&] { return (main = MainWindow(lumora)) && (!cold || IsWindowVisible(main)); }))
        return Fail("main window");
    Print("main_s", clock.Seconds());

    HWND slide = nullptr;
    if (photos > 0) {
        if (!PollUntil(lumora, [&] { return PhotoShown(slide = lumora.FindShownWindow(L"SlideWnd")); }) ||
            !Answers(slide, 60000))
            return Fail("first photo");
        Print("photo_s", clock.Seconds());
    }

    if (HasOption(argc, argv, L"fill")) {
        if (!PollUntil(lumora, [&] {
                return Decodes(main, DecodeKind::kThumbnailFromExif) + Decodes(main, DecodeKind::kThumbnailFull) >=
                       photos;
            }, 200))
            return Fail("thumbnails");
        Print("fill_s", clock.Seconds());
    }

    if (HasOption(argc, argv, L"strip") && slide) {
        RECT rect;
        GetWindowRect(slide, &rect);
        const CClock pointer;
        SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        HWND strip = nullptr;
        if (!PollUntil(lumora, [&] {
                return (strip = lumora.FindShownWindow(L"DX_BandWnd")) && StripCellsDrawn(strip, 5);
            }))
            return Fail("strip");
        Print("strip_s", pointer.Seconds());
        SetCursorPos(0, 0);
    }

    Print("thumb_exif_decodes", Decodes(main, DecodeKind::kThumbnailFromExif));
    Print("thumb_full_decodes", Decodes(main, DecodeKind::kThumbnailFull));
    Print("shown_full_decodes", Decodes(main, DecodeKind::kShownFull));

    const std::wstring idle = OptionValue(argc, argv, L"idle");
    if (!idle.empty() && slide) {
        SetCursorPos(0, 0);
        // The start's thumbnails and fades are over first.
        Answers(main, 60000);
        Sleep(5000);
        const double before = CpuSeconds(lumora.Id());
        const CClock idling;
        Sleep(static_cast<DWORD>(_wtof(idle.c_str()) * 1000));
        Print("idle_cpu_pct", 100 * (CpuSeconds(lumora.Id()) - before) / idling.Seconds());
    }

    const long soak = wcstol(OptionValue(argc, argv, L"soak").c_str(), nullptr, 10);
    if (soak > 0 && slide) {
        const long round = 100;
        // What a first round makes once (caches, fonts, the dialog's class) is not growth.
        bool fullscreen = false;
        if (!SoakRound(lumora, main, round, fullscreen)) return Fail("soak");
        const Resources start = CountResources(lumora.Id());
        const CClock soaking;
        for (long done = 0; done < soak; done += round)
            if (!SoakRound(lumora, main, round, fullscreen)) return Fail("soak");
        Print("soak_s", soaking.Seconds());
        PrintResources("soak_start", start);
        PrintResources("soak_end", CountResources(lumora.Id()));
    }

    if (HasOption(argc, argv, L"settings")) {
        const CClock opening;
        PostMessageW(main, WM_COMMAND, IDC_MAIN_SETTINGS, 0);
        HWND settings = nullptr;
        if (!PollUntil(lumora, [&] { return (settings = ShownDialog(lumora, L"Lumora options")) != nullptr; }))
            return Fail("settings dialog");
        Print("settings_s", opening.Seconds());
        // The visible rows' thumbnails come from the workers meanwhile.
        Answers(settings, 60000);
        Sleep(3000);
        Answers(settings, 60000);
        const Memory own = PrivateBytes(lumora.Id()), helpers = HelpersPrivateBytes(lumora.Id());
        Print("private_mb", own.now / 1048576.0);
        Print("peak_private_mb", own.peak / 1048576.0);
        Print("helper_private_mb", helpers.now / 1048576.0);
        Print("helper_peak_mb", helpers.peak / 1048576.0);
        return 0;
    }

    if (HasOption(argc, argv, L"exit")) {
        const CClock exiting;
        // What the tray menu's exit item sends.
        PostMessageW(main, WM_COMMAND, IDCANCEL, 0);
        DWORD code = 1;
        if (!lumora.WaitExit(code, 60000)) return Fail("exit");
        Print("exit_s", exiting.Seconds());
        wchar_t last[16];
        swprintf(last, 16, L"%04ld", photos - 1);
        std::wstring stored;
        Print("stored", photos == 0 || ReadValue(std::wstring(L"Profiles\\Default\\Slides\\") + last, L"pic_path",
                                                  stored));
    }
    return 0;
}
