#pragma once
// One cached thumbnail as bytes on disk: a header naming exactly the photo it
// was made from (path, file size, last-write time, thumbnail size) and when
// the photo was taken, then the pixels, with a checksum over all of it. Plain C++: the parser reads files
// that a crash, a full disk or another program may have left, so it is built
// and fuzzed under the sanitizers.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "picture/ExifReader.h"

class CBmp;

struct ThumbKey {
    std::wstring path;          // full path as the album stores it
    uint64_t fileSize;
    uint64_t lastWriteTime;     // FILETIME as 64 bits
    int thumbSize;              // longer side in pixels (64 today)
};

// Anything larger is not a thumbnail, and a damaged header must not make the
// reader allocate more.
const int kMaxThumbEntrySide = 1024;
// The longest path Windows can name, in UTF-16 units.
const size_t kMaxThumbEntryPathUnits = 32767;
const size_t kThumbEntryHeaderBytes = 60;

// Empty when the thumbnail is empty, larger than the limit, or the path longer
// than the limit.
std::vector<uint8_t> EncodeThumbEntry(const ThumbKey& key, const CBmp& thumb, const ExifDate& taken = ExifDate());

// True and `out` (and `taken`, when given) replaced when `bytes` is an
// intact entry of this version made for exactly `key`; otherwise false and
// both untouched. Reads nothing outside `bytes`.
bool ParseThumbEntry(const uint8_t* bytes, size_t size, const ThumbKey& key, CBmp& out,
                     ExifDate* taken = nullptr);

// Largest size a valid entry can have: readers refuse bigger files unread.
size_t MaxThumbEntryBytes();

// File name of the key's entry, without folder: a hash of path and thumbnail
// size only, so a photo that changes overwrites its stale entry instead of
// leaving it behind.
std::wstring ThumbEntryName(const ThumbKey& key);
extern const wchar_t kThumbEntrySuffix[];
