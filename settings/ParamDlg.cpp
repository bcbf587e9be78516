#include "settings/ParamDlg.h"

#include <commctrl.h>
#include <commdlg.h>

#include <string>

#include "settings/ParamDlgSet.h"

namespace {

const wchar_t kRadioDataProp[] = L"RADIO_DATA";
const UINT kCustomSet = WM_USER + 1;
const UINT kCustomGet = WM_USER + 2;

// Item data, window properties and message results are pointer-sized; the
// bindings deal in 32-bit numbers.
long Number(LONG_PTR value) { return static_cast<int>(value); }

bool IsRadioButton(HWND window) {
    wchar_t className[7] = {};
    if (!GetClassNameW(window, className, 7) || std::wstring(className) != L"Button") return false;
    const LONG_PTR type = GetWindowLongPtrW(window, GWL_STYLE) & 0xF;
    return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}

// The group: the bound button and the radio buttons that directly follow it.
HWND NextInGroup(HWND button) {
    HWND next = GetWindow(button, GW_HWNDNEXT);
    return next && IsRadioButton(next) ? next : nullptr;
}

tstr WindowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, &text[0], length + 1)));
    return tstr(text);
}

tstr ComboItemText(HWND combo, WPARAM index) {
    const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, index, 0);
    if (length == CB_ERR) return tstr();
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied = SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(copied == CB_ERR ? 0 : static_cast<size_t>(copied));
    return tstr(text);
}

void FillCustomColours(COLORREF (&colours)[16]) {
    const COLORREF white = RGB(255, 255, 255);
    const COLORREF table[16] = {
        RGB(255, 204, 204), RGB(255, 255, 204), RGB(204, 255, 204), RGB(204, 204, 255),
        RGB(255, 204, 255), RGB(204, 255, 255), white,              white,
        RGB(255, 204, 170), RGB(204, 204, 170), RGB(170, 255, 204), RGB(204, 170, 255),
        RGB(255, 170, 255), RGB(170, 204, 255), white,              white,
    };
    for (int i = 0; i < 16; ++i) colours[i] = table[i];
}

// The dialog paints the colour itself; invalidating gives it a real update
// region, which a hand-posted WM_PAINT would not have.
void RepaintParent(HWND control) { InvalidateRect(GetParent(control), nullptr, FALSE); }

}  // namespace

template <class T>
CParamDlg<T>::~CParamDlg() {
    if (m_owner) m_owner->Forget(this);
    if (m_param) m_param->Detach(this);
}

template <class T>
void CParamDlg<T>::Init(int kind, int controlId) {
    m_kind = kind;
    m_controlId = controlId;
}

template <class T>
void CParamDlg<T>::SetParam(IParam* param) {
    m_param = param;
    m_typed = dynamic_cast<CParam<T>*>(param);
}

template <class T>
void CParamDlg<T>::Attach(HWND dialog) {
    if (!m_controlId || !m_kind) return;
    m_window = GetDlgItem(dialog, m_controlId);
    if (m_param) m_param->PushRange();
    Update();
}

template <class T>
void CParamDlg<T>::OnCommand(HWND, WPARAM wParam, LPARAM) {
    if (!Live()) return;
    const bool fromControl = m_controlId != 0 && LOWORD(wParam) == m_controlId;
    const UINT code = HIWORD(wParam);
    switch (m_kind) {
    case kParamCheckBox:
        if (fromControl) Store(ParamText::FromNumber<T>(Number(SendMessageW(m_window, BM_GETCHECK, 0, 0))));
        break;
    case kParamEdit:
        if (fromControl && code == EN_UPDATE) Store(ParamText::FromText<T>(WindowText(m_window)));
        break;
    case kParamComboData:
    case kParamComboText:
        if (code == CBN_SELCHANGE) ReadCombo(m_kind == kParamComboText);
        break;
    case kParamRadio:
    case kParamRadioData:
        ReadRadio();
        break;
    case kParamColour:
        if (fromControl) ChooseColour();
        break;
    case kParamCustom:
        Store(ParamText::FromNumber<T>(Number(SendMessageW(m_window, kCustomGet, 0, 0))));
        break;
    default:
        break;
    }
}

template <class T>
void CParamDlg<T>::OnNotify(HWND, WPARAM, const NMHDR* header) {
    if (!Live() || m_kind != kParamTrackBar || !header) return;
    if (header->idFrom != static_cast<UINT_PTR>(m_controlId) || GetFocus() != m_window) return;
    if (header->code != static_cast<UINT>(NM_RELEASEDCAPTURE) && header->code != static_cast<UINT>(NM_CUSTOMDRAW))
        return;
    Store(ParamText::FromNumber<T>(Number(SendMessageW(m_window, TBM_GETPOS, 0, 0))));
}

template <class T>
void CParamDlg<T>::Update() {
    if (!Live()) return;
    const T& value = m_typed->GetValue();
    switch (m_kind) {
    case kParamCheckBox:
        SendMessageW(m_window, BM_SETCHECK, static_cast<WPARAM>(ParamText::ToNumber(value)), 0);
        break;
    case kParamEdit: {
        // Keep the caret where the user had it while the text is rewritten.
        DWORD start = 0, end = 0;
        SendMessageW(m_window, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        SetWindowTextW(m_window, ParamText::Format(value).c_str());
        SendMessageW(m_window, EM_SETSEL, start, end);
        break;
    }
    case kParamComboData:
    case kParamComboText:
        ShowCombo(m_kind == kParamComboText);
        break;
    case kParamRadio:
    case kParamRadioData:
        ShowRadio();
        break;
    case kParamTrackBar:
        SendMessageW(m_window, TBM_SETPOS, TRUE, ParamText::ToNumber(value));
        break;
    case kParamColour:
        RepaintParent(m_window);
        break;
    case kParamCustom:
        SendMessageW(m_window, kCustomSet, static_cast<WPARAM>(ParamText::ToNumber(value)), 0);
        break;
    default:
        break;
    }
}

template <class T>
void CParamDlg<T>::SetRange(long minValue, long maxValue) {
    if (!Live()) return;
    if (m_kind == kParamUpDown) {
        SendMessageW(m_window, UDM_SETRANGE32, static_cast<WPARAM>(minValue), maxValue);
    } else if (m_kind == kParamTrackBar) {
        SendMessageW(m_window, TBM_SETRANGEMIN, FALSE, minValue);
        SendMessageW(m_window, TBM_SETRANGEMAX, TRUE, maxValue);
    }
}

// A group without a checked button leaves the setting alone.
template <class T>
void CParamDlg<T>::ReadRadio() {
    long position = 0;
    for (HWND button = IsRadioButton(m_window) ? m_window : nullptr; button;
         button = NextInGroup(button), ++position) {
        if (SendMessageW(button, BM_GETCHECK, 0, 0) != BST_CHECKED) continue;
        const long value = m_kind == kParamRadioData
                               ? Number(reinterpret_cast<LONG_PTR>(GetPropW(button, kRadioDataProp)))
                               : position;
        Store(ParamText::FromNumber<T>(value));
        return;
    }
}

template <class T>
void CParamDlg<T>::ShowRadio() {
    const T& value = m_typed->GetValue();
    long position = 0;
    for (HWND button = IsRadioButton(m_window) ? m_window : nullptr; button;
         button = NextInGroup(button), ++position) {
        const long mine = m_kind == kParamRadioData
                              ? Number(reinterpret_cast<LONG_PTR>(GetPropW(button, kRadioDataProp)))
                              : position;
        const bool checked = ParamText::Same(ParamText::FromNumber<T>(mine), value);
        SendMessageW(button, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    }
}

// With no selection the setting is left alone, for item data as for texts:
// CB_GETITEMDATA of -1 would store CB_ERR.
template <class T>
void CParamDlg<T>::ReadCombo(bool byText) {
    const LRESULT selected = SendMessageW(m_window, CB_GETCURSEL, 0, 0);
    if (selected < 0) return;
    if (byText)
        Store(ParamText::FromText<T>(ComboItemText(m_window, static_cast<WPARAM>(selected))));
    else
        Store(ParamText::FromNumber<T>(Number(SendMessageW(m_window, CB_GETITEMDATA, selected, 0))));
}

template <class T>
void CParamDlg<T>::ShowCombo(bool byText) {
    const T& value = m_typed->GetValue();
    SendMessageW(m_window, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    const LRESULT count = SendMessageW(m_window, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const T item = byText ? ParamText::FromText<T>(ComboItemText(m_window, static_cast<WPARAM>(i)))
                              : ParamText::FromNumber<T>(Number(SendMessageW(m_window, CB_GETITEMDATA, i, 0)));
        if (ParamText::Same(item, value)) {
            SendMessageW(m_window, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
            return;
        }
    }
}

template <class T>
void CParamDlg<T>::ChooseColour() {
    COLORREF custom[16];
    FillCustomColours(custom);
    CHOOSECOLORW request = {};
    request.lStructSize = sizeof request;
    request.hwndOwner = m_window;
    request.rgbResult = static_cast<COLORREF>(ParamText::ToNumber(m_typed->GetValue()));
    request.lpCustColors = custom;
    request.Flags = CC_RGBINIT | CC_FULLOPEN | CC_ANYCOLOR;
    if (!ChooseColorW(&request)) return;
    Store(ParamText::FromNumber<T>(static_cast<long>(request.rgbResult)));
    RepaintParent(m_window);
}

template class CParamDlg<tstr>;
template class CParamDlg<bool>;
template class CParamDlg<int>;
template class CParamDlg<unsigned long>;
