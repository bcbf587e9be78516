#include "picture/BmpCompose.h"
#include "picture/GdiOwners.h"
#include "picture/PixView.h"
#include "picture/PixelKernels.h"
#include "picture/Picture.h"

#include <cstring>

bool CDibSurface::Create(int width, int height)
{
    if (m_bits || BmpByteSize(width, height) == 0)
        return false;
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;  // top-down, the CBmp row order
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    m_bitmap.Reset(bitmap);
    if (!bitmap || !bits || !m_dc.Get())
        return false;
    m_old = SelectObject(m_dc.Get(), bitmap);
    if (!m_old)
        return false;
    m_bits = static_cast<uint8_t*>(bits);
    m_width = width;
    m_height = height;
    return true;
}

bool CDibSurface::CaptureFrom(HDC src, int x, int y)
{
    const bool ok = m_bits && BitBlt(m_dc.Get(), 0, 0, m_width, m_height, src, x, y, SRCCOPY);
    GdiFlush();  // the bits are read directly next
    return ok;
}

bool CDibSurface::CopyTo(HDC dst, int x, int y) const
{
    GdiFlush();
    return m_bits && BitBlt(dst, x, y, m_width, m_height, m_dc.Get(), 0, 0, SRCCOPY);
}

void DrawBmp(HDC dc, const CBmp& bmp, int x, int y)
{
    CDibSurface back;
    const int x0 = x + bmp.offsetX, y0 = y + bmp.offsetY, pixels = bmp.Width() * bmp.Height();
    if (bmp.Empty() || !back.Create(bmp.Width(), bmp.Height()))
        return;
    // Nothing shows through an opaque picture: reading the screen back is
    // what a paint would cost most.
    if (pix::AllOpaque(bmp.Bits(), pixels))
        std::memcpy(back.Bits(), bmp.Bits(), static_cast<size_t>(bmp.ByteSize()));
    else if (back.CaptureFrom(dc, x0, y0))
        pix::BlendOverRow(back.Bits(), bmp.Bits(), pixels);
    else
        return;
    back.CopyTo(dc, x0, y0);
}

bool DrawBmpStretched(HDC dc, const CBmp& bmp, int x, int y, int w, int h, int bandW, int bandH)
{
    CDibSurface back;
    if (bmp.Empty() || w <= 0 || h <= 0 || !back.Create(w, h) ||
        !back.CaptureFrom(dc, x + bmp.offsetX, y + bmp.offsetY) ||
        !BlendStretchedBands(bmp, back.Bits(), w, h, bandW, bandH))
        return false;
    return back.CopyTo(dc, x + bmp.offsetX, y + bmp.offsetY);
}

bool DrawBmpWithOpacity(HDC dc, const CBmp& bmp, int x, int y, int w, int h, int opacity)
{
    CDibSurface image, stretched, back;
    if (bmp.Empty() || w <= 0 || h <= 0 || !image.Create(bmp.Width(), bmp.Height()) || !stretched.Create(w, h) ||
        !back.Create(w, h))
        return false;
    std::memcpy(image.Bits(), bmp.Bits(), static_cast<size_t>(bmp.ByteSize()));
    SetStretchBltMode(stretched.Dc(), COLORONCOLOR);
    if (!StretchBlt(stretched.Dc(), 0, 0, w, h, image.Dc(), 0, 0, bmp.Width(), bmp.Height(), SRCCOPY) ||
        !back.CaptureFrom(dc, x + bmp.offsetX, y + bmp.offsetY))
        return false;
    GdiFlush();
    pix::OpacityBlendRow(back.Bits(), stretched.Bits(), w * h, opacity);
    return back.CopyTo(dc, x + bmp.offsetX, y + bmp.offsetY);
}

void DrawBmpLayer(HDC dc, const CBmp& bmp, int x, int y, int k)
{
    if (!bmp.HasLayer(k))
        return;
    for (const auto& piece : bmp.GetLayer(k))
        DrawBmp(dc, *piece, x, y);
}

void DrawBmpLayerStretched(HDC dc, const CBmp& bmp, int x, int y, int w, int h, int bandW, int bandH, int k)
{
    if (!bmp.HasLayer(k))
        return;
    for (const auto& piece : bmp.GetLayer(k))
        DrawBmpStretched(dc, *piece, x, y, w, h, bandW, bandH);
}

bool CaptureFromDc(CPixView& view, HDC dc, int x, int y)
{
    CDibSurface back;
    if (view.Empty() || !back.Create(view.Width(), view.Height()) || !back.CaptureFrom(dc, x, y))
        return false;
    std::memcpy(view.Bits(), back.Bits(), static_cast<size_t>(view.ByteSize()));
    return true;
}

bool CopyToDc(const CPixView& view, HDC dc, int x, int y)
{
    CDibSurface out;
    if (view.Empty() || !out.Create(view.Width(), view.Height()))
        return false;
    std::memcpy(out.Bits(), view.Bits(), static_cast<size_t>(view.ByteSize()));
    return out.CopyTo(dc, x, y);
}
