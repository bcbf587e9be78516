#include "ui/Menu.h"

#include "picture/Picture.h"
#include "ui/Dpi.h"

CMenuItem::CMenuItem(CMenu* menu, const wchar_t* text, UINT command, UINT position, UINT flags,
                     bool coloured, const CBmp* image)
    : m_menu(menu), m_text(text), m_coloured(coloured), m_image(image), m_command(command),
      m_position(position), m_flags(flags), m_colour(GetSysColor(COLOR_BTNFACE)) {}

CMenuItem::CMenuItem(CMenu* menu, const wchar_t* text, UINT command, UINT position, UINT flags,
                     bool coloured, UINT bitmapId, COLORREF colour)
    : m_menu(menu), m_text(text), m_coloured(coloured), m_image(nullptr), m_command(command),
      m_position(position), m_flags(flags), m_colour(colour) {
    if (bitmapId == 0) return;
    m_ownImage = std::make_unique<CBmp>();
    // A missing picture leaves the item without one.
    if (LoadBmpFromResource(nullptr, static_cast<int>(bitmapId), *m_ownImage)) {
        // Sized like the rest of the menu, for the system DPI.
        FitArtworkToDpi(*m_ownImage, SystemDpi());
        m_image = m_ownImage.get();
    }
}

CMenu::CMenu(const wchar_t* name, bool popup)
    : m_name(name), m_menu(popup ? CreatePopupMenu() : CreateMenu()), m_popup(popup) {}

CMenu::~CMenu() {
    m_items.DeleteAll();
    if (m_menu) DestroyMenu(m_menu);
}

CMenuItem* CMenu::AddItem(const wchar_t* text, UINT command, UINT position, UINT flags,
                          bool coloured, const CBmp* image) {
    auto* item = new CMenuItem(this, text, command, position, flags, coloured, image);
    m_items.Items().push_back(item);
    return item;
}

CMenuItem* CMenu::AddItem(const wchar_t* text, UINT command, UINT position, UINT flags,
                          bool coloured, UINT bitmapId, COLORREF colour) {
    auto* item = new CMenuItem(this, text, command, position, flags, coloured, bitmapId, colour);
    m_items.Items().push_back(item);
    return item;
}

CMenuItem* CMenu::AddSubmenu(const wchar_t* text, const CMenu& submenu, UINT position, const CBmp* image) {
    CMenuItem* item = AddItem(text, 0, position, MF_OWNERDRAW, false, image);
    item->SetSubmenu(submenu.Handle());
    return item;
}

bool CMenu::Realise() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
        m_systemItemWidth = metrics.iMenuWidth;
        m_systemItemHeight = metrics.iMenuHeight;
    }
    if (!m_menu) return false;
    bool all = true;
    for (CMenuItem* item : m_items) {
        const UINT_PTR id = item->Submenu() ? reinterpret_cast<UINT_PTR>(item->Submenu()) : item->Command();
        const UINT flags = item->Flags() | MF_BYPOSITION | (item->Submenu() ? MF_POPUP : 0);
        all &= InsertMenuW(m_menu, item->Position(), flags, id, reinterpret_cast<LPCWSTR>(item)) != FALSE;
    }
    return all;
}

void CMenu::DeleteItems() {
    for (auto it = m_items.Items().rbegin(); it != m_items.Items().rend(); ++it)
        // DeleteMenu would destroy a submenu its owner still holds.
        RemoveMenu(m_menu, (*it)->Position(), MF_BYPOSITION);
}
