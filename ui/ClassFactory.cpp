#include "ui/ClassFactory.h"

#include <vector>

#include "settings/Tstr.h"

namespace {

struct FactoryEntry {
    tstr name;
    WndFactoryCreate create;
    WndFactoryDestroy destroy;
};

std::vector<FactoryEntry>& Registry() {
    static std::vector<FactoryEntry> entries;
    return entries;
}

}  // namespace

void RegisterClassFactory(const wchar_t* className, WndFactoryCreate create,
                          WndFactoryDestroy destroy) {
    auto& entries = Registry();
    entries.insert(entries.begin(), FactoryEntry{tstr(className), create, destroy});
}

bool FindClassFactory(const wchar_t* className, WndFactoryCreate* create,
                      WndFactoryDestroy* destroy) {
    const tstr name(className);
    for (const FactoryEntry& entry : Registry()) {
        if (entry.name == name) {
            *create = entry.create;
            *destroy = entry.destroy;
            return true;
        }
    }
    return false;
}
