#include "picture/PictureBytes.h"

#include "picture/GdiOwners.h"
#include "picture/LongPath.h"

#include <cstring>
#include <string>

CPictureBytes::~CPictureBytes() { Free(); }

void CPictureBytes::Free()
{
    if (m_block) {
        GlobalUnlock(m_block);
        GlobalFree(m_block);
    }
    m_block = nullptr;
    m_data = nullptr;
    m_size = 0;
}

bool CPictureBytes::Allocate(size_t size)
{
    Free();
    if (size == 0 || size > 0x7FFFFFFF)
        return false;
    m_block = GlobalAlloc(GMEM_MOVEABLE, size);
    m_data = m_block ? static_cast<uint8_t*>(GlobalLock(m_block)) : nullptr;
    if (!m_data) {
        Free();
        return false;
    }
    m_size = size;
    return true;
}

bool CPictureBytes::Assign(const void* data, size_t size)
{
    if (data && size > 0 && m_block && GlobalSize(m_block) >= size)
        m_size = size;
    else if (!data || !Allocate(size))
        return false;
    std::memcpy(m_data, data, size);
    return true;
}

bool CPictureBytes::Read(const wchar_t* path)
{
    Free();
    if (!path || !*path)
        return false;
    // Sharing with readers only: the thumbnail workers and the show may read
    // one file at once, while a file being written is left alone.
    CFileHandle file(CreateFileW(LongPathForm(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    LARGE_INTEGER size = {};
    if (!file.Valid() || !GetFileSizeEx(file.Get(), &size) || size.QuadPart <= 0 || size.QuadPart > 0x7FFFFFFF ||
        !Allocate(static_cast<size_t>(size.QuadPart)))
        return false;
    size_t total = 0;
    while (total < m_size) {
        DWORD got = 0;
        if (!ReadFile(file.Get(), m_data + total, static_cast<DWORD>(m_size - total), &got, nullptr) || got == 0)
            break;
        total += got;
    }
    if (total != m_size)
        Free();
    return m_data != nullptr;
}
