#include "dialogs/FolderLink.h"

#include "album/FolderFollow.h"
#include "album/WppProfile.h"
#include "dialogs/AddFolderDlg.h"
#include "dialogs/WaitCursor.h"
#include "res/strings.h"
#include "ui/ResString.h"

bool CFolderLink::AddFolder(HWND dialog, CWppProfile& album) {
    CAddFolderDlg ask;
    if (ask.Run(dialog) != IDOK) return false;
    m_follow = ask.Follow();
    if (m_follow) {
        album.Folder().SetValue(ask.Folder());
        album.Subfolders().SetValue(ask.Subfolders() ? 1 : 0);
    }
    m_listing = m_scan.Start(ask.Folder(), ask.Subfolders(), false, dialog, kMessage);
    return true;
}

namespace {

UINT StateText(const FolderListing& listing, UINT before) {
    switch (listing.result) {
    case PictureTree::Unreachable: return IDS_FOLDER_OFFLINE;
    case PictureTree::FolderGone: return IDS_FOLDER_NOT_FOUND;
    case PictureTree::Listed: return listing.files.empty() ? IDS_FOLDER_EMPTY : 0;
    default: return before;
    }
}

}  // namespace

void CFolderLink::LookAtFollowed(HWND dialog, const CWppProfile& album) {
    m_state = 0;
    m_look.Stop();
    if (album.FollowsFolder())
        m_look.Start(album.Folder().GetValue(), album.Subfolders().GetValue() != 0, false, dialog, kMessage);
}

bool CFolderLink::OnListing(CWppProfile& album, WPARAM serial) {
    FolderListing listing;
    if (m_look.TakeListing(serial, listing)) {
        m_state = StateText(listing, m_state);
        return false;
    }
    if (!m_scan.TakeListing(serial, listing)) return false;
    if (m_follow) m_state = StateText(listing, m_state);
    m_listing = false;
    if (listing.result != PictureTree::Listed && listing.result != PictureTree::FolderGone) return false;
    CWaitCursor wait;
    if (m_follow)
        return ApplyFolderPaths(album, listing.Paths(), [](const tstr& path) { return new CSlide(path); });
    for (const PictureFile& file : listing.files) album.AddPhoto(file.path);
    return !listing.files.empty();
}

tstr CFolderLink::Text(const CWppProfile& album) const {
    if (!album.FollowsFolder()) return tstr(L"");
    tstr text = m_state ? LoadResString(nullptr, m_state) + L"  \x2014  " : tstr(L"");
    text += LoadResString(nullptr, IDS_FOLLOWS_FOLDER) + album.Folder().GetValue();
    if (album.Subfolders().GetValue()) text += LoadResString(nullptr, IDS_FOLLOWS_SUBFOLDERS);
    return text;
}
