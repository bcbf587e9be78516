#include "picture/DecodeCount.h"

#include <atomic>

namespace {
std::atomic<long> g_decodes[static_cast<int>(DecodeKind::kCount)];
}  // namespace

void CountDecode(DecodeKind kind)
{
    g_decodes[static_cast<int>(kind)].fetch_add(1, std::memory_order_relaxed);
}

long DecodesOf(int kind)
{
    if (kind < 0 || kind >= static_cast<int>(DecodeKind::kCount))
        return 0;
    return g_decodes[kind].load(std::memory_order_relaxed);
}
