#include "album/LongPath.h"

#include <windows.h>

tstr LongPathForm(const tstr& path)
{
    if (path.Length() < MAX_PATH) return path;
    const std::wstring& text = path.Str();
    if (text.size() > 2 && text[1] == L':' && text[2] == L'\\') return tstr(L"\\\\?\\") + path;
    if (text.compare(0, 2, L"\\\\") == 0 && text.compare(0, 4, L"\\\\?\\") != 0)
        return tstr(L"\\\\?\\UNC\\") + tstr(text.substr(2));
    return path;
}
