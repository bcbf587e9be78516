// The album list: enumeration, copying one album into another, names,
// renaming and deleting stored albums.

#include <set>

#include "album/AlbumBackup.h"
#include "tests/album/AlbumTest.h"

namespace {

using AlbumList = AlbumTest;

void SaveAlbum(const wchar_t* name, std::initializer_list<const wchar_t*> photos)
{
    std::unique_ptr<CWppProfile> album(CWppProfile::NewAlbumObject(name));
    for (const wchar_t* path : photos) album->AddPhoto(path);
    album->Save();
}

TEST_F(AlbumList, EnumeratesEveryStoredAlbum)
{
    SaveAlbum(L"Sea", {});
    SaveAlbum(L"Hills", {L"C:\\h.jpg"});
    SaveAlbum(L"Город", {});
    auto album = OpenAlbum(L"Sea");
    std::vector<tstr> names;
    ASSERT_TRUE(album->EnumAlbumNames(&names));
    std::set<std::wstring> found;
    for (const tstr& name : names) found.insert(name.Str());
    EXPECT_EQ((std::set<std::wstring>{L"Sea", L"Hills", L"Город"}), found);
    EXPECT_EQ(3u, names.size());
    EXPECT_FALSE(album->EnumAlbumNames(nullptr));
}

TEST_F(AlbumList, AssignCopiesPhotosSettingsAndIndex)
{
    auto source = OpenAlbum(L"Source");
    CSlide* photo = source->AddPhoto(L"C:\\a.jpg");
    ASSERT_TRUE(photo->GetPicture().Create(3, 2));
    source->AddPhoto(L"C:\\b.jpg");
    source->ThumbSize().SetValue(100);
    source->Timeout().SetValue(7);
    source->CommitAlbumSettings();
    source->Timeout().SetValue(9);
    source->MarginX().SetValue(44);
    source->Monitor().SetValue(tstr(L"\\\\.\\DISPLAY2"));
    source->Index().SetValue(1);

    auto target = OpenAlbum(L"Target");
    target->AddPhoto(L"C:\\old.jpg");
    target->Assign(*source);

    EXPECT_EQ((std::vector<std::wstring>{L"C:\\a.jpg", L"C:\\b.jpg"}), Paths(*target));
    EXPECT_NE(photo, target->Photos().GetAt(0));
    EXPECT_EQ(3, target->Photos().GetAt(0)->GetPicture().Width());
    EXPECT_EQ(100ul, target->ThumbSize().GetValue());
    EXPECT_EQ(9ul, target->Timeout().GetValue());
    EXPECT_EQ(44ul, target->MarginX().GetValue());
    EXPECT_EQ(L"\\\\.\\DISPLAY2", target->Monitor().GetValue().Str());
    EXPECT_EQ(1, target->Index().GetValue());
    EXPECT_EQ(L"Target", target->GetAlbumName().Str());
    target->RevertAlbumSettings();   // the committed state came along
    EXPECT_EQ(7ul, target->Timeout().GetValue());
    EXPECT_EQ(150ul, target->ThumbSize().GetMax());
}

TEST_F(AlbumList, ObjectWithLivePhotosReadsItsSettingsFromTheStoreAndSavesUnderItsName)
{
    SaveAlbum(L"Trip", {L"C:\\stored.jpg"});
    {
        auto stored = OpenAlbum(L"Trip");
        stored->Timeout().SetValue(12);
        ASSERT_TRUE(stored->Save());
    }
    auto live = OpenAlbum(L"Trip");
    live->AddPhoto(L"C:\\added.jpg");
    live->Timeout().SetValue(30);

    std::unique_ptr<CWppProfile> entry(CWppProfile::NewAlbumObjectWithPhotosOf(L"Trip", *live));
    EXPECT_EQ((std::vector<std::wstring>{L"C:\\stored.jpg", L"C:\\added.jpg"}), Paths(*entry));
    EXPECT_EQ(12ul, entry->Timeout().GetValue()) << "settings as stored, not as the live object has them";
    ASSERT_TRUE(entry->Save());
    EXPECT_EQ((std::vector<std::wstring>{L"C:\\stored.jpg", L"C:\\added.jpg"}), Paths(*OpenAlbum(L"Trip")));
}

// Settled reading: copying goes through SetValue, so whatever follows the
// target's settings (mirrors, bound controls) follows the copy too.
TEST_F(AlbumList, AssignNotifiesWhatFollowsTheSettings)
{
    auto source = OpenAlbum(L"Source");
    source->SliderVis().SetValue(33);
    auto target = OpenAlbum(L"Target");
    unsigned long mirror = 0;
    target->SliderVis().SetMirror(&mirror);
    target->Assign(*source);
    EXPECT_EQ(33ul, mirror);
}

TEST_F(AlbumList, NamesThatCannotBeKeysAreRefused)
{
    using P = CWppProfile::NameProblem;
    const std::vector<tstr> others = {L"Default", L"Sea"};
    EXPECT_EQ(P::None, CWppProfile::CheckAlbumName(L"Hills", others));
    EXPECT_EQ(P::Empty, CWppProfile::CheckAlbumName(L"", others));
    EXPECT_EQ(P::Empty, CWppProfile::CheckAlbumName(tstr(), others));
    EXPECT_EQ(P::Separator, CWppProfile::CheckAlbumName(L"a\\b", others));
    EXPECT_EQ(P::Taken, CWppProfile::CheckAlbumName(L"SEA", others));
    EXPECT_EQ(P::None, CWppProfile::CheckAlbumName(std::wstring(255, L'n'), others));
    EXPECT_EQ(P::TooLong, CWppProfile::CheckAlbumName(std::wstring(256, L'n'), others));
    for (const wchar_t* name : {L"x*app*", L"*firm*", L"a*prof*b"}) {
        EXPECT_EQ(P::Placeholder, CWppProfile::CheckAlbumName(name, others)) << name;
        // An album an earlier version stored under such a name keeps it.
        EXPECT_EQ(P::None, CWppProfile::CheckAlbumName(name, others, name)) << name;
    }
}

// Fault: the store took "*app*" in a stored album's name for its own
// placeholder: deleting, renaming or restoring "x*app*" touched "xLumora".
TEST_F(AlbumList, AlbumStoredUnderAPlaceholderNameTouchesOnlyItsOwnKey)
{
    SaveAlbum(L"xLumora", {L"C:\\l.jpg"});
    const std::vector<std::wstring> lumora = hkcu::Snapshot(AlbumPath(L"xLumora"));
    StorePhoto(L"x*app*", L"0000", L"C:\\a.jpg");
    StorePhoto(L"y*prof*", L"0000", L"C:\\y.jpg");
    EXPECT_EQ(std::vector<std::wstring>{L"C:\\a.jpg"}, Paths(*OpenAlbum(L"x*app*")));

    const std::vector<std::wstring> before = ProfilesSnapshot();
    {
        auto album = OpenAlbum(L"x*app*");
        album->AddPhoto(L"C:\\b.jpg");
        CRegStore::FailNthWrite(3, ERROR_ACCESS_DENIED);
        EXPECT_FALSE(album->Save());
    }
    EXPECT_EQ(before, ProfilesSnapshot());

    auto album = OpenAlbum(L"x*app*");
    album->RenameAlbum(L"Trip");
    EXPECT_TRUE(album->Save());
    EXPECT_TRUE(album->DeleteStoredAlbum(L"y*prof*"));
    EXPECT_EQ((std::vector<std::wstring>{L"Trip", L"xLumora"}), SubKeys(kProfiles));
    EXPECT_EQ(std::vector<std::wstring>{L"C:\\a.jpg"}, Paths(*OpenAlbum(L"Trip")));
    EXPECT_EQ(lumora, hkcu::Snapshot(AlbumPath(L"xLumora")));
}

TEST_F(AlbumList, RenameMovesTheStoredAlbum)
{
    SaveAlbum(L"Old", {L"C:\\a.jpg", L"C:\\b.jpg"});
    auto album = OpenAlbum(L"Old");
    album->ThumbSize().SetValue(99);
    album->RenameAlbum(L"New");
    album->Save();

    EXPECT_FALSE(KeyPresent(AlbumPath(L"Old").c_str()));
    EXPECT_EQ(L"New", ReadText(kProfiles, L"Profile"));
    auto reopened = OpenAlbum(L"New");
    EXPECT_EQ((std::vector<std::wstring>{L"C:\\a.jpg", L"C:\\b.jpg"}), Paths(*reopened));
    EXPECT_EQ(99ul, reopened->ThumbSize().GetValue());
}

TEST_F(AlbumList, RenamedTwiceBeforeSavingLeavesOneKey)
{
    SaveAlbum(L"Old", {L"C:\\a.jpg"});
    auto album = OpenAlbum(L"Old");
    album->RenameAlbum(L"Mid");
    album->RenameAlbum(L"New");
    EXPECT_EQ(L"Old", album->RenamedFrom().Str());
    album->Save();
    EXPECT_EQ(std::vector<std::wstring>{L"New"}, SubKeys(kProfiles));
    EXPECT_TRUE(album->RenamedFrom().IsEmpty());
}

// Making another album current changes the name; the save that follows must
// write that album's key and leave the previous one alone.
TEST_F(AlbumList, PointingAtAnotherAlbumMovesNothing)
{
    SaveAlbum(L"First", {L"C:\\a.jpg"});
    SaveAlbum(L"Second", {L"C:\\b.jpg"});
    auto current = OpenAlbum(L"First");
    current->PointAt(L"Second");
    current->Assign(*OpenAlbum(L"Second"));
    current->AddPhoto(L"C:\\c.jpg");
    current->Save();
    EXPECT_EQ(std::vector<std::wstring>{L"C:\\a.jpg"}, Paths(*OpenAlbum(L"First")));
    EXPECT_EQ((std::vector<std::wstring>{L"C:\\b.jpg", L"C:\\c.jpg"}), Paths(*OpenAlbum(L"Second")));
    EXPECT_EQ(L"Second", ReadText(kProfiles, L"Profile"));
}

// Fault: registry keys keep the letter case they were made with, so a
// rename in letter case only left the key under its old spelling.
TEST_F(AlbumList, RenameInLetterCaseOnlyRenamesTheKeyAndKeepsThePhotos)
{
    SaveAlbum(L"trip", {L"C:\\a.jpg"});
    auto album = OpenAlbum(L"trip");
    album->RenameAlbum(L"Trip");
    EXPECT_TRUE(album->Save());
    EXPECT_EQ(std::vector<std::wstring>{L"Trip"}, SubKeys(kProfiles));
    EXPECT_EQ(std::vector<std::wstring>{L"C:\\a.jpg"}, Paths(*OpenAlbum(L"Trip")));
    EXPECT_EQ(L"Trip", ReadText(kProfiles, L"Profile"));
}

// Fault: refused writes were reported as done and a rename then deleted the
// album. Every write of a save is refused in turn (the first, the second,
// ...): each failed save leaves the store exactly as it was, and the first
// save that meets no refusal stores the new album complete. In place, renamed,
// and renamed in letter case only.
TEST_F(AlbumList, EveryRefusedWriteOfASaveLeavesTheOldAlbumWhole)
{
    for (const wchar_t* name : {L"Old", L"New", L"OLD"}) {
        SCOPED_TRACE(name);
        SHDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Arvendal");
        SaveAlbum(L"Other", {L"C:\\o.jpg"});
        SaveAlbum(L"Old", {L"C:\\a.jpg", L"C:\\b.jpg", L"C:\\c.jpg"});
        const std::vector<std::wstring> before = ProfilesSnapshot();
        unsigned long refused = 1;
        for (;; ++refused) {
            auto album = OpenAlbum(L"Old");
            album->Photos().DeleteIndex(1);
            album->AddPhoto(L"C:\\d.jpg");
            album->AddPhoto(L"C:\\e.jpg");
            album->ThumbSize().SetValue(77);
            album->RenameAlbum(name);
            CRegStore::FailNthWrite(refused, ERROR_ACCESS_DENIED);
            if (album->Save()) break;
            ASSERT_EQ(before, ProfilesSnapshot()) << "write " << refused << " refused";
            EXPECT_EQ(static_cast<unsigned long>(ERROR_ACCESS_DENIED), album->SaveError());
        }
        // The save that went through met no refusal.
        EXPECT_NE(0ul, CRegStore::WritesBeforeFailure());
        CRegStore::FailNthWrite(0, 0);
        EXPECT_GT(refused, 20ul);
        std::vector<std::wstring> keys = {name, L"Other"};
        std::sort(keys.begin(), keys.end());
        EXPECT_EQ(keys, SubKeys(kProfiles));
        EXPECT_EQ(name, ReadText(kProfiles, L"Profile"));
        auto saved = OpenAlbum(name);
        EXPECT_EQ((std::vector<std::wstring>{L"C:\\a.jpg", L"C:\\c.jpg", L"C:\\d.jpg", L"C:\\e.jpg"}), Paths(*saved));
        EXPECT_EQ(77ul, saved->ThumbSize().GetValue());
    }
}

// A registry that refuses every write from some point on (locked, or its
// hive full) refuses the undoing writes too. Refused from the first write,
// a save leaves the store exactly as it was; refused later, its record puts
// the store back at the next start, once the registry takes writes again.
TEST_F(AlbumList, RegistryRefusingEveryWriteFromAnyPointKeepsTheStoredAlbum)
{
    for (const wchar_t* name : {L"Old", L"New"}) {
        SHDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Arvendal");
        SaveAlbum(L"Old", {L"C:\\a.jpg", L"C:\\b.jpg", L"C:\\c.jpg"});
        const std::vector<std::wstring> before = ProfilesSnapshot();
        for (unsigned long refused = 1;; ++refused) {
            auto album = OpenAlbum(L"Old");
            album->Photos().DeleteIndex(1);
            album->AddPhoto(L"C:\\d.jpg");
            album->Photos()[0]->SetFavourite(true);
            album->ThumbSize().SetValue(77);
            album->RenameAlbum(name);
            CRegStore::FailNthWrite(refused, ERROR_ACCESS_DENIED, true);
            const bool saved = album->Save();
            CRegStore::FailNthWrite(0, 0);
            if (saved) {
                EXPECT_GT(refused, 5ul) << name;
                break;
            }
            EXPECT_EQ(static_cast<unsigned long>(ERROR_ACCESS_DENIED), album->SaveError());
            if (refused == 1) {
                EXPECT_EQ(before, ProfilesSnapshot()) << name;
            }
            bool unfinished = false;
            EXPECT_TRUE(CAlbumBackup::RestoreUnfinished(album->GetStore(), &unfinished));
            EXPECT_EQ(refused > 1, unfinished) << name << ", refused from write " << refused;
            ASSERT_EQ(before, ProfilesSnapshot()) << name << ", refused from write " << refused;
        }
    }
}

// What a crash or another program left of a record puts nothing back, and goes.
TEST_F(AlbumList, UnreadableRecordOfASaveOnlyGoes)
{
    SaveAlbum(L"Old", {L"C:\\a.jpg"});
    const std::vector<std::wstring> before = ProfilesSnapshot();
    auto album = OpenAlbum(L"Old");
    const wchar_t* records[] = {L"13:Lumora save 17:Default1:", L"garbage", L"4:Sure-"};
    for (int i = 0; i < 3; ++i) {
        StoreText(kProfiles, CAlbumBackup::kRecordValue, records[i]);
        EXPECT_TRUE(CAlbumBackup::RestoreUnfinished(album->GetStore())) << i;
        EXPECT_EQ(before, ProfilesSnapshot()) << i;
    }
}

// An empty name makes "Profiles\" the album's key, the parent of every album.
TEST_F(AlbumList, AlbumWithUnusableNameTouchesNoOtherAlbum)
{
    SaveAlbum(L"Keep", {L"C:\\a.jpg"});
    for (const wchar_t* name : {L"", L"Keep\\Slides"}) {
        auto album = OpenAlbum(L"Keep");
        album->Photos().DeleteAll();
        album->RenameAlbum(name);
        EXPECT_FALSE(album->Save());
        EXPECT_FALSE(album->DeleteStoredAlbum(name));
    }
    EXPECT_EQ(L"Keep", ReadText(kProfiles, L"Profile"));
    EXPECT_EQ(std::vector<std::wstring>{L"Keep"}, SubKeys(kProfiles));
    EXPECT_EQ(std::vector<std::wstring>{L"C:\\a.jpg"}, Paths(*OpenAlbum(L"Keep")));
}

// "Profile" is a key name under "Profiles": what cannot be one means "Default".
TEST_F(AlbumList, StoredCurrentAlbumThatCannotBeAKeyIsDefault)
{
    SaveAlbum(L"Trip", {L"C:\\t.jpg"});
    for (const wchar_t* stored : {L"", L"a\\b", L"Trip\\Slides"}) {
        StoreText(kProfiles, L"Profile", stored);
        EXPECT_EQ(L"Default", OpenAlbum()->GetAlbumName().Str());
        auto album = OpenAlbum(L"Trip");
        ASSERT_TRUE(album->ReinitAlbum());
        EXPECT_EQ(L"Default", album->GetAlbumName().Str());
        EXPECT_TRUE(album->Photos().empty());
    }
    StoreText(kProfiles, L"Profile", L"Trip");
    auto album = OpenAlbum(L"Other");
    album->ReinitAlbum();
    album->Load();
    EXPECT_EQ(L"Trip", album->GetAlbumName().Str());
    EXPECT_EQ(std::vector<std::wstring>{L"C:\\t.jpg"}, Paths(*album));
}

TEST_F(AlbumList, DeleteStoredAlbumRemovesOnlyThatAlbum)
{
    SaveAlbum(L"One", {L"C:\\a.jpg"});
    SaveAlbum(L"Two", {L"C:\\b.jpg"});
    auto album = OpenAlbum(L"Two");
    EXPECT_TRUE(album->DeleteStoredAlbum(L"One"));
    EXPECT_EQ(std::vector<std::wstring>{L"Two"}, SubKeys(kProfiles));
}

}  // namespace
