#pragma once
// Decoding pictures into CBmp and drawing CBmp onto device contexts.
// Every function here fails quietly: false and an empty (or unchanged) image.

#include "picture/Bmp.h"

#include <windows.h>

class CPixView;

// A photo file: the OLE picture decoder first, then GDI+ (transparent areas
// come out on opaque black). Any failure leaves `out` empty.
bool LoadPhotoFile(const wchar_t* path, CBmp& out);
bool DecodeWithPictureDecoder(const wchar_t* path, CBmp& out);
bool DecodeWithImageLibrary(const wchar_t* path, CBmp& out);

// The cached thumbnail of a photo entry: nothing when `thumb` already has
// pixels; otherwise the picture decoder, then GDI+ only when the file name
// has a '.', and the result reduced to 64 pixels on its longer side.
// False when the thumbnail is still empty afterwards.
bool MakePhotoThumbnail(const wchar_t* path, CBmp& thumb);

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
