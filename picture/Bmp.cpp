#include "picture/Bmp.h"

#include "picture/PixelKernels.h"
#include "picture/Resample.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>

int BmpByteSize(int width, int height)
{
    if (width <= 0 || height <= 0)
        return 0;
    const long long bytes = static_cast<long long>(width) * height * 4;
    return bytes > INT_MAX ? 0 : static_cast<int>(bytes);
}

uint8_t* AllocPixels(int width, int height)
{
    const int bytes = BmpByteSize(width, height);
    return bytes ? static_cast<uint8_t*>(std::calloc(static_cast<size_t>(bytes), 1)) : nullptr;
}

CBmp::~CBmp() { FreeBits(); }

CBmp::CBmp(const CBmp& other) : CPixBuffer() { *this = other; }

CBmp& CBmp::operator=(const CBmp& other)
{
    if (this == &other)
        return *this;
    Reset();
    CopyFrom(other);
    for (const Layer& layer : other.layers_) {
        layers_.emplace_back();
        for (const auto& piece : layer)
            layers_.back().push_back(std::make_unique<CBmp>(*piece));
    }
    return *this;
}

CBmp::CBmp(CBmp&& other) noexcept { *this = std::move(other); }

CBmp& CBmp::operator=(CBmp&& other) noexcept
{
    if (this == &other)
        return *this;
    FreeBits();
    bits_ = other.bits_;
    byteSize_ = other.byteSize_;
    width_ = other.width_;
    height_ = other.height_;
    hasAlpha_ = other.hasAlpha_;
    borrowed_ = other.borrowed_;
    name = std::move(other.name);
    offsetX = other.offsetX;
    offsetY = other.offsetY;
    layers_ = std::move(other.layers_);
    other.bits_ = nullptr;
    other.Reset();
    return *this;
}

void CBmp::FreeBits()
{
    if (!borrowed_)
        std::free(bits_);
    bits_ = nullptr;
    borrowed_ = false;
}

void CBmp::Reset()
{
    FreeBits();
    byteSize_ = width_ = height_ = 0;
    offsetX = offsetY = 0;
    layers_.clear();
    hasAlpha_ = false;
}

bool CBmp::Create(int width, int height)
{
    if (!Empty())
        Reset();
    name.clear();
    uint8_t* bits = AllocPixels(width, height);
    if (!bits)
        return false;
    Adopt(bits, width, height);
    return true;
}

void CBmp::Adopt(uint8_t* bits, int width, int height)
{
    FreeBits();
    bits_ = bits;
    width_ = width;
    height_ = height;
    byteSize_ = BmpByteSize(width, height);
}

void CBmp::Borrow(uint8_t* bits, int width, int height)
{
    Adopt(bits, width, height);
    borrowed_ = true;
}

bool CBmp::CopyFrom(const CBmp& other)
{
    if (other.Empty() || this == &other)
        return false;
    uint8_t* bits = static_cast<uint8_t*>(std::malloc(static_cast<size_t>(other.byteSize_)));
    if (!bits)
        return false;
    std::memcpy(bits, other.bits_, static_cast<size_t>(other.byteSize_));
    Reset();
    Adopt(bits, other.width_, other.height_);
    name = other.name;
    offsetX = other.offsetX;
    offsetY = other.offsetY;
    hasAlpha_ = other.hasAlpha_;
    return true;
}

void CBmp::ApplyAlphaRule()
{
    hasAlpha_ = false;
    for (int i = 3; i < byteSize_; i += 4) {
        if (bits_[i]) {
            hasAlpha_ = true;
            return;
        }
    }
    for (int i = 3; i < byteSize_; i += 4)
        bits_[i] = 255;
}

uint32_t CBmp::Pixel(int x, int y) const
{
    uint32_t v;
    std::memcpy(&v, bits_ + (static_cast<size_t>(y) * width_ + x) * 4, 4);
    return v;
}

void CBmp::SetPixel(int x, int y, uint32_t bgra)
{
    std::memcpy(bits_ + (static_cast<size_t>(y) * width_ + x) * 4, &bgra, 4);
}

// ---- layers

void CBmp::AddLayer() { layers_.emplace_back(); }

CBmp* CBmp::AddCopyToLayer(int k)
{
    if (!HasLayer(k))
        return nullptr;
    auto piece = std::make_unique<CBmp>();
    piece->CopyFrom(*this);
    layers_[static_cast<size_t>(k)].push_back(std::move(piece));
    return layers_[static_cast<size_t>(k)].back().get();
}

bool CBmp::HasLayer(int k) const { return k >= 0 && k < LayerCount(); }

bool CBmp::LayerFilled(int k) const { return HasLayer(k) && !layers_[static_cast<size_t>(k)].empty(); }

// ---- simple pixel operations

void CBmp::Fill(uint32_t bgra)
{
    for (int i = 0; i < byteSize_; i += 4)
        std::memcpy(bits_ + i, &bgra, 4);
}

void CBmp::Mask(uint32_t mask)
{
    for (int i = 0; i < byteSize_; i += 4) {
        uint32_t v;
        std::memcpy(&v, bits_ + i, 4);
        v &= mask;
        std::memcpy(bits_ + i, &v, 4);
    }
}

static uint8_t ToneValue(int v, int offset, int contrast)
{
    const long long t = offset + (static_cast<long long>(contrast) + 127) * (v - 127) / 127 + 127;
    return static_cast<uint8_t>(std::clamp<long long>(t, 0, 255));
}

void CBmp::Tone(int offset, int contrast)
{
    uint8_t map[256];
    for (int v = 0; v < 256; ++v)
        map[v] = ToneValue(v, offset, contrast);
    for (int i = 0; i < byteSize_; i += 4) {
        bits_[i] = map[bits_[i]];
        bits_[i + 1] = map[bits_[i + 1]];
        bits_[i + 2] = map[bits_[i + 2]];
    }
}

uint32_t ToneColour(uint32_t rgb, int offset, int contrast)
{
    uint32_t out = 0;
    for (int shift = 0; shift < 24; shift += 8)
        out |= static_cast<uint32_t>(ToneValue((rgb >> shift) & 255, offset, contrast)) << shift;
    return out;
}

void CBmp::ScaleAlpha(int mul, int add)
{
    for (int i = 3; i < byteSize_; i += 4) {
        const long long a = add + static_cast<long long>(mul) * bits_[i] / 255;
        bits_[i] = (a > 255 || a < 0) ? 255 : static_cast<uint8_t>(a);
    }
}

void CBmp::Shift(int dx, int dy)
{
    if (Empty())
        return;
    const long long offset = (static_cast<long long>(dx) + static_cast<long long>(dy) * width_) * 4;
    const long long size = byteSize_;
    if (offset >= size || -offset >= size) {
        std::memset(bits_, 0, static_cast<size_t>(size));
    } else if (offset > 0) {
        std::memmove(bits_ + offset, bits_, static_cast<size_t>(size - offset));
        std::memset(bits_, 0, static_cast<size_t>(offset));
    } else if (offset < 0) {
        std::memmove(bits_, bits_ - offset, static_cast<size_t>(size + offset));
        std::memset(bits_ + size + offset, 0, static_cast<size_t>(-offset));
    }
}

bool CBmp::ShiftColourKeepAlpha(int dx, int dy)
{
    if (Empty())
        return true;
    dx %= width_;
    dy %= height_;
    const long long pixels = static_cast<long long>(width_) * height_;
    long long k = (dx + static_cast<long long>(dy) * width_) % pixels;
    if (k < 0)
        k += pixels;
    if (k == 0)
        return true;
    uint8_t* old = static_cast<uint8_t*>(std::malloc(static_cast<size_t>(byteSize_)));
    if (!old)
        return false;
    std::memcpy(old, bits_, static_cast<size_t>(byteSize_));
    for (long long p = 0; p < pixels; ++p) {
        long long from = p - k;
        if (from < 0)
            from += pixels;
        std::memcpy(bits_ + p * 4, old + from * 4, 3);
    }
    std::free(old);
    return true;
}

void CBmp::ChannelCopy(const CBmp& other, int channel)
{
    if (Empty() || other.Empty() || channel < 0 || channel > 3)
        return;
    const int w = std::min(width_, other.width_);
    const int h = std::min(height_, other.height_);
    for (int y = 0; y < h; ++y) {
        uint8_t* d = bits_ + static_cast<size_t>(y) * width_ * 4 + channel;
        const uint8_t* s = other.bits_ + static_cast<size_t>(y) * other.width_ * 4 + channel;
        for (int x = 0; x < w; ++x)
            d[x * 4] = s[x * 4];
    }
}

bool CBmp::ExtractChannel(int channel, CBmp& out) const
{
    if (Empty() || channel < 0 || channel > 3 || !out.Create(width_, height_))
        return false;
    for (int i = channel; i < byteSize_; i += 4)
        out.bits_[i] = bits_[i];
    return true;
}

bool CBmp::Resample(int width, int height)
{
    if (Empty() || width <= 0 || height <= 0 || (width == width_ && height == height_))
        return true;
    uint8_t* bits = ResamplePixels(bits_, width_, height_, width, height);
    if (!bits)
        return false;
    FreeBits();
    bits_ = bits;
    width_ = width;
    height_ = height;
    byteSize_ = BmpByteSize(width, height);
    return true;
}

void CBmp::Premultiply()
{
    if (!Empty())
        pix::PremultiplyRow(bits_, width_ * height_);
}
