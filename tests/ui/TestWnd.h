#pragma once
// A window class of the test programs that records which handlers it reached.

#include <stdexcept>

#include "ui/ClassFactory.h"
#include "ui/Wnd.h"

class CTestWnd : public CWnd {
public:
    static constexpr WPARAM kThrowingCommand = 99;
    static int live;

    CTestWnd() { ++live; }
    ~CTestWnd() override { --live; }

    bool* ClassRegisteredFlag() override {
        static bool registered = false;
        return &registered;
    }
    const wchar_t* ClassName() const override { return L"DX_TestWnd"; }

    LRESULT OnCreate(CREATESTRUCTW*) override {
        ++creates;
        return 0;
    }
    LRESULT OnDestroy() override {
        ++destroys;
        return 0;
    }
    LRESULT OnCommand(WPARAM wParam, LPARAM) override {
        if (wParam == kThrowingCommand) throw std::runtime_error("handler failed");
        lastCommand = wParam;
        return 42;
    }
    void OnLButtonDown(WPARAM, int x, int y) override {
        lastX = x;
        lastY = y;
    }
    void OnKeyDown(UINT, UINT, UINT) override { ++keys; }

    HWND ModalOwner() const { return m_modalOwner; }

    int creates = 0;
    int destroys = 0;
    int keys = 0;
    WPARAM lastCommand = 0;
    int lastX = 0;
    int lastY = 0;
};

inline int CTestWnd::live = 0;
