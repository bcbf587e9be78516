#pragma once
// Base of the dialogs made from templates. The dialog finds its object
// through the "DLG_ENTITY" property; one shared dialog procedure calls
// DialogProc, which by default calls Dispatch, which calls the handlers
// below. Handlers returning INT_PTR give the dialog procedure's result.
//
// Derive, override handlers, then ShowModeless or ShowModal with a template
// name (MAKEINTRESOURCEW(id)) or none for an empty one. Controls of the
// program's window classes inside the template become objects through the
// class factory.

#include <windows.h>

class CDialog {
public:
    CDialog() = default;
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    // Destroys the window when there is one.
    virtual ~CDialog();
    virtual INT_PTR DialogProc(UINT msg, WPARAM wParam, LPARAM lParam);
    virtual INT_PTR Dispatch(UINT msg, WPARAM wParam, LPARAM lParam);
    // IDOK calls OnOK, IDCANCEL calls OnCancel.
    virtual INT_PTR OnCommand(WPARAM wParam, LPARAM lParam);
    virtual INT_PTR OnSysCommand(WPARAM wParam, LPARAM lParam);
    // *result becomes the message result (DWLP_MSGRESULT).
    virtual INT_PTR OnNotify(int id, NMHDR* data, LRESULT* result);
    virtual INT_PTR OnSetCursor(HWND hwnd, int hitTest, int msg);
    virtual void OnSize(UINT type, int width, int height);
    virtual void OnMove(int x, int y);
    virtual void OnSizing(UINT edge, RECT* rect);
    virtual void OnShowWindow(BOOL shown, int status);
    virtual void OnOK();
    virtual void OnCancel();
    // TRUE lets the platform set the default focus.
    virtual INT_PTR OnInitDialog();
    virtual void OnDestroy();
    virtual INT_PTR OnCreate(CREATESTRUCTW* cs);
    virtual void OnLButtonDown(WPARAM keys, int x, int y);
    virtual void OnLButtonUp(WPARAM keys, int x, int y);
    virtual void OnRButtonDown(WPARAM keys, int x, int y);
    virtual void OnRButtonUp(WPARAM keys, int x, int y);
    virtual void OnMouseMove(WPARAM keys, int x, int y);
    virtual void OnMouseLeave();
    virtual void OnKeyDown(UINT key, UINT repeat, UINT flags);
    virtual void OnKeyUp(UINT key, UINT repeat, UINT flags);
    virtual void OnTimer(UINT_PTR id);
    virtual void OnPaint();
    virtual void OnDrawItem(int id, DRAWITEMSTRUCT* data);

    // module null: the program. Returns the dialog window or null.
    HWND ShowModeless(HINSTANCE module, const wchar_t* templateName, HWND parent);
    // Runs the dialog to its end; -1 when it could not be created.
    INT_PTR ShowModal(HINSTANCE module, const wchar_t* templateName, HWND parent);
    // Modal: ends the modal loop with result. Modeless: destroys the window.
    void End(INT_PTR result);

    HWND Hwnd() const { return m_hwnd; }
    bool IsModal() const { return m_modal; }
    HWND Item(int id) const { return GetDlgItem(m_hwnd, id); }
    static CDialog* FromHandle(HWND hwnd);

    static const wchar_t kEntityProp[];   // "DLG_ENTITY"

protected:
    HWND m_hwnd = nullptr;
    bool m_modal = false;

private:
    static INT_PTR CALLBACK SharedDialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static INT_PTR RouteToEntity(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
};
