#pragma once
// One album: its slide window settings and its ordered photo list. Every
// album is a complete application-layer object with its own store and its own
// "*prof*" placeholder, so the settings dialog can hold, edit and save one
// object per stored album; the application object is the current album.

#include <windows.h>

#include <vector>

#include "album/ColReg.h"
#include "album/Slide.h"
#include "app/App.h"
#include "settings/Edges.h"
#include "settings/Param.h"
#include "settings/ParamRegSet.h"
#include "ui/Dialog.h"
#include "ui/NavPaneItemData.h"

using CParamRange = CEdges<CParam<unsigned long>, unsigned long>;

class CWppProfile : public CApp, public CNavPaneItemData {
public:
    CWppProfile();

    // An album object as the settings dialog builds one for a stored or a new
    // album: no single-instance check, the given name, initialised (photo
    // entries created; Load reads their paths). Owned by the caller.
    static CWppProfile* NewAlbumObject(const tstr& name);

    // Builds the photo entries from the store (paths come with Load). Without
    // a name the album is the stored current one (see StoredCurrentAlbumName).
    bool Init() override;
    // The album layers of Init again, for the stored current album: name,
    // "*prof*" and photo entries; no window, tray or single-instance work.
    // Load follows as after Init.
    bool ReinitAlbum();
    // The photo entries of the album "*prof*" names, created afresh from the
    // store without the layers below (as Init does for the photo list).
    bool RebuildPhotoList();
    // Album settings, placement defaults, photo paths.
    bool Load() override;
    // An album never placed goes to the bottom corner away from the start
    // button.
    void ResolvePlacementDefaults();
    // Writes "Profile", the lower layers, the album settings and the photos in
    // place, then removes what is stale; a renamed album's old key goes last.
    // Refused, writing nothing, for a name that is not a usable key (see
    // CheckAlbumName).
    bool Save() override;

    // An album object has no window of its own.
    void CreateMainDialog(HWND) override {}
    CDialog* GetMainDialog() override { return &m_noDialog; }

    virtual void MakeThumbnails();
    virtual void CommitAlbumSettings();
    virtual void RevertAlbumSettings();

    // Makes this album a copy of another: new entries copied from its photos,
    // and the state of every album setting and of the current photo index.
    // The name is not copied.
    void Assign(const CWppProfile& other);

    // Photos
    CColReg<CSlide*>& Photos() { return m_photos; }
    const CColReg<CSlide*>& Photos() const { return m_photos; }
    CSlide* AddPhoto(const tstr& path);
    // Appends every picture file directly in the folder; nothing is persisted.
    void ScanFolder(const tstr& folder);
    // Start-up with an empty album: user Pictures, common Pictures (each
    // followed by Save), then the folder in "InstallPath" of "Options".
    void FillEmptyAlbum();
    // Makes the thumbnails and removes every entry that has none because its
    // file is gone or undecodable; photos out of reach (sleeping share,
    // removed disk) stay. The others keep their order.
    void DropUnusablePhotos();

    // An album that follows a folder ("Folder" set): its photo list is the
    // folder's pictures, kept in step while the program runs.
    bool FollowsFolder() const { return !m_folder.GetValue().IsEmpty(); }
    // Keeps the current list as an ordinary album.
    void Unlink();

    // The current photo index, brought back to 0 when it is past the end;
    // null/0 without photos. Deleting or dropping photos never re-wraps it.
    CSlide* CurrentPhoto();
    int CurrentIndex();
    CParam<int>& Index() { return m_index; }

    // Album names. The store's key names ignore case and take "\" as a
    // separator, and an empty name would address every album at once.
    enum class NameProblem { None, Empty, Separator, TooLong, Taken };
    static NameProblem CheckAlbumName(const tstr& name, const std::vector<tstr>& otherNames);
    // True when both name the same key: ignoring case, as the store does.
    static bool SameName(const tstr& a, const tstr& b);
    // Makes this object stand for the album `name`: the name and "*prof*"
    // change together, so no save can write one album over another's key.
    void PointAt(const tstr& name);
    // PointAt, and the stored album moves to the new key with the next Save
    // (written under the new name first, the old key removed after).
    void RenameAlbum(const tstr& name);
    // The stored name a pending rename will remove at the next Save; empty
    // when there is none.
    const tstr& RenamedFrom() const { return m_renamedFrom; }
    // The pending rename's old name, which the next Save then leaves in
    // place: for saving several albums, one of which may take the old name,
    // before any old key goes.
    tstr TakeRenamedFrom();
    // Removes the stored album `name`; refused for names that are not album names.
    bool DeleteStoredAlbum(const tstr& name);
    // "Profile" of "Profiles", or "Default" when that is missing or no usable
    // album name (it is a key name under "Profiles").
    tstr StoredCurrentAlbumName();

    // Settings
    CParamRange& ThumbSize() { return m_thumbSize; }
    CParam<unsigned long>& PlacementX() { return m_placementX; }
    CParam<unsigned long>& PlacementY() { return m_placementY; }
    CParamRange& SizeX() { return m_sizeX; }
    CParamRange& SizeY() { return m_sizeY; }
    CParam<unsigned long>& MarginX() { return m_marginX; }
    CParam<unsigned long>& MarginY() { return m_marginY; }
    CParam<int>& Maximized() { return m_maximized; }
    CParamRange& Timeout() { return m_timeout; }
    CParamRange& SliderVis() { return m_sliderVis; }
    CParamRange& SliderVisIn() { return m_sliderVisIn; }
    CParam<tstr>& Folder() { return m_folder; }
    const CParam<tstr>& Folder() const { return m_folder; }
    CParam<int>& Subfolders() { return m_subfolders; }
    const CParam<int>& Subfolders() const { return m_subfolders; }
    CParamRegSet& AlbumSettings() { return m_albumSettings; }

    // The application object's taskbar layout flag, which every album reads
    // to choose its default horizontal placement.
    static void SetTaskbarRtl(bool rtl) { s_taskbarRtl = rtl; }
    // Largest photo width or height for a screen side: a quarter, in range.
    static unsigned long PhotoSizeFor(int screenPixels);

    static const unsigned long kUnplaced = 0xFFFFFFFFul;
    static const unsigned long kMinPhotoSize = 100;
    static const unsigned long kMaxPhotoSize = 1000;
    static const int kMaxNameLength = 255;
    static const wchar_t kSlidesSection[];    // "*prof*Slides"
    static const wchar_t kSlideKeyPattern[];  // "%04d"
    static const wchar_t kOptionsSection[];   // "Options"
    static const wchar_t kInstallPathValue[]; // "InstallPath"

protected:
    // The shell folder (CSIDL) to fill an empty album from.
    virtual bool GetShellFolder(int csidl, tstr& path);

private:
    void DeleteStaleAlbumKeys();

    static bool s_taskbarRtl;

    CColReg<CSlide*> m_photos;
    CParam<int> m_index;
    CParamRange m_thumbSize;
    CParam<unsigned long> m_placementX;
    CParam<unsigned long> m_placementY;
    CParamRange m_sizeX;
    CParamRange m_sizeY;
    CParam<unsigned long> m_marginX;
    CParam<unsigned long> m_marginY;
    CParam<int> m_maximized;
    CParamRange m_timeout;
    CParamRange m_sliderVis;
    CParamRange m_sliderVisIn;
    CParam<tstr> m_folder;
    CParam<int> m_subfolders;
    CParamRegSet m_albumSettings;
    CDialog m_noDialog;
    tstr m_renamedFrom;
};
