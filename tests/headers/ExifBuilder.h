#pragma once
// Hand-made EXIF blocks for the reader tests: an IFD0 with the orientation
// and a date, an Exif directory with the date taken, and an IFD1 pointing at
// an embedded JPEG, in either byte order.

#include <algorithm>
#include <cstdint>
#include <string>

namespace exifmake {

struct ExifFields {
    ExifFields(bool big = false, int orient = 0, std::string thumb = "", std::string changed = "",
               std::string taken = "")
        : bigEndian(big), orientation(orient), thumbnail(thumb), dateTime(changed), original(taken) {}

    bool bigEndian = false;
    int orientation = 0;    // 0: no orientation entry
    std::string thumbnail;  // empty: no IFD1
    std::string dateTime;   // IFD0's DateTime, 19 characters; empty: none
    std::string original;   // the Exif directory's DateTimeOriginal; empty: no Exif directory
};

inline void Put(std::string& out, uint32_t v, int bytes, bool big)
{
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((v >> (8 * (big ? bytes - 1 - i : i))) & 255);
}

inline void Entry(std::string& out, uint32_t tag, uint32_t type, uint32_t count, uint32_t value, bool big)
{
    Put(out, tag, 2, big);
    Put(out, type, 2, big);
    Put(out, count, 4, big);
    if (type == 3) {
        Put(out, value, 2, big);
        Put(out, 0, 2, big);
    } else {
        Put(out, value, 4, big);
    }
}

// The TIFF structure: header, IFD0 at 8, then the Exif directory and IFD1
// when there are any, then the dates and the thumbnail.
inline std::string Tiff(const ExifFields& s)
{
    const bool big = s.bigEndian;
    const uint32_t n0 = (s.orientation ? 1 : 0) + (s.dateTime.empty() ? 0 : 1) + (s.original.empty() ? 0 : 1);
    const uint32_t exifAt = 8 + 2 + n0 * 12 + 4;
    const uint32_t ifd1 = exifAt + (s.original.empty() ? 0 : 2 + 12 + 4);
    const uint32_t dataAt = ifd1 + (s.thumbnail.empty() ? 0 : 2 + 2 * 12 + 4);
    const uint32_t dateTimeAt = dataAt;
    const uint32_t originalAt = dateTimeAt + (s.dateTime.empty() ? 0 : 20);
    const uint32_t thumbAt = originalAt + (s.original.empty() ? 0 : 20);

    std::string t = big ? std::string("MM\0*", 4) : std::string("II*\0", 4);
    Put(t, 8, 4, big);
    Put(t, n0, 2, big);
    if (s.orientation)
        Entry(t, 0x0112, 3, 1, static_cast<uint32_t>(s.orientation), big);
    if (!s.dateTime.empty())
        Entry(t, 0x0132, 2, 20, dateTimeAt, big);
    if (!s.original.empty())
        Entry(t, 0x8769, 4, 1, exifAt, big);
    Put(t, s.thumbnail.empty() ? 0 : ifd1, 4, big);
    if (!s.original.empty()) {
        Put(t, 1, 2, big);
        Entry(t, 0x9003, 2, 20, originalAt, big);
        Put(t, 0, 4, big);
    }
    if (!s.thumbnail.empty()) {
        Put(t, 2, 2, big);
        Entry(t, 0x0201, 4, 1, thumbAt, big);
        Entry(t, 0x0202, 4, 1, static_cast<uint32_t>(s.thumbnail.size()), big);
        Put(t, 0, 4, big);
    }
    for (const std::string* date : {&s.dateTime, &s.original})
        if (!date->empty())
            t += date->substr(0, 19) + std::string(20 - std::min<size_t>(19, date->size()), '\0');
    return t + s.thumbnail;
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
