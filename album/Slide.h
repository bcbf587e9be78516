#pragma once
// One photo of an album: the path of its file ("pic_path") and the pictures
// cached for it. Entries are owned by the album's photo list.

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

    // Frees both pictures and empties the path.
    virtual void Reset();
    // Path and cached pictures of another entry; nothing for null.
    virtual void CopyFrom(const CSlide* other);
    // Whether the store has a "pic_path" under key; reads nothing into this entry.
    virtual bool Exists(CRegStore& store, const tstr& key) const;
    // Called on every entry before the list is emptied.
    virtual bool OnRelease() { return true; }
    virtual bool LoadPath(CRegStore& store, const tstr& key);
    virtual bool SavePath(CRegStore& store, const tstr& key);
    // Whether the store holds this entry's path under key.
    virtual bool IsSavedAt(CRegStore& store, const tstr& key) const;

    // Decodes the file into the thumbnail unless there is one already; false
    // when the file is missing or cannot be decoded (tried again next time).
    bool MakeThumbnail();
    bool HasThumbnail() const { return !m_thumbnail.Empty(); }
    const CBmp& GetThumbnail() const { return m_thumbnail; }
    CBmp& GetPicture() { return m_picture; }

    const tstr& GetPath() const { return m_path.GetValue(); }
    void SetPath(const tstr& path) { m_path.SetValue(path); }
    CParam<tstr>& PathParam() { return m_path; }

    static const wchar_t kPathValue[];   // "pic_path"

private:
    CBmp m_picture;
    CBmp m_thumbnail;
    CParam<tstr> m_path;
};
