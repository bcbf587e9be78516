#pragma once
// Every wait of a Win32 test ends by a deadline, in a failure that names what
// did not come, never in a hang that only the test run's timeout ends.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

// Longest wait for a box, window, timer tick or picture that comes within a
// second or two in a good run.
constexpr DWORD kWaitMs = 8000;

class CDeadline {
public:
    explicit CDeadline(DWORD ms = kWaitMs) : m_start(GetTickCount()), m_ms(ms) {}
    bool Passed() const { return Elapsed() >= m_ms; }
    DWORD Left() const { return Passed() ? 0 : m_ms - Elapsed(); }
    // The failure "<what> did not come within N s".
    ::testing::AssertionResult Missed(const std::string& what) const;

private:
    DWORD Elapsed() const { return GetTickCount() - m_start; }

    DWORD m_start;
    DWORD m_ms;
};

// For failure messages.
std::string Utf8(const std::wstring& text);

// Dispatches what is queued for this thread right now.
void PumpPending();
// Dispatches this thread's messages until done() holds, or fails naming `what`.
::testing::AssertionResult WaitUntil(const std::string& what, const std::function<bool()>& done,
                                     DWORD ms = kWaitMs);
// Dispatches this thread's messages until timer `id` of `hwnd` ticked, or
// fails naming `what`: what the tick looks at has been looked at.
::testing::AssertionResult WaitForTick(HWND hwnd, UINT_PTR id, const std::string& what, DWORD ms = kWaitMs);
// Takes the next message of this thread in [first, last] off the queue,
// leaving the others queued, or fails naming `what`.
::testing::AssertionResult NextMessage(MSG& msg, UINT first, UINT last, const std::string& what,
                                       DWORD ms = kWaitMs);
