#pragma once
// A dialog with a status bar along its bottom edge (Base is CDialog or
// CDialogSize). The bar is made before the derived class's OnInitDialog runs,
// so that can already write to it.

#include <windows.h>
#include <commctrl.h>

#include "ui/Dialog.h"
#include "ui/Dpi.h"

template <class Base>
class CStatusDlg : public Base {
public:
    virtual int StatusBarId() const = 0;

    INT_PTR Dispatch(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_INITDIALOG) {
            const INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_BAR_CLASSES};
            InitCommonControlsEx(&icc);
            m_statusBar = CreateWindowExW(0, STATUSCLASSNAMEW, L"",
                                          WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 0, 0,
                                          this->Hwnd(),
                                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(StatusBarId())),
                                          GetModuleHandleW(nullptr), nullptr);
            FitStatusFont(WindowDpi(this->Hwnd()));
            LayoutStatusBar(true);
            return Base::Dispatch(msg, wParam, lParam);
        }
        INT_PTR result = Base::Dispatch(msg, wParam, lParam);
        if (msg == WM_SIZE) LayoutStatusBar(false);
        if (msg == WM_DPICHANGED) {
            FitStatusFont(LOWORD(wParam));
            LayoutStatusBar(false);
        }
        if (msg == WM_DESTROY) SetStatusFont(nullptr);
        return result;
    }

    HWND StatusBar() const { return m_statusBar; }
    void SetStatusText(const wchar_t* text) {
        if (m_statusBar) SendMessageW(m_statusBar, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(text));
    }

protected:
    HWND m_statusBar = nullptr;
    HFONT m_statusFont = nullptr;

private:
    // The bar keeps the system's font at the system DPI and gets one of its
    // own on a monitor of another DPI.
    void FitStatusFont(int dpi) {
        NONCLIENTMETRICSW metrics{};
        if (dpi == SystemDpi() || !NonClientMetricsForDpi(metrics, dpi))
            SetStatusFont(nullptr);
        else
            SetStatusFont(CreateFontIndirectW(&metrics.lfStatusFont));
    }
    void SetStatusFont(HFONT font) {
        if (!font && !m_statusFont) return;
        if (m_statusBar) {
            SendMessageW(m_statusBar, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
            // The bar takes the height of its font when it is sized.
            SendMessageW(m_statusBar, WM_SIZE, 0, 0);
        }
        if (m_statusFont) DeleteObject(m_statusFont);
        m_statusFont = font;
    }

    void LayoutStatusBar(bool moving) {
        if (!m_statusBar) return;
        RECT client, bar;
        GetClientRect(this->Hwnd(), &client);
        GetWindowRect(m_statusBar, &bar);
        const int height = bar.bottom - bar.top - 1;
        const int top = client.bottom - height;
        if (moving) {
            SetWindowPos(m_statusBar, HWND_BOTTOM, 0, top, client.right, height, 0);
            // The bar may settle on a height of its own.
            GetWindowRect(m_statusBar, &bar);
            MapWindowPoints(nullptr, this->Hwnd(), reinterpret_cast<POINT*>(&bar), 2);
            ShortenChildrenAbove(bar.top);
        } else {
            SetWindowPos(m_statusBar, nullptr, 0, top, client.right, height,
                         SWP_NOZORDER | SWP_NOACTIVATE);
        }
        InvalidateRect(m_statusBar, nullptr, TRUE);
    }

    void ShortenChildrenAbove(int barTop) {
        for (HWND child = GetWindow(this->Hwnd(), GW_CHILD); child;
             child = GetWindow(child, GW_HWNDNEXT)) {
            if (child == m_statusBar) continue;
            RECT rc;
            GetWindowRect(child, &rc);
            MapWindowPoints(nullptr, this->Hwnd(), reinterpret_cast<POINT*>(&rc), 2);
            if (rc.bottom > barTop && rc.top < barTop)
                SetWindowPos(child, nullptr, 0, 0, rc.right - rc.left, barTop - rc.top,
                             SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
};
