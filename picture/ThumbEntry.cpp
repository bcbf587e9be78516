#include "picture/ThumbEntry.h"

#include "picture/Bmp.h"

#include <algorithm>
#include <cstring>

// Layout, little-endian:
//   0 magic "LmTh"      4 version          8 checksum of bytes 16..end (FNV-1a 64)
//  16 width            20 height          24 flags (bit 0: has alpha)
//  28 date taken: year (u16), month, day, hour, minute, second, 0; all 0 for none
//  36 thumbSize        40 fileSize (u64)  48 lastWriteTime (u64)
//  56 path length in UTF-16 units, 60 the path, then width x height BGRA pixels.
// Bytes 36 up to the pixels are the key, compared as bytes. Version 1 had no
// date: its entries are made again.

const wchar_t kThumbEntrySuffix[] = L".thumb";

namespace {

const uint8_t kMagic[4] = {'L', 'm', 'T', 'h'};
const uint32_t kVersion = 2;
const size_t kDateOffset = 28;
const size_t kKeyOffset = 36;
const uint32_t kFlagAlpha = 1;

const uint64_t kFnvBasis = 14695981039346656037ull;
const uint64_t kFnvPrime = 1099511628211ull;

uint64_t Fnv1a(const uint8_t* p, size_t n, uint64_t h = kFnvBasis)
{
    for (size_t i = 0; i < n; ++i) {
        h ^= p[i];
        h *= kFnvPrime;
    }
    return h;
}

void PutU32(std::vector<uint8_t>& out, uint32_t v)
{
    for (int s = 0; s < 32; s += 8)
        out.push_back(static_cast<uint8_t>(v >> s));
}

void PutU64(std::vector<uint8_t>& out, uint64_t v)
{
    PutU32(out, static_cast<uint32_t>(v));
    PutU32(out, static_cast<uint32_t>(v >> 32));
}

uint32_t GetU32(const uint8_t* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

uint64_t GetU64(const uint8_t* p) { return GetU32(p) | (static_cast<uint64_t>(GetU32(p + 4)) << 32); }

void SetU64(uint8_t* p, uint64_t v)
{
    for (int i = 0; i < 8; ++i)
        p[i] = static_cast<uint8_t>(v >> (8 * i));
}

// The same units whatever the width of wchar_t, so entries do not depend on
// the build that wrote them.
std::vector<uint16_t> Utf16(const std::wstring& text)
{
    std::vector<uint16_t> units;
    units.reserve(text.size());
    for (wchar_t c : text) {
        const uint32_t cp = static_cast<uint32_t>(c);
        if (cp > 0x10FFFF) {
            units.push_back(0xFFFD);
        } else if (cp > 0xFFFF) {
            units.push_back(static_cast<uint16_t>(0xD800 + ((cp - 0x10000) >> 10)));
            units.push_back(static_cast<uint16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
        } else {
            units.push_back(static_cast<uint16_t>(cp));
        }
    }
    return units;
}

void PutUnits(std::vector<uint8_t>& out, const std::vector<uint16_t>& units)
{
    for (uint16_t u : units) {
        out.push_back(static_cast<uint8_t>(u));
        out.push_back(static_cast<uint8_t>(u >> 8));
    }
}

// Bytes 28 up to the pixels; empty when the path is too long.
std::vector<uint8_t> KeyBytes(const ThumbKey& key)
{
    const std::vector<uint16_t> path = Utf16(key.path);
    std::vector<uint8_t> out;
    if (path.size() > kMaxThumbEntryPathUnits)
        return out;
    out.reserve(kThumbEntryHeaderBytes - kKeyOffset + path.size() * 2);
    PutU32(out, static_cast<uint32_t>(key.thumbSize));
    PutU64(out, key.fileSize);
    PutU64(out, key.lastWriteTime);
    PutU32(out, static_cast<uint32_t>(path.size()));
    PutUnits(out, path);
    return out;
}

bool SideInRange(uint32_t side) { return side >= 1 && side <= static_cast<uint32_t>(kMaxThumbEntrySide); }

void PutDate(std::vector<uint8_t>& out, const ExifDate& d)
{
    const bool known = d.Known();
    const int year = known ? d.year : 0;
    out.push_back(static_cast<uint8_t>(year));
    out.push_back(static_cast<uint8_t>(year >> 8));
    for (int part : {d.month, d.day, d.hour, d.minute, d.second})
        out.push_back(static_cast<uint8_t>(known ? part : 0));
    out.push_back(0);
}

// False for fields no date has; the calendar itself was checked when the
// date was read from the photo.
bool GetDate(const uint8_t* p, ExifDate& d)
{
    d = ExifDate();
    const int year = p[0] | (p[1] << 8);
    if (year == 0)
        return std::all_of(p, p + 8, [](uint8_t b) { return b == 0; });
    if (year > 9999 || p[2] < 1 || p[2] > 12 || p[3] < 1 || p[3] > 31 || p[4] > 23 || p[5] > 59 || p[6] > 60 || p[7])
        return false;
    d.year = year;
    d.month = p[2];
    d.day = p[3];
    d.hour = p[4];
    d.minute = p[5];
    d.second = p[6];
    return true;
}

}  // namespace

size_t MaxThumbEntryBytes()
{
    return kThumbEntryHeaderBytes + kMaxThumbEntryPathUnits * 2 +
           static_cast<size_t>(kMaxThumbEntrySide) * kMaxThumbEntrySide * 4;
}

std::vector<uint8_t> EncodeThumbEntry(const ThumbKey& key, const CBmp& thumb, const ExifDate& taken)
{
    std::vector<uint8_t> out;
    if (thumb.Empty() || !SideInRange(static_cast<uint32_t>(thumb.Width())) ||
        !SideInRange(static_cast<uint32_t>(thumb.Height())))
        return out;
    const std::vector<uint8_t> keyBytes = KeyBytes(key);
    if (keyBytes.empty())
        return out;
    out.reserve(kKeyOffset + keyBytes.size() + static_cast<size_t>(thumb.ByteSize()));
    out.insert(out.end(), kMagic, kMagic + 4);
    PutU32(out, kVersion);
    PutU64(out, 0);  // checksum, filled in last
    PutU32(out, static_cast<uint32_t>(thumb.Width()));
    PutU32(out, static_cast<uint32_t>(thumb.Height()));
    PutU32(out, thumb.HasAlpha() ? kFlagAlpha : 0);
    PutDate(out, taken);
    out.insert(out.end(), keyBytes.begin(), keyBytes.end());
    out.insert(out.end(), thumb.Bits(), thumb.Bits() + thumb.ByteSize());
    SetU64(out.data() + 8, Fnv1a(out.data() + 16, out.size() - 16));
    return out;
}

bool ParseThumbEntry(const uint8_t* bytes, size_t size, const ThumbKey& key, CBmp& out, ExifDate* taken)
{
    if (!bytes || size < kThumbEntryHeaderBytes || std::memcmp(bytes, kMagic, 4) != 0 ||
        GetU32(bytes + 4) != kVersion)
        return false;
    const uint32_t width = GetU32(bytes + 16);
    const uint32_t height = GetU32(bytes + 20);
    const uint64_t pathUnits = GetU32(bytes + kThumbEntryHeaderBytes - 4);
    if (!SideInRange(width) || !SideInRange(height) || pathUnits > kMaxThumbEntryPathUnits)
        return false;
    const uint64_t pixelBytes = static_cast<uint64_t>(width) * height * 4;
    const uint64_t keyEnd = kThumbEntryHeaderBytes + pathUnits * 2;
    if (keyEnd + pixelBytes != size)
        return false;
    const std::vector<uint8_t> wanted = KeyBytes(key);
    if (wanted.size() != keyEnd - kKeyOffset || std::memcmp(bytes + kKeyOffset, wanted.data(), wanted.size()) != 0)
        return false;
    if (Fnv1a(bytes + 16, size - 16) != GetU64(bytes + 8))
        return false;
    ExifDate date;
    if (!GetDate(bytes + kDateOffset, date))
        return false;
    CBmp thumb;
    if (!thumb.Create(static_cast<int>(width), static_cast<int>(height)))
        return false;
    std::memcpy(thumb.Bits(), bytes + keyEnd, static_cast<size_t>(pixelBytes));
    thumb.SetHasAlpha((GetU32(bytes + 24) & kFlagAlpha) != 0);
    out = std::move(thumb);
    if (taken)
        *taken = date;
    return true;
}

std::wstring ThumbEntryName(const ThumbKey& key)
{
    std::vector<uint8_t> named;
    PutU32(named, static_cast<uint32_t>(key.thumbSize));
    PutUnits(named, Utf16(key.path));
    const uint64_t hash = Fnv1a(named.data(), named.size());
    static const wchar_t kHex[] = L"0123456789abcdef";
    std::wstring name(16, L'0');
    for (int i = 0; i < 16; ++i)
        name[static_cast<size_t>(i)] = kHex[(hash >> (60 - 4 * i)) & 15];
    return name + kThumbEntrySuffix;
}
