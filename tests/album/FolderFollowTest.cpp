// Albums that follow a folder: listing whole trees, telling an offline
// location from a missing file, the worker that watches the folder, and
// turning its listings into the photo list.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "album/FolderFollow.h"
#include "album/FolderScan.h"
#include "album/PhotoLocation.h"
#include "album/WppProfile.h"
#include "tests/album/ThumbnailKit.h"
#include "tests/support/BmpFile.h"
#include "tests/support/Deadline.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UnixSide.h"

namespace {

std::vector<std::wstring> PathsOf(const PictureTree& tree) {
    std::vector<std::wstring> paths;
    for (const PictureFile& file : tree.files) paths.push_back(file.path.Str());
    return paths;
}

std::vector<std::wstring> PathsOf(const CWppProfile& album) {
    std::vector<std::wstring> paths;
    for (const CSlide* photo : album.Photos()) paths.push_back(photo->GetPath().Str());
    return paths;
}

std::wstring Bmp(const std::wstring& path) { return TempFolder::File(path, BmpBytes(4, 3)); }

// ---- trees

TEST(PictureTree, NaturalOrderAndEachFolderBeforeItsSubfolders) {
    TempFolder temp;
    const std::wstring top = temp.Path();
    for (const wchar_t* name : {L"IMG_10.jpg", L"IMG_2.jpg", L"a.bmp", L"notes.txt"}) TempFolder::File(top + L"\\" + name);
    TempFolder::File(temp.Folder(L"b") + L"\\x.gif");
    TempFolder::File(temp.Folder(L"a10") + L"\\y.jpg");
    TempFolder::File(temp.Folder(L"a2\\inner") + L"\\z.jpg");
    TempFolder::File(top + L"\\a2\\w.jpg");

    const PictureTree all = ListPictureTree(top, true, nullptr);
    EXPECT_EQ(PictureTree::Listed, all.result);
    const std::vector<std::wstring> expected = {top + L"\\a.bmp",        top + L"\\IMG_2.jpg", top + L"\\IMG_10.jpg",
                                                top + L"\\a2\\w.jpg",    top + L"\\a2\\inner\\z.jpg",
                                                top + L"\\a10\\y.jpg",   top + L"\\b\\x.gif"};
    EXPECT_EQ(expected, PathsOf(all));

    const PictureTree flat = ListPictureTree(top + L"\\", false, nullptr);
    EXPECT_EQ((std::vector<std::wstring>{top + L"\\a.bmp", top + L"\\IMG_2.jpg", top + L"\\IMG_10.jpg"}),
              PathsOf(flat));
}

// A link back up the tree would list the same pictures for ever.
TEST(PictureTree, LinkedHiddenAndSystemFoldersAreNotEntered) {
    TempFolder temp(L"Z:\\tmp\\");
    const std::wstring top = temp.Path();
    const std::wstring unixTop = unixside::UnixPath(top);
    TempFolder::File(top + L"\\top.jpg");
    TempFolder::File(temp.Folder(L"real") + L"\\real.jpg");
    TempFolder::File(temp.Folder(L"hidden") + L"\\h.jpg");
    TempFolder::File(temp.Folder(L"system") + L"\\s.jpg");
    SetFileAttributesW((top + L"\\hidden").c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesW((top + L"\\system").c_str(), FILE_ATTRIBUTE_SYSTEM);
    ASSERT_TRUE(unixside::Symlink(unixTop + L"/real", unixTop + L"/link"));
    ASSERT_TRUE(unixside::Symlink(unixTop, unixTop + L"/real/loop"));
    ASSERT_NE(0u, GetFileAttributesW((top + L"\\link").c_str()) & FILE_ATTRIBUTE_REPARSE_POINT);

    const PictureTree tree = ListPictureTree(top, true, nullptr);
    EXPECT_EQ(PictureTree::Listed, tree.result);
    EXPECT_EQ((std::vector<std::wstring>{top + L"\\top.jpg", top + L"\\real\\real.jpg"}), PathsOf(tree));
    // The folder chosen may itself be a link.
    EXPECT_EQ(std::vector<std::wstring>{top + L"\\link\\real.jpg"}, PathsOf(ListPictureTree(top + L"\\link", true, nullptr)));
    // Wine removes no links from the Windows side.
    unixside::Start(L"/bin/rm", L"-rf " + unixTop);
    unixside::AwaitPath(top, false);
}

TEST(PictureTree, FoldersBelowTheDepthLimitAreNotEntered) {
    TempFolder temp;
    std::wstring relative = L"d";
    std::wstring folder = temp.Path();
    TempFolder::File(folder + L"\\0.jpg");
    for (int depth = 1; depth <= kMaxFolderDepth + 2; ++depth) {
        folder += L"\\d";
        temp.Folder(relative);
        TempFolder::File(folder + L"\\" + std::to_wstring(depth) + L".jpg");
        relative += L"\\d";
    }
    const PictureTree tree = ListPictureTree(temp.Path(), true, nullptr);
    ASSERT_EQ(static_cast<size_t>(kMaxFolderDepth + 1), tree.files.size());
    EXPECT_NE(std::wstring::npos, tree.files.back().path.Str().find(std::to_wstring(kMaxFolderDepth) + L".jpg"));
}

TEST(PictureTree, SubfolderPathsLongerThanMaxPath) {
    TempFolder temp;
    const std::wstring level(80, L'n');
    const std::wstring deep = temp.Folder(level + L"\\" + level + L"\\" + level + L"\\" + level);
    ASSERT_GT(deep.size(), static_cast<size_t>(MAX_PATH));
    TempFolder::File(deep + L"\\deep.jpg");
    EXPECT_EQ(std::vector<std::wstring>{deep + L"\\deep.jpg"}, PathsOf(ListPictureTree(temp.Path(), true, nullptr)));
}

TEST(PictureTree, MissingFolderOrFileIsGoneAndAnOfflineDriveIsUnreachable) {
    TempFolder temp;
    const std::wstring file = TempFolder::File(temp.Path() + L"\\a.jpg");
    EXPECT_EQ(PictureTree::FolderGone, ListPictureTree(temp.Path() + L"\\none", true, nullptr).result);
    EXPECT_EQ(PictureTree::FolderGone, ListPictureTree(file, true, nullptr).result);
    EXPECT_EQ(PictureTree::FolderGone, ListPictureTree(L"", false, nullptr).result);

    unixside::MappedDrive drive(L'Q');
    TempFolder::File(drive.Root() + L"p.jpg");
    EXPECT_EQ(std::vector<std::wstring>{drive.Root() + L"p.jpg"}, PathsOf(ListPictureTree(drive.Root(), false, nullptr)));
    drive.Unplug();
    EXPECT_EQ(PictureTree::Unreachable, ListPictureTree(drive.Root(), false, nullptr).result);
    EXPECT_EQ(PictureTree::Unreachable, ListPictureTree(L"\\\\lumora-no-such-host\\photos", true, nullptr).result);
}

// ---- offline is not missing

TEST(PhotoLocation, GoneOnlyWhereTheLocationAnswers) {
    TempFolder temp;
    EXPECT_EQ(PhotoPlace::Present, LocatePhoto(TempFolder::File(temp.Path() + L"\\a.jpg")));
    EXPECT_EQ(PhotoPlace::Gone, LocatePhoto(temp.Path() + L"\\b.jpg"));
    EXPECT_EQ(PhotoPlace::Gone, LocatePhoto(temp.Path() + L"\\no folder\\b.jpg"));

    unixside::MappedDrive drive(L'Q');
    const std::wstring photo = TempFolder::File(drive.Root() + L"p.jpg");
    EXPECT_EQ(PhotoPlace::Present, LocatePhoto(photo));
    drive.Unplug();
    EXPECT_EQ(PhotoPlace::Unreachable, LocatePhoto(photo));
    EXPECT_EQ(PhotoPlace::Unreachable, LocatePhoto(L"R:\\never mapped\\p.jpg"));
    EXPECT_EQ(PhotoPlace::Unreachable, LocatePhoto(L"\\\\lumora-no-such-host\\photos\\p.jpg"));
    drive.PlugIn();
    EXPECT_EQ(PhotoPlace::Present, LocatePhoto(photo));
}

TEST(PhotoLocation, Roots) {
    EXPECT_EQ(L"C:\\", PathRoot(L"C:\\a\\b.jpg").Str());
    EXPECT_EQ(L"\\\\host\\share\\", PathRoot(L"\\\\host\\share\\a\\b.jpg").Str());
    EXPECT_EQ(L"\\\\host\\share\\", PathRoot(L"\\\\host\\share").Str());
    EXPECT_EQ(L"\\\\?\\UNC\\host\\share\\", PathRoot(L"\\\\?\\UNC\\host\\share\\b.jpg").Str());
    EXPECT_EQ(L"\\\\?\\D:\\", PathRoot(L"\\\\?\\D:\\b.jpg").Str());
    EXPECT_TRUE(PathRoot(L"relative\\b.jpg").IsEmpty());
    EXPECT_TRUE(PathRoot(L"\\\\host").IsEmpty());
}

// An album whose photos are kept while their drive sleeps, dropped once
// really gone: an offline photo is neither made nor unusable for the workers
// nor for the show.
TEST(PhotoLocation, GonePhotosAreDroppedAndOfflineOnesKept) {
    TempFolder temp;
    unixside::MappedDrive drive(L'Q');
    const std::wstring offline = Bmp(drive.Root() + L"offline.bmp");
    const std::wstring here = Bmp(temp.Path() + L"\\here.bmp");
    drive.Unplug();
    CWppProfile album;
    for (const std::wstring& path : {offline, here, temp.Path() + L"\\gone.bmp"}) album.AddPhoto(path);
    album.MakeThumbnails();
    ASSERT_TRUE(PumpUntilDone(album.Thumbnails()));
    album.Thumbnails().ShowFailed(offline);
    album.DropUnusablePhotos();
    EXPECT_EQ((std::vector<std::wstring>{offline, here}), PathsOf(album));
    EXPECT_EQ(CThumbnails::Known::No, album.Thumbnails().KnownState(offline));
}

// ---- listings become the photo list

TEST(FolderPaths, EntriesStayAndTheIndexFollowsThePhotoOnScreen) {
    CWppProfile album;
    for (const wchar_t* path : {L"C:\\a.jpg", L"C:\\b.jpg", L"C:\\c.jpg"}) album.AddPhoto(path);
    CSlide* b = album.Photos()[1];
    album.Index().SetValue(1);
    const auto make = [](const tstr& path) { return new CSlide(path); };

    EXPECT_TRUE(ApplyFolderPaths(album, {L"C:\\0.jpg", L"C:\\b.jpg", L"C:\\c.jpg", L"C:\\d.jpg"}, make));
    EXPECT_EQ((std::vector<std::wstring>{L"C:\\0.jpg", L"C:\\b.jpg", L"C:\\c.jpg", L"C:\\d.jpg"}), PathsOf(album));
    EXPECT_EQ(b, album.Photos()[1]);
    EXPECT_EQ(1, album.Index().GetValue());
    EXPECT_FALSE(ApplyFolderPaths(album, {L"C:\\0.jpg", L"C:\\b.jpg", L"C:\\c.jpg", L"C:\\d.jpg"}, make));

    // The photo on screen leaves: the next step shows the one after it.
    EXPECT_TRUE(ApplyFolderPaths(album, {L"C:\\0.jpg", L"C:\\c.jpg", L"C:\\d.jpg"}, make));
    EXPECT_EQ(0, album.Index().GetValue());
    album.Index().SetValue(2);
    EXPECT_TRUE(ApplyFolderPaths(album, {L"C:\\0.jpg", L"C:\\c.jpg"}, make));
    EXPECT_EQ(1, album.Index().GetValue());   // + 1 wraps to the first
    EXPECT_TRUE(ApplyFolderPaths(album, {}, make));
    EXPECT_TRUE(album.Photos().empty());
}

// ---- the worker

class FolderWatchTest : public ::testing::Test {
protected:
    static const UINT kMessage = WM_APP + 7;
    void SetUp() override { window = CreateWindowW(L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr); }
    void TearDown() override { DestroyWindow(window); }

    ::testing::AssertionResult Next(FolderListing& listing) {
        MSG msg;
        for (;;) {
            const ::testing::AssertionResult came = NextMessage(msg, kMessage, kMessage, "the next listing");
            if (!came || watch.TakeListing(msg.wParam, listing)) return came;
        }
    }
    std::vector<std::wstring> NextPaths() {
        FolderListing listing;
        std::vector<std::wstring> paths;
        if (!Next(listing) || !LetLook(watch, 0)) return {L"(no listing)"};
        for (const PictureFile& file : listing.files) paths.push_back(file.path.Str());
        return paths;
    }
    // Lets the looks begun so far and `looks` more finish: then what they
    // listed has been posted and the folder is watched. Takes no posts.
    ::testing::AssertionResult LetLook(const CFolderWatch& watched, unsigned looks) {
        const unsigned mark = watched.LooksBegun() + looks;
        const CDeadline deadline;
        while (watched.LooksDone() < mark) {
            if (deadline.Passed()) return deadline.Missed(std::to_string(looks) + " looks at the folder");
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
        return ::testing::AssertionSuccess();
    }
    static ::testing::AssertionResult WorkersEnded() {
        const CDeadline deadline;
        while (CFolderWatch::RunningWorkers() > 0) {
            if (deadline.Passed()) return deadline.Missed("the end of the folder workers");
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
        return ::testing::AssertionSuccess();
    }
    bool ListingWaits() {
        MSG msg;
        return PeekMessageW(&msg, window, kMessage, kMessage, PM_NOREMOVE) != FALSE;
    }

    HWND window = nullptr;
    CFolderWatch watch;
};

TEST_F(FolderWatchTest, ListsAgainAsPicturesComeAndGo) {
    TempFolder temp;
    const std::wstring dir = temp.Path();
    const std::wstring a = Bmp(dir + L"\\a.bmp");
    ASSERT_TRUE(watch.Start(dir, true, true, window, kMessage));
    EXPECT_EQ(std::vector<std::wstring>{a}, NextPaths());

    const std::wstring b = Bmp(temp.Folder(L"sub") + L"\\b.bmp");
    EXPECT_EQ((std::vector<std::wstring>{a, b}), NextPaths());
    // Renamed, a picture written long ago is complete at once.
    HANDLE file = CreateFileW(a.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    const FILETIME longAgo = {0, 0x01D00000};
    SetFileTime(file, nullptr, nullptr, &longAgo);
    CloseHandle(file);
    ASSERT_TRUE(MoveFileW(a.c_str(), (dir + L"\\c.bmp").c_str()));
    EXPECT_EQ((std::vector<std::wstring>{dir + L"\\c.bmp", b}), NextPaths());
    DeleteFileW(b.c_str());
    EXPECT_EQ(std::vector<std::wstring>{dir + L"\\c.bmp"}, NextPaths());

    // A stopped worker posts nothing more.
    watch.Stop();
    Bmp(dir + L"\\d.bmp");
    ASSERT_TRUE(WorkersEnded());
    EXPECT_FALSE(ListingWaits());
}

TEST_F(FolderWatchTest, PictureStillBeingWrittenJoinsOnceComplete) {
    TempFolder temp;
    const std::wstring dir = temp.Path();
    ASSERT_TRUE(watch.Start(dir, false, true, window, kMessage));
    EXPECT_TRUE(NextPaths().empty());

    const std::wstring path = dir + L"\\late.bmp";
    HANDLE writer = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, writer);
    const std::string bytes = BmpBytes(4, 3);
    DWORD written = 0;
    WriteFile(writer, bytes.data(), 20, &written, nullptr);
    // The second look finds it as the first did, but still open for writing.
    ASSERT_TRUE(LetLook(watch, 2));
    EXPECT_FALSE(ListingWaits()) << "a half-written file was listed";
    WriteFile(writer, bytes.data() + 20, static_cast<DWORD>(bytes.size() - 20), &written, nullptr);
    CloseHandle(writer);
    EXPECT_EQ(std::vector<std::wstring>{path}, NextPaths());
}

// Removed from outside (Wine does not remove a folder that is being watched
// from within, although it reports success).
TEST_F(FolderWatchTest, FolderRemovedWhileFollowedAndCreatedAgain) {
    TempFolder temp(L"Z:\\tmp\\");
    const std::wstring dir = temp.Folder(L"followed");
    const std::wstring a = Bmp(dir + L"\\a.bmp");
    ASSERT_TRUE(watch.Start(dir, false, true, window, kMessage));
    EXPECT_EQ(std::vector<std::wstring>{a}, NextPaths());

    DeleteFileW(a.c_str());
    FolderListing listing;
    ASSERT_TRUE(Next(listing));
    ASSERT_TRUE(unixside::Start(L"/bin/rm", L"-rf " + unixside::UnixPath(dir)));
    ASSERT_TRUE(unixside::AwaitPath(dir, false));
    ASSERT_TRUE(Next(listing));
    EXPECT_EQ(PictureTree::FolderGone, listing.result);

    temp.Folder(L"followed");
    const std::wstring b = Bmp(dir + L"\\b.bmp");
    // First without the picture just written, then with it.
    std::vector<std::wstring> paths = NextPaths();
    if (paths.empty()) paths = NextPaths();
    EXPECT_EQ(std::vector<std::wstring>{b}, paths);
    // The worker lets go of the folder on its own time; remove it from outside.
    watch.Stop();
    unixside::Start(L"/bin/rm", L"-rf " + unixside::UnixPath(temp.Path()));
    unixside::AwaitPath(temp.Path(), false);
}

// ---- the follower on the UI side

class FollowerTest : public FolderWatchTest {
protected:
    void TakeListings() {
        MSG msg;
        while (PeekMessageW(&msg, window, kMessage, kMessage, PM_REMOVE)) follower.OnListing(album, msg.wParam);
    }
    ::testing::AssertionResult Reaches(const std::vector<std::wstring>& expected) {
        const CDeadline deadline;
        for (TakeListings(); PathsOf(album) != expected; TakeListings()) {
            if (deadline.Passed()) return deadline.Missed("the album's paths " + Utf8(Joined(expected)));
            MsgWaitForMultipleObjects(0, nullptr, FALSE, std::min<DWORD>(20, deadline.Left()), QS_POSTMESSAGE);
        }
        return LetLook(follower.Watch(), 0);
    }
    // The album's paths once `looks` looks begun from now have been taken in.
    std::vector<std::wstring> PathsAfter(unsigned looks) {
        EXPECT_TRUE(LetLook(follower.Watch(), looks));
        TakeListings();
        return PathsOf(album);
    }
    static std::wstring Joined(const std::vector<std::wstring>& paths) {
        std::wstring text;
        for (const std::wstring& path : paths) text += L" " + path;
        return text;
    }

    CWppProfile album;
    CFolderFollower follower;
};

TEST_F(FollowerTest, UnreachableFolderKeepsItsLastList) {
    unixside::MappedDrive drive(L'Q');
    const std::wstring a = Bmp(drive.Root() + L"a.bmp");
    album.Folder().SetValue(drive.Root());
    follower.Follow(album, window, kMessage);
    ASSERT_TRUE(Reaches({a}));

    drive.Unplug();
    follower.Follow(album, window, kMessage);
    EXPECT_EQ(std::vector<std::wstring>{a}, PathsAfter(1));
    drive.PlugIn();
    const std::wstring b = Bmp(drive.Root() + L"b.bmp");
    EXPECT_TRUE(Reaches({a, b}));
}

TEST_F(FollowerTest, UndecodablePictureWaitsAndJoinsOnceItDecodes) {
    TempFolder temp;
    const std::wstring a = Bmp(temp.Path() + L"\\a.bmp");
    album.Folder().SetValue(temp.Path());
    follower.Follow(album, window, kMessage);
    ASSERT_TRUE(Reaches({a}));

    // Written and closed, but cut short: a copy that is not finished yet.
    const std::wstring b = temp.Path() + L"\\b.bmp";
    TempFolder::File(b, "BM");
    // The first look sees it new, the second judges it.
    EXPECT_EQ(std::vector<std::wstring>{a}, PathsAfter(2));
    Bmp(b);
    EXPECT_TRUE(Reaches({a, b}));
}

TEST_F(FollowerTest, PictureDroppedAsUnusableIsJudgedAnewOnceWrittenAgain) {
    TempFolder temp;
    const std::wstring a = Bmp(temp.Path() + L"\\a.bmp");
    const std::wstring b = temp.Path() + L"\\b.bmp";
    TempFolder::File(b, "BM broken");
    album.Folder().SetValue(temp.Path());
    follower.Follow(album, window, kMessage);
    ASSERT_TRUE(Reaches({a, b}));
    album.Thumbnails().ShowFailed(b);
    album.DropUnusablePhotos();
    ASSERT_EQ(std::vector<std::wstring>{a}, PathsOf(album));

    Bmp(b);
    EXPECT_TRUE(Reaches({a, b}));
    EXPECT_NE(CThumbnails::Known::Unusable, album.Thumbnails().KnownState(b));
}

TEST_F(FollowerTest, FollowingNoFolderStopsTheWorker) {
    TempFolder temp;
    album.Folder().SetValue(temp.Path());
    follower.Follow(album, window, kMessage);
    EXPECT_TRUE(follower.IsFollowing());
    album.Unlink();
    follower.Follow(album, window, kMessage);
    EXPECT_FALSE(follower.IsFollowing());
    EXPECT_TRUE(album.Subfolders().GetValue() == 0);
}

}  // namespace
