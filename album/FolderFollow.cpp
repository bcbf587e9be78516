#include "album/FolderFollow.h"

#include <algorithm>
#include <set>
#include <unordered_map>
#include <unordered_set>

#include "album/PhotoLocation.h"
#include "album/WppProfile.h"

bool ApplyFolderPaths(CWppProfile& album, const std::vector<tstr>& paths,
                      const std::function<CSlide*(const tstr&)>& make)
{
    std::vector<CSlide*>& photos = album.Photos().Items();
    CSlide* const current = album.Photos().GetAt(static_cast<size_t>(album.CurrentIndex()));
    std::unordered_multimap<std::wstring, CSlide*> old;
    for (CSlide* photo : photos) old.emplace(photo->GetPath().Str(), photo);

    std::vector<CSlide*> list;
    std::set<CSlide*> kept;
    for (const tstr& path : paths) {
        if (album.Hidden().Contains(path)) continue;
        auto found = old.find(path.Str());
        if (found != old.end()) {
            list.push_back(found->second);
            kept.insert(found->second);
            old.erase(found);
        } else if (CSlide* made = make(path)) {
            list.push_back(made);
        }
    }
    if (list == photos) return false;

    // Where the current photo stands in the new list, or the photo after it.
    int index = -1;
    if (current) {
        const auto at = std::find(photos.begin(), photos.end(), current);
        for (auto next = at; next != photos.end() && index < 0; ++next) {
            if (!kept.count(*next)) continue;
            const int position = static_cast<int>(std::find(list.begin(), list.end(), *next) - list.begin());
            index = *next == current ? position : position - 1;
        }
    }
    if (index < 0) index = list.empty() ? 0 : static_cast<int>(list.size()) - 1;

    for (CSlide* photo : photos)
        if (!kept.count(photo)) delete photo;
    photos = std::move(list);
    album.Index().SetValue(index);
    return true;
}

void CFolderFollower::Follow(const CWppProfile& album, HWND target, UINT message)
{
    // A stored value that is no full path (hand-edited, wrong type) is not
    // followed: listing it would empty the album.
    if (!album.FollowsFolder() || PathRoot(album.Folder().GetValue()).IsEmpty()) {
        Stop();
        return;
    }
    m_listed.clear();
    m_watch.Start(album.Folder().GetValue(), album.Subfolders().GetValue() != 0, true, target, message);
}

void CFolderFollower::Stop()
{
    m_watch.Stop();
    m_listed.clear();
}

bool CFolderFollower::OnListing(CWppProfile& album, WPARAM serial)
{
    FolderListing listing;
    if (!m_watch.TakeListing(serial, listing)) return false;
    // An unreachable folder keeps its last list; a gone one has no pictures.
    if (listing.result == PictureTree::Unreachable || listing.result == PictureTree::Cancelled) return false;

    // A picture written again, or one that joins again after it was dropped
    // as unusable, is judged anew: it may have been fixed.
    std::unordered_set<std::wstring> inAlbum;
    for (const CSlide* photo : album.Photos()) inAlbum.insert(photo->GetPath().Str());
    decltype(m_listed) listed;
    for (const PictureFile& file : listing.files) {
        const auto stamp = std::make_pair(file.size, file.written);
        const auto before = m_listed.find(file.path.Str());
        if (!inAlbum.count(file.path.Str()) || (before != m_listed.end() && before->second != stamp))
            album.Thumbnails().FileChanged(file.path);
        listed.emplace(file.path.Str(), stamp);
    }
    m_listed.swap(listed);
    return ApplyFolderPaths(album, listing.Paths(), [](const tstr& path) { return new CSlide(path); });
}
