#pragma once
// The application object: the current album (a CWppProfile) that also owns
// the main window and runs start-up, the show switch and shut-down.

#include <windows.h>

#include "album/FolderFollow.h"
#include "album/WppProfile.h"
#include "app/TrayMenu.h"
#include "dialogs/MainDlg.h"
#include "dialogs/PhotoCommands.h"
#include "slideshow/AlbumSlides.h"
#include "slideshow/DesktopWatch.h"
#include "slideshow/SlideWnd.h"
#include "ui/DialogApp.h"

class CWpp : public CDialogApp<CWppProfile>, public IThumbnailListener {
public:
    CWpp();
    ~CWpp() override;

    // The second dialog layer's own settings and flag are not used: these go
    // straight to the album layer.
    bool Init() override;
    bool Quit() override;
    bool Save() override;
    bool Load() override;

    void CreateMainDialog(HWND owner) override;
    CDialog* GetMainDialog() override { return &m_mainDlg; }
    HWND GetTrayWindow() override { return m_mainDlg.Hwnd(); }
    UINT GetTrayMessage() override { return kTrayMessage; }
    UINT GetTrayIcon() override { return kIconId; }

    // Fails with message 142 (and asks the main window for the settings
    // dialog) when the album has no photo.
    bool StartShow();
    void StopShow();
    bool IsShowRunning() const { return m_showRunning; }
    // The next photo as the switching timer would show it; nothing while the
    // show is not running.
    void NextPhoto();
    // The tray's "Pause for 1 hour" and "Resume"; nothing while the show is
    // not running. Never stored.
    void PauseByHand(bool on);
    bool IsPausedByHand() const { return m_watch.PausedByHand(); }
    CDesktopWatch& Watch() { return m_watch; }

    // Keeps the current album in step with the folder it follows, if any;
    // after start-up and whenever the settings dialog has closed.
    void FollowFolder();
    // A new listing of the followed folder (kFolderMessage to the main
    // window). While a dialog edits the album it waits for the dialog's end.
    void OnFolderListing(WPARAM serial);
    // The stored photo list, read on a worker at start-up, has come
    // (kPhotoListMessage to the main window).
    void OnPhotoListRead(WPARAM serial);
    // True while that list is still coming: the settings dialog then opens
    // when it arrives.
    bool SettingsWaitForList();

    // A command on one photo (res/dialogs.h) for the photo the slide window
    // names; nothing while no show runs.
    void PhotoCommand(UINT id);
    void OnCopyReady() { m_photoCommands.OnCopyReady(); }
    // What the tray menu offers for the photo on screen.
    CTrayMenu::PhotoItems PhotoOnScreenItems();
    // The window a photo command's message belongs to: the frame while it
    // shows, else the main window.
    HWND PhotoCommandOwner() const;

    CMainDlg& MainDlg() { return m_mainDlg; }
    CSlideWnd& SlideWnd() { return m_slideWnd; }
    bool IsTaskbarRtl() const { return m_taskbarRtl; }

    // Unusable photos leave the album as the workers find them (not while
    // a dialog may list them: the next load drops them then); the strip
    // shows what arrived.
    void OnThumbnailsArrived(bool someUnusable) override;

    static constexpr UINT kTrayMessage = 40001;
    static constexpr UINT kIconId = 102;
    static constexpr UINT kFirstRunTimer = 6;
    static constexpr UINT kFolderMessage = WM_APP + 1;
    static constexpr UINT kPhotoListMessage = WM_APP + 3;

private:
    // Drops the photos known to be unusable and has the workers check the
    // others; after Load, and at start-up once the show has its first photo.
    void CheckPhotos();
    // An album left without photos stops the show.
    void DropUnusablePhotosAndIdleShow();
    // What start-up does once the whole photo list is in the album.
    void FollowPhotoList();

    CMainDlg m_mainDlg;
    CAlbumSlides m_albumSlides;
    CSlideWnd m_slideWnd;
    CDesktopWatch m_watch{m_slideWnd};
    CFolderFollower m_follower;
    CPhotoCommands m_photoCommands{*this};
    bool m_taskbarRtl;
    bool m_showRunning = false;
    // Started with a followed folder that had no pictures yet.
    bool m_startWhenFilled = false;
    bool m_starting = false;
    bool m_startWhenListed = false;
    bool m_settingsWhenListed = false;
};
