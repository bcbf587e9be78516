#pragma once
// A tooltip control owned by one window: tips for whole child windows (the
// image buttons) and for areas of one window (the tool bar's tools). The
// control watches the mouse itself (it subclasses the windows it covers).

#include <windows.h>

#include <string>
#include <vector>

class CToolTip {
public:
    struct Area {
        RECT rect;  // client coordinates of the window
        std::wstring text;
    };

    CToolTip() = default;
    CToolTip(const CToolTip&) = delete;
    CToolTip& operator=(const CToolTip&) = delete;
    ~CToolTip();

    // Made on first use, owned by `owner` and destroyed with it at the latest.
    bool Create(HWND owner);
    void Destroy();
    // The tip over the whole of `window`, added or changed.
    void SetWindowTip(HWND window, const std::wstring& text);
    // The tips of `window`'s areas, numbered from 1, replace the earlier ones.
    void SetAreaTips(HWND window, const std::vector<Area>& areas);
    // The text of a tip (id 0: the whole window); empty when there is none.
    std::wstring Text(HWND window, UINT_PTR id) const;
    HWND Hwnd() const { return m_tip; }

private:
    HWND m_tip = nullptr;
    HWND m_areaWindow = nullptr;
    size_t m_areaCount = 0;
};
