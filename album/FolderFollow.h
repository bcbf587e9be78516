#pragma once
// Keeping an album in step with the folder it follows, on the UI thread:
// the worker (CFolderWatch) lists the folder, this side turns each listing
// into the album's photo list without disturbing the photo on screen.

#include <windows.h>

#include <functional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "album/FolderWatch.h"

class CSlide;
class CWppProfile;

// Makes the album's photo list exactly `paths`, less those the album hides:
// entries of paths still there
// are kept (with their pictures) and reordered, new paths get entries from
// `make` (null: left out), the others go. The current index follows the
// photo it named; when that photo left, the next step shows the photo that
// came after it. True when the list changed.
bool ApplyFolderPaths(CWppProfile& album, const std::vector<tstr>& paths,
                      const std::function<CSlide*(const tstr&)>& make);

class CFolderFollower {
public:
    // Follows the album's folder (stops when it follows none): listings are
    // announced to `target` with `message`. A restart for the same folder
    // lists it again at once.
    void Follow(const CWppProfile& album, HWND target, UINT message);
    void Stop();
    bool IsFollowing() const { return m_watch.IsActive(); }
    const CFolderWatch& Watch() const { return m_watch; }

    // The worker's message: brings the album in step with the newest
    // listing. An unreachable folder leaves the list as it is. True when the
    // photo list changed.
    bool OnListing(CWppProfile& album, WPARAM serial);

private:
    CFolderWatch m_watch;
    // Size and time of each picture in the last listing.
    std::unordered_map<std::wstring, std::pair<unsigned long long, unsigned long long>> m_listed;
};
