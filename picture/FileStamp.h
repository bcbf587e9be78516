#pragma once
// Size and last-write time of a file, read just before and after a decode so
// that pixels are never taken for a file that changed meanwhile.

#include <cstdint>
#include <string>

struct FileStamp {
    uint64_t size = 0;
    uint64_t written = 0;
    bool operator==(const FileStamp& other) const { return size == other.size && written == other.written; }
    bool operator!=(const FileStamp& other) const { return !(*this == other); }
    // False for a file that cannot be read (missing, a folder, out of reach).
    bool Known() const { return written != 0; }
    static FileStamp Of(const std::wstring& path);
};
