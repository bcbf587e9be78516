// The photo list in the store: numbered keys, renumbering on save, and a save
// that never leaves the album without its photos.

#include "tests/album/AlbumTest.h"

namespace {

using PhotoList = AlbumTest;

TEST_F(PhotoList, GapEndsLoadingAndSaveRenumbers)
{
    StorePhoto(L"Default", L"0000", L"C:\\a.jpg");
    StorePhoto(L"Default", L"0001", L"C:\\b.jpg");
    StorePhoto(L"Default", L"0003", L"C:\\d.jpg");
    auto album = OpenAlbum();
    EXPECT_EQ((std::vector<std::wstring>{L"C:\\a.jpg", L"C:\\b.jpg"}), Paths(*album));

    album->Save();
    EXPECT_EQ((std::vector<std::wstring>{L"0000", L"0001"}), SubKeys(kSlides));
    EXPECT_EQ(L"C:\\b.jpg", ReadText(kSlides + L"\\0001", L"pic_path"));
}

// A save's backup reads each stored photo once; it must read what a load does.
TEST_F(PhotoList, OnePassLoadReadsWhatTheTwoPassLoadReads)
{
    StorePhoto(L"Default", L"0000", L"C:\\a.jpg");
    StorePhoto(L"Default", L"0001", L"C:\\b.jpg");
    StoreText(kSlides + L"\\0002", L"other", L"no path");
    StorePhoto(L"Default", L"0003", L"C:\\d.jpg");
    auto album = OpenAlbum();
    CColReg<CSlide*> list;
    list.SetKeys(CWppProfile::SlidesKey(L"Default"), CWppProfile::kSlideKeyPattern);
    ASSERT_TRUE(list.LoadStoredItems(album->GetStore()));
    std::vector<std::wstring> paths;
    for (const CSlide* photo : list) paths.push_back(photo->GetPath().Str());
    EXPECT_EQ(Paths(*album), paths);
    EXPECT_EQ((std::vector<std::wstring>{L"C:\\a.jpg", L"C:\\b.jpg"}), paths);
    list.ClearItems();
}

// Every exit saves: an album that did not change writes nothing of its own
// and reads nothing back; a changed one writes only the keys that changed.
TEST_F(PhotoList, SaveWritesOnlyWhatChanged)
{
    auto album = OpenAlbum();
    for (int i = 0; i < 50; ++i) album->AddPhoto(L"C:\\p" + std::to_wstring(i) + L".jpg");
    ASSERT_TRUE(album->Save());
    const unsigned long plenty = 100000;
    const auto writesOfASave = [&] {
        CRegStore::FailNthWrite(plenty, ERROR_ACCESS_DENIED);
        EXPECT_TRUE(album->Save());
        const unsigned long writes = plenty - CRegStore::WritesBeforeFailure();
        CRegStore::FailNthWrite(0, 0);
        return writes;
    };
    // "Profile" and the program's own few settings; none of the album's 18
    // settings and 50 photos.
    const unsigned long unchanged = writesOfASave();
    EXPECT_LT(unchanged, 10ul);

    // Each changed key, and the save's record stored and removed again.
    album->Photos()[7]->SetPath(L"C:\\P7.jpg");
    EXPECT_EQ(unchanged + 1 + 2, writesOfASave());
    album->Photos().EraseAt(album->Photos().begin() + 48);
    album->Photos().EraseAt(album->Photos().begin() + 48);
    EXPECT_EQ(unchanged + 2 + 2, writesOfASave());
    album->ThumbSize().SetValue(99);
    EXPECT_LT(unchanged + 1 + 2, writesOfASave());

    auto stored = OpenAlbum();
    ASSERT_EQ(48u, stored->Photos().size());
    EXPECT_EQ(L"C:\\P7.jpg", stored->Photos()[7]->GetPath().Str());
    EXPECT_EQ(L"C:\\p47.jpg", stored->Photos()[47]->GetPath().Str());
    EXPECT_EQ(99ul, stored->ThumbSize().GetValue());
}

// The backup of a save that writes a few keys keeps those keys only: a
// refusal at any of them still leaves the album exactly as stored.
TEST_F(PhotoList, RefusedSaveOfFewChangesLeavesTheAlbumAsStored)
{
    auto album = OpenAlbum();
    for (int i = 0; i < 20; ++i) album->AddPhoto(L"C:\\p" + std::to_wstring(i) + L".jpg");
    ASSERT_TRUE(album->Save());
    const std::vector<std::wstring> before = ProfilesSnapshot();
    album->Photos()[3]->SetPath(L"C:\\new3.jpg");
    album->Photos().EraseAt(album->Photos().begin() + 19);
    album->AddPhoto(L"C:\\added.jpg");
    album->Photos().EraseAt(album->Photos().begin() + 18);
    for (unsigned long refused = 1; refused <= 4; ++refused) {
        CRegStore::FailNthWrite(refused, ERROR_ACCESS_DENIED);
        EXPECT_FALSE(album->Save()) << "refused write " << refused;
        CRegStore::FailNthWrite(0, 0);
        EXPECT_EQ(before, ProfilesSnapshot()) << "refused write " << refused;
    }
    ASSERT_TRUE(album->Save());
    EXPECT_EQ(L"C:\\added.jpg", ReadText(kSlides + L"\\0018", L"pic_path"));
    EXPECT_EQ(19u, OpenAlbum()->Photos().size());
}

TEST_F(PhotoList, PhotoNumber10001LivesUnderKey10000)
{
    auto album = OpenAlbum();
    for (int i = 0; i <= 10000; ++i) album->AddPhoto(L"C:\\p" + std::to_wstring(i) + L".jpg");
    album->Save();
    EXPECT_EQ(L"C:\\p9999.jpg", ReadText(kSlides + L"\\9999", L"pic_path"));
    EXPECT_EQ(L"C:\\p10000.jpg", ReadText(kSlides + L"\\10000", L"pic_path"));
    EXPECT_EQ(10001u, OpenAlbum()->Photos().size());
}

// Counts the photos another process would load from the store right now.
int StoredPhotoCount()
{
    std::unique_ptr<CWppProfile> reader(CWppProfile::NewAlbumObject(L"Default"));
    return static_cast<int>(reader->Photos().size());
}

// An entry that looks at the store at the moment it is written, as if the
// save were cut off right there.
class CProbeSlide : public CSlide {
public:
    CProbeSlide(const wchar_t* path, std::vector<int>& counts) : CSlide(path), m_counts(counts) {}
    bool SavePath(CRegStore& store, const tstr& key) override {
        m_counts.push_back(StoredPhotoCount());
        return CSlide::SavePath(store, key);
    }

private:
    std::vector<int>& m_counts;
};

// Deleting the album's key before rewriting it would lose the album to a kill
// or log-off in between.
TEST_F(PhotoList, SaveCutOffAnywhereLeavesThePhotoList)
{
    StorePhoto(L"Default", L"0000", L"C:\\a.jpg");
    StorePhoto(L"Default", L"0001", L"C:\\b.jpg");
    StorePhoto(L"Default", L"0002", L"C:\\c.jpg");
    StoreText(kSlides, L"ThumbSize", L"100");
    auto album = OpenAlbum();
    std::vector<int> counts;
    album->Photos().DeleteAll();
    album->Photos().Add(new CProbeSlide(L"C:\\x.jpg", counts));
    album->Photos().Add(new CProbeSlide(L"C:\\y.jpg", counts));
    album->Save();

    EXPECT_EQ((std::vector<int>{3, 3}), counts);
    EXPECT_EQ((std::vector<std::wstring>{L"C:\\x.jpg", L"C:\\y.jpg"}), Paths(*OpenAlbum()));
    EXPECT_EQ((std::vector<std::wstring>{L"0000", L"0001"}), SubKeys(kSlides));
    EXPECT_EQ(L"100", ReadText(kSlides, L"ThumbSize"));
}

TEST_F(PhotoList, SaveRemovesStaleKeysBesideTheSettings)
{
    StorePhoto(L"Default", L"0000", L"C:\\a.jpg");
    StoreText(AlbumPath(L"Default", L"Old"), L"x", L"1");
    StoreText(kSlides + L"\\junk", L"x", L"1");
    auto album = OpenAlbum();
    album->Save();
    EXPECT_EQ(std::vector<std::wstring>{L"Slides"}, SubKeys(AlbumPath(L"Default")));
    EXPECT_EQ(std::vector<std::wstring>{L"0000"}, SubKeys(kSlides));
}

TEST_F(PhotoList, EmptiedAlbumSavesNoPhotoKeys)
{
    StorePhoto(L"Default", L"0000", L"C:\\a.jpg");
    auto album = OpenAlbum();
    album->Photos().DeleteAll();
    album->Save();
    EXPECT_TRUE(SubKeys(kSlides).empty());
    EXPECT_FALSE(ValueNames(kSlides).empty());
}

}  // namespace
