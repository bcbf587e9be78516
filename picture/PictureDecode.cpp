#include "picture/Picture.h"

#include "picture/DecodeCount.h"
#include "picture/DecodeHelper.h"
#include "picture/DecodeMemory.h"
#include "picture/ExifReader.h"
#include "picture/Fit.h"
#include "picture/GdiOwners.h"
#include "picture/Orientation.h"
#include "picture/PictureBytes.h"
#include "picture/PictureHeader.h"
#include "picture/PictureLimits.h"
#include "picture/WicCodecs.h"
#include "picture/WicDecode.h"

#include <objidl.h>
#include <ocidl.h>
#include <olectl.h>

#include <gdiplus.h>

#include <algorithm>
#include <cstdlib>
#include <mutex>
#include <new>

namespace {

// IPicture2: the same methods with pointer-sized handles.
const IID kIidPicture2 = {0xF5185DD8, 0x2012, 0x4B0B, {0xAA, 0xD9, 0xF0, 0x52, 0xC6, 0xBD, 0x48, 0x2B}};

bool ReadDibBits(HDC dc, HBITMAP bitmap, CBmp& out, bool& noMemory)
{
    out.Reset();
    BITMAP info = {};
    if (!bitmap || !GetObjectW(bitmap, sizeof(info), &info) || info.bmWidth <= 0 || info.bmHeight <= 0)
        return false;
    if (!dc || !CreateDecodeBlock(out, info.bmWidth, info.bmHeight, noMemory))
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
bool ReadBitmap(HBITMAP bitmap, CBmp& out, bool& noMemory)
{
    CCompatibleDC dc(nullptr);
    return ReadDibBits(dc.Get(), bitmap, out, noMemory);
}

bool PictureToBmp(IPicture* picture, bool wideHandles, CBmp& out, bool& noMemory)
{
    short type = PICTYPE_UNINITIALIZED;
    if (FAILED(picture->get_Type(&type)) || type != PICTYPE_BITMAP)
        return false;
    UINT_PTR raw = 0;
    if (FAILED(picture->get_Handle(reinterpret_cast<OLE_HANDLE*>(&raw))))
        return false;
    if (!wideHandles)  // a 32-bit OLE_HANDLE: GDI handles are sign-extended
        raw = static_cast<UINT_PTR>(static_cast<INT_PTR>(static_cast<LONG>(static_cast<UINT>(raw))));
    return ReadBitmap(reinterpret_cast<HBITMAP>(raw), out, noMemory);
}

// A stream over the bytes; the block stays theirs. The block may be larger
// than the file: decoders stop at the end of the picture.
bool StreamOver(const CPictureBytes& bytes, CComRef<IStream>& stream)
{
    return bytes.Handle() && SUCCEEDED(CreateStreamOnHGlobal(bytes.Handle(), FALSE, stream.Out()));
}

bool DecodeBytesWithPictureDecoder(const CPictureBytes& bytes, CBmp& out, bool& noMemory)
{
    out.Reset();
    CComRef<IStream> stream;
    if (!StreamOver(bytes, stream))
        return false;
    const LONG size = static_cast<LONG>(bytes.Size());
    CComRef<IPicture> picture;
    bool wide = false;
    HRESULT result = OleLoadPicture(stream.Get(), size, FALSE, IID_IPicture, reinterpret_cast<void**>(picture.Out()));
    if (FAILED(result) && result != E_OUTOFMEMORY) {
        wide = true;
        result = OleLoadPicture(stream.Get(), size, FALSE, kIidPicture2, reinterpret_cast<void**>(picture.Out()));
    }
    noMemory = noMemory || result == E_OUTOFMEMORY;
    return SUCCEEDED(result) && picture.Get() && PictureToBmp(picture.Get(), wide, out, noMemory);
}

void StartImageLibrary()
{
    static std::once_flag once;
    std::call_once(once, [] {
        Gdiplus::GdiplusStartupInput input;
        ULONG_PTR token = 0;
        // Stays started until the process ends.
        Gdiplus::GdiplusStartup(&token, &input, nullptr);
    });
}

// GDI+ answers OutOfMemory for many files it cannot read: only our own
// block failing counts as no memory.
bool DecodeBytesWithImageLibrary(const CPictureBytes& bytes, CBmp& out, bool& noMemory)
{
    out.Reset();
    StartImageLibrary();
    CComRef<IStream> stream;
    Gdiplus::GpBitmap* image = nullptr;
    if (!StreamOver(bytes, stream) ||
        Gdiplus::DllExports::GdipCreateBitmapFromStream(stream.Get(), &image) != Gdiplus::Ok || !image)
        return false;
    HBITMAP handle = nullptr;
    // Opaque black background: transparent areas come out black.
    if (Gdiplus::DllExports::GdipCreateHBITMAPFromBitmap(image, &handle, 0xFF000000) == Gdiplus::Ok && handle) {
        CGdiObject<HBITMAP> owner(handle);
        // Some GDI+ versions ignore the background and hand back premultiplied
        // pixels; with the alpha made opaque those are the same picture on black.
        if (ReadBitmap(handle, out, noMemory))
            out.ScaleAlpha(0, 255);
    }
    Gdiplus::DllExports::GdipDisposeImage(image);
    return !out.Empty();
}

bool HasExtension(const wchar_t* path)
{
    const wchar_t* name = path;
    for (const wchar_t* p = path; *p; ++p)
        if (*p == L'\\' || *p == L'/')
            name = p + 1;
    return wcschr(name, L'.') != nullptr;
}

// Wine fills in a shared reading without a lock: a thread asking while
// another one does may get all zeros, which would refuse every picture. Our
// own decoders take turns; a reading without a total, from an overlap with
// anyone else, counts as unknown.
uint64_t FreeAddressSpace()
{
    static std::mutex asking;
    const std::lock_guard<std::mutex> turn(asking);
    MEMORYSTATUSEX status = {};
    status.dwLength = sizeof(status);
    // Unknown: only the pixel limit applies.
    return GlobalMemoryStatusEx(&status) && status.ullTotalVirtual != 0 ? status.ullAvailVirtual : UINT64_MAX;
}

// What the bytes say before any decoder sees them.
struct Facts {
    PictureHeader header;
    ExifFacts exif;
    // The least reduction the limits allow (1 when the size is not known
    // from the header); 0: refused.
    int reduction = 1;
};

Facts ReadFacts(const uint8_t* data, size_t size)
{
    Facts f;
    f.header = ReadPictureHeader(data, size);
    if (f.header.format == PictureFormat::kJpeg)
        f.exif = ReadJpegExif(data, size);
    if (f.header.format != PictureFormat::kUnknown)
        f.reduction = ReductionForHeader(f.header.width, f.header.height,
                                         f.header.format == PictureFormat::kJpeg && JpegScalesNatively(),
                                         FreeAddressSpace());
    return f;
}

FitSize Wanted(const PhotoRequest& request, FitSize upright)
{
    if (request.size.kind == PhotoSize::kStored)
        return {0, 0};
    const FitSize want = WantedSize(request.size, upright.width, upright.height);
    return {std::max(1, want.width), std::max(1, want.height)};
}

// Upright, then at the size wanted for the full picture's upright size.
bool Finish(CBmp& picture, int orientation, const PhotoRequest& request, FitSize fullUpright)
{
    if (picture.Empty() || !OrientUpright(picture, orientation))
        return false;
    const FitSize want = Wanted(request, fullUpright);
    return want.width == 0 || picture.Resample(want.width, want.height);
}

// Finish for a decoded picture: failing there, it lacked memory.
bool Finished(CBmp& picture, int orientation, const PhotoRequest& request, FitSize fullUpright, bool& noMemory)
{
    if (Finish(picture, orientation, request, fullUpright))
        return true;
    noMemory = true;
    return false;
}

bool Opened(CWicPicture& wic, const uint8_t* data, size_t size, int& reduction)
{
    if (!wic.Open(data, size))
        return false;
    const int least = ReductionForHeader(wic.Width(), wic.Height(), wic.ScalesNatively(), FreeAddressSpace());
    reduction = least == 0 ? 0 : std::max(reduction, least);
    return true;
}

// The EXIF thumbnail when it holds at least the size wanted and has the
// photo's shape (some cameras pad wide photos into 4:3 thumbnails).
bool DecodeExifThumbnail(const uint8_t* data, size_t size, const Facts& photo, const PhotoRequest& request,
                         CBmp& out)
{
    const Facts thumb = ReadFacts(data, size);
    if (thumb.header.format != PictureFormat::kJpeg || thumb.reduction != 1)
        return false;
    const int o = photo.exif.orientation;
    const FitSize full = UprightSize(photo.header.width, photo.header.height, o);
    const FitSize have = UprightSize(thumb.header.width, thumb.header.height, o);
    const FitSize want = Wanted(request, full);
    const long long a = 1LL * have.width * full.height, b = 1LL * have.height * full.width;
    if (have.width < want.width || have.height < want.height || std::llabs(a - b) * 50 > a)
        return false;
    CWicPicture wic;
    int reduction = 1;
    return Opened(wic, data, size, reduction) && reduction == 1 && wic.Decode(1, out) &&
           Finish(out, o, request, full);  // small: the codec's copy may stay meanwhile
}

bool DecodeWithWic(const CPictureBytes& bytes, const Facts& facts, const PhotoRequest& request, int& reduction,
                   CBmp& out, bool& noMemory)
{
    const int o = facts.exif.orientation;
    FitSize full = {0, 0};
    {
        // The codec's own copy of the pixels goes before ours are turned and
        // resampled: the limits count on two copies at most.
        CWicPicture wic;
        const bool opened = Opened(wic, bytes.Data(), bytes.Size(), reduction);
        noMemory = noMemory || wic.NoMemory();
        if (!opened || reduction == 0)
            return false;
        full = UprightSize(static_cast<int>(wic.Width()), static_cast<int>(wic.Height()), o);
        if (wic.ScalesNatively() && request.size.kind != PhotoSize::kStored) {
            const FitSize want = Wanted(request, full);
            const FitSize stored = UprightSize(want.width, want.height, o);  // the same swap undoes itself
            reduction = ReductionKeeping(wic.Width(), wic.Height(), stored.width, stored.height, reduction);
        }
        const bool decoded = wic.Decode(reduction, out);
        noMemory = noMemory || wic.NoMemory();
        if (!decoded)
            return false;
    }
    return Finished(out, o, request, full, noMemory);
}

// The decoders in turn, after the EXIF thumbnail where that will do.
PhotoDecoder DecodeInTurn(const CPictureBytes& bytes, const Facts& facts, const PhotoRequest& request,
                          bool imageLibrary, CBmp& out, bool& noMemory)
{
    if (request.thumbnail && facts.exif.thumbnailLength &&
        DecodeExifThumbnail(bytes.Data() + facts.exif.thumbnailOffset, facts.exif.thumbnailLength, facts, request,
                            out))
        return PhotoDecoder::kExifThumbnail;
    int reduction = facts.reduction;
    if (DecodeWithWic(bytes, facts, request, reduction, out, noMemory))
        return PhotoDecoder::kWic;
    // The other decoders only decode at full size.
    if (reduction != 1)
        return PhotoDecoder::kNone;
    const int o = facts.exif.orientation;
    if (DecodeBytesWithPictureDecoder(bytes, out, noMemory) &&
        Finished(out, o, request, UprightSize(out.Width(), out.Height(), o), noMemory))
        return PhotoDecoder::kPictureDecoder;
    if (imageLibrary && DecodeBytesWithImageLibrary(bytes, out, noMemory) &&
        Finished(out, o, request, UprightSize(out.Width(), out.Height(), o), noMemory))
        return PhotoDecoder::kImageLibrary;
    return PhotoDecoder::kNone;
}

// One decoder at the stored size, for the public single-decoder calls.
bool DecodeAlone(const wchar_t* path, bool (*decode)(const CPictureBytes&, CBmp&, bool&), CBmp& out)
{
    out.Reset();
    CComScope com;
    CPictureBytes bytes;
    bool noMemory = false;
    return bytes.Read(path) && ReadFacts(bytes.Data(), bytes.Size()).reduction == 1 && decode(bytes, out, noMemory);
}

}  // namespace

bool LoadBmpFromHandle(HBITMAP bitmap, CBmp& out)
{
    bool noMemory = false;
    return ReadBitmap(bitmap, out, noMemory);
}

bool LoadBmpFromResource(HMODULE module, int id, CBmp& out)
{
    out.Reset();
    if (!module)
        module = GetModuleHandleW(nullptr);
    HANDLE image = LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_DEFAULTSIZE | LR_CREATEDIBSECTION);
    CGdiObject<HBITMAP> bitmap(static_cast<HBITMAP>(image ? image : LoadBitmapW(module, MAKEINTRESOURCEW(id))));
    CWindowDC screen(nullptr);
    bool noMemory = false;
    return ReadDibBits(screen.Get(), bitmap.Get(), out, noMemory);
}

bool LoadBmpFromPictureResource(HMODULE module, const wchar_t* name, const wchar_t* type, CBmp& out)
{
    out.Reset();
    if (!module)
        module = GetModuleHandleW(nullptr);
    HRSRC info = FindResourceW(module, name, type);
    HGLOBAL res = info ? LoadResource(module, info) : nullptr;
    const void* data = res ? LockResource(res) : nullptr;
    CComScope com;
    CPictureBytes bytes;
    bool noMemory = false;
    return bytes.Assign(data, info ? SizeofResource(module, info) : 0) &&
           DecodeBytesWithPictureDecoder(bytes, out, noMemory);
}

FitSize WantedSize(const PhotoSize& size, int width, int height)
{
    switch (size.kind) {
    case PhotoSize::kFitted:
        return FitPhoto(width, height, size.maxW, size.maxH, size.fullscreen, size.areaW, size.areaH);
    case PhotoSize::kThumbnail:
        return ThumbnailSize(width, height);
    case PhotoSize::kWithin: {
        const int longer = std::max(width, height);
        if (longer <= size.maxW || longer <= 0)
            return {width, height};
        return {static_cast<int>(static_cast<long long>(width) * size.maxW / longer),
                static_cast<int>(static_cast<long long>(height) * size.maxW / longer)};
    }
    default:
        return {width, height};
    }
}

PhotoDecoder DecodePhotoHere(const CPictureBytes& bytes, const PhotoRequest& request, bool imageLibrary, CBmp& out)
{
    out.Reset();
    CComScope com;
    const Facts facts = ReadFacts(bytes.Data(), bytes.Size());
    if (facts.reduction == 0)
        return PhotoDecoder::kNone;
    // Its room is promised for the whole decode: decodes that started
    // together cannot all count on the same free space.
    const uint32_t roomW = ReducedSide(facts.header.width, facts.reduction);
    const uint32_t roomH = ReducedSide(facts.header.height, facts.reduction);
    const CDecodePromise room(CDecodeBudget::Shared(), roomW, roomH, FreeAddressSpace(), !request.later);
    const auto noRoom = [&] {
        if (request.later)
            *request.later = true;
        return PhotoDecoder::kNone;
    };
    if (request.later && roomW && !room.Kept())
        return noRoom();
    bool noMemory = false;
    try {
        const PhotoDecoder decoder = DecodeInTurn(bytes, facts, request, imageLibrary, out, noMemory);
        if (decoder != PhotoDecoder::kNone)
            return decoder;
    } catch (const std::bad_alloc&) {
        noMemory = true;
    }
    out.Reset();
    // A decoder's allocation failed, or the room it needed is not there:
    // memory, not the file.
    if (noMemory || (roomW && !DecodeFits(roomW, roomH, FreeAddressSpace())))
        return noRoom();
    return PhotoDecoder::kNone;
}

PhotoDecoder DecodePhoto(const wchar_t* path, const PhotoRequest& request, CBmp& out)
{
    out.Reset();
    CPictureBytes bytes;
    if (!bytes.Read(path))
        return PhotoDecoder::kNone;
    if (request.taken)
        *request.taken = ReadJpegExif(bytes.Data(), bytes.Size()).taken;
    const bool imageLibrary = !request.thumbnail || HasExtension(path);
    PhotoDecoder decoder = PhotoDecoder::kNone;
    if (!DecodeInHelper(bytes, request, imageLibrary, out, decoder))
        decoder = DecodePhotoHere(bytes, request, imageLibrary, out);
    if (decoder == PhotoDecoder::kExifThumbnail)
        CountDecode(DecodeKind::kThumbnailFromExif);
    else if (decoder != PhotoDecoder::kNone)
        CountDecode(request.thumbnail ? DecodeKind::kThumbnailFull : DecodeKind::kShownFull);
    return decoder;
}

bool DecodeWithPictureDecoder(const wchar_t* path, CBmp& out)
{
    return DecodeAlone(path, DecodeBytesWithPictureDecoder, out);
}

bool DecodeWithImageLibrary(const wchar_t* path, CBmp& out)
{
    return DecodeAlone(path, DecodeBytesWithImageLibrary, out);
}

bool LoadPhotoFile(const wchar_t* path, CBmp& out) { return DecodePhoto(path, PhotoRequest(), out) != PhotoDecoder::kNone; }

bool LoadPhotoFitted(const wchar_t* path, int maxW, int maxH, bool fullscreen, int areaW, int areaH, CBmp& out)
{
    PhotoRequest request;
    request.size.kind = PhotoSize::kFitted;
    request.size.maxW = maxW;
    request.size.maxH = maxH;
    request.size.fullscreen = fullscreen;
    request.size.areaW = areaW;
    request.size.areaH = areaH;
    return DecodePhoto(path, request, out) != PhotoDecoder::kNone;
}

bool LoadPhotoWithin(const wchar_t* path, int longSide, CBmp& out)
{
    PhotoRequest request;
    request.size.kind = PhotoSize::kWithin;
    request.size.maxW = longSide;
    return DecodePhoto(path, request, out) != PhotoDecoder::kNone;
}

bool MakePhotoThumbnail(const wchar_t* path, CBmp& thumb, bool* later, ExifDate* taken)
{
    if (!thumb.Empty())
        return true;
    PhotoRequest request;
    request.size.kind = PhotoSize::kThumbnail;
    request.thumbnail = true;
    request.later = later;
    request.taken = taken;
    CBmp picture;
    if (DecodePhoto(path, request, picture) == PhotoDecoder::kNone)
        return false;
    thumb = std::move(picture);
    return true;
}
