#include "album/ShuffleRound.h"

#include <algorithm>
#include <atomic>

namespace {

// A bijection on 64 bits: distinct keys never share a rank.
uint64_t Mix(uint64_t x)
{
    x ^= x >> 30;
    x *= 0xBF58476D1CE4E5B9ull;
    x ^= x >> 27;
    x *= 0x94D049BB133111EBull;
    x ^= x >> 31;
    return x;
}

}  // namespace

uint64_t CShuffleRound::Rank(uint64_t photo) const
{
    return Mix(photo ^ (static_cast<uint64_t>(m_seed) * 0x9E3779B97F4A7C15ull));
}

int CShuffleRound::Next(int count, const KeyAt& keyAt)
{
    if (count <= 0)
        return -1;
    if (count == m_orderedCount) {
        while (!m_ahead.empty()) {
            const std::pair<uint64_t, int> next = m_ahead.back();
            // The list changed under the order: it is ordered again.
            if (next.second >= count || keyAt(next.second) != next.first)
                break;
            if (!HadTurn(next.first))
                return next.second;
            m_ahead.pop_back();
        }
    }
    Order(count, keyAt);
    return m_ahead.back().second;
}

int CShuffleRound::Next(const std::vector<uint64_t>& photos)
{
    return Next(static_cast<int>(photos.size()), [&photos](int i) { return photos[static_cast<size_t>(i)]; });
}

void CShuffleRound::Order(int count, const KeyAt& keyAt)
{
    m_ahead.clear();
    bool anyDone = false;
    std::vector<uint64_t> keys(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        keys[static_cast<size_t>(i)] = keyAt(i);
        anyDone = anyDone || HadTurn(keys[static_cast<size_t>(i)]);
    }
    for (int pass = 0; pass < 2 && m_ahead.empty(); ++pass) {
        if (pass == 1) {
            m_seed = static_cast<uint32_t>(Mix(m_seed + 0x9E3779B97F4A7C15ull));
            m_done.clear();
            anyDone = false;
        }
        for (int i = 0; i < count; ++i)
            if (!HadTurn(keys[static_cast<size_t>(i)]))
                m_ahead.emplace_back(keys[static_cast<size_t>(i)], i);
    }
    std::sort(m_ahead.begin(), m_ahead.end(), [this](const std::pair<uint64_t, int>& a,
                                                     const std::pair<uint64_t, int>& b) {
        const bool firstA = m_first.count(a.first) != 0, firstB = m_first.count(b.first) != 0;
        return firstA != firstB ? firstB : Rank(a.first) > Rank(b.first);
    });
    // Only a round not begun yet keeps off the photo on screen.
    const size_t n = m_ahead.size();
    if (!anyDone && m_hasLast && n > 1 && m_ahead[n - 1].first == m_last)
        std::swap(m_ahead[n - 1], m_ahead[n - 2]);
    m_orderedCount = count;
}

void CShuffleRound::PreferFirst(std::unordered_set<uint64_t> photos)
{
    if (photos == m_first)
        return;
    m_first = std::move(photos);
    m_orderedCount = -1;
}

void CShuffleRound::Shown(uint64_t photo)
{
    Passed(photo);
    m_last = photo;
    m_hasLast = true;
}

void CShuffleRound::Restore(uint32_t seed, const std::vector<uint64_t>& done, const uint64_t* last)
{
    m_seed = seed;
    m_done.clear();
    m_done.insert(done.begin(), done.end());
    m_hasLast = last != nullptr;
    m_last = last ? *last : 0;
    m_ahead.clear();
    m_orderedCount = -1;
}

namespace {
std::atomic<uint64_t> s_keysMade{0};
}  // namespace

uint64_t CShuffleRound::KeysMade() { return s_keysMade.load(); }

uint64_t CShuffleRound::KeyOf(const std::wstring& path)
{
    ++s_keysMade;
    // FNV-1a over the UTF-16 code units.
    uint64_t hash = 0xCBF29CE484222325ull;
    for (wchar_t c : path) {
        const uint32_t unit = static_cast<uint32_t>(c);
        for (int shift = 0; shift < 32; shift += 8) {
            hash ^= (unit >> shift) & 0xFF;
            hash *= 0x100000001B3ull;
        }
    }
    return hash;
}
