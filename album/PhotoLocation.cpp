#include "album/PhotoLocation.h"

#include <windows.h>

#include "picture/LongPath.h"

namespace {

// Errors that say the location did not answer, not that the name is missing.
bool IsLocationError(DWORD error)
{
    switch (error) {
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_NETWORK_UNREACHABLE:
    case ERROR_HOST_UNREACHABLE:
    case ERROR_NOT_READY:
    case ERROR_NO_MEDIA_IN_DRIVE:
    case ERROR_INVALID_DRIVE:
    case ERROR_DEV_NOT_EXIST:
    case ERROR_UNEXP_NET_ERR:
    case ERROR_NETNAME_DELETED:
    case ERROR_NETWORK_BUSY:
    case ERROR_BAD_NET_RESP:
    case ERROR_SEM_TIMEOUT:
    case ERROR_REM_NOT_LIST:
    case ERROR_NO_NET_OR_BAD_PATH:
    case ERROR_NOT_CONNECTED:
    case ERROR_CONNECTION_UNAVAIL:
        return true;
    }
    return false;
}

bool Answers(const tstr& path, DWORD& error)
{
    const DWORD attributes = GetFileAttributesW(LongPathForm(path.Str()).c_str());
    error = attributes == INVALID_FILE_ATTRIBUTES ? GetLastError() : ERROR_SUCCESS;
    return attributes != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

tstr PathRoot(const tstr& path)
{
    std::wstring text = path.Str();
    std::wstring prefix;
    if (text.compare(0, 8, L"\\\\?\\UNC\\") == 0) {
        prefix = L"\\\\?\\UNC\\";
        text = text.substr(8);
    } else if (text.compare(0, 4, L"\\\\?\\") == 0) {
        prefix = L"\\\\?\\";
        text = text.substr(4);
    } else if (text.compare(0, 2, L"\\\\") == 0) {
        prefix = L"\\\\";
        text = text.substr(2);
    }
    const bool unc = prefix == L"\\\\" || prefix == L"\\\\?\\UNC\\";
    if (unc) {
        // server\share\ : the share is what must answer.
        const size_t server = text.find(L'\\');
        if (server == std::wstring::npos || server == 0) return tstr(L"");
        const size_t share = text.find(L'\\', server + 1);
        if (share == server + 1) return tstr(L"");
        return tstr(prefix + (share == std::wstring::npos ? text + L"\\" : text.substr(0, share + 1)));
    }
    if (text.size() >= 2 && text[1] == L':') return tstr(prefix + text.substr(0, 2) + L"\\");
    return tstr(L"");
}

PhotoPlace LocatePhoto(const tstr& path)
{
    DWORD error = ERROR_SUCCESS;
    if (path.IsEmpty()) return PhotoPlace::Gone;
    if (Answers(path, error)) return PhotoPlace::Present;
    if (IsLocationError(error)) return PhotoPlace::Unreachable;
    // Missing from its folder, or the folder missing: gone only when the
    // drive or share itself answers.
    const tstr root = PathRoot(path);
    if (root.IsEmpty()) return PhotoPlace::Gone;
    DWORD rootError = ERROR_SUCCESS;
    if (Answers(root, rootError)) return PhotoPlace::Gone;
    return rootError == ERROR_ACCESS_DENIED ? PhotoPlace::Gone : PhotoPlace::Unreachable;
}
