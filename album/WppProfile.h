#pragma once
// One album: its slide window settings and its ordered photo list. Every
// album is a complete application-layer object with its own store and its own
// "*prof*" placeholder, so the settings dialog can hold, edit and save one
// object per stored album; the application object is the current album.

#include <windows.h>

#include <memory>
#include <vector>

#include "album/ColReg.h"
#include "album/OnThisDay.h"
#include "album/HiddenPhotos.h"
#include "album/ShuffleRound.h"
#include "album/Slide.h"
#include "album/StoredPhotoList.h"
#include "album/Thumbnails.h"
#include "settings/Edges.h"
#include "settings/Param.h"
#include "settings/ParamRegSet.h"
#include "ui/App.h"
#include "ui/Dialog.h"
#include "ui/NavPaneItemData.h"

class CAlbumBackup;

using CParamRange = CEdges<CParam<unsigned long>, unsigned long>;

class CWppProfile : public CApp, public CNavPaneItemData {
public:
    CWppProfile();

    // An album object as the settings dialog builds one for a stored or a new
    // album: no single-instance check, the given name, initialised (photo
    // entries created; Load reads their paths). Owned by the caller.
    static CWppProfile* NewAlbumObject(const tstr& name);
    // The same object after Load, except that its photo entries are copies
    // of `live`'s rather than read from the store again: for the album the
    // application object already holds.
    static CWppProfile* NewAlbumObjectWithPhotosOf(const tstr& name, const CWppProfile& live);

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
    // Init for start-up, without waiting for a long stored list: Load then
    // reads only the entry the show begins with (the stored round's photo,
    // else the first), ReadPhotoListAhead the rest on a worker. The list
    // stays pending until TakePhotoList hands it over; meanwhile the album
    // holds that one entry, and a save leaves the stored list as it is.
    bool InitWithoutPhotos();
    bool ReadPhotoListAhead(HWND target, UINT message);
    // The list of the worker's message `serial`, with the entry read ahead
    // in its place (the show may have it on screen); false for any other.
    bool TakePhotoList(WPARAM serial);
    // The worker's list is not waited for: exit.
    void StopReadingPhotoList() { m_listReader.Cancel(); }
    bool PhotoListPending() const { return m_listPending; }
    // Album settings, placement defaults, photo paths.
    bool Load() override;
    // An album never placed goes to the bottom corner away from the start
    // button.
    void ResolvePlacementDefaults();
    // Writes the album settings and the photos in place, reads the photos
    // back, removes what is stale, then writes "Profile" and the lower layers.
    // Of an album saved or loaded before by this object only what changed
    // since is written (nothing when nothing did, and nothing is read back);
    // a renamed album's old key goes last. When any of it fails, the store is
    // put back as it was before and SaveError tells why. Refused, writing
    // nothing, for a name that is not a usable key (see IsStorableName).
    bool Save() override;
    // Save, except that a pending rename's old key stays, and the rename stays
    // pending: for saving several albums, one of which may take the old name,
    // before any old key goes (see TakeRenamedFrom). A change of letter case
    // only is made all the same (the key is the album's own) and stays
    // pending too, so that it is made again should the albums be put back.
    bool SaveKeepingOldKey();
    // The system error code of the latest failed save.
    unsigned long SaveError() const { return m_saveError; }
    // The store was put back to what it held before a save of this album
    // went through: the next save writes it whole.
    void ForgetStoredState() { m_stored.Forget(); }

    // An album object has no window of its own.
    void CreateMainDialog(HWND) override {}
    CDialog* GetMainDialog() override { return &m_noDialog; }

    // Asks the workers for the thumbnail of every photo not known yet, in
    // album order behind those on screen; the listener hears as they arrive.
    virtual void MakeThumbnails(IThumbnailListener* listener = nullptr);
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
    // Removes every entry whose file the workers found missing or
    // undecodable; the others keep their order and the current photo stays
    // current. Decodes nothing.
    void DropUnusablePhotos();
    CThumbnails& Thumbnails() { return *m_thumbnails; }
    // The index of the photo of `path`; -1 when the album has none.
    int IndexOfPhoto(const tstr& path) const;
    // Takes the photo of `path` out of the list; the current photo stays
    // current (when it goes, the one after it is). False when there is none.
    bool RemovePhoto(const tstr& path);

    // Hidden photos leave the list and stay out of it, also when the folder
    // the album follows lists them. Shown again, a photo of an ordinary album
    // joins the end of its list; a followed folder's next listing brings it.
    CHiddenPhotos& Hidden() { return m_hidden; }
    const CHiddenPhotos& Hidden() const { return m_hidden; }
    void HidePhoto(const tstr& path);
    void UnhidePhoto(const tstr& path);
    // Favourites ("Favourite" of a photo's key) have two turns in each
    // shuffled round. False when the album has no photo of `path`.
    bool SetFavourite(const tstr& path, bool on);

    // An album that follows a folder ("Folder" set): its photo list is the
    // folder's pictures, kept in step while the program runs.
    bool FollowsFolder() const { return !m_folder.GetValue().IsEmpty(); }
    // Keeps the current list as an ordinary album.
    void Unlink();

    // A shuffled album ("Shuffle" 1) switches through a random round in which
    // every photo has its turn once; the round is stored with the album.
    CParam<int>& Shuffle() { return m_shuffle; }
    bool Shuffled() const { return m_shuffle.GetValue() != 0; }
    // The photo the round goes on with; -1 without photos.
    int NextInRound();
    // The photo at `index` had its turn in the round: shown (it is now on
    // screen) or passed over. Nothing unless shuffled.
    void PhotoShown(int index);
    void PhotoPassed(int index);
    const CShuffleRound& Round() const { return m_round; }
    // With "OnThisDay": the photo after `index` in album order, the photos
    // taken on this day in earlier years first (as far as their thumbnails
    // told their dates). Shuffled rounds put them first by themselves.
    int NextOnThisDay(int index);

    // The current photo index, brought back to 0 when it is past the end;
    // null/0 without photos. Deleting or dropping photos never re-wraps it.
    CSlide* CurrentPhoto();
    int CurrentIndex();
    CParam<int>& Index() { return m_index; }

    // Album names. The store's key names ignore case and take "\" as a
    // separator, and an empty name would address every album at once. A name
    // holding a store placeholder ("*app*") is refused unless it is
    // `keptName`, the album's own name: earlier versions stored such names.
    enum class NameProblem { None, Empty, Separator, TooLong, Placeholder, Taken };
    static NameProblem CheckAlbumName(const tstr& name, const std::vector<tstr>& otherNames,
                                      const tstr& keptName = tstr());
    // A key name below "Profiles", placeholders allowed: an album stored
    // under it can be read, saved, renamed and deleted.
    static bool IsStorableName(const tstr& name);
    // True when both name the same key: ignoring case, as the store does.
    static bool SameName(const tstr& a, const tstr& b);
    // Makes this object stand for the album `name`: the name and "*prof*"
    // change together, so no save can write one album over another's key.
    void PointAt(const tstr& name);
    // PointAt, and the stored album moves to the new key with the next Save
    // (written under the new name first, the old key removed after). Registry
    // keys keep the letter case they were made with, so a change of case
    // only moves the key too.
    void RenameAlbum(const tstr& name);
    // The stored name a pending rename will remove at the next Save; empty
    // when there is none.
    const tstr& RenamedFrom() const { return m_renamedFrom; }
    // The pending rename's old name, which is then no longer pending: once
    // the old key was dealt with after SaveKeepingOldKey.
    tstr TakeRenamedFrom();
    // Removes the stored album `name` (true when there is none); refused for
    // names that are not album names.
    bool DeleteStoredAlbum(const tstr& name);
    // "Profiles\<name>" and its settings key "Profiles\<name>\Slides".
    static tstr AlbumKey(const tstr& name);
    static tstr SlidesKey(const tstr& name);
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
    // Device name of the monitor the frame was last dropped on; empty for
    // the primary monitor of albums never dropped elsewhere.
    CParam<tstr>& Monitor() { return m_monitor; }
    // The frame kept out of screen sharing and screenshots; on by default.
    CParam<int>& HideFromCapture() { return m_hideFromCapture; }
    // What the caption drawn into each photo says (CaptionKind); 0: none.
    CParam<int>& Caption() { return m_caption; }
    // Photos taken on this day in earlier years come first.
    CParam<int>& OnThisDay() { return m_onThisDay; }
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
    // Load without the photo paths.
    bool LoadSettings();
    void CopyPhotosOf(const CWppProfile& other);
    bool SaveAlbum(bool dropOldKey);
    // The settings and photos under the key of `name`, read back, with
    // nothing else left below that key; `backup` keeps what it touches.
    bool WriteAlbumAt(const tstr& name, CAlbumBackup& backup);
    // Indices of the photos that differ from those known as stored.
    std::vector<int> ChangedPhotos() const;
    // Those photos, and the keys past the end go; `written` is set when anything was.
    bool WriteChangedPhotos(const std::vector<int>& changed, bool& written);
    // The album settings as a save would write them.
    tstr SettingsText() const;
    // The knowledge of what is stored is about `name` from now on.
    void KnowStoredPhotos(const tstr& name);
    // The stored list is the album's list now; `tidy`: nothing stray beside it.
    void KnowStoredPaths(bool tidy);
    bool DeleteStaleAlbumKeys(const tstr& albumName);
    // A name under which the album can stay while the letter case of its
    // key changes: no album is stored under it. Empty when none was found.
    tstr InterimName(const tstr& name);
    // The key of the photo at `index` in the round; false out of range.
    bool RoundKey(int index, uint64_t& key) const;
    // The round into its stored values (empty, so not stored, unless
    // shuffled) and back after a load.
    void RoundToSettings();
    void RoundFromSettings();
    bool TakenOnThisDay(int index, const CalendarDay& today) const;
    // The round's photos of this day, looked for again when dates, the day
    // or the list changed.
    void PreferPhotosOfThisDay();

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
    CParam<tstr> m_monitor;
    CParam<int> m_hideFromCapture;
    CParam<int> m_caption;
    CParam<int> m_onThisDay;
    CParam<int> m_shuffle;
    CParam<tstr> m_shuffleSeed;
    CParam<tstr> m_shufflePos;
    CParam<tstr> m_shuffleShown;
    CHiddenPhotos m_hidden;
    CShuffleRound m_round;
    struct DayLook {
        unsigned dates = 0;
        CalendarDay day;
        size_t photos = 0;
        bool on = false;
    } m_dayLook;
    CParamRegSet m_albumSettings;
    CDialog m_noDialog;
    tstr m_renamedFrom;
    unsigned long m_saveError = 0;
    StoredAlbum m_stored;
    CPhotoListReader m_listReader;
    bool m_listPending = false;
    // The stored position of the entry read ahead.
    int m_aheadAt = 0;
    std::shared_ptr<CThumbnails> m_thumbnails = CThumbnails::Shared();
};
