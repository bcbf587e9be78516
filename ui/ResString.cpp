#include "ui/ResString.h"

#include "ui/Wnd.h"

tstr LoadResString(HINSTANCE module, UINT id) {
    wchar_t buffer[1023];
    const int length = LoadStringW(module ? module : ProgramModule(), id, buffer, 1023);
    return length > 0 ? tstr(buffer, static_cast<size_t>(length)) : tstr(L"");
}

int ShowMessage(HWND owner, UINT textId, MessageCaption caption, UINT type) {
    return ShowMessage(owner, LoadResString(nullptr, textId).c_str(), caption, type);
}

int ShowMessage(HWND owner, const wchar_t* text, MessageCaption caption, UINT type) {
    return MessageBoxW(owner, text, LoadResString(nullptr, caption).c_str(), type);
}
