#include "picture/ThumbJob.h"

#include <windows.h>

#include <string>

#include "picture/FileStamp.h"
#include "picture/LongPath.h"
#include "picture/Picture.h"
#include "picture/PictureHeader.h"
#include "picture/PictureLimits.h"
#include "picture/ThumbCache.h"

namespace {

bool ReadFileStamp(ThumbJob& job)
{
    const FileStamp stamp = FileStamp::Of(job.path);
    job.fileSize = stamp.size;
    job.lastWriteTime = stamp.written;
    return stamp.Known();
}

// Never destroyed: workers may still be using it while the process exits.
CThumbCache& DiskCache()
{
    static CThumbCache* cache = new CThumbCache(CThumbCache::DefaultFolder());
    return *cache;
}

bool SameStamp(const ThumbJob& a, const ThumbJob& b)
{
    return a.fileSize == b.fileSize && a.lastWriteTime == b.lastWriteTime;
}

const int kBusyRetries = 5;
const DWORD kBusyPauseMs = 200;
const DWORD kConfirmPauseMs = 100;

}  // namespace

// Opened as the decoder opens it, sharing reading: no reader ever finds the
// file locked by this check.
bool FileHeldBySomeoneElse(const std::wstring& path)
{
    HANDLE file = CreateFileW(LongPathForm(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                              nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
        return false;
    }
    return GetLastError() == ERROR_SHARING_VIOLATION;
}

namespace {

// A picture whose header gives a size beyond the decoding limit.
bool TooLargeToDecode(const std::wstring& path)
{
    HANDLE file = CreateFileW(LongPathForm(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    static const DWORD kHeaderBytes = 64 * 1024;
    std::string bytes(kHeaderBytes, '\0');
    DWORD read = 0;
    const BOOL ok = ReadFile(file, &bytes[0], kHeaderBytes, &read, nullptr);
    CloseHandle(file);
    if (!ok)
        return false;
    const PictureHeader header = ReadPictureHeader(reinterpret_cast<const uint8_t*>(bytes.data()), read);
    return static_cast<uint64_t>(header.width) * header.height > kMaxPicturePixels;
}

ThumbOutcome MakeOnce(ThumbJob& job, CBmp& out, const ThumbMaking& making)
{
    job.problem = ThumbProblem::None;
    if (!ReadFileStamp(job)) {
        job.problem = ThumbProblem::Missing;
        return ThumbOutcome::Unusable;
    }
    const ThumbKey key{job.path, job.fileSize, job.lastWriteTime, job.thumbSize};
    job.taken = ExifDate();
    if (making.cache && making.cache->Find(key, out, &job.taken))
        return ThumbOutcome::Made;
    bool later = false;
    if (making.decode(job.path.c_str(), out, &later, &job.taken)) {
        // A file rewritten while it was decoded may have given mixed pixels:
        // show them, but keep them out of the cache.
        ThumbJob after = job;
        if (making.cache && ReadFileStamp(after) && SameStamp(after, job))
            making.cache->Put(key, out, job.taken);
        return ThumbOutcome::Made;
    }
    out.Reset();
    if (later || FileHeldBySomeoneElse(job.path))
        return ThumbOutcome::Busy;
    job.problem = TooLargeToDecode(job.path) ? ThumbProblem::TooLarge : ThumbProblem::NotPicture;
    return ThumbOutcome::Unusable;
}

}  // namespace

ThumbOutcome MakeJobThumbnail(ThumbJob& job, CBmp& out)
{
    ThumbMaking making;
    making.cache = &DiskCache();
    return MakeJobThumbnailWith(job, out, making);
}

ThumbOutcome MakeJobThumbnailWith(ThumbJob& job, CBmp& out, const ThumbMaking& making)
{
    out.Reset();
    int busy = 0;
    bool failedBefore = false;
    for (;;) {
        const ThumbOutcome outcome = MakeOnce(job, out, making);
        if (outcome == ThumbOutcome::Made)
            return outcome;
        if (outcome == ThumbOutcome::Busy) {
            if (busy++ == kBusyRetries)
                return outcome;
            making.pause(kBusyPauseMs);
            continue;
        }
        // A passing condition (a file being replaced, a system call failing
        // now and then) must not drop a good photo: a failure counts once
        // it is seen again after a pause.
        if (failedBefore)
            return outcome;
        failedBefore = true;
        making.pause(kConfirmPauseMs);
    }
}
