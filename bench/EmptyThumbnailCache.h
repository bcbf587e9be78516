#pragma once
// The program's thumbnail cache removed, so that a timing starts cold.

#include <windows.h>
#include <shellapi.h>

#include <string>

#include "picture/ThumbCache.h"

inline void EmptyThumbnailCache()
{
    // SHFileOperation wants the list ended by two nulls.
    std::wstring folder = CThumbCache::DefaultFolder();
    folder.push_back(L'\0');
    SHFILEOPSTRUCTW op = {};
    op.wFunc = FO_DELETE;
    op.pFrom = folder.c_str();
    op.fFlags = FOF_NO_UI;
    SHFileOperationW(&op);
}
