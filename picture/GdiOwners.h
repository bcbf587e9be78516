#pragma once
// Small owners of device contexts, GDI objects and the other platform
// handles the program holds: each releases what it holds, and a selection
// puts the displaced object back.

#include <windows.h>
#include <objbase.h>

#include <cstdint>

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

// An icon of its own (LoadImage without LR_SHARED, CreateIconIndirect): DestroyIcon.
class CIconOwner {
public:
    explicit CIconOwner(HICON icon) : m_icon(icon) {}
    ~CIconOwner() {
        if (m_icon) DestroyIcon(m_icon);
    }
    CIconOwner(const CIconOwner&) = delete;
    CIconOwner& operator=(const CIconOwner&) = delete;
    HICON Get() const { return m_icon; }

private:
    HICON m_icon;
};

// CreateCompatibleDC / DeleteDC, with nothing of its own selected.
class CCompatibleDC {
public:
    explicit CCompatibleDC(HDC compatibleWith) : m_dc(CreateCompatibleDC(compatibleWith)) {}
    ~CCompatibleDC() {
        if (m_dc) DeleteDC(m_dc);
    }
    CCompatibleDC(const CCompatibleDC&) = delete;
    CCompatibleDC& operator=(const CCompatibleDC&) = delete;
    HDC Get() const { return m_dc; }

private:
    HDC m_dc;
};

// A memory device context with a compatible bitmap of its own selected.
class CMemoryDC {
public:
    CMemoryDC(HDC compatibleWith, int width, int height)
        : m_dc(compatibleWith),
          m_bitmap(width > 0 && height > 0 ? CreateCompatibleBitmap(compatibleWith, width, height) : nullptr),
          m_width(width), m_height(height) {
        if (m_dc.Get() && m_bitmap) m_old = SelectObject(m_dc.Get(), m_bitmap.Get());
    }
    ~CMemoryDC() {
        if (m_old) SelectObject(m_dc.Get(), m_old);
    }
    CMemoryDC(const CMemoryDC&) = delete;
    CMemoryDC& operator=(const CMemoryDC&) = delete;

    bool Valid() const { return m_old != nullptr; }
    HDC Get() const { return m_dc.Get(); }
    int Width() const { return m_width; }
    int Height() const { return m_height; }

private:
    CCompatibleDC m_dc;
    CGdiObject<HBITMAP> m_bitmap;  // deleted after the destructor has selected it out
    HGDIOBJ m_old = nullptr;
    int m_width;
    int m_height;
};

// A 32-bit top-down DIB section selected into its own memory DC: the
// read-back buffer of the device-context draw routines.
class CDibSurface {
public:
    CDibSurface() = default;
    ~CDibSurface() {
        if (m_old) SelectObject(m_dc.Get(), m_old);
    }
    CDibSurface(const CDibSurface&) = delete;
    CDibSurface& operator=(const CDibSurface&) = delete;

    bool Create(int width, int height);
    bool CaptureFrom(HDC src, int x, int y);
    bool CopyTo(HDC dst, int x, int y) const;
    uint8_t* Bits() const { return m_bits; }
    HDC Dc() const { return m_dc.Get(); }
    HBITMAP Bitmap() const { return m_bitmap.Get(); }
    int Width() const { return m_width; }
    int Height() const { return m_height; }

private:
    CCompatibleDC m_dc{nullptr};
    CGdiObject<HBITMAP> m_bitmap;  // deleted after the destructor has selected it out
    HGDIOBJ m_old = nullptr;
    uint8_t* m_bits = nullptr;
    int m_width = 0;
    int m_height = 0;
};

template <class T>
class CComRef {
public:
    CComRef() = default;
    ~CComRef() { Release(); }
    CComRef(const CComRef&) = delete;
    CComRef& operator=(const CComRef&) = delete;
    T* Get() const { return m_ptr; }
    T* operator->() const { return m_ptr; }
    T** Out() {
        Release();
        return &m_ptr;
    }
    void Release() {
        if (m_ptr) m_ptr->Release();
        m_ptr = nullptr;
    }

private:
    T* m_ptr = nullptr;
};

// COM for the calling thread while in scope (the picture decoder may need it).
class CComScope {
public:
    CComScope() : m_ok(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~CComScope() {
        if (m_ok) CoUninitialize();
    }
    CComScope(const CComScope&) = delete;
    CComScope& operator=(const CComScope&) = delete;

private:
    bool m_ok;
};

class CFileHandle {
public:
    explicit CFileHandle(HANDLE handle) : m_handle(handle) {}
    ~CFileHandle() {
        if (m_handle != INVALID_HANDLE_VALUE) CloseHandle(m_handle);
    }
    CFileHandle(const CFileHandle&) = delete;
    CFileHandle& operator=(const CFileHandle&) = delete;
    HANDLE Get() const { return m_handle; }
    bool Valid() const { return m_handle != INVALID_HANDLE_VALUE; }

private:
    HANDLE m_handle;
};
