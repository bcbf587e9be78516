#include "album/FolderWatch.h"

#include <algorithm>
#include <atomic>
#include <map>
#include <set>
#include <string>

#include "album/WorkerPost.h"
#include "picture/LongPath.h"
#include "picture/ThumbJob.h"

namespace {

// A listing that changes nothing is not posted; a quiet folder is looked at
// again now and then all the same (some shares report no changes).
const DWORD kQuietRelistMs = 60000;
const DWORD kBurstPauseMs = 300;
const DWORD kBurstLimitMs = 3000;
// Files written this recently may still be growing; on the first listing
// they are only checked for a writer.
const unsigned long long kRecentTicks = 60ull * 10000000ull;

std::atomic<unsigned> g_serial{0};
std::atomic<long> g_running{0};

unsigned long long Now()
{
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return (static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
}

// A writer that still has the file open keeps others from denying writes.
bool NoOneWrites(const tstr& path)
{
    HANDLE file = CreateFileW(LongPathForm(path.Str()).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

struct Seen {
    unsigned long long size, written;
};

bool Decodes(const tstr& path)
{
    ThumbJob job;
    job.path = path.Str();
    CBmp thumbnail;
    return MakeJobThumbnail(job, thumbnail) == ThumbOutcome::Made;
}

struct Undecoded {
    unsigned long long size, written;
    int tries;
};

}  // namespace

struct CFolderWatch::Job {
    Job() : wake(CreateEventW(nullptr, FALSE, FALSE, nullptr)) { InitializeCriticalSection(&lock); }
    ~Job()
    {
        if (wake) CloseHandle(wake);
        DeleteCriticalSection(&lock);
    }

    tstr folder;
    bool subfolders = false;
    bool watch = false;
    HWND target = nullptr;
    UINT message = 0;
    WPARAM serial = 0;
    std::atomic<bool> cancel{false};
    HANDLE wake;
    std::atomic<unsigned> looksBegun{0};
    std::atomic<unsigned> looksDone{0};

    CRITICAL_SECTION lock;
    bool ready = false;
    FolderListing listing;   // under the lock

    void Run();

private:
    FolderListing Look(bool first);
    // A newcomer joins once it decodes; `retry` while it may still be copied.
    bool Joins(const PictureFile& file, bool& retry);
    // False when the post was refused: handed again at the next look.
    bool Hand(FolderListing&& fresh);
    HANDLE OpenChanges() const;
    HANDLE OpenParentChanges() const;
    // Waits for a change, a wake-up or the timeout; false when cancelled.
    bool Wait(HANDLE& changes, DWORD timeout);
    // Changes come in bursts (a copy of many files): waits until they pause.
    void LetBurstPass(HANDLE& changes);

    // The worker's own memory of what it has taken and seen.
    std::map<std::wstring, Seen> m_seen;
    std::set<std::wstring> m_taken;
    std::map<std::wstring, Undecoded> m_undecoded;
    std::vector<PictureFile> m_posted;
    PictureTree::Result m_postedResult = PictureTree::Cancelled;
};

namespace {

DWORD WINAPI WorkerMain(LPVOID parameter)
{
    std::unique_ptr<std::shared_ptr<CFolderWatch::Job>> held(static_cast<std::shared_ptr<CFolderWatch::Job>*>(parameter));
    (*held)->Run();
    held.reset();
    --g_running;
    return 0;
}

}  // namespace

FolderListing CFolderWatch::Job::Look(bool first)
{
    FolderListing out;
    PictureTree tree = ListPictureTree(folder, subfolders, &cancel);
    out.result = tree.result;
    if (tree.result != PictureTree::Listed) return out;
    const unsigned long long now = Now();
    std::map<std::wstring, Seen> seen;
    std::vector<PictureFile*> settledFiles;
    size_t newcomers = 0;
    for (PictureFile& file : tree.files) {
        const std::wstring& key = file.path.Str();
        const Seen look = {file.size, file.written};
        seen[key] = look;
        // A one-off listing takes what is there.
        bool settled = !watch || m_taken.count(key) != 0;
        if (!settled && first && file.written + kRecentTicks < now) settled = true;
        if (!settled) {
            // A file written just now is watched until it keeps still; one
            // renamed or moved in is complete at once.
            auto before = m_seen.find(key);
            const bool still = first || file.written + kRecentTicks < now ||
                               (before != m_seen.end() && before->second.size == look.size &&
                                before->second.written == look.written);
            settled = file.size > 0 && still && NoOneWrites(file.path);
        }
        if (!settled) {
            out.unsettled = true;
            continue;
        }
        if (!first && watch && !m_taken.count(key)) ++newcomers;
        settledFiles.push_back(&file);
    }
    // A few pictures dropped into a followed folder are decoded before they
    // join; a big batch (a copied card) joins as pictures added by hand do.
    const bool check = newcomers > 0 && newcomers <= kDecodeBatch;
    std::set<std::wstring> taken;
    for (PictureFile* file : settledFiles) {
        const std::wstring& key = file->path.Str();
        bool retry = false;
        if (check && !m_taken.count(key) && !cancel && !Joins(*file, retry)) {
            out.unsettled = out.unsettled || retry;
            continue;
        }
        taken.insert(key);
        out.files.push_back(std::move(*file));
    }
    for (auto at = m_undecoded.begin(); at != m_undecoded.end();)
        at = seen.count(at->first) ? std::next(at) : m_undecoded.erase(at);
    m_seen.swap(seen);
    m_taken.swap(taken);
    return out;
}

bool CFolderWatch::Job::Joins(const PictureFile& file, bool& retry)
{
    Undecoded& failed = m_undecoded[file.path.Str()];
    if (failed.size != file.size || failed.written != file.written) failed = {file.size, file.written, 0};
    if (failed.tries < kDecodeTries && Decodes(file.path)) {
        m_undecoded.erase(file.path.Str());
        return true;
    }
    retry = failed.tries < kDecodeTries && ++failed.tries < kDecodeTries;
    return false;
}

bool CFolderWatch::Job::Hand(FolderListing&& fresh)
{
    if (fresh.result == m_postedResult && fresh.files == m_posted) return true;
    m_posted = fresh.files;
    m_postedResult = fresh.result;
    EnterCriticalSection(&lock);
    listing = std::move(fresh);
    ready = true;
    LeaveCriticalSection(&lock);
    if (cancel || PostFromWorker(target, message, serial, 0))
        return true;
    m_posted.clear();
    m_postedResult = PictureTree::Cancelled;
    return false;
}

HANDLE CFolderWatch::Job::OpenChanges() const
{
    const DWORD filter = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME | FILE_NOTIFY_CHANGE_SIZE |
                         FILE_NOTIFY_CHANGE_LAST_WRITE;
    return FindFirstChangeNotificationW(LongPathForm(folder.Str()).c_str(), subfolders, filter);
}

// The folder's own notifications do not tell, on every system, when the
// folder itself goes; its parent's do, so nothing needs to look meanwhile.
HANDLE CFolderWatch::Job::OpenParentChanges() const
{
    std::wstring parent = folder.Str();
    while (!parent.empty() && (parent.back() == L'\\' || parent.back() == L'/')) parent.pop_back();
    const size_t cut = parent.find_last_of(L"\\/");
    if (cut == std::wstring::npos || cut < 2) return INVALID_HANDLE_VALUE;
    parent.resize(cut + 1);
    return FindFirstChangeNotificationW(LongPathForm(parent).c_str(), FALSE, FILE_NOTIFY_CHANGE_DIR_NAME);
}

bool CFolderWatch::Job::Wait(HANDLE& changes, DWORD timeout)
{
    HANDLE parent = changes != INVALID_HANDLE_VALUE ? OpenParentChanges() : INVALID_HANDLE_VALUE;
    bool goOn = true;
    for (const DWORD start = GetTickCount();;) {
        const DWORD waited = GetTickCount() - start;
        if (waited >= timeout) break;
        HANDLE handles[3] = {wake, changes, parent};
        const DWORD count = changes == INVALID_HANDLE_VALUE ? 1 : parent == INVALID_HANDLE_VALUE ? 2 : 3;
        // Without the parent's notifications the folder is looked at now and then.
        const DWORD slice = count == 2 ? std::min(kPollMs, timeout - waited) : timeout - waited;
        const DWORD woke = WaitForMultipleObjects(count, handles, FALSE, slice);
        // The wake-up event is set only to stop.
        if (cancel || woke == WAIT_OBJECT_0) {
            goOn = false;
            break;
        }
        if (woke == WAIT_FAILED) {
            // Listed again, then watched afresh.
            if (changes != INVALID_HANDLE_VALUE) FindCloseChangeNotification(changes);
            changes = INVALID_HANDLE_VALUE;
            break;
        }
        if (woke == WAIT_OBJECT_0 + 1) {
            LetBurstPass(changes);
            goOn = !cancel;
            break;
        }
        if (count > 1 && !IsFolder(folder)) break;
        if (woke == WAIT_OBJECT_0 + 2 && !FindNextChangeNotification(parent)) {
            FindCloseChangeNotification(parent);
            parent = INVALID_HANDLE_VALUE;
        }
    }
    if (parent != INVALID_HANDLE_VALUE) FindCloseChangeNotification(parent);
    return goOn;
}

void CFolderWatch::Job::LetBurstPass(HANDLE& changes)
{
    const DWORD start = GetTickCount();
    do {
        if (!FindNextChangeNotification(changes)) {
            FindCloseChangeNotification(changes);
            changes = INVALID_HANDLE_VALUE;
            return;
        }
    } while (WaitForSingleObject(changes, kBurstPauseMs) == WAIT_OBJECT_0 && !cancel &&
             GetTickCount() - start < kBurstLimitMs);
}

void CFolderWatch::Job::Run()
{
    HANDLE changes = INVALID_HANDLE_VALUE;
    for (bool first = true; !cancel; first = false) {
        const DWORD started = GetTickCount();
        ++looksBegun;
        FolderListing fresh = Look(first);
        // Polling a big tree on a slow share must not keep it busy all the time.
        const DWORD poll = std::max(kPollMs, 10 * (GetTickCount() - started));
        if (fresh.result == PictureTree::Cancelled || cancel) break;
        const bool unsettled = fresh.unsettled;
        const bool folderThere = fresh.result == PictureTree::Listed;
        // A refused post is tried again after a pause while the window is there.
        const bool handed = Hand(std::move(fresh));
        if (cancel || (handed && !watch) || !IsWindow(target)) break;
        // A removed folder must not be held open; a re-created one is watched anew.
        if (!folderThere && changes != INVALID_HANDLE_VALUE) {
            FindCloseChangeNotification(changes);
            changes = INVALID_HANDLE_VALUE;
        }
        if (watch && folderThere && changes == INVALID_HANDLE_VALUE) changes = OpenChanges();
        ++looksDone;
        const DWORD timeout = unsettled || !handed ? kSettleLookMs
                              : changes == INVALID_HANDLE_VALUE ? poll
                                                                : std::max(kQuietRelistMs, poll);
        if (!Wait(changes, timeout)) break;
    }
    if (changes != INVALID_HANDLE_VALUE) FindCloseChangeNotification(changes);
}

std::vector<tstr> FolderListing::Paths() const
{
    std::vector<tstr> paths;
    paths.reserve(files.size());
    for (const PictureFile& file : files) paths.push_back(file.path);
    return paths;
}

bool CFolderWatch::Start(const tstr& folder, bool subfolders, bool watch, HWND target, UINT message)
{
    Stop();
    auto job = std::make_shared<Job>();
    if (!job->wake) return false;
    job->folder = folder;
    job->subfolders = subfolders;
    job->watch = watch;
    job->target = target;
    job->message = message;
    job->serial = ++g_serial;
    auto* handed = new std::shared_ptr<Job>(job);
    ++g_running;
    HANDLE thread = CreateThread(nullptr, 0, WorkerMain, handed, 0, nullptr);
    if (!thread) {
        --g_running;
        delete handed;
        return false;
    }
    // Never waited for: the job lives as long as either side holds it.
    CloseHandle(thread);
    m_job = job;
    m_folder = folder;
    m_subfolders = subfolders;
    return true;
}

void CFolderWatch::Stop()
{
    if (!m_job) return;
    m_job->cancel = true;
    SetEvent(m_job->wake);
    m_job.reset();
}

bool CFolderWatch::TakeListing(WPARAM serial, FolderListing& listing)
{
    if (!m_job || serial != m_job->serial) return false;
    EnterCriticalSection(&m_job->lock);
    const bool ready = m_job->ready;
    if (ready) listing = std::move(m_job->listing);
    m_job->ready = false;
    LeaveCriticalSection(&m_job->lock);
    return ready;
}

WPARAM CFolderWatch::Serial() const { return m_job ? m_job->serial : 0; }

unsigned CFolderWatch::LooksBegun() const { return m_job ? m_job->looksBegun.load() : 0; }

unsigned CFolderWatch::LooksDone() const { return m_job ? m_job->looksDone.load() : 0; }

long CFolderWatch::RunningWorkers() { return g_running; }
