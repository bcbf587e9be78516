#include <cwchar>

#include "ui/Menu.h"

namespace {

CCollector<CMenu*>& Menus() {
    static CCollector<CMenu*> menus;
    return menus;
}

// The last name found and its menu. Only hits are kept, so a menu created
// after a failed lookup is always found.
struct LookupCache {
    static constexpr size_t kMaxName = 127;
    wchar_t name[kMaxName + 1] = L"";
    CMenu* menu = nullptr;

    CMenu* Get(const wchar_t* key) const {
        return menu && std::wcscmp(name, key) == 0 ? menu : nullptr;
    }
    void Put(const wchar_t* key, CMenu* found) {
        if (std::wcslen(key) > kMaxName) return;
        std::wcscpy(name, key);
        menu = found;
    }
    void Clear() {
        name[0] = L'\0';
        menu = nullptr;
    }
};

LookupCache g_cache;

CCollector<CMenu*>::iterator FindFirst(const wchar_t* name) {
    const tstr key(name);
    auto& menus = Menus().Items();
    for (auto it = menus.begin(); it != menus.end(); ++it)
        if ((*it)->Name() == key) return it;
    return menus.end();
}

}  // namespace

CMenu* CreateNamedMenu(const wchar_t* name) {
    if (!name) return nullptr;
    auto* menu = new CMenu(name);
    Menus().Items().push_back(menu);
    return menu;
}

CMenu* FindNamedMenu(const wchar_t* name) {
    if (!name) return nullptr;
    if (CMenu* cached = g_cache.Get(name)) return cached;
    auto it = FindFirst(name);
    if (it == Menus().end()) return nullptr;
    g_cache.Put(name, *it);
    return *it;
}

bool RemoveNamedMenu(const wchar_t* name) {
    if (!name) return false;
    auto it = FindFirst(name);
    if (it == Menus().end()) return false;
    if (g_cache.menu == *it) g_cache.Clear();
    Menus().EraseAt(it);
    return true;
}
