#pragma once
// A binding between one setting and one dialog control.

#include <windows.h>

class IParam;
class CParamDlgSet;

class IParamDlg {
public:
    virtual ~IParamDlg() = default;   // bindings are destroyed through this interface

    virtual void Init(int kind, int controlId) = 0;
    virtual void Attach(HWND dialog) = 0;
    virtual void OnCommand(HWND dialog, WPARAM wParam, LPARAM lParam) = 0;
    virtual void OnNotify(HWND dialog, WPARAM wParam, const NMHDR* header) = 0;
    virtual void Update() = 0;
    virtual void SetParam(IParam* param) = 0;
    virtual IParam* GetParam() const = 0;
    // Numbers as the control sees them: 32-bit, unsigned values by their bits.
    virtual void SetRange(long minValue, long maxValue) = 0;
    // The set that holds the binding; a destroyed binding leaves it.
    virtual void SetOwner(CParamDlgSet* owner) = 0;
};
