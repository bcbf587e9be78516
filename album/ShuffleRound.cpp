#include "album/ShuffleRound.h"

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

int CShuffleRound::Next(const std::vector<uint64_t>& photos)
{
    if (photos.empty())
        return -1;
    bool anyDone = false;
    bool anyLeft = false;
    for (uint64_t photo : photos) {
        const bool done = HadTurn(photo);
        anyDone = anyDone || done;
        anyLeft = anyLeft || !done;
    }
    if (!anyLeft) {
        m_seed = static_cast<uint32_t>(Mix(m_seed + 0x9E3779B97F4A7C15ull));
        m_done.clear();
        anyDone = false;
    }
    // Only a round not begun yet keeps off the photo on screen.
    const bool avoidLast = !anyDone && m_hasLast;
    int best = -1;
    int bestOther = -1;
    for (size_t i = 0; i < photos.size(); ++i) {
        if (HadTurn(photos[i]))
            continue;
        const int at = static_cast<int>(i);
        if (best < 0 || Rank(photos[i]) < Rank(photos[static_cast<size_t>(best)]))
            best = at;
        if (!(avoidLast && photos[i] == m_last) &&
            (bestOther < 0 || Rank(photos[i]) < Rank(photos[static_cast<size_t>(bestOther)])))
            bestOther = at;
    }
    return bestOther >= 0 ? bestOther : best;
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
}

uint64_t CShuffleRound::KeyOf(const std::wstring& path)
{
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
