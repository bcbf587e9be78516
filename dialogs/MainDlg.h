#pragma once
// The main window (template 101): start/stop the show, settings, web site,
// about box; receives the tray icon's callbacks and shows the tray menu.

#include <windows.h>

#include "ui/Dialog.h"
#include "ui/Dpi.h"
#include "ui/StatusDlg.h"
#include "ui/ToolTip.h"

class CButtonWnd;
class CWpp;

class CMainDlg : public CStatusDlg<CDialog> {
public:
    // Registered message answered with how many pictures of the DecodeKind in
    // wParam the process has decoded: lets an outside program watch the cache work.
    static constexpr wchar_t kDecodeCountMessage[] = L"LumoraDecodeCount";
    // Registered message answered with how many checks of the album's photos
    // are under way (the stored list still being read counts as one): when it
    // answers 0, photos found missing have left the album.
    static constexpr wchar_t kPhotoChecksMessage[] = L"LumoraPhotoChecks";
    // Registered message answered with how many photos the album holds: an
    // outside program sees when a followed folder's change has come in.
    static constexpr wchar_t kPhotoCountMessage[] = L"LumoraPhotoCount";

    explicit CMainDlg(CWpp& app) : m_app(app) {}

    int StatusBarId() const override;
    INT_PTR Dispatch(UINT msg, WPARAM wParam, LPARAM lParam) override;
    INT_PTR OnInitDialog() override;
    // Frees the window's icons.
    void OnDestroy() override;
    INT_PTR OnCommand(WPARAM wParam, LPARAM lParam) override;
    INT_PTR OnSysCommand(WPARAM wParam, LPARAM lParam) override;
    INT_PTR OnSetCursor(HWND hwnd, int hitTest, int msg) override;
    void OnTimer(UINT_PTR id) override;

    bool IsShowRunning() const;
    // The tooltips of the image buttons.
    const CToolTip& Tips() const { return m_tips; }

private:
    struct ButtonArt {
        int base;
        int texture;
        int overlay;
    };
    static const ButtonArt kStartArt;
    static const ButtonArt kStopArt;

    // The image button object of control `id`, or null.
    CButtonWnd* Button(int id) const;
    // Icons and button faces for the DPI of the window's monitor.
    void DressForDpi();
    // Loads the base picture (dropping the old faces) and composes the faces.
    void DressButton(CButtonWnd& button, const ButtonArt& art);
    // The button's window text and tooltip, for the id it has now.
    void NameButton(int id);
    // Commands that open something cancel the first-run notice for good.
    void CancelFirstRunNotice();
    // Brings the open settings dialog or about box forward; false when none is open.
    bool FocusModalDialog();
    void OpenSettings();
    void OpenAbout();
    void OpenWebSite();
    void StartShow();
    void StopShow();
    void OnTrayCallback(UINT id, UINT mouseMessage);
    void ShowTrayMenu();
    void RestoreFromPlacement();
    void ShowFirstRunNotice();

    CWpp& m_app;
    HICON m_smallIcon = nullptr;
    HICON m_bigIcon = nullptr;
    int m_dpi = kDesignDpi;
    CToolTip m_tips;
};
