#include "album/FolderScan.h"

#include "picture/WicCodecs.h"

#include <shlobj.h>
#include <shlwapi.h>

#include <memory>

namespace {

// Closes a directory enumeration.
struct FindCloser {
    void operator()(HANDLE find) const { FindClose(find); }
};
using FindHandle = std::unique_ptr<void, FindCloser>;

// Frees an item list the shell allocated.
struct PidlFreer {
    void operator()(ITEMIDLIST* pidl) const { CoTaskMemFree(pidl); }
};
using Pidl = std::unique_ptr<ITEMIDLIST, PidlFreer>;

// The enumeration pattern; beyond MAX_PATH the platform takes only the
// "\\?\" form of an absolute path.
tstr SearchPattern(const tstr& folder)
{
    tstr pattern = folder + L"*.*";
    if (pattern.Length() < MAX_PATH) return pattern;
    const std::wstring& text = folder.Str();
    if (text.size() > 2 && text[1] == L':' && text[2] == L'\\') return tstr(L"\\\\?\\") + pattern;
    if (text.compare(0, 2, L"\\\\") == 0 && text.compare(0, 4, L"\\\\?\\") != 0)
        return tstr(L"\\\\?\\UNC\\") + tstr(text.substr(2)) + L"*.*";
    return pattern;
}

int CALLBACK BrowseCallback(HWND picker, UINT msg, LPARAM param, LPARAM data)
{
    if (msg == BFFM_INITIALIZED) {
        const tstr& start = *reinterpret_cast<const tstr*>(data);
        if (!start.IsEmpty()) {
            std::wstring folder = start.Str();
            if (folder.back() == L'\\') folder.pop_back();
            SendMessageW(picker, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(folder.c_str()));
        }
    } else if (msg == BFFM_SELCHANGED) {
        // The new dialog style does not show the path by itself.
        wchar_t selected[MAX_PATH] = L"";
        if (SHGetPathFromIDListW(reinterpret_cast<PCIDLIST_ABSOLUTE>(param), selected))
            SendMessageW(picker, BFFM_SETSTATUSTEXTW, 0, reinterpret_cast<LPARAM>(selected));
    }
    return 0;
}

}  // namespace

bool IsPictureFileName(const wchar_t* name)
{
    const wchar_t* dot = name ? wcsrchr(name, L'.') : nullptr;
    if (!dot) return false;
    for (const wchar_t* type : {L"JPG", L"JPEG", L"GIF", L"BMP"})
        if (CompareStringOrdinal(dot + 1, -1, type, -1, TRUE) == CSTR_EQUAL) return true;
    return SystemDecodesFileName(name);
}

tstr WithBackslash(const tstr& folder)
{
    return folder.Last() == L'\\' ? folder : folder + L"\\";
}

std::vector<tstr> ListPictureFiles(const tstr& folder)
{
    std::vector<tstr> found;
    if (folder.IsEmpty()) return found;
    const tstr base = WithBackslash(folder);
    WIN32_FIND_DATAW entry;
    FindHandle find(FindFirstFileW(SearchPattern(base).c_str(), &entry));
    if (find.get() == INVALID_HANDLE_VALUE) {
        find.release();
        return found;
    }
    do {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && IsPictureFileName(entry.cFileName))
            found.push_back(base + entry.cFileName);
    } while (FindNextFileW(find.get(), &entry));
    return found;
}

bool ChooseFolder(HWND owner, const wchar_t* title, tstr& path)
{
    // The new dialog style needs OLE on this thread.
    const HRESULT ole = OleInitialize(nullptr);
    BROWSEINFOW info = {};
    info.hwndOwner = owner;
    info.lpszTitle = title;
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_EDITBOX | BIF_NEWDIALOGSTYLE;
    info.lpfn = BrowseCallback;
    info.lParam = reinterpret_cast<LPARAM>(&path);
    Pidl chosen(SHBrowseForFolderW(&info));
    wchar_t folder[MAX_PATH] = L"";
    const bool ok = chosen && SHGetPathFromIDListW(chosen.get(), folder);
    chosen.reset();
    if (SUCCEEDED(ole)) OleUninitialize();
    if (ok) path = folder;
    return ok;
}
