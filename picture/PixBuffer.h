#pragma once
// The pixel storage CBmp and CPixView share: width x height B, G, R, A
// pixels, rows top to bottom, no padding; malloc'd by the owner or borrowed
// from memory someone else keeps alive.

#include <cstdint>

class CPixBuffer {
public:
    bool Empty() const { return bits_ == nullptr; }
    uint8_t* Bits() { return bits_; }
    const uint8_t* Bits() const { return bits_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    int ByteSize() const { return byteSize_; }

protected:
    CPixBuffer() = default;
    ~CPixBuffer() = default;

    uint8_t* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    int byteSize_ = 0;
    bool borrowed_ = false;
};
