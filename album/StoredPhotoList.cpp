#include "album/StoredPhotoList.h"

#include <atomic>
#include <cwchar>

#include "album/Slide.h"
#include "settings/RegStore.h"

namespace {
std::atomic<unsigned> g_serial{0};

tstr ItemName(const tstr& pattern, int index)
{
    wchar_t name[64];
    const int length = std::swprintf(name, sizeof name / sizeof name[0], pattern.c_str(), index);
    return tstr(name, length > 0 ? static_cast<size_t>(length) : 0);
}

// A store of its own: no replacement of the UI thread's is read here.
bool ReadList(const tstr& listKey, const tstr& pattern, const std::atomic<bool>* cancel, std::vector<tstr>& paths,
              std::vector<bool>& favourites, bool& tidy)
{
    // The list key is a section below its parent, so that it can be counted.
    const size_t cut = listKey.Str().find_last_of(L'\\');
    if (cut == std::wstring::npos) return false;
    CRegStore store;
    store.SetBasePath(tstr(listKey.Str().substr(0, cut)));
    const tstr list(listKey.Str().substr(cut + 1));
    for (int i = 0;; ++i) {
        if (cancel && *cancel) return false;
        tstr path, favourite;
        if (!store.ReadStrings(list + L"\\" + ItemName(pattern, i), CSlide::kPathValue, path,
                               CSlide::kFavouriteValue, favourite))
            break;
        paths.push_back(path);
        favourites.push_back(CSlide::FavouriteText(favourite));
    }
    tidy = store.SubKeyCount(list) == paths.size();
    return true;
}
}  // namespace

bool StoredAlbum::KnowsPhotosOf(const tstr& album) const
{
    return photosKnown && CompareStringOrdinal(name.c_str(), static_cast<int>(name.Length()), album.c_str(),
                                               static_cast<int>(album.Length()), TRUE) == CSTR_EQUAL;
}

struct CPhotoListReader::Job {
    tstr listKey, pattern;
    HWND target = nullptr;
    UINT message = 0;
    WPARAM serial = 0;
    std::atomic<bool> cancel{false};
    // Set once `paths` is complete; the worker touches it no more.
    std::atomic<bool> done{false};
    std::vector<tstr> paths;
    std::vector<bool> favourites;
    bool tidy = false;
};

namespace {
DWORD WINAPI ReaderMain(LPVOID parameter)
{
    std::unique_ptr<std::shared_ptr<CPhotoListReader::Job>> held(
        static_cast<std::shared_ptr<CPhotoListReader::Job>*>(parameter));
    CPhotoListReader::Job& job = **held;
    if (!ReadList(job.listKey, job.pattern, &job.cancel, job.paths, job.favourites, job.tidy)) return 0;
    job.done = true;
    if (!job.cancel) PostMessageW(job.target, job.message, job.serial, 0);
    return 0;
}
}  // namespace

bool CPhotoListReader::Start(const tstr& listKey, const tstr& pattern, HWND target, UINT message)
{
    Cancel();
    auto job = std::make_shared<Job>();
    job->listKey = listKey;
    job->pattern = pattern;
    job->target = target;
    job->message = message;
    job->serial = ++g_serial;
    auto* handed = new std::shared_ptr<Job>(job);
    HANDLE thread = CreateThread(nullptr, 0, ReaderMain, handed, 0, nullptr);
    if (!thread) {
        delete handed;
        return false;
    }
    // Never waited for: the job lives as long as either side holds it.
    CloseHandle(thread);
    m_job = job;
    return true;
}

void CPhotoListReader::Cancel()
{
    if (!m_job) return;
    m_job->cancel = true;
    m_job.reset();
}

bool CPhotoListReader::Take(WPARAM serial, std::vector<tstr>& paths, std::vector<bool>& favourites, bool& tidy)
{
    if (!m_job || serial != m_job->serial || !m_job->done) return false;
    paths = std::move(m_job->paths);
    favourites = std::move(m_job->favourites);
    tidy = m_job->tidy;
    m_job.reset();
    return true;
}

