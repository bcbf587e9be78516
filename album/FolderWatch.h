#pragma once
// A worker that lists a folder's pictures off the UI thread and, when asked
// to watch, lists them again whenever the folder changes. It works on plain
// values only: the owner reads each new listing on its own thread after the
// worker's message arrives. Stop returns at once; a worker that is still
// busy finishes on its own and posts nothing more.

#include <windows.h>

#include <memory>
#include <vector>

#include "album/FolderScan.h"
#include "settings/Tstr.h"

struct FolderListing {
    PictureTree::Result result = PictureTree::Cancelled;
    // Pictures that are complete, in album order. Files still being written
    // are left out until they have settled; `unsettled` says there are some.
    std::vector<PictureFile> files;
    bool unsettled = false;

    std::vector<tstr> Paths() const;
};

class CFolderWatch {
public:
    CFolderWatch() = default;
    CFolderWatch(const CFolderWatch&) = delete;
    CFolderWatch& operator=(const CFolderWatch&) = delete;
    ~CFolderWatch() { Stop(); }

    // Stops any earlier job, then lists `folder` (and its sub-folders) and
    // posts `message` to `target` with wParam = Serial() when the listing is
    // ready. With `watch` it lists again after every change of the folder
    // (every few seconds when changes cannot be watched) until Stop.
    bool Start(const tstr& folder, bool subfolders, bool watch, HWND target, UINT message);
    void Stop();
    bool IsActive() const { return m_job != nullptr; }
    // The newest listing not taken yet, when `serial` names this job.
    bool TakeListing(WPARAM serial, FolderListing& listing);

    WPARAM Serial() const;
    // Looks at the folder this watching job began and finished. A finished
    // look has posted its listing and watches the folder for what comes
    // next; a look begun after a change has judged it once LooksDone()
    // passes what LooksBegun() was.
    unsigned LooksBegun() const;
    unsigned LooksDone() const;
    // Workers of any watch that have not ended yet.
    static long RunningWorkers();
    const tstr& Folder() const { return m_folder; }
    bool Subfolders() const { return m_subfolders; }

    // Settling: a new file is taken once it has kept its size and time over
    // two looks and no one has it open for writing.
    static constexpr DWORD kSettleLookMs = 1000;
    // Without change notifications the folder is listed this often (a tree
    // that takes long to list less often).
    static constexpr DWORD kPollMs = 5000;
    // Pictures that join a watched folder later are decoded first and looked
    // at again while they do not decode (a copy still under way), up to this
    // many times without a change of size or time; then they are left out as
    // undecodable until the file changes. A bigger batch of newcomers joins
    // without decoding.
    static constexpr int kDecodeTries = 5;
    static constexpr size_t kDecodeBatch = 16;

    struct Job;

private:
    std::shared_ptr<Job> m_job;
    tstr m_folder;
    bool m_subfolders = false;
};
