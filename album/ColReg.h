#pragma once
// An owning list whose entries persist as numbered keys of the settings store:
// entry i lives in section + "\" + pattern formatted with i ("%04d" gives 0000,
// 0001, ... 9999, 10000). T supplies Exists, LoadPath, LoadIfStored, SavePath,
// IsSavedAt, OnRelease, GetPath and IsFavourite.

#include <cwchar>
#include <cwctype>
#include <set>
#include <string>
#include <vector>

#include "settings/Collector.h"
#include "settings/RegStore.h"

template <class T>
class CColReg;

template <class T>
class CColReg<T*> : public CCollector<T*> {
public:
    virtual bool SetKeys(const tstr& section, const tstr& pattern) {
        m_pattern = pattern.IsEmpty() ? tstr(L"Item%03d") : pattern;
        return SetSection(section);
    }
    virtual tstr GetItemKeyFormat() const { return m_section + L"\\" + m_pattern; }
    virtual bool SetSection(const tstr& section) {
        m_section = section;
        return true;
    }
    virtual bool LoadValues(CRegStore* store, bool run) {
        if (run) LoadItemValues(store);
        return true;
    }
    virtual bool SaveValues(CRegStore* store, bool run) { return !run || SaveItems(store); }
    virtual bool DeleteSection(CRegStore& store) {
        if (m_section.IsEmpty()) return false;
        store.DeleteKey(m_section);
        return true;
    }

    // Creates one entry per stored key, stopping at the first index without one.
    virtual bool LoadItems(CRegStore& store) {
        return AddWhileStored([&store](T& item, const tstr& key) { return item.Exists(store, key); });
    }
    // LoadItems and LoadItemValues in one pass: each key is read once.
    bool LoadStoredItems(CRegStore& store) {
        return AddWhileStored([&store](T& item, const tstr& key) { return item.LoadIfStored(store, key); });
    }
    virtual bool ClearItems() {
        for (T* item : this->Items()) item->OnRelease();
        this->DeleteAll();
        return true;
    }
    virtual bool LoadItemValues(CRegStore* store) {
        if (m_pattern.IsEmpty()) return false;
        if (!store) return true;
        for (size_t i = 0; i < this->size(); ++i) (*this)[i]->LoadPath(*store, ItemKey(static_cast<int>(i)));
        return true;
    }
    // Renumbers from 0. Entries are written over the old ones first and only
    // once every one reads back as written are the keys no entry uses any
    // more removed, so that the list is complete in the store at every moment
    // of the save. False when a write failed or the store does not hold
    // exactly the list afterwards; stale keys then stay unless their removal
    // was what failed.
    virtual bool SaveItems(CRegStore* store) {
        if (m_pattern.IsEmpty() || !store) return false;
        for (size_t i = 0; i < this->size(); ++i)
            if (!(*this)[i]->SavePath(*store, ItemKey(static_cast<int>(i)))) return false;
        for (size_t i = 0; i < this->size(); ++i)
            if (!(*this)[i]->IsSavedAt(*store, ItemKey(static_cast<int>(i)))) return false;
        return DeleteStaleItems(*store) && StoredKeyCount(*store) == this->size();
    }

    // Whether the store holds exactly these entries (paths and favourites) in order, `stored`
    // being what LoadStoredItems read from it: a save would change nothing.
    bool SameAsStored(CRegStore& store, const CColReg& stored) const {
        if (stored.size() != this->size()) return false;
        for (size_t i = 0; i < this->size(); ++i)
            if (!((*this)[i]->GetPath() == stored[i]->GetPath()) ||
                (*this)[i]->IsFavourite() != stored[i]->IsFavourite())
                return false;
        return StoredKeyCount(store) == this->size();
    }

    // Key of entry i: the section, a backslash and the formatted pattern. The
    // section is not part of the format, so a "%" in it is taken literally.
    tstr ItemKey(int index) const {
        wchar_t name[64];
        const int length = std::swprintf(name, sizeof name / sizeof name[0], m_pattern.c_str(), index);
        return m_section + L"\\" + tstr(name, length > 0 ? static_cast<size_t>(length) : 0);
    }

private:
    // Adds an entry per index until stored(entry, key) says the key holds none.
    template <class Stored>
    bool AddWhileStored(Stored stored) {
        if (m_pattern.IsEmpty()) return false;
        for (int i = 0;; ++i) {
            T* item = new T;
            if (!stored(*item, ItemKey(i))) {
                delete item;
                return true;
            }
            this->Add(item);
        }
    }
    // Every sub-key of the section that is not the key of a held entry.
    // Registry names ignore case, so they are compared in upper case.
    bool DeleteStaleItems(CRegStore& store) {
        std::set<std::wstring> used;
        for (int i = 0; i < static_cast<int>(this->size()); ++i) used.insert(Upper(ItemKey(i)));
        std::vector<tstr> stale;
        for (const tstr& name : store.SubKeyNames(m_section)) {
            const tstr key = m_section + L"\\" + name;
            if (!used.count(Upper(key))) stale.push_back(key);
        }
        for (const tstr& key : stale)
            if (!store.RemoveKey(key)) return false;
        return true;
    }
    size_t StoredKeyCount(CRegStore& store) const { return store.SubKeyNames(m_section).size(); }
    static std::wstring Upper(const tstr& text) {
        std::wstring upper = text.Str();
        for (wchar_t& c : upper) c = static_cast<wchar_t>(std::towupper(c));
        return upper;
    }

    tstr m_section = tstr(L"");
    tstr m_pattern = tstr(L"");
};
