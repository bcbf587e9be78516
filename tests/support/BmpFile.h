#pragma once
// The one picture file the Win32 tests write themselves: a 24-bit bottom-up
// BMP in one colour, which every decoder reads.

#include <windows.h>

#include <cstdint>
#include <string>

inline std::string BmpBytes(int w, int h, COLORREF rgb = RGB(0xE0, 0x90, 0x30)) {
    const size_t stride = (static_cast<size_t>(w) * 3 + 3) & ~size_t{3};
    const size_t pixelBytes = stride * static_cast<size_t>(h);
    std::string file(54 + pixelBytes, '\0');
    auto put = [&file](size_t at, uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) file[at + i] = static_cast<char>(value >> (8 * i));
    };
    file[0] = 'B';
    file[1] = 'M';
    put(2, static_cast<uint32_t>(file.size()), 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, static_cast<uint32_t>(w), 4);
    put(22, static_cast<uint32_t>(h), 4);
    put(26, 1, 2);
    put(28, 24, 2);
    put(34, static_cast<uint32_t>(pixelBytes), 4);
    const char bgr[3] = {static_cast<char>(GetBValue(rgb)), static_cast<char>(GetGValue(rgb)),
                         static_cast<char>(GetRValue(rgb))};
    for (size_t y = 0; y < static_cast<size_t>(h); ++y)
        for (size_t x = 0; x < static_cast<size_t>(w); ++x) file.replace(54 + y * stride + x * 3, 3, bgr, 3);
    return file;
}

// Writes the picture at `path` (an absolute one may exceed MAX_PATH); false
// when it could not be written.
inline bool WriteBmp(const std::wstring& path, int w, int h, COLORREF rgb = RGB(0xE0, 0x90, 0x30)) {
    const std::string bytes = BmpBytes(w, h, rgb);
    const bool absolute = path.size() > 2 && path[1] == L':';
    HANDLE file = CreateFileW((absolute ? L"\\\\?\\" + path : path).c_str(), GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size();
    CloseHandle(file);
    return ok;
}
