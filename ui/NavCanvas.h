#pragma once
// Off-screen surface the navigation pane and the tool bar paint on: a 32-bit
// top-down DIB section in a memory DC, so GDI (fills, edges, text) and the
// CBmp blends work on the same pixels; finished frames are copied in one
// piece. Also the one tool drawing both controls share.

#include <windows.h>

#include "picture/Bmp.h"
#include "picture/GdiOwners.h"
#include "picture/PixView.h"

class CNavPaneItemTool;

class CNavCanvas {
public:
    CNavCanvas(int width, int height);
    CNavCanvas(const CNavCanvas&) = delete;
    CNavCanvas& operator=(const CNavCanvas&) = delete;

    bool Valid() const { return m_dib.Bits() != nullptr; }
    HDC Dc() const { return m_dib.Dc(); }
    void Fill(const RECT& area, COLORREF colour);
    // Blends a picture (or one of its state layer lists, layer >= 0).
    void DrawPicture(const CBmp& picture, int layer, int x, int y);
    void CopyTo(HDC target, const RECT& area) const;

private:
    CDibSurface m_dib;
    CBmp m_surface;  // borrows the DIB section's pixels
    CPixView m_view;
};

// A tool in its cell: the box, then the picture centred, one pixel right and
// down while pressed.
void DrawNavTool(CNavCanvas& canvas, const CNavPaneItemTool& tool, const RECT& cell);
