#pragma once
// Owning vector of pointers. Delete* operations destroy elements, Remove*
// operations only take them out; the destructor destroys what is still held.

#include <algorithm>
#include <vector>

template <class T>
class CCollector;

template <class T>
class CCollector<T*> {
public:
    using iterator = typename std::vector<T*>::iterator;
    using const_iterator = typename std::vector<T*>::const_iterator;

    CCollector() = default;
    CCollector(const CCollector&) = delete;
    CCollector& operator=(const CCollector&) = delete;
    virtual ~CCollector() { DeleteAll(); }

    virtual bool Add(T* item) {
        if (std::find(m_items.begin(), m_items.end(), item) != m_items.end()) return false;
        m_items.push_back(item);
        return true;
    }
    virtual bool AddAll(const std::vector<T*>* items) {
        if (!items) return false;
        m_items.insert(m_items.end(), items->begin(), items->end());
        return true;
    }
    virtual iterator EraseAt(iterator at) {
        delete *at;
        return m_items.erase(at);
    }
    virtual bool DeleteIndex(size_t index) {
        if (index >= m_items.size()) return false;
        EraseAt(m_items.begin() + index);
        return true;
    }
    virtual bool Delete(T* item) {
        auto at = std::find(m_items.begin(), m_items.end(), item);
        if (at == m_items.end()) return false;
        EraseAt(at);
        return true;
    }
    virtual iterator RemoveAt(iterator at) { return m_items.erase(at); }
    virtual bool Remove(T* item) {
        auto at = std::find(m_items.begin(), m_items.end(), item);
        if (at == m_items.end()) return false;
        m_items.erase(at);
        return true;
    }
    virtual void RemoveAll() { m_items.clear(); }
    virtual void DeleteAll() {
        // Take the list first so an element's destructor never sees a half-emptied one.
        std::vector<T*> doomed;
        doomed.swap(m_items);
        for (T* item : doomed) delete item;
    }
    virtual T* GetAt(size_t index) const { return index < m_items.size() ? m_items[index] : nullptr; }
    virtual int IndexOf(const T* item) const {
        auto at = std::find(m_items.begin(), m_items.end(), item);
        return at == m_items.end() ? -1 : static_cast<int>(at - m_items.begin());
    }

    size_t size() const { return m_items.size(); }
    bool empty() const { return m_items.empty(); }
    T* operator[](size_t index) const { return m_items[index]; }
    iterator begin() { return m_items.begin(); }
    iterator end() { return m_items.end(); }
    const_iterator begin() const { return m_items.begin(); }
    const_iterator end() const { return m_items.end(); }
    std::vector<T*>& Items() { return m_items; }
    const std::vector<T*>& Items() const { return m_items; }

private:
    std::vector<T*> m_items;
};
