#pragma once
// "Photo Album settings" (template 127): the name, the photos and the slide
// window settings of one album. Everything is edited in the album object
// itself; Cancel restores the copy taken at the start, OK keeps the changes
// in memory (the settings dialog saves them).

#include <windows.h>

#include "album/WppProfile.h"
#include "dialogs/FolderLink.h"
#include "dialogs/PageHost.h"
#include "settings/Collector.h"
#include "ui/DialogSize.h"
#include "ui/NavPaneWndParent.h"

class CAlbumDlg : public CDialogSize, public CNavPaneWndParent {
public:
    // `albums` holds `album` and the others, whose names a new name must avoid.
    CAlbumDlg(CWppProfile* album, const CCollector<CWppProfile*>& albums);
    ~CAlbumDlg() override;

    INT_PTR Run(HWND owner);

    INT_PTR Dispatch(UINT msg, WPARAM wParam, LPARAM lParam) override;
    INT_PTR OnInitDialog() override;
    INT_PTR OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnDestroy() override;
    int OnNavCurrentChanging(CNavPaneItem* item, int reserved) override;

    CPageHost& Host() { return m_host; }

private:
    void ShowPage(int id);
    void UpdatePhotosText();
    // The photos page again, when it is the one shown.
    void RefreshPhotos();
    void Accept();
    void Reject();

    CWppProfile* m_album;
    const CCollector<CWppProfile*>& m_albums;
    CWppProfile m_backup;
    CPageHost m_host;
    CFolderLink m_link;
    CNavPaneItem* m_photosPage = nullptr;
};
