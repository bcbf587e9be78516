#pragma once
// Base of the program's own window classes. The platform window finds its
// object through the "WND_ENTITY" property; one shared window procedure
// routes each message to the virtual handlers below. Derived classes override
// only what they need; a class that overrides WindowProc handles its own
// messages first and passes the rest on to CWnd::WindowProc.
//
// A concrete class supplies ClassRegisteredFlag (a static bool of its own)
// and ClassName. Create makes the window; templates and foreign code make
// windows of a class with a factory entry (see ClassFactory.h) and get an
// object that is deleted with its window.

#include <windows.h>

class CWnd {
public:
    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    // Destroys the window unless it was attached.
    virtual ~CWnd();
    // Registers the class once; the result is remembered in ClassRegisteredFlag.
    virtual bool EnsureClassRegistered();
    virtual ATOM RegisterWndClass();
    virtual bool* ClassRegisteredFlag() = 0;
    // Last chance to change the class description before registration.
    virtual void AdjustClass(WNDCLASSEXW& wc);
    // False when a window already exists or creation failed.
    virtual bool Create(DWORD exStyle, DWORD style, int x, int y, int width, int height,
                        HWND parent, HMENU menuOrId);
    virtual bool Create(DWORD exStyle, DWORD style, HWND parent, HMENU menuOrId);
    // Pumps messages until this window no longer exists.
    virtual int RunModalLoop();
    virtual LRESULT Destroy();
    virtual int Attach(HWND hwnd);
    virtual bool Detach();
    virtual bool Exists() const;
    virtual LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnNcCreate(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnCreate(CREATESTRUCTW* cs);
    virtual LRESULT OnDestroy();
    virtual LRESULT OnCommand(WPARAM wParam, LPARAM lParam);
    virtual void OnPaint();
    virtual void Redraw(bool erase);
    // While the owner is a window, this one refuses activation and input.
    virtual void SetModalOwner(HWND owner);
    virtual void ClearModalOwner();
    virtual void OnMouseMove(WPARAM keys, int x, int y);
    virtual LRESULT OnMouseWheel(WPARAM keys, int delta, int x, int y);
    virtual void OnLButtonDown(WPARAM keys, int x, int y);
    virtual void OnLButtonUp(WPARAM keys, int x, int y);
    virtual void OnRButtonDown(WPARAM keys, int x, int y);
    virtual void OnRButtonUp(WPARAM keys, int x, int y);
    virtual void OnMouseLeave();
    virtual void OnLButtonDblClk(WPARAM keys, int x, int y);
    virtual void OnKeyDown(UINT key, UINT repeat, UINT flags);
    virtual void OnKeyUp(UINT key, UINT repeat, UINT flags);
    virtual LRESULT OnSysKeyDown(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnSysKeyUp(WPARAM wParam, LPARAM lParam);
    virtual void OnSize(UINT type, int width, int height);
    virtual void OnSizing(UINT edge, RECT* rect);
    virtual void OnWindowPosChanging(WINDOWPOS* pos);
    virtual void OnTimer(UINT_PTR id);
    virtual const wchar_t* ClassName() const = 0;

    HWND Hwnd() const { return m_hwnd; }
    bool MadeByFactory() const { return m_madeByFactory != 0; }
    // The object bound to a window of one of the program's classes, or null.
    static CWnd* FromHandle(HWND hwnd);

    static const wchar_t kEntityProp[];   // "WND_ENTITY"

protected:
    // The previous procedure when one is set, else the platform default.
    LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam);

    HWND m_hwnd = nullptr;
    WNDPROC m_prevProc = nullptr;
    BYTE m_attached = 0;
    BYTE m_madeByFactory = 0;
    HWND m_modalOwner = nullptr;

private:
    static LRESULT CALLBACK SharedWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static LRESULT RouteToEntity(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static LRESULT BindEntity(HWND hwnd, WPARAM wParam, LPARAM lParam);
    // Unbinds at the window's end; deletes an object the factory made.
    static void ReleaseEntity(HWND hwnd, CWnd* wnd);
    void UnbindEntity();
    bool ModalOwnerBlocks(UINT msg, WPARAM wParam);
};

// Module of the running program (the executable).
HINSTANCE ProgramModule();
