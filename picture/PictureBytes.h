#pragma once
// The whole of a picture file in one movable global block, read once and
// handed to every decoder, so that each decodes exactly the bytes whose
// header was checked (a file replaced meanwhile cannot slip past).

#include <windows.h>

#include <cstddef>
#include <cstdint>

class CPictureBytes {
public:
    CPictureBytes() = default;
    ~CPictureBytes();
    CPictureBytes(const CPictureBytes&) = delete;
    CPictureBytes& operator=(const CPictureBytes&) = delete;

    // Paths of any length. Other readers may hold the file open; a file
    // someone holds open for writing, or without sharing, is not read.
    bool Read(const wchar_t* path);
    // Into the block held already where it is large enough: a block used
    // again and again costs no fresh pages.
    bool Assign(const void* data, size_t size);
    void Free();

    const uint8_t* Data() const { return m_data; }
    size_t Size() const { return m_size; }
    // Stays this object's: streams over it must not free it.
    HGLOBAL Handle() const { return m_block; }

private:
    bool Allocate(size_t size);

    HGLOBAL m_block = nullptr;
    uint8_t* m_data = nullptr;
    size_t m_size = 0;
};
