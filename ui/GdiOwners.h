#pragma once
// Small owners of device contexts and GDI objects: each releases what it
// holds, and a selection puts the displaced object back.

#include <windows.h>

// Any object released with DeleteObject (font, brush, bitmap, pen, region).
template <class T>
class CGdiObject {
public:
    explicit CGdiObject(T handle = nullptr) : m_handle(handle) {}
    ~CGdiObject() { Reset(); }
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    void Reset(T handle = nullptr) {
        if (m_handle) DeleteObject(m_handle);
        m_handle = handle;
    }
    T Get() const { return m_handle; }
    explicit operator bool() const { return m_handle != nullptr; }

private:
    T m_handle;
};

class CSelectObject {
public:
    CSelectObject(HDC dc, HGDIOBJ object) : m_dc(dc), m_old(object ? SelectObject(dc, object) : nullptr) {}
    ~CSelectObject() {
        if (m_old) SelectObject(m_dc, m_old);
    }
    CSelectObject(const CSelectObject&) = delete;
    CSelectObject& operator=(const CSelectObject&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_old;
};

// GetDC / ReleaseDC; a null window gives the screen.
class CWindowDC {
public:
    explicit CWindowDC(HWND hwnd) : m_hwnd(hwnd), m_dc(GetDC(hwnd)) {}
    ~CWindowDC() {
        if (m_dc) ReleaseDC(m_hwnd, m_dc);
    }
    CWindowDC(const CWindowDC&) = delete;
    CWindowDC& operator=(const CWindowDC&) = delete;
    HDC Get() const { return m_dc; }

private:
    HWND m_hwnd;
    HDC m_dc;
};

// A memory device context with a compatible bitmap of its own selected.
class CMemoryDC {
public:
    CMemoryDC(HDC compatibleWith, int width, int height)
        : m_dc(CreateCompatibleDC(compatibleWith)),
          m_bitmap(width > 0 && height > 0 ? CreateCompatibleBitmap(compatibleWith, width, height) : nullptr),
          m_width(width), m_height(height) {
        if (m_dc && m_bitmap) m_old = SelectObject(m_dc, m_bitmap);
    }
    ~CMemoryDC() {
        if (m_old) SelectObject(m_dc, m_old);
        if (m_bitmap) DeleteObject(m_bitmap);
        if (m_dc) DeleteDC(m_dc);
    }
    CMemoryDC(const CMemoryDC&) = delete;
    CMemoryDC& operator=(const CMemoryDC&) = delete;

    bool Valid() const { return m_old != nullptr; }
    HDC Get() const { return m_dc; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }

private:
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_old = nullptr;
    int m_width;
    int m_height;
};
