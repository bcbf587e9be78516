#include "tests/support/BoxWatch.h"

#include "tests/support/Deadline.h"

#include <memory>

namespace {

constexpr UINT kTickMs = 40;
// Ticks further apart than this belong to different modal loops.
constexpr DWORD kSameLoopMs = 1000;

struct Answer {
    std::string what;
    std::function<bool(HWND)> step;
    CDeadline deadline;
};

UINT_PTR g_timer = 0;
std::unique_ptr<Answer> g_answer;
// The box on top with nothing to answer it, and since when.
HWND g_unanswered = nullptr;
CDeadline g_unansweredSince;
DWORD g_lastTick = 0;

BOOL CALLBACK FindBox(HWND hwnd, LPARAM found) {
    wchar_t name[16] = L"";
    GetClassNameW(hwnd, name, 16);
    if (IsWindowVisible(hwnd) && std::wstring(name) == L"#32770" && !(GetWindowLongW(hwnd, GWL_STYLE) & WS_CHILD) &&
        GetWindow(hwnd, GW_ENABLEDPOPUP) == nullptr) {
        *reinterpret_cast<HWND*>(found) = hwnd;
    }
    return TRUE;
}

HWND TopBox() {
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindBox, reinterpret_cast<LPARAM>(&box));
    return box;
}

// Caption and message of a box, for a failure message.
std::string Describe(HWND box) {
    wchar_t caption[128] = L"";
    wchar_t text[256] = L"";
    GetWindowTextW(box, caption, 128);
    GetDlgItemTextW(box, 0xFFFF, text, 256);
    return "the box \"" + Utf8(caption) + "\" (" + Utf8(text) + ")";
}

void EndBox(HWND box) { EndDialog(box, IDCANCEL); }

void CALLBACK WatchTimer(HWND, UINT, UINT_PTR, DWORD) {
    const DWORD now = GetTickCount();
    const bool sameLoop = now - g_lastTick < kSameLoopMs;
    g_lastTick = now;
    HWND box = TopBox();
    if (g_answer) {
        g_unanswered = nullptr;
        // The step may open the next box; it must not run twice at once.
        std::unique_ptr<Answer> answer = std::move(g_answer);
        if (box && answer->step(box)) return;
        if (answer->deadline.Passed()) {
            ADD_FAILURE() << answer->deadline.Missed(answer->what).message()
                          << (box ? "; ended " + Describe(box) + " instead" : std::string());
            if (box) EndBox(box);
            return;
        }
        if (!g_answer) g_answer = std::move(answer);
        return;
    }
    if (!box) {
        g_unanswered = nullptr;
    } else if (box != g_unanswered || !sameLoop) {
        g_unanswered = box;
        g_unansweredSince = CDeadline();
    } else if (g_unansweredSince.Passed()) {
        g_unanswered = nullptr;
        ADD_FAILURE() << Describe(box) << " stayed open " << kWaitMs / 1000.0
                      << " s with nothing to answer it; ended it";
        EndBox(box);
    }
}

}  // namespace

CBoxWatch::CBoxWatch() {
    g_lastTick = 0;
    g_unanswered = nullptr;
    g_timer = SetTimer(nullptr, 0, kTickMs, WatchTimer);
}

CBoxWatch::~CBoxWatch() {
    KillTimer(nullptr, g_timer);
    g_timer = 0;
    if (g_answer) ADD_FAILURE() << g_answer->what << " never came";
    g_answer.reset();
}

void CBoxWatch::OnNextBox(const std::string& what, std::function<bool(HWND box)> step) {
    g_answer.reset(new Answer{what, std::move(step), CDeadline()});
}

bool CBoxWatch::Pending() { return g_answer != nullptr; }
