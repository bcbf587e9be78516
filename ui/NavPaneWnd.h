#pragma once
// The navigation pane window ("DX_NavigatePane"): an owner-drawn, vertically
// scrolling tree list of CNavPaneItem rows. The item tree, selection and
// layout live in CNavPaneModel; this class paints them and turns mouse,
// keyboard and scroll bar input into model calls and receiver notifications.
// Screen readers see the rows as list items (WM_GETOBJECT).

#include <windows.h>

#include "ui/AccessibleChildren.h"
#include "ui/NavPaneModel.h"
#include "ui/Wnd.h"

class CNavCanvas;

class CNavPaneWnd : public CWnd, public CNavPaneModel, public IAccessibleSource {
public:
    static const wchar_t kClassName[];  // "DX_NavigatePane"

    CNavPaneWnd() = default;
    // Destroys the window while the items it paints still exist.
    ~CNavPaneWnd() override;

    bool* ClassRegisteredFlag() override;
    const wchar_t* ClassName() const override { return kClassName; }

    // The font of the row texts; not owned. Null: the default GUI font.
    void SetFont(HFONT font);
    // Paints the part `area` of the client area onto dc (WM_PAINT and
    // WM_PRINTCLIENT both come here).
    void Paint(HDC dc, const RECT& area);

    // The rows as the arrow keys walk them.
    long AccessibleRole() const override;
    int AccessibleChildCount() const override;
    bool AccessibleChildAt(int index, AccessibleChild& child) const override;
    // With a reference for the caller.
    IAccessible* AccessibleObject() { return m_access.Object(m_hwnd); }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnCreate(CREATESTRUCTW* cs) override;
    void OnPaint() override;
    void OnSize(UINT type, int width, int height) override;
    void OnMouseMove(WPARAM keys, int x, int y) override;
    LRESULT OnMouseWheel(WPARAM keys, int delta, int x, int y) override;
    void OnLButtonDown(WPARAM keys, int x, int y) override;
    void OnLButtonUp(WPARAM keys, int x, int y) override;
    void OnRButtonDown(WPARAM keys, int x, int y) override;
    void OnRButtonUp(WPARAM keys, int x, int y) override;
    void OnMouseLeave() override;
    void OnKeyDown(UINT key, UINT repeat, UINT flags) override;

    HWND__* PaneWindow() const override { return m_hwnd; }
    int HostedHeight(HWND__* control) const override;
    void OnLayoutDone() override;
    void OnControlDetached(HWND__* control) override;

private:
    void DrawRow(CNavCanvas& canvas, const CNavPaneItem& item, const NavRow& row, bool focused) const;
    void SyncScrollBar();
    void PlaceHostedControls();
    void OnVScroll(int code);
    void ScrollChanged();
    void MoveFocus(bool back);
    // Screen readers hear which row is current.
    void AnnounceCurrent() const;
    // Right button messages reach the receiver before and after the pane.
    void TellReceiver(UINT msg, int x, int y, bool after);

    HFONT m_font = nullptr;
    int m_dpi = 0;   // the rows' DPI
    bool m_bTracking = false;
    bool m_bInLayout = false;
    CAccessibleHost m_access{*this};
};
