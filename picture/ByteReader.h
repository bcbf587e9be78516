#pragma once
// Reads integers out of a byte range the caller does not trust: every read
// that would reach past the end fails instead.

#include <cstddef>
#include <cstdint>

class CByteReader {
public:
    CByteReader(const uint8_t* data, size_t size, bool bigEndian = true)
        : m_data(data), m_size(data ? size : 0), m_big(bigEndian) {}

    size_t Size() const { return m_size; }
    const uint8_t* Data() const { return m_data; }
    bool Has(size_t at, size_t count) const { return at <= m_size && count <= m_size - at; }

    bool U8(size_t at, uint32_t& v) const { return Get(at, 1, v); }
    bool U16(size_t at, uint32_t& v) const { return Get(at, 2, v); }
    bool U32(size_t at, uint32_t& v) const { return Get(at, 4, v); }

private:
    bool Get(size_t at, size_t count, uint32_t& v) const
    {
        if (!Has(at, count))
            return false;
        v = 0;
        for (size_t i = 0; i < count; ++i) {
            const uint32_t byte = m_data[at + (m_big ? i : count - 1 - i)];
            v = (v << 8) | byte;
        }
        return true;
    }

    const uint8_t* m_data;
    size_t m_size;
    bool m_big;
};
