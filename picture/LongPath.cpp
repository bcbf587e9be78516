#include "picture/LongPath.h"

#include <windows.h>

std::wstring LongPathForm(const std::wstring& path)
{
    if (path.size() < MAX_PATH) return path;
    if (path.size() > 2 && path[1] == L':' && path[2] == L'\\') return L"\\\\?\\" + path;
    if (path.compare(0, 2, L"\\\\") == 0 && path.compare(0, 4, L"\\\\?\\") != 0) return L"\\\\?\\UNC\\" + path.substr(2);
    return path;
}
