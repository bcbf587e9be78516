#include "ui/Shortcut.h"

#include <objbase.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <string>
#include <vector>

#include "picture/GdiOwners.h"

tstr StartupShortcutPath(const tstr& title) {
    if (title.IsEmpty()) return tstr();
    wchar_t folder[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_STARTUP, nullptr, SHGFP_TYPE_CURRENT, folder)) ||
        !folder[0])
        return tstr();
    tstr path(folder);
    if (path.Last() != L'\\') path += L"\\";
    return path + title + L".lnk";
}

tstr ModulePath(HINSTANCE module) {
    // Grows past MAX_PATH: long install folders must not give a cut path.
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(module, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return tstr();
        if (length < buffer.size()) return tstr(buffer.data(), length);
        if (buffer.size() >= 32768) return tstr();
        buffer.resize(buffer.size() * 2);
    }
}

bool PathExists(const tstr& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

HRESULT CreateShortcut(const tstr& target, const tstr& linkPath, const tstr& description,
                       int iconIndex, const tstr& arguments) {
    CComScope com;
    CComRef<IShellLinkW> link;
    HRESULT result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                      reinterpret_cast<void**>(link.Out()));
    if (FAILED(result)) return result;
    link->SetPath(target.c_str());
    if (iconIndex != 0) link->SetIconLocation(target.c_str(), -iconIndex);
    const size_t slash = target.Str().rfind(L'\\');
    const std::wstring folder = slash == std::wstring::npos ? std::wstring() : target.Str().substr(0, slash);
    link->SetWorkingDirectory(folder.c_str());
    link->SetDescription(description.c_str());
    if (!arguments.IsEmpty()) link->SetArguments(arguments.c_str());
    CComRef<IPersistFile> file;
    result = link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.Out()));
    if (SUCCEEDED(result)) result = file->Save(linkPath.c_str(), TRUE);
    return result;
}
