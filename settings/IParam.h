#pragma once
// The two faces of a typed setting: IParam is what control bindings and
// dialogs see, IParamReg what the store and the settings sets see. The typed
// operations (value, range, steps) live on CParam<T>.

#include <windows.h>

#include "settings/Tstr.h"

class CRegStore;
class IParamDlg;

class IParam {
public:
    virtual ~IParam() = default;

    virtual bool Attach(IParamDlg* binding) = 0;
    virtual bool Detach(IParamDlg* binding) = 0;
    virtual void DetachAll() = 0;
    virtual void Commit() = 0;
    virtual void Revert() = 0;
    virtual bool IsModified() const = 0;
    virtual void ResetToDefault() = 0;
    // Stores directly: neither the mirror nor the bindings hear of it.
    virtual void FromString(const tstr& text) = 0;
    virtual tstr ToString(tstr& out) const = 0;
    virtual void PushRange() = 0;
    virtual int Refresh(HWND dialog) = 0;
};

class IParamReg {
public:
    virtual ~IParamReg() = default;

    virtual tstr GetName() const = 0;
    virtual void SetName(const tstr& name) = 0;
    // Reads "name = value" below "[section]" of a settings text.
    virtual bool LoadText(const tstr& text, const tstr& section) = 0;
    virtual bool Load(CRegStore& store, const tstr& section) = 0;
    // Appends "prefix\name=value\n".
    virtual bool SaveText(tstr& text, const tstr& prefix) const = 0;
    virtual bool Save(CRegStore& store, const tstr& section) = 0;
    virtual void Commit() = 0;
    virtual void Revert() = 0;
    virtual void Clear() = 0;
    virtual void ClearSteps() = 0;
    virtual void StepNext() = 0;
    virtual void StepPrev() = 0;
    virtual void SetStepWrap(int wrap) = 0;
};
