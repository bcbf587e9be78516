#pragma once
// The about box (template 140): title, version and rights notice over a
// faint picture, and buttons to the product's and the maker's web sites.

#include <windows.h>

#include "picture/Bmp.h"
#include "ui/App.h"
#include "ui/Dialog.h"

class CAboutDlg : public CDialog {
public:
    // The application gives the title, the tray icon and the modal record.
    explicit CAboutDlg(CApp& app) : m_app(app) {}
    ~CAboutDlg() override;

    // Modal; the owner is normally the main window.
    INT_PTR Run(HWND owner);

    INT_PTR Dispatch(UINT msg, WPARAM wParam, LPARAM lParam) override;
    INT_PTR OnInitDialog() override;
    INT_PTR OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnDestroy() override;

    static const wchar_t kProductSite[];
    static const wchar_t kMakerSite[];
    static const wchar_t kRightsNotice[];

private:
    void PaintBackground(HDC dc);
    void OnPositionChanged();
    void FreeIcons();

    CApp& m_app;
    HICON m_smallIcon = nullptr;
    HICON m_bigIcon = nullptr;
    CBmp m_background;
};
