#include "ui/ToolTip.h"

#include <commctrl.h>

namespace {

// The size the oldest common controls that know these tips accept.
// A whole window is named by its handle, an area by its number.
TTTOOLINFOW Info(HWND window, UINT_PTR id) {
    TTTOOLINFOW info = {};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.hwnd = id || !GetParent(window) ? window : GetParent(window);
    info.uId = id ? id : reinterpret_cast<UINT_PTR>(window);
    info.uFlags = id ? TTF_SUBCLASS : TTF_IDISHWND | TTF_SUBCLASS;
    return info;
}

}  // namespace

CToolTip::~CToolTip() { Destroy(); }

bool CToolTip::Create(HWND owner) {
    if (m_tip && IsWindow(m_tip)) return true;
    m_tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
    m_areaWindow = nullptr;
    m_areaCount = 0;
    return m_tip != nullptr;
}

void CToolTip::Destroy() {
    if (m_tip && IsWindow(m_tip)) DestroyWindow(m_tip);
    m_tip = nullptr;
}

void CToolTip::SetWindowTip(HWND window, const std::wstring& text) {
    if (!m_tip || !window) return;
    TTTOOLINFOW info = Info(window, 0);
    info.lpszText = const_cast<wchar_t*>(text.c_str());
    if (Text(window, 0).empty())
        SendMessageW(m_tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    else
        SendMessageW(m_tip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
}

void CToolTip::SetAreaTips(HWND window, const std::vector<Area>& areas) {
    if (!m_tip || !window) return;
    if (m_areaWindow)
        for (size_t id = 1; id <= m_areaCount; ++id) {
            TTTOOLINFOW info = Info(m_areaWindow, id);
            SendMessageW(m_tip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
        }
    m_areaWindow = window;
    m_areaCount = areas.size();
    for (size_t i = 0; i < areas.size(); ++i) {
        TTTOOLINFOW info = Info(window, i + 1);
        info.rect = areas[i].rect;
        info.lpszText = const_cast<wchar_t*>(areas[i].text.c_str());
        SendMessageW(m_tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    }
}

std::wstring CToolTip::Text(HWND window, UINT_PTR id) const {
    if (!m_tip) return std::wstring();
    wchar_t text[256] = L"";
    TTTOOLINFOW info = Info(window, id);
    info.lpszText = text;
    SendMessageW(m_tip, TTM_GETTEXTW, sizeof(text) / sizeof(text[0]), reinterpret_cast<LPARAM>(&info));
    return text;
}
