#pragma once
// Which pictures may be decoded at all, and at what reduction. Decoders
// allocate the whole picture before they look at a pixel, so a size that
// does not fit is refused from the header, before any decoder sees it.

#include <cstdint>

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
