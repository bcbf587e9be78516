#include "ui/NavPaneWnd.h"

#include <oleacc.h>
#include <windowsx.h>

#include <map>

#include "picture/GdiOwners.h"
#include "ui/Dpi.h"
#include "ui/NavCanvas.h"
#include "ui/NavPaneWndParent.h"

const wchar_t CNavPaneWnd::kClassName[] = L"DX_NavigatePane";

namespace {

bool KeyHeld(int key) { return GetKeyState(key) < 0; }

// Escape and Enter go on to the dialog (Cancel, the default button), and so
// do system keys (Alt+F4, mnemonics); the pane keeps every other key, for
// itself and its receiver.
bool KeepsKey(const MSG* message) {
    if (!message) return false;
    switch (message->message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
        return message->wParam != VK_ESCAPE && message->wParam != VK_RETURN && message->wParam != VK_CANCEL;
    default:
        return false;
    }
}

COLORREF Mix(COLORREF a, COLORREF b, int num, int den) {
    auto channel = [&](int shift) {
        const int ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
        return static_cast<COLORREF>(ca + (cb - ca) * num / den) << shift;
    };
    return channel(0) | channel(8) | channel(16);
}

}  // namespace

CNavPaneWnd::~CNavPaneWnd() { Destroy(); }

bool* CNavPaneWnd::ClassRegisteredFlag() {
    static bool registered = false;
    return &registered;
}

void CNavPaneWnd::SetFont(HFONT font) {
    m_font = font;
    if (Exists()) Redraw(false);
}

// ---- painting

void CNavPaneWnd::Paint(HDC dc, const RECT& area) {
    RECT client;
    GetClientRect(m_hwnd, &client);
    CNavCanvas canvas(client.right, client.bottom);
    if (!canvas.Valid()) return;
    canvas.Fill(area, GetSysColor(COLOR_WINDOW));
    CSelectObject font(canvas.Dc(), m_font ? m_font : GetStockObject(DEFAULT_GUI_FONT));
    const bool focused = GetFocus() == m_hwnd;
    ForEachRow([&](CNavPaneItem* item, const NavRow& row) {
        if (row.top < area.bottom && row.top + row.band > area.top) DrawRow(canvas, *item, row, focused);
        return true;
    });
    canvas.CopyTo(dc, area);
}

void CNavPaneWnd::DrawRow(CNavCanvas& canvas, const CNavPaneItem& item, const NavRow& row, bool focused) const {
    HDC dc = canvas.Dc();
    RECT band = {row.left, row.top, row.right, row.top + row.band};
    if (item.m_bSelected && item.m_bOwnColors) {
        for (int line = 0; line < row.band; ++line) {
            RECT strip = {band.left, band.top + line, band.right, band.top + line + 1};
            canvas.Fill(strip, Mix(item.m_crItem, 0xC0C0C0, line, row.band));
        }
    } else {
        canvas.Fill(band, item.m_bSelected ? GetSysColor(COLOR_HIGHLIGHT)
                          : item.m_bOwnColors ? item.m_crItem
                                              : GetSysColor(COLOR_BTNFACE));
    }
    DrawEdge(dc, &band, BDR_RAISEDINNER, BF_RECT);

    std::vector<NavToolCell> cells;
    int textLeft = 0, textRight = 0;
    ToolCellsOf(&item, row, cells, &textLeft, &textRight);
    for (const NavToolCell& cell : cells) {
        RECT rect = {cell.left, row.top, cell.right, row.top + row.height};
        DrawNavTool(canvas, *cell.tool, rect);
    }

    RECT text = {textLeft + 2, row.top + 2, textRight - 2, row.top + row.height - 2};
    SetTextColor(dc, item.m_bOwnColors  ? item.m_crText
                     : item.m_bSelected ? GetSysColor(COLOR_HIGHLIGHTTEXT)
                                        : GetSysColor(COLOR_BTNTEXT));
    if (text.right > text.left) DrawTextW(dc, item.ShownText().c_str(), -1, &text, item.m_nTextFormat);

    if (focused && &item == Current()) {
        RECT focus = {row.left + 2, row.top + 2, row.right - 2, row.top + row.height - 2};
        DrawFocusRect(dc, &focus);
    }
}

void CNavPaneWnd::OnPaint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_hwnd, &ps);
    if (dc) Paint(dc, ps.rcPaint);
    EndPaint(m_hwnd, &ps);
}

// ---- layout and scrolling

void CNavPaneWnd::OnSize(UINT /*type*/, int width, int height) {
    SetClientSize(width, height);
    // Showing or hiding the scroll bar resizes the client area from inside
    // a layout; that layout finishes the job.
    if (!m_bInLayout) Layout();
}

int CNavPaneWnd::HostedHeight(HWND__* control) const {
    RECT rect;
    return GetWindowRect(control, &rect) ? rect.bottom - rect.top : 0;
}

void CNavPaneWnd::OnLayoutDone() {
    if (!Exists() || m_bInLayout) return;
    m_bInLayout = true;
    SyncScrollBar();
    RECT client;
    GetClientRect(m_hwnd, &client);
    SetClientSize(client.right, client.bottom);
    PlaceHostedControls();
    m_bInLayout = false;
    Redraw(false);
}

void CNavPaneWnd::SyncScrollBar() {
    const bool needed = ScrollBarNeeded();
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    if (needed) {
        RECT client;
        GetClientRect(m_hwnd, &client);
        // A page of the client height over the content: positions run
        // from 0 to content - client height.
        si.nPage = static_cast<UINT>(client.bottom);
        si.nMax = ScrollMax() + client.bottom - 1;
        si.nPos = m_bBottomUp ? ScrollMax() - ScrollPos() : ScrollPos();
    }
    SetScrollInfo(m_hwnd, SB_VERT, &si, TRUE);
    ShowScrollBar(m_hwnd, SB_VERT, needed);
}

void CNavPaneWnd::PlaceHostedControls() {
    std::map<const CNavPaneItem*, NavRow> rows;
    ForEachRow([&](CNavPaneItem* item, const NavRow& row) {
        if (item->HostedControl()) rows[item] = row;
        return true;
    });
    ForEachItem([&](CNavPaneItem* item) {
        HWND control = item->HostedControl();
        if (!control) return;
        auto at = rows.find(item);
        if (!item->m_bExpanded || at == rows.end()) {
            ShowWindow(control, SW_HIDE);
            return;
        }
        const NavRow& row = at->second;
        SetWindowPos(control, nullptr, row.left + 2, row.top + row.height + 1, row.right - row.left - 4,
                     row.band - row.height - 3, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    });
}

void CNavPaneWnd::OnControlDetached(HWND__* control) { ShowWindow(control, SW_HIDE); }

void CNavPaneWnd::OnVScroll(int code) {
    bool changed = false;
    switch (code) {
    case SB_LINEUP: changed = ScrollBy(m_bBottomUp ? 1 : -1); break;
    case SB_LINEDOWN: changed = ScrollBy(m_bBottomUp ? -1 : 1); break;
    case SB_PAGEUP: changed = ScrollBy(m_bBottomUp ? PageSize() : -PageSize()); break;
    case SB_PAGEDOWN: changed = ScrollBy(m_bBottomUp ? -PageSize() : PageSize()); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        // The 32-bit position; the message's own is only 16 bits wide.
        SCROLLINFO si = {};
        si.cbSize = sizeof(si);
        si.fMask = SIF_TRACKPOS;
        if (GetScrollInfo(m_hwnd, SB_VERT, &si))
            changed = ScrollTo(m_bBottomUp ? ScrollMax() - si.nTrackPos : si.nTrackPos);
        break;
    }
    default: break;
    }
    if (changed) ScrollChanged();
}

void CNavPaneWnd::ScrollChanged() {
    SyncScrollBar();
    PlaceHostedControls();
    Redraw(false);
}

LRESULT CNavPaneWnd::OnMouseWheel(WPARAM /*keys*/, int delta, int /*x*/, int /*y*/) {
    if (GetFocus() == m_hwnd && Wheel(delta)) ScrollChanged();
    return 0;
}

// ---- mouse

void CNavPaneWnd::TellReceiver(UINT msg, int x, int y, bool after) {
    if (!m_pReceiver) return;
    CNavPaneItem* item = HitTest(x, y).item;
    if (after)
        m_pReceiver->OnNavPaneMouse(msg, x, y, item);
    else
        m_pReceiver->OnNavItemMouse(msg, x, y, item);
}

void CNavPaneWnd::OnMouseMove(WPARAM /*keys*/, int x, int y) {
    if (!m_bTracking) {
        TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, m_hwnd, 0};
        m_bTracking = TrackMouseEvent(&track) != FALSE;
    }
    if (HoverAt(HitTest(x, y))) Redraw(false);
}

void CNavPaneWnd::OnMouseLeave() {
    m_bTracking = false;
    if (Leave()) Redraw(false);
}

void CNavPaneWnd::OnLButtonDown(WPARAM /*keys*/, int x, int y) {
    SetCapture(m_hwnd);
    TellReceiver(WM_LBUTTONDOWN, x, y, false);
    if (PressAt(HitTest(x, y))) Redraw(false);
}

void CNavPaneWnd::OnLButtonUp(WPARAM keys, int x, int y) {
    if (GetCapture() == m_hwnd) ReleaseCapture();
    TellReceiver(WM_LBUTTONUP, x, y, false);
    // The receiver may have changed the rows: look again.
    if (ReleaseAt(HitTest(x, y), (keys & MK_SHIFT) != 0, (keys & MK_CONTROL) != 0)) {
        Redraw(false);
        return;
    }
    SetFocus(m_hwnd);
    Redraw(false);
    TellReceiver(WM_LBUTTONUP, x, y, true);
}

void CNavPaneWnd::OnRButtonDown(WPARAM /*keys*/, int x, int y) {
    TellReceiver(WM_RBUTTONDOWN, x, y, false);
    TellReceiver(WM_RBUTTONDOWN, x, y, true);
}

void CNavPaneWnd::OnRButtonUp(WPARAM /*keys*/, int x, int y) {
    TellReceiver(WM_RBUTTONUP, x, y, false);
    TellReceiver(WM_RBUTTONUP, x, y, true);
}

// ---- keyboard

void CNavPaneWnd::OnKeyDown(UINT key, UINT repeat, UINT flags) {
    const LPARAM keyData = MAKELPARAM(repeat, flags);
    if (m_pReceiver && m_pReceiver->OnNavKeyDown(WM_KEYDOWN, key, keyData)) return;
    if (key == VK_TAB) {
        MoveFocus(KeyHeld(VK_SHIFT));
        return;
    }
    if (KeyDown(key, KeyHeld(VK_SHIFT), KeyHeld(VK_CONTROL))) {
        Redraw(false);
        AnnounceCurrent();
    }
}

void CNavPaneWnd::AnnounceCurrent() const {
    int index = 0;
    for (CNavPaneItem* item = FirstItem(); item; item = NextVisible(item), ++index)
        if (item == Current()) CAccessibleHost::AnnounceFocus(m_hwnd, index);
}

void CNavPaneWnd::MoveFocus(bool back) {
    // The dialog's own tab order, into pages nested in it as well.
    const HWND dialog = GetAncestor(m_hwnd, GA_ROOT);
    const HWND next = dialog ? GetNextDlgTabItem(dialog, m_hwnd, back) : nullptr;
    if (!next || next == m_hwnd) return;
    // As the dialog manager does: the keyboard is in use, its cues show.
    SendMessageW(dialog, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    SetFocus(next);
}

// ---- screen readers

long CNavPaneWnd::AccessibleRole() const { return ROLE_SYSTEM_LIST; }

int CNavPaneWnd::AccessibleChildCount() const {
    int count = 0;
    for (CNavPaneItem* item = FirstItem(); item; item = NextVisible(item)) ++count;
    return count;
}

bool CNavPaneWnd::AccessibleChildAt(int index, AccessibleChild& child) const {
    CNavPaneItem* item = FirstItem();
    for (int i = 0; item && i < index; ++i) item = NextVisible(item);
    if (!item || index < 0) return false;
    child.name = item->ShownText();
    child.role = ROLE_SYSTEM_LISTITEM;
    child.state = STATE_SYSTEM_FOCUSABLE | (m_bSelection ? STATE_SYSTEM_SELECTABLE : 0);
    // Without a selection the current row is the one chosen (the page shown).
    if (m_bSelection ? item->m_bSelected : item == Current()) child.state |= STATE_SYSTEM_SELECTED;
    if (item == Current() && GetFocus() == m_hwnd) child.state |= STATE_SYSTEM_FOCUSED;
    if (item->CanExpand()) child.state |= item->m_bExpanded ? STATE_SYSTEM_EXPANDED : STATE_SYSTEM_COLLAPSED;
    NavRow row;
    if (RowOf(item, &row)) {
        child.rect = RECT{row.left, row.top, row.right, row.top + row.height};
    } else {
        child.rect = RECT{};
        child.state |= STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN;
    }
    return true;
}

// ---- messages the base does not route

LRESULT CNavPaneWnd::OnCreate(CREATESTRUCTW* cs) {
    // Hosted controls are not painted over.
    SetWindowLongPtrW(m_hwnd, GWL_STYLE, GetWindowLongPtrW(m_hwnd, GWL_STYLE) | WS_CLIPCHILDREN);
    m_dpi = WindowDpi(m_hwnd);
    RECT client;
    GetClientRect(m_hwnd, &client);
    SetClientSize(client.right, client.bottom);
    Layout();
    return CWnd::OnCreate(cs);
}

LRESULT CNavPaneWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS |
               (KeepsKey(reinterpret_cast<const MSG*>(lParam)) ? DLGC_WANTMESSAGE : 0);
    case WM_ERASEBKGND:
        if (!m_bEraseBkgnd) return 1;
        break;
    case WM_PRINTCLIENT: {
        RECT client;
        GetClientRect(m_hwnd, &client);
        Paint(reinterpret_cast<HDC>(wParam), client);
        return 0;
    }
    case WM_VSCROLL:
        OnVScroll(LOWORD(wParam));
        return 0;
    case WM_SETFOCUS:
        Redraw(false);
        AnnounceCurrent();
        return 0;
    case WM_KILLFOCUS:
        Redraw(false);
        return 0;
    case WM_GETOBJECT:
        if (LRESULT answer = m_access.Answer(m_hwnd, wParam, lParam)) return answer;
        break;
    case WM_DESTROY:
        m_access.Disconnect();
        break;
    case WM_DPICHANGED_AFTERPARENT: {
        // The rows' pictures keep their size; the rows around them follow.
        const int dpi = WindowDpi(m_hwnd);
        RescaleRows(m_dpi, dpi);
        m_dpi = dpi;
        Layout();
        Redraw(true);
        return 0;
    }
    default:
        break;
    }
    return CWnd::WindowProc(msg, wParam, lParam);
}
