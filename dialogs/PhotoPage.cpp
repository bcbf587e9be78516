#include "dialogs/PhotoPage.h"

#include <algorithm>

#include "album/WppProfile.h"
#include "dialogs/OpenPictures.h"
#include "dialogs/PhotoRowPicture.h"
#include "dialogs/WaitCursor.h"
#include "res/dialogs.h"
#include "res/strings.h"
#include "ui/Dpi.h"
#include "ui/NavPaneWnd.h"
#include "ui/ResString.h"

namespace {

const int kPhotoRowHeight = 64;

CSlide* PhotoOf(const CNavPaneItem* item) { return item ? dynamic_cast<CSlide*>(item->m_pData) : nullptr; }

// A photo's row: its path, and why it cannot show when it cannot.
class CPhotoRow : public CNavPaneItem {
public:
    CPhotoRow(const tstr& path, int height, CPaneThumbnails& thumbnails)
        : CNavPaneItem(path.c_str(), height), m_thumbnails(thumbnails) {}

    std::wstring ShownText() const override {
        const UINT problem = PhotoProblemText(m_thumbnails.Problem(tstr(Text().c_str())));
        if (!problem) return Text();
        return Text() + L"  \x2014  " + LoadResString(nullptr, problem).Str();
    }

private:
    CPaneThumbnails& m_thumbnails;
};

}  // namespace

UINT PhotoProblemText(ThumbProblem problem) {
    switch (problem) {
    case ThumbProblem::Missing: return IDS_PHOTO_NOT_FOUND;
    case ThumbProblem::NotPicture: return IDS_PHOTO_NOT_PICTURE;
    case ThumbProblem::TooLarge: return IDS_PHOTO_TOO_LARGE;
    case ThumbProblem::Unreachable: return IDS_PHOTO_OFFLINE;
    case ThumbProblem::None: break;
    }
    return 0;
}

tstr PhotosPageText(const CWppProfile& album) {
    return LoadResString(nullptr, IDS_PAGE_PHOTOS) + L" (" +
           tstr::FromInt(static_cast<long>(album.Photos().size())) + L")";
}

bool AddPhotoItem(CNavPaneWnd& pane, CPaneThumbnails& thumbnails, CSlide* photo, bool makeCurrent, bool select) {
    if (!photo) return false;
    auto* item = new CPhotoRow(photo->GetPath(), ScaleForDpi(kPhotoRowHeight, WindowDpi(pane.Hwnd())), thumbnails);
    // Path ellipsis instead of end ellipsis: the file name stays readable.
    item->m_nTextFormat = (item->m_nTextFormat & ~unsigned(DT_END_ELLIPSIS)) | DT_PATH_ELLIPSIS;
    item->m_pData = photo;
    item->AddTool(new CPhotoRowPicture(photo->GetPath(), thumbnails), INavPaneItem::kSideLeft);
    pane.Append(item);
    if (makeCurrent) pane.SetCurrent(item);
    if (select) pane.Select(item);
    return true;
}

void ListPhotos(CNavPaneWnd& pane, CPaneThumbnails& thumbnails, CWppProfile& album) {
    // Files deleted or replaced since their thumbnails were made show so.
    thumbnails.Recheck();
    {
        CNavPaneBatch batch(pane);
        pane.RemoveAll();
        for (CSlide* photo : album.Photos()) AddPhotoItem(pane, thumbnails, photo, false, false);
    }
    pane.Redraw(true);
}

int AddPhotoFiles(CNavPaneWnd& pane, CPaneThumbnails& thumbnails, CWppProfile& album,
                  const std::vector<tstr>& paths) {
    int added = 0;
    {
        CNavPaneBatch batch(pane);
        for (const tstr& path : paths) {
            // The entry keeps its "pic_path" value name; its key comes from
            // its position when the album is saved.
            auto* photo = new CSlide(path);
            if (AddPhotoItem(pane, thumbnails, photo, true, true)) {
                album.Photos().Add(photo);
                thumbnails.Check(path);
                ++added;
            } else {
                delete photo;
            }
        }
    }
    pane.Redraw(true);
    return added;
}

bool DropUnusablePhotoRows(CNavPaneWnd& pane, CPaneThumbnails& thumbnails, CWppProfile& album) {
    const std::vector<tstr> unusable = thumbnails.TakeUnusableChecked();
    if (unusable.empty()) return false;
    std::vector<CNavPaneItem*> rows;
    pane.ForEachItem([&](CNavPaneItem* item) {
        const CSlide* photo = PhotoOf(item);
        if (photo && std::find(unusable.begin(), unusable.end(), photo->GetPath()) != unusable.end())
            rows.push_back(item);
    });
    if (rows.empty()) return false;
    {
        CNavPaneBatch batch(pane);
        for (CNavPaneItem* row : rows) {
            album.Photos().Delete(PhotoOf(row));
            pane.Remove(row);
        }
        pane.Layout(pane.Current());
    }
    pane.Redraw(true);
    return true;
}

int AddChosenPhotos(CNavPaneWnd& pane, CPaneThumbnails& thumbnails, CWppProfile& album, HWND owner) {
    const std::vector<tstr> paths = ChoosePictureFiles(owner);
    if (paths.empty()) return 0;
    CWaitCursor wait;
    return AddPhotoFiles(pane, thumbnails, album, paths);
}

bool DeleteSelectedPhotos(CNavPaneWnd& pane, CWppProfile& album, HWND owner) {
    if (ShowMessage(owner, IDS_DELETE_PHOTOS_QUESTION, kCaptionConfirmation, MB_OKCANCEL | MB_ICONQUESTION) !=
        IDOK)
        return false;
    {
        CNavPaneBatch batch(pane);
        while (CNavPaneItem* item = pane.FirstSelected()) {
            album.Photos().Delete(PhotoOf(item));
            pane.Remove(item);
        }
        if (CNavPaneItem* current = pane.Current()) pane.Select(current);
        pane.Layout(pane.Current());
    }
    pane.Redraw(true);
    return true;
}

void MoveSelectedPhotos(CNavPaneWnd& pane, CWppProfile& album, bool up) {
    std::vector<CSlide*>& photos = album.Photos().Items();
    // A copy: swapping rows does not change the selection, but be safe from it.
    const std::vector<CNavPaneItem*> selection = pane.Selection();
    for (CNavPaneItem* item : selection) {
        CNavPaneItem* neighbour = up ? pane.PrevSibling(item) : pane.NextSibling(item);
        if (!neighbour || neighbour->m_bSelected) continue;
        auto mine = std::find(photos.begin(), photos.end(), PhotoOf(item));
        auto theirs = std::find(photos.begin(), photos.end(), PhotoOf(neighbour));
        if (mine == photos.end() || theirs == photos.end()) continue;
        std::iter_swap(mine, theirs);
        pane.Swap(item, neighbour);
    }
    pane.Layout(pane.Current());
    pane.Redraw(true);
}

bool UnhideChosenPhoto(CNavPaneWnd& pane, CPaneThumbnails& thumbnails, CWppProfile& album, HWND owner) {
    const std::vector<tstr> hidden = album.Hidden().Paths();
    HMENU menu = CreatePopupMenu();
    if (!menu) return false;
    if (hidden.empty())
        AppendMenuW(menu, MF_STRING | MF_GRAYED, 0, LoadResString(nullptr, IDS_NO_HIDDEN_PHOTOS).c_str());
    for (size_t i = 0; i < hidden.size(); ++i) AppendMenuW(menu, MF_STRING, i + 1, hidden[i].c_str());
    POINT cursor{};
    GetCursorPos(&cursor);
    const BOOL chosen = TrackPopupMenuEx(menu, TPM_RETURNCMD | TPM_NONOTIFY, cursor.x, cursor.y, owner, nullptr);
    DestroyMenu(menu);
    if (chosen <= 0 || static_cast<size_t>(chosen) > hidden.size()) return false;
    album.UnhidePhoto(hidden[static_cast<size_t>(chosen) - 1]);
    ListPhotos(pane, thumbnails, album);
    return true;
}

bool RunPhotoCommand(int id, CNavPaneWnd& pane, CPaneThumbnails& thumbnails, CWppProfile& album, HWND owner) {
    if (id == IDC_SHOW_HIDDEN_PHOTOS) return UnhideChosenPhoto(pane, thumbnails, album, owner);
    if (album.FollowsFolder()) return false;
    switch (id) {
    case IDC_ADD_PHOTOS:
        return AddChosenPhotos(pane, thumbnails, album, owner) > 0;
    case IDC_DELETE_PHOTOS:
        return DeleteSelectedPhotos(pane, album, owner);
    case IDC_MOVE_UP:
    case IDC_MOVE_DOWN:
        MoveSelectedPhotos(pane, album, id == IDC_MOVE_UP);
        return true;
    }
    return false;
}
