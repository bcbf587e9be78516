#include "dialogs/AlbumDlg.h"

#include "dialogs/AlbumName.h"
#include "dialogs/PhotoPage.h"
#include "res/artwork.h"
#include "res/dialogs.h"
#include "res/strings.h"
#include "ui/NavPaneWnd.h"
#include "ui/ResString.h"
#include "ui/Sizer.h"

namespace {

tstr ItemText(HWND dialog, int id) {
    const int length = GetWindowTextLengthW(GetDlgItem(dialog, id));
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int got = GetDlgItemTextW(dialog, id, &text[0], length + 1);
    return tstr(text.c_str(), static_cast<size_t>(got > 0 ? got : 0));
}

}  // namespace

CAlbumDlg::CAlbumDlg(CWppProfile* album, const CCollector<CWppProfile*>& albums)
    : m_album(album), m_albums(albums) {}

CAlbumDlg::~CAlbumDlg() {
    // While this object is whole, so that OnDestroy runs.
    if (m_hwnd) DestroyWindow(m_hwnd);
}

INT_PTR CAlbumDlg::Run(HWND owner) { return ShowModal(nullptr, MAKEINTRESOURCEW(IDD_ALBUM), owner); }

INT_PTR CAlbumDlg::OnInitDialog() {
    CDialogSize::OnInitDialog();
    if (!m_album) {
        End(0);
        return TRUE;
    }
    m_backup.Assign(*m_album);
    SetDlgItemTextW(m_hwnd, IDC_ALBUM_NAME, m_album->GetAlbumName().c_str());
    if (!m_host.Attach(m_hwnd, this, m_album->GetTitle())) {
        End(0);
        return TRUE;
    }
    m_photosPage = m_host.AddPage(PhotosPageText(*m_album), IDC_PAGE_PHOTOS, 48, IDB_ART_122);
    m_host.AddPage(LoadResString(nullptr, IDS_PAGE_SLIDER_WINDOW), IDC_PAGE_SLIDER, 32, IDB_ART_122, IDB_ART_123);
    m_host.AddPage(LoadResString(nullptr, IDS_PAGE_SLIDER_SWITCHING), IDC_PAGE_SWITCH, 32, IDB_ART_154);

    for (int id : {IDC_ALBUM_NAME, IDC_PAGE_LIST, IDC_PAGE_ITEMS, IDC_PAGE_TOOLBAR, IDOK, IDCANCEL})
        Sizer()->AddControl(id, 0);
    Sizer()->AddControl(IDC_FOLDER_LINK_TEXT, CSizer::kRight);
    Sizer()->AddControl(IDC_UNLINK_FOLDER, CSizer::kRight | CSizer::kMoveX);
    Sizer()->SetLimits(400, 3000, 320, 2000);

    m_host.SetTools(CPageHost::Tools::Photos);
    m_host.CreateSettingPages(m_album);
    m_host.Open(m_photosPage);
    return TRUE;
}

INT_PTR CAlbumDlg::OnCommand(WPARAM wParam, LPARAM) {
    switch (LOWORD(wParam)) {
    case IDOK:
        Accept();
        break;
    case IDCANCEL:
        Reject();
        break;
    case IDC_ADD_FOLDER:
        if (!m_album->FollowsFolder() && m_link.AddFolder(m_hwnd, *m_album)) RefreshPhotos();
        break;
    case IDC_UNLINK_FOLDER:
        m_album->Unlink();
        RefreshPhotos();
        break;
    default:
        if (RunPhotoCommand(LOWORD(wParam), m_host.Items(), m_host.RowThumbnails(), *m_album, m_hwnd))
            UpdatePhotosText();
        break;
    }
    return 0;
}

INT_PTR CAlbumDlg::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == CFolderLink::kMessage) {
        if (!m_album) return TRUE;
        if (m_link.OnListing(*m_album, wParam))
            RefreshPhotos();
        else if (m_host.Pages().Current() == m_photosPage)
            m_host.ShowFolderLink(m_link.Text(*m_album), m_link.HasState());
        if (m_link.AcceptWhenListed()) Accept();
        return TRUE;
    }
    if (msg == CPaneThumbnails::kUnusableMessage) {
        // Files that are no pictures leave before the album is stored.
        if (m_album && DropUnusablePhotoRows(m_host.Items(), m_host.RowThumbnails(), *m_album)) UpdatePhotosText();
        if (m_host.RowThumbnails().AcceptWhenChecked()) Accept();
        return TRUE;
    }
    if (msg == WM_SETCURSOR && (m_link.SetWaitCursor() || m_host.RowThumbnails().SetWaitCursor())) {
        SetWindowLongPtrW(m_hwnd, DWLP_MSGRESULT, TRUE);
        return TRUE;
    }
    return CDialogSize::Dispatch(msg, wParam, lParam);
}

void CAlbumDlg::OnDestroy() {
    m_link.Cancel();
    m_host.Detach();
    CDialogSize::OnDestroy();
}

int CAlbumDlg::OnNavCurrentChanging(CNavPaneItem* item, int) {
    if (m_host.IsPage(item)) ShowPage(item->m_nId);
    return 0;
}

void CAlbumDlg::ShowPage(int id) {
    m_host.HideAll();
    if (id != IDC_PAGE_PHOTOS) {
        m_host.ShowSettingPage(id);
        return;
    }
    m_host.ShowItems(true);
    m_host.SetTools(CPageHost::Tools::Photos);
    m_link.LookAtFollowed(m_hwnd, *m_album);
    m_host.ShowFolderLink(m_link.Text(*m_album), m_link.HasState());
    ListPhotos(m_host.Items(), m_host.RowThumbnails(), *m_album);
    UpdatePhotosText();
}

void CAlbumDlg::RefreshPhotos() {
    if (m_host.Pages().Current() == m_photosPage) ShowPage(IDC_PAGE_PHOTOS);
    UpdatePhotosText();
}

void CAlbumDlg::UpdatePhotosText() {
    if (!m_photosPage) return;
    m_photosPage->SetText(PhotosPageText(*m_album).c_str());
    m_host.Pages().Redraw(false);
}

void CAlbumDlg::Accept() {
    // "Add folder" just before OK: the folder's pictures are added first;
    // photos added just now are checked first.
    if (m_link.HoldAccept() || m_host.RowThumbnails().HoldAccept()) return;
    const tstr name = ItemText(m_hwnd, IDC_ALBUM_NAME);
    if (!AcceptAlbumName(m_hwnd, name, OtherAlbumNames(m_albums, m_album), m_album->GetAlbumName())) return;
    // The stored album moves to the new key when the album is saved.
    if (!(name == m_album->GetAlbumName())) m_album->RenameAlbum(name);
    m_host.PassToSettingPages(IDOK);
    SetDlgItemTextW(m_hwnd, IDC_ALBUM_NAME, m_album->GetAlbumName().c_str());
    End(IDOK);
}

void CAlbumDlg::Reject() {
    // The pages let go of the album's settings before it is restored.
    m_host.PassToSettingPages(IDCANCEL);
    m_album->Assign(m_backup);
    End(IDCANCEL);
}
