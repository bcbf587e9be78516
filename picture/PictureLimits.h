#pragma once
// Which pictures may be decoded at all, and at what reduction. Decoders
// allocate the whole picture before they look at a pixel, so a size that
// does not fit is refused from the header, before any decoder sees it.

#include <cstdint>
#include <mutex>

// Above this many pixels a picture is refused (the decompression-bomb
// limit common image libraries use).
const uint64_t kMaxPicturePixels = 180000000;

// Whether w x h may be decoded with `freeAddressSpace` bytes left: at most
// kMaxPicturePixels, and its 32-bit pixels twice over (the decoder's copy
// and ours) plus a margin fit.
bool DecodeFits(uint64_t w, uint64_t h, uint64_t freeAddressSpace);

// A side divided by a JPEG reduction (1, 2, 4 or 8), rounded up as the
// decoders round.
uint32_t ReducedSide(uint32_t side, int reduction);

// The least reduction of 1, 2, 4, 8 at which w x h may be decoded; 0 when
// none.
int ReductionWithinLimits(uint32_t w, uint32_t h, uint64_t freeAddressSpace);

// The least reduction for a picture of w x h as its header gives it, given
// whether its codec can decode it reduced: 0 when it may not be decoded, 1
// when the header gives no size (0 x 0), so that the decoder decides.
int ReductionForHeader(uint32_t w, uint32_t h, bool scalesNatively, uint64_t freeAddressSpace);

// The greatest reduction of 1, 2, 4, 8 that still leaves at least
// needW x needH, and at least `least`.
int ReductionKeeping(uint32_t w, uint32_t h, uint32_t needW, uint32_t needH, int least);

// Address space promised to the decodes under way in the process. A decode
// promises the room DecodeFits counts for it before it allocates, against
// what is free less what the others promised, so that decodes which look at
// once cannot all count on the same room. (What they have allocated already
// is counted twice meanwhile: that errs on the safe side.)
class CDecodeBudget {
public:
    // The process's one budget.
    static CDecodeBudget& Shared();

    // Promises room for w x h when it fits in `freeAddressSpace` less what is
    // promised, or always with `anyway`; false when nothing was promised.
    bool Promise(uint32_t w, uint32_t h, uint64_t freeAddressSpace, bool anyway);
    void Release(uint32_t w, uint32_t h);
    uint64_t Promised() const;

private:
    mutable std::mutex m_lock;
    uint64_t m_promised = 0;
};

// A promise kept for as long as the object lives.
class CDecodePromise {
public:
    CDecodePromise(CDecodeBudget& budget, uint32_t w, uint32_t h, uint64_t freeAddressSpace, bool anyway)
        : m_budget(budget), m_w(w), m_h(h), m_kept(budget.Promise(w, h, freeAddressSpace, anyway)) {}
    ~CDecodePromise()
    {
        if (m_kept)
            m_budget.Release(m_w, m_h);
    }
    CDecodePromise(const CDecodePromise&) = delete;
    CDecodePromise& operator=(const CDecodePromise&) = delete;
    bool Kept() const { return m_kept; }

private:
    CDecodeBudget& m_budget;
    uint32_t m_w, m_h;
    bool m_kept;
};
