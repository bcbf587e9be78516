#pragma once
// OK pressed while work it depends on is under way: the dialog waits, with
// the wait cursor, and OK runs again once the work is done; Cancel still
// ends the dialog.

#include <windows.h>

class CHeldAccept {
public:
    // Holds OK while `pending`; true when it had to.
    bool Hold(bool pending) { return m_held = pending; }
    // True, once, when OK was held and nothing is pending any more.
    bool Release(bool pending) {
        if (!m_held || pending) return false;
        m_held = false;
        return true;
    }
    bool Held() const { return m_held; }
    void Drop() { m_held = false; }
    // WM_SETCURSOR: the wait cursor while OK waits. True when it was set.
    bool SetWaitCursor() const {
        if (!m_held) return false;
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        return true;
    }

private:
    bool m_held = false;
};
