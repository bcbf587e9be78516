// CPU of the frame while a fullscreen program hides it, against the same
// frame shown and idle, each over the same span (60 s by default), in this
// process under Wine. The fullscreen window is test_cover_window's, another
// process over the whole primary monitor.
//
//   hidden_cpu [seconds]
//
// Prints "name value" lines; the verdict: hidden under 0.2 % of one core.

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "bench/BenchClock.h"
#include "slideshow/DesktopWatch.h"
#include "slideshow/SlideWnd.h"
#include "tests/slideshow/ShowTest.h"
#include "tests/support/BmpFile.h"

namespace {

class CTwoPhotos : public ISlideAlbum {
public:
    explicit CTwoPhotos(const std::wstring& folder) : m_red(folder + L"\\red.bmp"), m_blue(folder + L"\\blue.bmp")
    {
        WriteBmp(m_red, 400, 300, RGB(220, 30, 30));
        WriteBmp(m_blue, 300, 200, RGB(30, 30, 220));
    }
    SlideSettings Settings() const override { return SlideSettings(); }
    void SetMaximized(bool) override {}
    void SetPlacement(int, int, int, int, const tstr&) override {}
    int PhotoCount() const override { return 2; }
    tstr PhotoPath(int index) const override { return tstr(index == 0 ? m_red.c_str() : m_blue.c_str()); }
    const CBmp* Thumbnail(int) override { return nullptr; }
    int CurrentIndex() const override { return m_index; }
    void SetCurrentIndex(int index) override { m_index = index; }

private:
    std::wstring m_red, m_blue;
    int m_index = 0;
};

double CpuMs()
{
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto ms = [](const FILETIME& t) {
        return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e4;
    };
    return ms(kernel) + ms(user);
}

// Serves this thread's messages for `seconds`; the CPU share of one core.
double CpuPercentOver(double seconds)
{
    const double cpu = CpuMs();
    const double start = NowMs();
    for (;;) {
        const double left = seconds * 1000 - (NowMs() - start);
        if (left <= 0)
            break;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left) + 1, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
    }
    return 100.0 * (CpuMs() - cpu) / (NowMs() - start);
}

std::wstring CoverExe()
{
    // The cross build's Unix path; Wine shows the Unix root as drive Z:.
    std::wstring path = L"Z:";
    for (const char* c = LUMORA_COVER_EXE; *c; ++c)
        path += *c == '/' ? L'\\' : static_cast<wchar_t>(*c);
    return path;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    const double seconds = argc > 1 ? _wtof(argv[1]) : 60.0;
    if (!CSlideWnd::RegisterClasses())
        return 1;
    TempFolder folder;
    CTwoPhotos album(folder.Path());
    CSlideWnd show;
    CDesktopWatch watch(show);
    show.SetAlbum(&album);
    if (!show.Start() || !watch.Start())
        return 1;
    CpuPercentOver(1);   // the first paint and fade out of the way
    const double shown = CpuPercentOver(seconds);

    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    std::wstring line = L"\"" + CoverExe() + L"\" 0 0 " + std::to_wstring(w) + L" " + std::to_wstring(h);
    STARTUPINFOW start = {};
    start.cb = sizeof(start);
    PROCESS_INFORMATION cover = {};
    if (!CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &start, &cover))
        return 1;
    const double wait = NowMs();
    while (IsWindowVisible(show.Hwnd()) && NowMs() - wait < 10000)
        CpuPercentOver(0.05);
    const bool hidden = !IsWindowVisible(show.Hwnd());
    const double covered = CpuPercentOver(seconds);
    TerminateProcess(cover.hProcess, 0);
    CloseHandle(cover.hProcess);
    CloseHandle(cover.hThread);

    std::printf("seconds %.0f\n", seconds);
    std::printf("shown_idle_cpu_percent %.4f\n", shown);
    std::printf("hidden_fullscreen_cpu_percent %.4f\n", covered);
    std::printf("hidden_to_shown_ratio %.3f\n", shown > 0 ? covered / shown : 0.0);
    const bool pass = hidden && covered < 0.2;
    std::printf("verdict %s\n", !hidden ? "FAIL (the frame was not hidden)" : pass ? "PASS" : "FAIL");
    watch.Stop();
    show.Stop();
    return pass ? 0 : 1;
}
