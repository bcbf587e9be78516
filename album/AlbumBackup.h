#pragma once
// Albums as they are stored before a save changes them, and "Profile" of
// "Profiles", kept in memory so that a save that fails part-way can put the
// store back as it was: every kept album with its settings values, its photo
// paths and the letter case of its key; an album that was not stored is
// removed again.

#include <memory>
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
    // False when a write failed; it still puts back what it can.
    bool Restore();
    // The photos of the kept album `name` as stored; null when it was not stored.
    const CColReg<CSlide*>* KeptPhotos(const tstr& name) const;

private:
    struct Album {
        tstr name;
        tstr storedAs;   // the key's name as stored; null when there was none
        std::vector<tstr> values;   // by setting; null for a missing value
        CColReg<CSlide*> photos;
    };
    // The name of the key under "Profiles" that stands for `name`; null when none.
    tstr StoredAs(const tstr& name) const;
    bool Restore(Album& album);

    CRegStore& m_store;
    std::vector<tstr> m_settingNames;
    tstr m_profile;
    std::vector<std::unique_ptr<Album>> m_albums;
};
