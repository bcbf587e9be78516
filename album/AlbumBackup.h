#pragma once
// Albums as they are stored before a save changes them, and "Profile" of
// "Profiles", kept so that a save that fails part-way can put the store back
// as it was: every kept album with its settings values, its photo entries
// (or those of the photo keys a save touches) and the letter case of its
// key; an album that was not stored is removed again.
//
// Before the save's first write, what is kept is stored too, as one value
// ("UnfinishedSave" of "Profiles"), and it goes again once the save is
// complete or undone. A registry that refuses every write from some point on
// refuses the undoing too: the value then puts the store back at the next
// start or save. Backups made while one is open (an album's own save within
// the settings dialog's) add what they keep to the outermost one's record.

#include <memory>
#include <utility>
#include <vector>

#include "album/ColReg.h"
#include "album/Slide.h"
#include "settings/ParamRegSet.h"
#include "settings/RegStore.h"

class CAlbumBackup {
public:
    // The values kept of an album's settings key are those of `settings`.
    CAlbumBackup(CRegStore& store, const CParamRegSet& settings);
    ~CAlbumBackup();
    CAlbumBackup(const CAlbumBackup&) = delete;
    CAlbumBackup& operator=(const CAlbumBackup&) = delete;

    // Reads the album `name` as stored now. Names that differ in letter case
    // only are one key and are read once.
    void Keep(const tstr& name);
    // Keep without the photo list: of the photos, only the keys named to
    // KeepPhoto before the save writes or removes them are kept.
    void KeepSettings(const tstr& name);
    // The photo key of entry `index` of an album kept by KeepSettings, as
    // stored now; once per key, the first look counts.
    void KeepPhoto(const tstr& name, int index);
    // False when a write failed; it still puts back what it can.
    bool Restore();
    // The save is complete and its record goes; false when that is refused,
    // and then the save is to be undone like any other that failed.
    bool Commit();
    // The photos of the kept album `name` as stored; null when it was not stored.
    const CColReg<CSlide*>* KeptPhotos(const tstr& name) const;

    // The store as it was before a save that left its record; true when
    // there was none or it is put back. `found` tells whether there was one.
    static bool RestoreUnfinished(CRegStore& store, bool* found = nullptr);

    static const wchar_t kRecordValue[];

private:
    struct Album {
        tstr name;
        tstr storedAs;   // the key's name as stored; null when there was none
        std::vector<tstr> values;   // by setting; null for a missing value
        bool wholeList = true;
        CColReg<CSlide*> photos;
        // entry index, its path as stored (null where there was none) and
        // whether it was a favourite
        struct Touched {
            int index;
            tstr path;
            bool favourite;
        };
        std::vector<Touched> touched;
    };
    // Only what a record holds; no record of its own.
    explicit CAlbumBackup(CRegStore& store);

    Album* Find(const tstr& name) const;
    void Keep(const tstr& name, bool wholeList);
    // The name of the key under "Profiles" that stands for `name`; null when none.
    tstr StoredAs(const tstr& name) const;
    bool Restore(Album& album);
    // The record is (again) to be stored before the next write.
    void KeepRecordAhead();
    // 0, or the system error that kept the record from the store.
    unsigned long StoreRecord();
    bool RemoveRecord();
    tstr Record() const;
    bool ReadRecord(const tstr& text);

    CRegStore& m_store;
    std::vector<tstr> m_settingNames;
    tstr m_profile;
    std::vector<std::unique_ptr<Album>> m_albums;
    CAlbumBackup* m_outer = nullptr;  // the open backup this one adds to
    bool m_recording = false;         // keeps a record in the store
    bool m_recordStored = false;
    bool m_blocked = false;           // an earlier record could not be undone
    unsigned long m_blockedError = 0;
};
