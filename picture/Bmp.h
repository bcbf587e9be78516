#pragma once
// The program's in-memory picture: width x height pixels of B, G, R, A bytes,
// rows top to bottom, no padding. Everything here is plain C++ so the pixel
// arithmetic can be built and tested without the platform headers.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "picture/PixBuffer.h"

class CPixView;

struct BmpPoint {
    int x;
    int y;
};

class CBmp : public CPixBuffer {
public:
    using Layer = std::vector<std::unique_ptr<CBmp>>;

    CBmp() = default;
    ~CBmp();
    // Deep copies, layers included (CopyFrom itself leaves layers out).
    CBmp(const CBmp& other);
    CBmp& operator=(const CBmp& other);
    CBmp(CBmp&& other) noexcept;
    CBmp& operator=(CBmp&& other) noexcept;

    // Lifetime and contents
    void Reset();
    bool Create(int width, int height);
    bool CopyFrom(const CBmp& other);
    // Takes ownership of a malloc'd buffer of width*height*4 bytes.
    void Adopt(uint8_t* bits, int width, int height);
    // Points at memory owned by the caller; Reset before that memory goes away.
    void Borrow(uint8_t* bits, int width, int height);
    // After loading: alpha kept when any alpha byte is non-zero, else all 255.
    void ApplyAlphaRule();

    bool HasAlpha() const { return hasAlpha_; }
    void SetHasAlpha(bool on) { hasAlpha_ = on; }
    uint32_t Pixel(int x, int y) const;
    void SetPixel(int x, int y, uint32_t bgra);

    std::wstring name;
    int offsetX = 0;
    int offsetY = 0;

    // Layers
    void AddLayer();
    CBmp* AddCopyToLayer(int k);
    bool HasLayer(int k) const;
    bool LayerFilled(int k) const;
    int LayerCount() const { return static_cast<int>(layers_.size()); }
    const Layer& GetLayer(int k) const { return layers_[static_cast<size_t>(k)]; }

    // Pixel operations, in place; nothing happens on an empty image.
    void Fill(uint32_t bgra);
    void Mask(uint32_t mask);
    void Tone(int offset, int contrast);
    void ScaleAlpha(int mul, int add);
    void Shift(int dx, int dy);
    bool ShiftColourKeepAlpha(int dx, int dy);
    void ChannelCopy(const CBmp& other, int channel);
    bool ExtractChannel(int channel, CBmp& out) const;
    bool Resample(int width, int height);
    void SoftEllipse(int cx, int cy, int rx, int ry, uint32_t bgra);
    void Gradient(const BmpPoint* points, const uint32_t* rgbaColours, int count,
                  bool extendStart, bool extendEnd);
    bool Blur(int radius);
    void Premultiply();

    // Drawing onto an in-memory target; the Win32 layer reads a device
    // context back into a view and uses the same routines.
    void Draw(CPixView& target, int x, int y) const;
    bool DrawStretched(CPixView& target, int x, int y, int w, int h, int bandW, int bandH) const;
    void DrawLayer(CPixView& target, int x, int y, int k) const;
    void DrawLayerStretched(CPixView& target, int x, int y, int w, int h,
                            int bandW, int bandH, int k) const;

private:
    bool hasAlpha_ = false;
    std::vector<Layer> layers_;

    void FreeBits();
};

// Byte size of a width x height picture, or 0 when it is not positive or
// does not fit an int (the buffer could not be addressed anyway).
int BmpByteSize(int width, int height);
// Zero-filled pixel buffer, or null; release with std::free.
uint8_t* AllocPixels(int width, int height);

// The tone formula for one colour value: red in the lowest byte, then green
// and blue; the top byte of the result is 0.
uint32_t ToneColour(uint32_t rgb, int offset, int contrast);
