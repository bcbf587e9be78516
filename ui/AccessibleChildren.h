#pragma once
// What screen readers see of a window that draws its own items (the
// navigation pane's rows, the tool bar's tools): an IAccessible whose
// children are those items, answered on WM_GETOBJECT. The window itself is
// described by the system's standard object; the window only says what its
// items are. The object may outlive the window: once disconnected it fails
// every call.

#include <windows.h>

#include <string>

struct IAccessible;
class CAccessibleObject;

struct AccessibleChild {
    std::wstring name;
    long role = 0;    // ROLE_SYSTEM_...
    long state = 0;   // STATE_SYSTEM_...
    RECT rect = {};   // client coordinates; empty when not on view
};

class IAccessibleSource {
public:
    // ROLE_SYSTEM_LIST, ROLE_SYSTEM_TOOLBAR ...
    virtual long AccessibleRole() const = 0;
    virtual int AccessibleChildCount() const = 0;
    // index from 0; false when there is no such child.
    virtual bool AccessibleChildAt(int index, AccessibleChild& child) const = 0;

protected:
    ~IAccessibleSource() = default;
};

class CAccessibleHost {
public:
    explicit CAccessibleHost(IAccessibleSource& source) : m_source(source) {}
    CAccessibleHost(const CAccessibleHost&) = delete;
    CAccessibleHost& operator=(const CAccessibleHost&) = delete;
    ~CAccessibleHost() { Disconnect(); }

    // The answer to WM_GETOBJECT: the object for OBJID_CLIENT, 0 (the
    // system's answer) for anything else.
    LRESULT Answer(HWND hwnd, WPARAM wParam, LPARAM lParam);
    // The object, with a reference for the caller; null when it cannot be
    // made. In-process users (tests) call its methods directly.
    IAccessible* Object(HWND hwnd);
    // The window goes: clients holding the object get errors from now on.
    void Disconnect();
    // Tells screen readers the focus is on child `index` (from 0) of hwnd.
    static void AnnounceFocus(HWND hwnd, int index);

private:
    IAccessibleSource& m_source;
    CAccessibleObject* m_object = nullptr;
};
