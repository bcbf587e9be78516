#pragma once
// Hand-made EXIF blocks for the reader tests: an IFD0 with the orientation
// and an IFD1 pointing at an embedded JPEG, in either byte order.

#include <cstdint>
#include <string>

namespace exifmake {

struct ExifFields {
    bool bigEndian = false;
    int orientation = 0;    // 0: no orientation entry
    std::string thumbnail;  // empty: no IFD1
};

inline void Put(std::string& out, uint32_t v, int bytes, bool big)
{
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((v >> (8 * (big ? bytes - 1 - i : i))) & 255);
}

// The TIFF structure: header, IFD0 at 8, IFD1 after it, the thumbnail last.
inline std::string Tiff(const ExifFields& s)
{
    const bool big = s.bigEndian;
    std::string t = big ? std::string("MM\0*", 4) : std::string("II*\0", 4);
    Put(t, 8, 4, big);
    const uint32_t n0 = s.orientation ? 1 : 0;
    const uint32_t ifd1 = 8 + 2 + n0 * 12 + 4;
    Put(t, n0, 2, big);
    if (s.orientation) {
        Put(t, 0x0112, 2, big);
        Put(t, 3, 2, big);
        Put(t, 1, 4, big);
        Put(t, static_cast<uint32_t>(s.orientation), 2, big);
        Put(t, 0, 2, big);
    }
    Put(t, s.thumbnail.empty() ? 0 : ifd1, 4, big);
    if (!s.thumbnail.empty()) {
        const uint32_t data = ifd1 + 2 + 2 * 12 + 4;
        Put(t, 2, 2, big);
        for (uint32_t tag : {0x0201u, 0x0202u}) {
            Put(t, tag, 2, big);
            Put(t, 4, 2, big);
            Put(t, 1, 4, big);
            Put(t, tag == 0x0201 ? data : static_cast<uint32_t>(s.thumbnail.size()), 4, big);
        }
        Put(t, 0, 4, big);
        t += s.thumbnail;
    }
    return t;
}

inline std::string Segment(uint8_t marker, const std::string& payload)
{
    std::string seg("\xFF", 1);
    seg += static_cast<char>(marker);
    Put(seg, static_cast<uint32_t>(payload.size() + 2), 2, true);
    return seg + payload;
}

inline std::string App1(const std::string& tiff) { return Segment(0xE1, std::string("Exif\0\0", 6) + tiff); }

// The JPEG with an EXIF segment put right after its start-of-image marker.
inline std::string WithExif(const std::string& jpeg, const ExifFields& s)
{
    return jpeg.substr(0, 2) + App1(Tiff(s)) + jpeg.substr(2);
}

// Start of image, a baseline frame header of w x h and the end marker: as
// far as the readers look.
inline std::string JpegHead(uint32_t w, uint32_t h)
{
    std::string sof;
    sof += '\x08';
    Put(sof, h, 2, true);
    Put(sof, w, 2, true);
    sof += std::string("\x01\x01\x11\x00", 4);
    return std::string("\xFF\xD8", 2) + Segment(0xE0, std::string("JFIF\0\x01\x01\0\0\x01\0\x01\0\0", 14)) +
           Segment(0xC0, sof) + std::string("\xFF\xD9", 2);
}

}  // namespace exifmake
