#include "ui/SingleInstance.h"

#include <vector>

#include "ui/AppBase.h"

void StoreMainHandle(CRegStore& store, HWND hwnd) {
    store.WriteInt(CAppBase::kMainSection, CAppBase::kHandleValue,
                   static_cast<int>(reinterpret_cast<LONG_PTR>(hwnd)));
}

bool ActivateRunningInstance(const CRegStore& store, const tstr& title) {
    tstr text;
    if (!store.ReadString(CAppBase::kMainSection, CAppBase::kHandleValue, text)) return false;
    const long value = text.ToInt();
    if (value == 0) return false;
    // Sign-extended back, as the system does for 32-bit handle values.
    HWND hwnd = reinterpret_cast<HWND>(static_cast<LONG_PTR>(value));
    if (!IsWindow(hwnd)) return false;
    const int length = GetWindowTextLengthW(hwnd);
    if (length <= 0 || static_cast<size_t>(length) != title.Length()) return false;
    std::vector<wchar_t> caption(length + 1);
    GetWindowTextW(hwnd, caption.data(), length + 1);
    if (!title.Equals(tstr(caption.data()))) return false;
    ShowWindow(hwnd, SW_SHOWNORMAL);
    SetForegroundWindow(hwnd);
    return true;
}
