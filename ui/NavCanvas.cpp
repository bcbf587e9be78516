#include "ui/NavCanvas.h"

#include "ui/GdiOwners.h"
#include "ui/NavPaneTool.h"

CNavCanvas::CNavCanvas(HDC compatibleWith, int width, int height) {
    if (width <= 0 || height <= 0) return;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down, as CBmp
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    m_dc = CreateCompatibleDC(compatibleWith);
    m_bitmap = CreateDIBSection(compatibleWith, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!m_dc || !m_bitmap || !bits) return;
    m_old = SelectObject(m_dc, m_bitmap);
    m_surface.Borrow(static_cast<uint8_t*>(bits), width, height);
    m_view.Wrap(m_surface);
    SetBkMode(m_dc, TRANSPARENT);
}

CNavCanvas::~CNavCanvas() {
    m_view.Reset();
    m_surface.Reset();
    if (m_old) SelectObject(m_dc, m_old);
    if (m_bitmap) DeleteObject(m_bitmap);
    if (m_dc) DeleteDC(m_dc);
}

void CNavCanvas::Fill(const RECT& area, COLORREF colour) {
    CGdiObject<HBRUSH> brush(CreateSolidBrush(colour));
    if (brush) FillRect(m_dc, &area, brush.Get());
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
    BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top, m_dc, area.left,
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
