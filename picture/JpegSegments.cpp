#include "picture/JpegSegments.h"

#include "picture/ByteReader.h"

CJpegSegments::CJpegSegments(const uint8_t* data, size_t size) : m_data(data), m_size(data ? size : 0), m_pos(m_size)
{
    if (m_size >= 2 && data[0] == 0xFF && data[1] == 0xD8)
        m_pos = 2;
}

bool CJpegSegments::Next(JpegSegment& segment)
{
    const CByteReader bytes(m_data, m_size);
    for (;;) {
        // Decoders pass over stray bytes (and a stuffed 0xFF 0x00) between
        // segments with a warning: so does the walk.
        while (m_pos < m_size && m_data[m_pos] != 0xFF)
            ++m_pos;
        while (m_pos < m_size && m_data[m_pos] == 0xFF)  // fill bytes
            ++m_pos;
        uint32_t marker = 0, length = 0;
        if (!bytes.U8(m_pos++, marker))
            return false;
        if (marker == 0xDA || marker == 0xD9)
            return false;
        if (marker == 0x00 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7))  // no payload
            continue;
        if (!bytes.U16(m_pos, length) || length < 2 || !bytes.Has(m_pos, length)) {
            m_pos = m_size;
            return false;
        }
        segment.marker = static_cast<uint8_t>(marker);
        segment.offset = m_pos + 2;
        segment.length = length - 2;
        m_pos += length;
        return true;
    }
}
