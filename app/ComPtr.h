#pragma once
// Owner of one COM interface pointer: released when the owner goes.

#include <unknwn.h>

template <class T>
class CComPtr {
public:
    CComPtr() = default;
    CComPtr(const CComPtr&) = delete;
    CComPtr& operator=(const CComPtr&) = delete;
    ~CComPtr() {
        if (m_ptr) m_ptr->Release();
    }

    T* operator->() const { return m_ptr; }
    explicit operator bool() const { return m_ptr != nullptr; }
    // For the out parameter of a creating call; the owner must be empty.
    void** OutVoid() { return reinterpret_cast<void**>(&m_ptr); }

private:
    T* m_ptr = nullptr;
};
