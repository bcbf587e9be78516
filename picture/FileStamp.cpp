#include "picture/FileStamp.h"

#include <windows.h>

#include "picture/LongPath.h"

FileStamp FileStamp::Of(const std::wstring& path)
{
    FileStamp stamp;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (path.empty() || !GetFileAttributesExW(LongPathForm(path).c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return stamp;
    stamp.size = static_cast<uint64_t>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
    stamp.written = static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32 |
                    data.ftLastWriteTime.dwLowDateTime;
    return stamp;
}
