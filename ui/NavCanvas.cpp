#include "ui/NavCanvas.h"

#include "ui/NavPaneTool.h"

CNavCanvas::CNavCanvas(int width, int height) {
    if (!m_dib.Create(width, height)) return;
    m_surface.Borrow(m_dib.Bits(), width, height);
    m_view.Wrap(m_surface);
    SetBkMode(m_dib.Dc(), TRANSPARENT);
}

void CNavCanvas::Fill(const RECT& area, COLORREF colour) {
    CGdiObject<HBRUSH> brush(CreateSolidBrush(colour));
    if (brush) FillRect(Dc(), &area, brush.Get());
}

void CNavCanvas::DrawPicture(const CBmp& picture, int layer, int x, int y) {
    if (!Valid()) return;
    GdiFlush();  // GDI may still be writing to the pixels
    if (layer >= 0)
        picture.DrawLayer(m_view, x, y, layer);
    else
        picture.Draw(m_view, x, y);
}

void CNavCanvas::CopyTo(HDC target, const RECT& area) const {
    if (!Valid()) return;
    BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top, Dc(), area.left,
           area.top, SRCCOPY);
}

void DrawNavTool(CNavCanvas& canvas, const CNavPaneItemTool& tool, const RECT& cell) {
    RECT inner = cell;
    InflateRect(&inner, -1, -1);
    const long box = tool.BoxColour();
    if (box >= 0) canvas.Fill(inner, static_cast<COLORREF>(box));
    int layer = -1;
    const CBmp* picture = tool.PictureToDraw(&layer);
    if (!picture) return;
    const int push = tool.Has(CNavPaneItemTool::kPressed) ? 1 : 0;
    const int x = inner.left + (inner.right - inner.left - picture->Width()) / 2 + push;
    const int y = inner.top + (inner.bottom - inner.top - picture->Height()) / 2 + push;
    canvas.DrawPicture(*picture, layer, x, y);
}
