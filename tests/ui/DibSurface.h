#pragma once
// A 32-bit top-down DIB selected into a memory DC, for reading back what a
// control or menu item drew.

#include "picture/GdiOwners.h"

#include <cstdint>

class CTestDib {
public:
    CTestDib(int width, int height) { m_surface.Create(width, height); }

    HDC Dc() const { return m_surface.Dc(); }
    bool Valid() const { return m_surface.Bits() != nullptr; }
    // 0x00RRGGBB
    uint32_t Pixel(int x, int y) const {
        GdiFlush();
        return Pixels()[y * m_surface.Width() + x] & 0xFFFFFF;
    }
    void Fill(uint32_t rgb) {
        GdiFlush();
        for (int i = 0; i < m_surface.Width() * m_surface.Height(); ++i) Pixels()[i] = rgb;
    }

private:
    uint32_t* Pixels() const { return reinterpret_cast<uint32_t*>(m_surface.Bits()); }
    CDibSurface m_surface;
};

// COLORREF (red lowest) as a DIB pixel (blue lowest).
inline uint32_t DibColour(COLORREF c) {
    return (static_cast<uint32_t>(GetRValue(c)) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}
