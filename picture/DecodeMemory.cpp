#include "picture/DecodeMemory.h"

#include <atomic>

#include "picture/Bmp.h"

namespace {

std::atomic<size_t> g_failOver{0};

}  // namespace

bool CreateDecodeBlock(CBmp& out, int w, int h, bool& noMemory)
{
    const size_t over = g_failOver;
    const bool refused = over != 0 && w > 0 && h > 0 && static_cast<size_t>(w) * static_cast<size_t>(h) * 4 > over;
    if (!refused && out.Create(w, h))
        return true;
    out.Reset();
    noMemory = true;
    return false;
}

void FailDecodeBlocksOver(size_t bytes) { g_failOver = bytes; }
