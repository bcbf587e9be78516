#pragma once
// The program's two-pass integer resampler: rows first (W x H -> W x H'),
// then columns (-> W' x H'). Exact to the written integer rules for any size
// up to 65535 x 65535: products that exceed 32 bits are taken in 64 bits.

#include <cstdint>

// Returns a new zero-based buffer of newW x newH BGRA pixels (release with
// std::free), or null when a size is not positive, a buffer does not fit, or
// an allocation fails. The source is not touched.
uint8_t* ResamplePixels(const uint8_t* src, int w, int h, int newW, int newH);
