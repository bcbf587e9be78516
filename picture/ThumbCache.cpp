#include "picture/ThumbCache.h"

#include "picture/GdiOwners.h"

#include <windows.h>

#include <shlobj.h>

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

namespace {

// Entries being written; renamed to their entry name once complete.
const wchar_t kTempSuffix[] = L".thumbtmp";

const uint64_t kTicksPerSecond = 10000000;  // FILETIME counts 100 ns
// A hit marks its entry as used again at most this often, so a warm start
// costs one attribute write per entry and hour, not per read.
const uint64_t kRefreshAfter = 3600 * kTicksPerSecond;
// Temporary files this old belong to a writer that died.
const uint64_t kStaleTempAfter = 3600 * kTicksPerSecond;

// The cache never takes this last bit of a volume, so that a nearly full
// disk still has room for the settings and whatever else the user saves.
const uint64_t kLeaveFree = 256ull << 20;

// The bound is on disk space, and a file takes whole clusters: 4 KB on
// almost every volume.
uint64_t OnDisk(uint64_t bytes)
{
    const uint64_t cluster = 4096;
    return (bytes + cluster - 1) / cluster * cluster;
}

uint64_t Ticks(const FILETIME& t) { return (static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime; }

uint64_t Now()
{
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return Ticks(now);
}

bool EndsWith(const std::wstring& text, const wchar_t* suffix)
{
    const size_t n = wcslen(suffix);
    return text.size() >= n && text.compare(text.size() - n, n, suffix) == 0;
}

// Every level, parents first; true when the folder exists afterwards.
bool CreateFolderTree(const std::wstring& folder)
{
    for (size_t at = folder.find(L'\\', 3); at != std::wstring::npos; at = folder.find(L'\\', at + 1))
        CreateDirectoryW(folder.substr(0, at).c_str(), nullptr);
    CreateDirectoryW(folder.c_str(), nullptr);
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Unique across threads, cache objects and processes sharing the folder.
std::wstring TempName(const std::wstring& base)
{
    static std::atomic<unsigned> serial{0};
    return base + L"." + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++serial) + kTempSuffix;
}

// A volume that cannot say how full it is gets the benefit of the doubt.
bool RoomFor(const std::wstring& folder, uint64_t bytes)
{
    ULARGE_INTEGER available;
    return !GetDiskFreeSpaceExW(folder.c_str(), &available, nullptr, nullptr) ||
           available.QuadPart >= kLeaveFree + bytes;
}

bool CanWriteIn(const std::wstring& folder)
{
    const CFileHandle probe(CreateFileW(TempName(folder + L"probe").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    return probe.Valid();
}

// Never in place: a reader, another process or a crash sees the old entry,
// the new one or none, never a mix.
bool WriteWhole(const std::wstring& path, const std::vector<uint8_t>& bytes)
{
    const std::wstring temp = TempName(path);
    bool complete = false;
    {
        CFileHandle file(
            CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.Valid())
            return false;
        DWORD written = 0;
        complete = WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                   written == bytes.size();
    }
    if (complete && MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING))
        return true;
    DeleteFileW(temp.c_str());
    return false;
}

// Write access only for the time stamp: a cache of someone else's may allow
// reading alone. Deleting stays possible while it is open, for eviction.
HANDLE OpenEntry(const std::wstring& path)
{
    const DWORD share = FILE_SHARE_READ | FILE_SHARE_DELETE;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | FILE_WRITE_ATTRIBUTES, share, nullptr, OPEN_EXISTING,
                              FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE && GetLastError() == ERROR_ACCESS_DENIED)
        file = CreateFileW(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN,
                           nullptr);
    return file;
}

bool ReadWhole(HANDLE file, std::vector<uint8_t>& bytes)
{
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file, &size) || size.QuadPart < 0 ||
        static_cast<uint64_t>(size.QuadPart) > MaxThumbEntryBytes())
        return false;
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    return bytes.empty() || (ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) &&
                             read == bytes.size());
}

// Eviction goes by last write time, so a hit writes it.
void MarkUsed(HANDLE file)
{
    FILETIME written;
    const uint64_t now = Now();
    if (!GetFileTime(file, nullptr, nullptr, &written) || Ticks(written) + kRefreshAfter > now)
        return;
    FILETIME stamp;
    stamp.dwLowDateTime = static_cast<DWORD>(now);
    stamp.dwHighDateTime = static_cast<DWORD>(now >> 32);
    SetFileTime(file, nullptr, nullptr, &stamp);
}

struct FolderFile {
    std::wstring name;
    uint64_t bytes;
    uint64_t written;
};

}  // namespace

CThumbCache::CThumbCache(std::wstring folder, uint64_t maxBytes) : maxBytes_(maxBytes)
{
    while (!folder.empty() && (folder.back() == L'\\' || folder.back() == L'/'))
        folder.pop_back();
    if (folder.empty() || !CreateFolderTree(folder) || !CanWriteIn(folder + L"\\"))
        return;
    folder_ = folder + L"\\";
}

std::wstring CThumbCache::DefaultFolder()
{
    wchar_t local[MAX_PATH] = L"";
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, local)) || !local[0])
        return std::wstring();
    return std::wstring(local) + L"\\Arvendal\\Lumora\\Thumbnails";
}

bool CThumbCache::Enabled() const { return !folder_.empty(); }

std::wstring CThumbCache::EntryPath(const ThumbKey& key) const { return folder_ + ThumbEntryName(key); }

bool CThumbCache::Find(const ThumbKey& key, CBmp& out, ExifDate* taken)
{
    if (!Enabled())
        return false;
    try {
        CFileHandle file(OpenEntry(EntryPath(key)));
        std::vector<uint8_t> bytes;
        if (!file.Valid() || !ReadWhole(file.Get(), bytes) ||
            !ParseThumbEntry(bytes.data(), bytes.size(), key, out, taken))
            return false;
        MarkUsed(file.Get());
        return true;
    } catch (...) {  // out of memory: a miss
        return false;
    }
}

void CThumbCache::Put(const ThumbKey& key, const CBmp& thumb, const ExifDate& taken)
{
    if (!Enabled())
        return;
    try {
        const std::vector<uint8_t> bytes = EncodeThumbEntry(key, thumb, taken);
        if (bytes.empty() || !RoomFor(folder_, bytes.size()))
            return;
        const std::wstring path = EntryPath(key);
        // Someone may have deleted the whole folder to clear the cache.
        if (!WriteWhole(path, bytes) &&
            !(GetFileAttributesW(folder_.c_str()) == INVALID_FILE_ATTRIBUTES && CreateFolderTree(folder_) &&
              WriteWhole(path, bytes)))
            return;
        // A replaced entry is counted twice until the next scan; that only
        // brings the scan forward.
        const uint64_t known = knownBytes_ += OnDisk(bytes.size());
        if (!measured_ || known > maxBytes_)
            Trim();
    } catch (...) {  // out of memory: the entry is simply not kept
    }
}

// Measures the folder and, when it holds more than the bound, deletes the
// least recently used entries down to three quarters of it, so the next scan
// is a good many writes away.
void CThumbCache::Trim()
{
    std::unique_lock<std::mutex> lock(trimming_, std::try_to_lock);
    if (!lock.owns_lock())
        return;  // another thread is at it
    measured_ = true;
    const uint64_t countedBefore = knownBytes_;
    std::vector<FolderFile> entries;
    uint64_t total = 0;
    const uint64_t now = Now();
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileExW((folder_ + L"*").c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr,
                                   FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE)
        return;
    std::unique_ptr<void, decltype(&FindClose)> listing(find, &FindClose);
    do {
        FolderFile file{found.cFileName,
                        OnDisk((static_cast<uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow),
                        Ticks(found.ftLastWriteTime)};
        const bool temp = EndsWith(file.name, kTempSuffix);
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || (!temp && !EndsWith(file.name, kThumbEntrySuffix)))
            continue;  // not ours
        if (temp && file.written + kStaleTempAfter < now && DeleteFileW((folder_ + file.name).c_str()))
            continue;
        total += file.bytes;
        if (!temp)
            entries.push_back(std::move(file));
    } while (FindNextFileW(find, &found));
    listing.reset();

    if (total > maxBytes_) {
        std::sort(entries.begin(), entries.end(), [](const FolderFile& a, const FolderFile& b) {
            return a.written != b.written ? a.written < b.written : a.name < b.name;
        });
        const uint64_t target = maxBytes_ / 4 * 3;
        for (const FolderFile& file : entries) {
            if (total <= target)
                break;
            if (DeleteFileW((folder_ + file.name).c_str()))
                total -= file.bytes;
        }
    }
    // Writes made during the scan stay counted (perhaps twice: harmless).
    knownBytes_ += total - countedBefore;
}
