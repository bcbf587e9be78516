#include "ui/ToolBarWnd.h"

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
    for (const NavToolCell& cell : cells) {
        RECT rect = {cell.left, client.top + 1, cell.right, client.bottom - 1};
        DrawNavTool(canvas, *cell.tool, rect);
    }
    canvas.CopyTo(dc, area);
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

LRESULT CToolBarWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;  // painting covers every pixel
    case WM_DPICHANGED_AFTERPARENT:
        Redraw(false);
        return 0;
    case WM_PRINTCLIENT: {
        RECT client;
        GetClientRect(m_hwnd, &client);
        Paint(reinterpret_cast<HDC>(wParam), client);
        return 0;
    }
    default:
        return CWnd::WindowProc(msg, wParam, lParam);
    }
}
