#include "picture/PictureLimits.h"

namespace {
const uint64_t kMargin = 64ull << 20;
const int kReductions[] = {1, 2, 4, 8};

uint64_t RoomFor(uint64_t w, uint64_t h) { return w * h * 4 * 2; }

}  // namespace

bool DecodeFits(uint64_t w, uint64_t h, uint64_t freeAddressSpace)
{
    // Sides come from 32-bit header fields, so none of these products overflows.
    if (w == 0 || h == 0 || w > 0xFFFFFFFFu || h > 0xFFFFFFFFu || w * h > kMaxPicturePixels)
        return false;
    return freeAddressSpace > kMargin && RoomFor(w, h) <= freeAddressSpace - kMargin;
}

uint32_t ReducedSide(uint32_t side, int reduction)
{
    return static_cast<uint32_t>((static_cast<uint64_t>(side) + reduction - 1) / reduction);
}

int ReductionWithinLimits(uint32_t w, uint32_t h, uint64_t freeAddressSpace)
{
    for (int k : kReductions)
        if (DecodeFits(ReducedSide(w, k), ReducedSide(h, k), freeAddressSpace))
            return k;
    return 0;
}

int ReductionForHeader(uint32_t w, uint32_t h, bool scalesNatively, uint64_t freeAddressSpace)
{
    if (w == 0 && h == 0)
        return 1;
    const int least = ReductionWithinLimits(w, h, freeAddressSpace);
    return least > 1 && !scalesNatively ? 0 : least;
}

int ReductionKeeping(uint32_t w, uint32_t h, uint32_t needW, uint32_t needH, int least)
{
    int best = least;
    for (int k : kReductions)
        if (k > best && ReducedSide(w, k) >= needW && ReducedSide(h, k) >= needH)
            best = k;
    return best;
}

CDecodeBudget& CDecodeBudget::Shared()
{
    // Never destroyed: decodes may still run while the process exits.
    static CDecodeBudget* budget = new CDecodeBudget;
    return *budget;
}

bool CDecodeBudget::Promise(uint32_t w, uint32_t h, uint64_t freeAddressSpace, bool anyway)
{
    const std::lock_guard<std::mutex> hold(m_lock);
    const uint64_t left = freeAddressSpace > m_promised ? freeAddressSpace - m_promised : 0;
    if (w == 0 || h == 0 || static_cast<uint64_t>(w) * h > kMaxPicturePixels || !(anyway || DecodeFits(w, h, left)))
        return false;
    m_promised += RoomFor(w, h);
    return true;
}

void CDecodeBudget::Release(uint32_t w, uint32_t h)
{
    const std::lock_guard<std::mutex> hold(m_lock);
    m_promised -= RoomFor(w, h);
}

uint64_t CDecodeBudget::Promised() const
{
    const std::lock_guard<std::mutex> hold(m_lock);
    return m_promised;
}
