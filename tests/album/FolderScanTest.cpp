// The folder scan on real files, and the fill of an empty album at start-up.

#include <shlobj.h>

#include "album/FolderScan.h"
#include "tests/album/AlbumTest.h"
#include "tests/support/TempFolder.h"

namespace {

std::vector<std::wstring> Sorted(const std::vector<tstr>& paths)
{
    std::vector<std::wstring> sorted;
    for (const tstr& path : paths) sorted.push_back(path.Str());
    std::sort(sorted.begin(), sorted.end());
    return sorted;
}

TEST(PictureName, TypeIsTheTextAfterTheLastDotInAnyCase)
{
    for (const wchar_t* name : {L"a.JPG", L"b.jpeg", L"c.Gif", L"d.bmp", L".jpg", L"x.y.Jpeg"})
        EXPECT_TRUE(IsPictureFileName(name)) << name;
    for (const wchar_t* name : {L"e.txt", L"f.jpg.txt", L"g", L"jpg", L"h.", L"", L"i.jpgx", L"j.ico"})
        EXPECT_FALSE(IsPictureFileName(name)) << name;
    EXPECT_FALSE(IsPictureFileName(nullptr));
}

// Further types only where the system has a decoder: under Wine PNG and TIFF
// have one, WebP and HEIF none.
TEST(PictureName, TypesOfInstalledDecoders)
{
    for (const wchar_t* name : {L"e.png", L"f.TIF", L"g.tiff"})
        EXPECT_TRUE(IsPictureFileName(name)) << name;
    for (const wchar_t* name : {L"h.webp", L"i.heic", L"j.cur"})
        EXPECT_FALSE(IsPictureFileName(name)) << name;
}

TEST(FolderScan, AddsPictureFilesOnly)
{
    TempFolder temp;
    const std::wstring dir = temp.Path();
    for (const wchar_t* name : {L"a.JPG", L"b.jpeg", L"c.Gif", L"d.bmp", L"e.png", L"e.txt", L"f.jpg.txt", L"g"})
        TempFolder::File(dir + L"\\" + name);
    temp.Folder(L"h.jpg");
    TempFolder::File(dir + L"\\h.jpg\\inner.jpg");

    const std::vector<std::wstring> expected = {dir + L"\\a.JPG", dir + L"\\b.jpeg", dir + L"\\c.Gif",
                                                dir + L"\\d.bmp", dir + L"\\e.png"};
    EXPECT_EQ(expected, Sorted(ListPictureFiles(dir)));
    EXPECT_EQ(expected, Sorted(ListPictureFiles(dir + L"\\")));
}

TEST(FolderScan, NameThatIsOnlyTheExtension)
{
    TempFolder temp;
    TempFolder::File(temp.Path() + L"\\.jpg");
    EXPECT_EQ(std::vector<std::wstring>{temp.Path() + L"\\.jpg"}, Sorted(ListPictureFiles(temp.Path())));
}

TEST(FolderScan, NonAsciiNames)
{
    TempFolder temp;
    const std::wstring dir = temp.Folder(L"Фото été");
    TempFolder::File(dir + L"\\Море 日本.jpg");
    EXPECT_EQ(std::vector<std::wstring>{dir + L"\\Море 日本.jpg"}, Sorted(ListPictureFiles(dir)));
}

// A fixed 260-character buffer would cut such a path into a wrong one.
TEST(FolderScan, FolderPathLongerThanMaxPath)
{
    TempFolder temp;
    const std::wstring level(60, L'd');
    const std::wstring dir = temp.Folder(level + L"\\" + level + L"\\" + level + L"\\" + level + L"\\" + level);
    ASSERT_GT(dir.size(), static_cast<size_t>(MAX_PATH));
    TempFolder::File(dir + L"\\deep.jpg");
    TempFolder::File(dir + L"\\" + std::wstring(200, L'n') + L".gif");
    const std::vector<std::wstring> expected = {dir + L"\\deep.jpg", dir + L"\\" + std::wstring(200, L'n') + L".gif"};
    EXPECT_EQ(expected, Sorted(ListPictureFiles(dir)));
}

TEST(FolderScan, MissingFolderOrFileAddsNothing)
{
    TempFolder temp;
    const std::wstring file = TempFolder::File(temp.Path() + L"\\a.jpg");
    EXPECT_TRUE(ListPictureFiles(temp.Path() + L"\\none").empty());
    EXPECT_TRUE(ListPictureFiles(file).empty());
    EXPECT_TRUE(ListPictureFiles(L"").empty());
}

// An album whose shell folders are test folders; remembers what was asked.
class CFillAlbum : public CWppProfile {
public:
    std::wstring userPictures, commonPictures;
    std::vector<int> asked;
    std::vector<size_t> photosAtSave;

    bool Save() override {
        photosAtSave.push_back(Photos().size());
        return CWppProfile::Save();
    }

protected:
    bool GetShellFolder(int csidl, tstr& path) override {
        asked.push_back(csidl);
        const std::wstring& folder = csidl == CSIDL_MYPICTURES ? userPictures : commonPictures;
        if (folder.empty()) return false;
        path = folder;
        return true;
    }
};

class FirstRunFill : public AlbumTest {
protected:
    void SetUp() override {
        AlbumTest::SetUp();
        user = temp.Folder(L"user");
        common = temp.Folder(L"common");
        install = temp.Folder(L"install");
        album.SetSingleInstance(false);
        album.userPictures = user;
        album.commonPictures = common;
        ASSERT_TRUE(album.Init());
        album.Load();
    }
    void InstallPath(const std::wstring& folder) { StoreText(kOptions, L"InstallPath", folder); }

    TempFolder temp;
    std::wstring user, common, install;
    CFillAlbum album;
};

TEST_F(FirstRunFill, UserPicturesFirst)
{
    TempFolder::File(user + L"\\u.jpg");
    TempFolder::File(common + L"\\c.jpg");
    album.FillEmptyAlbum();
    EXPECT_EQ(std::vector<std::wstring>{user + L"\\u.jpg"}, Paths(album));
    EXPECT_EQ(std::vector<int>{CSIDL_MYPICTURES}, album.asked);
    EXPECT_EQ(std::vector<size_t>{1}, album.photosAtSave);
    EXPECT_EQ(L"Default", ReadText(kProfiles, L"Profile"));
    EXPECT_EQ(user + L"\\u.jpg", ReadText(AlbumPath(L"Default", L"Slides\\0000"), L"pic_path"));
}

TEST_F(FirstRunFill, CommonPicturesWhenUserPicturesHoldNone)
{
    TempFolder::File(user + L"\\notes.txt");
    TempFolder::File(common + L"\\c.jpg");
    InstallPath(install);
    TempFolder::File(install + L"\\i.jpg");
    album.FillEmptyAlbum();
    EXPECT_EQ(std::vector<std::wstring>{common + L"\\c.jpg"}, Paths(album));
    EXPECT_EQ((std::vector<int>{CSIDL_MYPICTURES, CSIDL_COMMON_PICTURES}), album.asked);
    EXPECT_EQ((std::vector<size_t>{0, 1}), album.photosAtSave);
}

TEST_F(FirstRunFill, InstallPathLastAndNotSaved)
{
    album.userPictures.clear();   // the platform cannot resolve it: still saved
    InstallPath(install);
    TempFolder::File(install + L"\\i.jpg");
    album.FillEmptyAlbum();
    EXPECT_EQ(std::vector<std::wstring>{install + L"\\i.jpg"}, Paths(album));
    EXPECT_EQ((std::vector<size_t>{0, 0}), album.photosAtSave);
}

TEST_F(FirstRunFill, OnlyAnEmptyAlbumIsFilled)
{
    album.FillEmptyAlbum();
    EXPECT_TRUE(album.Photos().empty());
    EXPECT_EQ(2u, album.photosAtSave.size());

    TempFolder::File(user + L"\\u.jpg");
    album.AddPhoto(L"C:\\mine.jpg");
    album.asked.clear();
    album.FillEmptyAlbum();
    EXPECT_EQ(std::vector<std::wstring>{L"C:\\mine.jpg"}, Paths(album));
    EXPECT_TRUE(album.asked.empty());
}

}  // namespace
