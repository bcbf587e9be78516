#pragma once
// Root of the application chain: module instance, program title, the settings
// store with the application settings set, exit confirmation, the autostart
// shortcut and first-run detection. Every layer above overrides the virtual
// operations and calls the layer below explicitly.

#include <windows.h>

#include "settings/Param.h"
#include "settings/ParamRegSet.h"
#include "settings/RegStore.h"
#include "settings/Tstr.h"

class CAppBase {
public:
    CAppBase();
    CAppBase(const CAppBase&) = delete;
    CAppBase& operator=(const CAppBase&) = delete;
    virtual ~CAppBase();

    virtual bool Init();
    virtual bool Quit();
    virtual bool Load();
    virtual bool Save();
    // wipe: delete the whole settings tree and the autostart shortcut. Always
    // ends the message loop.
    virtual void Uninstall(bool wipe);
    // Command 2 of the main window.
    virtual bool OnClose();
    // Exit after the "Quit program?" question when "ConfirmExit" is on.
    virtual bool RequestExit();
    // Exit without a question.
    virtual void Close();
    virtual HWND GetMainWindow();

    // Creates or deletes the Startup-folder shortcut to match the setting.
    void ApplyAutostart();
    // The setting follows the presence of the shortcut.
    void ReadAutostart();

    HINSTANCE GetInstance() const { return m_instance; }
    void SetInstance(HINSTANCE instance) { m_instance = instance; }
    const tstr& GetTitle() const { return m_title; }
    void SetTitle(const tstr& title) { m_title = title; }
    CRegStore& GetStore() { return m_store; }
    CParamRegSet& GetAppSettings() { return m_appSettings; }
    CParam<bool>& Autostart() { return m_autostart; }
    CParam<bool>& ConfirmExit() { return m_confirmExit; }
    bool IsFirstRun() const { return m_firstRun; }
    // The settings dialog or about box while it is open.
    HWND GetModalDialog() const { return m_modalDialog; }
    void SetModalDialog(HWND dialog) { m_modalDialog = dialog; }

    static const wchar_t kCommonSection[];   // "Options\Common"
    static const wchar_t kMainSection[];     // "Options\Windows\Main"
    static const wchar_t kHandleValue[];     // "Handle"

private:
    HINSTANCE m_instance;
    tstr m_title = tstr(L"");
    // The store comes before the set that points at it.
    CRegStore m_store;
    CParamRegSet m_appSettings;
    CParam<bool> m_autostart;
    CParam<bool> m_confirmExit;
    bool m_firstRun = false;
    HWND m_modalDialog = nullptr;
};
