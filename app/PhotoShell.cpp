#include "app/PhotoShell.h"

#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cstring>
#include <string>

#include "album/PhotoLocation.h"
#include "picture/Bmp.h"
#include "picture/GdiOwners.h"

namespace {

// No question from the shell; a file it cannot recycle is left alone with a
// warning rather than deleted for good.
const DWORD kRecycleFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI | FOF_WANTNUKEWARNING;

// Global memory for the clipboard, freed unless the clipboard took it.
class CClipMemory {
public:
    explicit CClipMemory(size_t size) : m_memory(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size)) {}
    ~CClipMemory() {
        if (m_memory) GlobalFree(m_memory);
    }
    CClipMemory(const CClipMemory&) = delete;
    CClipMemory& operator=(const CClipMemory&) = delete;
    HGLOBAL Get() const { return m_memory; }
    bool GiveTo(UINT format) {
        if (!m_memory || !SetClipboardData(format, m_memory)) return false;
        m_memory = nullptr;
        return true;
    }

private:
    HGLOBAL m_memory;
};

class CClipLock {
public:
    explicit CClipLock(HGLOBAL memory) : m_memory(memory), m_bytes(memory ? static_cast<BYTE*>(GlobalLock(memory)) : nullptr) {}
    ~CClipLock() {
        if (m_bytes) GlobalUnlock(m_memory);
    }
    CClipLock(const CClipLock&) = delete;
    CClipLock& operator=(const CClipLock&) = delete;
    BYTE* Bytes() const { return m_bytes; }

private:
    HGLOBAL m_memory;
    BYTE* m_bytes;
};

class CClipboardOpen {
public:
    explicit CClipboardOpen(HWND owner) : m_open(OpenClipboard(owner) != FALSE) {}
    ~CClipboardOpen() {
        if (m_open) CloseClipboard();
    }
    CClipboardOpen(const CClipboardOpen&) = delete;
    CClipboardOpen& operator=(const CClipboardOpen&) = delete;
    bool IsOpen() const { return m_open; }

private:
    bool m_open;
};

bool PutFileDrop(const tstr& path)
{
    const size_t pathBytes = (path.Length() + 2) * sizeof(wchar_t);   // double-terminated list
    CClipMemory drop(sizeof(DROPFILES) + pathBytes);
    {
        CClipLock lock(drop.Get());
        if (!lock.Bytes()) return false;
        auto* files = reinterpret_cast<DROPFILES*>(lock.Bytes());
        files->pFiles = sizeof(DROPFILES);
        files->fWide = TRUE;
        std::memcpy(lock.Bytes() + sizeof(DROPFILES), path.c_str(), path.Length() * sizeof(wchar_t));
    }
    CClipMemory effect(sizeof(DWORD));
    {
        CClipLock lock(effect.Get());
        if (!lock.Bytes()) return false;
        const DWORD copy = DROPEFFECT_COPY;
        std::memcpy(lock.Bytes(), &copy, sizeof(copy));
    }
    const UINT effectFormat = RegisterClipboardFormatW(CFSTR_PREFERREDDROPEFFECT);
    return drop.GiveTo(CF_HDROP) && effectFormat && effect.GiveTo(effectFormat);
}

// A bottom-up 24-bit DIB: what every program that pastes a picture reads.
bool FillDib(const CBmp& picture, size_t stride, BYTE* bytes)
{
    if (!bytes) return false;
    const int w = picture.Width();
    const int h = picture.Height();
    auto* header = reinterpret_cast<BITMAPINFOHEADER*>(bytes);
    header->biSize = sizeof(BITMAPINFOHEADER);
    header->biWidth = w;
    header->biHeight = h;
    header->biPlanes = 1;
    header->biBitCount = 24;
    header->biCompression = BI_RGB;
    header->biSizeImage = static_cast<DWORD>(stride * static_cast<size_t>(h));
    BYTE* rows = bytes + sizeof(BITMAPINFOHEADER);
    for (int y = 0; y < h; ++y) {
        BYTE* row = rows + stride * static_cast<size_t>(h - 1 - y);
        for (int x = 0; x < w; ++x) {
            const uint32_t bgra = picture.Pixel(x, y);
            row[x * 3] = static_cast<BYTE>(bgra);
            row[x * 3 + 1] = static_cast<BYTE>(bgra >> 8);
            row[x * 3 + 2] = static_cast<BYTE>(bgra >> 16);
        }
    }
    return true;
}

bool PutDib(const CBmp& picture)
{
    const size_t stride = (static_cast<size_t>(picture.Width()) * 3 + 3) & ~static_cast<size_t>(3);
    CClipMemory dib(sizeof(BITMAPINFOHEADER) + stride * static_cast<size_t>(picture.Height()));
    {
        CClipLock lock(dib.Get());
        if (!FillDib(picture, stride, lock.Bytes())) return false;
    }
    return dib.GiveTo(CF_DIB);
}

}  // namespace

bool OpenPhotoLocation(const tstr& path)
{
    CComScope com;
    PIDLIST_ABSOLUTE item = ILCreateFromPathW(path.c_str());
    if (!item) return false;
    const bool opened = SUCCEEDED(SHOpenFolderAndSelectItems(item, 0, nullptr, 0));
    ILFree(item);
    return opened;
}

bool OpenPhoto(const tstr& path, HWND owner)
{
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    info.hwnd = owner;
    info.lpVerb = L"open";
    info.lpFile = path.c_str();
    info.nShow = SW_SHOWNORMAL;
    return ShellExecuteExW(&info) != FALSE;
}

bool CanRecycle(const tstr& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        return false;
    // Network shares and removable disks have no Recycle Bin.
    const tstr root = PathRoot(path);
    return !root.IsEmpty() && GetDriveTypeW(root.c_str()) == DRIVE_FIXED;
}

namespace {

// Where the shell has no IFileOperation that recycles (before Windows 8,
// Wine): the older call with the same promise.
bool RecycleWithFileOperation(const tstr& path, HWND owner)
{
    std::wstring from = path.Str();
    from.push_back(L'\0');   // a list of one, ended by an empty name
    SHFILEOPSTRUCTW operation{};
    operation.hwnd = owner;
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = static_cast<FILEOP_FLAGS>(kRecycleFlags);
    return SHFileOperationW(&operation) == 0 && !operation.fAnyOperationsAborted;
}

}  // namespace

bool RecyclePhoto(const tstr& path, HWND owner)
{
    CComScope com;
    CComRef<IFileOperation> operation;
    CComRef<IShellItem> item;
    const bool ready =
        SUCCEEDED(CoCreateInstance(CLSID_FileOperation, nullptr, CLSCTX_ALL, IID_PPV_ARGS(operation.Out()))) &&
        SUCCEEDED(operation->SetOperationFlags(FOFX_RECYCLEONDELETE | kRecycleFlags)) &&
        SUCCEEDED(operation->SetOwnerWindow(owner));
    bool performed;
    if (!ready) {
        performed = RecycleWithFileOperation(path, owner);
    } else {
        BOOL aborted = FALSE;
        performed = SUCCEEDED(SHCreateItemFromParsingName(path.c_str(), nullptr, IID_PPV_ARGS(item.Out()))) &&
                    SUCCEEDED(operation->DeleteItem(item.Get(), nullptr)) &&
                    SUCCEEDED(operation->PerformOperations()) &&
                    SUCCEEDED(operation->GetAnyOperationsAborted(&aborted)) && !aborted;
    }
    return performed && GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES;
}

bool PutPhotoOnClipboard(HWND owner, const tstr& path, const CBmp& picture)
{
    CClipboardOpen clipboard(owner);
    if (!clipboard.IsOpen() || !EmptyClipboard()) return false;
    if (!PutFileDrop(path)) return false;
    // The file alone still pastes into a folder or a mail.
    if (!picture.Empty()) PutDib(picture);
    return true;
}
