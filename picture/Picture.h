#pragma once
// Decoding pictures into CBmp and drawing CBmp onto device contexts.
// Every function here fails quietly: false and an empty (or unchanged) image.

#include "picture/Bmp.h"
#include "picture/ExifReader.h"
#include "picture/Fit.h"

#include <windows.h>

class CPixView;

// Decoding may run on any thread, several at once. A calling thread should
// have COM initialised (CoInitializeEx, either apartment); where it has not,
// each call initialises COM for itself. Nothing here touches a window.
// Once the program has set up its decode helper (DecodeHelper.h), photos are
// decoded there; the single-decoder calls and resources stay in this process.

// Which decoder gave the picture: the imaging component (WIC) first, then the
// OLE picture decoder, then GDI+; or the small JPEG a photo's EXIF block
// carries, when a thumbnail was asked for.
enum class PhotoDecoder { kNone, kWic, kPictureDecoder, kImageLibrary, kExifThumbnail };

// The size wanted for the picture's upright full size, as plain values (a
// request crosses to the decode helper): the picture is decoded no smaller
// (the codec reduces it where it can) and resampled to it.
struct PhotoSize {
    enum Kind : int { kStored, kFitted, kThumbnail, kWithin };
    Kind kind = kStored;  // stored: the upright picture as decoded
    // kFitted: FitPhoto's arguments; kWithin: maxW is the longest side
    // allowed (never enlarged).
    int maxW = 0;
    int maxH = 0;
    bool fullscreen = false;
    int areaW = 0;
    int areaH = 0;
};

FitSize WantedSize(const PhotoSize& size, int width, int height);

struct PhotoRequest {
    PhotoSize size;
    // Thumbnails take the EXIF thumbnail when it is big enough, and try GDI+
    // only for file names with a '.'.
    bool thumbnail = false;
    // Given: a decode that finds no room for now (the decodes under way took
    // it, or an allocation failed) gives nothing and sets it, to be tried
    // again later. Otherwise it decodes all the same.
    bool* later = nullptr;
    // Given: set to the date taken from the file's EXIF (read from the
    // bytes the decode reads anyway), or to none.
    ExifDate* taken = nullptr;
};

// The photo upright as its EXIF orientation says. Pictures above 180
// megapixels or too big for the address space left are refused from their
// header before any decoder sees them, except JPEGs the codec can decode
// reduced to within the limits. Any failure leaves `out` empty and kNone.
PhotoDecoder DecodePhoto(const wchar_t* path, const PhotoRequest& request, CBmp& out);

// The photo at full (or the largest allowed) size.
bool LoadPhotoFile(const wchar_t* path, CBmp& out);
// The photo upright, reduced to at most `longSide` pixels on its longer side.
bool LoadPhotoWithin(const wchar_t* path, int longSide, CBmp& out);
// The photo at its fitted size (FitPhoto of its upright size).
bool LoadPhotoFitted(const wchar_t* path, int maxW, int maxH, bool fullscreen, int areaW, int areaH, CBmp& out);
// One decoder alone, under the same size limits; the picture as stored.
bool DecodeWithPictureDecoder(const wchar_t* path, CBmp& out);
bool DecodeWithImageLibrary(const wchar_t* path, CBmp& out);

// The cached thumbnail of a photo entry, 64 pixels on its longer side:
// nothing when `thumb` already has pixels. False when it is still empty;
// `later` as PhotoRequest says.
bool MakePhotoThumbnail(const wchar_t* path, CBmp& thumb, bool* later = nullptr, ExifDate* taken = nullptr);

// Loaders; each resets `out` first and applies the alpha rule.
bool LoadBmpFromHandle(HBITMAP bitmap, CBmp& out);              // handle stays the caller's
bool LoadBmpFromResource(HMODULE module, int id, CBmp& out);   // module null: this program
bool LoadBmpFromPictureResource(HMODULE module, const wchar_t* name, const wchar_t* type, CBmp& out);

// Drawing: the destination rectangle is read back, blended in memory and
// written out again; the image's own offsets are added to (x, y).
void DrawBmp(HDC dc, const CBmp& bmp, int x, int y);
bool DrawBmpStretched(HDC dc, const CBmp& bmp, int x, int y, int w, int h, int bandW, int bandH);
bool DrawBmpWithOpacity(HDC dc, const CBmp& bmp, int x, int y, int w, int h, int opacity);
void DrawBmpLayer(HDC dc, const CBmp& bmp, int x, int y, int k);
void DrawBmpLayerStretched(HDC dc, const CBmp& bmp, int x, int y, int w, int h, int bandW, int bandH, int k);

// Pixel views and device contexts: a view of the DC's pixels at (x, y), the
// view's size, and back.
bool CaptureFromDc(CPixView& view, HDC dc, int x, int y);
bool CopyToDc(const CPixView& view, HDC dc, int x, int y);
