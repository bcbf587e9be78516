#include "album/Slide.h"

const wchar_t CSlide::kPathValue[] = L"pic_path";
const wchar_t CSlide::kFavouriteValue[] = L"Favourite";

namespace {
const wchar_t kFavouriteText[] = L"1";
}  // namespace

bool CSlide::FavouriteText(const tstr& text) { return text == tstr(kFavouriteText); }

CSlide::CSlide()
{
    m_path.SetName(kPathValue);
    Reset();
}

CSlide::CSlide(const tstr& path) : CSlide() { SetPath(path); }

void CSlide::Reset()
{
    m_picture.Reset();
    m_path.SetValue(tstr(L""));
    m_favourite = false;
}

void CSlide::CopyFrom(const CSlide* other)
{
    if (!other) return;
    Reset();
    if (!other->m_picture.Empty()) m_picture = other->m_picture;
    SetPath(other->GetPath());
    m_favourite = other->m_favourite;
}

bool CSlide::Exists(CRegStore& store, const tstr& key) const
{
    tstr path;
    return store.ReadString(key, kPathValue, path);
}

bool CSlide::LoadPath(CRegStore& store, const tstr& key)
{
    m_path.Load(store, key);
    tstr favourite;
    m_favourite = store.ReadString(key, kFavouriteValue, favourite) && FavouriteText(favourite);
    return true;
}

bool CSlide::LoadIfStored(CRegStore& store, const tstr& key)
{
    tstr path, favourite;
    if (!store.ReadStrings(key, kPathValue, path, kFavouriteValue, favourite)) return false;
    SetPath(path);
    m_favourite = FavouriteText(favourite);
    return true;
}

bool CSlide::SavePath(CRegStore& store, const tstr& key)
{
    if (!m_path.Save(store, key)) return false;
    if (m_favourite) return store.WriteString(key, kFavouriteValue, tstr(kFavouriteText));
    // Absent unless a favourite; removed only where the key held another photo's.
    tstr stale;
    return !store.ReadString(key, kFavouriteValue, stale) || store.WriteString(key, kFavouriteValue, tstr());
}

bool CSlide::IsSavedAt(CRegStore& store, const tstr& key) const
{
    tstr stored, favourite;
    return store.ReadStrings(key, kPathValue, stored, kFavouriteValue, favourite) && stored == GetPath() &&
           FavouriteText(favourite) == m_favourite;
}
