#pragma once
// The tray icon's popup menu "TrayIcon": show or hide the main window, the
// next photo, the submenu "This photo" of commands on the photo on screen and
// a pause of an hour (or its end) while the show runs, run or stop the show,
// exit. It exists only
// while it is shown; the window that tracks it forwards WM_MEASUREITEM /
// WM_DRAWITEM to the menu drawing.

#include <windows.h>

#include <memory>

#include "picture/Bmp.h"
#include "ui/Menu.h"

class CTrayMenu {
public:
    static constexpr UINT kShowHide = 1050;
    static constexpr UINT kNextPhoto = 1060;
    static constexpr UINT kPauseHour = 1070;   // "Resume" while paused by hand
    static constexpr COLORREF kExitColour = 0xAA5533;

    // Whether the running show has a photo on screen, and a favourite one.
    enum class PhotoItems { None, Plain, Favourite };

    // Builds and realises the menu. Null Menu() when a "TrayIcon" menu is
    // already shown: a second one would free the first under its own loop.
    CTrayMenu(bool windowVisible, bool showRunning, bool pausedByHand = false, PhotoItems photo = PhotoItems::None);
    ~CTrayMenu();
    CTrayMenu(const CTrayMenu&) = delete;
    CTrayMenu& operator=(const CTrayMenu&) = delete;

    const CMenu* Menu() const { return m_menu; }
    // "This photo"; null without it.
    const CMenu* PhotoMenu() const { return m_photoMenu.get(); }
    // Tracks at the pointer with `owner` in front; the chosen id, or 0.
    UINT Track(HWND owner);

private:
    // The items borrow these pictures.
    CBmp m_windowPicture;
    CBmp m_showPicture;
    CBmp m_nextPicture;
    CBmp m_star;
    CMenu* m_menu = nullptr;
    std::unique_ptr<CMenu> m_photoMenu;
    bool m_realised = false;
};
