#pragma once
// Albums as they are stored before a save changes them, and "Profile" of
// "Profiles", kept in memory so that a save that fails part-way can put the
// store back as it was: every kept album with its settings values, its photo
// entries (or those of the photo keys a save touches) and the letter case of
// its key; an album that was not stored is removed again.

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
    // The photos of the kept album `name` as stored; null when it was not stored.
    const CColReg<CSlide*>* KeptPhotos(const tstr& name) const;

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
    Album* Find(const tstr& name) const;
    void Keep(const tstr& name, bool wholeList);
    // The name of the key under "Profiles" that stands for `name`; null when none.
    tstr StoredAs(const tstr& name) const;
    bool Restore(Album& album);

    CRegStore& m_store;
    std::vector<tstr> m_settingNames;
    tstr m_profile;
    std::vector<std::unique_ptr<Album>> m_albums;
};
