// Thumbnails made by the workers: dropping the photos that have none,
// sharing, cancelling, and results that arrive after their receiver is gone.

#include "tests/album/AlbumTest.h"
#include "tests/album/ThumbnailKit.h"
#include "tests/support/BmpFile.h"
#include "tests/support/Deadline.h"
#include "tests/support/TempFolder.h"

namespace {

// The header of a 30000 x 30000 RGBA PNG: 3.6 GB once decoded.
std::string HugePngHeader()
{
    return std::string("\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR\0\0\x75\x30\0\0\x75\x30\x08\x06\0\0\0", 29) +
           std::string(4, '\0');
}

using Thumbnails = AlbumTest;

TEST_F(Thumbnails, UnusablePhotosAreDroppedAndTheRestKeepOrder)
{
    TempFolder temp;
    const std::wstring first = TempFolder::File(temp.Path() + L"\\first.bmp", BmpBytes(8, 6));
    const std::wstring corrupt = TempFolder::File(temp.Path() + L"\\corrupt.jpg", "not a picture at all");
    const std::wstring empty = TempFolder::File(temp.Path() + L"\\empty.bmp", "");
    const std::wstring huge = TempFolder::File(temp.Path() + L"\\huge.png", HugePngHeader());
    const std::wstring second = TempFolder::File(temp.Path() + L"\\second.bmp", BmpBytes(3, 9));
    auto album = OpenAlbum();
    for (const std::wstring& path : {first, temp.Path() + L"\\missing.jpg", corrupt, empty, std::wstring(), huge, second})
        album->AddPhoto(path);
    album->Index().SetValue(6);  // the second usable one is on show
    CCountingListener listener;
    album->MakeThumbnails(&listener);
    // Nothing is known before the workers report.
    album->DropUnusablePhotos();
    EXPECT_EQ(7u, album->Photos().size());
    ASSERT_TRUE(PumpUntilDone(album->Thumbnails()));
    EXPECT_TRUE(listener.unusable);
    album->DropUnusablePhotos();
    EXPECT_EQ((std::vector<std::wstring>{first, second}), Paths(*album));
    EXPECT_EQ(1, album->Index().GetValue());
    EXPECT_EQ(21, album->Thumbnails().Get(second.c_str(), nullptr)->Width());
    album->Thumbnails().Forget(&listener);
}

// Thousands of entries of a few files: every file is decoded once, never on
// the UI thread, and every entry shares its file's one pixel block.
TEST_F(Thumbnails, ManyEntriesOfFewFilesAreMadeOffTheUiThreadOncePerFile)
{
    TempFolder temp;
    CMakerCount count;
    auto thumbnails = CThumbnails::Shared(count.Maker());
    std::vector<std::wstring> files;
    for (int i = 0; i < 3; ++i)
        files.push_back(TempFolder::File(temp.Path() + L"\\" + std::to_wstring(i) + L".bmp", BmpBytes(40 + i, 30)));
    auto album = OpenAlbum();
    auto copy = OpenAlbum();
    for (int i = 0; i < 2000; ++i) album->AddPhoto(files[static_cast<size_t>(i) % files.size()]);
    album->MakeThumbnails();
    copy->Assign(*album);
    EXPECT_EQ(nullptr, copy->Thumbnails().Get(files[0].c_str(), nullptr));
    ASSERT_TRUE(PumpUntilDone(*thumbnails));
    EXPECT_EQ(0, count.onUi->load());
    EXPECT_EQ(3, count.made->load());
    const auto block = album->Thumbnails().Get(album->Photos()[0]->GetPath(), nullptr);
    ASSERT_NE(nullptr, block);
    EXPECT_EQ(block, copy->Thumbnails().Get(copy->Photos()[1998]->GetPath(), nullptr));
}

// The cache must not hand out a thumbnail of what the file used to be: the
// job reads size and time when it is decoded, not when it was queued.
TEST_F(Thumbnails, FileReplacedOrDeletedAfterQueueingIsJudgedAsItIsWhenDecoded)
{
    TempFolder temp;
    const std::wstring replaced = TempFolder::File(temp.Path() + L"\\replaced.bmp", "not yet a picture");
    const std::wstring deleted = TempFolder::File(temp.Path() + L"\\deleted.bmp", BmpBytes(8, 8));
    HANDLE gate = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ThumbJob seen;
    CThumbnails thumbnails([gate, &seen](ThumbJob& job, CBmp& out) {
        WaitForSingleObject(gate, 10000);
        const ThumbOutcome outcome = MakeJobThumbnail(job, out);
        if (outcome == ThumbOutcome::Made) seen = job;
        return outcome;
    });
    thumbnails.Request(replaced.c_str(), false, nullptr);
    thumbnails.Request(deleted.c_str(), false, nullptr);
    const std::string picture = BmpBytes(16, 8);
    TempFolder::File(replaced, picture);
    DeleteFileW(deleted.c_str());
    SetEvent(gate);
    ASSERT_TRUE(PumpUntilDone(thumbnails));
    EXPECT_EQ(CThumbnails::Known::Usable, thumbnails.KnownState(replaced.c_str()));
    EXPECT_EQ(CThumbnails::Known::Unusable, thumbnails.KnownState(deleted.c_str()));
    EXPECT_EQ(picture.size(), seen.fileSize);
    EXPECT_NE(0u, seen.lastWriteTime);
    CloseHandle(gate);
}

// A photo another program holds open is not unusable: it stays in the album
// and is made once it is free, when it is tried again.
TEST_F(Thumbnails, FileHeldOpenElsewhereIsNeitherMadeNorDropped)
{
    TempFolder temp;
    auto now = std::make_shared<std::atomic<uint64_t>>(5000000);
    auto thumbnails = CThumbnails::Shared(MakeJobThumbnail, [now] { return now->load(); });
    const std::wstring photo = TempFolder::File(temp.Path() + L"\\held.bmp", BmpBytes(8, 6));
    HANDLE held = CreateFileW(photo.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    auto album = OpenAlbum();
    album->AddPhoto(photo);
    CCountingListener listener;
    album->MakeThumbnails(&listener);
    ASSERT_TRUE(PumpUntilDone(album->Thumbnails()));
    EXPECT_EQ(1, listener.calls);
    EXPECT_FALSE(listener.unusable);
    album->DropUnusablePhotos();
    EXPECT_EQ(1u, album->Photos().size());
    CloseHandle(held);
    *now += CThumbnails::kFirstBusyPauseMs;
    EXPECT_EQ(nullptr, album->Thumbnails().Get(photo.c_str(), &listener));
    ASSERT_TRUE(PumpUntilDone(album->Thumbnails()));
    EXPECT_NE(nullptr, album->Thumbnails().Get(photo.c_str(), &listener));
    album->Thumbnails().Forget(&listener);
}

// Exit with thousands queued and every worker stuck in a decode: the
// receiver goes at once (nothing joins a worker), and what the workers
// finish afterwards is freed, never posted to a window that is gone.
TEST_F(Thumbnails, ClosingWithTenThousandQueuedDoesNotWaitForTheWorkers)
{
    HANDLE gate = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    auto busy = std::make_shared<std::atomic<int>>(0);
    auto finished = std::make_shared<std::atomic<int>>(0);
    auto thumbnails = std::make_unique<CThumbnails>([gate, busy, finished](ThumbJob&, CBmp& out) {
        ++*busy;
        // Long enough that a receiver joining its workers fails below
        // instead of hanging the run.
        WaitForSingleObject(gate, 60000);
        out.Create(4, 4);
        ++*finished;
        return ThumbOutcome::Made;
    });
    CCountingListener listener;
    for (int i = 0; i < 10000; ++i)
        thumbnails->Request((L"C:\\photos\\" + std::to_wstring(i) + L".jpg").c_str(), false, &listener);
    ASSERT_TRUE(WaitUntil("every worker inside a decode", [&] { return busy->load() == CThumbPool::WorkerCount(); }));
    thumbnails.reset();
    EXPECT_EQ(0, finished->load()) << "closing waited for the workers";
    SetEvent(gate);
    ASSERT_TRUE(WaitUntil("the decodes under way", [&] { return finished->load() == CThumbPool::WorkerCount(); }));
    PumpPending();
    EXPECT_EQ(0, listener.calls);
    // Only the decodes under way ran; nothing queued was started afterwards.
    EXPECT_EQ(CThumbPool::WorkerCount(), busy->load());
    CloseHandle(gate);
}

// A busy photo (offline, or held open elsewhere) is not queued again by
// every redraw: it is tried again after 30 s, the pause doubling up to 10
// minutes, and whoever drew it hears when it comes.
TEST_F(Thumbnails, BusyPhotosAreRetriedAfterAPauseThatDoubles)
{
    auto now = std::make_shared<std::atomic<uint64_t>>(5000000);
    auto tries = std::make_shared<std::atomic<int>>(0);
    CThumbnails thumbnails([tries](ThumbJob&, CBmp&) {
        ++*tries;
        return ThumbOutcome::Busy;
    }, [now] { return now->load(); });
    CCountingListener strip;
    const tstr photo(L"\\\\nas\\photos\\asleep.jpg");
    const auto redraw = [&] {
        EXPECT_EQ(nullptr, thumbnails.Get(photo, &strip));
        return PumpUntilDone(thumbnails);
    };
    ASSERT_TRUE(redraw());
    EXPECT_TRUE(thumbnails.Busy(photo));
    EXPECT_EQ(1, strip.calls);
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(redraw());
    EXPECT_EQ(1, tries->load()) << "a redraw queued the busy photo again";
    int expected = 1;
    for (uint64_t pause : {30, 60, 120, 240, 480, 600, 600}) {
        *now += pause * 1000 - 1;
        thumbnails.RetryDue();
        ASSERT_TRUE(redraw());
        EXPECT_EQ(expected, tries->load()) << "tried again before its pause of " << pause << " s";
        *now += 1;
        thumbnails.RetryDue();
        ASSERT_TRUE(PumpUntilDone(thumbnails));
        EXPECT_EQ(++expected, tries->load()) << "not tried again after " << pause << " s";
        EXPECT_EQ(expected, strip.calls);
    }
}

// A dialog closes while its rows' thumbnails are on their way.
TEST_F(Thumbnails, ResultsForAForgottenListenerAreKeptButNotTold)
{
    TempFolder temp;
    const std::wstring photo = TempFolder::File(temp.Path() + L"\\photo.bmp", BmpBytes(8, 6));
    CThumbnails thumbnails;
    {
        CCountingListener dialog;
        EXPECT_EQ(nullptr, thumbnails.Get(photo.c_str(), &dialog));
        thumbnails.Forget(&dialog);
    }
    CCountingListener show;
    thumbnails.Request(photo.c_str(), false, &show);
    ASSERT_TRUE(PumpUntilDone(thumbnails));
    EXPECT_EQ(1, show.calls);
    EXPECT_FALSE(show.unusable);
    EXPECT_NE(nullptr, thumbnails.Get(photo.c_str(), nullptr));
}

// A photo deleted after its thumbnail was made is not drawn as present
// once its file was looked at again; each photo that cannot show says why.
TEST_F(Thumbnails, ProblemsAreNamedAndADeletedPhotoIsSeenMissingAtItsNextLook)
{
    TempFolder temp;
    const std::wstring photo = TempFolder::File(temp.Path() + L"\\photo.bmp", BmpBytes(8, 6));
    const std::wstring note = TempFolder::File(temp.Path() + L"\\note.jpg", "not a picture at all");
    const std::wstring huge = TempFolder::File(temp.Path() + L"\\huge.png", HugePngHeader());
    const std::wstring missing = temp.Path() + L"\\missing.jpg";
    const std::wstring offline = L"R:\\never mapped\\p.jpg";
    CThumbnails thumbnails;
    CCountingListener listener;
    for (const std::wstring& path : {photo, note, huge, missing, offline})
        EXPECT_EQ(nullptr, thumbnails.Get(path.c_str(), &listener));
    ASSERT_TRUE(PumpUntilDone(thumbnails));
    EXPECT_EQ(ThumbProblem::None, thumbnails.Problem(photo.c_str()));
    EXPECT_EQ(ThumbProblem::NotPicture, thumbnails.Problem(note.c_str()));
    EXPECT_EQ(ThumbProblem::TooLarge, thumbnails.Problem(huge.c_str()));
    EXPECT_EQ(ThumbProblem::Missing, thumbnails.Problem(missing.c_str()));
    EXPECT_EQ(ThumbProblem::Unreachable, thumbnails.Problem(offline.c_str()));

    ASSERT_NE(nullptr, thumbnails.Get(photo.c_str(), &listener));
    DeleteFileW(photo.c_str());
    EXPECT_NE(nullptr, thumbnails.Get(photo.c_str(), &listener)) << "looked at a moment ago";
    EXPECT_EQ(0u, thumbnails.Outstanding());
    thumbnails.Recheck();
    EXPECT_NE(nullptr, thumbnails.Get(photo.c_str(), &listener)) << "shown until the look answers";
    EXPECT_EQ(1u, thumbnails.Outstanding());
    ASSERT_TRUE(PumpUntilDone(thumbnails));
    EXPECT_EQ(nullptr, thumbnails.Get(photo.c_str(), &listener));
    EXPECT_EQ(ThumbProblem::Missing, thumbnails.Problem(photo.c_str()));
    EXPECT_EQ(CThumbnails::Known::Unusable, thumbnails.KnownState(photo.c_str()));
    thumbnails.Forget(&listener);

    const CBmp& mark = CThumbnails::ProblemPlaceholder();
    EXPECT_EQ(0xFFD0D0D0u, mark.Pixel(mark.Width() / 2, mark.Height() * 3 / 4)) << "dimmed";
    EXPECT_EQ(0xFFC02020u, mark.Pixel(mark.Width() - 4, 3)) << "its mark";
}

}  // namespace
