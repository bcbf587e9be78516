#include "slideshow/BmpCompose.h"
#include "slideshow/GdiOwners.h"
#include "slideshow/PixView.h"
#include "slideshow/PixelKernels.h"
#include "slideshow/Picture.h"

#include <cstring>

bool DibSurface::Create(int width, int height)
{
    if (bits_ || BmpByteSize(width, height) == 0)
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
    bitmap_.Reset(bitmap);
    if (!bitmap || !bits || !dc_.Get())
        return false;
    old_ = SelectObject(dc_.Get(), bitmap);
    if (!old_)
        return false;
    bits_ = static_cast<uint8_t*>(bits);
    width_ = width;
    height_ = height;
    return true;
}

bool DibSurface::CaptureFrom(HDC src, int x, int y)
{
    const bool ok = bits_ && BitBlt(dc_.Get(), 0, 0, width_, height_, src, x, y, SRCCOPY);
    GdiFlush();  // the bits are read directly next
    return ok;
}

bool DibSurface::CopyTo(HDC dst, int x, int y) const
{
    GdiFlush();
    return bits_ && BitBlt(dst, x, y, width_, height_, dc_.Get(), 0, 0, SRCCOPY);
}

void DrawBmp(HDC dc, const CBmp& bmp, int x, int y)
{
    DibSurface back;
    if (bmp.Empty() || !back.Create(bmp.Width(), bmp.Height()) ||
        !back.CaptureFrom(dc, x + bmp.offsetX, y + bmp.offsetY))
        return;
    pix::BlendOverRow(back.Bits(), bmp.Bits(), bmp.Width() * bmp.Height());
    back.CopyTo(dc, x + bmp.offsetX, y + bmp.offsetY);
}

bool DrawBmpStretched(HDC dc, const CBmp& bmp, int x, int y, int w, int h, int bandW, int bandH)
{
    DibSurface back;
    if (bmp.Empty() || w <= 0 || h <= 0 || !back.Create(w, h) ||
        !back.CaptureFrom(dc, x + bmp.offsetX, y + bmp.offsetY) ||
        !BlendStretchedBands(bmp, back.Bits(), w, h, bandW, bandH))
        return false;
    return back.CopyTo(dc, x + bmp.offsetX, y + bmp.offsetY);
}

bool DrawBmpWithOpacity(HDC dc, const CBmp& bmp, int x, int y, int w, int h, int opacity)
{
    DibSurface image, stretched, back;
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
    DibSurface back;
    if (view.Empty() || !back.Create(view.Width(), view.Height()) || !back.CaptureFrom(dc, x, y))
        return false;
    std::memcpy(view.Bits(), back.Bits(), static_cast<size_t>(view.ByteSize()));
    return true;
}

bool CopyToDc(const CPixView& view, HDC dc, int x, int y)
{
    DibSurface out;
    if (view.Empty() || !out.Create(view.Width(), view.Height()))
        return false;
    std::memcpy(out.Bits(), view.Bits(), static_cast<size_t>(view.ByteSize()));
    return out.CopyTo(dc, x, y);
}
