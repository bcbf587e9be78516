#pragma once
// An album's photo list as the store holds it. The paths last read or
// written (with the settings text of that moment) tell a save what changed,
// so an unchanged album costs the store nothing at exit. A long list is read
// on a worker: plain values in (the list's key below HKEY_CURRENT_USER),
// plain paths out, taken on the UI thread after the worker's message. Cancel
// returns at once; a worker still busy finishes on its own and posts nothing.

#include <windows.h>

#include <memory>
#include <vector>

#include "settings/Tstr.h"

// What the store held of one album when this object last read or wrote it.
struct StoredAlbum {
    tstr name;
    // Null while not known: a save then writes everything.
    tstr settings;
    // The list key holds exactly `paths`, nothing stray.
    bool photosKnown = false;
    std::vector<tstr> paths;
    // Which of `paths` are favourites; as long as `paths`.
    std::vector<bool> favourites;

    void Forget() { *this = StoredAlbum(); }
    // The photo paths are known for the album `name`.
    bool KnowsPhotosOf(const tstr& name) const;
};

class CPhotoListReader {
public:
    CPhotoListReader() = default;
    CPhotoListReader(const CPhotoListReader&) = delete;
    CPhotoListReader& operator=(const CPhotoListReader&) = delete;
    ~CPhotoListReader() { Cancel(); }

    // Reads "pic_path" and "Favourite" of listKey\<pattern formatted with 0,
    // 1, ...> until a key has no path, then posts `message` with wParam = the
    // job's serial.
    bool Start(const tstr& listKey, const tstr& pattern, HWND target, UINT message);
    void Cancel();
    bool Reading() const { return m_job != nullptr; }
    // The paths of this job, and which are favourites, once its message
    // came; false for any other serial. `tidy`: the list key holds no key but
    // the paths' own.
    bool Take(WPARAM serial, std::vector<tstr>& paths, std::vector<bool>& favourites, bool& tidy);

    struct Job;

private:
    std::shared_ptr<Job> m_job;
};
