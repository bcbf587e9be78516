#include "album/Thumbnails.h"

#include <algorithm>
#include <mutex>
#include <unordered_set>

#include "album/PhotoLocation.h"
#include "album/WorkerPost.h"

namespace {

bool SameDate(const ExifDate& a, const ExifDate& b)
{
    return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour && a.minute == b.minute &&
           a.second == b.second;
}

const wchar_t kWindowClass[] = L"LumoraThumbnails";
// Results taken per message, so that a burst of failures cannot hold up
// painting and input.
const int kBatch = 256;
const UINT_PTR kRetryTimer = 1;

void AddListener(std::vector<IThumbnailListener*>& listeners, IThumbnailListener* listener)
{
    if (listener && std::find(listeners.begin(), listeners.end(), listener) == listeners.end())
        listeners.push_back(listener);
}

}  // namespace

// Where the workers post: a result arriving after the receiver closed is
// freed here instead of being posted to nobody. A refused post is noted, so
// that the next request for its photo queues the job again.
class CThumbnails::CChannel {
public:
    void Open(HWND window) { Set(window); }
    void Close() { Set(nullptr); }

    void Post(std::unique_ptr<ThumbResult> result)
    {
        AcquireSRWLockShared(&m_lock);
        if (m_window) {
            if (PostFromWorker(m_window, kResultMessage, 0, reinterpret_cast<LPARAM>(result.get()))) {
                result.release();  // the UI thread takes it over
            } else {
                const std::lock_guard<std::mutex> hold(m_refusedLock);
                m_refused.insert(result->ticket);
            }
        }
        ReleaseSRWLockShared(&m_lock);
    }

    // Whether the ticket's result was refused; it is forgotten either way.
    bool TakeRefused(uint64_t ticket)
    {
        const std::lock_guard<std::mutex> hold(m_refusedLock);
        return m_refused.erase(ticket) != 0;
    }

private:
    void Set(HWND window)
    {
        AcquireSRWLockExclusive(&m_lock);
        m_window = window;
        ReleaseSRWLockExclusive(&m_lock);
    }

    SRWLOCK m_lock = SRWLOCK_INIT;
    HWND m_window = nullptr;
    std::mutex m_refusedLock;
    std::unordered_set<uint64_t> m_refused;
};

std::shared_ptr<CThumbnails> CThumbnails::Shared(CThumbPool::Maker maker, Clock clock)
{
    // Never destroyed: album objects may let go of the instance during
    // static destruction.
    static auto* instance = new std::weak_ptr<CThumbnails>;
    std::shared_ptr<CThumbnails> shared = instance->lock();
    if (!shared) {
        shared = std::make_shared<CThumbnails>(std::move(maker), std::move(clock));
        *instance = shared;
    }
    return shared;
}

CThumbnails::CThumbnails(CThumbPool::Maker maker, Clock clock)
    : m_clock(std::move(clock)), m_channel(std::make_shared<CChannel>())
{
    std::shared_ptr<CChannel> channel = m_channel;
    // A photo whose drive or share is out of reach is not unusable: like a
    // file held open by someone else it stays unknown until it answers.
    auto offlineIsBusy = [maker = std::move(maker)](ThumbJob& job, CBmp& out) {
        const ThumbOutcome outcome = maker(job, out);
        if (outcome == ThumbOutcome::Unusable && LocatePhoto(tstr(job.path)) == PhotoPlace::Unreachable) {
            job.problem = ThumbProblem::Unreachable;
            return ThumbOutcome::Busy;
        }
        return outcome;
    };
    m_pool = std::make_unique<CThumbPool>(
        [channel](std::unique_ptr<ThumbResult> result) { channel->Post(std::move(result)); }, std::move(offlineIsBusy),
        CThumbPool::WorkerCount(), m_clock);
}

CThumbnails::~CThumbnails()
{
    m_channel->Close();
    m_pool.reset();
    if (!m_window)
        return;
    while (ThumbResult* result = NextPostedResult())
        delete result;
    SetWindowLongPtrW(m_window, GWLP_USERDATA, 0);
    DestroyWindow(m_window);
}

namespace {

// A thumbnail-sized box of one colour inside a one-pixel frame.
CBmp FramedBox(uint32_t fill, uint32_t frame)
{
    CBmp picture;
    if (!picture.Create(kThumbSide, kThumbSide * 3 / 4))
        return picture;
    picture.Fill(fill);
    for (int x = 0; x < picture.Width(); ++x) {
        picture.SetPixel(x, 0, frame);
        picture.SetPixel(x, picture.Height() - 1, frame);
    }
    for (int y = 0; y < picture.Height(); ++y) {
        picture.SetPixel(0, y, frame);
        picture.SetPixel(picture.Width() - 1, y, frame);
    }
    return picture;
}

}  // namespace

const CBmp& CThumbnails::Placeholder()
{
    static const CBmp placeholder = FramedBox(0xFFA0A0A0u, 0xFF808080u);
    return placeholder;
}

const CBmp& CThumbnails::ProblemPlaceholder()
{
    static const CBmp placeholder = [] {
        CBmp picture = FramedBox(0xFFD0D0D0u, 0xFFB0B0B0u);
        if (picture.Empty())
            return picture;
        // A small red cross in the top right corner.
        const int side = std::max(5, picture.Width() / 8), left = picture.Width() - side - 3, top = 3;
        for (int i = 0; i < side; ++i)
            for (int w = 0; w < 2; ++w) {
                picture.SetPixel(left + i + w, top + i, 0xFFC02020u);
                picture.SetPixel(left + side - 1 - i + w, top + i, 0xFFC02020u);
            }
        return picture;
    }();
    return placeholder;
}

std::shared_ptr<const CBmp> CThumbnails::Get(const tstr& path, IThumbnailListener* listener)
{
    std::shared_ptr<const CBmp> thumbnail;
    const Known known = m_memory.Look(path.Str(), &thumbnail);
    // A file deleted or replaced since its thumbnail was made shows so once
    // its look comes back.
    if (known == Known::No || (known == Known::Usable && LookDue(path.Str())))
        Submit(path, true, listener);
    return thumbnail;
}

void CThumbnails::Request(const tstr& path, bool visible, IThumbnailListener* listener)
{
    if (m_memory.Look(path.Str()) == Known::No)
        Submit(path, visible, listener);
}

ThumbProblem CThumbnails::Problem(const tstr& path) const
{
    const auto at = m_problems.find(path.Str());
    return at == m_problems.end() ? ThumbProblem::None : at->second;
}

void CThumbnails::FileChanged(const tstr& path)
{
    m_memory.Drop(path.Str());
    m_busy.erase(path.Str());
    m_problems.erase(path.Str());
    m_looks.erase(path.Str());
}

bool CThumbnails::LookDue(const std::wstring& path) const
{
    const auto at = m_looks.find(path);
    return at == m_looks.end() || at->second.generation != m_generation ||
           GetTickCount() - at->second.tick >= kRecheckMs;
}

void CThumbnails::Submit(const tstr& path, bool visible, IThumbnailListener* listener)
{
    if (!EnsureWindow())
        return;
    auto busy = m_busy.find(path.Str());
    if (busy != m_busy.end() && m_clock() < busy->second.retryAt) {
        AddListener(busy->second.listeners, listener);
        return;
    }
    // Looked at from now: a paint before the answer asks no second time.
    m_looks[path.Str()] = Look{m_generation, GetTickCount()};
    const auto submit = [&] {
        ThumbJob job;
        job.path = path.Str();
        return m_pool->Submit(std::move(job), visible);
    };
    auto waiting = m_waiting.find(path.Str());
    if (waiting == m_waiting.end())
        waiting = m_waiting.emplace(path.Str(), Waiting{submit(), {}}).first;
    else if (m_channel->TakeRefused(waiting->second.ticket))
        waiting->second.ticket = submit();
    else if (visible)
        m_pool->Raise(waiting->second.ticket);
    Listeners& listeners = waiting->second.listeners;
    if (busy != m_busy.end()) {
        for (IThumbnailListener* before : busy->second.listeners)
            AddListener(listeners, before);
        busy->second.listeners.clear();
    }
    AddListener(listeners, listener);
}

void CThumbnails::RetryDue()
{
    const uint64_t now = m_clock();
    std::vector<std::wstring> due;
    for (const auto& [path, busy] : m_busy)
        if (busy.retryAt <= now && !busy.listeners.empty())
            due.push_back(path);
    for (const std::wstring& path : due)
        Request(tstr(path), false, nullptr);
    ArmRetryTimer();
}

void CThumbnails::NoteBusy(const std::wstring& path, const Listeners& listeners)
{
    BusyPhoto& busy = m_busy[path];
    busy.pause = busy.pause == 0 ? kFirstBusyPauseMs : std::min(busy.pause * 2, kLongestBusyPauseMs);
    busy.retryAt = m_clock() + busy.pause;
    for (IThumbnailListener* listener : listeners)
        AddListener(busy.listeners, listener);
}

void CThumbnails::ArmRetryTimer()
{
    uint64_t next = UINT64_MAX;
    for (const auto& entry : m_busy)
        if (!entry.second.listeners.empty())
            next = std::min(next, entry.second.retryAt);
    if (next == UINT64_MAX) {
        KillTimer(m_window, kRetryTimer);
        return;
    }
    const uint64_t now = m_clock();
    const uint64_t wait = next > now ? next - now : 0;
    SetTimer(m_window, kRetryTimer, static_cast<UINT>(std::max<uint64_t>(wait, USER_TIMER_MINIMUM)), nullptr);
}

ExifDate CThumbnails::Taken(const tstr& path) const
{
    const auto at = m_taken.find(path.Str());
    return at == m_taken.end() ? ExifDate() : at->second;
}

void CThumbnails::NoteTaken(const std::wstring& path, const ExifDate& taken)
{
    const auto at = m_taken.find(path);
    if (!taken.Known()) {
        if (at != m_taken.end()) {
            m_taken.erase(at);
            ++m_datesLearned;
        }
        return;
    }
    if (at != m_taken.end() && SameDate(at->second, taken))
        return;
    m_taken[path] = taken;
    ++m_datesLearned;
}

void CThumbnails::ShowFailed(const tstr& path)
{
    // Usable from its EXIF thumbnail is not enough: the picture must decode.
    if (!FileHeldBySomeoneElse(path.Str()) && LocatePhoto(path) != PhotoPlace::Unreachable) {
        m_memory.Put(path.Str(), nullptr);
        m_problems.emplace(path.Str(), ThumbProblem::NotPicture);
    }
}

void CThumbnails::Forget(IThumbnailListener* listener)
{
    const auto drop = [listener](Listeners& listeners) {
        listeners.erase(std::remove(listeners.begin(), listeners.end(), listener), listeners.end());
        return listeners.empty();
    };
    for (auto at = m_waiting.begin(); at != m_waiting.end();) {
        if (drop(at->second.listeners)) {
            m_pool->Cancel(at->second.ticket);
            m_channel->TakeRefused(at->second.ticket);
            at = m_waiting.erase(at);
        } else {
            ++at;
        }
    }
    for (auto& entry : m_busy)
        drop(entry.second.listeners);
}

bool CThumbnails::EnsureWindow()
{
    if (m_window)
        return true;
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kWindowClass;
    RegisterClassExW(&wc);  // fails harmlessly once registered
    m_window = CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    if (!m_window)
        return false;
    SetWindowLongPtrW(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    m_channel->Open(m_window);
    return true;
}

LRESULT CALLBACK CThumbnails::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<CThumbnails*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (msg == WM_TIMER && wParam == kRetryTimer && self) {
        self->RetryDue();
        return 0;
    }
    if (msg != kResultMessage)
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    auto* result = reinterpret_cast<ThumbResult*>(lParam);
    if (self && result)
        self->TakeResults(result);
    else
        delete result;
    return 0;
}

ThumbResult* CThumbnails::NextPostedResult()
{
    MSG msg;
    if (!PeekMessageW(&msg, m_window, kResultMessage, kResultMessage, PM_REMOVE))
        return nullptr;
    // The quit message comes through any filter: it goes back for the loop.
    if (msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        return nullptr;
    }
    return reinterpret_cast<ThumbResult*>(msg.lParam);
}

void CThumbnails::TakeResults(ThumbResult* first)
{
    std::vector<std::unique_ptr<ThumbResult>> results;
    results.emplace_back(first);
    while (results.size() < static_cast<size_t>(kBatch))
        if (ThumbResult* next = NextPostedResult())
            results.emplace_back(next);
        else
            break;

    // Each listener hears once per batch.
    std::vector<std::pair<IThumbnailListener*, bool>> told;
    for (std::unique_ptr<ThumbResult>& result : results) {
        // A file someone else holds open, or out of reach, stays unknown:
        // asked for again after a pause, tried by the show when its turn
        // comes.
        const bool usable = result->outcome != ThumbOutcome::Unusable;
        if (result->outcome == ThumbOutcome::Made) {
            m_memory.Put(result->job.path, std::make_shared<const CBmp>(std::move(result->thumbnail)));
            NoteTaken(result->job.path, result->job.taken);
        } else if (!usable)
            m_memory.Put(result->job.path, nullptr);
        if (result->job.problem == ThumbProblem::None)
            m_problems.erase(result->job.path);
        else
            m_problems[result->job.path] = result->job.problem;
        auto waiting = m_waiting.find(result->job.path);
        if (result->outcome == ThumbOutcome::Busy)
            NoteBusy(result->job.path, waiting != m_waiting.end() ? waiting->second.listeners : Listeners());
        else
            m_busy.erase(result->job.path);
        if (waiting == m_waiting.end())
            continue;
        // A job cancelled and asked for again may have been under way.
        m_pool->Cancel(waiting->second.ticket);
        for (IThumbnailListener* listener : waiting->second.listeners) {
            auto at = std::find_if(told.begin(), told.end(), [&](const auto& t) { return t.first == listener; });
            if (at == told.end())
                told.emplace_back(listener, !usable);
            else
                at->second = at->second || !usable;
        }
        m_waiting.erase(waiting);
    }
    ArmRetryTimer();
    for (const auto& [listener, someUnusable] : told)
        listener->OnThumbnailsArrived(someUnusable);
}
