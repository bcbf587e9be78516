#pragma once
// The stored size of a picture read from its header alone, for the formats
// whose decoders would otherwise have to be trusted with any size.

#include <cstddef>
#include <cstdint>

enum class PictureFormat { kUnknown, kJpeg, kPng, kGif, kBmp };

struct PictureHeader {
    PictureFormat format = PictureFormat::kUnknown;
    // Both 0 when the format is recognised but its size cannot be read here
    // (cut short, odd, or a JPEG whose height comes after its first scan):
    // the size is unknown and the decoder, which reads it again, decides.
    uint32_t width = 0;
    uint32_t height = 0;
};

PictureHeader ReadPictureHeader(const uint8_t* data, size_t size);
