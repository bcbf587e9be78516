#pragma once
// The tool bar window ("DX_ToolBar"): one row of picture buttons. It is an
// item of its own (INavPaneItem), so tools are added to it as to a pane row;
// a clicked tool becomes WM_COMMAND (wParam = tool id, lParam 0) posted to
// the parent window.

#include <windows.h>

#include <vector>

#include "ui/NavPaneItem.h"
#include "ui/NavPaneToolCells.h"
#include "ui/Wnd.h"

class CToolBarWnd : public CWnd, public CNavPaneItemAbstract {
public:
    static const wchar_t kClassName[];  // "DX_ToolBar"

    CToolBarWnd() = default;
    ~CToolBarWnd() override;

    bool* ClassRegisteredFlag() override;
    const wchar_t* ClassName() const override { return kClassName; }

    void OnToolActivated(int toolId) override;
    void Expand(int) override {}
    HWND__* GetPaneWindow() const override { return m_hwnd; }
    // Side 1 appends to the left list, 0 to the right list; repaints.
    bool AddTool(CNavPaneItemTool* tool, int side) override;
    // The height tool pictures are made for: window height - 5.
    int GetRowHeight() const override;

    // Tool cells in client coordinates, left list first.
    void Cells(std::vector<NavToolCell>& cells) const;
    CNavPaneItemTool* ToolAt(int x, int y) const;
    CNavPaneItemTool* HotTool() const { return m_pHot; }
    CNavPaneItemTool* PressedTool() const { return m_pPressed; }
    void Paint(HDC dc, const RECT& area);

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
    void OnMouseMove(WPARAM keys, int x, int y) override;
    void OnLButtonDown(WPARAM keys, int x, int y) override;
    void OnLButtonUp(WPARAM keys, int x, int y) override;
    void OnMouseLeave() override;
    void OnToolRemoving(CNavPaneItemTool* tool) override;

private:
    void SetHot(CNavPaneItemTool* tool);

    CNavPaneItemTool* m_pHot = nullptr;
    CNavPaneItemTool* m_pPressed = nullptr;
    bool m_bTracking = false;
};
