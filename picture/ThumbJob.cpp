#include "picture/ThumbJob.h"

#include <windows.h>

#include "picture/Picture.h"

namespace {

// Long paths only open in the \\?\ form.
std::wstring StatPath(const std::wstring& path)
{
    if (path.size() < MAX_PATH || path.compare(0, 4, L"\\\\?\\") == 0)
        return path;
    if (path.compare(0, 2, L"\\\\") == 0)
        return L"\\\\?\\UNC\\" + path.substr(2);
    return L"\\\\?\\" + path;
}

bool ReadFileStamp(ThumbJob& job)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (job.path.empty() || !GetFileAttributesExW(StatPath(job.path).c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    job.fileSize = static_cast<uint64_t>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
    job.lastWriteTime = static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32 |
                        data.ftLastWriteTime.dwLowDateTime;
    return true;
}

const int kBusyRetries = 5;
const DWORD kBusyPauseMs = 200;

}  // namespace

bool FileHeldBySomeoneElse(const std::wstring& path)
{
    HANDLE file = CreateFileW(StatPath(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
        return false;
    }
    return GetLastError() == ERROR_SHARING_VIOLATION;
}

ThumbOutcome MakeJobThumbnail(ThumbJob& job, CBmp& out)
{
    out.Reset();
    for (int attempt = 0;; ++attempt) {
        if (!ReadFileStamp(job))
            return ThumbOutcome::Unusable;
        if (MakePhotoThumbnail(job.path.c_str(), out))
            return ThumbOutcome::Made;
        if (!FileHeldBySomeoneElse(job.path))
            return ThumbOutcome::Unusable;
        if (attempt == kBusyRetries)
            return ThumbOutcome::Busy;
        Sleep(kBusyPauseMs);
    }
}
