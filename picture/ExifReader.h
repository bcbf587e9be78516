#pragma once
// What a photo's EXIF block says about showing it: its orientation and the
// small JPEG many cameras and phones embed. Read from the file's own bytes
// because the platform decoders do not all answer for it.

#include <cstddef>
#include <cstdint>

struct ExifFacts {
    int orientation = 1;         // 1..8; 1 when absent or out of range
    size_t thumbnailOffset = 0;  // of the embedded JPEG within the data
    size_t thumbnailLength = 0;  // 0: none
};

// From the first Exif APP1 segment of a JPEG; defaults for anything else.
// Never reads outside the `size` bytes given.
ExifFacts ReadJpegExif(const uint8_t* data, size_t size);
