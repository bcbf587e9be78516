#include "ui/TrayIcon.h"

#include <shellapi.h>

#include <cwchar>

#include "picture/GdiOwners.h"
#include "ui/Shortcut.h"
#include "ui/VersionInfo.h"

namespace {

// Copies with truncation and always terminates.
template <size_t N>
void CopyText(wchar_t (&to)[N], const tstr& from) {
    wcsncpy(to, from.c_str(), N - 1);
    to[N - 1] = L'\0';
}

NOTIFYICONDATAW IconData(HWND owner, UINT id) {
    NOTIFYICONDATAW data = {};
    data.cbSize = sizeof(data);   // the layout of the build: 952 bytes in 32-bit code
    data.hWnd = owner;
    data.uID = id;
    return data;
}

}  // namespace

tstr BuildTrayTip(const wchar_t* tip, const tstr& title) {
    if (tip) {
        tstr text(tip);
        if (text.Length() > 60) text = tstr(tip, 60) + L"...";
        return text;
    }
    return title + L"\n" + ReadVersionString(ModulePath(nullptr), kVersionFileVersion) + L" ver.";
}

bool AddTrayIcon(HWND owner, UINT message, UINT iconResource, const wchar_t* tip, UINT id,
                 const tstr& title, bool balloon) {
    CIconOwner icon(static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(iconResource),
                                                  IMAGE_ICON, 16, 16, 0)));
    const tstr text = BuildTrayTip(tip, title);
    if (!owner) return false;
    NOTIFYICONDATAW data = IconData(owner, id);
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = message;
    data.hIcon = icon.Get();
    CopyText(data.szTip, text);
    const bool added = Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
    if (balloon) {
        NOTIFYICONDATAW info = IconData(owner, 0);
        info.uFlags = NIF_INFO;
        CopyText(info.szInfo, text);
        info.uTimeout = 15000;
        Shell_NotifyIconW(NIM_MODIFY, &info);
    }
    return added;
}

bool RemoveTrayIcon(HWND owner, UINT id) {
    NOTIFYICONDATAW data = IconData(owner, id);
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    Shell_NotifyIconW(NIM_DELETE, &data);
    return true;
}
