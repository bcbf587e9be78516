#pragma once
// Helpers of the navigation pane and tool bar window tests: a plain parent
// window that records the commands posted to it, and a control rendered into
// a 32-bit DIB through WM_PRINTCLIENT.

#include <windows.h>

#include <cstdint>
#include <vector>

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
    ~CRendered();
    CRendered(const CRendered&) = delete;
    CRendered& operator=(const CRendered&) = delete;
    // As a COLORREF, to compare with GetSysColor.
    COLORREF At(int x, int y) const;

private:
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
    const uint32_t* m_bits = nullptr;
    int m_width = 0;
};
