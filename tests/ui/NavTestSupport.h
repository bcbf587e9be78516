#pragma once
// Helpers of the navigation pane and tool bar window tests: a plain parent
// window that records the commands posted to it, and a control rendered into
// a 32-bit DIB through WM_PRINTCLIENT.

#include <windows.h>

#include <vector>

#include "tests/ui/DibSurface.h"

class CNavTestParent {
public:
    CNavTestParent();
    ~CNavTestParent();
    CNavTestParent(const CNavTestParent&) = delete;
    CNavTestParent& operator=(const CNavTestParent&) = delete;

    HWND Hwnd() const { return m_hwnd; }
    // Dispatches what is queued and returns the WM_COMMAND wParams seen.
    std::vector<WPARAM> Commands();

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    HWND m_hwnd = nullptr;
    std::vector<WPARAM> m_commands;
};

class CRendered {
public:
    CRendered(HWND control, int width, int height);
    // As a COLORREF, to compare with GetSysColor.
    COLORREF At(int x, int y) const;

private:
    CTestDib m_dib;
};
