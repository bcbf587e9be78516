#include "tests/support/Deadline.h"

namespace {

// How often a condition is polled when no message wakes the wait.
constexpr DWORD kPollMs = 20;

void WaitForMessage(DWORD ms) { MsgWaitForMultipleObjects(0, nullptr, FALSE, ms, QS_ALLINPUT); }

// Dispatches what is queued for this thread; true when timer `id` of `hwnd` ticked.
bool DispatchQueued(HWND hwnd, UINT_PTR id) {
    bool ticked = false;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
        ticked = ticked || (hwnd && msg.message == WM_TIMER && msg.hwnd == hwnd && msg.wParam == id);
    }
    return ticked;
}

}  // namespace

std::string Utf8(const std::wstring& text) {
    const int size = static_cast<int>(text.size());
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), size, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(std::max(bytes, 0)), '\0');
    if (bytes > 0) WideCharToMultiByte(CP_UTF8, 0, text.c_str(), size, &out[0], bytes, nullptr, nullptr);
    return out;
}

void PumpPending() { DispatchQueued(nullptr, 0); }

::testing::AssertionResult CDeadline::Missed(const std::string& what) const {
    return ::testing::AssertionFailure() << what << " did not come within " << m_ms / 1000.0 << " s";
}

::testing::AssertionResult WaitUntil(const std::string& what, const std::function<bool()>& done, DWORD ms) {
    const CDeadline deadline(ms);
    for (;;) {
        PumpPending();
        if (done()) return ::testing::AssertionSuccess();
        if (deadline.Passed()) return deadline.Missed(what);
        WaitForMessage(std::min(kPollMs, deadline.Left()));
    }
}

::testing::AssertionResult WaitForTick(HWND hwnd, UINT_PTR id, const std::string& what, DWORD ms) {
    const CDeadline deadline(ms);
    while (!DispatchQueued(hwnd, id)) {
        if (deadline.Passed()) return deadline.Missed(what);
        WaitForMessage(std::min(kPollMs, deadline.Left()));
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult NextMessage(MSG& msg, UINT first, UINT last, const std::string& what, DWORD ms) {
    const CDeadline deadline(ms);
    while (!PeekMessageW(&msg, nullptr, first, last, PM_REMOVE)) {
        if (deadline.Passed()) return deadline.Missed(what);
        WaitForMessage(std::min(kPollMs, deadline.Left()));
    }
    return ::testing::AssertionSuccess();
}
