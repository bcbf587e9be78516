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

uint64_t CShuffleRound::SecondTurn(uint64_t photo)
{
    return Mix(photo ^ 0xD1B54A32D192ED03ull);
}

uint64_t CShuffleRound::TurnOf(uint64_t photo) const
{
    const uint64_t second = SecondTurn(photo);
    if (!m_ahead.empty() && m_ahead.back().first == second && !HadTurn(second))
        return second;
    return HadTurn(photo) ? second : photo;
}

int CShuffleRound::Next(int count, const KeyAt& keyAt, const FavouriteAt& favouriteAt)
{
    if (count <= 0)
        return -1;
    if (count == m_orderedCount) {
        while (!m_ahead.empty()) {
            const std::pair<uint64_t, int> next = m_ahead.back();
            // The list changed under the order: it is ordered again.
            if (next.second >= count)
                break;
            const uint64_t key = keyAt(next.second);
            if (next.first != key && next.first != SecondTurn(key))
                break;
            if (HadTurn(next.first)) {
                m_ahead.pop_back();
                continue;
            }
            // A favourite's other turn does not follow the one just shown.
            const bool otherTurn = (next.first == SecondTurn(m_last) && HadTurn(m_last)) ||
                                   (next.first == m_last && HadTurn(SecondTurn(m_last)));
            if (m_hasLast && otherTurn && PutOtherPhotoFirst())
                continue;
            return next.second;
        }
    }
    Order(count, keyAt, favouriteAt);
    return m_ahead.back().second;
}

int CShuffleRound::Next(const std::vector<uint64_t>& photos, const FavouriteAt& favouriteAt)
{
    return Next(static_cast<int>(photos.size()), [&photos](int i) { return photos[static_cast<size_t>(i)]; },
                favouriteAt);
}

void CShuffleRound::Order(int count, const KeyAt& keyAt, const FavouriteAt& favouriteAt)
{
    m_ahead.clear();
    bool anyDone = false;
    // Turn keys with the photo they belong to.
    std::vector<std::pair<uint64_t, int>> turns;
    turns.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        const uint64_t key = keyAt(i);
        turns.emplace_back(key, i);
        if (favouriteAt && favouriteAt(i))
            turns.emplace_back(SecondTurn(key), i);
    }
    for (const std::pair<uint64_t, int>& turn : turns)
        anyDone = anyDone || HadTurn(turn.first);
    for (int pass = 0; pass < 2 && m_ahead.empty(); ++pass) {
        if (pass == 1) {
            m_seed = static_cast<uint32_t>(Mix(m_seed + 0x9E3779B97F4A7C15ull));
            m_done.clear();
            anyDone = false;
        }
        for (const std::pair<uint64_t, int>& turn : turns)
            if (!HadTurn(turn.first))
                m_ahead.push_back(turn);
    }
    std::sort(m_ahead.begin(), m_ahead.end(), [this](const std::pair<uint64_t, int>& a,
                                                     const std::pair<uint64_t, int>& b) {
        const bool firstA = m_first.count(a.first) != 0, firstB = m_first.count(b.first) != 0;
        return firstA != firstB ? firstB : Rank(a.first) > Rank(b.first);
    });
    // Only a round not begun yet keeps off the photo on screen.
    const uint64_t first = m_ahead.back().first;
    if (!anyDone && m_hasLast && (first == m_last || first == SecondTurn(m_last)))
        PutOtherPhotoFirst();
    m_orderedCount = count;
}

void CShuffleRound::PreferFirst(std::unordered_set<uint64_t> photos)
{
    if (photos == m_first)
        return;
    m_first = std::move(photos);
    m_orderedCount = -1;
}

bool CShuffleRound::PutOtherPhotoFirst()
{
    const size_t n = m_ahead.size();
    for (size_t i = n - 1; i-- > 0;) {
        if (m_ahead[i].second != m_ahead[n - 1].second && !HadTurn(m_ahead[i].first)) {
            std::swap(m_ahead[i], m_ahead[n - 1]);
            return true;
        }
    }
    return false;
}

void CShuffleRound::Shown(uint64_t photo)
{
    m_done.insert(TurnOf(photo));
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
