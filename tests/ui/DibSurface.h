#pragma once
// A 32-bit top-down DIB selected into a memory DC, for reading back what a
// control or menu item drew.

#include <windows.h>

#include <cstdint>

class CDibSurface {
public:
    CDibSurface(int width, int height) : m_width(width), m_height(height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        m_dc = CreateCompatibleDC(nullptr);
        m_bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        m_bits = static_cast<uint32_t*>(bits);
        m_old = SelectObject(m_dc, m_bitmap);
    }
    ~CDibSurface() {
        SelectObject(m_dc, m_old);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    CDibSurface(const CDibSurface&) = delete;
    CDibSurface& operator=(const CDibSurface&) = delete;

    HDC Dc() const { return m_dc; }
    bool Valid() const { return m_bits != nullptr; }
    // 0x00RRGGBB
    uint32_t Pixel(int x, int y) const {
        GdiFlush();
        return m_bits[y * m_width + x] & 0xFFFFFF;
    }
    void Fill(uint32_t rgb) {
        GdiFlush();
        for (int i = 0; i < m_width * m_height; ++i) m_bits[i] = rgb;
    }

private:
    int m_width;
    int m_height;
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_old;
    uint32_t* m_bits = nullptr;
};

// COLORREF (red lowest) as a DIB pixel (blue lowest).
inline uint32_t DibColour(COLORREF c) {
    return (static_cast<uint32_t>(GetRValue(c)) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}
