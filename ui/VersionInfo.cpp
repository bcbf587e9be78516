#include "ui/VersionInfo.h"

#include <windows.h>

#include <cwchar>
#include <vector>

tstr ReadVersionString(const tstr& file, int index) {
    static const wchar_t* const keys[] = {L"CompanyName",     L"FileDescription", L"FileVersion",
                                          L"InternalName",    L"LegalCopyright",  L"OriginalFilename",
                                          L"ProductName",     L"ProductVersion"};
    if (index < 0 || index >= static_cast<int>(sizeof(keys) / sizeof(keys[0]))) return tstr(L"");
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(file.c_str(), &ignored);
    if (size == 0) return tstr(L"");
    std::vector<BYTE> data(size);
    if (!GetFileVersionInfoW(file.c_str(), 0, size, data.data())) return tstr(L"");

    struct Translation {
        WORD language;
        WORD codePage;
    };
    Translation* translations = nullptr;
    UINT bytes = 0;
    if (!VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translations),
                        &bytes))
        return tstr(L"");
    for (UINT i = 0; i < bytes / sizeof(Translation); ++i) {
        wchar_t query[64];
        swprintf(query, 64, L"\\StringFileInfo\\%04X%04X\\%ls", translations[i].language,
                 translations[i].codePage, keys[index]);
        wchar_t* value = nullptr;
        UINT length = 0;
        if (VerQueryValueW(data.data(), query, reinterpret_cast<void**>(&value), &length) && value) {
            // length counts the terminator when there is one; never trust it past it.
            size_t count = 0;
            while (count < length && value[count]) ++count;
            return tstr(value, count);
        }
    }
    return tstr(L"");
}
