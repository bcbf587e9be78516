#include "picture/ThumbMemory.h"

namespace {
size_t CostOf(const std::wstring& path, const std::shared_ptr<const CBmp>& thumbnail)
{
    const size_t pixels = thumbnail ? static_cast<size_t>(thumbnail->Width()) * thumbnail->Height() * 4 : 0;
    return pixels + path.size() * sizeof(wchar_t) + 64;
}
}  // namespace

CThumbMemory::Known CThumbMemory::Look(const std::wstring& path, std::shared_ptr<const CBmp>* thumbnail)
{
    auto found = m_byPath.find(path);
    if (found == m_byPath.end())
        return Known::No;
    Order::iterator at = found->second;
    if (!at->thumbnail)
        return Known::Unusable;
    m_order.splice(m_order.begin(), m_order, at);
    if (thumbnail)
        *thumbnail = at->thumbnail;
    return Known::Usable;
}

void CThumbMemory::Put(const std::wstring& path, std::shared_ptr<const CBmp> thumbnail)
{
    Drop(path);
    const size_t bytes = CostOf(path, thumbnail);
    m_order.push_front(Entry{path, std::move(thumbnail), bytes});
    m_byPath[path] = m_order.begin();
    m_bytes += bytes;
    while (m_bytes > m_budget && m_order.size() > 1)
        Remove(std::prev(m_order.end()));
}

void CThumbMemory::Drop(const std::wstring& path)
{
    auto found = m_byPath.find(path);
    if (found != m_byPath.end())
        Remove(found->second);
}

void CThumbMemory::Remove(Order::iterator at)
{
    m_bytes -= at->bytes;
    m_byPath.erase(at->path);
    m_order.erase(at);
}
