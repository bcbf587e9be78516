#include "ui/ToolBarWnd.h"

#include <oleacc.h>

#include <algorithm>

#include "ui/Dpi.h"
#include "ui/NavCanvas.h"

const wchar_t CToolBarWnd::kClassName[] = L"DX_ToolBar";

namespace {

// At 96 DPI cells start 7 pixels in from either end, one pixel apart; a
// separator is 4 pixels wide.
const int kEndMargin = 7;
NavToolCellRule CellRule(int height, int dpi) { return NavToolCellRule{height, ScaleForDpi(4, dpi), 1}; }

}  // namespace

CToolBarWnd::~CToolBarWnd() { Destroy(); }

bool* CToolBarWnd::ClassRegisteredFlag() {
    static bool registered = false;
    return &registered;
}

void CToolBarWnd::OnToolActivated(int toolId) {
    // Posted: the dialog may rebuild this bar while handling the command.
    if (m_hwnd) PostMessageW(GetParent(m_hwnd), WM_COMMAND, static_cast<WPARAM>(toolId), 0);
}

bool CToolBarWnd::AddTool(CNavPaneItemTool* tool, int side) {
    if (!CNavPaneItemAbstract::AddTool(tool, side)) return false;
    if (m_hwnd) InvalidateRect(m_hwnd, nullptr, FALSE);
    return true;
}

int CToolBarWnd::GetRowHeight() const {
    RECT rect;
    if (!m_hwnd || !GetWindowRect(m_hwnd, &rect)) return 0;
    return rect.bottom - rect.top - 5;
}

void CToolBarWnd::OnToolRemoving(CNavPaneItemTool* tool) {
    if (m_pHot == tool) m_pHot = nullptr;
    if (m_pPressed == tool) m_pPressed = nullptr;
    if (m_pFocus == tool) m_pFocus = nullptr;
    if (m_hwnd) InvalidateRect(m_hwnd, nullptr, FALSE);
}

void CToolBarWnd::Cells(std::vector<NavToolCell>& cells) const {
    RECT client;
    if (!m_hwnd || !GetClientRect(m_hwnd, &client)) return;
    const int dpi = WindowDpi(m_hwnd);
    const NavToolCellRule rule = CellRule(client.bottom - 2, dpi);
    const int margin = ScaleForDpi(kEndMargin, dpi);
    LayNavToolCells(m_leftTools.Items(), margin, false, rule, cells);
    LayNavToolCells(m_rightTools.Items(), client.right - margin, true, rule, cells);
}

CNavPaneItemTool* CToolBarWnd::ToolAt(int x, int y) const {
    RECT client;
    if (!m_hwnd || !GetClientRect(m_hwnd, &client) || y < 1 || y >= client.bottom - 1) return nullptr;
    std::vector<NavToolCell> cells;
    Cells(cells);
    return NavToolAt(cells, x);
}

// ---- painting

void CToolBarWnd::Paint(HDC dc, const RECT& area) {
    RECT client;
    GetClientRect(m_hwnd, &client);
    CNavCanvas canvas(client.right, client.bottom);
    if (!canvas.Valid()) return;
    canvas.Fill(client, GetSysColor(COLOR_BTNFACE));
    const int dpi = WindowDpi(m_hwnd);
    const int inset = ScaleForDpi(3, dpi);
    RECT grip = {client.left + inset, client.top + inset, client.left + ScaleForDpi(6, dpi), client.bottom - inset};
    DrawEdge(canvas.Dc(), &grip, BDR_RAISEDINNER, BF_RECT);
    std::vector<NavToolCell> cells;
    Cells(cells);
    const bool cues = GetFocus() == m_hwnd && !(SendMessageW(m_hwnd, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS);
    for (const NavToolCell& cell : cells) {
        RECT rect = {cell.left, client.top + 1, cell.right, client.bottom - 1};
        DrawNavTool(canvas, *cell.tool, rect);
        if (cues && cell.tool == m_pFocus) DrawFocusRect(canvas.Dc(), &rect);
    }
    canvas.CopyTo(dc, area);
    SyncTips(cells, client);
}

void CToolBarWnd::SyncTips(const std::vector<NavToolCell>& cells, const RECT& client) {
    std::vector<CToolTip::Area> areas;
    for (const NavToolCell& cell : cells)
        if (!cell.tool->m_name.empty())
            areas.push_back({RECT{cell.left, client.top + 1, cell.right, client.bottom - 1}, cell.tool->m_name});
    const auto same = [](const CToolTip::Area& a, const CToolTip::Area& b) {
        return EqualRect(&a.rect, &b.rect) && a.text == b.text;
    };
    if (std::equal(areas.begin(), areas.end(), m_tipAreas.begin(), m_tipAreas.end(), same)) return;
    m_tipAreas = std::move(areas);
    m_tips.SetAreaTips(m_hwnd, m_tipAreas);
}

void CToolBarWnd::OnPaint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_hwnd, &ps);
    if (dc) Paint(dc, ps.rcPaint);
    EndPaint(m_hwnd, &ps);
}

// ---- mouse

void CToolBarWnd::SetHot(CNavPaneItemTool* tool) {
    if (tool == m_pHot) return;
    if (m_pHot) m_pHot->Set(CNavPaneItemTool::kHot, false);
    if (tool) tool->Set(CNavPaneItemTool::kHot, true);
    m_pHot = tool;
    Redraw(false);
}

void CToolBarWnd::OnMouseMove(WPARAM /*keys*/, int x, int y) {
    if (!m_bTracking) {
        TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, m_hwnd, 0};
        m_bTracking = TrackMouseEvent(&track) != FALSE;
    }
    SetHot(ToolAt(x, y));
}

void CToolBarWnd::OnMouseLeave() {
    m_bTracking = false;
    SetHot(nullptr);
}

void CToolBarWnd::OnLButtonDown(WPARAM /*keys*/, int x, int y) {
    SetCapture(m_hwnd);
    CNavPaneItemTool* tool = ToolAt(x, y);
    if (!tool || !tool->CanPress()) return;
    if (m_pPressed) m_pPressed->Set(CNavPaneItemTool::kPressed, false);
    m_pPressed = tool;
    tool->Set(CNavPaneItemTool::kPressed, true);
    Redraw(false);
}

void CToolBarWnd::OnLButtonUp(WPARAM /*keys*/, int x, int y) {
    if (GetCapture() == m_hwnd) ReleaseCapture();
    CNavPaneItemTool* pressed = m_pPressed;
    m_pPressed = nullptr;
    if (!pressed) return;
    if (ToolAt(x, y) == pressed)
        pressed->Activate(*this);
    else
        pressed->Set(CNavPaneItemTool::kPressed, false);
    Redraw(false);
}

// ---- keyboard

CNavPaneItemTool* CToolBarWnd::NextFocusable(int step, bool fromEnd) const {
    std::vector<CNavPaneItemTool*> tools(m_leftTools.begin(), m_leftTools.end());
    tools.insert(tools.end(), m_rightTools.begin(), m_rightTools.end());
    const int count = static_cast<int>(tools.size());
    int at = fromEnd ? (step > 0 ? -1 : count) : -1;
    if (!fromEnd)
        for (int i = 0; i < count; ++i)
            if (tools[static_cast<size_t>(i)] == m_pFocus) at = i;
    for (int i = at + step; i >= 0 && i < count; i += step)
        if (tools[static_cast<size_t>(i)]->CanPress()) return tools[static_cast<size_t>(i)];
    return nullptr;
}

void CToolBarWnd::SetFocusTool(CNavPaneItemTool* tool) {
    if (!tool || tool == m_pFocus) return;
    m_pFocus = tool;
    Redraw(false);
    AnnounceFocusTool();
}

void CToolBarWnd::AnnounceFocusTool() const {
    int index = 0;
    for (const auto* list : {&m_leftTools, &m_rightTools})
        for (const CNavPaneItemTool* tool : *list) {
            if (tool->Is(CNavPaneItemTool::kSeparator)) continue;
            if (tool == m_pFocus) CAccessibleHost::AnnounceFocus(m_hwnd, index);
            ++index;
        }
}

void CToolBarWnd::OnKeyDown(UINT key, UINT repeat, UINT flags) {
    switch (key) {
    case VK_LEFT:
    case VK_UP: SetFocusTool(NextFocusable(-1, !m_pFocus)); break;
    case VK_RIGHT:
    case VK_DOWN: SetFocusTool(NextFocusable(+1, !m_pFocus)); break;
    case VK_HOME: SetFocusTool(NextFocusable(+1, true)); break;
    case VK_END: SetFocusTool(NextFocusable(-1, true)); break;
    case VK_SPACE: m_bSpaceDown = true; break;
    default: CWnd::OnKeyDown(key, repeat, flags); break;
    }
}

void CToolBarWnd::OnKeyUp(UINT key, UINT repeat, UINT flags) {
    if (key != VK_SPACE || !m_bSpaceDown) {
        CWnd::OnKeyUp(key, repeat, flags);
        return;
    }
    m_bSpaceDown = false;
    if (m_pFocus && m_pFocus->CanPress()) {
        m_pFocus->Activate(*this);
        Redraw(false);
    }
}

// ---- screen readers

long CToolBarWnd::AccessibleRole() const { return ROLE_SYSTEM_TOOLBAR; }

int CToolBarWnd::AccessibleChildCount() const {
    int count = 0;
    for (const auto* list : {&m_leftTools, &m_rightTools})
        for (const CNavPaneItemTool* tool : *list) count += tool->Is(CNavPaneItemTool::kSeparator) ? 0 : 1;
    return count;
}

bool CToolBarWnd::AccessibleChildAt(int index, AccessibleChild& child) const {
    std::vector<NavToolCell> cells;
    Cells(cells);
    RECT client = {};
    GetClientRect(m_hwnd, &client);
    for (const NavToolCell& cell : cells) {
        const CNavPaneItemTool& tool = *cell.tool;
        if (tool.Is(CNavPaneItemTool::kSeparator) || index-- != 0) continue;
        child.name = tool.m_name;
        child.role = ROLE_SYSTEM_PUSHBUTTON;
        child.state = tool.Has(CNavPaneItemTool::kDisabled) ? STATE_SYSTEM_UNAVAILABLE : STATE_SYSTEM_FOCUSABLE;
        if (tool.Has(CNavPaneItemTool::kChecked)) child.state |= STATE_SYSTEM_CHECKED;
        if (tool.Has(CNavPaneItemTool::kPressed)) child.state |= STATE_SYSTEM_PRESSED;
        if (tool.Has(CNavPaneItemTool::kHot)) child.state |= STATE_SYSTEM_HOTTRACKED;
        if (&tool == m_pFocus && GetFocus() == m_hwnd) child.state |= STATE_SYSTEM_FOCUSED;
        child.rect = RECT{cell.left, client.top + 1, cell.right, client.bottom - 1};
        return true;
    }
    return false;
}

// ---- window

LRESULT CToolBarWnd::OnCreate(CREATESTRUCTW* cs) {
    m_tips.Create(m_hwnd);
    return CWnd::OnCreate(cs);
}

LRESULT CToolBarWnd::OnDestroy() {
    m_access.Disconnect();
    m_tips.Destroy();
    m_tipAreas.clear();
    return CWnd::OnDestroy();
}

LRESULT CToolBarWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;  // painting covers every pixel
    case WM_DPICHANGED_AFTERPARENT:
        Redraw(false);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_GETOBJECT:
        if (LRESULT answer = m_access.Answer(m_hwnd, wParam, lParam)) return answer;
        break;
    case WM_SETFOCUS:
        if (!m_pFocus || !m_pFocus->CanPress()) m_pFocus = NextFocusable(+1, true);
        m_bSpaceDown = false;
        Redraw(false);
        AnnounceFocusTool();
        return 0;
    case WM_KILLFOCUS:
    case WM_UPDATEUISTATE:
        m_bSpaceDown = false;
        Redraw(false);
        break;
    case WM_PRINTCLIENT: {
        RECT client;
        GetClientRect(m_hwnd, &client);
        Paint(reinterpret_cast<HDC>(wParam), client);
        return 0;
    }
    default:
        break;
    }
    return CWnd::WindowProc(msg, wParam, lParam);
}
