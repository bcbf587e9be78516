#include "picture/PictureHeader.h"

#include "picture/ByteReader.h"
#include "picture/JpegSegments.h"

#include <algorithm>
#include <cstring>

namespace {

bool StartsWith(const uint8_t* data, size_t size, const char* sig, size_t n)
{
    return size >= n && std::memcmp(data, sig, n) == 0;
}

bool IsFrameHeader(uint8_t marker)
{
    // SOF0..SOF15 without DHT (C4), JPG (C8) and DAC (CC).
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

void ReadJpeg(const uint8_t* data, size_t size, PictureHeader& out)
{
    const CByteReader bytes(data, size);
    CJpegSegments segments(data, size);
    JpegSegment s;
    while (segments.Next(s)) {
        uint32_t h = 0, w = 0;
        if (IsFrameHeader(s.marker)) {
            if (s.length >= 5 && bytes.U16(s.offset + 1, h) && bytes.U16(s.offset + 3, w) && w && h) {
                out.width = w;
                out.height = h;
            }
            return;
        }
    }
}

void ReadPng(const CByteReader& bytes, PictureHeader& out)
{
    uint32_t length = 0, w = 0, h = 0;
    if (!bytes.U32(8, length) || length != 13 || !bytes.Has(12, 4) || std::memcmp(bytes.Data() + 12, "IHDR", 4) != 0)
        return;
    if (bytes.U32(16, w) && bytes.U32(20, h) && w && h && w <= 0x7FFFFFFF && h <= 0x7FFFFFFF) {
        out.width = w;
        out.height = h;
    }
}

// The logical screen, grown to hold the first image where that reaches
// beyond it: decoders allocate for either.
void ReadGif(const CByteReader& bytes, PictureHeader& out)
{
    uint32_t w = 0, h = 0, flags = 0;
    if (!bytes.U16(6, w) || !bytes.U16(8, h) || !bytes.U8(10, flags))
        return;
    size_t pos = 13 + ((flags & 0x80) ? 3u << ((flags & 7) + 1) : 0);
    for (;;) {
        uint32_t block = 0;
        if (!bytes.U8(pos, block))
            return;
        if (block == 0x2C) {
            uint32_t left = 0, top = 0, iw = 0, ih = 0;
            if (!bytes.U16(pos + 1, left) || !bytes.U16(pos + 3, top) || !bytes.U16(pos + 5, iw) ||
                !bytes.U16(pos + 7, ih))
                return;
            w = std::max(w, left + iw);
            h = std::max(h, top + ih);
            break;
        }
        if (block != 0x21)  // the trailer or garbage: no image
            return;
        pos += 2;  // introducer and label, then sub-blocks up to an empty one
        for (uint32_t n = 1; n != 0; pos += n + 1)
            if (!bytes.U8(pos, n))
                return;
    }
    if (w && h) {
        out.width = w;
        out.height = h;
    }
}

void ReadBmp(const CByteReader& lebytes, PictureHeader& out)
{
    uint32_t infoSize = 0, w = 0, h = 0;
    if (!lebytes.U32(14, infoSize))
        return;
    if (infoSize == 12) {
        if (!lebytes.U16(18, w) || !lebytes.U16(20, h))
            return;
    } else if (infoSize >= 40) {
        if (!lebytes.U32(18, w) || !lebytes.U32(22, h))
            return;
        const int32_t sw = static_cast<int32_t>(w), sh = static_cast<int32_t>(h);
        if (sw <= 0 || sh == INT32_MIN)
            return;
        h = static_cast<uint32_t>(sh < 0 ? -sh : sh);  // negative: rows top-down
    } else {
        return;
    }
    if (w && h) {
        out.width = w;
        out.height = h;
    }
}

}  // namespace

PictureHeader ReadPictureHeader(const uint8_t* data, size_t size)
{
    PictureHeader out;
    if (!data)
        return out;
    const CByteReader big(data, size), little(data, size, false);
    if (StartsWith(data, size, "\xFF\xD8", 2)) {
        out.format = PictureFormat::kJpeg;
        ReadJpeg(data, size, out);
    } else if (StartsWith(data, size, "\x89PNG\r\n\x1A\n", 8)) {
        out.format = PictureFormat::kPng;
        ReadPng(big, out);
    } else if (StartsWith(data, size, "GIF87a", 6) || StartsWith(data, size, "GIF89a", 6)) {
        out.format = PictureFormat::kGif;
        ReadGif(little, out);
    } else if (StartsWith(data, size, "BM", 2)) {
        out.format = PictureFormat::kBmp;
        ReadBmp(little, out);
    }
    return out;
}
