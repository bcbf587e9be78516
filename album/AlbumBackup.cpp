#include "album/AlbumBackup.h"

#include "album/WppProfile.h"

CAlbumBackup::CAlbumBackup(CRegStore& store, const CParamRegSet& settings) : m_store(store)
{
    for (const IParamReg* setting : settings.Members()) m_settingNames.push_back(setting->GetName());
    m_store.ReadString(CWppProfile::kProfilesSection, CWppProfile::kProfileValue, m_profile);
}

tstr CAlbumBackup::StoredAs(const tstr& name) const
{
    tstr key;
    for (unsigned long i = 0; m_store.EnumSubKey(CWppProfile::kProfilesSection, i, key); ++i)
        if (CWppProfile::SameName(key, name)) return key;
    return tstr();
}

CAlbumBackup::Album* CAlbumBackup::Find(const tstr& name) const
{
    for (const auto& kept : m_albums)
        if (CWppProfile::SameName(kept->name, name)) return kept.get();
    return nullptr;
}

void CAlbumBackup::Keep(const tstr& name) { Keep(name, true); }

void CAlbumBackup::KeepSettings(const tstr& name) { Keep(name, false); }

void CAlbumBackup::Keep(const tstr& name, bool wholeList)
{
    if (Find(name)) return;
    auto album = std::make_unique<Album>();
    album->name = name;
    album->storedAs = StoredAs(name);
    album->wholeList = wholeList;
    if (!album->storedAs.IsNull()) {
        const tstr slides = CWppProfile::SlidesKey(album->storedAs);
        for (const tstr& setting : m_settingNames) {
            tstr value;
            album->values.push_back(m_store.ReadString(slides, setting, value) ? value : tstr());
        }
        album->photos.SetKeys(slides, CWppProfile::kSlideKeyPattern);
        if (wholeList) album->photos.LoadStoredItems(m_store);
    }
    m_albums.push_back(std::move(album));
}

void CAlbumBackup::KeepPhoto(const tstr& name, int index)
{
    Album* album = Find(name);
    // Not stored before: the whole key goes again should the save fail.
    if (!album || album->wholeList || album->storedAs.IsNull()) return;
    for (const auto& touched : album->touched)
        if (touched.index == index) return;
    tstr path, favourite;
    const tstr key = album->photos.ItemKey(index);
    const bool stored = m_store.ReadStrings(key, CSlide::kPathValue, path, CSlide::kFavouriteValue, favourite);
    album->touched.push_back({index, stored ? path : tstr(), CSlide::FavouriteText(favourite)});
}

const CColReg<CSlide*>* CAlbumBackup::KeptPhotos(const tstr& name) const
{
    const Album* kept = Find(name);
    return kept && kept->wholeList && !kept->storedAs.IsNull() ? &kept->photos : nullptr;
}

bool CAlbumBackup::Restore()
{
    bool restored = true;
    for (const auto& album : m_albums) restored = Restore(*album) && restored;
    return m_store.WriteString(CWppProfile::kProfilesSection, CWppProfile::kProfileValue, m_profile) && restored;
}

bool CAlbumBackup::Restore(Album& album)
{
    const tstr now = StoredAs(album.name);
    // A key that was not there, or whose letter case changed, goes; the
    // latter is then made again under its old name.
    if (!now.IsNull() && !(album.storedAs == now) && !m_store.RemoveKey(CWppProfile::AlbumKey(now))) return false;
    if (album.storedAs.IsNull()) return true;
    const tstr slides = CWppProfile::SlidesKey(album.storedAs);
    bool restored = true;
    for (size_t i = 0; i < m_settingNames.size(); ++i)
        restored = m_store.WriteString(slides, m_settingNames[i], album.values[i]) && restored;
    if (album.wholeList) return album.photos.SaveItems(&m_store) && restored;
    for (const auto& touched : album.touched) {
        const tstr key = album.photos.ItemKey(touched.index);
        CSlide photo(touched.path);
        photo.SetFavourite(touched.favourite);
        restored = (touched.path.IsNull() ? m_store.RemoveKey(key) : photo.SavePath(m_store, key)) && restored;
    }
    return restored;
}
