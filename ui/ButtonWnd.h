#pragma once
// The large picture button: no text, no frame, a CBmp drawn with per-pixel
// transparency over its parent. Layers of the image hold the state faces:
// 0 normal, 1 hot, 2 pressed. While the pointer is over it, parts of the
// faces scroll, faster the farther the pointer is from the centre. A click
// posts WM_COMMAND (control id, 0) to the parent, as Space does while it has
// the focus. The window text names the button for screen readers; it is
// drawn nowhere. The focus rectangle shows while keyboard cues are on.

#include <memory>

#include "picture/Bmp.h"
#include "picture/GdiOwners.h"
#include "ui/Wnd.h"

class CButtonWnd : public CWnd {
public:
    static constexpr UINT_PTR kHoverTimer = 1;
    static constexpr UINT kHoverPeriodMs = 50;
    static constexpr int kMaxDrift = 8;

    // Registers "DX_ButtonWnd" and its factory entry; once, at start-up.
    static bool Register();
    // Hover step for a pointer at pos on a side of length size.
    static int DriftFor(int pos, int size);

    bool* ClassRegisteredFlag() override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    const wchar_t* ClassName() const override { return L"DX_ButtonWnd"; }

    virtual void DrawState(HDC dc, const RECT& client, POINT pointer);
    virtual void OnPress(const RECT& client, POINT pointer);
    // Clicks when the pointer is inside.
    virtual void OnRelease(const RECT& client, POINT pointer);
    virtual void OnPointer(const RECT& client, POINT pointer);
    // Posts WM_COMMAND to the parent.
    virtual void OnClick(int id);

    // The owner fills the image and its layers.
    CBmp& Image() { return m_image; }
    void Reset();
    // Draws the button onto target over a copy of background's client-sized
    // area (both may be the same DC: WM_PRINTCLIENT, a test's DIB).
    void Render(HDC target, HDC background);

    bool Tracking() const { return m_tracking; }
    int DriftX() const { return m_driftX; }
    int DriftY() const { return m_driftY; }

private:
    CBmp m_image;
    std::unique_ptr<CMemoryDC> m_snapshot;
    bool m_tracking = false;
    bool m_painting = false;
    bool m_spaceDown = false;
    int m_driftX = 0;
    int m_driftY = 0;

    RECT Client() const;
    POINT PointerInClient() const;
    void RefreshParentUnder(bool now);
    void Paint(WPARAM backgroundDc);
    void StartHover();
    void HoverStep();
    void StopHover();
};
