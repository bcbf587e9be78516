#include "picture/PictureLimits.h"

namespace {
const uint64_t kMargin = 64ull << 20;
const int kReductions[] = {1, 2, 4, 8};
}  // namespace

bool DecodeFits(uint64_t w, uint64_t h, uint64_t freeAddressSpace)
{
    // Sides come from 32-bit header fields, so none of these products overflows.
    if (w == 0 || h == 0 || w > 0xFFFFFFFFu || h > 0xFFFFFFFFu || w * h > kMaxPicturePixels)
        return false;
    const uint64_t bytes = w * h * 4;
    return freeAddressSpace > kMargin && bytes <= (freeAddressSpace - kMargin) / 2;
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
