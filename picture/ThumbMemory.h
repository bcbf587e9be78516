#pragma once
// Thumbnails held in memory by path within a byte budget, the least recently
// drawn dropped first. Every holder of a thumbnail shares its one pixel
// block. A photo found unusable is remembered as well (a few bytes), so it
// is not decoded over and over while it is on screen.

#include <cstddef>
#include <list>
#include <memory>
#include <string>
#include <unordered_map>

#include "picture/Bmp.h"

class CThumbMemory {
public:
    enum class Known { No, Usable, Unusable };

    explicit CThumbMemory(size_t budgetBytes) : m_budget(budgetBytes) {}

    // What is known of the photo; a usable one becomes the most recently
    // drawn and is given in `thumbnail` (when not null).
    Known Look(const std::wstring& path, std::shared_ptr<const CBmp>* thumbnail = nullptr);
    // A new thumbnail, or null for an unusable photo; older ones go while
    // the budget is exceeded (never the one just put).
    void Put(const std::wstring& path, std::shared_ptr<const CBmp> thumbnail);
    // The file changed: what is known of it no longer holds.
    void Drop(const std::wstring& path);

    size_t Bytes() const { return m_bytes; }
    size_t Count() const { return m_order.size(); }

private:
    struct Entry {
        std::wstring path;
        std::shared_ptr<const CBmp> thumbnail;
        size_t bytes;
    };
    using Order = std::list<Entry>;

    void Remove(Order::iterator at);

    size_t m_budget;
    size_t m_bytes = 0;
    Order m_order;  // most recent first
    std::unordered_map<std::wstring, Order::iterator> m_byPath;
};
