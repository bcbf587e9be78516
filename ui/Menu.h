#pragma once
// Owner-drawn popup menus with pictures, kept by name while they are shown.
// The caller creates a menu under a name, adds items, realises and tracks
// it, forwards WM_MEASUREITEM / WM_DRAWITEM of its window to MeasureMenuItem
// and DrawMenuItem, then calls RemoveNamedMenu.

#include <windows.h>

#include <memory>

#include "settings/Collector.h"
#include "settings/Tstr.h"
#include "picture/Bmp.h"

class CMenu;

class CMenuItem {
public:
    // image is the caller's and must outlive the menu; null for none.
    CMenuItem(CMenu* menu, const wchar_t* text, UINT command, UINT position, UINT flags,
              bool coloured, const CBmp* image);
    // Loads bitmap resource bitmapId (0: no picture) into an image of its own.
    CMenuItem(CMenu* menu, const wchar_t* text, UINT command, UINT position, UINT flags,
              bool coloured, UINT bitmapId, COLORREF colour);
    CMenuItem(const CMenuItem&) = delete;
    CMenuItem& operator=(const CMenuItem&) = delete;

    const tstr& Text() const { return m_text; }
    bool Coloured() const { return m_coloured; }
    const CBmp* Image() const { return m_image; }
    UINT Command() const { return m_command; }
    UINT Position() const { return m_position; }
    UINT Flags() const { return m_flags; }
    COLORREF Colour() const { return m_colour; }
    const CMenu* Menu() const { return m_menu; }
    // The popup this item opens; null for a command.
    HMENU Submenu() const { return m_submenu; }
    void SetSubmenu(HMENU submenu) { m_submenu = submenu; }

private:
    CMenu* m_menu;
    HMENU m_submenu = nullptr;
    tstr m_text;
    bool m_coloured;
    std::unique_ptr<CBmp> m_ownImage;
    const CBmp* m_image;
    UINT m_command;
    UINT m_position;
    UINT m_flags;
    COLORREF m_colour;
};

class CMenu {
public:
    explicit CMenu(const wchar_t* name, bool popup = true);
    ~CMenu();
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    CMenuItem* AddItem(const wchar_t* text, UINT command, UINT position, UINT flags,
                       bool coloured, const CBmp* image);
    CMenuItem* AddItem(const wchar_t* text, UINT command, UINT position, UINT flags,
                       bool coloured, UINT bitmapId, COLORREF colour);
    // An item that opens `submenu`, which stays the caller's and must outlive
    // this menu's items.
    CMenuItem* AddSubmenu(const wchar_t* text, const CMenu& submenu, UINT position, const CBmp* image);
    // Inserts every item in the order added, the item object as item data.
    bool Realise();
    // Takes the items out of the menu handle, last first; submenus are left
    // to their owners.
    void DeleteItems();

    const tstr& Name() const { return m_name; }
    HMENU Handle() const { return m_menu; }
    bool Popup() const { return m_popup; }
    int SystemItemWidth() const { return m_systemItemWidth; }
    int SystemItemHeight() const { return m_systemItemHeight; }

private:
    tstr m_name;
    HMENU m_menu;
    bool m_popup;
    CCollector<CMenuItem*> m_items;
    int m_systemItemWidth = 0;
    int m_systemItemHeight = 0;
};

// Registry by name. Duplicate names are allowed; the first one wins.
CMenu* CreateNamedMenu(const wchar_t* name);
CMenu* FindNamedMenu(const wchar_t* name);
bool RemoveNamedMenu(const wchar_t* name);

// WM_MEASUREITEM / WM_DRAWITEM of menu items; false for anything else.
bool MeasureMenuItem(MEASUREITEMSTRUCT* measure);
bool DrawMenuItem(const DRAWITEMSTRUCT* draw);
