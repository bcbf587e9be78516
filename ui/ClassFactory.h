#pragma once
// Process-wide registry that turns windows of the program's classes made
// elsewhere (dialog templates, plain CreateWindowEx) into objects. The newest
// registration of a name is found first.

#include <windows.h>

class CWnd;

using WndFactoryCreate = CWnd* (*)(HWND hwnd);   // new object bound to hwnd, attached
using WndFactoryDestroy = void (*)(CWnd* wnd);

void RegisterClassFactory(const wchar_t* className, WndFactoryCreate create,
                          WndFactoryDestroy destroy);
// First entry whose name equals className exactly; false when none.
bool FindClassFactory(const wchar_t* className, WndFactoryCreate* create,
                      WndFactoryDestroy* destroy);

template <class T>
CWnd* FactoryCreate(HWND hwnd) {
    T* wnd = new T;
    wnd->Attach(hwnd);
    return wnd;
}

template <class T>
void FactoryDestroy(CWnd* wnd) {
    delete static_cast<T*>(wnd);
}

// Registers the window class of T and its factory entry once; call during
// start-up, before any template that names the class is loaded.
template <class T>
bool RegisterWindowClassOf() {
    T probe;
    if (!probe.EnsureClassRegistered()) return false;
    static bool factoryAdded = false;
    if (!factoryAdded) {
        RegisterClassFactory(probe.ClassName(), &FactoryCreate<T>, &FactoryDestroy<T>);
        factoryAdded = true;
    }
    return true;
}
