#include "album/FolderFollow.h"

#include <algorithm>
#include <set>
#include <unordered_map>

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
    m_watch.Start(album.Folder().GetValue(), album.Subfolders().GetValue() != 0, true, target, message);
}

void CFolderFollower::Stop()
{
    m_watch.Stop();
}

bool CFolderFollower::OnListing(CWppProfile& album, WPARAM serial)
{
    FolderListing listing;
    if (!m_watch.TakeListing(serial, listing)) return false;
    // An unreachable folder keeps its last list; a gone one has no pictures.
    if (listing.result == PictureTree::Unreachable || listing.result == PictureTree::Cancelled) return false;

    const bool changed =
        ApplyFolderPaths(album, listing.Paths(), [](const tstr& path) { return new CSlide(path); });
    return changed;
}
