#include "album/FolderScan.h"

#include "picture/WicCodecs.h"

#include <shlobj.h>
#include <shlwapi.h>

#include <algorithm>
#include <memory>

#include "picture/LongPath.h"
#include "album/PhotoLocation.h"

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

tstr SearchPattern(const tstr& folder) { return tstr(LongPathForm((folder + L"*.*").Str())); }

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

namespace {

bool IsNaturallyBefore(const tstr& a, const tstr& b) { return StrCmpLogicalW(a.c_str(), b.c_str()) < 0; }

unsigned long long Join(DWORD high, DWORD low) { return (static_cast<unsigned long long>(high) << 32) | low; }

// Folders a tree walk enters: no links or junctions (loops), nothing the
// user does not see.
bool IsEnterable(const WIN32_FIND_DATAW& entry)
{
    const DWORD skipped = FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    if (entry.dwFileAttributes & skipped) return false;
    return wcscmp(entry.cFileName, L".") != 0 && wcscmp(entry.cFileName, L"..") != 0;
}

class CTreeWalk {
public:
    CTreeWalk(bool subfolders, const std::atomic<bool>* cancel, PictureTree& tree)
        : m_subfolders(subfolders), m_cancel(cancel), m_tree(tree) {}

    // False when the walk has to stop: cancelled, or a folder did not answer.
    bool Walk(const tstr& folder, int depth)
    {
        const tstr base = WithBackslash(folder);
        WIN32_FIND_DATAW entry;
        FindHandle find(FindFirstFileW(SearchPattern(base).c_str(), &entry));
        if (find.get() == INVALID_HANDLE_VALUE) {
            find.release();
            return Refused(folder, depth, GetLastError());
        }
        std::vector<PictureFile> files;
        std::vector<tstr> folders;
        do {
            if (Cancelled()) return false;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                if (m_subfolders && depth < kMaxFolderDepth && IsEnterable(entry)) folders.push_back(base + entry.cFileName);
            } else if (IsPictureFileName(entry.cFileName)) {
                PictureFile file;
                file.path = base + entry.cFileName;
                file.size = Join(entry.nFileSizeHigh, entry.nFileSizeLow);
                file.written = Join(entry.ftLastWriteTime.dwHighDateTime, entry.ftLastWriteTime.dwLowDateTime);
                files.push_back(std::move(file));
            }
        } while (FindNextFileW(find.get(), &entry));
        const DWORD ended = GetLastError();
        find.reset();
        if (ended != ERROR_NO_MORE_FILES) return Refused(folder, depth, ended);
        std::sort(files.begin(), files.end(),
                  [](const PictureFile& a, const PictureFile& b) { return IsNaturallyBefore(a.path, b.path); });
        std::sort(folders.begin(), folders.end(), IsNaturallyBefore);
        for (PictureFile& file : files) m_tree.files.push_back(std::move(file));
        for (const tstr& sub : folders)
            if (!Walk(sub, depth + 1)) return false;
        return true;
    }

private:
    bool Cancelled() const
    {
        if (!m_cancel || !m_cancel->load()) return false;
        m_tree.result = PictureTree::Cancelled;
        return true;
    }

    // A folder that could not be listed (or not to the end).
    bool Refused(const tstr& folder, int depth, DWORD error)
    {
        // A folder with nothing in it at all (a drive root can be one).
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES) return true;
        const PhotoPlace place = LocatePhoto(folder);
        if (place == PhotoPlace::Unreachable) {
            m_tree.result = PictureTree::Unreachable;
            return false;
        }
        if (depth > 0) return true;   // removed meanwhile, or no access: nothing to show from it
        // A folder that is there but cannot be read keeps what was known of it.
        m_tree.result = place == PhotoPlace::Gone || !IsFolder(folder) ? PictureTree::FolderGone
                                                                       : PictureTree::Unreachable;
        return false;
    }

    bool m_subfolders;
    const std::atomic<bool>* m_cancel;
    PictureTree& m_tree;
};

}  // namespace

bool IsFolder(const tstr& path)
{
    const DWORD attributes = GetFileAttributesW(LongPathForm(path.Str()).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

PictureTree ListPictureTree(const tstr& folder, bool subfolders, const std::atomic<bool>* cancel)
{
    PictureTree tree;
    if (folder.IsEmpty()) {
        tree.result = PictureTree::FolderGone;
        return tree;
    }
    tree.result = PictureTree::Listed;
    CTreeWalk walk(subfolders, cancel, tree);
    if (!walk.Walk(folder, 0)) tree.files.clear();
    return tree;
}
