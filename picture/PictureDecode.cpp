#include "picture/Picture.h"

#include "picture/Fit.h"
#include "picture/GdiOwners.h"

#include <objidl.h>
#include <ocidl.h>
#include <olectl.h>

#include <gdiplus.h>

#include <string>

namespace {

// IPicture2: the same methods with pointer-sized handles.
const IID kIidPicture2 = {0xF5185DD8, 0x2012, 0x4B0B, {0xAA, 0xD9, 0xF0, 0x52, 0xC6, 0xBD, 0x48, 0x2B}};

// Paths of MAX_PATH or more only open with the \\?\ form.
std::wstring OpenablePath(const wchar_t* path)
{
    std::wstring p(path);
    if (p.size() < MAX_PATH || p.compare(0, 4, L"\\\\?\\") == 0)
        return p;
    if (p.size() > 2 && p[1] == L':' && (p[2] == L'\\' || p[2] == L'/'))
        return L"\\\\?\\" + p;
    if (p.compare(0, 2, L"\\\\") == 0)
        return L"\\\\?\\UNC\\" + p.substr(2);
    return p;
}

bool ReadDibBits(HDC dc, HBITMAP bitmap, CBmp& out)
{
    out.Reset();
    BITMAP info = {};
    if (!bitmap || !GetObjectW(bitmap, sizeof(info), &info) || info.bmWidth <= 0 || info.bmHeight <= 0)
        return false;
    if (!dc || !out.Create(info.bmWidth, info.bmHeight))
        return false;
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = info.bmWidth;
    bi.bmiHeader.biHeight = -info.bmHeight;  // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    if (GetDIBits(dc, bitmap, 0, static_cast<UINT>(info.bmHeight), out.Bits(), &bi, DIB_RGB_COLORS) !=
        info.bmHeight) {
        out.Reset();
        return false;
    }
    out.ApplyAlphaRule();
    return true;
}

// The picture keeps ownership of its bitmap handle; releasing the picture
// frees it.
bool PictureToBmp(IPicture* picture, bool wideHandles, CBmp& out)
{
    short type = PICTYPE_UNINITIALIZED;
    if (FAILED(picture->get_Type(&type)) || type != PICTYPE_BITMAP)
        return false;
    UINT_PTR raw = 0;
    if (FAILED(picture->get_Handle(reinterpret_cast<OLE_HANDLE*>(&raw))))
        return false;
    if (!wideHandles)  // a 32-bit OLE_HANDLE: GDI handles are sign-extended
        raw = static_cast<UINT_PTR>(static_cast<INT_PTR>(static_cast<LONG>(static_cast<UINT>(raw))));
    return LoadBmpFromHandle(reinterpret_cast<HBITMAP>(raw), out);
}

// Takes over `block` (size bytes of picture data) and decodes it.
bool DecodeBlock(CGlobalBlock& block, DWORD size, CBmp& out)
{
    out.Reset();
    CComScope com;
    CComRef<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(block.Get(), TRUE, stream.Out())))
        return false;
    block.Detach();
    CComRef<IPicture> picture;
    bool wide = false;
    if (FAILED(OleLoadPicture(stream.Get(), static_cast<LONG>(size), FALSE, IID_IPicture,
                              reinterpret_cast<void**>(picture.Out())))) {
        wide = true;
        if (FAILED(OleLoadPicture(stream.Get(), static_cast<LONG>(size), FALSE, kIidPicture2,
                                  reinterpret_cast<void**>(picture.Out()))))
            return false;
    }
    stream.Release();
    return picture.Get() && PictureToBmp(picture.Get(), wide, out);
}

void StartImageLibrary()
{
    static bool started = false;
    if (started)
        return;
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    // Stays started until the process ends.
    started = Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok;
}

bool HasExtension(const wchar_t* path)
{
    const wchar_t* name = path;
    for (const wchar_t* p = path; *p; ++p)
        if (*p == L'\\' || *p == L'/')
            name = p + 1;
    return std::wstring(name).find(L'.') != std::wstring::npos;
}

}  // namespace

bool LoadBmpFromHandle(HBITMAP bitmap, CBmp& out)
{
    CCompatibleDC dc(nullptr);
    return ReadDibBits(dc.Get(), bitmap, out);
}

bool LoadBmpFromResource(HMODULE module, int id, CBmp& out)
{
    out.Reset();
    if (!module)
        module = GetModuleHandleW(nullptr);
    HANDLE image = LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_DEFAULTSIZE | LR_CREATEDIBSECTION);
    CGdiObject<HBITMAP> bitmap(static_cast<HBITMAP>(image ? image : LoadBitmapW(module, MAKEINTRESOURCEW(id))));
    CWindowDC screen(nullptr);
    return ReadDibBits(screen.Get(), bitmap.Get(), out);
}

bool LoadBmpFromPictureResource(HMODULE module, const wchar_t* name, const wchar_t* type, CBmp& out)
{
    out.Reset();
    if (!module)
        module = GetModuleHandleW(nullptr);
    HRSRC info = FindResourceW(module, name, type);
    HGLOBAL res = info ? LoadResource(module, info) : nullptr;
    const void* data = res ? LockResource(res) : nullptr;
    const DWORD size = info ? SizeofResource(module, info) : 0;
    if (!data || size == 0)
        return false;
    CGlobalBlock block(size);
    void* dst = block.Get() ? GlobalLock(block.Get()) : nullptr;
    if (!dst)
        return false;
    memcpy(dst, data, size);
    GlobalUnlock(block.Get());
    return DecodeBlock(block, size, out);
}

bool DecodeWithPictureDecoder(const wchar_t* path, CBmp& out)
{
    out.Reset();
    if (!path || !*path)
        return false;
    // Shared reading is not allowed: a file being written elsewhere is skipped.
    CFileHandle file(CreateFileW(OpenablePath(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size = {};
    if (!file.Valid() || !GetFileSizeEx(file.Get(), &size) || size.QuadPart <= 0 || size.QuadPart > 0x7FFFFFFF)
        return false;
    const DWORD bytes = static_cast<DWORD>(size.QuadPart);
    CGlobalBlock block(bytes);
    uint8_t* dst = block.Get() ? static_cast<uint8_t*>(GlobalLock(block.Get())) : nullptr;
    if (!dst)
        return false;
    DWORD total = 0;
    while (total < bytes) {
        DWORD got = 0;
        if (!ReadFile(file.Get(), dst + total, bytes - total, &got, nullptr) || got == 0)
            break;
        total += got;
    }
    GlobalUnlock(block.Get());
    return total == bytes && DecodeBlock(block, bytes, out);
}

bool DecodeWithImageLibrary(const wchar_t* path, CBmp& out)
{
    out.Reset();
    if (!path || !*path)
        return false;
    StartImageLibrary();
    Gdiplus::GpBitmap* image = nullptr;
    if (Gdiplus::DllExports::GdipCreateBitmapFromFile(OpenablePath(path).c_str(), &image) != Gdiplus::Ok || !image)
        return false;
    HBITMAP handle = nullptr;
    // Opaque black background: transparent areas come out black.
    if (Gdiplus::DllExports::GdipCreateHBITMAPFromBitmap(image, &handle, 0xFF000000) == Gdiplus::Ok && handle) {
        CGdiObject<HBITMAP> owner(handle);
        // Some GDI+ versions ignore the background and hand back premultiplied
        // pixels; with the alpha made opaque those are the same picture on black.
        if (LoadBmpFromHandle(handle, out))
            out.ScaleAlpha(0, 255);
    }
    Gdiplus::DllExports::GdipDisposeImage(image);
    return !out.Empty();
}

bool LoadPhotoFile(const wchar_t* path, CBmp& out)
{
    return DecodeWithPictureDecoder(path, out) || DecodeWithImageLibrary(path, out);
}

bool MakePhotoThumbnail(const wchar_t* path, CBmp& thumb)
{
    if (!thumb.Empty())
        return true;
    CBmp picture;
    if (!DecodeWithPictureDecoder(path, picture) && path && HasExtension(path))
        DecodeWithImageLibrary(path, picture);
    if (!MakeThumbnailOf(picture))
        return false;
    thumb = std::move(picture);
    return true;
}
