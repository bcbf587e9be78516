#pragma once
// A real application object with its main window, over an album "Trips" of
// two photos (or those a test makes).

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "dialogs/Wpp.h"
#include "tests/dialogs/DialogTest.h"
#include "ui/ButtonWnd.h"

class MainWindowTest : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        CButtonWnd::Register();
        StoreAlbum(L"Trips", Photos());
        StoreText(kProfiles, L"Profile", L"Trips");
        m_app = std::make_unique<CWpp>();
        m_app->ReinitAlbum();
        m_app->Load();
        m_app->CreateMainDialog(nullptr);
        m_main = m_app->MainDlg().Hwnd();
        ASSERT_NE(nullptr, m_main);
    }
    void TearDown() override {
        if (IsWindow(m_main)) DestroyWindow(m_main);
        m_app.reset();
        // Quit ended this thread's message loop; later modal loops need it.
        MSG msg;
        while (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {}
        DialogTest::TearDown();
    }

    // The album's photos, made in the test's folder.
    virtual std::vector<std::wstring> Photos() { return {Picture(L"t1.bmp"), Picture(L"t2.bmp")}; }

    std::unique_ptr<CWpp> m_app;
    HWND m_main = nullptr;
};
