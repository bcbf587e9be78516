#pragma once
// The tool bar window ("DX_ToolBar"): one row of picture buttons. It is an
// item of its own (INavPaneItem), so tools are added to it as to a pane row;
// a clicked tool becomes WM_COMMAND (wParam = tool id, lParam 0) posted to
// the parent window. With the focus, the arrow keys move between the tools
// that can be pressed and Space presses the focused one; every tool with a
// name has a tooltip.

#include <windows.h>

#include <vector>

#include "ui/AccessibleChildren.h"
#include "ui/NavPaneItem.h"
#include "ui/NavPaneToolCells.h"
#include "ui/ToolTip.h"
#include "ui/Wnd.h"

class CToolBarWnd : public CWnd, public CNavPaneItemAbstract, public IAccessibleSource {
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
    // The tool the keyboard acts on while the bar has the focus.
    CNavPaneItemTool* FocusTool() const { return m_pFocus; }
    const CToolTip& Tips() const { return m_tips; }

    // The tools, separators left out, as push buttons.
    long AccessibleRole() const override;
    int AccessibleChildCount() const override;
    bool AccessibleChildAt(int index, AccessibleChild& child) const override;
    // With a reference for the caller.
    IAccessible* AccessibleObject() { return m_access.Object(m_hwnd); }
    void Paint(HDC dc, const RECT& area);

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
    void OnMouseMove(WPARAM keys, int x, int y) override;
    void OnLButtonDown(WPARAM keys, int x, int y) override;
    void OnLButtonUp(WPARAM keys, int x, int y) override;
    void OnMouseLeave() override;
    void OnToolRemoving(CNavPaneItemTool* tool) override;
    LRESULT OnCreate(CREATESTRUCTW* cs) override;
    LRESULT OnDestroy() override;
    void OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    void OnKeyUp(UINT key, UINT repeat, UINT flags) override;

private:
    void SetHot(CNavPaneItemTool* tool);
    // The next tool that can be pressed in `step` direction from the focused
    // one (from an end when none is); null when there is none.
    CNavPaneItemTool* NextFocusable(int step, bool fromEnd) const;
    void SetFocusTool(CNavPaneItemTool* tool);
    // Screen readers hear which tool has the focus.
    void AnnounceFocusTool() const;
    void SyncTips(const std::vector<NavToolCell>& cells, const RECT& client);

    CNavPaneItemTool* m_pHot = nullptr;
    CNavPaneItemTool* m_pPressed = nullptr;
    CNavPaneItemTool* m_pFocus = nullptr;
    bool m_bTracking = false;
    bool m_bSpaceDown = false;
    CToolTip m_tips;
    std::vector<CToolTip::Area> m_tipAreas;
    CAccessibleHost m_access{*this};
};
