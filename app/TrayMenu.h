#pragma once
// The tray icon's popup menu "TrayIcon": show or hide the main window, the
// next photo and a pause of an hour (or its end) while the show runs, run or
// stop the show, exit. It exists only
// while it is shown; the window that tracks it forwards WM_MEASUREITEM /
// WM_DRAWITEM to the menu drawing.

#include <windows.h>

#include "picture/Bmp.h"
#include "ui/Menu.h"

class CTrayMenu {
public:
    static constexpr UINT kShowHide = 1050;
    static constexpr UINT kNextPhoto = 1060;
    static constexpr UINT kPauseHour = 1070;   // "Resume" while paused by hand
    static constexpr COLORREF kExitColour = 0xAA5533;

    // Builds and realises the menu. Null Menu() when a "TrayIcon" menu is
    // already shown: a second one would free the first under its own loop.
    CTrayMenu(bool windowVisible, bool showRunning, bool pausedByHand = false);
    ~CTrayMenu();
    CTrayMenu(const CTrayMenu&) = delete;
    CTrayMenu& operator=(const CTrayMenu&) = delete;

    const CMenu* Menu() const { return m_menu; }
    // Tracks at the pointer with `owner` in front; the chosen id, or 0.
    UINT Track(HWND owner);

private:
    // The items borrow these pictures.
    CBmp m_windowPicture;
    CBmp m_showPicture;
    CBmp m_nextPicture;
    CMenu* m_menu = nullptr;
    bool m_realised = false;
};
