#pragma once
// Thumbnails kept on disk between runs: one file per photo in a folder of the
// user's own, each holding the full key it was made for. Files are replaced
// whole (written beside, then renamed over) and read only after every byte is
// verified, so a crash, a full disk or another running copy of the program
// can cost cache entries but never give a wrong thumbnail.

#include "picture/Bmp.h"
#include "picture/ThumbEntry.h"

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>

class CThumbCache {
public:
    // Opens (creates on demand) the cache in `folder`; a folder that cannot be
    // created or written leaves the cache disabled: Find misses, Put does nothing.
    explicit CThumbCache(std::wstring folder, uint64_t maxBytes = 256ull << 20);
    CThumbCache(const CThumbCache&) = delete;
    CThumbCache& operator=(const CThumbCache&) = delete;

    static std::wstring DefaultFolder();   // %LOCALAPPDATA%\Arvendal\Lumora\Thumbnails

    // Thread-safe; false = miss. `taken`, when given, gets the date kept with it.
    bool Find(const ThumbKey& key, CBmp& out, ExifDate* taken = nullptr);
    // Thread-safe; never throws.
    void Put(const ThumbKey& key, const CBmp& thumb, const ExifDate& taken = ExifDate());
    bool Enabled() const;

    // The file that holds (or would hold) the key's entry.
    std::wstring EntryPath(const ThumbKey& key) const;

private:
    void Trim();

    std::wstring folder_;  // with a trailing backslash; empty when disabled
    const uint64_t maxBytes_;
    // Bytes in the folder as of the last scan plus what this object wrote
    // since; other processes' writes show up at the next scan.
    std::atomic<uint64_t> knownBytes_{0};
    std::atomic<bool> measured_{false};
    std::mutex trimming_;
};
