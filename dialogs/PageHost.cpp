#include "dialogs/PageHost.h"

#include "dialogs/ItemPicture.h"
#include "res/artwork.h"
#include "res/dialogs.h"
#include "res/strings.h"
#include "ui/Dpi.h"
#include "ui/NavPaneWnd.h"
#include "ui/ResString.h"
#include "ui/ToolBarWnd.h"

namespace {

// Tools of the tool bar: push buttons (0x80 marks them as the bar's own).
const int kToolButton = CNavPaneItemTool::kPush | 0x80;
const int kChildIndent = 24;
const int kGapBelowTools = 3;

template <class T>
T* ControlObject(HWND dialog, int id) {
    return dynamic_cast<T*>(CWnd::FromHandle(GetDlgItem(dialog, id)));
}

}  // namespace

bool CPageHost::Attach(HWND dialog, CNavPaneWndParent* receiver, const tstr& title) {
    m_dialog = dialog;
    m_pages = ControlObject<CNavPaneWnd>(dialog, IDC_PAGE_LIST);
    m_items = ControlObject<CNavPaneWnd>(dialog, IDC_PAGE_ITEMS);
    m_toolBar = ControlObject<CToolBarWnd>(dialog, IDC_PAGE_TOOLBAR);
    if (!m_pages || !m_items || !m_toolBar) {
        MessageBoxW(dialog, L"Can't create one of settings windows", title.c_str(), MB_OK | MB_ICONERROR);
        return false;
    }
    const HFONT font = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
    m_pages->SetFont(font);
    m_pages->m_pReceiver = receiver;
    m_pages->m_bSelection = false;
    m_pages->m_bEraseBkgnd = false;
    m_pages->m_nIndentLeft = ScaleForDpi(kChildIndent, WindowDpi(m_pages->Hwnd()));
    m_items->SetFont(font);
    m_items->m_pReceiver = receiver;
    m_items->m_bNoAutoCurrent = false;
    m_items->m_bEraseBkgnd = false;
    m_rowThumbnails.Open(m_items->Hwnd(), m_dialog);
    return true;
}

void CPageHost::Detach() {
    m_rowThumbnails.Close();
    if (m_pages) m_pages->m_pReceiver = nullptr;
    if (m_items) m_items->m_pReceiver = nullptr;
    m_pages = m_items = nullptr;
    m_toolBar = nullptr;
}

CNavPaneItem* CPageHost::AddPage(const tstr& text, int id, int designHeight, int bitmapId, int badgeId) {
    const int dpi = WindowDpi(m_pages->Hwnd());
    const int rowHeight = ScaleForDpi(designHeight, dpi);
    auto* item = new CNavPaneItem(text.c_str(), rowHeight);
    item->m_nId = id;
    if (bitmapId) AddPictureTool(*item, bitmapId, rowHeight, badgeId, dpi);
    m_pages->Append(item);
    return item;
}

void CPageHost::CreateSettingPages(CWppProfile* album) {
    const RECT bar = ChildRect(m_toolBar->Hwnd());
    const POINT origin = {bar.left, bar.top};
    m_slider.Create(m_dialog, origin, album);
    m_switch.Create(m_dialog, origin, album);
}

void CPageHost::Open(CNavPaneItem* first) {
    m_pages->m_bNoAutoCurrent = false;
    m_pages->SetCurrent(first);
    m_pages->Redraw(true);
}

void CPageHost::SetTools(Tools tools) {
    m_tools = tools;
    m_toolBar->RemoveAllTools();
    switch (tools) {
    case Tools::None:
        break;
    case Tools::Photos:
        AddToolButton(IDC_ADD_PHOTOS, IDB_ART_122, IDB_ART_126, IDS_TOOL_ADD_PHOTOS);
        AddToolButton(IDC_ADD_FOLDER, IDB_ART_133, IDB_ART_126, IDS_TOOL_ADD_FOLDER);
        AddToolButton(IDC_DELETE_PHOTOS, IDB_ART_122, IDB_ART_124, IDS_TOOL_DELETE_PHOTOS);
        m_toolBar->AddTool(new CNavPaneItemTool(CNavPaneItemTool::kSeparator), INavPaneItem::kSideLeft);
        AddToolButton(IDC_MOVE_UP, IDB_ART_122, IDB_ART_131, IDS_TOOL_MOVE_UP);
        AddToolButton(IDC_MOVE_DOWN, IDB_ART_122, IDB_ART_132, IDS_TOOL_MOVE_DOWN);
        m_toolBar->AddTool(new CNavPaneItemTool(CNavPaneItemTool::kSeparator), INavPaneItem::kSideLeft);
        AddToolButton(IDC_SHOW_HIDDEN_PHOTOS, IDB_ART_122, IDB_ART_125, IDS_SHOW_HIDDEN_PHOTOS);
        break;
    case Tools::Albums:
        AddToolButton(IDC_NEW_ALBUM, IDB_ART_128, IDB_ART_125, IDS_TOOL_NEW_ALBUM);
        AddToolButton(IDC_DELETE_ALBUM, IDB_ART_128, IDB_ART_124, IDS_TOOL_DELETE_ALBUM);
        break;
    }
    if (tools != Tools::Photos) m_linkShown = false;
    EnablePhotoEditing(!m_linkShown);
    ShowWindow(m_toolBar->Hwnd(), tools == Tools::None ? SW_HIDE : SW_SHOWNA);
    LayOutItems();
    m_toolBar->Redraw(true);
    m_items->Redraw(true);
}

void CPageHost::ShowFolderLink(const tstr& text, bool stateFirst) {
    m_linkShown = m_tools == Tools::Photos && !text.IsEmpty();
    // A state leads the line: a narrow dialog cuts the path at its end rather
    // than the state in the middle.
    if (HWND line = GetDlgItem(m_dialog, IDC_FOLDER_LINK_TEXT)) {
        const LONG_PTR style = GetWindowLongPtrW(line, GWL_STYLE) & ~static_cast<LONG_PTR>(SS_ELLIPSISMASK);
        SetWindowLongPtrW(line, GWL_STYLE, style | (stateFirst ? SS_ENDELLIPSIS : SS_PATHELLIPSIS));
    }
    SetDlgItemTextW(m_dialog, IDC_FOLDER_LINK_TEXT, m_linkShown ? text.c_str() : L"");
    EnablePhotoEditing(!m_linkShown);
    LayOutItems();
    m_toolBar->Redraw(true);
    m_items->Redraw(true);
}

void CPageHost::EnablePhotoEditing(bool on) {
    for (CNavPaneItemTool* tool : m_toolBar->m_leftTools) {
        switch (tool->m_nId) {
        case IDC_ADD_PHOTOS:
        case IDC_ADD_FOLDER:
        case IDC_DELETE_PHOTOS:
        case IDC_MOVE_UP:
        case IDC_MOVE_DOWN:
            tool->Set(CNavPaneItemTool::kDisabled, !on);
            break;
        }
    }
}

void CPageHost::LayOutItems() {
    const RECT bar = ChildRect(m_toolBar->Hwnd());
    RECT items = ChildRect(m_items->Hwnd());
    items.top = m_tools == Tools::None ? bar.top : bar.bottom + kGapBelowTools;
    HWND text = GetDlgItem(m_dialog, IDC_FOLDER_LINK_TEXT);
    HWND unlink = GetDlgItem(m_dialog, IDC_UNLINK_FOLDER);
    if (m_linkShown && text && unlink) {
        const RECT button = ChildRect(unlink);
        const int w = button.right - button.left, h = button.bottom - button.top;
        SetWindowPos(unlink, nullptr, items.right - w, items.top, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
        SetWindowPos(text, nullptr, items.left, items.top, items.right - w - kGapBelowTools - items.left, h,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        items.top += h + kGapBelowTools;
    }
    for (HWND control : {text, unlink})
        if (control) ShowWindow(control, m_linkShown ? SW_SHOWNA : SW_HIDE);
    SetWindowPos(m_items->Hwnd(), nullptr, items.left, items.top, items.right - items.left,
                 items.bottom - items.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CPageHost::AddToolButton(int id, int bitmapId, int badgeId, UINT name) {
    auto* tool = new CNavPaneItemTool(kToolButton, id);
    tool->m_name = LoadResString(nullptr, name).Str();
    tool->m_bmp = MakeItemPicture(bitmapId, m_toolBar->GetRowHeight(), badgeId, WindowDpi(m_toolBar->Hwnd()));
    m_toolBar->AddTool(tool, INavPaneItem::kSideLeft);
}

void CPageHost::ShowItems(bool visible) { ShowWindow(m_items->Hwnd(), visible ? SW_SHOWNA : SW_HIDE); }

void CPageHost::HideAll() {
    m_slider.Show(false);
    m_switch.Show(false);
    ShowItems(false);
}

bool CPageHost::ShowSettingPage(int id) {
    CAlbumPage* page = id == IDC_PAGE_SLIDER ? static_cast<CAlbumPage*>(&m_slider)
                       : id == IDC_PAGE_SWITCH ? &m_switch
                                               : nullptr;
    if (!page) return false;
    SetTools(Tools::None);
    m_items->RemoveAll();
    page->Show(true);
    return true;
}

void CPageHost::RebindSettingPages(CWppProfile* album) {
    m_slider.Rebind(album);
    m_switch.Rebind(album);
}

void CPageHost::PassToSettingPages(int id) {
    m_slider.PassCommand(id);
    m_switch.PassCommand(id);
}

bool CPageHost::IsPage(const CNavPaneItem* item) const {
    return item && item->Owner() == static_cast<CNavPaneModel*>(m_pages);
}

RECT CPageHost::ChildRect(HWND child) const {
    RECT rect = {};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, m_dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}
