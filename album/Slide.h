#pragma once
// One photo of an album: the path of its file ("pic_path") and a picture
// cached for it. Its thumbnail is kept by the album's CThumbnails, shared by
// every entry of that file. Entries are owned by the album's photo list.

#include "settings/Param.h"
#include "settings/RegStore.h"
#include "picture/Bmp.h"
#include "ui/NavPaneItemData.h"

class CSlide : public CNavPaneItemData {
public:
    CSlide();
    explicit CSlide(const tstr& path);
    CSlide(const CSlide&) = delete;
    CSlide& operator=(const CSlide&) = delete;
    ~CSlide() override = default;

    // Frees the picture and empties the path.
    virtual void Reset();
    // Path and cached picture of another entry; nothing for null.
    virtual void CopyFrom(const CSlide* other);
    // Whether the store has a "pic_path" under key; reads nothing into this entry.
    virtual bool Exists(CRegStore& store, const tstr& key) const;
    // Called on every entry before the list is emptied.
    virtual bool OnRelease() { return true; }
    virtual bool LoadPath(CRegStore& store, const tstr& key);
    // Exists and LoadPath with one read; false, and nothing read, without one.
    bool LoadIfStored(CRegStore& store, const tstr& key);
    virtual bool SavePath(CRegStore& store, const tstr& key);
    // Whether the store holds this entry's path under key.
    virtual bool IsSavedAt(CRegStore& store, const tstr& key) const;

    CBmp& GetPicture() { return m_picture; }

    const tstr& GetPath() const { return m_path.GetValue(); }
    void SetPath(const tstr& path) { m_path.SetValue(path); }
    CParam<tstr>& PathParam() { return m_path; }
    // Marked as a favourite ("Favourite" "1" beside the path; absent when not).
    bool IsFavourite() const { return m_favourite; }
    void SetFavourite(bool on) { m_favourite = on; }

    static const wchar_t kPathValue[];   // "pic_path"
    static const wchar_t kFavouriteValue[];   // "Favourite"
    // The stored text of a favourite ("1").
    static bool FavouriteText(const tstr& text);

private:
    CBmp m_picture;
    CParam<tstr> m_path;
    bool m_favourite = false;
};
