#pragma once
// Compositing onto a w x h destination buffer that holds what is already on
// the target; shared by in-memory views and the device-context layer.

#include <cstdint>

class CBmp;

// Stretches src to w x h keeping bands of bandW columns and bandH rows at
// their natural size, and blends it over dst. Bands too wide for the source
// or the destination are narrowed to fit. False when nothing was drawn.
bool BlendStretchedBands(const CBmp& src, uint8_t* dst, int w, int h, int bandW, int bandH);
