#pragma once
// "Lumora options" (template 106): the photos of the current album, the
// album list, the current album's slide window pages and the common
// settings. The current album is the application object itself; the album
// list holds one object per stored album while the dialog is open and is
// saved on OK.

#include <windows.h>

#include <vector>

#include "dialogs/FolderLink.h"
#include "dialogs/PageHost.h"
#include "settings/Collector.h"
#include "ui/DialogSize.h"
#include "ui/NavPaneWndParent.h"
#include "ui/StatusDlg.h"

class CWpp;
class CWppProfile;

class CSettingsDlg : public CStatusDlg<CDialogSize>, public CNavPaneWndParent {
public:
    explicit CSettingsDlg(CWpp& app);
    ~CSettingsDlg() override;

    // Modal, owned by the main window; IDOK or IDCANCEL.
    INT_PTR Run(HWND owner);

    int StatusBarId() const override;
    INT_PTR Dispatch(UINT msg, WPARAM wParam, LPARAM lParam) override;
    INT_PTR OnInitDialog() override;
    INT_PTR OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnDestroy() override;
    int OnNavCurrentChanging(CNavPaneItem* item, int reserved) override;
    int OnNavToolActivated(int toolId, CNavPaneItem* item) override;

    const CCollector<CWppProfile*>& Albums() const { return m_albums; }

private:
    void LoadAlbums();
    void ShowPage(int id);
    void ListAlbums();
    CNavPaneItem* AddAlbumItem(CWppProfile* album);
    void AddCommonItems();
    void UpdatePhotosText();

    void AddFolder();
    void Unlink();
    // The photos page again, when it is the one shown.
    void RefreshPhotos();
    void NewAlbum();
    void DeleteAlbums();
    void EditAlbum(CNavPaneItem* item);
    void MakeCurrent(CNavPaneItem* item);
    void Accept();
    // Every album of the list written, the keys of deleted albums and the old
    // keys of renamed ones removed, "Profile" naming the current album. When
    // the store refuses any of it, it is put back as it was, the user is
    // told which album failed, and false.
    bool SaveAlbums();
    void Reject();

    // The application's current album and the album shown for the list item.
    bool IsCurrent(const CWppProfile& album) const;
    CWppProfile* ListEntryOfCurrent() const;
    bool InList(const tstr& name) const;

    CWpp& m_app;
    CWppProfile* m_edited;
    CCollector<CWppProfile*> m_albums;
    std::vector<tstr> m_deletedNames;
    bool m_modified = false;
    // The show ran as the dialog opened.
    bool m_showWanted = false;
    CPageHost m_host;
    CFolderLink m_link;
    CNavPaneItem* m_photosPage = nullptr;
    HICON m_icon = nullptr;
};
