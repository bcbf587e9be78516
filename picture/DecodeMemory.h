#pragma once
// The pixel blocks decoders fill. A block that cannot be had means no memory
// for now, which a decode tells apart from a picture that cannot be read.

#include <cstddef>

class CBmp;

// out.Create(w, h); when that fails, `noMemory` is set.
bool CreateDecodeBlock(CBmp& out, int w, int h, bool& noMemory);

// Test seam: blocks of more than `bytes` cannot be had, as when other
// decodes took the room meanwhile; 0 turns it off.
void FailDecodeBlocksOver(size_t bytes);
