#include "dialogs/SettingsDlg.h"

#include "album/AlbumBackup.h"
#include "dialogs/AlbumDlg.h"
#include "dialogs/AlbumNewDlg.h"
#include "dialogs/CurrentAlbum.h"
#include "dialogs/ItemPicture.h"
#include "dialogs/PhotoPage.h"
#include "dialogs/SaveFailure.h"
#include "dialogs/WaitCursor.h"
#include "dialogs/Wpp.h"
#include "res/artwork.h"
#include "res/dialogs.h"
#include "res/strings.h"
#include "ui/Dpi.h"
#include "ui/NavPaneWnd.h"
#include "ui/ResString.h"
#include "ui/Sizer.h"
#include "ui/Wnd.h"

namespace {

const int kAlbumRowHeight = 32;
const int kRadioPicture = 24;
const int kEditPicture = 24;
const int kAlbumPicture = 32;
const int kCheckPicture = 16;

CWppProfile* AlbumOf(const CNavPaneItem* item) {
    return item ? dynamic_cast<CWppProfile*>(item->m_pData) : nullptr;
}

}  // namespace

CSettingsDlg::CSettingsDlg(CWpp& app) : m_app(app), m_edited(&app) {}

CSettingsDlg::~CSettingsDlg() {
    // While this object is whole, so that OnDestroy runs.
    if (m_hwnd) DestroyWindow(m_hwnd);
    if (m_icon) DestroyIcon(m_icon);
}

INT_PTR CSettingsDlg::Run(HWND owner) { return ShowModal(nullptr, MAKEINTRESOURCEW(IDD_SETTINGS), owner); }

int CSettingsDlg::StatusBarId() const { return IDC_SETTINGS_STATUS; }

INT_PTR CSettingsDlg::OnInitDialog() {
    CDialogSize::OnInitDialog();
    m_showWanted = m_app.IsShowRunning();
    m_app.ReadAutostart();
    m_icon = static_cast<HICON>(
        LoadImageW(ProgramModule(), MAKEINTRESOURCEW(IDI_ART_FRAME), IMAGE_ICON, 16, 16, 0));
    if (m_icon) SendMessageW(m_hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_icon));
    if (!m_host.Attach(m_hwnd, this, m_app.GetTitle())) {
        End(0);
        return TRUE;
    }
    m_photosPage = m_host.AddPage(PhotosPageText(*m_edited), IDC_PAGE_PHOTOS, 48, IDB_ART_122);
    m_host.AddPage(LoadResString(nullptr, IDS_PAGE_ALBUMS), IDC_PAGE_ALBUMS, 32, IDB_ART_128);
    LoadAlbums();
    m_host.AddPage(LoadResString(nullptr, IDS_PAGE_SLIDER_WINDOW), IDC_PAGE_SLIDER, 32, IDB_ART_122, IDB_ART_123);
    m_host.AddPage(LoadResString(nullptr, IDS_PAGE_SLIDER_SWITCHING), IDC_PAGE_SWITCH, 32, IDB_ART_154);
    CNavPaneItem* common =
        m_host.AddPage(LoadResString(nullptr, IDS_PAGE_COMMON), IDC_PAGE_COMMON, 32, IDB_ART_123);
    m_host.Pages().AppendChild(common, new CNavPaneItem(L"Secret settings!"));
    m_host.SetTools(CPageHost::Tools::None);

    for (int id : {IDC_PAGE_LIST, IDC_PAGE_ITEMS, IDC_PAGE_TOOLBAR, IDOK, IDCANCEL}) Sizer()->AddControl(id, 0);
    Sizer()->AddControl(IDC_FOLDER_LINK_TEXT, CSizer::kRight);
    Sizer()->AddControl(IDC_UNLINK_FOLDER, CSizer::kRight | CSizer::kMoveX);
    Sizer()->SetLimits(400, 3000, 320, 2000);

    m_host.CreateSettingPages(&m_app);
    m_host.Open(m_photosPage);
    m_app.SetModalDialog(m_hwnd);
    return TRUE;
}

void CSettingsDlg::OnDestroy() {
    m_link.Cancel();
    if (m_app.GetModalDialog() == m_hwnd) m_app.SetModalDialog(nullptr);
    m_host.Detach();
    m_albums.DeleteAll();
    CStatusDlg<CDialogSize>::OnDestroy();
}

void CSettingsDlg::LoadAlbums() {
    std::vector<tstr> names;
    m_app.EnumAlbumNames(&names);
    for (const tstr& name : names) {
        // The application object is the live copy of the current album, and
        // its entry here becomes a copy of it before its photos are used:
        // reading them from the store again would only cost time.
        if (CWppProfile::SameName(name, m_app.GetAlbumName())) {
            m_albums.Add(CWppProfile::NewAlbumObjectWithPhotosOf(name, m_app));
            continue;
        }
        CWppProfile* album = CWppProfile::NewAlbumObject(name);
        album->Load();
        m_albums.Add(album);
    }
}

INT_PTR CSettingsDlg::OnCommand(WPARAM wParam, LPARAM) {
    switch (LOWORD(wParam)) {
    case IDOK:
        Accept();
        break;
    case IDCANCEL:
        Reject();
        break;
    case IDC_ADD_FOLDER:
        AddFolder();
        break;
    case IDC_NEW_ALBUM:
        NewAlbum();
        break;
    case IDC_DELETE_ALBUM:
        DeleteAlbums();
        break;
    case IDC_UNLINK_FOLDER:
        Unlink();
        break;
    default:
        if (m_edited && RunPhotoCommand(LOWORD(wParam), m_host.Items(), m_host.RowThumbnails(), *m_edited, m_hwnd)) {
            m_modified = true;
            UpdatePhotosText();
        }
        break;
    }
    return 0;
}

INT_PTR CSettingsDlg::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == CFolderLink::kMessage) {
        if (!m_edited) return TRUE;
        if (m_link.OnListing(*m_edited, wParam))
            RefreshPhotos();
        else if (m_host.Pages().Current() == m_photosPage)
            m_host.ShowFolderLink(m_link.Text(*m_edited), m_link.HasState());
        if (m_link.AcceptWhenListed()) Accept();
        return TRUE;
    }
    if (msg == CPaneThumbnails::kUnusableMessage) {
        // Files that are no pictures leave before the album is stored.
        if (m_edited && DropUnusablePhotoRows(m_host.Items(), m_host.RowThumbnails(), *m_edited)) {
            m_modified = true;
            UpdatePhotosText();
        }
        if (m_host.RowThumbnails().AcceptWhenChecked()) Accept();
        return TRUE;
    }
    if (msg == WM_SETCURSOR && (m_link.SetWaitCursor() || m_host.RowThumbnails().SetWaitCursor())) {
        SetWindowLongPtrW(m_hwnd, DWLP_MSGRESULT, TRUE);
        return TRUE;
    }
    return CStatusDlg<CDialogSize>::Dispatch(msg, wParam, lParam);
}

// ---- pages

int CSettingsDlg::OnNavCurrentChanging(CNavPaneItem* item, int) {
    if (m_host.IsPage(item)) ShowPage(item->m_nId);
    return 0;
}

void CSettingsDlg::ShowPage(int id) {
    m_host.HideAll();
    if (m_host.ShowSettingPage(id)) return;
    switch (id) {
    case IDC_PAGE_PHOTOS: {
        CWaitCursor wait;
        m_host.ShowItems(true);
        m_host.SetTools(CPageHost::Tools::Photos);
        m_host.Items().RemoveAll();
        if (m_edited) {
            m_link.LookAtFollowed(m_hwnd, *m_edited);
            m_host.ShowFolderLink(m_link.Text(*m_edited), m_link.HasState());
            ListPhotos(m_host.Items(), m_host.RowThumbnails(), *m_edited);
        }
        UpdatePhotosText();
        break;
    }
    case IDC_PAGE_ALBUMS:
        m_host.ShowItems(true);
        m_host.SetTools(CPageHost::Tools::Albums);
        ListAlbums();
        break;
    case IDC_PAGE_COMMON:
        m_host.ShowItems(true);
        m_host.SetTools(CPageHost::Tools::None);
        m_host.Items().RemoveAll();
        AddCommonItems();
        break;
    case 0:  // "Secret settings!" has no page
        m_host.SetTools(CPageHost::Tools::None);
        break;
    default:
        m_host.SetTools(CPageHost::Tools::None);
        m_host.Items().RemoveAll();
        m_host.Items().Redraw(true);
        break;
    }
}

void CSettingsDlg::ListAlbums() {
    m_host.Items().RemoveAll();
    for (CWppProfile* album : m_albums) AddAlbumItem(album);
    m_host.Items().Redraw(true);
}

CNavPaneItem* CSettingsDlg::AddAlbumItem(CWppProfile* album) {
    const int dpi = WindowDpi(m_host.Items().Hwnd());
    auto* item = new CNavPaneItem(album->GetAlbumName().c_str(), ScaleForDpi(kAlbumRowHeight, dpi));
    item->m_pData = album;
    auto* current = new CNavPaneItemTool(CNavPaneItemTool::kRadio | CNavPaneItemTool::kToggle, IDC_MAKE_CURRENT);
    current->m_bmpChecked = MakeItemPicture(IDB_ART_137, ScaleForDpi(kRadioPicture, dpi));
    current->Set(CNavPaneItemTool::kChecked, IsCurrent(*album));
    item->AddTool(current, INavPaneItem::kSideLeft);
    auto* edit = new CNavPaneItemTool(CNavPaneItemTool::kPush, IDC_EDIT_ALBUM);
    edit->m_bmp = MakeItemPicture(IDB_ART_123, ScaleForDpi(kEditPicture, dpi));
    item->AddTool(edit, INavPaneItem::kSideLeft);
    AddPictureTool(*item, IDB_ART_128, ScaleForDpi(kAlbumPicture, dpi));
    m_host.Items().Append(item);
    return item;
}

void CSettingsDlg::AddCommonItems() {
    const int checkSize = ScaleForDpi(kCheckPicture, WindowDpi(m_host.Items().Hwnd()));
    auto* item = new CNavPaneItem(L"Start with Windows");
    AddPictureTool(*item, IDB_ART_110, checkSize);
    auto* check = new CNavPaneItemTool(CNavPaneItemTool::kToggle);
    check->m_bmp = MakeItemPicture(IDB_ART_109, checkSize);
    check->m_bmpChecked = MakeItemPicture(IDB_ART_108, checkSize);
    check->Set(CNavPaneItemTool::kChecked, m_app.Autostart().GetValue());
    check->Bind(&m_app.Autostart(), CNavPaneItemTool::kBindBool);
    item->AddTool(check, INavPaneItem::kSideRight);
    m_host.Items().Append(item);
    m_host.Items().Redraw(true);
}

void CSettingsDlg::UpdatePhotosText() {
    if (!m_photosPage) return;
    m_photosPage->SetText(m_edited ? PhotosPageText(*m_edited).c_str() : L"");
    m_host.Pages().Redraw(false);
}

// ---- photos

void CSettingsDlg::AddFolder() {
    if (!m_edited || m_edited->FollowsFolder()) return;
    // The list (or the album's folder) changes; Cancel takes it back.
    if (m_link.AddFolder(m_hwnd, *m_edited)) m_modified = true;
    RefreshPhotos();
}

void CSettingsDlg::Unlink() {
    if (!m_edited) return;
    m_edited->Unlink();
    m_modified = true;
    RefreshPhotos();
}

void CSettingsDlg::RefreshPhotos() {
    if (m_host.Pages().Current() == m_photosPage) ShowPage(IDC_PAGE_PHOTOS);
    UpdatePhotosText();
}

// ---- albums

// Names that differ in letter case only are one stored album.
bool CSettingsDlg::IsCurrent(const CWppProfile& album) const {
    return CWppProfile::SameName(album.GetAlbumName(), m_app.GetAlbumName());
}

CWppProfile* CSettingsDlg::ListEntryOfCurrent() const {
    for (CWppProfile* album : m_albums)
        if (IsCurrent(*album)) return album;
    return nullptr;
}

bool CSettingsDlg::InList(const tstr& name) const {
    for (const CWppProfile* album : m_albums)
        if (CWppProfile::SameName(album->GetAlbumName(), name)) return true;
    return false;
}

int CSettingsDlg::OnNavToolActivated(int toolId, CNavPaneItem* item) {
    if (toolId == IDC_EDIT_ALBUM) EditAlbum(item);
    if (toolId == IDC_MAKE_CURRENT) MakeCurrent(item);
    return 0;
}

void CSettingsDlg::NewAlbum() {
    CAlbumNewDlg ask(m_albums);
    if (ask.Run(m_hwnd) != IDOK) return;
    CWppProfile* album = CWppProfile::NewAlbumObject(ask.Name());
    // A stored album of that name was renamed away: its photos stay behind.
    album->Photos().ClearItems();
    // Its alignment lists show a choice from the start.
    album->ResolvePlacementDefaults();
    m_albums.Add(album);
    CNavPaneItem* item = AddAlbumItem(album);
    m_host.Items().SetCurrent(item);
    m_host.Items().Select(item);
    m_host.Items().Redraw(true);
}

void CSettingsDlg::DeleteAlbums() {
    CNavPaneWnd& pane = m_host.Items();
    // At least one album always remains.
    if (m_albums.size() < 2 || pane.Selection().size() >= m_albums.size()) {
        ShowMessage(m_hwnd, IDS_LAST_ALBUM, kCaptionWarning, MB_OK | MB_ICONWARNING);
        return;
    }
    if (ShowMessage(m_hwnd, IDS_DELETE_ALBUM_QUESTION, kCaptionConfirmation, MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return;
    m_link.Cancel();
    while (CNavPaneItem* item = pane.FirstSelected()) {
        if (CWppProfile* album = AlbumOf(item)) {
            if (album == m_edited) m_edited = nullptr;
            m_deletedNames.push_back(album->GetAlbumName());
            // A rename not saved yet still has the album under its old key.
            if (!album->RenamedFrom().IsEmpty()) m_deletedNames.push_back(album->RenamedFrom());
            m_albums.Delete(album);
        }
        pane.Remove(item);
    }
    if (CNavPaneItem* current = pane.Current()) {
        pane.Select(current);
        CWppProfile* album = AlbumOf(current);
        // The application object is the live copy of the current album.
        m_edited = album && IsCurrent(*album) ? &m_app : album;
    }
    UpdatePhotosText();
    pane.Redraw(true);
}

void CSettingsDlg::EditAlbum(CNavPaneItem* item) {
    CWppProfile* album = AlbumOf(item);
    if (!album) return;
    const bool current = IsCurrent(*album);
    // The editor starts from what the show uses, unsaved changes included.
    if (current) album->Assign(m_app);
    CAlbumDlg editor(album, m_albums);
    if (editor.Run(m_hwnd) == IDOK && current) {
        // The current album follows a rename of itself.
        if (album->GetAlbumName() != m_app.GetAlbumName()) {
            m_app.PointAt(album->GetAlbumName());
            m_modified = true;
        }
        m_app.Assign(*album);
        m_host.RebindSettingPages(&m_app);
    }
    item->SetText(album->GetAlbumName().c_str());
    m_host.Items().Redraw(true);
}

void CSettingsDlg::MakeCurrent(CNavPaneItem* item) {
    CWppProfile* album = AlbumOf(item);
    if (!album || album == m_edited) return;
    // A folder still being listed was meant for the album edited so far.
    m_link.Cancel();
    if (!IsCurrent(*album)) {
        // Edits made to the current album so far stay with its list entry.
        if (CWppProfile* previous = ListEntryOfCurrent()) previous->Assign(m_app);
        // Name and "*prof*" together: a save from now on writes the new album.
        m_app.PointAt(album->GetAlbumName());
        m_app.Assign(*album);
        m_host.RebindSettingPages(&m_app);
        FollowCurrentAlbum(m_app, m_showWanted);
    }
    m_edited = &m_app;
    m_modified = true;
    UpdatePhotosText();
}

// ---- closing

void CSettingsDlg::Accept() {
    // "Add folder" just before OK: the folder's pictures are added first;
    // photos added just now are checked first.
    if (m_link.HoldAccept() || m_host.RowThumbnails().HoldAccept()) return;
    CWaitCursor wait;
    if (CWppProfile* entry = ListEntryOfCurrent()) {
        // The list's copy is older than the application object.
        entry->Assign(m_app);
    } else if (CWppProfile* first = m_albums.GetAt(0)) {
        // The current album was deleted: the first remaining one takes over.
        m_app.PointAt(first->GetAlbumName());
        m_app.Assign(*first);
        // Should the save fail, Cancel goes back to what is stored.
        m_modified = true;
    }
    if (!SaveAlbums()) return;
    m_host.PassToSettingPages(IDOK);
    m_app.ApplyAutostart();
    RestartWantedShow(m_app, m_showWanted);
    End(IDOK);
}

bool CSettingsDlg::SaveAlbums() {
    CRegStore& store = m_app.GetStore();
    store.ClearLastError();
    CAlbumBackup backup(store, m_app.AlbumSettings());
    for (const CWppProfile* album : m_albums) {
        backup.Keep(album->GetAlbumName());
        if (!album->RenamedFrom().IsEmpty()) backup.Keep(album->RenamedFrom());
    }
    for (const tstr& name : m_deletedNames) backup.Keep(name);
    const auto fail = [&](const tstr& album, StoreAction action, unsigned long error) {
        backup.Restore();
        // Albums saved before the failure are stored as they were again.
        for (CWppProfile* saved : m_albums) saved->ForgetStoredState();
        ReportSaveFailure(m_hwnd, album, action, error);
        return false;
    };
    for (CWppProfile* album : m_albums)
        if (!album->SaveKeepingOldKey()) return fail(album->GetAlbumName(), StoreAction::Save, album->SaveError());
    // Old keys go only once every album is written: another album of the
    // list may carry the old name by now.
    for (const tstr& name : m_deletedNames)
        if (!InList(name) && !m_app.DeleteStoredAlbum(name)) return fail(name, StoreAction::Delete, store.LastError());
    for (const CWppProfile* album : m_albums) {
        const tstr& from = album->RenamedFrom();
        if (!from.IsEmpty() && !InList(from) && !m_app.DeleteStoredAlbum(from))
            return fail(album->GetAlbumName(), StoreAction::Save, store.LastError());
    }
    // Every album's save wrote its own name; the current one is meant.
    if (!store.WriteString(CWpp::kProfilesSection, CWpp::kProfileValue, m_app.GetAlbumName()) || !backup.Commit())
        return fail(m_app.GetAlbumName(), StoreAction::Save, store.LastError());
    for (CWppProfile* album : m_albums) album->TakeRenamedFrom();
    m_deletedNames.clear();
    return true;
}

void CSettingsDlg::Reject() {
    CWaitCursor wait;
    m_host.PassToSettingPages(IDCANCEL);
    // The check tool changed the setting; the shortcut itself is untouched.
    m_app.ReadAutostart();
    if (m_modified) {
        m_app.ReinitAlbum();
        m_app.Load();
        RestartWantedShow(m_app, m_showWanted);
    }
    End(IDCANCEL);
}
