#include "album/Thumbnails.h"

#include <algorithm>
#include <unordered_set>

#include "album/PhotoLocation.h"

namespace {

const wchar_t kWindowClass[] = L"LumoraThumbnails";
// Results taken per message, so that a burst of failures cannot hold up
// painting and input.
const int kBatch = 256;

}  // namespace

// Where the workers post: a result arriving after the receiver closed is
// freed here instead of being posted to nobody.
class CThumbnails::CChannel {
public:
    void Open(HWND window) { Set(window); }
    void Close() { Set(nullptr); }

    void Post(std::unique_ptr<ThumbResult> result)
    {
        AcquireSRWLockShared(&m_lock);
        if (m_window && PostMessageW(m_window, kResultMessage, 0, reinterpret_cast<LPARAM>(result.get())))
            result.release();  // the UI thread takes it over
        ReleaseSRWLockShared(&m_lock);
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
};

std::shared_ptr<CThumbnails> CThumbnails::Shared(CThumbPool::Maker maker)
{
    // Never destroyed: album objects may let go of the instance during
    // static destruction.
    static auto* instance = new std::weak_ptr<CThumbnails>;
    std::shared_ptr<CThumbnails> shared = instance->lock();
    if (!shared) {
        shared = std::make_shared<CThumbnails>(std::move(maker));
        *instance = shared;
    }
    return shared;
}

CThumbnails::CThumbnails(CThumbPool::Maker maker) : m_channel(std::make_shared<CChannel>())
{
    std::shared_ptr<CChannel> channel = m_channel;
    // A photo whose drive or share is out of reach is not unusable: like a
    // file held open by someone else it stays unknown until it answers.
    auto offlineIsBusy = [maker = std::move(maker)](ThumbJob& job, CBmp& out) {
        const ThumbOutcome outcome = maker(job, out);
        if (outcome == ThumbOutcome::Unusable && LocatePhoto(tstr(job.path)) == PhotoPlace::Unreachable)
            return ThumbOutcome::Busy;
        return outcome;
    };
    m_pool = std::make_unique<CThumbPool>(
        [channel](std::unique_ptr<ThumbResult> result) { channel->Post(std::move(result)); }, std::move(offlineIsBusy));
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

const CBmp& CThumbnails::Placeholder()
{
    static const CBmp placeholder = [] {
        CBmp picture;
        if (picture.Create(kThumbSide, kThumbSide * 3 / 4)) {
            picture.Fill(0xFFA0A0A0u);
            for (int x = 0; x < picture.Width(); ++x) {
                picture.SetPixel(x, 0, 0xFF808080u);
                picture.SetPixel(x, picture.Height() - 1, 0xFF808080u);
            }
            for (int y = 0; y < picture.Height(); ++y) {
                picture.SetPixel(0, y, 0xFF808080u);
                picture.SetPixel(picture.Width() - 1, y, 0xFF808080u);
            }
        }
        return picture;
    }();
    return placeholder;
}

std::shared_ptr<const CBmp> CThumbnails::Get(const tstr& path, IThumbnailListener* listener)
{
    std::shared_ptr<const CBmp> thumbnail;
    if (m_memory.Look(path.Str(), &thumbnail) == Known::No)
        Request(path, true, listener);
    return thumbnail;
}

void CThumbnails::Request(const tstr& path, bool visible, IThumbnailListener* listener)
{
    if (m_memory.Look(path.Str()) != Known::No || !EnsureWindow())
        return;
    auto waiting = m_waiting.find(path.Str());
    if (waiting == m_waiting.end()) {
        ThumbJob job;
        job.path = path.Str();
        const uint64_t ticket = m_pool->Submit(std::move(job), visible);
        waiting = m_waiting.emplace(path.Str(), Waiting{ticket, {}}).first;
    } else if (visible) {
        m_pool->Raise(waiting->second.ticket);
    }
    std::vector<IThumbnailListener*>& listeners = waiting->second.listeners;
    if (listener && std::find(listeners.begin(), listeners.end(), listener) == listeners.end())
        listeners.push_back(listener);
}

void CThumbnails::ShowFailed(const tstr& path)
{
    // Usable from its EXIF thumbnail is not enough: the picture must decode.
    if (!FileHeldBySomeoneElse(path.Str()) && LocatePhoto(path) != PhotoPlace::Unreachable)
        m_memory.Put(path.Str(), nullptr);
}

void CThumbnails::Forget(IThumbnailListener* listener)
{
    for (auto at = m_waiting.begin(); at != m_waiting.end();) {
        std::vector<IThumbnailListener*>& listeners = at->second.listeners;
        listeners.erase(std::remove(listeners.begin(), listeners.end(), listener), listeners.end());
        if (listeners.empty()) {
            m_pool->Cancel(at->second.ticket);
            at = m_waiting.erase(at);
        } else {
            ++at;
        }
    }
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
    if (msg != kResultMessage)
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    auto* result = reinterpret_cast<ThumbResult*>(lParam);
    auto* self = reinterpret_cast<CThumbnails*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
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
        // A file someone else holds open stays unknown: asked for again
        // when it is drawn, tried by the show when its turn comes.
        const bool usable = result->outcome != ThumbOutcome::Unusable;
        if (result->outcome == ThumbOutcome::Made)
            m_memory.Put(result->job.path, std::make_shared<const CBmp>(std::move(result->thumbnail)));
        else if (!usable)
            m_memory.Put(result->job.path, nullptr);
        auto waiting = m_waiting.find(result->job.path);
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
    for (const auto& [listener, someUnusable] : told)
        listener->OnThumbnailsArrived(someUnusable);
}
