#pragma once
// The marker segments at the head of a JPEG file, up to its first scan.

#include <cstddef>
#include <cstdint>

struct JpegSegment {
    uint8_t marker;  // the byte after 0xFF
    size_t offset;   // of the payload, after the two length bytes
    size_t length;   // payload bytes, all inside the data
};

class CJpegSegments {
public:
    // Nothing is walked unless the data starts with the start-of-image marker.
    CJpegSegments(const uint8_t* data, size_t size);
    // The next segment with a payload; false at the first scan, at the end
    // of the image, or where the data is cut short. Stray bytes before a
    // marker are passed over.
    bool Next(JpegSegment& segment);

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos;
};
