#pragma once
// The album list and the name of the current album. The album list is the
// set of sub-keys of "Profiles"; "Profile" names the current album.

#include <vector>

#include "settings/RegStore.h"
#include "settings/Tstr.h"

template <class Base>
class CProfileApp : public Base {
public:
    bool Init() override {
        if (m_albumName.IsEmpty()) this->GetStore().ReadString(kProfilesSection, kProfileValue, m_albumName);
        if (m_albumName.IsEmpty()) m_albumName = L"Default";
        this->GetStore().AddReplacement(L"*prof*", AlbumPrefix(m_albumName));
        return Base::Init();
    }

    // The album's key is not deleted first: the album layer rewrites it in
    // place and removes what is stale, so an interrupted save loses nothing.
    bool Save() override {
        // Written only when it changes: an album saved as it was writes nothing of its own.
        tstr stored;
        const bool same = this->GetStore().ReadString(kProfilesSection, kProfileValue, stored) && stored == m_albumName;
        return (same || this->GetStore().WriteString(kProfilesSection, kProfileValue, m_albumName)) && Base::Save();
    }

    virtual bool EnumAlbumNames(std::vector<tstr>* names) {
        if (!names) return false;
        tstr name;
        for (unsigned long i = 0; this->GetStore().EnumSubKey(kProfilesSection, i, name); ++i)
            names->push_back(name);
        return true;
    }

    const tstr& GetAlbumName() const { return m_albumName; }
    void SetAlbumName(const tstr& name) { m_albumName = name; }

    // "Profiles\<name>\": what "*prof*" stands for.
    static tstr AlbumPrefix(const tstr& name) { return tstr(L"Profiles\\") + CRegStore::Literal(name) + L"\\"; }

    static constexpr const wchar_t* kProfilesSection = L"Profiles";
    static constexpr const wchar_t* kProfileValue = L"Profile";

private:
    tstr m_albumName = tstr(L"");
};
