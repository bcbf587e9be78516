#pragma once
// A random order through an album in which every photo has its turn once per
// round, a favourite twice (its second turn has a key of its own). Photos are named by keys (KeyOf their path), not by position, so a
// round holds while photos are added, removed or reordered: the order is the
// photos sorted by a seeded hash of their keys, and the round is the set of
// keys that had their turn. Plain C++, so it is tested natively.

#include <cstdint>
#include <functional>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

class CShuffleRound {
public:
    // The key of the photo at a position of the list, 0 <= index < count.
    using KeyAt = std::function<uint64_t(int index)>;
    // Whether that photo is a favourite; none is without it.
    using FavouriteAt = std::function<bool(int index)>;

    explicit CShuffleRound(uint32_t seed = 0) : m_seed(seed) {}

    // Index of the photo the round goes on with: the one first in this
    // round's order of those that have not had their turn. When every photo
    // has had it, a new round begins with a fresh seed; its first photo is
    // never the one shown last while another exists. -1 without photos.
    // The list is keyed once and the round's remaining order kept, so a walk
    // through the round costs one key per step while the list stays as it was.
    int Next(int count, const KeyAt& keyAt, const FavouriteAt& favouriteAt = nullptr);
    int Next(const std::vector<uint64_t>& photos, const FavouriteAt& favouriteAt = nullptr);
    // The photo had its turn in this round and is the one on screen: the turn
    // Next gave it, or its first one still open.
    void Shown(uint64_t photo);
    // The photo had its turn without being shown (out of reach, undecodable).
    void Passed(uint64_t photo) { m_done.insert(TurnOf(photo)); }
    // A photo became a favourite or stopped being one: ordered again.
    void FavouritesChanged() { m_orderedCount = -1; }
    bool HadTurn(uint64_t photo) const { return m_done.count(photo) != 0; }
    // These photos come first in the round, of those still to have their
    // turn, and first in every round after; the round is ordered again only
    // when they change.
    void PreferFirst(std::unordered_set<uint64_t> photos);

    uint32_t Seed() const { return m_seed; }
    bool HasLast() const { return m_hasLast; }
    uint64_t Last() const { return m_last; }
    // A round as stored: its seed, the photos that had their turn, and the
    // photo shown last when there is one.
    void Restore(uint32_t seed, const std::vector<uint64_t>& done, const uint64_t* last);

    static uint64_t KeyOf(const std::wstring& path);
    // Keys made by KeyOf in this process: what a walk through the round costs.
    static uint64_t KeysMade();

private:
    uint64_t Rank(uint64_t photo) const;
    // The key of a favourite's second turn.
    static uint64_t SecondTurn(uint64_t photo);
    uint64_t TurnOf(uint64_t photo) const;
    // Swaps the next turn with the nearest one of another photo; false when
    // none is left.
    bool PutOtherPhotoFirst();
    // The turns still to come, in order, from the whole list.
    void Order(int count, const KeyAt& keyAt, const FavouriteAt& favouriteAt);

    uint32_t m_seed;
    std::unordered_set<uint64_t> m_done;
    std::unordered_set<uint64_t> m_first;
    uint64_t m_last = 0;
    bool m_hasLast = false;
    // The round's remaining order as (turn key, index) pairs, the next one last,
    // for a list of m_orderedCount photos.
    std::vector<std::pair<uint64_t, int>> m_ahead;
    int m_orderedCount = -1;
};
