#include "album/Slide.h"

const wchar_t CSlide::kPathValue[] = L"pic_path";

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
}

void CSlide::CopyFrom(const CSlide* other)
{
    if (!other) return;
    Reset();
    if (!other->m_picture.Empty()) m_picture = other->m_picture;
    SetPath(other->GetPath());
}

bool CSlide::Exists(CRegStore& store, const tstr& key) const
{
    tstr path;
    return store.ReadString(key, kPathValue, path);
}

bool CSlide::LoadPath(CRegStore& store, const tstr& key)
{
    m_path.Load(store, key);
    return true;
}

bool CSlide::LoadIfStored(CRegStore& store, const tstr& key)
{
    tstr path;
    if (!store.ReadString(key, kPathValue, path)) return false;
    SetPath(path);
    return true;
}

bool CSlide::SavePath(CRegStore& store, const tstr& key) { return m_path.Save(store, key); }

bool CSlide::IsSavedAt(CRegStore& store, const tstr& key) const
{
    tstr stored;
    return store.ReadString(key, kPathValue, stored) && stored == GetPath();
}
