#pragma once
// Small owners for the platform objects the pixel engine touches: each
// releases what it holds when it goes out of scope.

#include <windows.h>
#include <objbase.h>

#include <cstdint>

template <class T>
class ComRef {
public:
    ComRef() = default;
    ~ComRef() { Release(); }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    T* Get() const { return p_; }
    T* operator->() const { return p_; }
    T** Out()
    {
        Release();
        return &p_;
    }
    void Release()
    {
        if (p_)
            p_->Release();
        p_ = nullptr;
    }

private:
    T* p_ = nullptr;
};

// COM for the calling thread while in scope (the picture decoder may need it).
class ComScope {
public:
    ComScope() : ok_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComScope()
    {
        if (ok_)
            CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    bool ok_;
};

class FileHandle {
public:
    explicit FileHandle(HANDLE h) : h_(h) {}
    ~FileHandle()
    {
        if (h_ != INVALID_HANDLE_VALUE)
            CloseHandle(h_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    HANDLE Get() const { return h_; }
    bool Valid() const { return h_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE h_;
};

// A movable global block until a stream takes it over.
class GlobalBlock {
public:
    explicit GlobalBlock(SIZE_T bytes) : h_(bytes ? GlobalAlloc(GMEM_MOVEABLE, bytes) : nullptr) {}
    ~GlobalBlock()
    {
        if (h_)
            GlobalFree(h_);
    }
    GlobalBlock(const GlobalBlock&) = delete;
    GlobalBlock& operator=(const GlobalBlock&) = delete;
    HGLOBAL Get() const { return h_; }
    HGLOBAL Detach()
    {
        HGLOBAL h = h_;
        h_ = nullptr;
        return h;
    }

private:
    HGLOBAL h_;
};

class GdiObject {
public:
    explicit GdiObject(HGDIOBJ h = nullptr) : h_(h) {}
    ~GdiObject()
    {
        if (h_)
            DeleteObject(h_);
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    HGDIOBJ Get() const { return h_; }
    void Reset(HGDIOBJ h)
    {
        if (h_)
            DeleteObject(h_);
        h_ = h;
    }

private:
    HGDIOBJ h_;
};

class MemoryDc {
public:
    explicit MemoryDc(HDC like) : dc_(CreateCompatibleDC(like)) {}
    ~MemoryDc()
    {
        if (dc_)
            DeleteDC(dc_);
    }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    HDC Get() const { return dc_; }

private:
    HDC dc_;
};

class ScreenDc {
public:
    ScreenDc() : dc_(GetDC(nullptr)) {}
    ~ScreenDc()
    {
        if (dc_)
            ReleaseDC(nullptr, dc_);
    }
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;
    HDC Get() const { return dc_; }

private:
    HDC dc_;
};

// A 32-bit top-down DIB section selected into its own memory DC: the
// read-back buffer of the device-context draw routines.
class DibSurface {
public:
    DibSurface() = default;
    ~DibSurface()
    {
        if (old_)
            SelectObject(dc_.Get(), old_);
    }
    DibSurface(const DibSurface&) = delete;
    DibSurface& operator=(const DibSurface&) = delete;

    bool Create(int width, int height);
    bool CaptureFrom(HDC src, int x, int y);
    bool CopyTo(HDC dst, int x, int y) const;
    uint8_t* Bits() const { return bits_; }
    HDC Dc() const { return dc_.Get(); }
    int Width() const { return width_; }
    int Height() const { return height_; }

private:
    MemoryDc dc_{nullptr};
    GdiObject bitmap_;  // destroyed after the destructor has selected it out
    HGDIOBJ old_ = nullptr;
    uint8_t* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};
