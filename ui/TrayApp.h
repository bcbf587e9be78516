#pragma once
// Tray behaviour of the main window: minimising hides it into the tray icon,
// the icon brings it back.

#include <windows.h>

#include "settings/Param.h"
#include "ui/TrayIcon.h"

template <class Base>
class CTrayApp : public Base {
public:
    CTrayApp() {
        m_minimizeToTray.SetValue(1);
        m_minimizeToTray.SetDefault(1);
        m_hideInTray.SetValue(0);
        m_hideInTray.SetDefault(0);
        m_keepInTray.SetValue(1);
        m_escMin.SetValue(0);
    }

    bool Init() override {
        CParamRegSet& set = this->GetAppSettings();
        set.AddNamed(&m_minimizeToTray, L"MinimizeToTray");
        set.AddNamed(&m_hideInTray, L"HideInTray");
        set.AddNamed(&m_keepInTray, L"KeepInTray");
        set.AddNamed(&m_escMin, L"EscMin");
        const bool result = Base::Init();
        HWND tray = GetTrayWindow();
        if (m_keepInTray.GetValue() && tray)
            AddTrayIcon(tray, GetTrayMessage(), GetTrayIcon(), nullptr, 0, this->GetTitle(),
                        this->IsFirstRun());
        return result;
    }

    bool Quit() override {
        RemoveTrayIcon(this->GetMainWindow(), 0);
        return Base::Quit();
    }

    void Uninstall(bool wipe) override {
        RemoveTrayIcon(GetTrayWindow(), 0);
        Base::Uninstall(wipe);
    }

    bool OnClose() override {
        if (!m_escMin.GetValue()) return this->RequestExit();
        if (HWND main = this->GetMainWindow()) SendMessageW(main, WM_SYSCOMMAND, SC_MINIMIZE, -65536);
        return false;
    }

    virtual HWND GetTrayWindow() { return nullptr; }
    virtual UINT GetTrayMessage() { return 0; }
    virtual UINT GetTrayIcon() { return 0; }

    // Called on every position change of the main window.
    virtual void UpdateTrayIcon(UINT message, UINT icon, const wchar_t* tip) {
        HWND window = this->GetMainWindow();
        if (!window) return;
        WINDOWPLACEMENT placement = {};
        placement.length = sizeof(placement);
        GetWindowPlacement(window, &placement);
        if (HWND modal = this->GetModalDialog()) {
            SetForegroundWindow(modal);
            return;
        }
        if (placement.showCmd == SW_SHOWMINIMIZED && m_minimizeToTray.GetValue()) {
            AddTrayIcon(window, message, icon, tip, 0, this->GetTitle(), this->IsFirstRun());
            ShowWindow(window, SW_HIDE);
        } else if (placement.showCmd == SW_SHOWNORMAL && !m_keepInTray.GetValue()) {
            RemoveTrayIcon(window, 0);
        }
    }

    // The callback message of the icon: wParam is the icon id, lParam the mouse
    // message. The right button is the main window's: it shows the tray menu.
    virtual void OnTrayNotify(UINT id, UINT mouseMessage) {
        if (id != 0) return;
        HWND window = this->GetMainWindow();
        if (!window) return;
        switch (mouseMessage) {
        case WM_MOUSEMOVE:
            m_lastForeground = GetForegroundWindow();
            break;
        case WM_LBUTTONUP:
            if (!IsWindowVisible(window)) {
                WINDOWPLACEMENT placement = {};
                placement.length = sizeof(placement);
                GetWindowPlacement(window, &placement);
                ShowWindow(window, placement.showCmd == SW_SHOWMAXIMIZED ? SW_SHOWNORMAL : SW_RESTORE);
                SetForegroundWindow(window);
            } else if (window == m_lastForeground) {
                ShowWindow(window, SW_HIDE);
            } else {
                ShowWindow(window, SW_RESTORE);
                SetForegroundWindow(window);
                m_lastForeground = window;
            }
            break;
        }
    }

    CParam<int>& MinimizeToTray() { return m_minimizeToTray; }
    CParam<int>& KeepInTray() { return m_keepInTray; }
    CParam<int>& EscMin() { return m_escMin; }

private:
    CParam<int> m_minimizeToTray;
    CParam<int> m_hideInTray;   // persisted only
    CParam<int> m_keepInTray;
    CParam<int> m_escMin;
    HWND m_lastForeground = nullptr;
};
