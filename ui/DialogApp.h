#pragma once
// An application whose main window is a dialog: single-instance activation
// through the main window handle stored as "Handle", and removal of that
// value when the program quits (never while it runs: a second start would
// not find this one).

#include <windows.h>

#include "settings/Param.h"
#include "ui/AppBase.h"
#include "ui/Dialog.h"
#include "ui/SingleInstance.h"

template <class Base>
class CDialogApp : public Base {
public:
    CDialogApp() {
        m_startMinimize.SetValue(2);
        m_startMinimize.SetDefault(2);
        m_closeMinimize.SetValue(false);
    }

    bool Init() override {
        this->GetAppSettings().AddNamed(&m_startMinimize, L"StartMinimize");
        this->GetAppSettings().AddNamed(&m_closeMinimize, L"CloseMinimize");
        if (!Base::Init()) return false;
        // Only the start-up Init looks for a running instance: later ones run
        // while this process's own main window exists.
        if (m_singleInstance && !this->GetMainWindow() &&
            ActivateRunningInstance(this->GetStore(), this->GetTitle()))
            return false;
        return true;
    }

    bool Quit() override {
        HWND main = this->GetMainWindow();
        if (main) EndDialog(main, IDCANCEL);
        if (m_singleInstance) this->GetStore().WriteString(CAppBase::kMainSection, CAppBase::kHandleValue, tstr());
        return Base::Quit();
    }

    HWND GetMainWindow() override {
        CDialog* dialog = GetMainDialog();
        return dialog ? dialog->Hwnd() : nullptr;
    }

    // Creates the main window as a modeless dialog with the given owner.
    virtual void CreateMainDialog(HWND owner) = 0;
    virtual CDialog* GetMainDialog() = 0;

    bool IsSingleInstance() const { return m_singleInstance; }
    // Album objects built by the dialogs switch it off before their Init.
    void SetSingleInstance(bool on) { m_singleInstance = on; }

private:
    bool m_singleInstance = true;
    CParam<int> m_startMinimize;    // persisted only
    CParam<bool> m_closeMinimize;   // persisted only
};
