#include "picture/ExifReader.h"

#include "picture/ByteReader.h"
#include "picture/JpegSegments.h"

#include <cstring>

namespace {

enum : uint32_t { kTagOrientation = 0x0112, kTagThumbnailOffset = 0x0201, kTagThumbnailLength = 0x0202 };
enum : uint32_t { kTypeShort = 3, kTypeLong = 4 };
const size_t kEntrySize = 12;  // tag, type, count, value

// A TIFF structure: offsets are counted from its first byte.
class CTiff {
public:
    CTiff(const uint8_t* data, size_t size, bool bigEndian) : m_bytes(data, size, bigEndian) {}

    // Calls visit(tag, value) for each one-element SHORT or LONG entry of the
    // directory at `at`; gives the offset of the next directory, or 0.
    template <class Visit>
    uint32_t Directory(uint32_t at, Visit visit) const
    {
        uint32_t count = 0, next = 0;
        if (at == 0 || !m_bytes.U16(at, count) || count > (m_bytes.Size() - at - 2) / kEntrySize)
            return 0;
        for (uint32_t i = 0; i < count; ++i) {
            const size_t entry = at + 2 + i * kEntrySize;
            uint32_t tag = 0, type = 0, items = 0, value = 0;
            m_bytes.U16(entry, tag);
            m_bytes.U16(entry + 2, type);
            m_bytes.U32(entry + 4, items);
            if (items != 1)
                continue;
            if (type == kTypeShort)
                m_bytes.U16(entry + 8, value);  // left-justified in the value field
            else if (type == kTypeLong)
                m_bytes.U32(entry + 8, value);
            else
                continue;
            visit(tag, value);
        }
        return m_bytes.U32(at + 2 + count * kEntrySize, next) ? next : 0;
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
    const uint32_t second = t.Directory(first, [&](uint32_t tag, uint32_t value) {
        if (tag == kTagOrientation && value >= 1 && value <= 8)
            facts.orientation = static_cast<int>(value);
    });
    uint32_t offset = 0, length = 0;
    t.Directory(second, [&](uint32_t tag, uint32_t value) {
        if (tag == kTagThumbnailOffset)
            offset = value;
        else if (tag == kTagThumbnailLength)
            length = value;
    });
    if (length >= 4 && t.Has(offset, length) && tiff[offset] == 0xFF && tiff[offset + 1] == 0xD8) {
        facts.thumbnailOffset = offset;
        facts.thumbnailLength = length;
    }
    return facts;
}

}  // namespace

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
