#include "picture/ExifReader.h"

#include "picture/ByteReader.h"
#include "picture/JpegSegments.h"

#include <cstring>

namespace {

enum : uint32_t {
    kTagOrientation = 0x0112,
    kTagDateTime = 0x0132,
    kTagExifDirectory = 0x8769,
    kTagDateTimeOriginal = 0x9003,
    kTagThumbnailOffset = 0x0201,
    kTagThumbnailLength = 0x0202,
};
enum : uint32_t { kTypeAscii = 2, kTypeShort = 3, kTypeLong = 4 };
const size_t kEntrySize = 12;  // tag, type, count, value
const uint32_t kDateLength = 20;  // "YYYY:MM:DD HH:MM:SS" and its zero

struct TiffEntry {
    uint32_t tag = 0, type = 0, items = 0;
    size_t field = 0;  // of the value, or of the offset to it
};

// A TIFF structure: offsets are counted from its first byte.
class CTiff {
public:
    CTiff(const uint8_t* data, size_t size, bool bigEndian) : m_bytes(data, size, bigEndian) {}

    // Calls visit(entry) for each entry of the directory at `at`; gives the
    // offset of the next directory, or 0.
    template <class Visit>
    uint32_t Directory(uint32_t at, Visit visit) const
    {
        uint32_t count = 0, next = 0;
        if (at == 0 || !m_bytes.U16(at, count) || count > (m_bytes.Size() - at - 2) / kEntrySize)
            return 0;
        for (uint32_t i = 0; i < count; ++i) {
            TiffEntry e;
            e.field = at + 2 + i * kEntrySize + 8;
            m_bytes.U16(e.field - 8, e.tag);
            m_bytes.U16(e.field - 6, e.type);
            m_bytes.U32(e.field - 4, e.items);
            visit(e);
        }
        return m_bytes.U32(at + 2 + count * kEntrySize, next) ? next : 0;
    }

    // A one-element SHORT or LONG entry's value.
    bool Number(const TiffEntry& e, uint32_t& value) const
    {
        if (e.items != 1)
            return false;
        if (e.type == kTypeShort)
            return m_bytes.U16(e.field, value);  // left-justified in the value field
        return e.type == kTypeLong && m_bytes.U32(e.field, value);
    }

    // An ASCII entry of the length of a date, which never fits the field.
    ExifDate Date(const TiffEntry& e) const
    {
        uint32_t at = 0;
        if (e.type != kTypeAscii || e.items != kDateLength || !m_bytes.U32(e.field, at) || !Has(at, kDateLength))
            return ExifDate();
        return ParseExifDate(reinterpret_cast<const char*>(m_bytes.Data() + at), kDateLength - 1);
    }

    bool Has(uint32_t at, uint32_t length) const { return m_bytes.Has(at, length); }

private:
    CByteReader m_bytes;
};

ExifFacts ReadTiff(const uint8_t* tiff, size_t size)
{
    ExifFacts facts;
    if (size < 8 || (std::memcmp(tiff, "II*\0", 4) != 0 && std::memcmp(tiff, "MM\0*", 4) != 0))
        return facts;
    const bool big = tiff[0] == 'M';
    const CByteReader header(tiff, size, big);
    uint32_t first = 0;
    header.U32(4, first);
    const CTiff t(tiff, size, big);
    uint32_t exif = 0;
    ExifDate changed;
    const uint32_t second = t.Directory(first, [&](const TiffEntry& e) {
        uint32_t value = 0;
        if (e.tag == kTagOrientation && t.Number(e, value) && value >= 1 && value <= 8)
            facts.orientation = static_cast<int>(value);
        else if (e.tag == kTagExifDirectory)
            t.Number(e, exif);
        else if (e.tag == kTagDateTime)
            changed = t.Date(e);
    });
    t.Directory(exif, [&](const TiffEntry& e) {
        if (e.tag == kTagDateTimeOriginal)
            facts.taken = t.Date(e);
    });
    if (!facts.taken.Known())
        facts.taken = changed;
    uint32_t offset = 0, length = 0;
    t.Directory(second, [&](const TiffEntry& e) {
        if (e.tag == kTagThumbnailOffset)
            t.Number(e, offset);
        else if (e.tag == kTagThumbnailLength)
            t.Number(e, length);
    });
    if (length >= 4 && t.Has(offset, length) && tiff[offset] == 0xFF && tiff[offset + 1] == 0xD8) {
        facts.thumbnailOffset = offset;
        facts.thumbnailLength = length;
    }
    return facts;
}

// The digits at text[at..at+count) as a number; -1 when any is not a digit.
int Digits(const char* text, size_t at, size_t count)
{
    int v = 0;
    for (size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return -1;
        v = v * 10 + (text[i] - '0');
    }
    return v;
}

int DaysInMonth(int year, int month)
{
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

}  // namespace

ExifDate ParseExifDate(const char* text, size_t length)
{
    static const char kShape[] = "dddd:dd:dd dd:dd:dd";
    if (!text || length < sizeof(kShape) - 1)
        return ExifDate();
    for (size_t i = 0; i < sizeof(kShape) - 1; ++i)
        if (kShape[i] != 'd' && text[i] != kShape[i])
            return ExifDate();
    ExifDate d;
    d.year = Digits(text, 0, 4);
    d.month = Digits(text, 5, 2);
    d.day = Digits(text, 8, 2);
    d.hour = Digits(text, 11, 2);
    d.minute = Digits(text, 14, 2);
    d.second = Digits(text, 17, 2);
    const bool valid = d.year >= 1 && d.month >= 1 && d.month <= 12 && d.day >= 1 &&
                       d.day <= DaysInMonth(d.year, d.month) && d.hour >= 0 && d.hour < 24 && d.minute >= 0 &&
                       d.minute < 60 && d.second >= 0 && d.second <= 60;
    return valid ? d : ExifDate();
}

ExifFacts ReadJpegExif(const uint8_t* data, size_t size)
{
    static const char kExif[6] = {'E', 'x', 'i', 'f', 0, 0};
    CJpegSegments segments(data, size);
    JpegSegment s;
    while (segments.Next(s)) {
        if (s.marker != 0xE1 || s.length < sizeof(kExif) || std::memcmp(data + s.offset, kExif, sizeof(kExif)) != 0)
            continue;
        const size_t tiffAt = s.offset + sizeof(kExif);
        ExifFacts facts = ReadTiff(data + tiffAt, s.length - sizeof(kExif));
        if (facts.thumbnailLength)
            facts.thumbnailOffset += tiffAt;
        return facts;
    }
    return ExifFacts();
}
