#include "dialogs/SaveFailure.h"

#include "ui/ResString.h"

namespace {

tstr SystemErrorText(unsigned long error) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    DWORD end = length;
    while (end > 0 && (text[end - 1] == L'\r' || text[end - 1] == L'\n' || text[end - 1] == L' ')) --end;
    tstr result = end ? tstr(text, end) : tstr(L"Error ") + tstr::FromInt(static_cast<long>(error));
    if (text) LocalFree(text);
    return result;
}

}  // namespace

tstr SaveFailureText(const tstr& album, StoreAction action, unsigned long error) {
    const wchar_t* done = action == StoreAction::Save ? L"\" could not be saved.\n\n" : L"\" could not be deleted.\n\n";
    return tstr(L"The album \"") + album + done + SystemErrorText(error);
}

void ReportSaveFailure(HWND owner, const tstr& album, StoreAction action, unsigned long error) {
    ShowMessage(owner, SaveFailureText(album, action, error).c_str(), kCaptionError, MB_OK | MB_ICONERROR);
}
