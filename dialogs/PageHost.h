#pragma once
// The layout the album and settings dialogs share: a page list on the left
// and, on the right, either the item pane (under the tool bar when the page
// has tools) or one setting page.

#include <windows.h>

#include "dialogs/PhotoRowPicture.h"
#include "dialogs/SliderDlg.h"
#include "dialogs/SwitchDlg.h"
#include "settings/Tstr.h"

class CNavPaneItem;
class CNavPaneWnd;
class CNavPaneWndParent;
class CToolBarWnd;
class CWppProfile;

class CPageHost {
public:
    enum class Tools { None, Photos, Albums };

    // Finds the page list, item pane and tool bar of the dialog and sets
    // them up with `receiver`. When one is missing it says so (an error box
    // owned by the dialog, under `title`) and returns false.
    bool Attach(HWND dialog, CNavPaneWndParent* receiver, const tstr& title);
    // The panes stop telling the receiver and thumbnails still queued for
    // the photo rows are cancelled; for the dialog's end.
    void Detach();

    // A row of the page list; badgeId 0: none. The list owns it.
    // designHeight is the row height at 96 DPI.
    CNavPaneItem* AddPage(const tstr& text, int id, int designHeight, int bitmapId, int badgeId = 0);
    // The slide window setting pages, hidden at the tool bar's top-left
    // corner and bound to `album`. After the sizer has its controls.
    void CreateSettingPages(CWppProfile* album);
    // Lets the page list choose pages and opens `first`.
    void Open(CNavPaneItem* first);
    void SetTools(Tools tools);
    // The line above the photo list naming a followed folder, with its
    // "Unlink" button; an empty text hides both. The add, delete and move
    // tools are disabled while it shows.
    void ShowFolderLink(const tstr& text, bool stateFirst);
    void ShowItems(bool visible);
    // The start of every page switch: nothing on the right is shown.
    void HideAll();
    // IDC_PAGE_SLIDER or IDC_PAGE_SWITCH: the setting page alone on the
    // right. False, changing nothing, for any other id.
    bool ShowSettingPage(int id);
    void RebindSettingPages(CWppProfile* album);
    // The dialog's OK or Cancel, for the setting pages' bindings.
    void PassToSettingPages(int id);
    // True when the item belongs to the page list.
    bool IsPage(const CNavPaneItem* item) const;

    CNavPaneWnd& Pages() { return *m_pages; }
    CNavPaneWnd& Items() { return *m_items; }
    CPaneThumbnails& RowThumbnails() { return m_rowThumbnails; }

private:
    void AddToolButton(int id, int bitmapId, int badgeId, UINT name);
    // The item pane below the tool bar (when shown) and the folder line.
    void LayOutItems();
    void EnablePhotoEditing(bool on);
    RECT ChildRect(HWND child) const;

    HWND m_dialog = nullptr;
    CNavPaneWnd* m_pages = nullptr;
    CNavPaneWnd* m_items = nullptr;
    CToolBarWnd* m_toolBar = nullptr;
    Tools m_tools = Tools::None;
    bool m_linkShown = false;
    CSliderDlg m_slider;
    CSwitchDlg m_switch;
    CPaneThumbnails m_rowThumbnails;
};
