#include "dialogs/OpenPictures.h"

#include <commdlg.h>

#include <memory>
#include <new>

namespace {

// A selection of many files needs a large buffer; fall back to a smaller one.
const size_t kLargeBuffer = 2600000;
const size_t kSmallBuffer = 260000;

bool IsDirectory(const tstr& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Length of the zero-ended text at `from`, never reading at or past `end`.
size_t TextLength(const wchar_t* from, const wchar_t* end) {
    size_t length = 0;
    while (from + length < end && from[length]) ++length;
    return length;
}

}  // namespace

std::vector<tstr> ParseOpenFileResult(const wchar_t* buffer, size_t capacity) {
    std::vector<tstr> paths;
    if (!buffer || capacity == 0) return paths;
    const wchar_t* const end = buffer + capacity;
    const size_t firstLength = TextLength(buffer, end);
    if (firstLength == 0) return paths;
    const tstr first(buffer, firstLength);
    if (!IsDirectory(first)) {
        paths.push_back(first);
        return paths;
    }
    const tstr directory = first.Str().back() == L'\\' ? first : first + L"\\";
    for (const wchar_t* name = buffer + firstLength + 1; name < end;) {
        const size_t length = TextLength(name, end);
        if (length == 0) break;
        paths.push_back(directory + tstr(name, length));
        name += length + 1;
    }
    return paths;
}

std::vector<tstr> ChoosePictureFiles(HWND owner) {
    size_t capacity = kLargeBuffer;
    std::unique_ptr<wchar_t[]> buffer(new (std::nothrow) wchar_t[capacity]);
    if (!buffer) {
        capacity = kSmallBuffer;
        buffer.reset(new (std::nothrow) wchar_t[capacity]);
    }
    if (!buffer) return {};
    buffer[0] = 0;
    buffer[capacity - 1] = 0;

    OPENFILENAMEW request = {};
    request.lStructSize = OPENFILENAME_SIZE_VERSION_400W;
    request.hwndOwner = owner;
    request.lpstrFilter = L"picture files(*.*)\0*.*\0";
    request.lpstrFile = buffer.get();
    request.nMaxFile = static_cast<DWORD>(capacity);
    request.lpstrTitle = L"select picture";
    request.lpstrDefExt = L"*.*";
    request.Flags = OFN_HIDEREADONLY | OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST | OFN_NOREADONLYRETURN |
                    OFN_EXPLORER | OFN_ENABLESIZING;
    if (!GetOpenFileNameW(&request)) return {};
    return ParseOpenFileResult(buffer.get(), capacity);
}
